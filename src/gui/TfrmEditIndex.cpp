#include "gui/TfrmEditIndex.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Program.h"
#include "authoring/EditorText.h"
#include "authoring/LessonTree.h"
#include "gui/Artwork.h"
#include "gui/Desk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "shell/EditorSteps.h"
#include "shell/Prompts.h"

namespace {

QLineEdit* field(const char* name, const QString& spoken, bool readOnly) {
    auto* e = new QLineEdit;
    e->setObjectName(QLatin1String(name));
    e->setAccessibleName(spoken);
    e->setReadOnly(readOnly);
    return e;
}

QLabel* caption(const char* name, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    l->setBuddy(buddy);
    return l;
}

} // namespace

TfrmEditIndex::TfrmEditIndex(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmEditIndex"));
    setWindowTitle(QStringLiteral("Velmix Editor 教材の作成"));
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    build();
}

QPushButton* TfrmEditIndex::button(const char* name, const QString& text, const QString& tip) {
    QPushButton* b = makeButton(nullptr, name, text);
    hint(b, tip);
    return b;
}

void TfrmEditIndex::hint(QWidget* control, const QString& text) {
    control->installEventFilter(this);
    hints_.emplace_back(control, text);
}

void TfrmEditIndex::build() {
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    top->addLayout(grid, 1);

    lstELesson = namedList(this, "lstELesson", {}, QStringLiteral("コースウェア"));
    edtIndex = field("edtIndex", QStringLiteral("インデックスファイル"), true);
    edtDataFile = field("edtDataFile", QStringLiteral("マスターファイル"), true);
    edtMainTitle = field("edtMainTitle", QStringLiteral("タイトル"), false);
    lstESection = namedList(this, "lstESection", {}, QStringLiteral("主メニュー"));
    lstEUnit = namedList(this, "lstEUnit", {}, QStringLiteral("副メニュー"));
    trvSect = new QTreeWidget;
    trvSect->setObjectName(QStringLiteral("trvSect"));
    trvSect->setAccessibleName(QStringLiteral("インデックスの全構造"));
    trvSect->setHeaderHidden(true);
    trvSect->setIconSize(QSize(20, 20));

    auto* left = new QVBoxLayout;
    left->addWidget(caption("Label3", QStringLiteral("コースウェア"), lstELesson));
    left->addWidget(lstELesson, 1);
    grid->addLayout(left, 0, 0);
    // The two paths get the window's whole width, so that they read to their ends.
    auto* paths = new QGridLayout;
    paths->addWidget(caption("Label1", QStringLiteral("ｲﾝﾃﾞｯｸｽﾌｧｲﾙ"), edtIndex), 0, 0);
    paths->addWidget(edtIndex, 0, 1);
    paths->addWidget(caption("Label2", QStringLiteral("マスターﾌｧｲﾙ"), edtDataFile), 1, 0);
    paths->addWidget(edtDataFile, 1, 1);
    paths->setColumnStretch(1, 1);
    top->addLayout(paths);

    auto* middle = new QVBoxLayout;
    middle->addWidget(caption("Label4", QStringLiteral("タイトル"), edtMainTitle));
    middle->addWidget(edtMainTitle);
    QPushButton* btnAdd =
        button("btnAdd", QStringLiteral("追加 =>"), QStringLiteral("項目を追加します"));
    btnAdd->setAccessibleName(QStringLiteral("主メニューを追加"));
    QPushButton* btnChange =
        button("btnChange", QStringLiteral("変更 <>"), QStringLiteral("項目を変更します"));
    btnChange->setAccessibleName(QStringLiteral("主メニューを変更"));
    auto* sectionRow = new QHBoxLayout;
    sectionRow->addWidget(caption("Label5", QStringLiteral("主メニュー"), lstESection), 1);
    sectionRow->addWidget(btnAdd);
    sectionRow->addWidget(btnChange);
    middle->addLayout(sectionRow);
    middle->addWidget(lstESection, 2);
    QPushButton* btnAdd2 =
        button("btnAdd2", QStringLiteral("追加 =>"), QStringLiteral("項目を追加します"));
    btnAdd2->setAccessibleName(QStringLiteral("副メニューを追加"));
    QPushButton* btnChange2 =
        button("btnChange2", QStringLiteral("変更 <>"), QStringLiteral("項目を変更します"));
    btnChange2->setAccessibleName(QStringLiteral("副メニューを変更"));
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(caption("Label6", QStringLiteral("副メニュー"), lstEUnit), 1);
    unitRow->addWidget(btnAdd2);
    unitRow->addWidget(btnChange2);
    middle->addLayout(unitRow);
    middle->addWidget(lstEUnit, 3);
    grid->addLayout(middle, 0, 1);

    auto* right = new QVBoxLayout;
    btnExpand = button("btnExpand", QStringLiteral("表示を圧縮する"),
                       QStringLiteral("インデックスの表示を展開／圧縮します"));
    auto* treeRow = new QHBoxLayout;
    treeRow->addWidget(caption("Label7", QStringLiteral("インデックスの全構造"), trvSect), 1);
    treeRow->addWidget(btnExpand);
    right->addLayout(treeRow);
    right->addWidget(trvSect, 1);
    grid->addLayout(right, 0, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(2, 4);

    QPushButton* ok =
        button("btnOk", QStringLiteral(" Ｏ　Ｋ"), QStringLiteral("編集結果を保存して閉じます"));
    ok->setAccessibleName(QStringLiteral("ＯＫ"));
    QPushButton* close = button("btnClose", QStringLiteral("キャンセル"),
                                QStringLiteral("編集結果を無視してして閉じます"));
    QPushButton* direct = button("btnEditDirect", QStringLiteral("ソースの直接編集(&E)"),
                                 QStringLiteral("Main.indファイルを直接編集します"));
    QPushButton* help = button("btnHelp", QStringLiteral("ヘルプ(&H)"), {});
    auto* foot = new QHBoxLayout;
    foot->addWidget(direct);
    foot->addWidget(help);
    foot->addStretch(1);
    for (QPushButton* b : {ok, close}) {
        b->setMinimumWidth(120);
        foot->addWidget(b);
    }
    top->addLayout(foot);
    pnlHint =
        new QLabel(QStringLiteral("インデックスを編集した後、マスターファイルを編集します。"));
    pnlHint->setObjectName(QStringLiteral("pnlHint"));
    pnlHint->setFrameShape(QFrame::Panel);
    pnlHint->setFrameShadow(QFrame::Sunken);
    pnlHint->setMinimumHeight(26);
    top->addWidget(pnlHint);

    hint(lstELesson, QStringLiteral("編集するコースウェアを選択します"));
    hint(lstESection, QStringLiteral("主インデックスを書きます"));
    hint(lstEUnit, QStringLiteral("副インデックスを書きます"));
    hint(trvSect, QStringLiteral("インデックスの全構造を表示します"));
    installEventFilter(this);
    hints_.emplace_back(this,
                        QStringLiteral("インデックスを編集した後、マスターファイルを編集します。"));

    connect(lstELesson, &QListWidget::currentRowChanged, this, &TfrmEditIndex::lstELessonClick);
    connect(lstESection, &QListWidget::currentRowChanged, this, &TfrmEditIndex::lstESectionClick);
    connect(lstEUnit, &QListWidget::currentRowChanged, this, &TfrmEditIndex::lstEUnitClick);
    connect(lstEUnit, &QListWidget::itemDoubleClicked, this, &TfrmEditIndex::btnOkClick);
    connect(btnAdd, &QPushButton::clicked, this, &TfrmEditIndex::btnAddClick);
    connect(btnChange, &QPushButton::clicked, this, &TfrmEditIndex::btnChangeClick);
    connect(btnAdd2, &QPushButton::clicked, this, &TfrmEditIndex::btnAdd2Click);
    connect(btnChange2, &QPushButton::clicked, this, &TfrmEditIndex::btnChange2Click);
    connect(btnExpand, &QPushButton::clicked, this, &TfrmEditIndex::btnExpandClick);
    connect(ok, &QPushButton::clicked, this, &TfrmEditIndex::btnOkClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(direct, &QPushButton::clicked, this, &TfrmEditIndex::btnEditDirectClick);
    connect(help, &QPushButton::clicked, this, [this] { desk_.showHelp(730); });
    connect(edtMainTitle, &QLineEdit::textEdited, this, [this](const QString& title) {
        const std::optional<UnrepresentableChar> bad = FirstUnrepresentable({title.toStdString()});
        SetIndexTitle(s_, sj(title), bad ? UnrepresentableText(*bad) : std::string());
    });
}

bool TfrmEditIndex::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter)
        for (const auto& [control, text] : hints_)
            if (control == watched) pnlHint->setText(text);
    return QDialog::eventFilter(watched, event);
}

void TfrmEditIndex::editIndex() {
    Program& p = desk_.program();
    const Worksheet* sheet = p.sheets.current;
    const int lesson = sheet && sheet->unitRef.Lesson >= 1 ? sheet->unitRef.Lesson : 1;
    if (Report r = OpenIndexEditor(p.platform.files, s_, p.course.masterFolder, lesson); !r) {
        refuse(r);
        if (s_.lessons.lessonNames.empty()) return;
    }
    setGeometry(desk_.mainGeometry());
    move(0, 0);
    {
        const QSignalBlocker quiet(lstELesson);
        lstELesson->clear();
        lstELesson->addItems(qsLines(s_.lessons.lessonNames));
    }
    s_.expanded = true;
    showLesson();
    desk_.runModal(*this);
    IndexEditorClosed(p, s_.written);
}

void TfrmEditIndex::refuse(const Report& r) {
    SayIfAny(desk_.program(), r.message);
}

void TfrmEditIndex::showLesson() {
    showing_ = true;
    {
        const QSignalBlocker quiet(lstELesson);
        lstELesson->setCurrentRow(s_.lesson - 1);
    }
    edtIndex->setText(qsShown(s_.indexPath));
    edtMainTitle->setText(qs(s_.title));
    const QSignalBlocker quiet(lstESection);
    lstESection->clear();
    for (const SectionBlock& b : IndexSections(s_))
        lstESection->addItem(qs(b.name));
    buildTree();
    showSection();
    if (s_.lesson > 0)
        pnlHint->setText(QStringLiteral("インデックスを変更した後、[OK]ボタンをクリックします。"));
    showing_ = false;
}

void TfrmEditIndex::showSection() {
    {
        const QSignalBlocker quiet(lstESection);
        lstESection->setCurrentRow(s_.section);
    }
    edtDataFile->setText(qsShown(SectionDataFile(desk_.program().platform.files, s_)));
    const QSignalBlocker quiet(lstEUnit);
    lstEUnit->clear();
    const std::vector<SectionBlock> sections = IndexSections(s_);
    if (s_.section >= 0 && static_cast<std::size_t>(s_.section) < sections.size())
        lstEUnit->addItems(qsLines(sections[static_cast<std::size_t>(s_.section)].units));
    showUnitChoice();
}

void TfrmEditIndex::showUnitChoice() {
    {
        const QSignalBlocker quiet(lstEUnit);
        lstEUnit->setCurrentRow(s_.unit);
    }
    QTreeWidgetItem* root = trvSect->topLevelItem(0);
    QTreeWidgetItem* section = root && s_.section >= 0 ? root->child(s_.section) : nullptr;
    QTreeWidgetItem* unit = section && s_.unit >= 0 ? section->child(s_.unit) : nullptr;
    if (unit || section) trvSect->setCurrentItem(unit && s_.expanded ? unit : section);
}

void TfrmEditIndex::buildTree() {
    Program& p = desk_.program();
    // The unit menu's marks, when they are this lesson's.
    const bool marked = s_.lesson > 0 && p.menu.marksLesson == s_.indexPath;
    const LessonTree tree = BuildLessonTree(s_.lines, marked ? &p.menu.unitMarks : nullptr);
    trvSect->clear();
    auto* root = new QTreeWidgetItem(trvSect, QStringList(qs(tree.title)));
    root->setIcon(0, QIcon(glyph("lesson", 20)));
    for (const LessonTree::Section& section : tree.sections) {
        auto* node = new QTreeWidgetItem(root, QStringList(qs(section.name)));
        node->setIcon(0, QIcon(glyph("section", 20)));
        for (const std::string& unit : section.units)
            (new QTreeWidgetItem(node, QStringList(qs(unit))))
                ->setIcon(0, QIcon(glyph("unit", 20)));
        node->setExpanded(s_.expanded);
    }
    root->setExpanded(true);
    btnExpand->setText(s_.expanded ? QStringLiteral("表示を圧縮する")
                                   : QStringLiteral("表示を展開する"));
    btnExpand->setIcon(QIcon(glyph(s_.expanded ? "collapse" : "expand", 20)));
}

void TfrmEditIndex::lstELessonClick(int row) {
    if (showing_ || row < 0 || row + 1 == s_.lesson) return;
    Program& p = desk_.program();
    if (!MayLeaveIndexLesson(p.platform.files, p.platform.prompter, s_)) {
        const QSignalBlocker quiet(lstELesson);
        lstELesson->setCurrentRow(s_.lesson - 1);
        return;
    }
    if (Report r = ChooseIndexLesson(p.platform.files, s_, row + 1); !r) refuse(r);
    showLesson();
    {
        const QSignalBlocker quiet(lstELesson);
        lstELesson->setCurrentRow(row);
    }
}

void TfrmEditIndex::lstESectionClick(int row) {
    if (showing_) return;
    ChooseIndexSection(s_, row);
    showSection();
}

void TfrmEditIndex::lstEUnitClick(int row) {
    if (showing_) return;
    s_.unit = row;
    showUnitChoice();
}

void TfrmEditIndex::btnAddClick() {
    if (std::optional<std::string> text = desk_.askText(QStringLiteral("mainADD"), {})) {
        if (Report r = AddIndexSection(s_, *text); !r) refuse(r);
        showLesson();
    }
}

void TfrmEditIndex::btnChangeClick() {
    if (s_.section < 0) {
        desk_.prompter().message(J("変更する項目をクリックしてください"));
        return;
    }
    const std::string name = sj(lstESection->item(s_.section)->text());
    if (std::optional<std::string> text = desk_.askText(QStringLiteral("mainCHANGE"), name)) {
        if (Report r = RenameIndexSection(s_, *text); !r) refuse(r);
        const int section = s_.section, unit = s_.unit;
        showLesson();
        s_.section = section;
        s_.unit = unit;
        showSection();
    }
}

void TfrmEditIndex::btnAdd2Click() {
    if (std::optional<std::string> text = desk_.askText(QStringLiteral("subADD"), {})) {
        if (Report r = AddIndexUnit(s_, *text); !r) refuse(r);
        const int section = s_.section, unit = s_.unit;
        showLesson();
        s_.section = section;
        s_.unit = unit;
        showSection();
    }
}

void TfrmEditIndex::btnChange2Click() {
    if (s_.unit < 0 || !lstEUnit->item(s_.unit)) {
        desk_.prompter().message(J("変更する項目をクリックしてください"));
        return;
    }
    const std::string name = sj(lstEUnit->item(s_.unit)->text());
    if (std::optional<std::string> text = desk_.askText(QStringLiteral("subCHANGE"), name)) {
        if (Report r = RenameIndexUnit(s_, *text); !r) refuse(r);
        const int section = s_.section, unit = s_.unit;
        showLesson();
        s_.section = section;
        s_.unit = unit;
        showSection();
    }
}

void TfrmEditIndex::btnExpandClick() {
    s_.expanded = !s_.expanded;
    buildTree();
    showUnitChoice();
}

void TfrmEditIndex::btnOkClick() {
    Program& p = desk_.program();
    if (SaveLessonIndex(p.platform.files, p.platform.prompter, s_))
        accept();
    else if (!s_.titleProblem.empty())
        edtMainTitle->setFocus();
}

void TfrmEditIndex::btnEditDirectClick() {
    if (s_.lesson == 0) return;
    const std::optional<Lines> edited =
        desk_.editSourceLines(s_.indexPath, 710, EditedIndexLines(s_));
    if (!edited) return;
    Program& p = desk_.program();
    WriteIndexSource(p.platform.files, p.platform.prompter, s_, *edited);
    showLesson();
}
