#include "gui/TfrmSettei.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/UiText.h"
#include "qt/Fonts.h"
#include "worksheet/BoxKind.h"
#include "worksheet/LayoutCheck.h"
#include "worksheet/WorksheetSetters.h"

namespace {

// The spins' "unbounded" range: any value a teacher would type.
constexpr int Unbounded = 99999;
// The strip's width: about the command panel's, which it covers while it is open.
constexpr int StripWidth = 110;

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
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
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
    // Too narrow for more than its caption and the close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    registerFontSubstitutions();
    paint(this, QColor(192, 192, 255));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 6);
    layout->setSpacing(6);
    layout->addWidget(buildPosition());
    layout->addWidget(buildKind());
    // Problems of the layout the teacher should know about; hidden while there are none.
    lblWarning = new QLabel;
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setWordWrap(true);
    lblWarning->setTextFormat(Qt::PlainText);
    QPalette red = lblWarning->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lblWarning->setPalette(red);
    lblWarning->hide();
    layout->addWidget(lblWarning);
    btnOk = new QPushButton(QStringLiteral("閉じる"));
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumHeight(36);
    btnOk->setAutoDefault(false);
    connect(btnOk, &QPushButton::clicked, this, &TfrmSettei::btnOkClick);
    layout->addWidget(btnOk);
    layout->addStretch(1);
    // A narrow strip over the command panel, so that the page stays in view beside it.
    setFixedWidth(StripWidth);
    // Key preview: the dialog sees every key of its controls first.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    showKind(0);
}

QSpinBox* TfrmSettei::makeSpin(const char* name, int min, int max, void (*store)(Workspace&, int)) {
    auto* spin = new QSpinBox;
    spin->setObjectName(QString::fromLatin1(name));
    spin->setAccessibleName(QString::fromLatin1(name));
    spin->setRange(min, max);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(16);
    spin->setFont(font);
    spin->setFixedWidth(46);
    connect(spin, &QSpinBox::valueChanged, this, [this, store](int value) {
        if (desk_.program().sheets.current) store(desk_.program(), value);
    });
    return spin;
}

QToolButton* TfrmSettei::makeArrow(const char* name, Qt::ArrowType arrow, QSpinBox* spin, int step,
                                   const QString& accessible) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setFixedSize(22, 24);
    button->setAutoRepeat(true);
    button->setAccessibleName(accessible);
    // A step that leaves the spin's text unselected: only the focused spin shows a selection.
    connect(button, &QToolButton::clicked, spin,
            [spin, step] { spin->setValue(spin->value() + step); });
    return button;
}

QGroupBox* TfrmSettei::buildPosition() {
    QGroupBox* box = nullptr;
    QGridLayout* grid = group(box, QStringLiteral("解答位置と余白"), "grbPosition");

    spnKranX = makeSpin("spnKranX", -Unbounded, Unbounded, SetBoxOffsetX);
    spnKranY = makeSpin("spnKranY", -Unbounded, Unbounded, SetBoxOffsetY);
    spnAnsX = makeSpin("spnAnsX", -Unbounded, Unbounded, SetAnswerX);
    spnAnsY = makeSpin("spnAnsY", -Unbounded, Unbounded, SetAnswerY);
    spnLeftM = makeSpin("spnLeftM", 0, 15, SetLeftMargin);
    spnRightM = makeSpin("spnRightM", 0, 15, SetRightMargin);
    spnLeftM->setValue(3);
    spnRightM->setValue(3);
    spnKranX->setAccessibleName(QStringLiteral("解答欄の位置（横）"));
    spnKranY->setAccessibleName(QStringLiteral("解答欄の位置（縦）"));
    spnAnsX->setAccessibleName(QStringLiteral("解答位置（横）"));
    spnAnsY->setAccessibleName(QStringLiteral("解答位置（縦）"));
    // The box offsets and the second answer position are kept and saved with the
    // worksheet, but the page does not use them: they are not shown.
    for (QWidget* unused : {static_cast<QWidget*>(spnKranX), static_cast<QWidget*>(spnKranY),
                            static_cast<QWidget*>(spnAnsY)}) {
        unused->setParent(box);
        unused->hide();
    }
    QToolButton* up = makeArrow("btnUp", Qt::UpArrow, spnAnsY, -1, QStringLiteral("解答を上へ"));
    QToolButton* down =
        makeArrow("btnDown", Qt::DownArrow, spnAnsY, 1, QStringLiteral("解答を下へ"));
    up->setParent(box);
    down->setParent(box);
    up->hide();
    down->hide();

    auto* answer = new QLabel(QStringLiteral("解答位置"));
    answer->setBuddy(spnAnsX);
    grid->addWidget(answer, 0, 0, 1, 2);
    auto* row = new QHBoxLayout;
    row->setSpacing(1);
    row->addWidget(makeArrow("btnLeft", Qt::LeftArrow, spnAnsX, -1, QStringLiteral("解答を左へ")));
    row->addWidget(spnAnsX);
    row->addWidget(
        makeArrow("btnRight", Qt::RightArrow, spnAnsX, 1, QStringLiteral("解答を右へ")));
    row->addStretch(1);
    grid->addLayout(row, 1, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("左空白"), spnLeftM), 2, 0);
    grid->addWidget(label(QStringLiteral("右空白"), spnRightM), 2, 1);
    grid->addWidget(spnLeftM, 3, 0);
    grid->addWidget(spnRightM, 3, 1);

    btnKakudai = new QPushButton(QStringLiteral("拡大"));
    btnKakudai->setObjectName(QStringLiteral("btnKakudai"));
    btnKakudai->setAutoDefault(false);
    connect(btnKakudai, &QPushButton::clicked, this, &TfrmSettei::btnKakudaiClick);
    grid->addWidget(btnKakudai, 4, 0, 1, 2);
    return box;
}

QGroupBox* TfrmSettei::buildKind() {
    QGroupBox* box = nullptr;
    QGridLayout* grid = group(box, QStringLiteral("解答欄の形"), "grbKind");
    struct Shape {
        const char* name;
        const char* caption;
        const char* spoken; // what a screen reader says for the caption
    };
    const Shape shapes[] = {
        {"radNon", "なし", "なし"},        {"radShikaku", "四角", "四角"},
        {"radKakko", "[   ]", "角かっこ"}, {"radLine", "【　】", "すみ付きかっこ"},
        {"radKasen", "____", "下線"},      {"radRound", "角丸", "角丸"}};
    for (int kind = 0; kind < 6; ++kind) {
        auto* button = new QRadioButton(QString::fromUtf8(shapes[kind].caption), box);
        button->setObjectName(QString::fromLatin1(shapes[kind].name));
        button->setAccessibleName(QString::fromUtf8(shapes[kind].spoken));
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

    spnKranWX = makeSpin("spnKranWX", -Unbounded, Unbounded, SetBoxWidth);
    spnKranH = makeSpin("spnKranH", -Unbounded, Unbounded, SetBoxHeight);
    grid->addWidget(label(QStringLiteral("幅"), spnKranWX), 2, 0);
    grid->addWidget(label(QStringLiteral("高さ"), spnKranH), 2, 1);
    grid->addWidget(spnKranWX, 3, 0);
    grid->addWidget(spnKranH, 3, 1);
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
    spnKranWX->setEnabled(spins.width);
    spnKranH->setEnabled(spins.height);
}

void TfrmSettei::kindChosen(int kind) {
    const BoxKindSpins spins = SizeSpinsOf(kind);
    spnKranWX->setEnabled(spins.width);
    spnKranH->setEnabled(spins.height);
    SetBoxKind(desk_.program(), kind);
}

void TfrmSettei::refreshFromWorksheet() {
    const Worksheet* sheet = desk_.program().sheets.current;
    if (!sheet) return;
    const KranSettings& kran = sheet->kranSettings();
    const std::pair<QSpinBox*, int> values[] = {
        {spnLeftM, sheet->LeftMargin}, {spnRightM, sheet->RightMargin},
        {spnKranWX, kran.width},       {spnKranH, kran.height},
        {spnAnsX, kran.answerX},       {spnAnsY, kran.answerY},
        {spnKranX, kran.offsetX},      {spnKranY, kran.offsetY}};
    for (const auto& [spin, value] : values) {
        const QSignalBlocker quiet(spin);
        spin->setValue(value);
    }
}

void TfrmSettei::setWarnings(const QString& text) {
    lblWarning->setText(text);
    lblWarning->setVisible(!text.isEmpty());
}

void TfrmSettei::refreshWarnings() {
    const Program& program = desk_.program();
    const Worksheet* sheet = program.sheets.current;
    if (!sheet) {
        setWarnings({});
        return;
    }
    // The strip is narrow: the first two problems are shown, all of them in the tip.
    const std::vector<LayoutProblem> problems = LayoutProblemsOf(*sheet);
    QStringList all;
    for (const LayoutProblem& problem : problems)
        all << qs(problem.message);
    QStringList shown = all.mid(0, 2);
    if (all.size() > 2) shown << QStringLiteral("ほか%1件").arg(all.size() - 2);
    setWarnings(shown.join(u'\n'));
    lblWarning->setToolTip(all.join(u'\n'));
    lblWarning->setAccessibleDescription(all.join(u'\n'));
}

void TfrmSettei::openForActive() {
    Program& program = desk_.program();
    Worksheet* sheet = program.sheets.current;
    if (!sheet) return;
    // The controls show the worksheet as it is; filling them changes nothing in it.
    refreshFromWorksheet();
    const BoxSettings boxes = BoxSettingsOf(*sheet);
    showKind(boxes.kind);
    const std::pair<QSpinBox*, int> values[] = {{spnKranWX, boxes.width},
                                                {spnKranH, boxes.height},
                                                {spnKranX, boxes.offsetX},
                                                {spnKranY, boxes.offsetY}};
    for (const auto& [spin, value] : values) {
        const QSignalBlocker quiet(spin);
        spin->setValue(value);
    }
    // The boxes being edited must be visible.
    desk_.showAnswers();
    placeOverPanel();
    btnKakudai->setText(desk_.reducedViewCaption());
    refreshWarnings();
    btnOk->setFocus();
    if (desk_.runModal(*this) == QDialog::Accepted && program.sheets.current)
        KeepBoxSize(program, spnKranWX->value(), spnKranH->value());
}

void TfrmSettei::placeOverPanel() {
    // Over the command panel, which cannot be used while the strip is open, leaving the
    // worksheet beside it in view; from the panel's top down to the screen's bottom.
    const QRect panel = desk_.commandPanelArea();
    if (panel.isNull()) return;
    move(panel.topLeft());
    const int titleBar = 30; // the window manager's, above the strip's own height
    resize(width(), std::max(panel.height() - titleBar, minimumSizeHint().height()));
}

void TfrmSettei::btnKakudaiClick() {
    desk_.toggleReducedView();
    btnKakudai->setText(desk_.reducedViewCaption());
}

void TfrmSettei::btnOkClick() {
    accept();
}

bool TfrmSettei::handleKey(QKeyEvent* event, QObject* target) {
    switch (event->key()) {
    case Qt::Key_Escape:
        btnOk->click();
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        desk_.scrollPage();
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
        if (stepShape(target, event->key() == Qt::Key_Down || event->key() == Qt::Key_Right))
            return true;
        [[fallthrough]];
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

bool TfrmSettei::stepShape(QObject* from, bool forward) {
    // The shapes offered, in reading order; an arrow key chooses the next one round.
    const QRadioButton* offered[] = {shapes_[0], shapes_[1], shapes_[4], shapes_[5]};
    const auto at = std::find(std::begin(offered), std::end(offered), from);
    if (at == std::end(offered)) return false;
    const auto n = static_cast<std::ptrdiff_t>(std::size(offered));
    const std::ptrdiff_t next = ((at - std::begin(offered)) + (forward ? 1 : n - 1)) % n;
    QRadioButton* chosen = shapes_[next < 2 ? next : next + 2];
    chosen->setFocus(Qt::OtherFocusReason);
    chosen->click();
    return true;
}

bool TfrmSettei::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent*>(event), watched);
    return QDialog::eventFilter(watched, event);
}

void TfrmSettei::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event, this)) QDialog::keyPressEvent(event);
}
