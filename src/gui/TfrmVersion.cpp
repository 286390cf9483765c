#include "gui/TfrmVersion.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "gui/Artwork.h"
#include "gui/Desk.h"
#include "gui/UiParts.h"

TfrmVersion::TfrmVersion(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmVersion"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    setFixedSize(400, 190);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgProgramIcon"));
    icon->setAccessibleName(QStringLiteral("Velmix++ のアイコン"));
    icon->setGeometry(24, 24, 64, 64);
    icon->setPixmap(programIcon().pixmap(64, 64));
    auto* name = new QLabel(this);
    name->setObjectName(QStringLiteral("lblProductName"));
    name->setGeometry(108, 30, 280, 24);
    auto* version = new QLabel(QStringLiteral("Version 4.02 2005.06.22"), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setGeometry(108, 62, 280, 24);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setGeometry(150, 130, 100, 34);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmVersion::showBox() {
    findChild<QLabel*>(QStringLiteral("lblProductName"))->setText(desk_.programTitle());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(0, 0), size());
        r.moveCenter(screen->geometry().center());
        move(r.topLeft());
    }
    desk_.runModal(*this);
}
