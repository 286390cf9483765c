#include "gui/TfrmSettei.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "qt/Fonts.h"
#include "shell/Program.h"
#include "worksheet/BoxKind.h"
#include "worksheet/WorksheetSetters.h"

namespace {

// The spins' "unbounded" range: any value a teacher would type.
constexpr int Unbounded = 99999;

void paint(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A group of the strip: ivory on the light blue window, its controls on a grid.
QGridLayout* group(QGroupBox*& box, const QString& title, const char* name) {
    box = new QGroupBox(title);
    box->setObjectName(QString::fromLatin1(name));
    paint(box, QColor(255, 255, 240));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(5);
    return grid;
}

QLabel* label(const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text);
    l->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return l;
}

} // namespace

TfrmSettei::TfrmSettei(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmSettei"));
    setWindowTitle(QStringLiteral("設定"));
    registerFontSubstitutions();
    paint(this, QColor(192, 192, 255));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 6);
    layout->setSpacing(8);
    layout->addWidget(buildPosition());
    layout->addWidget(buildKind());
    btnOk_ = new QPushButton(QStringLiteral("閉じる"));
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setMinimumHeight(36);
    btnOk_->setAutoDefault(false);
    connect(btnOk_, &QPushButton::clicked, this, &TfrmSettei::btnOkClick);
    layout->addWidget(btnOk_);
    layout->addStretch(1);
    setFixedWidth(sizeHint().width());
    // Key preview: the dialog sees every key of its controls first.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    showKind(0);
}

QSpinBox* TfrmSettei::makeSpin(const char* name, int min, int max, void (*store)(Program&, int)) {
    auto* spin = new QSpinBox;
    spin->setObjectName(QString::fromLatin1(name));
    spin->setAccessibleName(QString::fromLatin1(name));
    spin->setRange(min, max);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(16);
    spin->setFont(font);
    spin->setFixedWidth(66);
    connect(spin, &QSpinBox::valueChanged, this, [this, store](int value) {
        if (desk_.program().sheets.current) store(desk_.program(), value);
    });
    return spin;
}

QToolButton* TfrmSettei::makeArrow(const char* name, Qt::ArrowType arrow, QSpinBox* spin,
                                   int step) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setFixedSize(26, 24);
    button->setAutoRepeat(true);
    const char* names[] = {"", "上", "下", "左", "右"};
    button->setAccessibleName(QString::fromUtf8(names[arrow]));
    connect(button, &QToolButton::clicked, spin, [spin, step] { spin->stepBy(step); });
    return button;
}

QGroupBox* TfrmSettei::buildPosition() {
    QGroupBox* box = nullptr;
    QGridLayout* grid = group(box, QStringLiteral("解答位置と余白"), "grbPosition");

    spnKranX_ = makeSpin("spnKranX", -Unbounded, Unbounded, SetBoxOffsetX);
    spnKranY_ = makeSpin("spnKranY", -Unbounded, Unbounded, SetBoxOffsetY);
    spnAnsX_ = makeSpin("spnAnsX", -Unbounded, Unbounded, SetAnswerX);
    spnAnsY_ = makeSpin("spnAnsY", -Unbounded, Unbounded, SetAnswerY);
    spnLeftM_ = makeSpin("spnLeftM", 0, 15, SetLeftMargin);
    spnRightM_ = makeSpin("spnRightM", 0, 15, SetRightMargin);
    spnLeftM_->setValue(3);
    spnRightM_->setValue(3);
    // The box offsets are kept but not shown; the margins change only with their buttons.
    spnKranX_->hide();
    spnKranY_->hide();
    spnKranX_->setParent(box);
    spnKranY_->setParent(box);
    spnLeftM_->setFocusPolicy(Qt::NoFocus);
    spnRightM_->setFocusPolicy(Qt::NoFocus);

    auto* arrows = new QGridLayout;
    arrows->setSpacing(0);
    arrows->addWidget(makeArrow("btnUp", Qt::UpArrow, spnAnsY_, -1), 0, 1);
    arrows->addWidget(makeArrow("btnLeft", Qt::LeftArrow, spnAnsX_, -1), 1, 0);
    arrows->addWidget(makeArrow("btnRight", Qt::RightArrow, spnAnsX_, 1), 1, 2);
    arrows->addWidget(makeArrow("btnDown", Qt::DownArrow, spnAnsY_, 1), 2, 1);
    grid->addLayout(arrows, 0, 0, 1, 2, Qt::AlignHCenter);

    auto* answer = new QLabel(QStringLiteral("解答位置"));
    spnAnsX_->setAccessibleName(QStringLiteral("解答位置"));
    spnAnsY_->setAccessibleName(QStringLiteral("解答位置"));
    grid->addWidget(answer, 1, 0, 1, 2);
    grid->addWidget(spnAnsX_, 2, 0);
    grid->addWidget(spnAnsY_, 2, 1);
    grid->addWidget(label(QStringLiteral("左空白"), spnLeftM_), 3, 0);
    grid->addWidget(label(QStringLiteral("右空白"), spnRightM_), 3, 1);
    grid->addWidget(spnLeftM_, 4, 0);
    grid->addWidget(spnRightM_, 4, 1);

    btnKakudai_ = new QPushButton(QStringLiteral("拡大"));
    btnKakudai_->setObjectName(QStringLiteral("btnKakudai"));
    btnKakudai_->setAutoDefault(false);
    connect(btnKakudai_, &QPushButton::clicked, this, &TfrmSettei::btnKakudaiClick);
    grid->addWidget(btnKakudai_, 5, 0, 1, 2, Qt::AlignHCenter);
    return box;
}

QGroupBox* TfrmSettei::buildKind() {
    QGroupBox* box = nullptr;
    QGridLayout* grid = group(box, QStringLiteral("解答欄の形"), "grbKind");
    const char* names[] = {"radNon", "radShikaku", "radKakko", "radLine", "radKasen", "radRound"};
    const char* captions[] = {"なし", "四角", "[   ]", "【　】", "____", "角丸"};
    for (int kind = 0; kind < 6; ++kind) {
        auto* button = new QRadioButton(QString::fromUtf8(captions[kind]), box);
        button->setObjectName(QString::fromLatin1(names[kind]));
        shapes_[kind] = button;
        connect(button, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on) kindChosen(kind);
        });
    }
    // The bracket shapes are kept for worksheets that use them but are not offered.
    shapes_[2]->hide();
    shapes_[3]->hide();
    grid->addWidget(shapes_[0], 0, 0);
    grid->addWidget(shapes_[1], 0, 1);
    grid->addWidget(shapes_[4], 1, 0);
    grid->addWidget(shapes_[5], 1, 1);

    spnKranWX_ = makeSpin("spnKranWX", -Unbounded, Unbounded, SetBoxWidth);
    spnKranH_ = makeSpin("spnKranH", -Unbounded, Unbounded, SetBoxHeight);
    grid->addWidget(label(QStringLiteral("幅"), spnKranWX_), 2, 0);
    grid->addWidget(label(QStringLiteral("高さ"), spnKranH_), 2, 1);
    grid->addWidget(spnKranWX_, 3, 0);
    grid->addWidget(spnKranH_, 3, 1);
    return box;
}

void TfrmSettei::showKind(int kind) {
    for (QRadioButton* button : shapes_) {
        const QSignalBlocker quiet(button);
        button->setAutoExclusive(false);
        button->setChecked(button == shapes_[kind >= 0 && kind < 6 ? kind : 0]);
        button->setAutoExclusive(true);
    }
    const BoxKindSpins spins = SizeSpinsOf(kind);
    spnKranWX_->setEnabled(spins.width);
    spnKranH_->setEnabled(spins.height);
}

void TfrmSettei::kindChosen(int kind) {
    const BoxKindSpins spins = SizeSpinsOf(kind);
    spnKranWX_->setEnabled(spins.width);
    spnKranH_->setEnabled(spins.height);
    SetBoxKind(desk_.program(), kind);
}

void TfrmSettei::refreshFromWorksheet() {
    Program& program = desk_.program();
    SetteiControls& c = program.controls.settei;
    c.ready = false;
    const std::pair<QSpinBox*, int> values[] = {
        {spnLeftM_, c.spnLeftM}, {spnRightM_, c.spnRightM}, {spnKranWX_, c.spnKranWX},
        {spnKranH_, c.spnKranH}, {spnAnsX_, c.spnAnsX},     {spnAnsY_, c.spnAnsY},
        {spnKranX_, c.spnKranX}, {spnKranY_, c.spnKranY}};
    for (const auto& [spin, value] : values) {
        const QSignalBlocker quiet(spin);
        spin->setValue(value);
    }
    c.ready = true;
}

void TfrmSettei::openForActive() {
    Program& program = desk_.program();
    Worksheet* sheet = program.sheets.current;
    if (!sheet) return;
    // The controls show the worksheet as it is; filling them changes nothing in it.
    program.controls.settei.ready = false;
    showKind(sheet->kran(0));
    const std::pair<QSpinBox*, int> values[] = {{spnKranWX_, sheet->kran(1)},
                                                {spnKranH_, sheet->kran(2)},
                                                {spnKranX_, sheet->kran(6)},
                                                {spnKranY_, sheet->kran(7)}};
    for (const auto& [spin, value] : values) {
        const QSignalBlocker quiet(spin);
        spin->setValue(value);
    }
    // The boxes being edited must be visible.
    if (!sheet->ShowAnswers && desk_.main) desk_.main->btnKaitouClick();
    if (desk_.main) {
        move(desk_.main->mapToGlobal(QPoint(0, 48)));
        resize(width(), std::max(sizeHint().height(), desk_.main->childSize().height()));
    }
    btnKakudai_->setText(reduceCaption());
    program.controls.settei.ready = true;
    btnOk_->setFocus();
    const int result = desk_.runModal(*this);
    Worksheet* still = program.sheets.current;
    if (result == QDialog::Accepted && still) {
        SetKranLine(program, 1, spnKranWX_->value(), false);
        SetKranLine(program, 2, spnKranH_->value(), false);
    }
}

QString TfrmSettei::reduceCaption() const {
    const auto* button =
        desk_.main ? desk_.main->findChild<QAbstractButton*>(QStringLiteral("btnShukusho"))
                   : nullptr;
    if (button) return button->text();
    return desk_.program().controls.reducedView ? QStringLiteral("拡大") : QStringLiteral("縮小");
}

void TfrmSettei::btnKakudaiClick() {
    if (desk_.main) desk_.main->btnShukushoClick();
    btnKakudai_->setText(reduceCaption());
}

void TfrmSettei::btnOkClick() {
    desk_.program().controls.settei.ready = true;
    accept();
}

bool TfrmSettei::handleKey(QKeyEvent* event, QObject* target) {
    switch (event->key()) {
    case Qt::Key_Escape:
        btnOk_->click();
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (desk_.main) desk_.main->btnScrollClick();
        return true;
    case Qt::Key_S:
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return true;
        btnKakudaiClick();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Spins change with their buttons and typed digits; the shape buttons take arrows.
        return qobject_cast<QSpinBox*>(target) || qobject_cast<QSpinBox*>(target->parent());
    default:
        return false;
    }
}

bool TfrmSettei::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent*>(event), watched);
    if (event->type() == QEvent::FocusIn) {
        // Moving the focus onto a shape button (Tab, arrows) selects that shape.
        auto* button = qobject_cast<QRadioButton*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                                reason == Qt::OtherFocusReason;
        if (button && byKeyboard && !button->isChecked() && desk_.program().controls.settei.ready)
            button->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSettei::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event, this)) QDialog::keyPressEvent(event);
}
