#include "gui/TfrmClass.h"

#include <algorithm>

#include <QComboBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
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
    lblSort = makeLabel(nullptr, "lblSort", {});
    grid->addWidget(lblSort, 4, 0, 1, 2);
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
    QPushButton* print = rowButton("btnPrint", QStringLiteral("印刷"));
    QPushButton* close = rowButton("btnReturn", QStringLiteral("閉じる"));
    row->addStretch();
    row->addWidget(exportCsv);
    row->addWidget(print);
    row->addWidget(close);
    grid->addLayout(row, 3, 0, 1, 2);
    connect(tblClass->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TfrmClass::tblClassHeaderClick);
    connect(tblClass, &QTableWidget::cellDoubleClicked, this, &TfrmClass::tblClassDblClick);
    connect(cmbSection, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TfrmClass::cmbSectionChange);
    connect(exportCsv, &QPushButton::clicked, this, &TfrmClass::btnExportClick);
    connect(print, &QPushButton::clicked, this, &TfrmClass::btnPrintClick);
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
        problems << qsShown(problem);
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
            // In words, not only in colour: what is wrong, naming the file.
            QTableWidgetItem* item = readOnlyItem(QStringLiteral("読めない記録: ") + qsShown(row.problem));
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
    const bool byUnit = view_.sortKey == ClassSortKey::Score || view_.sortKey == ClassSortKey::Runs;
    for (int i = 0; i < units; ++i)
        if (byUnit && view_.columns[i] == view_.sortColumn) sortColumn = FirstUnitColumn + i;
    tblClass->horizontalHeader()->setSortIndicator(
        sortColumn, view_.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    tblClass->resizeColumnsToContents();
    lblSort->setText(QStringLiteral("並び順: ") + sortWords());
    lblSort->setAccessibleName(lblSort->text());
}

QString TfrmClass::sortWords() const {
    const bool down = view_.descending;
    switch (view_.sortKey) {
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
    if (column == LearnerColumn || column == PractisedColumn || column == MeanColumn) {
        const ClassSortKey key = column == LearnerColumn     ? ClassSortKey::Learner
                                 : column == PractisedColumn ? ClassSortKey::Practised
                                                             : ClassSortKey::Mean;
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
    auto advance = [&](const QString& text) { return fm.horizontalAdvance(text) + 1; };
    const int pad = 3, lineH = fm.height() + 2 * pad;
    for (int c = 0; c < cols; ++c)
        for (int r = -1; r < rows; ++r) {
            if (r >= 0 && tblClass->columnSpan(r, c) > 1) continue;
            widths[c] = std::max(widths[c], advance(cellAt(r, c)) + 2 * pad);
        }
    int tableW = 0;
    for (int w : widths)
        tableW += w;
    const int tableH = (rows + 2) * lineH;
    const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const double scale = std::min({pointsToDevice, double(page.width()) / std::max(1, tableW),
                                   double(page.height()) / std::max(1, tableH)});
    painter.setFont(font);
    painter.scale(scale, scale);
    painter.drawText(QRect(0, 0, tableW, lineH), Qt::AlignLeft | Qt::AlignVCenter, header);
    for (int r = -1; r < rows; ++r) {
        const int y = (r + 2) * lineH;
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
