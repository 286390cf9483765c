// The windowed program end to end on a copy of the bundled course: start-up, opening a unit
// through the unit menu, the student lock, 目次作成's refusal, the school-name dialog and
// 上書き保存, a saved copy opened again, with the message boxes and dialogs scripted.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextBrowser>

#include "DeskFixture.h"
#include "Program.h"
#include "gui/TfrmDummy.h"
#include "gui/TfrmHelp.h"
#include "gui/TfrmPrint.h"

namespace {

// Pixels of the answers' blue on a worksheet window's page.
int bluePixels(TfrmPrint* window) {
    const QImage page = window->pageImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            n += (page.pixel(x, y) & 0xFFFFFF) == 0x0000FF;
    return n;
}

const char* const kEditing[] = {"btnFpClose",   "btnOpenMaster", "btnSave",   "btnStartPrint",
                                "btnEdit",      "btnKran",       "chkBekkai", "btnKaitou",
                                "spnGyouSpace", "spnMojiSize",   "pnlCopy"};

} // namespace

class DeskFlowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsOnTheBundledCourse() {
        DeskFixture f;
        Desk& desk = f.start();
        QVERIFY(f.messages().empty());
        QVERIFY(DeskProbe::main(desk)->isVisible());
        // The title window stands in the frame with the course's picture.
        QMdiSubWindow* title = DeskProbe::main(desk)->mdiArea()->subWindowList().value(0);
        QVERIFY(title);
        QCOMPARE(title->windowTitle(), QStringLiteral("山口県　千畳敷"));
        auto* button = DeskProbe::dummy(desk)->findChild<QPushButton*>(QStringLiteral("btnTitle"));
        QImage picture(f.course + QStringLiteral("/Title.BMP"));
        QCOMPARE(button->size(), picture.size() + QSize(10, 20));
        QCOMPARE(f.find<QLineEdit>("edtLogOnName")->text(), QStringLiteral("共通"));
        QVERIFY(desk.program().sheets.answersShown);
        QCOMPARE(desk.program().course.lessonNames.size(), std::size_t(3));
        // Every setting the program read is in the store afterwards.
        QCOMPARE(f.stored("PaperSize").toInt(), 630);
        QCOMPARE(f.stored("KeyLock").toBool(), false);
        QCOMPARE(f.stored("LogOnName").toString(), QStringLiteral("共通"));
    }

    // The print mode dialog shows the mode chosen in an earlier run; a first run prints at
    // the printer's resolution.
    void printModeComesBackAtStart() {
        for (const QVariant& stored : {QVariant(), QVariant(false), QVariant(true)}) {
            DeskFixture f;
            if (stored.isValid()) f.store("PrintMode", stored);
            f.start();
            bool printerChecked = false;
            f.steps[QStringLiteral("TfrmPrintMode")] = [&](QDialog& d) {
                printerChecked = d.findChild<QRadioButton*>("radPrinter")->isChecked();
            };
            QVERIFY(f.open(0, 0, 0));
            DeskProbe::windowOf(*f.desk, *f.desk->program().sheets.current)
                ->findChild<QAction*>(QStringLiteral("mnuPrintMode"))
                ->trigger();
            const bool expected = stored.isValid() ? stored.toBool() : true;
            QCOMPARE(printerChecked, expected);
            QCOMPARE(f.stored("PrintMode").toBool(), expected);
        }
    }

    void opensAUnitThroughTheMenu() {
        DeskFixture f;
        Desk& desk = f.start();
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 1, 1);
        f.find<QPushButton>("btnOpenMaster")->click();
        const Program& p = desk.program();
        QCOMPARE(p.sheets.count, 1);
        QVERIFY(p.sheets.current);
        QVERIFY(QString::fromStdString(sjis::toUtf8(p.sheets.current->windowKey))
                    .endsWith(QStringLiteral("Eq1\\eq12.que-U2")));
        QCOMPARE(f.find<QSpinBox>("spnGyouSpace")->value(), p.sheets.current->LineSpace);
        QCOMPARE(f.find<QListWidget>("lstWindow")->count(), 1);
        QVERIFY(!p.sheets.current->Modified);

        // The same unit again only comes to the front.
        f.find<QPushButton>("btnOpenMaster")->click();
        QCOMPARE(p.sheets.count, 1);
        QCOMPARE(f.messages(), std::vector<std::string>{"すでに読み込まれています"});

        // Cancelled, the menu opens nothing.
        f.steps.clear();
        f.find<QPushButton>("btnOpenMaster")->click();
        QCOMPARE(p.sheets.count, 1);
    }

    void studentModeHidesTheControlsBeforeTheFirstEvent() {
        DeskFixture f;
        f.store("KeyLock", true);
        Desk& desk = f.start(false);
        DeskProbe::main(desk)->show(); // no event has been processed after this
        for (const char* name : kEditing)
            QVERIFY2(f.find<QWidget>(name)->isHidden(), name);
        QVERIFY(!f.menuItem(QStringLiteral("ファイル(&F)"))->isVisible());
        QVERIFY(!f.menuItem(QStringLiteral("ご存じですか(&D)"))->isVisible());
        QVERIFY(f.menuItem(QStringLiteral("使い方(&U)"))->isVisible());
        QCOMPARE(f.find<QPushButton>("btnLock")->text(), QStringLiteral("生徒用"));

        f.find<QPushButton>("btnLock")->click(); // no password
        for (const char* name : kEditing)
            QVERIFY2(!f.find<QWidget>(name)->isHidden(), name);
        QCOMPARE(f.stored("KeyLock").toBool(), false);

        // A worksheet's own menu saves, prints and sets up: it goes with the lock, both on
        // a window that is open and on one opened while locked.
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 0);
        f.find<QPushButton>("btnOpenMaster")->click();
        auto sheetMenus = [&] {
            return DeskProbe::main(desk)->findChildren<QMenuBar*>("mnuPrint");
        };
        QCOMPARE(sheetMenus().size(), 1);
        QVERIFY(!sheetMenus().at(0)->isHidden());
        f.find<QPushButton>("btnLock")->click();
        QVERIFY(sheetMenus().at(0)->isHidden());
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 1);
        DeskProbe::main(desk)->btnOpenMasterClick(); // opened while locked (as 学習 opens one)
        QCOMPARE(sheetMenus().size(), 2);
        for (QMenuBar* menu : sheetMenus())
            QVERIFY(menu->isHidden());
    }

    // A learner at a locked desk sees no answers: not on the worksheet in front, not on
    // the others, not after switching between them.
    void lockingHidesTheAnswersOnEveryWorksheet() {
        DeskFixture f;
        Desk& desk = f.start();
        const Program& p = desk.program();
        const std::vector<TfrmPrint*> windows{DeskProbe::windowOf(desk, *f.open(0, 0, 0)),
                                              DeskProbe::windowOf(desk, *f.open(0, 0, 1))};
        f.menuItem(QStringLiteral("タイル表示(&T)"))->trigger();
        for (TfrmPrint* w : windows)
            QVERIFY(bluePixels(w) > 0);

        f.find<QPushButton>("btnLock")->click();
        QVERIFY(!p.sheets.answersShown);
        for (TfrmPrint* w : windows)
            QCOMPARE(bluePixels(w), 0);
        DeskProbe::main(desk)->mdiArea()->setActiveSubWindow(
            qobject_cast<QMdiSubWindow*>(windows[0]->parentWidget()));
        QCOMPARE(p.sheets.current, &windows[0]->sheet());
        QCOMPARE(bluePixels(windows[0]), 0);
        QVERIFY(!p.sheets.answersShown);

        // Unlocked, the teacher turns them on again with 解答表示.
        f.find<QPushButton>("btnLock")->click();
        QCOMPARE(bluePixels(windows[0]), 0);
        f.find<QPushButton>("btnKaitou")->click();
        QVERIFY(bluePixels(windows[0]) > 0);
    }

    void indexEditorRefusedWhileAWorksheetIsOpen() {
        DeskFixture f;
        Desk& desk = f.start();
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 0);
        f.find<QPushButton>("btnOpenMaster")->click();
        QCOMPARE(desk.program().sheets.count, 1);
        f.menuItem(QStringLiteral("目次作成(&C)"))->trigger();
        QCOMPARE(f.messages(),
                 std::vector<std::string>{"開いているファイルをすべて閉じてください"});

        f.menuItem(QStringLiteral("すべて閉じる(&A)"))->trigger();
        QCOMPARE(desk.program().sheets.count, 0);
        // With every worksheet closed the index editor comes up.
        f.menuItem(QStringLiteral("目次作成(&C)"))->trigger();
        QCOMPARE(f.shown.back(), QStringLiteral("TfrmEditIndex"));
        QCOMPARE(f.messages().size(), std::size_t(1));
    }

    void schoolDialogStoresTheName() {
        DeskFixture f;
        Desk& desk = f.start();
        f.steps[QStringLiteral("TfrmJuku")] = [](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("edtSchool"))
                ->setText(QStringLiteral("ＣＡＩ中学校　２年　１組"));
            d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        };
        f.menuItem(QStringLiteral("学校名・塾名(&J)"))->trigger();
        QCOMPARE(f.stored("theSchool").toString(), QStringLiteral("ＣＡＩ中学校　２年　１組"));
        QCOMPARE(QString::fromStdString(sjis::toUtf8(desk.program().session.schoolName)),
                 QStringLiteral("ＣＡＩ中学校　２年　１組"));

        // Without a worksheet the field shows the text of its last use; Cancel stores nothing.
        QString seen;
        f.steps[QStringLiteral("TfrmJuku")] = [&](QDialog& d) {
            auto* field = d.findChild<QLineEdit*>(QStringLiteral("edtSchool"));
            seen = field->text();
            field->setText(QStringLiteral("別の名前"));
            d.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
        };
        f.menuItem(QStringLiteral("学校名・塾名(&J)"))->trigger();
        QCOMPARE(seen, QStringLiteral("ＣＡＩ中学校　２年　１組"));
        QCOMPARE(f.stored("theSchool").toString(), QStringLiteral("ＣＡＩ中学校　２年　１組"));
    }

    void overwriteSavesTheUnitIntoItsFile() {
        DeskFixture f;
        Desk& desk = f.start();
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 1);
        f.find<QPushButton>("btnOpenMaster")->click();
        Worksheet& sheet = *desk.program().sheets.current;
        f.find<QSpinBox>("spnGyouSpace")->setValue(57);
        QVERIFY(sheet.Modified);
        f.find<QPushButton>("btnSave")->click();
        QVERIFY(!f.find<QWidget>("pnlSave")->isHidden());
        QVERIFY(f.find<QPushButton>("btnSaveMaster")->isEnabled());
        f.find<QPushButton>("btnSaveMaster")->click();
        QVERIFY(!sheet.Modified);
        QVERIFY(f.find<QWidget>("pnlSave")->isHidden());
        QFile que(f.course + QStringLiteral("/Eq1/eq11.que"));
        QVERIFY(que.open(QIODevice::ReadOnly));
        const QByteArray bytes = que.readAll();
        QVERIFY(bytes.contains("[[unit2\r\n<<ques\r\n"));
        QVERIFY(bytes.contains("<<value\r\n630\r\nTrue\r\n57\r\n"));
        QVERIFY(bytes.contains("[[unit1\r\n") && bytes.contains("[[unit2R1\r\n"));
    }

    void savedCopyOpensAgainThroughTheCopyDialog() {
        DeskFixture f;
        Desk& desk = f.start();
        const Program& p = desk.program();
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 2);
        f.find<QPushButton>("btnOpenMaster")->click();
        // A name without extension is saved as a worksheet file.
        f.fileDialogs.saves = {f.course + QStringLiteral("/Eq1/mine")};
        f.find<QPushButton>("btnSave")->click();
        f.find<QPushButton>("btnSaveCopy")->click();
        QVERIFY(QFile::exists(f.course + QStringLiteral("/Eq1/mine.prp")));
        QVERIFY(QString::fromStdString(sjis::toUtf8(p.sheets.current->windowKey))
                    .endsWith(QStringLiteral("mine.prp")));
        f.menuItem(QStringLiteral("すべて閉じる(&A)"))->trigger();
        QCOMPARE(p.sheets.count, 0);

        f.steps[QStringLiteral("TfrmOpenPRP")] = [](QDialog& d) {
            auto* files = d.findChild<QListWidget*>(QStringLiteral("flbPRP"));
            const auto found = files->findItems(QStringLiteral("mine.prp"), Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            files->setCurrentItem(found[0]);
            QVERIFY(d.findChild<QListWidget*>(QStringLiteral("lstContents"))->count() > 10);
            d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        };
        f.menuItem(QStringLiteral("コピーファイルを開く(&P)"))->trigger();
        QCOMPARE(p.sheets.count, 1);
        QVERIFY(p.sheets.current->FromCopyFile);
        QVERIFY(!p.sheets.current->masterFlag);
        // 上書き保存 is not offered for a worksheet file.
        f.find<QPushButton>("btnSave")->click();
        QVERIFY(!f.find<QPushButton>("btnSaveMaster")->isEnabled());
        QVERIFY(f.messages().empty());
    }

    void keysActOnKeyDownAndTypedDigitsStillCount() {
        DeskFixture f;
        Desk& desk = f.start();
        auto* spin = f.find<QSpinBox>("spnGyouSpace");
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(spin->value(), 30);
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("45"));
        QCOMPARE(spin->value(), 45);
        QTest::keyClick(spin, Qt::Key_Return); // 学習: without a worksheet, the unit menu first
        QCOMPARE(f.shown, std::vector<QString>{QStringLiteral("TfrmMenu")});
        QVERIFY(f.messages().empty());
        QTest::keyClick(spin, Qt::Key_Escape); // nothing open: nothing closes
        QVERIFY(DeskProbe::main(desk)->isVisible());
        QTest::keyClick(spin, Qt::Key_Escape, Qt::ShiftModifier);
        QVERIFY(!DeskProbe::main(desk)->isVisible());
    }

    // The course's notes (Shift-JIS) are read in the program's own help window.
    void notesShowDecodedInTheHelpWindow() {
        DeskFixture f;
        Desk& desk = f.start();
        f.menuItem(QStringLiteral("補足"))->trigger();
        QVERIFY(DeskProbe::help(desk) && DeskProbe::help(desk)->isVisible());
        auto* page = DeskProbe::help(desk)->findChild<QTextBrowser*>(QStringLiteral("txtHelp"));
        QVERIFY(page->toPlainText().contains(QStringLiteral("補足説明（先生方へ）")));
        QVERIFY(page->toPlainText().contains(QStringLiteral("類題は数値を変えた同じ形の問題")));
        QVERIFY(
            DeskProbe::help(desk)->windowTitle().endsWith(QStringLiteral("補足説明（先生方へ）")));
        QVERIFY(f.messages().empty());
    }

    void missingCourseIndexEndsTheProgram() {
        DeskFixture f;
        QFile::remove(f.course + QStringLiteral("/Main.ind"));
        Desk& desk = f.start();
        QCoreApplication::processEvents();
        QVERIFY(!DeskProbe::main(desk)->isVisible());
        QVERIFY(DeskProbe::main(desk)->startupEnded());
        QCOMPARE(desk.exitCode(), 1);
        QCOMPARE(f.messages().size(), std::size_t(1));
        QVERIFY(f.messages()[0].find("Main.ind が見つかりません") != std::string::npos);
    }
};

QTEST_MAIN(DeskFlowTest)
#include "DeskFlowTest.moc"
