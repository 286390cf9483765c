#include "gui/TfrmZenSeikai.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/Desk.h"
#include "gui/UiParts.h"

TfrmZenSeikai::TfrmZenSeikai(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmZenSeikai"));
    setWindowTitle(QStringLiteral("全問正解"));
    // Wide enough for its title beside the buttons a window manager may draw anyway.
    setFixedSize(200, 167);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlSeikai"));
    paintBackground(panel, QColor(255, 255, 0));
    auto* pl = new QVBoxLayout(panel);
    pl->setContentsMargins(2, 8, 2, 8);
    auto stars = [&](const char* name) {
        auto* l = new QLabel(QStringLiteral("★★★★★★"), panel);
        l->setObjectName(QLatin1String(name));
        l->setAlignment(Qt::AlignCenter);
        l->setFont(uiFont("ＭＳ Ｐゴシック", 16));
        l->setStyleSheet(QStringLiteral("color: #ff0000;"));
        l->setAccessibleName(QStringLiteral("星"));
        return l;
    };
    auto* caption = new QLabel(QStringLiteral("全問正解です"), panel);
    caption->setObjectName(QStringLiteral("lblSeikai"));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFont(uiFont("ＭＳ Ｐゴシック", 19, true));
    caption->setStyleSheet(QStringLiteral("color: #000000;"));
    pl->addWidget(stars("lblStarsTop"));
    pl->addWidget(caption);
    pl->addWidget(stars("lblStarsBottom"));
    panel->setAccessibleName(caption->text());
    layout->addWidget(panel, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok);
}

void TfrmZenSeikai::congratulate() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        QRect r(QPoint(0, 0), size());
        r.moveCenter(screen->geometry().center());
        move(r.topLeft());
    }
    desk_.runModal(*this);
}
