#include "gui/TfrmClass.h"

#include <algorithm>

#include <QComboBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "Program.h"
#include "gui/ClassSectionBand.h"
#include "gui/ClassTable.h"
#include "gui/Desk.h"
#include "gui/ScoreChart.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "learners/ScoreHistory.h"
#include "qt/QtFiles.h"
#include "shell/Prompts.h"
#include "text/Sjis.h"

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

QString detailHint() {
    return QStringLiteral("記録を見るには、ます目をダブルクリックするかEnterキーを押します");
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
    QLabel* sectionLabel = makeLabel(nullptr, "lblSection", QStringLiteral("区分(&S)"));
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
    tblClass = makeControl<ClassTable>(nullptr, "tblClass");
    tblClass->setAccessibleName(QStringLiteral("学習者と単元の記録"));
    tblClass->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblClass->setSelectionMode(QAbstractItemView::SingleSelection);
    // The arrows go from cell to cell; Tab leaves the table for the next control.
    tblClass->setTabKeyNavigation(false);
    tblClass->verticalHeader()->hide();
    tblClass->horizontalHeader()->setSectionsClickable(true);
    tblClass->horizontalHeader()->setSortIndicatorShown(true);
    // The sections' titles over their columns, joined to the table's header.
    sectionBand_ = new ClassSectionBand(tblClass);
    auto* tableBox = new QVBoxLayout;
    tableBox->setSpacing(0);
    tableBox->addWidget(sectionBand_);
    tableBox->addWidget(tblClass, 1);
    grid->addLayout(tableBox, 1, 0, 1, 2);
    lblSort = makeLabel(nullptr, "lblSort", {});
    // Whose records of which unit the pane below lists.
    lblDetail = makeLabel(nullptr, "lblDetail", detailHint());
    memDetail = makeControl<QPlainTextEdit>(nullptr, "memDetail");
    memDetail->setReadOnly(true);
    memDetail->setTabChangesFocus(true);
    memDetail->setLineWrapMode(QPlainTextEdit::NoWrap);
    memDetail->setFont(uiFont("ＭＳ ゴシック", 14));
    memDetail->setAccessibleName(QStringLiteral("練習の記録"));
    lblDetail->setBuddy(memDetail);
    auto* detailBox = new QVBoxLayout;
    detailBox->addWidget(lblDetail);
    detailBox->addWidget(memDetail, 1);
    grid->addLayout(detailBox, 2, 0);
    chart_ = new ScoreChart;
    grid->addWidget(chart_, 2, 1);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(2, 2);
    auto* row = new QHBoxLayout;
    // Sorting from the keyboard: the column of the current cell, as a click on its header.
    QPushButton* sort = rowButton("btnSort", QStringLiteral("並べ替え(&R)"));
    sort->setAccessibleDescription(QStringLiteral("今のます目の列で並べ替えます"));
    QPushButton* exportCsv = rowButton("btnExport", QStringLiteral("CSVに書き出す"));
    QPushButton* print = rowButton("btnPrint", QStringLiteral("印刷"));
    QPushButton* close = rowButton("btnReturn", QStringLiteral("閉じる"));
    row->addWidget(lblSort);
    row->addStretch();
    row->addWidget(sort);
    row->addWidget(exportCsv);
    row->addWidget(print);
    row->addWidget(close);
    grid->addLayout(row, 3, 0, 1, 2);
    connect(tblClass->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TfrmClass::tblClassHeaderClick);
    connect(tblClass, &QTableWidget::cellDoubleClicked, this, &TfrmClass::tblClassDblClick);
    connect(cmbSection, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TfrmClass::cmbSectionChange);
    connect(sort, &QPushButton::clicked, this, [this] {
        const int column = tblClass->currentColumn();
        tblClassHeaderClick(column < 0 ? LearnerColumn : column);
    });
    connect(exportCsv, &QPushButton::clicked, this, &TfrmClass::btnExportClick);
    connect(print, &QPushButton::clicked, this, &TfrmClass::btnPrintClick);
    connect(close, &QPushButton::clicked, this, &TfrmClass::btnReturnClick);
    // Enter on a cell shows its records, as a double-click does, and presses no button.
    for (QPushButton* b : {sort, exportCsv, print, close})
        b->setAutoDefault(false);
    tblClass->installEventFilter(this);
    connect(tblClass, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!filling_) rememberSpot(row, column);
    });
    setTabOrder(cmbSection, tblClass);
    setTabOrder(tblClass, memDetail);
    setTabOrder(memDetail, sort);
    setTabOrder(sort, exportCsv);
    setTabOrder(exportCsv, print);
    setTabOrder(print, close);
}

bool TfrmClass::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tblClass && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            tblClassDblClick(tblClass->currentRow(), tblClass->currentColumn());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmClass::showClass() {
    setGeometry(QRect(QPoint(0, 0), desk_.mainGeometry().size()));
    Program& p = desk_.program();
    const int lesson = p.course.currentLesson < 1 ? 1 : p.course.currentLesson;
    view_ = ViewOfGrid(ReadClassGrid(p.platform.files, p.course, p.shell.logOnFolder, lesson));
    spotRow_ = spotColumn_ = -1;
    SortRows(view_, ClassSortKey::Roster, -1, false);
    QStringList problems;
    for (const std::string& problem : view_.grid.problems)
        problems << qsShown(problem);
    lblProblems->setText(problems.join(QLatin1Char('\n')));
    cmbSection->blockSignals(true);
    cmbSection->clear();
    cmbSection->addItem(QStringLiteral("すべて"), 0);
    for (const auto& [section, title] : ClassSections(view_.grid))
        cmbSection->addItem(qs(title), section);
    cmbSection->blockSignals(false);
    fillTable();
    showDetail(-1, -1);
    tblClass->setFocus();
    desk_.runModal(*this);
}

void TfrmClass::rememberSpot(int row, int column) {
    const int learners = static_cast<int>(view_.rows.size());
    spotRow_ = row < 0 ? -1 : row < learners ? view_.rows[row] : ClassRowSpot;
    spotColumn_ = column;
    const int unit = column - FirstUnitColumn;
    if (unit >= 0 && unit < static_cast<int>(view_.columns.size()))
        spotColumn_ = FirstUnitColumn + view_.columns[unit];
}

void TfrmClass::restoreSpot() {
    if (spotRow_ == -1 || spotColumn_ < 0) return;
    const int learners = static_cast<int>(view_.rows.size());
    int row = learners; // the class's row
    if (spotRow_ != ClassRowSpot) {
        const auto at = std::find(view_.rows.begin(), view_.rows.end(), spotRow_);
        if (at == view_.rows.end()) return;
        row = static_cast<int>(at - view_.rows.begin());
    }
    int column = spotColumn_ < FirstUnitColumn ? spotColumn_ : LearnerColumn;
    const auto unit =
        std::find(view_.columns.begin(), view_.columns.end(), spotColumn_ - FirstUnitColumn);
    if (spotColumn_ >= FirstUnitColumn && unit != view_.columns.end())
        column = FirstUnitColumn + static_cast<int>(unit - view_.columns.begin());
    tblClass->setCurrentCell(row, column);
}

void TfrmClass::fillTable() {
    // The current cell stays on the same learner and unit when the rows or columns change.
    filling_ = true;
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
        QTableWidgetItem* learner = readOnlyItem(name);
        tblClass->setItem(r, LearnerColumn, learner);
        if (row.state == ClassRow::State::Damaged && row.practised > 0) {
            // Some of the file's lines read: its cells are shown, as the class's summaries
            // count them, and the name says that the rest could not be read.
            learner->setText(name + QStringLiteral("（一部読めません）"));
            learner->setToolTip(qsShown(row.problem));
            learner->setData(Qt::AccessibleTextRole,
                             name + QStringLiteral("、読めない記録: ") + qsShown(row.problem));
        } else if (row.state == ClassRow::State::Damaged) {
            // In words, not only in colour: what is wrong, naming the file; the message
            // stays at hand when its cells are scrolled under the names.
            learner->setToolTip(qsShown(row.problem));
            QTableWidgetItem* item = readOnlyItem(QStringLiteral("読めない記録: ") + qsShown(row.problem));
            item->setData(Qt::AccessibleTextRole, name + QStringLiteral("、") + item->text());
            tblClass->setItem(r, PractisedColumn, item);
            tblClass->setSpan(r, PractisedColumn, 1, 2 + units);
            continue;
        }
        // Over the columns shown: one section's units when the class is filtered to it.
        const RowSummary summary = ShownSummary(view_, view_.rows[r]);
        QTableWidgetItem* practised = readOnlyItem(QString::number(summary.practised));
        practised->setData(Qt::AccessibleTextRole,
                           QStringLiteral("%1、練習した単元 %2").arg(name).arg(summary.practised));
        tblClass->setItem(r, PractisedColumn, practised);
        QTableWidgetItem* mean = readOnlyItem(meanText(summary.mean));
        mean->setData(Qt::AccessibleTextRole,
                      name + QStringLiteral("、平均 ") +
                          (summary.mean < 0 ? QStringLiteral("なし") : meanText(summary.mean)));
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
    int sortColumn = view_.sortKey == ClassSortKey::Roster ? -1 : LearnerColumn;
    if (view_.sortKey == ClassSortKey::Practised) sortColumn = PractisedColumn;
    if (view_.sortKey == ClassSortKey::Mean) sortColumn = MeanColumn;
    const bool byUnit = view_.sortKey == ClassSortKey::Score || view_.sortKey == ClassSortKey::Runs;
    for (int i = 0; i < units; ++i)
        if (byUnit && view_.columns[i] == view_.sortColumn) sortColumn = FirstUnitColumn + i;
    tblClass->horizontalHeader()->setSortIndicator(
        sortColumn, view_.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    tblClass->resizeColumnsToContents();
    tblClass->refreshFixedColumn();
    sectionBand_->setGroups(columnGroups());
    restoreSpot();
    filling_ = false;
    lblSort->setText(QStringLiteral("並び順: ") + sortWords());
    lblSort->setAccessibleName(lblSort->text());
}

std::vector<ColumnGroup> TfrmClass::columnGroups() const {
    const ClassGrid& g = view_.grid;
    std::vector<std::pair<int, std::string>> titles = ClassSections(g);
    auto titleOf = [&](int section) {
        const int key = section == 0 ? -1 : section; // a saved worksheet's column has block 0
        for (const auto& [s, title] : titles)
            if (s == key) return qs(title);
        return QString();
    };
    std::vector<ColumnGroup> groups;
    int shownSection = -2;
    for (int i = 0; i < static_cast<int>(view_.columns.size()); ++i) {
        const int section = g.columns[view_.columns[i]].section;
        if (groups.empty() || section != shownSection)
            groups.push_back({titleOf(section), FirstUnitColumn + i, 0});
        shownSection = section;
        ++groups.back().count;
    }
    return groups;
}

QString TfrmClass::sortWords() const {
    const bool down = view_.descending;
    switch (view_.sortKey) {
    case ClassSortKey::Roster:
        return down ? QStringLiteral("名簿の順（逆順）") : QStringLiteral("名簿の順");
    case ClassSortKey::Learner:
        return down ? QStringLiteral("学習者の名前（逆順）") : QStringLiteral("学習者の名前");
    case ClassSortKey::Practised:
        return down ? QStringLiteral("練習した単元の数（多い順）")
                    : QStringLiteral("練習した単元の数（少ない順）");
    case ClassSortKey::Mean:
        return down ? QStringLiteral("平均（高い順）") : QStringLiteral("平均（低い順）");
    case ClassSortKey::Runs:
    case ClassSortKey::Score:
        break;
    }
    const int c = view_.sortColumn;
    const QString title = c >= 0 && c < static_cast<int>(view_.grid.columns.size())
                              ? qs(view_.grid.columns[c].title)
                              : QString();
    if (view_.sortKey == ClassSortKey::Runs)
        return title + (down ? QStringLiteral("の回数（多い順）") : QStringLiteral("の回数（少ない順）"));
    return title + (down ? QStringLiteral("の点数（高い順）") : QStringLiteral("の点数（低い順）"));
}

void TfrmClass::tblClassHeaderClick(int column) {
    if (column == LearnerColumn) {
        // The learners' header goes round the class list's order, the names, the names from
        // the end, and back to the class list.
        if (view_.sortKey == ClassSortKey::Learner && view_.descending)
            SortRows(view_, ClassSortKey::Roster, -1, false);
        else
            SortRows(view_, ClassSortKey::Learner, -1, view_.sortKey == ClassSortKey::Learner);
        fillTable();
        return;
    }
    if (column == PractisedColumn || column == MeanColumn) {
        const ClassSortKey key =
            column == PractisedColumn ? ClassSortKey::Practised : ClassSortKey::Mean;
        // The same header again turns the order round; a new one starts with the lowest first.
        const bool again = view_.sortKey == key;
        SortRows(view_, key, -1, again && !view_.descending);
        fillTable();
        return;
    }
    const int i = column - FirstUnitColumn;
    if (i < 0 || i >= static_cast<int>(view_.columns.size())) return;
    const int unit = view_.columns[i];
    // A unit's header, clicked again and again, goes round its orders: the last score lowest
    // first, highest first, then the runs fewest first, most first, and back to the score.
    ClassSortKey key = ClassSortKey::Score;
    bool descending = false;
    const bool again = view_.sortColumn == unit && (view_.sortKey == ClassSortKey::Score ||
                                                    view_.sortKey == ClassSortKey::Runs);
    if (again) {
        if (view_.sortKey == ClassSortKey::Score && !view_.descending)
            descending = true;
        else if (view_.sortKey == ClassSortKey::Score)
            key = ClassSortKey::Runs;
        else if (!view_.descending) {
            key = ClassSortKey::Runs;
            descending = true;
        }
    }
    SortRows(view_, key, unit, descending);
    fillTable();
}

void TfrmClass::tblClassDblClick(int row, int column) {
    if (row < 0 || row >= static_cast<int>(view_.rows.size())) return;
    const int unit = column - FirstUnitColumn;
    if (unit < 0 || unit >= static_cast<int>(view_.columns.size())) return;
    showDetail(view_.rows[row], view_.columns[unit]);
}

void TfrmClass::showDetail(int row, int column) {
    if (row < 0 || column < 0) {
        lblDetail->setText(detailHint());
        memDetail->clear();
        chart_->setRuns({});
        return;
    }
    Program& p = desk_.program();
    const QString whose = qs(view_.grid.rows[row].learner) + QStringLiteral("、") +
                          qs(view_.grid.columns[column].title) + QStringLiteral("の記録");
    lblDetail->setText(whose);
    memDetail->setAccessibleName(whose);
    memDetail->setPlainText(
        qsLines(CellRecordLines(p.platform.files, view_.grid, row, column)).join(QLatin1Char('\n')));
    chart_->setRuns(ScoreHistory(CellRecords(p.platform.files, view_.grid, row, column)));
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

void TfrmClass::btnPrintClick() {
    Program& p = desk_.program();
    // One A4 landscape page: the dialog starts from it, and the grid is scaled to fit it.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    printer.setDocName(QStringLiteral("クラスの記録"));
    if (!desk_.printDialogs().choosePrinter(this, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        desk_.prompter().message(J("印刷できませんでした"));
        return;
    }
    const int lesson = view_.grid.lesson;
    QString lessonName = QStringLiteral("第%1課").arg(lesson);
    if (lesson >= 1 && lesson <= static_cast<int>(p.course.lessonNames.size()))
        lessonName = qs(p.course.lessonNames[lesson - 1]);
    const DateTime now = p.platform.clock.now();
    const QString header = QStringLiteral("クラスの記録　%1　%2年%3月%4日")
                               .arg(lessonName)
                               .arg(now.year)
                               .arg(now.month)
                               .arg(now.day);
    // The table as shown (its order and section), each cell's text and band colour, laid out
    // in points (a 9-point font) and scaled down as a whole so every row and column fits the
    // page; never larger than in points.
    const QFont font = uiFont("ＭＳ Ｐゴシック", 9);
    const QFontMetrics fm(font);
    const double pointsToDevice = printer.resolution() / 72.0;
    const int rows = tblClass->rowCount(), cols = tblClass->columnCount();
    std::vector<int> widths(static_cast<std::size_t>(cols), 0);
    auto cellAt = [&](int r, int c) -> QString {
        if (r < 0) return tblClass->horizontalHeaderItem(c)->text();
        const QTableWidgetItem* item = tblClass->item(r, c);
        return item ? item->text() : QString();
    };
    QFont boldFont = font;
    boldFont.setBold(true);
    const QFontMetrics fmBold(boldFont);
    auto advance = [&](int r, int c) {
        const QTableWidgetItem* item = r >= 0 ? tblClass->item(r, c) : nullptr;
        return (item && item->font().bold() ? fmBold : fm).horizontalAdvance(cellAt(r, c)) + 1;
    };
    const int pad = 3, lineH = fm.height() + 2 * pad;
    for (int c = 0; c < cols; ++c)
        for (int r = -1; r < rows; ++r) {
            if (r >= 0 && tblClass->columnSpan(r, c) > 1) continue;
            widths[c] = std::max(widths[c], advance(r, c) + 2 * pad);
        }
    int tableW = 0;
    for (int w : widths)
        tableW += w;
    // The title line, the sections' band, the column headers, then the rows.
    const int tableH = (rows + 3) * lineH;
    const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const double scale = std::min({pointsToDevice, double(page.width()) / std::max(1, tableW),
                                   double(page.height()) / std::max(1, tableH)});
    painter.setFont(font);
    painter.scale(scale, scale);
    painter.drawText(QRect(0, 0, tableW, lineH), Qt::AlignLeft | Qt::AlignVCenter, header);
    // Each section's title over its columns, as the window's band shows it.
    for (const ColumnGroup& g : columnGroups()) {
        int x = 0, w = 0;
        for (int c = 0; c < g.first + g.count && c < cols; ++c)
            (c < g.first ? x : w) += widths[c];
        const QRect box(x, lineH, w, lineH);
        painter.fillRect(box, QColor(0xe8, 0xe8, 0xe8));
        painter.drawRect(box);
        painter.drawText(box.adjusted(pad, 0, -pad, 0), Qt::AlignCenter,
                         fm.elidedText(g.title, Qt::ElideRight, std::max(0, w - 2 * pad)));
    }
    for (int r = -1; r < rows; ++r) {
        const int y = (r + 3) * lineH;
        int x = 0;
        for (int c = 0; c < cols; ++c) {
            int w = widths[c];
            if (r >= 0 && tblClass->columnSpan(r, c) > 1) {
                for (int k = 1; k < tblClass->columnSpan(r, c) && c + k < cols; ++k)
                    w += widths[c + k];
            }
            const QRect box(x, y, w, lineH);
            const QTableWidgetItem* item = r >= 0 ? tblClass->item(r, c) : nullptr;
            if (item && item->background().style() != Qt::NoBrush)
                painter.fillRect(box, item->background());
            painter.drawRect(box);
            painter.setFont(item && item->font().bold() ? boldFont : font);
            painter.drawText(box.adjusted(pad, 0, -pad, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             cellAt(r, c));
            x += w;
            if (r >= 0 && tblClass->columnSpan(r, c) > 1) c += tblClass->columnSpan(r, c) - 1;
        }
    }
    if (!painter.end()) desk_.prompter().message(J("印刷できませんでした"));
}

void TfrmClass::btnReturnClick() {
    accept();
}
