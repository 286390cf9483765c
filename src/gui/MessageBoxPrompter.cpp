#include "gui/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>

#include "gui/UiText.h"

namespace {

// The program's title, the caption of its message boxes.
const QString kTitle = QStringLiteral("Velmix++ 数学問題集２／１次方程式");

int ask(const std::string& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton escape) {
    QMessageBox box(QMessageBox::Question, kTitle, qsShown(text), buttons,
                    QApplication::activeWindow());
    box.setEscapeButton(escape);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return answer::Yes;
    case QMessageBox::No:
        return answer::No;
    default:
        return answer::Cancel;
    }
}

} // namespace

void MessageBoxPrompter::message(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, qsShown(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

int MessageBoxPrompter::askYesNo(const std::string& text) {
    return ask(text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

int MessageBoxPrompter::askYesNoCancel(const std::string& text) {
    return ask(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
}
