#include "gui/TfrmKiroku.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/ScoreChart.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "learners/RecordsCsv.h"
#include "learners/ScoreHistory.h"
#include "qt/QtFiles.h"
#include "shell/Prompts.h"

namespace {

// The buttons under the records share one size.
QPushButton* rowButton(const char* name, const QString& caption) {
    QPushButton* b = makeButton(nullptr, name, caption);
    b->setMinimumSize(110, 34);
    return b;
}

} // namespace

TfrmKiroku::TfrmKiroku(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmKiroku"));
    setWindowTitle(QStringLiteral("実行記録"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint);
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    auto* grid = new QGridLayout(this);
    auto* hint = new QLabel(QStringLiteral("単元をクリックして下さい"));
    hint->setObjectName(QStringLiteral("Label1"));
    grid->addWidget(hint, 0, 0);
    lstTitle = namedList(this, "lstTitle", {}, QStringLiteral("単元と練習回数"));
    lstTitle->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstTitle->setFont(uiFont("ＭＳ ゴシック", 14));
    hint->setBuddy(lstTitle);
    grid->addWidget(lstTitle, 1, 0, 2, 1);
    memDetail = new QPlainTextEdit;
    memDetail->setObjectName(QStringLiteral("memDetail"));
    memDetail->setReadOnly(true);
    memDetail->setLineWrapMode(QPlainTextEdit::NoWrap);
    memDetail->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memDetail->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memDetail->setFont(uiFont("ＭＳ ゴシック", 14));
    memDetail->setAccessibleName(QStringLiteral("練習の記録"));
    grid->addWidget(memDetail, 1, 1);
    chart_ = new ScoreChart;
    grid->addWidget(chart_, 2, 1);
    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(1, 6);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 1);

    auto* row = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("ログオン名"));
    nameLabel->setObjectName(QStringLiteral("Label2"));
    edtName = new QLineEdit;
    edtName->setObjectName(QStringLiteral("edtName"));
    edtName->setReadOnly(true);
    edtName->setAccessibleName(QStringLiteral("ログオン名"));
    edtName->setMaximumWidth(200);
    nameLabel->setBuddy(edtName);
    QPushButton* erase = rowButton("btnErase", QStringLiteral("記録消去"));
    QPushButton* exportCsv = rowButton("btnExport", QStringLiteral("CSVに書き出す"));
    QPushButton* help = rowButton("btnHelp", QStringLiteral("ヘルプ"));
    btnClass = rowButton("btnClass", QStringLiteral("クラスの記録"));
    QPushButton* close = rowButton("btnReturn", QStringLiteral("閉じる"));
    row->addWidget(nameLabel);
    row->addWidget(edtName);
    row->addStretch();
    row->addWidget(erase);
    row->addWidget(exportCsv);
    row->addWidget(btnClass);
    row->addWidget(help);
    row->addWidget(close);
    grid->addLayout(row, 3, 0, 1, 2);
    setTabOrder(lstTitle, memDetail);
    setTabOrder(memDetail, erase);
    setTabOrder(erase, exportCsv);
    setTabOrder(exportCsv, btnClass);
    setTabOrder(btnClass, help);
    setTabOrder(help, close);
    setTabOrder(close, edtName);
    connect(lstTitle, &QListWidget::currentRowChanged, this, &TfrmKiroku::lstTitleClick);
    connect(erase, &QPushButton::clicked, this, &TfrmKiroku::btnEraseClick);
    connect(exportCsv, &QPushButton::clicked, this, &TfrmKiroku::btnExportClick);
    connect(help, &QPushButton::clicked, this, &TfrmKiroku::btnHelpClick);
    connect(btnClass, &QPushButton::clicked, this, &TfrmKiroku::btnClassClick);
    connect(close, &QPushButton::clicked, this, &TfrmKiroku::btnReturnClick);
    // F1 anywhere in the window opens its help page, as the button does.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TfrmKiroku::btnHelpClick);
}

bool TfrmKiroku::showRecords() {
    setGeometry(QRect(QPoint(0, 0), desk_.mainGeometry().size()));
    const Program& p = desk_.program();
    state_ = RecordsWindowState{};
    state_.learner = p.session.learnerName;
    state_.lesson = p.course.currentLesson < 1 ? 1 : p.course.currentLesson;
    edtName->setText(qs(state_.learner));
    btnClass->setVisible(!p.session.keyLock); // the class is the teacher's
    Program& program = desk_.program();
    SayIfAny(program, FillRecordsList(program.platform.files, program.course,
                                      program.shell.logOnFolder, state_)
                          .message);
    fillList();
    lstTitle->setFocus();
    desk_.runModal(*this);
    return state_.erased;
}

void TfrmKiroku::fillList() {
    lstTitle->blockSignals(true);
    lstTitle->clear();
    for (const RecordsItem& it : state_.items) {
        auto* item = new QListWidgetItem(qs(it.text), lstTitle);
        // Blanks line the counts up on screen; a screen reader reads the count and the name.
        item->setData(Qt::AccessibleTextRole, item->text().simplified());
    }
    lstTitle->blockSignals(false);
    memDetail->clear();
    chart_->setRuns({});
}

void TfrmKiroku::lstTitleClick() {
    Program& p = desk_.program();
    const int row = lstTitle->currentRow();
    memDetail->setPlainText(qsLines(RecordLinesOf(p.platform.files, state_, row)).join('\n'));
    chart_->setRuns(ScoreHistory(RecordsOfItem(p.platform.files, state_, row)));
}

void TfrmKiroku::btnEraseClick() {
    Program& p = desk_.program();
    std::vector<int> selected;
    for (int i = 0; i < lstTitle->count(); ++i)
        if (lstTitle->item(i)->isSelected()) selected.push_back(i);
    EraseSelectedRecords(p.platform.files, p.platform.prompter, p.course, p.shell.logOnFolder,
                         state_, selected);
    fillList();
}

void TfrmKiroku::btnExportClick() {
    Program& p = desk_.program();
    const std::optional<QString> chosen = desk_.fileDialogs().saveFileName(
        this, QStringLiteral("CSVに書き出す"),
        QtFiles::toNative(p.course.masterFolder) + qs(state_.learner) + QStringLiteral(".csv"),
        QStringLiteral("CSV ファイル (*.csv)"));
    if (!chosen) return;
    const std::optional<std::string> path = QtFiles::toCorePath(*chosen);
    if (!path) return;
    SayIfAny(p, ExportLearnerRecords(p.platform.files, p.course, p.shell.logOnFolder,
                                     state_.learner, *path)
                    .message);
}

void TfrmKiroku::btnClassClick() {
    desk_.showClass();
}

void TfrmKiroku::btnHelpClick() {
    desk_.showHelp(HelpTopic);
}

void TfrmKiroku::btnReturnClick() {
    memDetail->clear();
    accept();
}
