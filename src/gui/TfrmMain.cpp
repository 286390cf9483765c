// The main window's construction: the command panel with its fixed layout, the controls
// kept hidden for other windows, the pop-up panels, the tips panel and the menus.
#include "gui/TfrmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>

#include "Program.h"
#include "authoring/NewUnit.h"
#include "gui/Artwork.h"
#include "gui/Desk.h"
#include "gui/TfrmVersion.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "shell/Commands.h"
#include "worksheet/Paper.h"
#include "worksheet/WorksheetSetters.h"

namespace {

constexpr int PanelWidth = 113;
const QColor PanelColor(255, 255, 240);

} // namespace

TfrmMain::TfrmMain(Desk& desk) : desk_(desk) {
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QStringLiteral("Velmix++ 数学問題集２・１次方程式"));
    setWindowIcon(programIcon());
    setFont(uiFont("ＭＳ Ｐゴシック", 12));

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    pnlMain = makeControl<QFrame>(central, "pnlMain");
    pnlMain->setFixedWidth(PanelWidth);
    pnlMain->setMouseTracking(true); // moving over it closes the pop-ups
    paintBackground(pnlMain, PanelColor);
    mdi_ = new QMdiArea(central);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    mdi_->setBackground(QColor(128, 128, 128));
    row->addWidget(pnlMain);
    row->addWidget(mdi_, 1);
    setCentralWidget(central);

    buildPanel();
    buildHiddenControls();
    buildPopups();
    buildTips();
    buildMenus();
    placeOnScreen();
    // Key preview, and the pop-up panels that hide when the mouse moves on.
    qApp->installEventFilter(this);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildPanel() {
    QWidget* p = pnlMain;
    btnLock = makeButton(p, "btnLock", QStringLiteral("先生用"), {16, 27, 81, 34});
    btnLock->setToolTip(QStringLiteral("編集機能のON/OFF"));
    btnLock->setIcon(glyph("lockopen", 20, devicePixelRatioF()));
    btnFpClose = makeButton(p, "btnFpClose", QStringLiteral("閉じる"), {16, 62, 81, 34});
    btnOpenMaster = makeButton(p, "btnOpenMaster", QStringLiteral("開  く "), {16, 96, 81, 34});
    btnSave = makeButton(p, "btnSave", QStringLiteral("保　存　"), {16, 130, 81, 34});
    btnStartPrint = makeButton(p, "btnStartPrint", QStringLiteral("印　刷　"), {16, 165, 81, 34});
    btnEdit = makeButton(p, "btnEdit", QStringLiteral("編　集　"), {16, 200, 81, 34});
    btnTest = makeButton(p, "btnTest", QStringLiteral("学　習"), {16, 235, 81, 34});
    btnLogOn = makeButton(p, "btnLogOn", QStringLiteral("学習者"), {16, 270, 81, 34});
    edtLogOnName = makeControl<QLineEdit>(p, "edtLogOnName", QRect(16, 314, 81, 22));
    edtLogOnName->setReadOnly(true);
    edtLogOnName->setAccessibleName(QStringLiteral("学習者名"));
    btnKaitou = makeButton(p, "btnKaitou", QStringLiteral("解答表示"), {16, 342, 81, 34});
    chkBekkai = makeControl<QCheckBox>(p, "chkBekkai", QRect(18, 388, 85, 20));
    chkBekkai->setText(QStringLiteral("別解表示"));
    chkBekkai->setChecked(true);
    btnKran = makeButton(p, "btnKran", QStringLiteral("解答欄　"), {16, 422, 81, 34});
    lblGyouSpace = makeControl<QLabel>(p, "lblGyouSpace", QRect(8, 474, 42, 16));
    lblGyouSpace->setText(QStringLiteral("主行間"));
    spnGyouSpace = makeSpin(p, "spnGyouSpace", -5, 200, 30, {50, 470, 55, 24});
    spnGyouSpace->setAccessibleName(QStringLiteral("主行間"));
    lblMoji = makeControl<QLabel>(p, "lblMoji", QRect(8, 500, 42, 14));
    lblMoji->setText(QStringLiteral("文　字"));
    lblSize = makeControl<QLabel>(p, "lblSize", QRect(8, 514, 42, 14));
    lblSize->setText(QStringLiteral("サイズ"));
    spnMojiSize = makeSpin(p, "spnMojiSize", 8, 50, 10, {50, 502, 55, 24});
    spnMojiSize->setAccessibleName(QStringLiteral("文字サイズ"));
    pnlCopy = makeControl<QFrame>(p, "pnlCopy", QRect(8, 540, 97, 78));
    pnlCopy->setFrameShape(QFrame::StyledPanel);
    btnCopy = makeButton(pnlCopy, "btnCopy", QStringLiteral("コピー"), {8, 6, 81, 30});
    btnCancel = makeButton(pnlCopy, "btnCancel", QStringLiteral("キャンセル"), {8, 42, 81, 30});
    btnCopy->setEnabled(false);
    btnCancel->setEnabled(false);

    // A click on a command never takes the focus from the worksheet; Tab reaches them all.
    for (QWidget* w : pnlMain->findChildren<QAbstractButton*>())
        w->setFocusPolicy(Qt::TabFocus);

    connect(btnLock, &QPushButton::clicked, this, &TfrmMain::btnLockClick);
    connect(btnFpClose, &QPushButton::clicked, this, &TfrmMain::btnFpCloseClick);
    connect(btnOpenMaster, &QPushButton::clicked, this, &TfrmMain::btnOpenMasterClick);
    connect(btnSave, &QPushButton::clicked, this, &TfrmMain::btnSaveClick);
    connect(btnStartPrint, &QPushButton::clicked, this, &TfrmMain::btnStartPrintClick);
    connect(btnEdit, &QPushButton::clicked, this, &TfrmMain::btnEditClick);
    connect(btnTest, &QPushButton::clicked, this, &TfrmMain::btnTestClick);
    connect(btnLogOn, &QPushButton::clicked, this, &TfrmMain::btnLogOnClick);
    connect(btnKaitou, &QPushButton::clicked, this, &TfrmMain::btnKaitouClick);
    connect(chkBekkai, &QCheckBox::clicked, this, &TfrmMain::chkBekkaiClick);
    connect(btnKran, &QPushButton::clicked, this, &TfrmMain::btnKranClick);
    connect(btnCopy, &QPushButton::clicked, this, &TfrmMain::btnCopyClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmMain::btnCancelClick);
    connect(spnGyouSpace, &QSpinBox::valueChanged, this,
            [this](int v) { SetLineSpace(desk_.program(), v); });
    connect(spnMojiSize, &QSpinBox::valueChanged, this,
            [this](int v) { SetFontSize(desk_.program(), v); });
}

void TfrmMain::buildHiddenControls() {
    QWidget* p = pnlMain;
    pnlSize = makeControl<QFrame>(p, "pnlSize", QRect(8, 630, 97, 90));
    paintBackground(pnlSize, QColor(224, 224, 224));
    struct Paper {
        QRadioButton** button;
        const char* name;
        int width;
    };
    const Paper papers[] = {{&radB5, "radB5", 546},
                            {&radA4, "radA4", 630},
                            {&radB4, "radB4", 771},
                            {&radA3, "radA3", 891}};
    int y = 4;
    for (const Paper& paper : papers) {
        *paper.button = makeControl<QRadioButton>(pnlSize, paper.name, QRect(6, y, 80, 20));
        (*paper.button)->setText(QLatin1String(paper.name + 3));
        const int width = paper.width;
        connect(*paper.button, &QRadioButton::toggled, this, [this, width](bool on) {
            if (!on) return;
            const bool wasReduced = desk_.program().sheets.reducedView;
            ChoosePaper(desk_.program(), width);
            if (wasReduced) {
                desk_.program().sheets.reducedView = true;
                desk_.toggleReducedView(); // the reduced view goes off
            }
        });
        y += 21;
    }
    radB5->setChecked(true);
    pnlSize->hide();

    cmbRetsuX = makeControl<QComboBox>(p, "cmbRetsuX", QRect(8, 724, 97, 22));
    cmbRetsuX->addItems(
        {QStringLiteral("１列"), QStringLiteral("２列（横）"), QStringLiteral("２列（縦）")});
    cmbRetsuX->setFocusPolicy(Qt::NoFocus);
    connect(cmbRetsuX, &QComboBox::activated, this,
            [this](int index) { SetColumns(desk_.program(), index); });
    spnKranWX = makeSpin(p, "spnKranWX", 0, 999, 0, {8, 750, 60, 22});
    connect(spnKranWX, &QSpinBox::valueChanged, this,
            [this](int v) { SetBoxWidth(desk_.program(), v); });
    spnGyoukanSub = makeSpin(p, "spnGyoukanSub", -99, 999, 0, {8, 774, 60, 22});
    connect(spnGyoukanSub, &QSpinBox::valueChanged, this,
            [this](int v) { SetSecondarySpacing(desk_.program(), v); });
    btnAdd = makeButton(p, "btnAdd", QStringLiteral("追　加　"), {16, 800, 81, 34});
    btnAdd->setFocusPolicy(Qt::NoFocus);
    connect(btnAdd, &QPushButton::clicked, this, &TfrmMain::btnAddClick);
    btnShukusho = makeButton(p, "btnShukusho", QStringLiteral("縮小"), {16, 836, 81, 34});
    btnShukusho->setIcon(glyph("maruyl", 20, devicePixelRatioF()));
    connect(btnShukusho, &QPushButton::clicked, this, &TfrmMain::btnShukushoClick);
    btnScroll = makeButton(p, "btnScroll", QString(), {16, 872, 34, 34});
    btnScroll->setToolTip(QStringLiteral("スクロール"));
    connect(btnScroll, &QPushButton::clicked, this, &TfrmMain::btnScrollClick);
    // Box offset steps: one unit, four while Shift is held.
    struct Step {
        const char* name;
        bool vertical;
        int sign;
    };
    const Step steps[] = {
        {"btnUp", true, -1}, {"btnDown", true, 1}, {"btnLeft", false, -1}, {"btnRight", false, 1}};
    int x = 8;
    for (const Step& s : steps) {
        QPushButton* b = makeButton(p, s.name, QString(), {x, 910, 22, 22});
        x += 24;
        connect(b, &QPushButton::clicked, this, [this, s] {
            Program& prog = desk_.program();
            const Worksheet* sheet = prog.sheets.current;
            if (!sheet) return;
            const int by = (QApplication::keyboardModifiers() & Qt::ShiftModifier) ? 4 : 1;
            if (s.vertical)
                SetBoxOffsetY(prog, sheet->kranSettings().offsetY + s.sign * by);
            else
                SetBoxOffsetX(prog, sheet->kranSettings().offsetX + s.sign * by);
        });
        b->hide();
    }
    btnOpenCopy = makeButton(p, "btnOpenCopy", QStringLiteral("開く"), {16, 936, 81, 34});
    btnOpenCopy->setFocusPolicy(Qt::NoFocus);
    connect(btnOpenCopy, &QPushButton::clicked, this, &TfrmMain::btnOpenCopyClick);
    lstWindow = makeControl<QListWidget>(p, "lstWindow", QRect(0, 0, 10, 10));
    lstDummyX = makeControl<QListWidget>(p, "lstDummyX", QRect(0, 0, 10, 10));
    lstDefaultData = makeControl<QListWidget>(p, "lstDefaultData", QRect(0, 0, 10, 10));
    lstDefaultData->addItems(qsLines(DefaultPageBlocks())); // the blocks of a new unit
    for (QWidget* w : std::initializer_list<QWidget*>{cmbRetsuX, spnKranWX, spnGyoukanSub, btnAdd,
                                                      btnShukusho, btnScroll, btnOpenCopy,
                                                      lstWindow, lstDummyX, lstDefaultData})
        w->hide();
}

void TfrmMain::buildPopups() {
    QWidget* central = centralWidget();
    auto popup = [&](const char* name, QPoint at) {
        auto* panel = makeControl<QFrame>(central, name, QRect(at, QSize(150, 74)));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        paintBackground(panel, QColor(236, 242, 250));
        panel->hide();
        return panel;
    };
    pnlSave = popup("pnlSave", {67, 125});
    btnSaveMaster =
        makeButton(pnlSave, "btnSaveMaster", QStringLiteral("上書き保存"), {6, 5, 138, 30});
    btnSaveCopy =
        makeButton(pnlSave, "btnSaveCopy", QStringLiteral("名前を付けて保存"), {6, 39, 138, 30});
    pnlEdit = popup("pnlEdit", {67, 195});
    pnlEdit->resize(176, 74);
    btnEditMaster = makeButton(pnlEdit, "btnEditMaster", QStringLiteral("マスターファイルを編集"),
                               {6, 5, 164, 30});
    btnEditCopy = makeButton(pnlEdit, "btnEditCopy", QStringLiteral("コピーファイルを編集"),
                             {6, 39, 164, 30});
    connect(btnSaveMaster, &QPushButton::clicked, this, &TfrmMain::btnSaveMasterClick);
    connect(btnSaveCopy, &QPushButton::clicked, this, &TfrmMain::btnSaveCopyClick);
    connect(btnEditMaster, &QPushButton::clicked, this,
            [this] { desk_.run(Desk::Command::EditUnit); });
    connect(btnEditCopy, &QPushButton::clicked, this, &TfrmMain::btnEditCopyClick);
}

void TfrmMain::buildTips() {
    grbDoYouKnow = makeControl<QFrame>(centralWidget(), "grbDoYouKnow", QRect(0, 0, 361, 449));
    grbDoYouKnow->setFrameShape(QFrame::Box);
    paintBackground(grbDoYouKnow, Qt::white);
    auto* title = makeControl<QLabel>(grbDoYouKnow, "lblDoYouKnow", QRect(16, 10, 329, 30));
    title->setText(QStringLiteral("ご存じですか？"));
    QFont big = title->font();
    big.setPixelSize(18);
    big.setBold(true);
    title->setFont(big);
    struct Tip {
        const char* name;
        const char* caption;
        int topic;
        bool visible;
    };
    const Tip tips[] = {
        {"btnStudy", "［学習］ボタンで勉強できます", 902, true},
        {"btnWord", "★Microsoft Word（ワード）との連携", 842, true},
        {"btnFax", "FAXソフトで送れます", 901, true},
        {"btnCFlag", "自作の学級旗が印刷できます。", 840, true},
        {"btnClipBoard", "クリップボードへコピーして画像を加工できます。", 850, true},
        {"btnPrintTip", "きれいに印刷するには", 860, false},
        {"btnRuidai", "類題を使おう", 900, false},
    };
    int y = 50;
    for (const Tip& t : tips) {
        QPushButton* b =
            makeButton(grbDoYouKnow, t.name, QString::fromUtf8(t.caption), {20, y, 321, 38});
        b->setStyleSheet(QStringLiteral("text-align: left; padding-left: 10px;"));
        const int topic = t.topic;
        connect(b, &QPushButton::clicked, this, [this, topic] { tipClicked(topic); });
        if (t.visible)
            y += 48;
        else
            b->hide();
    }
    QPushButton* study = grbDoYouKnow->findChild<QPushButton*>(QStringLiteral("btnStudy"));
    QFont bold = study->font();
    bold.setBold(true);
    study->setFont(bold);
    QPalette blue = study->palette();
    blue.setColor(QPalette::ButtonText, QColor(0, 0, 255));
    study->setPalette(blue);
    chkNextTime = makeControl<QCheckBox>(grbDoYouKnow, "chkNextTime", QRect(20, 360, 321, 20));
    chkNextTime->setText(QStringLiteral("次の起動時にも表示する"));
    chkNextTime->hide();
    btnCloseTips =
        makeButton(grbDoYouKnow, "btnClose", QStringLiteral("閉じる"), {130, 395, 101, 34});
    connect(btnCloseTips, &QPushButton::clicked, this, &TfrmMain::btnCloseTipsClick);
    grbDoYouKnow->hide();
}

void TfrmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->addAction(QStringLiteral("開く(&O)"), this, &TfrmMain::btnOpenMasterClick);
    // Worksheet files saved with 名前を付けて保存 are opened from here.
    mnuFile->addAction(QStringLiteral("コピーファイルを開く(&P)"), this,
                       &TfrmMain::btnOpenCopyClick);
    mnuFile->addAction(QStringLiteral("終了(&X)"), this, &TfrmMain::mnuExitClick);
    mnuEditMenu = bar->addMenu(QStringLiteral("編集(&E)"));
    mnuEditMenu->setObjectName(QStringLiteral("mnuEdit"));
    mnuEditMenu->addAction(QStringLiteral("目次作成(&C)"), this, &TfrmMain::mnuIndexClick);
    mnuEditMenu->addAction(QStringLiteral("学校名・塾名(&J)"), this, &TfrmMain::mnuSchoolClick);
    mnuEditMenu->addAction(QStringLiteral("クラスの記録(&K)"), this, &TfrmMain::mnuClassClick);
    mnuMainWin = bar->addMenu(QStringLiteral("ウィンドウ(&W)"));
    mnuMainWin->setObjectName(QStringLiteral("mnuMainWin"));
    windowItems_ = {
        mnuMainWin->addAction(QStringLiteral("最大表示(&M)"), this,
                              [this] {
                                  if (QMdiSubWindow* sub = mdi_->activeSubWindow())
                                      sub->showMaximized();
                              }),
        mnuMainWin->addAction(QStringLiteral("タイル表示(&T)"), mdi_, &QMdiArea::tileSubWindows),
        mnuMainWin->addAction(QStringLiteral("カスケード表示(&C)"), this,
                              &TfrmMain::mnuCascadeClick),
        mnuMainWin->addAction(QStringLiteral("すべて閉じる(&A)"), this,
                              &TfrmMain::mnuCloseAllClick),
    };
    connect(mnuMainWin, &QMenu::aboutToShow, this, &TfrmMain::refreshWindowMenu);
    mnuHelp = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelp->addAction(QStringLiteral("使い方(&U)"), this, [this] { desk_.showHelp(0); });
    mnuHelp->addAction(QStringLiteral("バージョン(&V)"), this,
                       [this] { desk_.run(Desk::Command::Version); });
    mnuDoYouKnow =
        mnuHelp->addAction(QStringLiteral("ご存じですか(&D)"), this, &TfrmMain::mnuDoYouKnowClick);
    mnuHelp->addAction(QStringLiteral("補足"), this, &TfrmMain::mnuHosokuClick);
}

void TfrmMain::placeOnScreen() {
    // The whole screen but the task bar's strip at the bottom.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    move(area.topLeft());
    resize(area.width(), area.height() - 28);
}

QSize TfrmMain::childSize() const {
    return QSize(width() - PanelWidth - 10, pnlMain->height());
}
