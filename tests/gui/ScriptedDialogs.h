#pragma once
// File dialogs and the platform print dialog answered by a script, for window tests.

#include <QPrinter>
#include <deque>
#include <optional>

#include "gui/Seams.h"

// File dialogs answering from queues (cancel when empty).
class ScriptedFileDialogs : public FileDialogs {
  public:
    std::deque<std::optional<QString>> opens, saves;
    int asked = 0;
    QString lastDir; // where the last dialog started (a folder, or a proposed file)
    std::optional<QString> openFileName(QWidget*, const QString&, const QString& dir,
                                        const QString&) override {
        lastDir = dir;
        return next(opens);
    }
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString& dir,
                                        const QString&) override {
        lastDir = dir;
        return next(saves);
    }

  private:
    std::optional<QString> next(std::deque<std::optional<QString>>& q) {
        ++asked;
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

// The platform print dialog: confirms (or not) and chooses "Print to File (PDF)" with a
// copy count, as a user would.
class ScriptedPrintDialogs : public PrintDialogs {
  public:
    bool confirm = true;
    QString pdfPath;
    int copies = 1;
    int asked = 0;
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        ++asked;
        if (!confirm) return false;
        if (!pdfPath.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
        }
        printer.setCopyCount(copies);
        return true;
    }
};
