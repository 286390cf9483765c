#include "gui/TfrmRenshu.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/KeypadPanel.h"
#include "gui/MessagePicture.h"
#include "gui/PageView.h"
#include "gui/ScratchPad.h"
#include "gui/SoftKeyboard.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "platform/Timer.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "shell/PracticeRecords.h"
#include "worksheet/Worksheet.h"

namespace {

// The side column: the answer panel during a run, the narrower run buttons between runs
// (so that the page and the records fit beside them on a small screen).
constexpr int SideWidth = 232;
constexpr int ButtonsWidth = 160;
constexpr int MinRecordsWidth = 150;

// The answer fields' colours (解答欄の色).
const QColor FieldColors[4] = {QColor(192, 255, 255), QColor(192, 255, 192), QColor(255, 255, 192),
                               QColor(255, 192, 255)};

} // namespace

TfrmRenshu::TfrmRenshu(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmRenshu"));
    setAccessibleName(QStringLiteral("学習"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(5);

    side_ = new QWidget(this);
    side_->setFixedWidth(ButtonsWidth);
    auto* sideLayout = new QVBoxLayout(side_);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(buildRunButtons());
    sideLayout->addWidget(buildAnswerPanel());
    layout->addWidget(side_);

    imgPaper2 = new PageView;
    imgPaper2->setObjectName(QStringLiteral("imgPaper2"));
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrPaper"));
    scroll_->setWidget(imgPaper2);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(scroll_, 1);
    layout->addWidget(buildResultsPanel());
    buildFields();
}

TfrmRenshu::~TfrmRenshu() = default;

QPushButton* TfrmRenshu::button(QWidget* parent, const char* name, const QString& caption) {
    QPushButton* b = makeButton(parent, name, caption);
    b->setMinimumHeight(30);
    b->installEventFilter(this);
    return b;
}

QWidget* TfrmRenshu::buildRunButtons() {
    pnlRenshu = new QWidget(this);
    pnlRenshu->setObjectName(QStringLiteral("pnlRenshu"));
    auto* l = new QVBoxLayout(pnlRenshu);
    l->setContentsMargins(4, 4, 4, 4);
    btnAnki = button(pnlRenshu, "btnAnki", QStringLiteral("暗記"));
    btnRenshu = button(pnlRenshu, "btnRenshu", QStringLiteral("練習"));
    btnFukushu = button(pnlRenshu, "btnFukushu", QStringLiteral("復習　"));
    btnTest = button(pnlRenshu, "btnTest", QStringLiteral("テスト"));
    btnSeikai = button(pnlRenshu, "btnSeikai", QStringLiteral("正解表示"));
    btnTouan = button(pnlRenshu, "btnTouan", QStringLiteral("答案表示"));
    btnStartPrint = button(pnlRenshu, "btnStartPrint", QStringLiteral("印　刷　"));
    btnShowRecord = button(pnlRenshu, "btnShowRecord", QStringLiteral("記録表示"));
    btnMyCopy = button(pnlRenshu, "btnMyCopy", QStringLiteral("自分のプリント"));
    btnEnd = button(pnlRenshu, "btnEnd", QStringLiteral("閉じる"));
    for (QPushButton* b : {btnAnki, btnRenshu, btnFukushu, btnTest}) {
        b->setMinimumHeight(40);
        b->setFont(uiFont("ＭＳ Ｐゴシック", 18, true));
        l->addWidget(b);
    }
    l->addSpacing(10);
    for (QPushButton* b : {btnSeikai, btnTouan, btnStartPrint, btnShowRecord, btnMyCopy})
        l->addWidget(b);
    l->addSpacing(10);
    l->addWidget(btnEnd);
    l->addSpacing(10);

    grbColor = new QGroupBox(QStringLiteral("解答欄の色"), pnlRenshu);
    grbColor->setObjectName(QStringLiteral("grbColor"));
    auto* colors = new QGridLayout(grbColor);
    static const char* const spoken[4] = {"水色", "緑", "黄色", "桃色"};
    for (int i = 0; i < 4; ++i) {
        rad_[static_cast<std::size_t>(i)] = new QRadioButton(grbColor);
        QRadioButton* r = rad_[static_cast<std::size_t>(i)];
        r->setObjectName(QStringLiteral("rad%1").arg(i + 1));
        r->setAccessibleName(QString::fromUtf8(spoken[i]));
        auto* swatch = new QLabel(grbColor);
        swatch->setObjectName(QStringLiteral("shpCol%1").arg(i + 1));
        swatch->setFixedSize(18, 18);
        swatch->setFrameShape(QFrame::Box);
        paintBackground(swatch, FieldColors[i]);
        colors->addWidget(r, i / 2, (i % 2) * 2);
        colors->addWidget(swatch, i / 2, (i % 2) * 2 + 1);
        connect(r, &QRadioButton::clicked, this, [this, i] { setFieldColor(i); });
    }
    rad_[0]->setChecked(true);
    l->addWidget(grbColor);
    l->addStretch(1);

    connect(btnAnki, &QPushButton::clicked, this, &TfrmRenshu::btnAnkiClick);
    connect(btnRenshu, &QPushButton::clicked, this, &TfrmRenshu::btnRenshuClick);
    connect(btnFukushu, &QPushButton::clicked, this, &TfrmRenshu::btnFukushuClick);
    connect(btnTest, &QPushButton::clicked, this, &TfrmRenshu::btnTestClick);
    connect(btnSeikai, &QPushButton::clicked, this, &TfrmRenshu::btnSeikaiClick);
    connect(btnTouan, &QPushButton::clicked, this, &TfrmRenshu::btnTouanClick);
    connect(btnStartPrint, &QPushButton::clicked, this, &TfrmRenshu::btnStartPrintClick);
    connect(btnShowRecord, &QPushButton::clicked, this, &TfrmRenshu::btnShowRecordClick);
    connect(btnMyCopy, &QPushButton::clicked, this, &TfrmRenshu::btnMyCopyClick);
    connect(btnEnd, &QPushButton::clicked, this, &TfrmRenshu::btnEndClick);
    return pnlRenshu;
}

QWidget* TfrmRenshu::buildAnswerPanel() {
    pnlSS = new QWidget(this);
    pnlSS->setObjectName(QStringLiteral("pnlSS"));
    auto* l = new QVBoxLayout(pnlSS);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(4);
    l->addWidget(buildInputMode());

    grbSelect = new QGroupBox(QStringLiteral("答えの選択"), pnlSS);
    grbSelect->setObjectName(QStringLiteral("grbSelect"));
    auto* sl = new QGridLayout(grbSelect);
    lstKgroup = namedList(grbSelect, "lstKgroup", QRect(), QStringLiteral("答えの選択"));
    lstKgroup->setFont(uiFont("ＭＳ 明朝", 16));
    lstKgroup->setFocusPolicy(Qt::NoFocus);
    sl->addWidget(lstKgroup, 0, 0, 1, 2);
    // For a pupil with the mouse alone: the chosen answer is entered or cleared here.
    btnClear2 = button(grbSelect, "btnClear2", QStringLiteral("クリア"));
    btnNext2 = button(grbSelect, "btnNext2", QStringLiteral("入力"));
    for (QPushButton* b : {btnClear2, btnNext2})
        b->setFocusPolicy(Qt::NoFocus);
    sl->addWidget(btnClear2, 1, 0);
    sl->addWidget(btnNext2, 1, 1);
    l->addWidget(grbSelect, 3);
    connect(lstKgroup, &QListWidget::itemClicked, this, &TfrmRenshu::lstKgroupClick);
    connect(btnNext2, &QPushButton::clicked, this, &TfrmRenshu::btnNext2Click);
    connect(btnClear2, &QPushButton::clicked, this, &TfrmRenshu::btnClear2Click);

    grbMoji = new SoftKeyboard(pnlSS);
    l->addWidget(grbMoji);
    connect(grbMoji, &SoftKeyboard::keyPressed, this, [this](const QString& caption) {
        QLineEdit* f = currentField();
        if (!f) return;
        setFieldText(qs(SoftKeyPress(sj(f->text()), f->hasSelectedText(), sj(caption))));
    });
    connect(grbMoji, &SoftKeyboard::backSpace, this, [this] {
        if (QLineEdit* f = currentField()) setFieldText(qs(BackSpace(sj(f->text()))));
    });
    connect(grbMoji, &SoftKeyboard::clear, this, [this] { setFieldText(QString()); });
    connect(grbMoji, &SoftKeyboard::next, this, [this] { answerEnter(curKran_); });

    pnlBunsu = new KeypadPanel(pnlSS);
    l->addWidget(pnlBunsu);
    connect(pnlBunsu, &KeypadPanel::padDigit, this, [this](char d) {
        PadDigit(w_.pad, d);
        padChanged();
    });
    connect(pnlBunsu, &KeypadPanel::padBunno, this, [this] {
        PadBunno(w_.pad);
        padChanged();
    });
    connect(pnlBunsu, &KeypadPanel::padSign, this, [this](char s) {
        PadSign(w_.pad, s);
        padChanged();
    });
    connect(pnlBunsu, &KeypadPanel::padInsert, this, [this] {
        if (QLineEdit* f = currentField()) setFieldText(qs(PadInsert(w_.pad, sj(f->text()))));
        padChanged();
    });
    connect(pnlBunsu, &KeypadPanel::padNext, this, [this] {
        QLineEdit* f = currentField();
        if (!f) return;
        const PadNext next = PadNextKey(w_.pad, sj(f->text()));
        setFieldText(qs(next.text));
        padChanged();
        if (next.enter) answerEnter(curKran_);
    });
    connect(pnlBunsu, &KeypadPanel::padClear, this, [this] {
        PadClear(w_.pad);
        padChanged();
        setFieldText(QString());
    });
    connect(pnlBunsu, &KeypadPanel::integerKey, this, [this](const QString& caption) {
        if (QLineEdit* f = currentField()) setFieldText(qs(IntegerKey(sj(f->text()), sj(caption))));
    });
    connect(pnlBunsu, &KeypadPanel::clearField, this, [this] { setFieldText(QString()); });
    connect(pnlBunsu, &KeypadPanel::enterField, this, [this] { answerEnter(curKran_); });

    grbTest = new QGroupBox(pnlSS);
    grbTest->setObjectName(QStringLiteral("grbTest"));
    auto* tl = new QGridLayout(grbTest);
    tl->setContentsMargins(4, 4, 4, 4);
    btnAnswer = button(grbTest, "btnAnswer", QStringLiteral("答えを見る"));
    btnHint = button(grbTest, "btnHint", QStringLiteral("ヒントを見る"));
    btnSaiten = button(grbTest, "btnSaiten", QStringLiteral("採点　"));
    btnAbort = button(grbTest, "btnAbort", QStringLiteral("中止"));
    tl->addWidget(btnAnswer, 0, 0);
    tl->addWidget(btnHint, 0, 1);
    tl->addWidget(btnSaiten, 1, 0);
    tl->addWidget(btnAbort, 1, 1);
    l->addWidget(grbTest);
    connect(btnAnswer, &QPushButton::clicked, this, &TfrmRenshu::btnAnswerClick);
    connect(btnHint, &QPushButton::clicked, this, &TfrmRenshu::btnHintClick);
    connect(btnSaiten, &QPushButton::clicked, this, &TfrmRenshu::btnSaitenClick);
    connect(btnAbort, &QPushButton::clicked, this, &TfrmRenshu::btnAbortClick);
    l->addWidget(buildMemoriseButtons());

    imgMessXX = new MessagePicture(pnlSS);
    imgMessXX->setObjectName(QStringLiteral("imgMessXX"));
    imgMessXX->setAccessibleName(QStringLiteral("答え合わせの知らせ"));
    imgMessXX->setFixedHeight(FeedbackHeight);
    l->addWidget(imgMessXX);

    imgMemo = new ScratchPad(desk_.cursors(), pnlSS);
    imgMemo->setObjectName(QStringLiteral("imgMemo"));
    imgMemo->setAccessibleName(QStringLiteral("計算用紙"));
    imgMemo->setMinimumHeight(120);
    l->addWidget(imgMemo, 2);
    // Shown by a run, one way of input at a time: never all at once, or the window grows
    // taller than the screen.
    grbSelect->hide();
    grbMoji->hide();
    pnlSS->hide();
    return pnlSS;
}

QWidget* TfrmRenshu::buildInputMode() {
    grbInput = new QGroupBox(QStringLiteral("入力モード"), pnlSS);
    grbInput->setObjectName(QStringLiteral("grbInput"));
    auto* l = new QHBoxLayout(grbInput);
    l->setContentsMargins(6, 2, 6, 2);
    chkKaitou = new QCheckBox(QStringLiteral("解答選択"), grbInput);
    chkKaitou->setObjectName(QStringLiteral("chkKaitou"));
    chkRandom = new QCheckBox(QStringLiteral("ランダム"), grbInput);
    chkRandom->setObjectName(QStringLiteral("chkRandom"));
    for (QCheckBox* c : {chkKaitou, chkRandom}) {
        c->setChecked(true);
        l->addWidget(c);
        connect(c, &QCheckBox::clicked, this, &TfrmRenshu::chkInputModeClick);
    }
    chkKaitou->setAccessibleDescription(QStringLiteral("答えを一覧から選ぶ"));
    chkRandom->setAccessibleDescription(QStringLiteral("一覧を毎回並べ替える"));
    return grbInput;
}

QWidget* TfrmRenshu::buildMemoriseButtons() {
    pnlAnki = new QGroupBox(pnlSS);
    pnlAnki->setObjectName(QStringLiteral("pnlAnki"));
    auto* l = new QGridLayout(pnlAnki);
    l->setContentsMargins(4, 4, 4, 4);
    btnNextA = button(pnlAnki, "btnNextA", QStringLiteral("消して次へ"));
    btnNextB = button(pnlAnki, "btnNextB", QStringLiteral("消さずに次へ"));
    btnShow = button(pnlAnki, "btnShow", QStringLiteral("すべて表示"));
    btnAllClear = button(pnlAnki, "btnAllClear", QStringLiteral("すべて消去"));
    btnClose = button(pnlAnki, "btnClose", QStringLiteral("暗記終了"));
    l->addWidget(btnNextA, 0, 0);
    l->addWidget(btnNextB, 0, 1);
    l->addWidget(btnShow, 1, 0);
    l->addWidget(btnAllClear, 1, 1);
    l->addWidget(btnClose, 2, 0, 1, 2);
    connect(btnNextA, &QPushButton::clicked, this, &TfrmRenshu::btnNextAClick);
    connect(btnNextB, &QPushButton::clicked, this, &TfrmRenshu::btnNextBClick);
    connect(btnShow, &QPushButton::clicked, this, &TfrmRenshu::btnShowClick);
    connect(btnAllClear, &QPushButton::clicked, this, &TfrmRenshu::btnAllClearClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmRenshu::btnCloseClick);
    pnlAnki->hide();
    return pnlAnki;
}

QWidget* TfrmRenshu::buildResultsPanel() {
    pnlKiroku = new QWidget(this);
    pnlKiroku->setObjectName(QStringLiteral("pnlKiroku"));
    // As narrow as a small screen needs, so that the page beside it shows its whole width;
    // the records then wrap.
    pnlKiroku->setMinimumWidth(MinRecordsWidth);
    pnlKiroku->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pnlKiroku->setMaximumWidth(420);
    auto* l = new QVBoxLayout(pnlKiroku);
    l->setContentsMargins(4, 4, 4, 4);
    lblKiroku = new QLabel(pnlKiroku);
    lblKiroku->setObjectName(QStringLiteral("lblKiroku"));
    lblKiroku->setWordWrap(true);
    memKiroku = new QPlainTextEdit(pnlKiroku);
    memKiroku->setObjectName(QStringLiteral("memKiroku"));
    memKiroku->setReadOnly(true);
    memKiroku->setAccessibleName(QStringLiteral("練習の記録"));
    memKiroku->setFont(uiFont("ＭＳ ゴシック", 12));
    memKiroku->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memKiroku->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    lblKiroku->setBuddy(memKiroku);
    imgMess = new MessagePicture(pnlKiroku);
    imgMess->setObjectName(QStringLiteral("imgMess"));
    imgMess->setAccessibleName(QStringLiteral("学習の案内"));
    imgMess->setMinimumHeight(240);
    connect(imgMess, &MessagePicture::clicked, this, &TfrmRenshu::imgMessClick);
    l->addWidget(lblKiroku);
    l->addWidget(memKiroku, 1);
    l->addWidget(imgMess, 1);
    return pnlKiroku;
}

void TfrmRenshu::buildFields() {
    for (int k = 1; k <= MaxKran; ++k) {
        auto* f = new QLineEdit(imgPaper2);
        f->setObjectName(QStringLiteral("M%1").arg(k));
        f->setAccessibleName(QStringLiteral("解答欄 %1").arg(k));
        f->setFrame(false);
        f->setTextMargins(2, 0, 2, 0);
        f->hide();
        f->installEventFilter(this);
        connect(f, &QLineEdit::returnPressed, this, [this, k] { answerEnter(k); });
        fields_[static_cast<std::size_t>(k)] = f;
    }
    setFieldColor(0);
}

QLineEdit* TfrmRenshu::field(int box) const {
    return box >= 1 && box <= MaxKran ? fields_[static_cast<std::size_t>(box)] : nullptr;
}

QLineEdit* TfrmRenshu::currentField() const {
    QLineEdit* f = field(curKran_);
    return f && !f->isHidden() && !f->isReadOnly() ? f : nullptr;
}

void TfrmRenshu::focusField(int box) {
    QLineEdit* f = field(box);
    if (!f || f->isHidden()) return;
    curKran_ = box;
    f->setFocus();
    scroll_->ensureWidgetVisible(f, 40, 60);
}

void TfrmRenshu::setFieldColor(int index) {
    colorIndex_ = index;
    const QString sheet = QStringLiteral("QLineEdit { background: %1; color: black; "
                                         "border: 1px solid #5a8aa0; }")
                              .arg(FieldColors[index].name());
    for (int k = 1; k <= MaxKran; ++k)
        fields_[static_cast<std::size_t>(k)]->setStyleSheet(sheet);
    if (QLineEdit* f = currentField()) f->setFocus();
}

void TfrmRenshu::relayoutPage() {
    if (!w_.sheet) return;
    const int w = std::max(1, w_.sheet->paper.Width);
    const int h = std::max(1, w_.sheet->paper.Height);
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    const QSize pixels(qRound(w * ratio), qRound(h * ratio));
    if (page_.size() != pixels) page_ = makePageImage(pixels.width(), pixels.height());
    page_.setDevicePixelRatio(1.0);
    {
        QtCanvas canvas(page_);
        if (pixels != QSize(w, h)) canvas.setScreenRatio(w, h, ratio);
        LayOutPracticePage(desk_.program(), w_, canvas);
    }
    page_.setDevicePixelRatio(static_cast<qreal>(pixels.width()) / w);
    imgPaper2->setSheet(w_.sheet);
    imgPaper2->showImage(&page_, false);
    imgPaper2->update();
    // The page takes its whole width first where the window has it; the records beside it
    // take what is left.
    const int frame = 2 * scroll_->frameWidth() + scroll_->verticalScrollBar()->sizeHint().width();
    scroll_->setMaximumWidth(pnlKiroku->isHidden() ? QWIDGETSIZE_MAX : w + frame);
    placeFields();
}

void TfrmRenshu::placeFields() {
    for (int k = 1; k <= MaxKran; ++k)
        placeField(k);
}

void TfrmRenshu::placeField(int box) {
    QLineEdit* f = field(box);
    const bool open = w_.run.phase == RunPhase::Running && box <= w_.run.count &&
                      w_.run.boxes[static_cast<std::size_t>(box)].inRun &&
                      !w_.run.boxes[static_cast<std::size_t>(box)].solved;
    const Rect place = open ? FieldPlace(desk_.program(), w_, box) : Rect{};
    if (place.width() <= 0 || place.height() <= 0) {
        f->hide();
        return;
    }
    const QRect r = imgPaper2->toView(place);
    // The answer's points on the page, kept inside the field's height.
    const int pixels =
        std::min((FieldFontSize(w_, box) * 4 + 1) / 3, std::max(8, r.height() - 4));
    f->setFont(uiFont("ＭＳ 明朝", pixels * r.width() / std::max(1, place.width())));
    f->setGeometry(r);
    f->show();
}

void TfrmRenshu::showInputWay() {
    // One way of entering answers at a time, as the input mode chooses.
    const InputWay way = InputWayOf(w_);
    const bool memorising = w_.run.kind == RunKind::Memorise;
    grbInput->setVisible(!memorising);
    chkKaitou->setChecked(w_.input.choices);
    chkRandom->setChecked(w_.input.random);
    chkKaitou->setEnabled(!w_.choices.empty());
    chkRandom->setEnabled(!w_.choices.empty() && w_.input.choices);
    grbMoji->setVisible(!memorising && way == InputWay::SoftKeys);
    if (way == InputWay::SoftKeys) grbMoji->setCaptions(w_.softKeys);
    grbSelect->setVisible(!memorising && way == InputWay::Choices);
    lstKgroup->clear();
    lstKgroup->addItems(qsLines(w_.choices));
    pnlBunsu->setVisible(!memorising && way == InputWay::Keypad);
    pnlBunsu->showPad(w_.pad);
}

void TfrmRenshu::showAnswerPanel() {
    side_->setFixedWidth(SideWidth);
    pnlSS->show();
}

void TfrmRenshu::showBetweenRuns() {
    for (int k = 1; k <= MaxKran; ++k)
        fields_[static_cast<std::size_t>(k)]->hide();
    pnlSS->hide();
    pnlAnki->hide();
    side_->setFixedWidth(ButtonsWidth);
    pnlRenshu->show();
    pnlKiroku->show();
    const bool marked = w_.run.phase == RunPhase::Marked;
    btnSeikai->setEnabled(MayShowAllAnswers(w_.run));
    btnTouan->setEnabled(marked);
    btnTest->setEnabled(true);
    btnFukushu->setEnabled(marked && w_.run.reviewOffered);
    showRecords();
    scroll_->verticalScrollBar()->setValue(0);
}

void TfrmRenshu::showRecords() {
    if (!w_.sheet) return;
    const UnitRecordsView view = UnitRecords(desk_.program(), *w_.sheet);
    lblKiroku->setText(qs(view.caption));
    memKiroku->setPlainText(qsLines(view.lines).join(QLatin1Char('\n')));
}

void TfrmRenshu::showGuidance() {
    const QColor blue(0, 0, 255);
    imgMess->line(0, QStringLiteral("　　　標準の学習コース"), 14, blue);
    imgMess->line(2, QStringLiteral("（１）［練習］ボタンで練習する"), 10, blue);
    imgMess->line(3, QStringLiteral("（２）［復習］ボタンで間違ったところを復習する"), 8, blue);
    imgMess->line(4, QStringLiteral("（３）［テスト］ボタンでテストする"), 10, blue);
}

bool TfrmRenshu::event(QEvent* event) {
    // A move to a screen of another pixel ratio draws the page again at that ratio.
    if (event->type() == QEvent::ScreenChangeInternal && open_ &&
        page_.devicePixelRatio() != std::max<qreal>(1.0, devicePixelRatioF()))
        relayoutPage();
    return QDialog::event(event);
}
