#include "gui/TfrmDummy.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>

#include "gui/Desk.h"
#include "gui/UiParts.h"

TfrmDummy::TfrmDummy(Desk& desk) : desk_(desk) {
    setObjectName(QStringLiteral("TfrmDummy"));
    setWindowTitle(QStringLiteral("山口県　千畳敷"));
    paintBackground(this, Qt::white);
    btnTitle = new QPushButton(this);
    btnTitle->setObjectName(QStringLiteral("btnTitle"));
    btnTitle->setAccessibleName(QStringLiteral("タイトル"));
    btnTitle->setFlat(true);
    btnTitle->setFocusPolicy(Qt::NoFocus);
}

void TfrmDummy::setTitlePicture(const QImage& picture) {
    QSize glyph(0, 0);
    if (!picture.isNull()) {
        btnTitle->setIcon(QIcon(QPixmap::fromImage(picture)));
        glyph = picture.deviceIndependentSize().toSize();
        btnTitle->setIconSize(glyph);
    }
    const QSize size(glyph.width() + 10, glyph.height() + 20);
    btnTitle->resize(size);
    const QRect main = desk_.mainGeometry();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : main.width();
    const int panel = main.width() - desk_.frame()->width();
    const int left = (screenWidth - panel - size.width() - 20) / 2;
    const int top = (main.height() - size.height() - 100) / 2;
    btnTitle->move(std::max(left, 0), std::max(top, 0));
}

void TfrmDummy::showInFrame() {
    if (!sub_) {
        sub_ = desk_.frame()->addSubWindow(this);
        sub_->setObjectName(QStringLiteral("TfrmDummyFrame"));
        // The title window lives as long as the program: closing it only minimises it.
        sub_->setAttribute(Qt::WA_DeleteOnClose, false);
        sub_->installEventFilter(this);
        connect(desk_.frame(), &QMdiArea::subWindowActivated, this, &TfrmDummy::activated);
    }
    sub_->setGeometry(QRect(QPoint(0, 0), desk_.childSize()));
    sub_->show();
    desk_.frame()->setActiveSubWindow(sub_);
}

bool TfrmDummy::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sub_ && event->type() == QEvent::Close) {
        event->ignore();
        sub_->showMinimized();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmDummy::showTitleButton() {
    btnTitle->show();
}

void TfrmDummy::activated(QMdiSubWindow* sub) {
    if (!sub || sub != sub_) return;
    setWindowTitle(QStringLiteral("山口県　千畳敷"));
    if (!sub_->isMaximized()) sub_->setGeometry(QRect(QPoint(0, 0), desk_.childSize()));
}
