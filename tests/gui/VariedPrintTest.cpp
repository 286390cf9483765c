// The print dialog's varied copies: 問題の数を変える with a seed prints copies that differ
// and carry their version codes, the key booklet holds a row for every copy, and the choice
// is there only for numbered copies.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "../qt/Poppler.h"
#include "WindowFixture.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "worksheet/VariedCopies.h"

namespace {

// The text of page n of a PDF file.
QString pageText(const QString& pdf, int n) {
    const QString page = QString::number(n);
    return poppler(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), page, QStringLiteral("-l"), page, pdf,
                    QStringLiteral("-")})
        .value_or(QString());
}

// Ticks 問題の数を変える, types the seed, picks the pages and presses 印刷開始.
std::function<int(QDialog&)> printVaried(const QString& seed, const char* pages,
                                         QString* countLine = nullptr) {
    return [=](QDialog& d) {
        d.findChild<QCheckBox*>(QStringLiteral("chkVary"))->click();
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("edtSeed"));
        edit->selectAll();
        QTest::keyClicks(edit, seed);
        d.findChild<QRadioButton*>(QString::fromLatin1(pages))->click();
        if (countLine) *countLine = d.findChild<QLabel*>(QStringLiteral("lblVary"))->text();
        d.findChild<QPushButton*>(QStringLiteral("btnPrint"))->click();
        return d.result();
    };
}

} // namespace

class VariedPrintTest : public QObject {
    Q_OBJECT
  private slots:
    void variedCopiesDifferAndCarryTheirVersionCodes() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 1);
        QVERIFY(sheet);
        const Lines own = sheet->lstQues;
        f.printDialogs.pdfPath = f.temp.filePath(QStringLiteral("varied.pdf"));
        f.printDialogs.copies = 3;
        QString seedShown, countLine;
        const auto print = printVaried(QStringLiteral("4711"), "radCopies", &countLine);
        f.user = [&](QDialog& d) {
            seedShown = d.findChild<QLineEdit*>(QStringLiteral("edtSeed"))->text();
            return print(d);
        };
        f.desk->printActive();
        // Today's seed was offered.
        QCOMPARE(seedShown,
                 QString::number(DefaultVarySeed(f.program().platform.clock.now())));
        const VaryCount count = CountVaryingQuestions(*sheet, 4711);
        QVERIFY(count.varied > 0);
        QCOMPARE(countLine, QStringLiteral("%1問中 %2問の数を変えます")
                                .arg(count.questions)
                                .arg(count.varied));
        QStringList pages;
        for (int n = 1; n <= 3; ++n) {
            const QString text = pageText(f.printDialogs.pdfPath, n);
            const QString code = QString::fromStdString(VersionCode(4711, n));
            QVERIFY2(text.simplified().startsWith(QStringLiteral("№ %1 %2").arg(n).arg(code)),
                     qPrintable(text.left(80)));
            // Without the header line, the questions themselves differ from copy to copy.
            pages << text.section(QLatin1Char('\n'), 1);
        }
        QVERIFY(pages[0] != pages[1] && pages[1] != pages[2] && pages[0] != pages[2]);
        QVERIFY(pageText(f.printDialogs.pdfPath, 4).isEmpty());
        // The worksheet is as it was.
        QCOMPARE(sheet->lstQues, own);
        QCOMPARE(sheet->startNumber, 1);
        QVERIFY(f.messages().empty());
        // Opened again for the answer pages, the dialog keeps the set's seed.
        f.user = [&](QDialog& d) {
            seedShown = d.findChild<QLineEdit*>(QStringLiteral("edtSeed"))->text();
            return int(QDialog::Rejected);
        };
        f.desk->printActive();
        QCOMPARE(seedShown, QStringLiteral("4711"));
    }

    void keyBookletHoldsEveryCopysRow() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 1);
        QVERIFY(sheet);
        f.printDialogs.pdfPath = f.temp.filePath(QStringLiteral("booklet.pdf"));
        f.printDialogs.copies = 4;
        f.user = [&](QDialog& d) {
            d.findChild<QSpinBox*>(QStringLiteral("spnStartNum"))->setValue(3);
            return printVaried(QStringLiteral("99"), "radBooklet")(d);
        };
        f.desk->printActive();
        const QString text =
            poppler(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), f.printDialogs.pdfPath, QStringLiteral("-")})
                .value_or(QString());
        QVERIFY2(text.contains(QStringLiteral("V99-")), qPrintable(text.left(200)));
        // The rows of copies 3 to 6 in order, each with the keys of that copy made again.
        QStringList rows;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const QStringList cells = line.simplified().split(QLatin1Char(' '));
            if (cells.size() > 1 && cells[0].toInt() > 0) rows << line.simplified();
        }
        QCOMPARE(rows.size(), 4);
        for (int n = 3; n <= 6; ++n) {
            QImage page = makePageImage(sheet->paper.Width, sheet->paper.Height);
            QtCanvas canvas(page);
            const VariedCopy copy = MakeVariedCopy(f.program(), *sheet, canvas, 99, n);
            QStringList expected{QString::number(n)};
            for (const CopyKey& k : KeysOf(copy.ques))
                expected << QString::fromStdString(sjis::toUtf8(k.key));
            QCOMPARE(rows[n - 3], expected.join(QLatin1Char(' ')));
        }
        QVERIFY(!text.contains(QString::fromStdString(VersionCode(99, 7))));
        QVERIFY(f.messages().empty());
    }

    // Unnumbered copies are all alike: the varied choice is not offered, and the print is
    // the page as before.
    void unnumberedCopiesCannotVary() {
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        f.user = [](QDialog& d) {
            d.findChild<QCheckBox*>(QStringLiteral("chkNumber"))->setChecked(false);
            d.findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
            return d.result();
        };
        DeskProbe::printMode(*f.desk)->openForActive();
        bool enabled = true;
        QString line;
        f.user = [&](QDialog& d) {
            auto* vary = d.findChild<QCheckBox*>(QStringLiteral("chkVary"));
            enabled = vary->isEnabled();
            line = d.findChild<QLabel*>(QStringLiteral("lblVary"))->text();
            return int(QDialog::Rejected);
        };
        f.desk->printActive();
        QVERIFY(!enabled);
        QCOMPARE(line, QStringLiteral("番号付きで印刷するときに選べます"));
    }

    // A seed that is no number is refused before anything is printed.
    void aBadSeedIsRefused() {
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        f.printDialogs.pdfPath = f.temp.filePath(QStringLiteral("never.pdf"));
        f.user = [](QDialog& d) {
            d.findChild<QCheckBox*>(QStringLiteral("chkVary"))->click();
            d.findChild<QLineEdit*>(QStringLiteral("edtSeed"))->clear();
            d.findChild<QPushButton*>(QStringLiteral("btnPrint"))->click();
            return d.result();
        };
        f.desk->printActive();
        QCOMPARE(f.messages(), std::vector<std::string>{"種は18桁までの数字で入力してください"});
        QCOMPARE(f.printDialogs.asked, 0);
        QVERIFY(!QFile::exists(f.printDialogs.pdfPath));
    }
};

QTEST_MAIN(VariedPrintTest)
#include "VariedPrintTest.moc"
