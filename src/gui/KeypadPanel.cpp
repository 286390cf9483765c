#include "gui/KeypadPanel.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/UiParts.h"
#include "practice/AnswerKeys.h"

namespace {

QLineEdit* padField(QWidget* parent, const char* name, const QString& spoken) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setAlignment(Qt::AlignCenter);
    e->setAccessibleName(spoken);
    e->setFixedHeight(24);
    return e;
}

} // namespace

KeypadPanel::KeypadPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlBunsu"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* fraction = new QGroupBox(QStringLiteral("分数の入力"), this);
    fraction->setObjectName(QStringLiteral("grbBunsu"));
    auto* fl = new QGridLayout(fraction);
    fl->setContentsMargins(6, 4, 6, 6);
    fl->setSpacing(3);
    edtSign = padField(fraction, "edtSign", QStringLiteral("符号"));
    edtSign->setFixedWidth(28);
    edtBunshi = padField(fraction, "edtBunshi", QStringLiteral("分子"));
    edtBunbo = padField(fraction, "edtBunbo", QStringLiteral("分母"));
    shpBunno = new QFrame(fraction);
    shpBunno->setObjectName(QStringLiteral("shpBunno"));
    shpBunno->setFixedHeight(3);
    shpBunno->setAutoFillBackground(true);
    auto* stack = new QVBoxLayout;
    stack->setSpacing(2);
    stack->addWidget(edtBunshi);
    stack->addWidget(shpBunno);
    stack->addWidget(edtBunbo);
    auto* shown = new QHBoxLayout;
    shown->addWidget(edtSign, 0, Qt::AlignVCenter);
    shown->addLayout(stack, 1);
    fl->addLayout(shown, 0, 0, 3, 2);
    QPushButton* bunno = key(fraction, "btnBunno", QStringLiteral("分の"));
    QPushButton* plus = key(fraction, "btnPlus1", QStringLiteral("+"));
    QPushButton* minus = key(fraction, "btnMinus1", QStringLiteral("-"));
    fl->addWidget(bunno, 0, 2, 1, 2);
    fl->addWidget(plus, 1, 2);
    fl->addWidget(minus, 1, 3);
    QPushButton* insert = key(fraction, "btnInsert", QStringLiteral("<=="));
    insert->setAccessibleName(QStringLiteral("分数を解答欄へ"));
    fl->addWidget(insert, 2, 2, 1, 2);
    for (int d = 0; d <= 9; ++d) {
        const QByteArray name = "btnBunsu" + QByteArray::number(d);
        QPushButton* b = key(fraction, name.constData(), QString::number(d));
        fl->addWidget(b, 3 + (d == 0 ? 1 : (d - 1) / 5), d == 0 ? 4 : (d - 1) % 5);
        connect(b, &QPushButton::clicked, this, [this, d] { emit padDigit(char('0' + d)); });
    }
    QPushButton* next = key(fraction, "btnInputBun", QStringLiteral("次へ"));
    QPushButton* clear = key(fraction, "btnClear", QStringLiteral("消去"));
    fl->addWidget(clear, 4, 0, 1, 2);
    fl->addWidget(next, 4, 2, 1, 2);
    connect(bunno, &QPushButton::clicked, this, &KeypadPanel::padBunno);
    connect(plus, &QPushButton::clicked, this, [this] { emit padSign('+'); });
    connect(minus, &QPushButton::clicked, this, [this] { emit padSign('-'); });
    connect(insert, &QPushButton::clicked, this, &KeypadPanel::padInsert);
    connect(next, &QPushButton::clicked, this, &KeypadPanel::padNext);
    connect(clear, &QPushButton::clicked, this, &KeypadPanel::padClear);
    layout->addWidget(fraction);

    auto* whole = new QGroupBox(QStringLiteral("整数の入力"), this);
    whole->setObjectName(QStringLiteral("grbSeisu"));
    auto* wl = new QGridLayout(whole);
    wl->setContentsMargins(6, 4, 6, 6);
    wl->setSpacing(3);
    struct Key {
        const char* name;
        const char* caption;
    };
    static const Key keys[] = {
        {"btnInt7", "7"}, {"btnInt8", "8"},   {"btnInt9", "9"},     {"btnXeq", "x="},
        {"btnInt4", "4"}, {"btnInt5", "5"},   {"btnInt6", "6"},     {"btnYeq", "y="},
        {"btnInt1", "1"}, {"btnInt2", "2"},   {"btnInt3", "3"},     {"btnAeq", "a="},
        {"btnInt0", "0"}, {"btnIntDot", "."}, {"btnIntMinus", "-"},
    };
    int i = 0;
    for (const Key& k : keys) {
        const QString caption = QString::fromUtf8(k.caption);
        QPushButton* b = key(whole, k.name, caption);
        wl->addWidget(b, i / 4, i % 4);
        connect(b, &QPushButton::clicked, this, [this, caption] { emit integerKey(caption); });
        ++i;
    }
    QPushButton* clearField2 = key(whole, "btnClearK", QStringLiteral("クリア"));
    QPushButton* enter = key(whole, "btnNextK", QStringLiteral("入力"));
    wl->addWidget(clearField2, 3, 3);
    wl->addWidget(enter, 4, 0, 1, 4);
    connect(clearField2, &QPushButton::clicked, this, &KeypadPanel::clearField);
    connect(enter, &QPushButton::clicked, this, &KeypadPanel::enterField);
    layout->addWidget(whole);
}

QPushButton* KeypadPanel::key(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setMinimumWidth(30);
    b->setFixedHeight(26);
    return b;
}

void KeypadPanel::showPad(const FractionPad& pad) {
    edtSign->setText(QString::fromStdString(pad.sign));
    edtBunshi->setText(QString::fromStdString(pad.numerator));
    edtBunbo->setText(QString::fromStdString(pad.denominator));
    paintBackground(shpBunno, pad.barMarked ? QColor(255, 0, 0) : QColor(40, 40, 40));
    // The field the next digit goes to stands out.
    const QString active = QStringLiteral("QLineEdit { background: #fff8c0; }");
    edtBunbo->setStyleSheet(pad.denominatorFirst ? active : QString());
    edtBunshi->setStyleSheet(pad.denominatorFirst ? QString() : active);
}
