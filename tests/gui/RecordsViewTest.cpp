// The records window as a teacher finds it on a copy of the bundled course: its buttons
// in Japanese, its help page on the button and on F1 (over the window), "?" where a
// record's number is missing from a hand-edited learner file, as the practice window
// shows it, and runs made in the same minute side by side on the chart in run order.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>

#include "DeskFixture.h"
#include "gui/ScoreChart.h"
#include "gui/TfrmHelp.h"
#include "gui/TfrmKiroku.h"

namespace {

void writeSjis(const QString& path, const QString& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    const std::string bytes = sjis::fromUtf8(text.toStdString());
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

template <class W> W* in(QDialog& d, const char* name) {
    return d.findChild<W*>(QLatin1String(name));
}

// The records window opened from the unit menu's 記録表示; script works it.
void openRecords(DeskFixture& f, std::function<void(QDialog&)> script) {
    f.steps[QStringLiteral("TfrmKiroku")] = std::move(script);
    f.steps[QStringLiteral("TfrmMenu")] = [](QDialog& d) {
        d.findChild<QListWidget*>(QStringLiteral("lstLesson"))->setCurrentRow(0);
        d.findChild<QPushButton*>(QStringLiteral("btnShowRecord"))->click();
    };
    f.find<QPushButton>("btnOpenMaster")->click();
}

} // namespace

class RecordsViewTest : public QObject {
    Q_OBJECT
  private slots:
    void buttonsSpeakJapaneseAndHelpComesUpOnF1() {
        DeskFixture f;
        Desk& desk = f.start();
        QStringList captions;
        QWidget* owner = nullptr;
        QString page, byButton;
        openRecords(f, [&](QDialog& d) {
            d.setWindowModality(Qt::ApplicationModal);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            for (QPushButton* b : d.findChildren<QPushButton*>())
                captions << b->text();
            QTest::keyClick(in<QListWidget>(d, "lstTitle"), Qt::Key_F1);
            if (DeskProbe::help(desk) && DeskProbe::help(desk)->isVisible()) {
                owner = DeskProbe::help(desk)->parentWidget();
                page = DeskProbe::help(desk)->findChild<QTextBrowser*>()->toPlainText();
                DeskProbe::help(desk)->hide();
            }
            if (auto* help = in<QPushButton>(d, "btnHelp")) help->click();
            if (DeskProbe::help(desk) && DeskProbe::help(desk)->isVisible())
                byButton = DeskProbe::help(desk)->findChild<QTextBrowser*>()->documentTitle();
            d.hide();
        });
        // Every caption is Japanese: no button reads in Latin letters alone.
        QVERIFY(captions.contains(QStringLiteral("CSVに書き出す")));
        for (const QString& c : captions)
            QVERIFY2(c.contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{9FFF}]"))),
                     qPrintable(c));
        QCOMPARE(owner, static_cast<QWidget*>(DeskProbe::kiroku(desk)));
        QVERIFY(page.startsWith(QStringLiteral("実行記録")));
        QVERIFY(page.contains(QStringLiteral("記録消去")));
        QVERIFY(!page.contains(QStringLiteral("まだ使えません")));
        QCOMPARE(byButton, QStringLiteral("実行記録"));
    }

    void aMissingNumberReadsAsAQuestionMarkAndRunsOfOneMinuteStandApart() {
        DeskFixture f;
        f.start();
        // Runs 1, 3 and 4 of the first unit (the second's number lost by hand): three keys,
        // shown as records 1 to 3, the missing one as "?". Three runs of the second
        // unit in the same minute, scoring 40, 70 and 100.
        auto run = [](int correct) {
            return QStringLiteral("2005年03月07日 09:05 [11] %1/10 %2点 01:32")
                .arg(correct, 2)
                .arg(correct * 10, 3);
        };
        QString text = QStringLiteral("[S11(1) 等式の性質]\r\n1=") + run(4) +
                       QStringLiteral("\r\n3=") + run(6) + QStringLiteral("\r\n4=") + run(8) +
                       QStringLiteral("\r\n[S12(2) 移項]\r\n");
        for (int i = 1; i <= 3; ++i)
            text += QString::number(i) + "=" + run(1 + 3 * i) + "\r\n";
        writeSjis(f.course + QStringLiteral("/Eq1/共通.ini"), text);
        QStringList first;
        std::vector<QPointF> points;
        QImage chart;
        openRecords(f, [&](QDialog& d) {
            d.show();
            auto* list = in<QListWidget>(d, "lstTitle");
            list->setCurrentRow(1);
            first = in<QPlainTextEdit>(d, "memDetail")->toPlainText().split('\n');
            list->setCurrentRow(2);
            auto* scores = d.findChild<ScoreChart*>();
            chart = scores->grab().toImage();
            for (std::size_t i = 0; i < scores->runs().size(); ++i)
                points.push_back(scores->pointAt(i));
            d.hide();
        });
        // Keys 1..3 with "?" for the missing 2, then the run under key 4: no line is hidden.
        QCOMPARE(first, (QStringList{run(4), QStringLiteral("?"), run(6), run(8)}));
        QCOMPARE(points.size(), std::size_t(3));
        // Left to right in run order, each its own dot, rising with the scores.
        QVERIFY(points[0].x() + 6 < points[1].x() && points[1].x() + 6 < points[2].x());
        QVERIFY(points[0].y() > points[1].y() && points[1].y() > points[2].y());
        for (const QPointF& p : points) {
            const QColor ink = chart.pixelColor(p.toPoint());
            QVERIFY2(ink.blue() > 100 && ink.red() < 80, qPrintable(ink.name()));
        }
    }
};

QTEST_MAIN(RecordsViewTest)
#include "RecordsViewTest.moc"
