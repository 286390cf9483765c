#include "gui/TfrmClass.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/ScoreChart.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "learners/ScoreHistory.h"
#include "qt/QtFiles.h"
#include "shell/Prompts.h"

namespace {

// The cell colours of the score bands, light enough for black text; the band is also said in
// words, so colour is never the only sign.
QColor bandColour(ScoreBand band) {
    switch (band) {
    case ScoreBand::High:
        return QColor(0xc8, 0xf0, 0xc8);
    case ScoreBand::Middle:
        return QColor(0xff, 0xf0, 0xb0);
    case ScoreBand::Low:
        return QColor(0xff, 0xc8, 0xc8);
    case ScoreBand::None:
        break;
    }
    return {};
}

QString bandWords(ScoreBand band) {
    switch (band) {
    case ScoreBand::High:
        return QStringLiteral("合格");
    case ScoreBand::Middle:
        return QStringLiteral("もう少し");
    case ScoreBand::Low:
        return QStringLiteral("要復習");
    case ScoreBand::None:
        break;
    }
    return {};
}

QString meanText(double mean) {
    return mean < 0 ? QString() : QString::number(mean, 'f', 1);
}

// "2回 90点"; "2回" when no run's score reads; empty without a run.
QString cellText(const UnitProgress& p) {
    if (p.runs == 0) return {};
    QString text = QStringLiteral("%1回").arg(p.runs);
    if (p.lastScore >= 0) text += QStringLiteral(" %1点").arg(p.lastScore);
    return text;
}

QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QPushButton* rowButton(const char* name, const QString& caption) {
    QPushButton* b = makeButton(nullptr, name, caption);
    b->setMinimumSize(130, 34);
    return b;
}

} // namespace

TfrmClass::TfrmClass(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmClass"));
    setWindowTitle(QStringLiteral("クラスの記録"));
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    auto* grid = new QGridLayout(this);
    auto* top = new QHBoxLayout;
    QLabel* sectionLabel = makeLabel(nullptr, "lblSection", QStringLiteral("区分"));
    cmbSection = makeControl<QComboBox>(nullptr, "cmbSection");
    cmbSection->setAccessibleName(QStringLiteral("表示する区分"));
    cmbSection->setMinimumWidth(240);
    sectionLabel->setBuddy(cmbSection);
    lblProblems = makeLabel(nullptr, "lblProblems", {});
    lblProblems->setWordWrap(true);
    top->addWidget(sectionLabel);
    top->addWidget(cmbSection);
    top->addWidget(lblProblems, 1);
    grid->addLayout(top, 0, 0, 1, 2);
    tblClass = makeControl<QTableWidget>(nullptr, "tblClass");
    tblClass->setAccessibleName(QStringLiteral("学習者と単元の記録"));
    tblClass->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblClass->setSelectionMode(QAbstractItemView::SingleSelection);
    tblClass->verticalHeader()->hide();
    tblClass->horizontalHeader()->setSectionsClickable(true);
    tblClass->horizontalHeader()->setSortIndicatorShown(true);
    grid->addWidget(tblClass, 1, 0, 1, 2);
    memDetail = makeControl<QPlainTextEdit>(nullptr, "memDetail");
    memDetail->setReadOnly(true);
    memDetail->setLineWrapMode(QPlainTextEdit::NoWrap);
    memDetail->setFont(uiFont("ＭＳ ゴシック", 14));
    memDetail->setAccessibleName(QStringLiteral("練習の記録"));
    grid->addWidget(memDetail, 2, 0);
    chart_ = new ScoreChart;
    grid->addWidget(chart_, 2, 1);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(2, 2);
    auto* row = new QHBoxLayout;
    QPushButton* exportCsv = rowButton("btnExport", QStringLiteral("CSVに書き出す"));
    QPushButton* close = rowButton("btnReturn", QStringLiteral("閉じる"));
    row->addStretch();
    row->addWidget(exportCsv);
    row->addWidget(close);
    grid->addLayout(row, 3, 0, 1, 2);
    connect(tblClass->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TfrmClass::tblClassHeaderClick);
    connect(tblClass, &QTableWidget::cellDoubleClicked, this, &TfrmClass::tblClassDblClick);
    connect(cmbSection, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TfrmClass::cmbSectionChange);
    connect(exportCsv, &QPushButton::clicked, this, &TfrmClass::btnExportClick);
    connect(close, &QPushButton::clicked, this, &TfrmClass::btnReturnClick);
}

void TfrmClass::showClass() {
    setGeometry(QRect(QPoint(0, 0), desk_.mainGeometry().size()));
    Program& p = desk_.program();
    const int lesson = p.course.currentLesson < 1 ? 1 : p.course.currentLesson;
    view_ = ViewOfGrid(ReadClassGrid(p.platform.files, p.course, p.shell.logOnFolder, lesson));
    SortRows(view_, ClassSortKey::Learner, -1, false);
    QStringList problems;
    for (const std::string& problem : view_.grid.problems)
        problems << qs(problem);
    lblProblems->setText(problems.join(QLatin1Char('\n')));
    cmbSection->blockSignals(true);
    cmbSection->clear();
    cmbSection->addItem(QStringLiteral("すべて"), 0);
    for (const auto& [section, title] : ClassSections(view_.grid))
        cmbSection->addItem(qs(title), section);
    cmbSection->blockSignals(false);
    fillTable();
    memDetail->clear();
    chart_->setRuns({});
    tblClass->setFocus();
    desk_.runModal(*this);
}

void TfrmClass::fillTable() {
    const ClassGrid& g = view_.grid;
    const int units = static_cast<int>(view_.columns.size());
    const int learners = static_cast<int>(view_.rows.size());
    tblClass->clear();
    tblClass->clearSpans();
    tblClass->setColumnCount(FirstUnitColumn + units);
    tblClass->setRowCount(learners + 1);
    QStringList headers{QStringLiteral("学習者"), QStringLiteral("練習した単元"),
                        QStringLiteral("平均")};
    for (int c : view_.columns)
        headers << qs(g.columns[c].title);
    tblClass->setHorizontalHeaderLabels(headers);
    for (int i = 0; i < units; ++i) {
        const ClassColumn& col = g.columns[view_.columns[i]];
        tblClass->horizontalHeaderItem(FirstUnitColumn + i)
            ->setToolTip(qs(col.sectionTitle.empty() ? col.title : col.sectionTitle + " / " + col.title));
    }
    for (int r = 0; r < learners; ++r) {
        const ClassRow& row = g.rows[view_.rows[r]];
        const QString name = qs(row.learner);
        tblClass->setItem(r, LearnerColumn, readOnlyItem(name));
        if (row.state == ClassRow::State::Damaged) {
            QTableWidgetItem* item = readOnlyItem(QStringLiteral("読めない記録: ") + qs(row.problem));
            item->setData(Qt::AccessibleTextRole, name + QStringLiteral("、") + item->text());
            tblClass->setItem(r, PractisedColumn, item);
            tblClass->setSpan(r, PractisedColumn, 1, 2 + units);
            continue;
        }
        QTableWidgetItem* practised = readOnlyItem(QString::number(row.practised));
        practised->setData(Qt::AccessibleTextRole,
                           QStringLiteral("%1、練習した単元 %2").arg(name).arg(row.practised));
        tblClass->setItem(r, PractisedColumn, practised);
        QTableWidgetItem* mean = readOnlyItem(meanText(row.mean));
        mean->setData(Qt::AccessibleTextRole,
                      name + QStringLiteral("、平均 ") +
                          (row.mean < 0 ? QStringLiteral("なし") : meanText(row.mean)));
        tblClass->setItem(r, MeanColumn, mean);
        for (int i = 0; i < units; ++i) {
            const int c = view_.columns[i];
            const UnitProgress& p = row.cells[c];
            QTableWidgetItem* cell = readOnlyItem(cellText(p));
            const ScoreBand band = BandOf(p.lastScore);
            if (band != ScoreBand::None) cell->setBackground(bandColour(band));
            QString spoken = name + QStringLiteral("、") + qs(g.columns[c].title) + QStringLiteral("、");
            if (p.runs == 0)
                spoken += QStringLiteral("練習なし");
            else {
                spoken += QStringLiteral("%1回").arg(p.runs);
                if (p.lastScore >= 0)
                    spoken += QStringLiteral("、%1点、%2").arg(p.lastScore).arg(bandWords(band));
            }
            cell->setData(Qt::AccessibleTextRole, spoken);
            tblClass->setItem(r, FirstUnitColumn + i, cell);
        }
    }
    // The class's own row: how many learners practised each unit and their mean.
    QTableWidgetItem* classItem = readOnlyItem(QStringLiteral("クラス"));
    QFont bold = classItem->font();
    bold.setBold(true);
    classItem->setFont(bold);
    tblClass->setItem(learners, LearnerColumn, classItem);
    const int hardest = HardestColumn(g);
    for (int i = 0; i < units; ++i) {
        const int c = view_.columns[i];
        const ColumnSummary& s = g.summaries[c];
        QString text = QStringLiteral("%1人").arg(s.learners);
        if (s.mean >= 0) text += QStringLiteral(" 平均%1").arg(meanText(s.mean));
        QTableWidgetItem* item = readOnlyItem(text);
        item->setFont(bold);
        QString spoken = QStringLiteral("クラス、") + qs(g.columns[c].title) + QStringLiteral("、") +
                         text;
        if (c == hardest) {
            item->setText(text + QStringLiteral(" 最難"));
            spoken += QStringLiteral("、いちばん難しい単元");
        }
        item->setData(Qt::AccessibleTextRole, spoken);
        tblClass->setItem(learners, FirstUnitColumn + i, item);
    }
    int sortColumn = LearnerColumn;
    if (view_.sortKey == ClassSortKey::Practised) sortColumn = PractisedColumn;
    if (view_.sortKey == ClassSortKey::Mean) sortColumn = MeanColumn;
    for (int i = 0; i < units; ++i)
        if (view_.columns[i] == view_.sortColumn && view_.sortKey == ClassSortKey::Score)
            sortColumn = FirstUnitColumn + i;
    tblClass->horizontalHeader()->setSortIndicator(
        sortColumn, view_.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    tblClass->resizeColumnsToContents();
}

void TfrmClass::tblClassHeaderClick(int column) {
    ClassSortKey key = ClassSortKey::Score;
    int unit = -1;
    if (column == LearnerColumn)
        key = ClassSortKey::Learner;
    else if (column == PractisedColumn)
        key = ClassSortKey::Practised;
    else if (column == MeanColumn)
        key = ClassSortKey::Mean;
    else if (column - FirstUnitColumn < static_cast<int>(view_.columns.size()))
        unit = view_.columns[column - FirstUnitColumn];
    // The same header again turns the order round; a new one starts with the lowest first.
    const bool again = view_.sortKey == key && view_.sortColumn == unit;
    SortRows(view_, key, unit, again && !view_.descending);
    fillTable();
}

void TfrmClass::tblClassDblClick(int row, int column) {
    if (row < 0 || row >= static_cast<int>(view_.rows.size())) return;
    const int unit = column - FirstUnitColumn;
    if (unit < 0 || unit >= static_cast<int>(view_.columns.size())) return;
    Program& p = desk_.program();
    const int r = view_.rows[row], c = view_.columns[unit];
    memDetail->setPlainText(
        qsLines(CellRecordLines(p.platform.files, view_.grid, r, c)).join(QLatin1Char('\n')));
    chart_->setRuns(ScoreHistory(CellRecords(p.platform.files, view_.grid, r, c)));
}

void TfrmClass::cmbSectionChange(int index) {
    FilterSection(view_, cmbSection->itemData(index).toInt());
    fillTable();
}

void TfrmClass::btnExportClick() {
    Program& p = desk_.program();
    const std::optional<QString> chosen = desk_.fileDialogs().saveFileName(
        this, QStringLiteral("CSVに書き出す"),
        QtFiles::toNative(p.course.masterFolder) + QStringLiteral("class.csv"),
        QStringLiteral("CSV ファイル (*.csv)"));
    if (!chosen) return;
    const std::optional<std::string> path = QtFiles::toCorePath(*chosen);
    if (!path) return;
    SayIfAny(p, ExportClassGrid(p.platform.files, view_.grid, *path).message);
}

void TfrmClass::btnReturnClick() {
    accept();
}
