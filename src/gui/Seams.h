#pragma once
// The places where the windows meet the user outside their own controls: file dialogs,
// the platform print dialog and modal showing of our own dialogs. The program uses the
// real ones; the window tests install scripted ones, so no modal loop is left waiting.

#include <QString>
#include <functional>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen file, or nullopt when the user cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& caption,
                                                const QString& dir, const QString& filter) = 0;
    // Asks nothing about an existing file: the save itself does.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption,
                                                const QString& dir, const QString& filter) = 0;
};

class PrintDialogs {
  public:
    virtual ~PrintDialogs() = default;
    // The platform print dialog on printer; true when the user confirmed.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// Shows a dialog of ours modally and returns its result (QDialog::Accepted/Rejected or
// the value given to done()). Tests replace it with a function that works the dialog's
// controls and returns at once.
using ModalRunner = std::function<int(QDialog&)>;

// QFileDialog and QPrintDialog.
class RealFileDialogs : public FileDialogs {
  public:
    std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                        const QString& filter) override;
};

class RealPrintDialogs : public PrintDialogs {
  public:
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
};
