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

    imgPaper2_ = new PageView;
    imgPaper2_->setObjectName(QStringLiteral("imgPaper2"));
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrPaper"));
    scroll_->setWidget(imgPaper2_);
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
    pnlRenshu_ = new QWidget(this);
    pnlRenshu_->setObjectName(QStringLiteral("pnlRenshu"));
    auto* l = new QVBoxLayout(pnlRenshu_);
    l->setContentsMargins(4, 4, 4, 4);
    btnAnki_ = button(pnlRenshu_, "btnAnki", QStringLiteral("暗記"));
    btnRenshu_ = button(pnlRenshu_, "btnRenshu", QStringLiteral("練習"));
    btnFukushu_ = button(pnlRenshu_, "btnFukushu", QStringLiteral("復習　"));
    btnTest_ = button(pnlRenshu_, "btnTest", QStringLiteral("テスト"));
    btnSeikai_ = button(pnlRenshu_, "btnSeikai", QStringLiteral("正解表示"));
    btnTouan_ = button(pnlRenshu_, "btnTouan", QStringLiteral("答案表示"));
    btnStartPrint_ = button(pnlRenshu_, "btnStartPrint", QStringLiteral("印　刷　"));
    btnShowRecord_ = button(pnlRenshu_, "btnShowRecord", QStringLiteral("記録表示"));
    btnEnd_ = button(pnlRenshu_, "btnEnd", QStringLiteral("閉じる"));
    for (QPushButton* b : {btnAnki_, btnRenshu_, btnFukushu_, btnTest_}) {
        b->setMinimumHeight(40);
        b->setFont(uiFont("ＭＳ Ｐゴシック", 18, true));
        l->addWidget(b);
    }
    l->addSpacing(10);
    for (QPushButton* b : {btnSeikai_, btnTouan_, btnStartPrint_, btnShowRecord_})
        l->addWidget(b);
    l->addSpacing(10);
    l->addWidget(btnEnd_);
    l->addSpacing(10);

    grbColor_ = new QGroupBox(QStringLiteral("解答欄の色"), pnlRenshu_);
    grbColor_->setObjectName(QStringLiteral("grbColor"));
    auto* colors = new QGridLayout(grbColor_);
    static const char* const spoken[4] = {"水色", "緑", "黄色", "桃色"};
    for (int i = 0; i < 4; ++i) {
        rad_[static_cast<std::size_t>(i)] = new QRadioButton(grbColor_);
        QRadioButton* r = rad_[static_cast<std::size_t>(i)];
        r->setObjectName(QStringLiteral("rad%1").arg(i + 1));
        r->setAccessibleName(QString::fromUtf8(spoken[i]));
        auto* swatch = new QLabel(grbColor_);
        swatch->setObjectName(QStringLiteral("shpCol%1").arg(i + 1));
        swatch->setFixedSize(18, 18);
        swatch->setFrameShape(QFrame::Box);
        paintBackground(swatch, FieldColors[i]);
        colors->addWidget(r, i / 2, (i % 2) * 2);
        colors->addWidget(swatch, i / 2, (i % 2) * 2 + 1);
        connect(r, &QRadioButton::clicked, this, [this, i] { setFieldColor(i); });
    }
    rad_[0]->setChecked(true);
    l->addWidget(grbColor_);
    l->addStretch(1);

    connect(btnAnki_, &QPushButton::clicked, this, &TfrmRenshu::btnAnkiClick);
    connect(btnRenshu_, &QPushButton::clicked, this, &TfrmRenshu::btnRenshuClick);
    connect(btnFukushu_, &QPushButton::clicked, this, &TfrmRenshu::btnFukushuClick);
    connect(btnTest_, &QPushButton::clicked, this, &TfrmRenshu::btnTestClick);
    connect(btnSeikai_, &QPushButton::clicked, this, &TfrmRenshu::btnSeikaiClick);
    connect(btnTouan_, &QPushButton::clicked, this, &TfrmRenshu::btnTouanClick);
    connect(btnStartPrint_, &QPushButton::clicked, this, &TfrmRenshu::btnStartPrintClick);
    connect(btnShowRecord_, &QPushButton::clicked, this, &TfrmRenshu::btnShowRecordClick);
    connect(btnEnd_, &QPushButton::clicked, this, &TfrmRenshu::btnEndClick);
    return pnlRenshu_;
}

QWidget* TfrmRenshu::buildAnswerPanel() {
    pnlSS_ = new QWidget(this);
    pnlSS_->setObjectName(QStringLiteral("pnlSS"));
    auto* l = new QVBoxLayout(pnlSS_);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(4);
    l->addWidget(buildInputMode());

    grbSelect_ = new QGroupBox(QStringLiteral("答えの選択"), pnlSS_);
    grbSelect_->setObjectName(QStringLiteral("grbSelect"));
    auto* sl = new QGridLayout(grbSelect_);
    lstKgroup_ = namedList(grbSelect_, "lstKgroup", QRect(), QStringLiteral("答えの選択"));
    lstKgroup_->setFont(uiFont("ＭＳ 明朝", 16));
    lstKgroup_->setFocusPolicy(Qt::NoFocus);
    sl->addWidget(lstKgroup_, 0, 0, 1, 2);
    // For a pupil with the mouse alone: the chosen answer is entered or cleared here.
    btnClear2_ = button(grbSelect_, "btnClear2", QStringLiteral("クリア"));
    btnNext2_ = button(grbSelect_, "btnNext2", QStringLiteral("入力"));
    for (QPushButton* b : {btnClear2_, btnNext2_})
        b->setFocusPolicy(Qt::NoFocus);
    sl->addWidget(btnClear2_, 1, 0);
    sl->addWidget(btnNext2_, 1, 1);
    l->addWidget(grbSelect_, 3);
    connect(lstKgroup_, &QListWidget::itemClicked, this, &TfrmRenshu::lstKgroupClick);
    connect(btnNext2_, &QPushButton::clicked, this, &TfrmRenshu::btnNext2Click);
    connect(btnClear2_, &QPushButton::clicked, this, &TfrmRenshu::btnClear2Click);

    grbMoji_ = new SoftKeyboard(pnlSS_);
    l->addWidget(grbMoji_);
    connect(grbMoji_, &SoftKeyboard::keyPressed, this, [this](const QString& caption) {
        QLineEdit* f = currentField();
        if (!f) return;
        setFieldText(qs(SoftKeyPress(sj(f->text()), f->hasSelectedText(), sj(caption))));
    });
    connect(grbMoji_, &SoftKeyboard::backSpace, this, [this] {
        if (QLineEdit* f = currentField()) setFieldText(qs(BackSpace(sj(f->text()))));
    });
    connect(grbMoji_, &SoftKeyboard::clear, this, [this] { setFieldText(QString()); });
    connect(grbMoji_, &SoftKeyboard::next, this, [this] { answerEnter(curKran_); });

    pnlBunsu_ = new KeypadPanel(pnlSS_);
    l->addWidget(pnlBunsu_);
    connect(pnlBunsu_, &KeypadPanel::padDigit, this, [this](char d) {
        PadDigit(w_.pad, d);
        padChanged();
    });
    connect(pnlBunsu_, &KeypadPanel::padBunno, this, [this] {
        PadBunno(w_.pad);
        padChanged();
    });
    connect(pnlBunsu_, &KeypadPanel::padSign, this, [this](char s) {
        PadSign(w_.pad, s);
        padChanged();
    });
    connect(pnlBunsu_, &KeypadPanel::padInsert, this, [this] {
        if (QLineEdit* f = currentField()) setFieldText(qs(PadInsert(w_.pad, sj(f->text()))));
        padChanged();
    });
    connect(pnlBunsu_, &KeypadPanel::padNext, this, [this] {
        QLineEdit* f = currentField();
        if (!f) return;
        const PadNext next = PadNextKey(w_.pad, sj(f->text()));
        setFieldText(qs(next.text));
        padChanged();
        if (next.enter) answerEnter(curKran_);
    });
    connect(pnlBunsu_, &KeypadPanel::padClear, this, [this] {
        PadClear(w_.pad);
        padChanged();
        setFieldText(QString());
    });
    connect(pnlBunsu_, &KeypadPanel::integerKey, this, [this](const QString& caption) {
        if (QLineEdit* f = currentField()) setFieldText(qs(IntegerKey(sj(f->text()), sj(caption))));
    });
    connect(pnlBunsu_, &KeypadPanel::clearField, this, [this] { setFieldText(QString()); });
    connect(pnlBunsu_, &KeypadPanel::enterField, this, [this] { answerEnter(curKran_); });

    grbTest_ = new QGroupBox(pnlSS_);
    grbTest_->setObjectName(QStringLiteral("grbTest"));
    auto* tl = new QGridLayout(grbTest_);
    tl->setContentsMargins(4, 4, 4, 4);
    btnAnswer_ = button(grbTest_, "btnAnswer", QStringLiteral("答えを見る"));
    btnHint_ = button(grbTest_, "btnHint", QStringLiteral("ヒントを見る"));
    btnSaiten_ = button(grbTest_, "btnSaiten", QStringLiteral("採点　"));
    btnAbort_ = button(grbTest_, "btnAbort", QStringLiteral("中止"));
    tl->addWidget(btnAnswer_, 0, 0);
    tl->addWidget(btnHint_, 0, 1);
    tl->addWidget(btnSaiten_, 1, 0);
    tl->addWidget(btnAbort_, 1, 1);
    l->addWidget(grbTest_);
    connect(btnAnswer_, &QPushButton::clicked, this, &TfrmRenshu::btnAnswerClick);
    connect(btnHint_, &QPushButton::clicked, this, &TfrmRenshu::btnHintClick);
    connect(btnSaiten_, &QPushButton::clicked, this, &TfrmRenshu::btnSaitenClick);
    connect(btnAbort_, &QPushButton::clicked, this, &TfrmRenshu::btnAbortClick);
    l->addWidget(buildMemoriseButtons());

    imgMessXX_ = new MessagePicture(pnlSS_);
    imgMessXX_->setObjectName(QStringLiteral("imgMessXX"));
    imgMessXX_->setAccessibleName(QStringLiteral("答え合わせの知らせ"));
    imgMessXX_->setFixedHeight(FeedbackHeight);
    l->addWidget(imgMessXX_);

    imgMemo_ = new ScratchPad(desk_.cursors(), pnlSS_);
    imgMemo_->setObjectName(QStringLiteral("imgMemo"));
    imgMemo_->setAccessibleName(QStringLiteral("計算用紙"));
    imgMemo_->setMinimumHeight(120);
    l->addWidget(imgMemo_, 2);
    // Shown by a run, one way of input at a time: never all at once, or the window grows
    // taller than the screen.
    grbSelect_->hide();
    grbMoji_->hide();
    pnlSS_->hide();
    return pnlSS_;
}

QWidget* TfrmRenshu::buildInputMode() {
    grbInput_ = new QGroupBox(QStringLiteral("入力モード"), pnlSS_);
    grbInput_->setObjectName(QStringLiteral("grbInput"));
    auto* l = new QHBoxLayout(grbInput_);
    l->setContentsMargins(6, 2, 6, 2);
    chkKaitou_ = new QCheckBox(QStringLiteral("解答選択"), grbInput_);
    chkKaitou_->setObjectName(QStringLiteral("chkKaitou"));
    chkRandom_ = new QCheckBox(QStringLiteral("ランダム"), grbInput_);
    chkRandom_->setObjectName(QStringLiteral("chkRandom"));
    for (QCheckBox* c : {chkKaitou_, chkRandom_}) {
        c->setChecked(true);
        l->addWidget(c);
        connect(c, &QCheckBox::clicked, this, &TfrmRenshu::chkInputModeClick);
    }
    chkKaitou_->setAccessibleDescription(QStringLiteral("答えを一覧から選ぶ"));
    chkRandom_->setAccessibleDescription(QStringLiteral("一覧を毎回並べ替える"));
    return grbInput_;
}

QWidget* TfrmRenshu::buildMemoriseButtons() {
    pnlAnki_ = new QGroupBox(pnlSS_);
    pnlAnki_->setObjectName(QStringLiteral("pnlAnki"));
    auto* l = new QGridLayout(pnlAnki_);
    l->setContentsMargins(4, 4, 4, 4);
    btnNextA_ = button(pnlAnki_, "btnNextA", QStringLiteral("消して次へ"));
    btnNextB_ = button(pnlAnki_, "btnNextB", QStringLiteral("消さずに次へ"));
    btnShow_ = button(pnlAnki_, "btnShow", QStringLiteral("すべて表示"));
    btnAllClear_ = button(pnlAnki_, "btnAllClear", QStringLiteral("すべて消去"));
    btnClose_ = button(pnlAnki_, "btnClose", QStringLiteral("暗記終了"));
    l->addWidget(btnNextA_, 0, 0);
    l->addWidget(btnNextB_, 0, 1);
    l->addWidget(btnShow_, 1, 0);
    l->addWidget(btnAllClear_, 1, 1);
    l->addWidget(btnClose_, 2, 0, 1, 2);
    connect(btnNextA_, &QPushButton::clicked, this, &TfrmRenshu::btnNextAClick);
    connect(btnNextB_, &QPushButton::clicked, this, &TfrmRenshu::btnNextBClick);
    connect(btnShow_, &QPushButton::clicked, this, &TfrmRenshu::btnShowClick);
    connect(btnAllClear_, &QPushButton::clicked, this, &TfrmRenshu::btnAllClearClick);
    connect(btnClose_, &QPushButton::clicked, this, &TfrmRenshu::btnCloseClick);
    pnlAnki_->hide();
    return pnlAnki_;
}

QWidget* TfrmRenshu::buildResultsPanel() {
    pnlKiroku_ = new QWidget(this);
    pnlKiroku_->setObjectName(QStringLiteral("pnlKiroku"));
    // As narrow as a small screen needs, so that the page beside it shows its whole width;
    // the records then wrap.
    pnlKiroku_->setMinimumWidth(MinRecordsWidth);
    pnlKiroku_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pnlKiroku_->setMaximumWidth(420);
    auto* l = new QVBoxLayout(pnlKiroku_);
    l->setContentsMargins(4, 4, 4, 4);
    lblKiroku_ = new QLabel(pnlKiroku_);
    lblKiroku_->setObjectName(QStringLiteral("lblKiroku"));
    lblKiroku_->setWordWrap(true);
    memKiroku_ = new QPlainTextEdit(pnlKiroku_);
    memKiroku_->setObjectName(QStringLiteral("memKiroku"));
    memKiroku_->setReadOnly(true);
    memKiroku_->setAccessibleName(QStringLiteral("練習の記録"));
    memKiroku_->setFont(uiFont("ＭＳ ゴシック", 12));
    memKiroku_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memKiroku_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    lblKiroku_->setBuddy(memKiroku_);
    imgMess_ = new MessagePicture(pnlKiroku_);
    imgMess_->setObjectName(QStringLiteral("imgMess"));
    imgMess_->setAccessibleName(QStringLiteral("学習の案内"));
    imgMess_->setMinimumHeight(240);
    connect(imgMess_, &MessagePicture::clicked, this, &TfrmRenshu::imgMessClick);
    l->addWidget(lblKiroku_);
    l->addWidget(memKiroku_, 1);
    l->addWidget(imgMess_, 1);
    return pnlKiroku_;
}

void TfrmRenshu::buildFields() {
    for (int k = 1; k <= MaxKran; ++k) {
        auto* f = new QLineEdit(imgPaper2_);
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
    imgPaper2_->setSheet(w_.sheet);
    imgPaper2_->showImage(&page_, false);
    imgPaper2_->update();
    // The page takes its whole width first where the window has it; the records beside it
    // take what is left.
    const int frame = 2 * scroll_->frameWidth() + scroll_->verticalScrollBar()->sizeHint().width();
    scroll_->setMaximumWidth(pnlKiroku_->isHidden() ? QWIDGETSIZE_MAX : w + frame);
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
    const QRect r = imgPaper2_->toView(place);
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
    grbInput_->setVisible(!memorising);
    chkKaitou_->setChecked(w_.input.choices);
    chkRandom_->setChecked(w_.input.random);
    chkKaitou_->setEnabled(!w_.choices.empty());
    chkRandom_->setEnabled(!w_.choices.empty() && w_.input.choices);
    grbMoji_->setVisible(!memorising && way == InputWay::SoftKeys);
    if (way == InputWay::SoftKeys) grbMoji_->setCaptions(w_.softKeys);
    grbSelect_->setVisible(!memorising && way == InputWay::Choices);
    lstKgroup_->clear();
    lstKgroup_->addItems(qsLines(w_.choices));
    pnlBunsu_->setVisible(!memorising && way == InputWay::Keypad);
    pnlBunsu_->showPad(w_.pad);
}

void TfrmRenshu::showAnswerPanel() {
    side_->setFixedWidth(SideWidth);
    pnlSS_->show();
}

void TfrmRenshu::showBetweenRuns() {
    for (int k = 1; k <= MaxKran; ++k)
        fields_[static_cast<std::size_t>(k)]->hide();
    pnlSS_->hide();
    pnlAnki_->hide();
    side_->setFixedWidth(ButtonsWidth);
    pnlRenshu_->show();
    pnlKiroku_->show();
    const bool marked = w_.run.phase == RunPhase::Marked;
    btnSeikai_->setEnabled(MayShowAllAnswers(w_.run));
    btnTouan_->setEnabled(marked);
    btnTest_->setEnabled(true);
    btnFukushu_->setEnabled(marked && w_.run.reviewOffered);
    showRecords();
    scroll_->verticalScrollBar()->setValue(0);
}

void TfrmRenshu::showRecords() {
    if (!w_.sheet) return;
    const UnitRecordsView view = UnitRecords(desk_.program(), *w_.sheet);
    lblKiroku_->setText(qs(view.caption));
    memKiroku_->setPlainText(qsLines(view.lines).join(QLatin1Char('\n')));
}

void TfrmRenshu::showGuidance() {
    const QColor blue(0, 0, 255);
    imgMess_->line(0, QStringLiteral("　　　標準の学習コース"), 14, blue);
    imgMess_->line(2, QStringLiteral("（１）［練習］ボタンで練習する"), 10, blue);
    imgMess_->line(3, QStringLiteral("（２）［復習］ボタンで間違ったところを復習する"), 8, blue);
    imgMess_->line(4, QStringLiteral("（３）［テスト］ボタンでテストする"), 10, blue);
}

bool TfrmRenshu::event(QEvent* event) {
    // A move to a screen of another pixel ratio draws the page again at that ratio.
    if (event->type() == QEvent::ScreenChangeInternal && open_ &&
        page_.devicePixelRatio() != std::max<qreal>(1.0, devicePixelRatioF()))
        relayoutPage();
    return QDialog::event(event);
}
