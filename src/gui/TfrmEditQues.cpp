// The question editor's controls and their places; its steps are in TfrmEditQuesSteps.cpp.
#include "gui/TfrmEditQues.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/Desk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"

namespace {

// A memo under its label; the label names it for a screen reader.
QPlainTextEdit* labelledMemo(QBoxLayout* into, const char* labelName, const QString& caption,
                             const char* name, const QString& spoken, int stretch = 1) {
    QLabel* l = makeLabel(nullptr, labelName, caption);
    auto* m = new QPlainTextEdit;
    m->setObjectName(QLatin1String(name));
    m->setAccessibleName(spoken);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setTabChangesFocus(true);
    l->setBuddy(m);
    into->addWidget(l);
    into->addWidget(m, stretch);
    return m;
}

QLineEdit* readOnly(const char* name, const QString& spoken) {
    auto* e = new QLineEdit;
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setAccessibleName(spoken);
    return e;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretchAtEnd = true) {
    auto* r = new QHBoxLayout;
    for (QWidget* w : widgets)
        r->addWidget(w);
    if (stretchAtEnd) r->addStretch(1);
    return r;
}

} // namespace

TfrmEditQues::TfrmEditQues(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmEditQues"));
    setWindowTitle(QStringLiteral("マスターファイルの編集"));
    setFont(uiFont("ＭＳ Ｐゴシック", 13));
    build();
}

void TfrmEditQues::build() {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 6, 8, 8);
    top->setSpacing(4);

    // Which unit, and where it is kept.
    edtLesson = readOnly("edtLesson", QStringLiteral("単元の番号"));
    edtLesson->setMaximumWidth(110);
    edtTangen = readOnly("edtTangen", QStringLiteral("単元"));
    edtFileName = readOnly("edtFileName", QStringLiteral("データファイル"));
    auto* head = new QHBoxLayout;
    for (auto [name, text, field] :
         {std::tuple{"Label10", "§", edtLesson}, std::tuple{"Label5", "単元", edtTangen},
          std::tuple{"Label2", "データファイル", edtFileName}}) {
        QLabel* l = makeLabel(nullptr, name, QString::fromUtf8(text));
        l->setBuddy(field);
        head->addWidget(l);
        head->addWidget(field, field == edtLesson ? 0 : 2);
    }
    top->addLayout(head);

    auto* body = new QHBoxLayout;
    top->addLayout(body, 1);
    auto* left = new QVBoxLayout;
    body->addLayout(left, 5);

    // Questions and page blocks side by side, the text buttons under them.
    auto* upper = new QHBoxLayout;
    left->addLayout(upper, 3);
    auto* quesColumn = new QVBoxLayout;
    upper->addLayout(quesColumn, 3);
    MemQues = labelledMemo(quesColumn, "Label4", QStringLiteral("<<ques 問題ブロック"), "MemQues",
                           QStringLiteral("問題ブロック"));
    QFont mincho = uiFont("ＭＳ 明朝", 15);
    MemQues->setFont(mincho);
    MemQues->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemQues->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* pasteColumn = new QVBoxLayout;
    upper->addLayout(pasteColumn, 1);
    memPasteLo = labelledMemo(pasteColumn, "Label9", QStringLiteral("<<value 位置情報など"),
                              "memPasteLo", QStringLiteral("位置情報など"));

    QPushButton* btnKai = makeButton(nullptr, "btnKai", QStringLiteral("解答欄"));
    QPushButton* btnKakko = makeButton(nullptr, "btnKakko", QStringLiteral("下線とかっこ"));
    QPushButton* btnNumber = makeButton(nullptr, "btnNumber", QStringLiteral("問題番号"));
    btnRuidai = makeButton(nullptr, "btnRuidai", QStringLiteral("類題にする"));
    btnMakeRuidai = makeButton(nullptr, "btnMakeRuidai", QStringLiteral("類題を作る"), {},
                               QStringLiteral("数を変えた類題を作り、解答も計算します"));
    left->addLayout(row({btnKai, btnKakko, btnNumber, btnRuidai, btnMakeRuidai}));

    // Hints, dummy answers, choice lines and extracted answers.
    auto* lower = new QHBoxLayout;
    left->addLayout(lower, 2);
    auto* hintColumn = new QVBoxLayout;
    lower->addLayout(hintColumn, 3);
    memHint = labelledMemo(hintColumn, "Label12", QStringLiteral("<<hint ヒントブロック"),
                           "memHint", QStringLiteral("ヒントブロック"));

    auto* dummyColumn = new QVBoxLayout;
    lower->addLayout(dummyColumn, 2);
    memDummy = labelledMemo(dummyColumn, "Label13", QStringLiteral("<<dummy ダミーの解答"),
                            "memDummy", QStringLiteral("ダミーの解答"));
    QPushButton* btnDummy = makeButton(nullptr, "btnDummy", QStringLiteral("=>"), {},
                                       QStringLiteral("解とダミーの解を挿入"));
    btnDummy->setAccessibleName(QStringLiteral("ダミーの解を解選択ブロックへ"));
    dummyColumn->addLayout(row({btnDummy}, false));

    auto* kgroupColumn = new QVBoxLayout;
    lower->addLayout(kgroupColumn, 2);
    memKgroup = labelledMemo(kgroupColumn, "Label11", QStringLiteral("<<kgroup 解選択ブロック"),
                             "memKgroup", QStringLiteral("解選択ブロック"));
    lblKosuh3 = makeLabel(nullptr, "lblKosuh3", QStringLiteral("0"));
    lblKosuh2 = makeLabel(nullptr, "lblKosuh2", QStringLiteral("0"));
    kgroupColumn->addLayout(
        row({lblKosuh3, makeLabel(nullptr, "Label16", QStringLiteral("個")),
             makeLabel(nullptr, "Label1", QStringLiteral("ソフトキーボード")), lblKosuh2,
             makeLabel(nullptr, "Label14", QStringLiteral("文字"))}));
    QPushButton* btnKgAdd = makeButton(nullptr, "btnKgAdd", QStringLiteral("<=挿入"), {},
                                       QStringLiteral("解とダミーの解を挿入"));
    btnKgAdd->setAccessibleName(QStringLiteral("抽出された解を解選択ブロックへ挿入"));
    QPushButton* btnKGClear = makeButton(nullptr, "btnKGClear", QStringLiteral("クリア"));
    btnKGClear->setAccessibleName(QStringLiteral("解選択ブロックをクリア"));
    kgroupColumn->addLayout(row({btnKgAdd, btnKGClear}));
    chkSuuji = new QCheckBox(QStringLiteral("数字除く"));
    chkSuuji->setObjectName(QStringLiteral("chkSuuji"));
    chkSuuji->setChecked(true);
    chkKigou = new QCheckBox(QStringLiteral("記号除く"));
    chkKigou->setObjectName(QStringLiteral("chkKigou"));
    chkKigou->setChecked(true);
    kgroupColumn->addLayout(row({chkSuuji, chkKigou}));

    auto* kaiColumn = new QVBoxLayout;
    lower->addLayout(kaiColumn, 2);
    QPushButton* btnTest = makeButton(nullptr, "btnTest", QStringLiteral("抽出=>"));
    btnTest->setAccessibleName(QStringLiteral("解を抽出"));
    kaiColumn->addLayout(row({btnTest}, false));
    lblKosuh = makeLabel(nullptr, "lblKosuh", QStringLiteral("0"));
    kaiColumn->addLayout(row({makeLabel(nullptr, "Label3", QStringLiteral("抽出された解")),
                              lblKosuh, makeLabel(nullptr, "lblKosuu", QStringLiteral("個"))}));
    lstKai = namedList(this, "lstKai", {}, QStringLiteral("抽出された解"));
    kaiColumn->addWidget(lstKai, 1);

    auto* graphs = new QWidget;
    new QVBoxLayout(graphs);
    buildGraphs(graphs);
    body->addWidget(graphs, 2);

    // Closing the window.
    btnEditDirect = makeButton(nullptr, "btnEditDirect", QStringLiteral("直接編集"));
    QPushButton* ok = makeButton(nullptr, "btnOk", QStringLiteral("  Ｏ　Ｋ"));
    ok->setAccessibleName(QStringLiteral("ＯＫ"));
    QPushButton* cancel = makeButton(nullptr, "btnCancel", QStringLiteral("キャンセル"));
    auto* foot = new QHBoxLayout;
    foot->addWidget(btnEditDirect);
    foot->addStretch(1);
    for (QPushButton* b : {ok, cancel}) {
        b->setMinimumWidth(110);
        foot->addWidget(b);
    }
    top->addLayout(foot);
    // Hidden: the two filters alone.
    for (auto [name, caption] : {std::pair{"btnSuuji1", "数字=>"}, {"btnKigou1", "記号=>"}}) {
        QPushButton* b = makeButton(nullptr, name, QString::fromUtf8(caption));
        b->setParent(this);
        b->hide();
    }

    connect(btnTest, &QPushButton::clicked, this, &TfrmEditQues::btnTestClick);
    connect(btnKai, &QPushButton::clicked, this, &TfrmEditQues::btnKaiClick);
    connect(btnKakko, &QPushButton::clicked, this, &TfrmEditQues::btnKakkoClick);
    connect(btnNumber, &QPushButton::clicked, this, &TfrmEditQues::btnNumberClick);
    connect(btnRuidai, &QPushButton::clicked, this, &TfrmEditQues::btnRuidaiClick);
    connect(btnMakeRuidai, &QPushButton::clicked, this, &TfrmEditQues::btnMakeRuidaiClick);
    connect(btnKgAdd, &QPushButton::clicked, this, &TfrmEditQues::btnKgAddClick);
    connect(btnKGClear, &QPushButton::clicked, memKgroup, &QPlainTextEdit::clear);
    connect(btnDummy, &QPushButton::clicked, this, &TfrmEditQues::btnDummyClick);
    connect(ok, &QPushButton::clicked, this, &TfrmEditQues::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &TfrmEditQues::btnCancelClick);
    connect(btnEditDirect, &QPushButton::clicked, this, &TfrmEditQues::btnEditDirectClick);
    // Typing sets Modified, except in the dummy answers.
    for (QPlainTextEdit* m : {MemQues, memKgroup, memHint, memPasteLo, memQGraph, memAGraph})
        connect(m, &QPlainTextEdit::textChanged, this, [this] {
            if (!loading_) s_.modified = true;
        });
    connect(memKgroup, &QPlainTextEdit::textChanged, this, &TfrmEditQues::showCounters);
}

void TfrmEditQues::buildGraphs(QWidget* column) {
    auto* right = static_cast<QVBoxLayout*>(column->layout());
    right->setContentsMargins(0, 0, 0, 0);
    memQGraph = labelledMemo(right, "Label7", QStringLiteral("<<graph 問題のグラフ"), "memQGraph",
                             QStringLiteral("問題のグラフ"));
    QPushButton* btnQGAdd = makeButton(nullptr, "btnQGAdd", QStringLiteral("<=挿入"));
    btnQGAdd->setAccessibleName(QStringLiteral("問題のグラフに挿入"));
    QPushButton* btnQGClear = makeButton(nullptr, "btnQGClear", QStringLiteral("クリア"));
    btnQGClear->setAccessibleName(QStringLiteral("問題のグラフをクリア"));
    right->addLayout(row({btnQGAdd, btnQGClear}));
    memAGraph = labelledMemo(right, "Label8", QStringLiteral("<<AGraph 解答のグラフ"), "memAGraph",
                             QStringLiteral("解答のグラフ"));
    QPushButton* btnAGAdd = makeButton(nullptr, "btnAGAdd", QStringLiteral("<=挿入"));
    btnAGAdd->setAccessibleName(QStringLiteral("解答のグラフに挿入"));
    QPushButton* btnAGClear = makeButton(nullptr, "btnAGClear", QStringLiteral("クリア"));
    btnAGClear->setAccessibleName(QStringLiteral("解答のグラフをクリア"));
    right->addLayout(row({btnAGAdd, btnAGClear}));

    QLabel* Label6 = makeLabel(nullptr, "Label6", QStringLiteral("使えるグラフ"));
    flbGraph = namedList(this, "flbGraph", {}, QStringLiteral("使えるグラフ"));
    flbGraph->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Label6->setBuddy(flbGraph);
    QPushButton* btnGraphFile =
        makeButton(nullptr, "btnGraphFile", QStringLiteral("ファイルを選ぶ…"));
    btnGraphFile->setAccessibleName(QStringLiteral("グラフのファイルを選ぶ"));
    right->addLayout(row({Label6, btnGraphFile}));
    right->addWidget(flbGraph, 1);

    auto* Panel1 = new QFrame;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    paintBackground(Panel1, Qt::white);
    auto* inPanel = new QVBoxLayout(Panel1);
    inPanel->setContentsMargins(2, 2, 2, 2);
    imgGraph = new QLabel;
    imgGraph->setObjectName(QStringLiteral("imgGraph"));
    imgGraph->setAccessibleName(QStringLiteral("グラフの見本"));
    imgGraph->setAlignment(Qt::AlignCenter);
    imgGraph->setMinimumHeight(120);
    imgGraph->setCursor(Qt::PointingHandCursor);
    imgGraph->installEventFilter(this);
    inPanel->addWidget(imgGraph);
    right->addWidget(Panel1, 1);

    connect(btnQGAdd, &QPushButton::clicked, this, [this] { addGraphs(false); });
    connect(btnAGAdd, &QPushButton::clicked, this, [this] { addGraphs(true); });
    connect(btnQGClear, &QPushButton::clicked, memQGraph, &QPlainTextEdit::clear);
    connect(btnAGClear, &QPushButton::clicked, memAGraph, &QPlainTextEdit::clear);
    connect(btnGraphFile, &QPushButton::clicked, this, &TfrmEditQues::btnGraphFileClick);
    connect(flbGraph, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { previewGraph(item->text()); });
    connect(flbGraph, &QListWidget::currentTextChanged, this, &TfrmEditQues::previewGraph);
}

QPlainTextEdit* TfrmEditQues::memo(Memo which) const {
    switch (which) {
    case Memo::Ques:
        return MemQues;
    case Memo::Dummy:
        return memDummy;
    case Memo::Kgroup:
        return memKgroup;
    case Memo::Hint:
        return memHint;
    case Memo::QGraph:
        return memQGraph;
    case Memo::AGraph:
        return memAGraph;
    case Memo::PasteLo:
        break;
    }
    return memPasteLo;
}

bool TfrmEditQues::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgGraph && event->type() == QEvent::MouseButtonRelease && !preview_.isNull()) {
        desk_.showPicture(preview_, previewName_);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
