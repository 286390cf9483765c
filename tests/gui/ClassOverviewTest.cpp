// The class overview as a teacher finds it: three learners' runs written by the program's own
// record writer, the window opened from the edit menu, its cells, colours, spoken names and
// summaries, sorting by a unit's header, a cell's records and chart, one section, the CSV.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QScrollBar>
#include <QTableWidget>

#include "../qt/Poppler.h"
#include "DeskFixture.h"
#include "gui/UiText.h"
#include "gui/ScoreChart.h"
#include "learners/LearnerFiles.h"
#include "learners/Records.h"
#include "learners/RecordsList.h"
#include "practice/ResultsLine.h"

namespace {

template <class W> W* in(QDialog& d, const char* name) {
    return d.findChild<W*>(QLatin1String(name));
}

int rowOf(QTableWidget* t, const QString& learner) {
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->item(r, 0) && (t->item(r, 0)->text() == learner ||
                              t->item(r, 0)->text().startsWith(learner + QStringLiteral("（"))))
            return r;
    return -1;
}

int columnOf(QTableWidget* t, const QString& title) {
    for (int c = 0; c < t->columnCount(); ++c)
        if (t->horizontalHeaderItem(c)->text() == title) return c;
    return -1;
}

QString text(QTableWidget* t, int r, int c) {
    return t->item(r, c) ? t->item(r, c)->text() : QString();
}

// The section title standing over each unit column the table shows now, as (column's header,
// title); a column no title stands over has an empty one. A title cut to fit its columns
// counts when the cut text begins it.
QList<QPair<QString, QString>> headsOverColumns(QDialog& d, QTableWidget* t) {
    QList<QPair<QString, QString>> heads;
    QHeaderView* h = t->horizontalHeader();
    const QList<QLabel*> labels = d.findChildren<QLabel*>(QStringLiteral("lblSectionHead"));
    for (int c = 3; c < t->columnCount(); ++c) {
        const int centre = h->sectionViewportPosition(c) + h->sectionSize(c) / 2;
        // Out of sight: past the viewport, or scrolled under the learners' fixed column.
        if (centre < t->columnWidth(0) || centre >= h->viewport()->width()) continue;
        const QPoint at = h->viewport()->mapTo(&d, QPoint(centre, 0));
        QString head;
        for (QLabel* label : labels) {
            if (!label->isVisible()) continue;
            const QRect box(label->mapTo(&d, QPoint(0, 0)), label->size());
            if (at.x() < box.left() || at.x() > box.right()) continue;
            // Directly above the header, not somewhere else in the window.
            if (box.bottom() >= at.y() || at.y() - box.bottom() > 4) continue;
            QString shown = label->text();
            if (shown.endsWith(QChar(0x2026))) shown.chop(1);
            head = label->toolTip().startsWith(shown) ? label->toolTip() : QStringLiteral("?") + shown;
        }
        heads.append({t->horizontalHeaderItem(c)->text(), head});
    }
    return heads;
}

// The rows of a CSV file as Python's csv module reads them (strict quoting), one row a line
// of tab-separated fields; nullopt without python3, an empty list when the module refused it.
std::optional<QList<QStringList>> pythonCsv(const QString& path) {
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty()) return std::nullopt;
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                 "    for row in csv.reader(f, strict=True):\n"
                                 "        sys.stdout.buffer.write(('\\t'.join(row) + '\\n').encode())\n"),
                  path});
    QList<QStringList> rows;
    if (!python.waitForFinished(60000) || python.exitCode() != 0) return rows;
    for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split('\n'))
        if (!line.isEmpty()) rows << line.split('\t');
    return rows;
}

} // namespace

class ClassOverviewTest : public QObject {
    Q_OBJECT
  private slots:
    void theTeacherSeesTheClassSortsItOpensACellAndExportsIt() {
        DeskFixture f;
        Desk& desk = f.start();
        Program& p = desk.program();
        std::vector<LessonBlock> blocks;
        QVERIFY(ReadLessonUnits(p.platform.files, p.course, 1, blocks).ok);
        QVERIFY(blocks.size() >= 2 && blocks[0].units.size() >= 2);
        const LessonUnit& eq = blocks[0].units[0];
        const LessonUnit& move = blocks[0].units[1];
        std::vector<std::string> lines;
        auto run = [&](const char* learner, const LessonUnit& unit, int score, int day) {
            const RunResult r{RunKind::Practice, score / 10, 10, score, "0", 75};
            const std::string line = ResultsLine(r, {2026, 11, day, 10, 0, 0}, 0);
            lines.push_back(line);
            const std::string file = LearnerFile(p.platform.files, p.course, learner,
                                                 p.shell.logOnFolder, 1);
            QVERIFY(AppendRecord(p.platform.files, file, unit.key, line));
        };
        run("taro", eq, 50, 1);
        run("taro", eq, 90, 2);
        run("taro", move, 70, 3);
        run("hanako", eq, 40, 4);
        run("jiro", move, 85, 5);
        const QString eqTitle = qs(eq.line), moveTitle = qs(move.line);

        QStringList cells, spoken, summary, sortedUp, sortSaid, cycled, detail, headersAfterFilter;
        QStringList byEnter, taroInSecond, learnerCycle, keyboardSort, tabbedTo;
        QMap<QString, QString> shown; // learner or "クラス", tab, the column's header -> the cell
        int dialogsAfterEnter = -1;
        QColor high, low;
        std::size_t chartRuns = 0;
        QString exported = f.temp.filePath(QStringLiteral("class.csv"));
        f.fileDialogs.saves.push_back(exported);
        const QString pdf = f.temp.filePath(QStringLiteral("class.pdf"));
        f.printDialogs.pdfPath = pdf;
        f.steps[QStringLiteral("TfrmClass")] = [&](QDialog& d) {
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            auto* t = in<QTableWidget>(d, "tblClass");
            const int taro = rowOf(t, "taro"), hanako = rowOf(t, "hanako"), jiro = rowOf(t, "jiro");
            const int klass = rowOf(t, QStringLiteral("クラス"));
            const int ce = columnOf(t, eqTitle), cm = columnOf(t, moveTitle);
            QVERIFY(taro >= 0 && hanako >= 0 && jiro >= 0 && klass == t->rowCount() - 1);
            QVERIFY(ce >= 3 && cm == ce + 1);
            cells << text(t, taro, ce) << text(t, taro, cm) << text(t, hanako, ce)
                  << text(t, hanako, cm) << text(t, jiro, cm);
            high = t->item(taro, ce)->background().color();
            low = t->item(hanako, ce)->background().color();
            spoken << t->item(taro, ce)->data(Qt::AccessibleTextRole).toString()
                   << t->item(hanako, cm)->data(Qt::AccessibleTextRole).toString();
            summary << text(t, taro, 1) << text(t, taro, 2) << text(t, klass, ce)
                    << text(t, klass, cm);
            // A click on the unit's header orders the learners by its last score.
            QHeaderView* h = t->horizontalHeader();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                              QPoint(h->sectionViewportPosition(ce) + 5, h->height() / 2));
            sortedUp << text(t, 0, 0) << text(t, 1, 0);
            sortSaid << in<QLabel>(d, "lblSort")->text();
            // Clicked again and again, the header orders by the score highest first, then by
            // the runs fewest first and most first; the window says which.
            for (int click = 0; click < 3; ++click) {
                QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                                  QPoint(h->sectionViewportPosition(ce) + 5, h->height() / 2));
                QStringList order; // the three learners who ran, in the order shown
                for (int r = 0; r < t->rowCount(); ++r)
                    if (QStringList{"taro", "hanako", "jiro"}.contains(text(t, r, 0)))
                        order << text(t, r, 0);
                cycled << order.join(' ');
                sortSaid << in<QLabel>(d, "lblSort")->text();
            }
            // A double-click on taro's cell shows his records of the unit and their chart.
            const int row = rowOf(t, "taro");
            t->scrollToItem(t->item(row, ce));
            const QPoint at = t->visualItemRect(t->item(row, ce)).center();
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, at);
            detail = in<QPlainTextEdit>(d, "memDetail")->toPlainText().split('\n');
            chartRuns = d.findChild<ScoreChart*>()->runs().size();
            // From the keyboard: Enter on hanako's cell shows her records and presses no button.
            t->setFocus();
            t->setCurrentCell(rowOf(t, "hanako"), ce);
            QTest::keyClick(t, Qt::Key_Return);
            byEnter << in<QLabel>(d, "lblDetail")->text()
                    << in<QPlainTextEdit>(d, "memDetail")->toPlainText();
            dialogsAfterEnter = f.fileDialogs.asked + f.printDialogs.asked;
            // Tab leaves the table for the records, then the buttons.
            d.activateWindow();
            if (QTest::qWaitForWindowActive(&d)) {
                t->setFocus();
                for (int i = 0; i < 3; ++i) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                    tabbedTo << QApplication::focusWidget()->objectName();
                }
            }
            // The learners' header goes round the roster's order, the names up and down.
            for (int click = 0; click < 3; ++click) {
                t->setCurrentCell(0, 0);
                in<QPushButton>(d, "btnSort")->click();
                QStringList order; // the three learners who ran, in the order shown
                for (int r = 0; r < t->rowCount(); ++r)
                    if (QStringList{"taro", "hanako", "jiro"}.contains(text(t, r, 0)))
                        order << text(t, r, 0);
                learnerCycle << order.join(' ') + " / " + in<QLabel>(d, "lblSort")->text();
            }
            // Sorting twice by the current cell's column: the cell stays on taro's unit, so the
            // second press turns the order round.
            t->setCurrentCell(rowOf(t, "taro"), ce);
            in<QPushButton>(d, "btnSort")->click();
            in<QPushButton>(d, "btnSort")->click();
            keyboardSort << in<QLabel>(d, "lblSort")->text() << text(t, t->currentRow(), 0)
                         << t->horizontalHeaderItem(t->currentColumn())->text();
            for (int r = 0; r < t->rowCount(); ++r)
                for (int c = 1; c < t->columnCount(); ++c)
                    shown[text(t, r, 0) + '\t' + t->horizontalHeaderItem(c)->text()] = text(t, r, c);
            in<QPushButton>(d, "btnExport")->click();
            in<QPushButton>(d, "btnPrint")->click();
            auto* sections = in<QComboBox>(d, "cmbSection");
            sections->setCurrentIndex(2); // the lesson's second section
            for (int c = 0; c < t->columnCount(); ++c)
                headersAfterFilter << t->horizontalHeaderItem(c)->text();
            // The learners' summaries count the units shown: taro has none in this section.
            taroInSecond << text(t, rowOf(t, "taro"), 1) << text(t, rowOf(t, "taro"), 2);
            d.hide();
        };
        QAction* item = f.menuItem(QStringLiteral("クラスの記録(&K)"));
        QVERIFY(item);
        item->trigger();
        QVERIFY(std::count(f.shown.begin(), f.shown.end(), QStringLiteral("TfrmClass")) == 1);

        QCOMPARE(cells, (QStringList{QStringLiteral("2回 90点"), QStringLiteral("1回 70点"),
                                     QStringLiteral("1回 40点"), QString(),
                                     QStringLiteral("1回 85点")}));
        QVERIFY2(high.green() > high.red() && high.green() > high.blue(), qPrintable(high.name()));
        QVERIFY2(low.red() > low.green() && low.red() > low.blue(), qPrintable(low.name()));
        QCOMPARE(spoken[0], QStringLiteral("taro、") + eqTitle + QStringLiteral("、2回、90点、合格"));
        QCOMPARE(spoken[1], QStringLiteral("hanako、") + moveTitle + QStringLiteral("、練習なし"));
        // taro: two units, (90 + 70) / 2; the first unit: taro 90 and hanako 40, the hardest.
        QCOMPARE(summary, (QStringList{QStringLiteral("2"), QStringLiteral("80.0"),
                                       QStringLiteral("2人 平均65.0 最難"),
                                       QStringLiteral("2人 平均77.5")}));
        QCOMPARE(sortedUp, (QStringList{QStringLiteral("hanako"), QStringLiteral("taro")}));
        // Scores: taro 90, hanako 40, jiro none (always last); runs: taro 2, hanako 1, jiro 0.
        QCOMPARE(cycled, (QStringList{QStringLiteral("taro hanako jiro"),
                                      QStringLiteral("jiro hanako taro"),
                                      QStringLiteral("taro hanako jiro")}));
        const QString by = QStringLiteral("並び順: ") + eqTitle;
        QCOMPARE(sortSaid, (QStringList{by + QStringLiteral("の点数（低い順）"),
                                        by + QStringLiteral("の点数（高い順）"),
                                        by + QStringLiteral("の回数（少ない順）"),
                                        by + QStringLiteral("の回数（多い順）")}));
        QCOMPARE(detail, (QStringList{qs(lines[0]), qs(lines[1])}));
        QCOMPARE(chartRuns, std::size_t(2));
        QCOMPARE(byEnter, (QStringList{QStringLiteral("hanako、") + eqTitle + QStringLiteral("の記録"),
                                       qs(lines[3])}));
        QCOMPARE(dialogsAfterEnter, 0);
        QCOMPARE(tabbedTo, (QStringList{"memDetail", "btnSort", "btnExport"}));
        QCOMPARE(learnerCycle, (QStringList{QStringLiteral("hanako jiro taro / 並び順: 学習者の名前"),
                                            QStringLiteral("taro jiro hanako / 並び順: 学習者の名前（逆順）"),
                                            learnerCycle.value(2)}));
        QVERIFY2(learnerCycle.value(2).endsWith(QStringLiteral("並び順: 名簿の順")),
                 qPrintable(learnerCycle.value(2)));
        QCOMPARE(keyboardSort, (QStringList{by + QStringLiteral("の点数（高い順）"), QStringLiteral("taro"),
                                            eqTitle}));
        QCOMPARE(taroInSecond, (QStringList{QStringLiteral("0"), QString()}));
        QVERIFY(!headersAfterFilter.contains(eqTitle));
        QCOMPARE(headersAfterFilter.size(), 3 + static_cast<int>(blocks[1].units.size()));
        QVERIFY(headersAfterFilter.contains(qs(blocks[1].units[0].line)));

        QFile csv(exported);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList csvLines = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"));
        QStringList taroLine = csvLines.filter(QRegularExpression(QStringLiteral("^\"?taro")));
        QCOMPARE(taroLine.size(), 1);
        QVERIFY2(taroLine[0].contains(QStringLiteral(",2,90,1,70,")), qPrintable(taroLine[0]));
        QVERIFY(f.messages().empty());

        // Read back by Python's csv module, the file holds the cells the window showed: each
        // learner's runs and last score of every unit, the summaries, the class's line.
        const std::optional<QList<QStringList>> parsed = pythonCsv(exported);
        if (parsed) {
            QVERIFY2(parsed->size() >= 2, "python's csv module refused the file");
            const QStringList head = parsed->first();
            auto field = [&](const QStringList& row, const QString& name) {
                const int i = head.indexOf(name);
                return i >= 0 && i < row.size() ? row[i] : QStringLiteral("?");
            };
            QStringList differ;
            int compared = 0;
            for (const QStringList& row : parsed->mid(1)) {
                const bool klass = row.value(0) == QStringLiteral("(class)");
                const QString who = klass ? QStringLiteral("クラス") : row.value(0);
                QVERIFY2(shown.contains(who + QStringLiteral("\t平均")), qPrintable(who));
                auto expect = [&](const QString& header, const QString& want) {
                    QString cell = shown.value(who + '\t' + header, QStringLiteral("?"));
                    if (klass && cell.endsWith(QStringLiteral(" 最難"))) cell.chop(3);
                    if (cell != want) differ << who + " / " + header + ": " + cell + " != " + want;
                    ++compared;
                };
                if (!klass) {
                    expect(QStringLiteral("練習した単元"), field(row, "practised"));
                    expect(QStringLiteral("平均"), field(row, "mean"));
                }
                for (const LessonBlock& b : blocks)
                    for (const LessonUnit& u : b.units) {
                        const QString runs = field(row, qs(u.key) + " runs");
                        const QString score = field(row, qs(u.key) + " score");
                        QString want;
                        if (klass)
                            want = runs + QStringLiteral("人") +
                                   (score.isEmpty() ? QString() : QStringLiteral(" 平均") + score);
                        else if (!runs.isEmpty())
                            want = runs + QStringLiteral("回") +
                                   (score.isEmpty() ? QString() : QStringLiteral(" %1点").arg(score));
                        expect(qs(u.line), want);
                    }
            }
            QVERIFY2(differ.isEmpty(), qPrintable(differ.join('\n')));
            QVERIFY(compared >= 3 * 4);
        }

        // The printed page: one A4 landscape page (297 x 210 mm is 842 x 595 pt), the lesson
        // and the date in its header, the learners and the cells as the window shows them.
        QCOMPARE(f.printDialogs.asked, 1);
        const std::optional<QString> info = poppler(QStringLiteral("pdfinfo"), {pdf});
        if (!info) QSKIP("poppler tools not installed");
        QVERIFY2(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                 qPrintable(*info));
        QVERIFY2(info->contains(QRegularExpression(QStringLiteral("Page size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts"))),
                 qPrintable(*info));
        const std::optional<QString> page =
            poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(page && !page->isEmpty());
        const DateTime now = p.platform.clock.now();
        const QString date = QStringLiteral("%1年%2月%3日").arg(now.year).arg(now.month).arg(now.day);
        QVERIFY2(page->contains(qs(p.course.lessonNames[0])) && page->contains(date),
                 qPrintable(*page));
        for (const QString& want : {QStringLiteral("taro"), QStringLiteral("hanako"),
                                    QStringLiteral("2回 90点"), QStringLiteral("1回 85点"),
                                    QStringLiteral("平均65.0")})
            QVERIFY2(page->contains(want), qPrintable(want + "\n" + *page));
        // Readable on paper: the learners' names at least 4 points high, not a speck in a corner.
        const std::optional<QString> boxes =
            poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        const QRegularExpressionMatch taro =
            QRegularExpression(QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">taro<"))
                .match(boxes.value_or(QString()));
        QVERIFY2(taro.hasMatch(), qPrintable(boxes.value_or(QString())));
        QVERIFY2(taro.captured(2).toDouble() - taro.captured(1).toDouble() >= 4.0,
                 qPrintable(taro.captured(0)));
    }

    void eachSectionStandsOverItsUnitsOnScreenAndOnPaper() {
        DeskFixture f;
        Desk& desk = f.start();
        Program& p = desk.program();
        std::vector<LessonBlock> blocks;
        QVERIFY(ReadLessonUnits(p.platform.files, p.course, 1, blocks).ok);
        QVERIFY(blocks.size() >= 2);
        // Every unit's header text and the title of its section.
        QMap<QString, QString> sectionOf;
        for (const LessonBlock& b : blocks)
            for (const LessonUnit& u : b.units)
                sectionOf[qs(u.line)] = qs(b.title);
        auto expected = [&](const QList<QPair<QString, QString>>& heads) {
            QList<QPair<QString, QString>> want;
            for (const auto& [column, head] : heads)
                want.append({column, sectionOf.value(column, QStringLiteral("保存したプリント"))});
            return want;
        };
        QList<QPair<QString, QString>> atStart, scrolled, filtered;
        const QString pdf = f.temp.filePath(QStringLiteral("sections.pdf"));
        f.printDialogs.pdfPath = pdf;
        f.steps[QStringLiteral("TfrmClass")] = [&](QDialog& d) {
            d.resize(900, 600);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            auto* t = in<QTableWidget>(d, "tblClass");
            atStart = headsOverColumns(d, t);
            // Scrolled to the last columns, the titles go with their columns.
            t->horizontalScrollBar()->setValue(t->horizontalScrollBar()->maximum());
            QCoreApplication::processEvents();
            scrolled = headsOverColumns(d, t);
            in<QPushButton>(d, "btnPrint")->click();
            in<QComboBox>(d, "cmbSection")->setCurrentIndex(2); // the lesson's second section
            QCoreApplication::processEvents();
            filtered = headsOverColumns(d, t);
            d.hide();
        };
        QAction* item = f.menuItem(QStringLiteral("クラスの記録(&K)"));
        QVERIFY(item);
        item->trigger();

        QVERIFY(!atStart.isEmpty() && !scrolled.isEmpty());
        QCOMPARE(atStart, expected(atStart));
        QCOMPARE(atStart.first().second, qs(blocks[0].title));
        QCOMPARE(scrolled, expected(scrolled));
        QVERIFY(scrolled.last() != atStart.last());
        QCOMPARE(filtered.size(), static_cast<int>(blocks[1].units.size()));
        for (const auto& [column, head] : filtered)
            QCOMPARE(head, qs(blocks[1].title));

        // On paper the first section's title stands above its first unit and not above the
        // second section's first unit.
        const std::optional<QString> boxes =
            poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        if (!boxes) QSKIP("poppler tools not installed");
        auto box = [&](const QString& word) {
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                  "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">") +
                                   QRegularExpression::escape(word.toHtmlEscaped()) + QStringLiteral("<"))
                    .match(*boxes);
            return m.hasMatch() ? QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                         QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))
                                : QRectF();
        };
        auto lastWord = [](const std::string& line) { return qs(line).split(' ').last(); };
        const QRectF first = box(qs(blocks[0].title));
        const QRectF unitOfFirst = box(lastWord(blocks[0].units[0].line));
        const QRectF unitOfSecond = box(lastWord(blocks[1].units[0].line));
        QVERIFY2(!first.isNull() && !unitOfFirst.isNull() && !unitOfSecond.isNull(),
                 qPrintable(*boxes));
        const QRectF second = box(qs(blocks[1].title));
        QVERIFY2(!second.isNull(), qPrintable(*boxes));
        // Each title is centred over its own columns, in the line above the units' headers.
        QVERIFY(first.bottom() <= unitOfFirst.top() && second.bottom() <= unitOfSecond.top());
        QVERIFY2(first.center().x() > unitOfFirst.left() && first.right() < unitOfSecond.left(),
                 qPrintable(*boxes));
        QVERIFY2(second.center().x() > unitOfSecond.left(), qPrintable(*boxes));
    }

    // Garbage and binary learner files each keep their row, which says in words which file
    // cannot be read; files of which some lines read show those cells and say the rest could
    // not be read; the learners after them are shown as usual.
    void damagedLearnerFilesAreNamedInTheirRowsAndHideNoOne() {
        DeskFixture f;
        Desk& desk = f.start();
        Program& p = desk.program();
        std::vector<LessonBlock> blocks;
        QVERIFY(ReadLessonUnits(p.platform.files, p.course, 1, blocks).ok);
        QVERIFY(!blocks.empty() && !blocks[0].units.empty());
        const LessonUnit& eq = blocks[0].units[0];
        auto fileOf = [&](const char* learner) {
            return LearnerFile(p.platform.files, p.course, learner, p.shell.logOnFolder, 1);
        };
        const RunResult r{RunKind::Practice, 9, 10, 90, "0", 75};
        const std::string line = ResultsLine(r, {2026, 11, 3, 10, 0, 0}, 0);
        for (const char* learner : {"aki", "taro", "zen"})
            QVERIFY(AppendRecord(p.platform.files, fileOf(learner), eq.key, line));
        const std::string good = "[" + eq.key + "]\r\n1=" + line + "\r\n";
        const std::pair<const char*, std::string> damaged[] = {
            {"garbage", "%PDF-1.4 not a learner file\r\nstream\r\n"},
            {"binary", std::string("\x7F" "ELF\x02\x01\0\0[x]\r\n", 13)},
        };
        for (const auto& [learner, bytes] : damaged)
            QVERIFY(p.platform.files.write(fileOf(learner), bytes));
        // A file whose record reads but whose last line is cut: its cells show, as the class
        // row counts them, and its name says the rest could not be read.
        QVERIFY(p.platform.files.write(fileOf("part"), good + "[" + eq.key.substr(0, 3)));
        QVERIFY(p.platform.files.write(fileOf("cut"), good.substr(0, good.size() - 7)));
        QStringList part, cut;
        QString klass;

        QStringList names, said, spoken, aki, zen;
        QString problems;
        f.steps[QStringLiteral("TfrmClass")] = [&](QDialog& d) {
            auto* t = in<QTableWidget>(d, "tblClass");
            for (int row = 0; row < t->rowCount(); ++row)
                names << text(t, row, 0);
            for (const auto& [learner, bytes] : damaged) {
                const int row = rowOf(t, QString::fromLatin1(learner));
                if (row < 0) continue;
                said << text(t, row, 1);
                spoken << t->item(row, 1)->data(Qt::AccessibleTextRole).toString();
            }
            const int ce = columnOf(t, qs(eq.line));
            aki << text(t, rowOf(t, "aki"), ce) << text(t, rowOf(t, "aki"), 1);
            zen << text(t, rowOf(t, "zen"), ce) << text(t, rowOf(t, "zen"), 1);
            const int pr = rowOf(t, "part");
            part << text(t, pr, 0) << text(t, pr, ce) << t->item(pr, 0)->data(Qt::AccessibleTextRole).toString();
            const int cr = rowOf(t, "cut");
            cut << text(t, cr, 0) << t->item(cr, 0)->data(Qt::AccessibleTextRole).toString();
            klass = text(t, rowOf(t, QStringLiteral("クラス")), ce);
            problems = in<QLabel>(d, "lblProblems")->text();
        };
        desk.run(Desk::Command::ClassRecords);
        QCOMPARE(std::count(f.shown.begin(), f.shown.end(), QStringLiteral("TfrmClass")), 1);

        for (const char* learner : {"aki", "binary", "garbage", "taro", "zen"})
            QVERIFY2(names.contains(QString::fromLatin1(learner)), qPrintable(names.join(' ')));
        QCOMPARE(said.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const QString file = QString::fromLatin1(damaged[i].first) + QStringLiteral(".ini");
            QVERIFY2(said[i].startsWith(QStringLiteral("読めない記録: ")) && said[i].contains(file) &&
                         said[i].contains(QStringLiteral("読めません")),
                     qPrintable(said[i]));
            QVERIFY2(spoken[i].startsWith(QString::fromLatin1(damaged[i].first) + QStringLiteral("、")) &&
                         spoken[i].contains(file),
                     qPrintable(spoken[i]));
            QVERIFY2(problems.contains(file), qPrintable(problems));
        }
        QVERIFY2(!problems.contains(QLatin1Char('\\')), qPrintable(problems));
        QCOMPARE(aki, (QStringList{QStringLiteral("1回 90点"), QStringLiteral("1")}));
        QCOMPARE(zen, (QStringList{QStringLiteral("1回 90点"), QStringLiteral("1")}));
        QCOMPARE(part.value(0), QStringLiteral("part（一部読めません）"));
        QCOMPARE(part.value(1), QStringLiteral("1回 90点"));
        QVERIFY2(part.value(2).contains(QStringLiteral("part.ini")), qPrintable(part.value(2)));
        QCOMPARE(cut.value(0), QStringLiteral("cut（一部読めません）"));
        QVERIFY2(cut.value(1).contains(QStringLiteral("cut.ini")), qPrintable(cut.value(1)));
        QVERIFY2(problems.contains(QStringLiteral("cut.ini")) && problems.contains(QStringLiteral("part.ini")),
                 qPrintable(problems));
        // aki, taro, zen, part and the cut file's record: the class row counts the cells shown.
        QVERIFY2(klass.startsWith(QStringLiteral("5人 平均90.0")), qPrintable(klass));
    }

    void pupilsHaveNoClassOverview() {
        DeskFixture f;
        Desk& desk = f.start();
        desk.program().session.keyLock = true;
        desk.run(Desk::Command::ClassRecords);
        QVERIFY(std::find(f.shown.begin(), f.shown.end(), QStringLiteral("TfrmClass")) ==
                f.shown.end());
    }
};

QTEST_MAIN(ClassOverviewTest)
#include "ClassOverviewTest.moc"
