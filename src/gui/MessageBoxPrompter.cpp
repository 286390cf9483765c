#include "gui/MessageBoxPrompter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>

#include "gui/UiText.h"

namespace {

// The program's title, the caption of its message boxes.
const QString kTitle = QStringLiteral("Velmix++ 数学問題集２／１次方程式");

// Room in the title bar besides the title: the window's icon and its close, minimize and
// maximize buttons with the frame around them, as the common window managers draw them.
constexpr int TitleBarRoom = 160;

int ask(const std::string& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton escape) {
    const std::unique_ptr<QMessageBox> box =
        MessageBoxPrompter::box(QMessageBox::Question, text, buttons);
    box->setEscapeButton(escape);
    box->setDefaultButton(QMessageBox::Yes);
    switch (box->exec()) {
    case QMessageBox::Yes:
        return answer::Yes;
    case QMessageBox::No:
        return answer::No;
    default:
        return answer::Cancel;
    }
}

} // namespace

std::unique_ptr<QMessageBox> MessageBoxPrompter::box(QMessageBox::Icon icon,
                                                     const std::string& text,
                                                     QMessageBox::StandardButtons buttons) {
    auto box = std::make_unique<QMessageBox>(icon, kTitle, qsShown(text), buttons,
                                             QApplication::activeWindow());
    // The box sizes itself to its text and buttons; a spacer across its layout keeps it as
    // wide as its title needs (the title bar's font is taken a little larger and bold).
    QFont titleFont = box->font();
    titleFont.setBold(true);
    if (titleFont.pixelSize() > 0)
        titleFont.setPixelSize(titleFont.pixelSize() * 6 / 5);
    else
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    const int width = QFontMetrics(titleFont).horizontalAdvance(kTitle) + TitleBarRoom;
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

void MessageBoxPrompter::message(const std::string& text) {
    box(QMessageBox::NoIcon, text, QMessageBox::Ok)->exec();
}

int MessageBoxPrompter::askYesNo(const std::string& text) {
    return ask(text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

int MessageBoxPrompter::askYesNoCancel(const std::string& text) {
    return ask(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
}
