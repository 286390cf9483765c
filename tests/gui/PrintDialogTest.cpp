// The print, print-mode and paper dialogs: numbered copies into a PDF file through the
// platform print dialog, stopping a job between copies, 開始No, paper options.
#include <QCheckBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "../qt/Poppler.h"
#include "WindowFixture.h"
#include "qt/QtPrinterTarget.h"
#include "worksheet/WorksheetDocument.h"

namespace {

// Chooses プリンタの解像度で印刷する in the print-mode dialog, as the teacher would.
void choosePrinterResolution(WindowFixture& f) {
    f.user = [](QDialog& d) {
        d.findChild<QRadioButton*>(QStringLiteral("radPrinter"))->click();
        d.findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
        return d.result();
    };
    DeskProbe::printMode(*f.desk)->openForActive();
}

// Presses 印刷開始 in the print dialog.
int pressPrint(QDialog& d) {
    d.findChild<QPushButton*>(QStringLiteral("btnPrint"))->click();
    return d.result();
}

// The numbers after "№ " on the pages of a PDF file, in page order.
QStringList numbersIn(const QString& pdf) {
    const auto text = poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text) return {QStringLiteral("pdftotext missing")};
    QStringList numbers;
    QRegularExpression number(QStringLiteral("№ (\\d+)"));
    for (auto it = number.globalMatch(*text); it.hasNext();)
        numbers << it.next().captured(1);
    return numbers;
}

} // namespace

class PrintDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void numberedCopiesGoIntoOnePdfFile() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        choosePrinterResolution(f);
        QVERIFY(f.program().sheets.printerResolution);
        f.printDialogs.pdfPath = f.temp.filePath(QStringLiteral("copies.pdf"));
        f.printDialogs.copies = 3;
        QString width, hint;
        f.user = [&](QDialog& d) {
            hint = d.findChild<QLabel*>(QStringLiteral("lblSize"))->text();
            const int result = pressPrint(d);
            width = d.findChild<QLabel*>(QStringLiteral("lblPWidth"))->text();
            return result;
        };
        f.desk->printActive();
        QCOMPARE(hint, QStringLiteral("用紙のサイズを A4 に設定してください"));
        QtPrinterTarget printer(DeskProbe::printOk(*f.desk)->printer());
        QCOMPARE(width, QStringLiteral("横：%1").arg(printer.pageWidth()));
        QCOMPARE(f.printDialogs.asked, 1); // no printer chosen yet: the dialog came first
        QCOMPARE(numbersIn(f.printDialogs.pdfPath),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(f.program().sheets.current->startNumber, 1);
        QVERIFY(f.messages().empty());
    }

    void startNumberNumbersTheCopiesAndIsKept() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 1);
        QVERIFY(sheet);
        choosePrinterResolution(f);
        f.printDialogs.pdfPath = f.temp.filePath(QStringLiteral("from5.pdf"));
        f.printDialogs.copies = 2;
        f.user = [&](QDialog& d) {
            d.findChild<QSpinBox*>(QStringLiteral("spnStartNum"))->setValue(5);
            d.findChild<QPushButton*>(QStringLiteral("btnSettei"))->click();
            return pressPrint(d);
        };
        f.desk->printActive();
        QCOMPARE(sheet->StartNo, 5);
        QVERIFY(sheet->Modified);
        QCOMPARE(f.printDialogs.asked, 1); // chosen through プリンタ設定, not asked again
        QCOMPARE(numbersIn(f.printDialogs.pdfPath),
                 (QStringList{QStringLiteral("5"), QStringLiteral("6")}));
    }

    // What the page shows is what prints: 開始番号 of the print-mode dialog is the first
    // number on paper, the print dialog starts from it, and the page keeps it afterwards.
    void printedNumbersStartFromThePage() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        f.user = [](QDialog& d) {
            d.findChild<QRadioButton*>(QStringLiteral("radPrinter"))->click();
            d.findChild<QSpinBox*>(QStringLiteral("spnStart"))->setValue(5);
            d.findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
            return d.result();
        };
        DeskProbe::printMode(*f.desk)->openForActive();
        const QImage shown = f.window()->pageImage().copy();
        f.printDialogs.pdfPath = f.temp.filePath(QStringLiteral("from5.pdf"));
        f.printDialogs.copies = 3;
        int dialogStart = 0;
        f.user = [&](QDialog& d) {
            dialogStart = d.findChild<QSpinBox*>(QStringLiteral("spnStartNum"))->value();
            return pressPrint(d);
        };
        f.desk->printActive();
        QCOMPARE(dialogStart, 5);
        QCOMPARE(numbersIn(f.printDialogs.pdfPath),
                 (QStringList{QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")}));
        QCOMPARE(f.program().sheets.current->startNumber, 5);
        // Laid out again, the page still reads № 5 (its time may have moved on a minute).
        Relayout(f.program(), *f.program().sheets.current);
        const QImage after = f.window()->pageImage();
        const QRect number(0, 0, 120, 28);
        QCOMPARE(after.copy(number), shown.copy(number));
        QVERIFY(f.messages().empty());
    }

    void unnumberedCopiesToAFileAreAPageEach() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("poppler-utils are not installed");
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        for (bool printerMode : {true, false}) {
            f.user = [printerMode](QDialog& d) {
                const char* mode = printerMode ? "radPrinter" : "radDisplay";
                d.findChild<QRadioButton*>(QString::fromLatin1(mode))->click();
                d.findChild<QCheckBox*>(QStringLiteral("chkNumber"))->setChecked(false);
                d.findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
                return d.result();
            };
            DeskProbe::printMode(*f.desk)->openForActive();
            f.printDialogs.pdfPath =
                f.temp.filePath(printerMode ? QStringLiteral("p3.pdf") : QStringLiteral("s3.pdf"));
            f.printDialogs.copies = 3;
            f.user = pressPrint;
            f.desk->printActive();
            const auto info = poppler(QStringLiteral("pdfinfo"), {f.printDialogs.pdfPath});
            QVERIFY(info);
            QVERIFY2(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))),
                     qPrintable(*info));
        }
        QVERIFY(f.messages().empty());
    }

    void stoppingBetweenCopiesSaysHowManyWentOut() {
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        choosePrinterResolution(f);
        f.printDialogs.pdfPath = f.temp.filePath(QStringLiteral("stopped.pdf"));
        f.printDialogs.copies = 4;
        // The user presses 中止 once the first copy has gone out.
        QTimer stopper;
        stopper.setInterval(0);
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            auto* progress = DeskProbe::printOk(*f.desk)->findChild<QProgressDialog*>();
            if (progress && progress->value() >= 1) {
                progress->cancel();
                stopper.stop();
            }
        });
        f.user = [&](QDialog& d) {
            stopper.start();
            return pressPrint(d);
        };
        f.desk->printActive();
        QCOMPARE(f.messages(), std::vector<std::string>{"印刷を中止しました（1 部印刷しました）"});
        const auto info = poppler(QStringLiteral("pdfinfo"), {f.printDialogs.pdfPath});
        if (info) QVERIFY(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
        QCOMPARE(f.program().sheets.current->startNumber, 1);
        QVERIFY(f.program().session.startupDone);
    }

    void cancelledPrinterChoicePrintsNothing() {
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        f.printDialogs.confirm = false;
        f.printDialogs.pdfPath = f.temp.filePath(QStringLiteral("never.pdf"));
        bool buttonsEnabled = false;
        f.user = [&](QDialog& d) {
            const int result = pressPrint(d);
            buttonsEnabled = d.findChild<QPushButton*>(QStringLiteral("btnPrint"))->isEnabled();
            return result;
        };
        f.desk->printActive();
        QVERIFY(buttonsEnabled);
        QCOMPARE(DeskProbe::printOk(*f.desk)->result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(f.temp.filePath(QStringLiteral("never.pdf"))));
        // Without a worksheet the dialog does not open at all.
        f.program().sheets.current = nullptr;
        f.modalsShown.clear();
        f.desk->printActive();
        QVERIFY(f.modalsShown.empty());
    }

    void paperDialogTakesTheOptionBoxes() {
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 1);
        QVERIFY(sheet);
        const QImage before = f.window()->pageImage().copy();
        QStringList enabledPapers;
        f.user = [&](QDialog& d) {
            for (auto* paper : d.findChildren<QRadioButton*>())
                if (paper->isEnabled()) enabledPapers << paper->objectName();
            d.findChild<QCheckBox*>(QStringLiteral("chkJisshibi"))->setChecked(false);
            d.findChild<QCheckBox*>(QStringLiteral("chkPrinted"))->setChecked(false);
            d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
            return d.result();
        };
        DeskProbe::setPaper(*f.desk)->openForActive();
        QCOMPARE(enabledPapers, QStringList{QStringLiteral("rdbA4")});
        QCOMPARE(sheet->Options, 1);
        QVERIFY(sheet->Modified);
        QVERIFY(f.window()->pageImage() != before); // the date and number lines are gone
        QCOMPARE(f.desk->settings().paperSize(), 630);

        // ｷｬﾝｾﾙ changes nothing.
        sheet->Modified = false;
        f.user = [](QDialog& d) {
            d.findChild<QCheckBox*>(QStringLiteral("chkClassFlag"))->setChecked(false);
            d.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
            return d.result();
        };
        DeskProbe::setPaper(*f.desk)->openForActive();
        QCOMPARE(sheet->Options, 1);
        QVERIFY(!sheet->Modified);
    }
};

QTEST_MAIN(PrintDialogTest)
#include "PrintDialogTest.moc"
