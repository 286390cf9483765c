#include "gui/TfrmBMP.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "gui/Desk.h"
#include "gui/UiParts.h"

TfrmBMP::TfrmBMP(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmBMP"));
    setWindowTitle(QStringLiteral("Lumaview 拡大表示"));
    setModal(false);
    paintBackground(this, Qt::white);
    auto label = [this](const char* name, int x) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(x, 2, 60, 18);
        return l;
    };
    lblXW = label("lblXW", 18);
    lblXW->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblX = label("lblX", 82);
    lblX->setText(QStringLiteral("X"));
    lblX->resize(12, 18);
    lblYH = label("lblYH", 98);
    lblName = label("lblName", 170);
    lblName->setText(QStringLiteral(".bmp"));
    lblName->resize(240, 18);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->move(18, 23);
    // The keyboard's way out besides Escape.
    btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->resize(64, 20);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmBMP::showPicture(const QImage& picture, const QString& name) {
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->resize(picture.size());
    Image1->setAccessibleName(QStringLiteral("グラフ ") + name);
    lblXW->setText(QString::number(picture.width()));
    lblYH->setText(QString::number(picture.height()));
    lblName->setText(name.isEmpty() ? QStringLiteral(".bmp") : name);
    QSize size(std::max(picture.width() + 36, 380), picture.height() + 41);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);
    btnClose->move(width() - btnClose->width() - 2, 1);
    lblName->resize(std::max(40, btnClose->x() - lblName->x() - 4), 18);
    move(0, 0);
    show();
    raise();
}
