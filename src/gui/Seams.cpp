#include "gui/Seams.h"

#include <QFileDialog>
#include <QPrintDialog>

std::optional<QString> RealFileDialogs::openFileName(QWidget* parent, const QString& caption,
                                                     const QString& dir, const QString& filter) {
    const QString name = QFileDialog::getOpenFileName(parent, caption, dir, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> RealFileDialogs::saveFileName(QWidget* parent, const QString& caption,
                                                     const QString& dir, const QString& filter) {
    // The program asks about an existing file itself, once, after it has added a missing
    // extension: the dialog's own question would come first and ask it twice.
    const QString name = QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

bool RealPrintDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
