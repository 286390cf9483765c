// The worksheet the teacher works on stays in front: after each way of saving it, after
// copying a region, after editing the copy and after the tips panel closes, the title
// window never comes up over it. The layout strip leaves the page in view; cascaded
// windows show the page's width. Driven with the mouse, on a copy of the bundled course.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>

#include "DeskFixture.h"
#include "gui/PageView.h"
#include "gui/TfrmPrint.h"
#include "gui/TfrmSettei.h"

namespace {

// The mouse moves onto the button (the pop-ups' buttons take the focus then) and clicks.
void moveAndClick(QWidget* button) {
    QTest::mouseMove(button);
    QCoreApplication::processEvents();
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
}

bool startActive(DeskFixture& f, QSize size = {1024, 740}) {
    DeskProbe::main(f.start())->resize(size);
    DeskProbe::main(*f.desk)->activateWindow();
    return QTest::qWaitForWindowActive(DeskProbe::main(*f.desk));
}

QMdiSubWindow* frameOf(DeskFixture& f, const Worksheet& sheet) {
    return qobject_cast<QMdiSubWindow*>(DeskProbe::windowOf(*f.desk, sheet)->parentWidget());
}

// The sheet's window is the active one, on top of the others, and its sheet is current.
bool inFront(DeskFixture& f, const Worksheet& sheet) {
    QCoreApplication::processEvents();
    QMdiArea* mdi = DeskProbe::main(*f.desk)->mdiArea();
    QMdiSubWindow* frame = frameOf(f, sheet);
    return mdi->activeSubWindow() == frame &&
           mdi->subWindowList(QMdiArea::StackingOrder).last() == frame &&
           f.desk->program().sheets.current == &sheet;
}

} // namespace

class FrontWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void worksheetStaysInFrontAfterEachCommand() {
        DeskFixture f;
        QVERIFY(startActive(f));
        Worksheet* sheet = f.open(0, 0, 1);
        QVERIFY(sheet && inFront(f, *sheet));
        auto* popup = f.find<QWidget>("pnlSave");
        auto choice = [&](const char* name) {
            moveAndClick(f.find<QPushButton>("btnSave"));
            return f.find<QPushButton>(name);
        };
        // The save choices close when the mouse moves on over the panel.
        choice("btnSaveMaster");
        QTest::mouseMove(f.find<QWidget>("pnlMain"), QPoint(56, 680));
        QVERIFY(popup->isHidden());

        f.find<QSpinBox>("spnGyouSpace")->setValue(40);
        moveAndClick(choice("btnSaveMaster"));
        QVERIFY(!sheet->Modified);
        QVERIFY2(inFront(f, *sheet), "上書き保存");

        // 名前を付けて保存 proposes the unit's name; cancelled, then saved.
        moveAndClick(choice("btnSaveCopy"));
        QCOMPARE(f.fileDialogs.lastDir,
                 QDir(f.course).absoluteFilePath(QStringLiteral("Eq1/(2) 移項.prp")));
        QVERIFY2(inFront(f, *sheet), "名前を付けて保存 cancelled");
        f.fileDialogs.saves = {f.course + QStringLiteral("/Eq1/front.prp")};
        moveAndClick(choice("btnSaveCopy"));
        QVERIFY(QFile::exists(f.course + QStringLiteral("/Eq1/front.prp")));
        QVERIFY2(inFront(f, *sheet), "名前を付けて保存");

        f.steps[QStringLiteral("TfrmReadUnit")] = [](QDialog& dlg) {
            dlg.findChild<QLineEdit*>(QStringLiteral("edtTangen"))->setText(QStringLiteral("前"));
            dlg.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        };
        moveAndClick(f.find<QPushButton>("btnEdit"));
        moveAndClick(f.find<QPushButton>("btnEditCopy"));
        QCOMPARE(f.shown.back(), QStringLiteral("TfrmReadUnit"));
        QVERIFY2(inFront(f, *sheet), "コピーファイルを編集");

        auto* page = DeskProbe::windowOf(*f.desk, *sheet)->findChild<PageView*>();
        QTest::mousePress(page, Qt::LeftButton, {}, QPoint(60, 120));
        QTest::mouseMove(page, QPoint(200, 220));
        QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(200, 220));
        moveAndClick(f.find<QPushButton>("btnCopy"));
        QVERIFY(!f.find<QPushButton>("btnCopy")->isEnabled());
        QVERIFY2(inFront(f, *sheet), "コピー");

        f.menuItem(QStringLiteral("ご存じですか(&D)"))->trigger();
        moveAndClick(f.find<QWidget>("grbDoYouKnow")->findChild<QPushButton*>("btnClose"));
        QVERIFY2(inFront(f, *sheet), "tips closed");
    }

    // The layout strip (解答欄) covers the command panel, never the page being adjusted,
    // full size or reduced; its warning line stays hidden while it has nothing to say.
    void layoutStripLeavesThePageInView() {
        DeskFixture f;
        QVERIFY(startActive(f));
        TfrmPrint* window = DeskProbe::windowOf(*f.desk, *f.open(0, 0, 1));
        auto visiblePage = [&] {
            const QWidget* view = window->findChild<QScrollArea*>()->viewport();
            const QWidget* page = window->findChild<PageView*>();
            return QRect(page->mapToGlobal(QPoint(0, 0)), page->size()) &
                   QRect(view->mapToGlobal(QPoint(0, 0)), view->size());
        };
        std::vector<bool> covers;
        std::vector<bool> warningShown;
        f.steps[QStringLiteral("TfrmSettei")] = [&](QDialog& dlg) {
            dlg.show();
            auto* warning = dlg.findChild<QLabel*>(QStringLiteral("lblWarning"));
            warningShown.push_back(warning->isVisible());
            DeskProbe::settei(*f.desk)->setWarnings(
                QStringLiteral("(3) の解答が枠からはみ出しています"));
            warningShown.push_back(warning->isVisible());
            for (int reduced = 0; reduced < 2; ++reduced) {
                QCoreApplication::processEvents();
                covers.push_back(dlg.frameGeometry().intersects(visiblePage()));
                dlg.findChild<QPushButton*>(QStringLiteral("btnKakudai"))->click(); // 縮小
            }
        };
        moveAndClick(f.find<QPushButton>("btnKran"));
        QCOMPARE(covers, (std::vector<bool>{false, false}));
        QCOMPARE(warningShown, (std::vector<bool>{false, true}));
    }

    void cascadedWindowsShowThePageWidth() {
        DeskFixture f;
        QVERIFY(startActive(f, {1280, 990}));
        QVERIFY(f.open(0, 0, 0) && f.open(0, 0, 1) && f.open(0, 1, 0));
        f.menuItem(QStringLiteral("カスケード表示(&C)"))->trigger();
        const QRect area = DeskProbe::main(*f.desk)->mdiArea()->viewport()->rect();
        QSet<QPoint> corners;
        for (const auto& sheet : f.desk->program().sheets.open) {
            corners.insert(frameOf(f, *sheet)->pos());
            // Inside the frame, with the page's whole width in view.
            QVERIFY(area.contains(frameOf(f, *sheet)->geometry()));
            auto* scroll = DeskProbe::windowOf(*f.desk, *sheet)->findChild<QScrollArea*>();
            QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
            QVERIFY(scroll->viewport()->height() >= area.height() / 2);
        }
        QCOMPARE(corners.size(), 3); // still cascaded
    }
};

QTEST_MAIN(FrontWindowTest)
#include "FrontWindowTest.moc"
