// The worksheet the teacher works on stays in front: after each way of saving it, after
// copying a region, after editing the copy and after the tips panel closes, the title
// window never comes up over it. Cascaded worksheet windows keep a size that shows the
// page. Driven with the mouse as a teacher would, on a copy of the bundled course.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>

#include "DeskFixture.h"
#include "gui/PageView.h"
#include "gui/TfrmPrint.h"
#include "gui/TfrmSettei.h"
#include "shell/Program.h"

namespace {

std::function<void(QDialog&)> chooseUnit(int lesson, int section, int unit) {
    return [=](QDialog& d) {
        d.findChild<QListWidget*>(QStringLiteral("lstLesson"))->setCurrentRow(lesson);
        d.findChild<QListWidget*>(QStringLiteral("lstSection"))->setCurrentRow(section);
        d.findChild<QListWidget*>(QStringLiteral("lstUnit"))->setCurrentRow(unit);
        d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    };
}

// The mouse moves onto the button (it takes the focus, as the pop-up buttons do) and clicks.
void moveAndClick(QWidget* button) {
    QTest::mouseMove(button);
    QCoreApplication::processEvents();
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
}

class Desktop {
  public:
    DeskFixture f;
    Desk* desk = nullptr;

    bool start() {
        desk = &f.start();
        desk->main->resize(1024, 740);
        desk->main->activateWindow();
        return QTest::qWaitForWindowActive(desk->main);
    }
    Program& program() { return desk->program(); }
    QMdiArea* mdi() { return desk->main->mdiArea(); }
    QMdiSubWindow* frameOf(const Worksheet* sheet) {
        TfrmPrint* w = sheet ? desk->windowOf(*sheet) : nullptr;
        return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr;
    }
    Worksheet* open(int lesson, int section, int unit) {
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(lesson, section, unit);
        moveAndClick(f.find<QPushButton>("btnOpenMaster"));
        return program().sheets.current;
    }
    // The sheet's window is the active one and on top of the frame's windows.
    bool inFront(const Worksheet* sheet) {
        QCoreApplication::processEvents();
        QMdiSubWindow* frame = frameOf(sheet);
        const QList<QMdiSubWindow*> stack = mdi()->subWindowList(QMdiArea::StackingOrder);
        return frame && mdi()->activeSubWindow() == frame && !stack.isEmpty() &&
               stack.last() == frame && program().sheets.current == sheet;
    }
};

} // namespace

class FrontWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void worksheetStaysInFrontAfterEachCommand() {
        Desktop d;
        QVERIFY(d.start());
        Worksheet* sheet = d.open(0, 0, 1);
        QVERIFY(sheet);
        QVERIFY(d.inFront(sheet));
        auto popupButton = [&](const char* name) {
            moveAndClick(d.f.find<QPushButton>("btnSave"));
            return d.f.find<QPushButton>(name);
        };

        // 保存 → 上書き保存.
        d.f.find<QSpinBox>("spnGyouSpace")->setValue(40);
        moveAndClick(popupButton("btnSaveMaster"));
        QVERIFY(!sheet->Modified);
        QVERIFY2(d.inFront(sheet), "上書き保存");

        // 保存 → 名前を付けて保存, cancelled and then saved.
        moveAndClick(popupButton("btnSaveCopy"));
        QVERIFY2(d.inFront(sheet), "名前を付けて保存 cancelled");
        d.f.fileDialogs.saves = {d.f.course + QStringLiteral("/Eq1/front.prp")};
        moveAndClick(popupButton("btnSaveCopy"));
        QVERIFY(QFile::exists(d.f.course + QStringLiteral("/Eq1/front.prp")));
        QVERIFY2(d.inFront(sheet), "名前を付けて保存");

        // 編集 → コピーファイルを編集 → OK.
        d.f.steps[QStringLiteral("TfrmReadUnit")] = [](QDialog& dlg) {
            dlg.findChild<QLineEdit*>(QStringLiteral("edtTangen"))->setText(QStringLiteral("前"));
            dlg.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        };
        moveAndClick(d.f.find<QPushButton>("btnEdit"));
        moveAndClick(d.f.find<QPushButton>("btnEditCopy"));
        QCOMPARE(d.f.shown.back(), QStringLiteral("TfrmReadUnit"));
        QVERIFY2(d.inFront(sheet), "コピーファイルを編集");

        // A region of the page marked and copied with コピー.
        auto* page = d.desk->windowOf(*sheet)->findChild<PageView*>();
        QTest::mousePress(page, Qt::LeftButton, {}, QPoint(60, 120));
        QTest::mouseMove(page, QPoint(200, 220));
        QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(200, 220));
        QVERIFY(d.f.find<QPushButton>("btnCopy")->isEnabled());
        moveAndClick(d.f.find<QPushButton>("btnCopy"));
        QVERIFY(!d.f.find<QPushButton>("btnCopy")->isEnabled());
        QVERIFY2(d.inFront(sheet), "コピー");

        // The tips panel shown from the help menu and closed.
        d.f.menuItem(QStringLiteral("ご存じですか(&D)"))->trigger();
        moveAndClick(d.f.find<QWidget>("grbDoYouKnow")->findChild<QPushButton*>("btnClose"));
        QVERIFY(d.f.find<QWidget>("grbDoYouKnow")->isHidden());
        QVERIFY2(d.inFront(sheet), "tips closed");
    }

    // The save choices close when the mouse moves on over the panel; the save dialog
    // proposes the unit's name.
    void saveChoicesFollowTheMouse() {
        Desktop d;
        QVERIFY(d.start());
        QVERIFY(d.open(0, 0, 1));
        auto* popup = d.f.find<QWidget>("pnlSave");
        auto* panel = d.f.find<QWidget>("pnlMain");
        for (QPoint over : {QPoint(56, panel->height() - 40), QPoint(56, 240)}) {
            moveAndClick(d.f.find<QPushButton>("btnSave"));
            QVERIFY(popup->isVisible());
            QTest::mouseMove(panel, over); // empty panel, then over 学習
            QCoreApplication::processEvents();
            QVERIFY(popup->isHidden());
        }
        moveAndClick(d.f.find<QPushButton>("btnSave"));
        moveAndClick(d.f.find<QPushButton>("btnSaveCopy"));
        QCOMPARE(d.f.fileDialogs.lastDir,
                 QDir(d.f.course).absoluteFilePath(QStringLiteral("Eq1/(2) 移項.prp")));
    }

    // The layout strip (解答欄) covers the command panel, never the page being adjusted,
    // full size or reduced; its warning line stays hidden while it has nothing to say.
    void layoutStripLeavesThePageInView() {
        Desktop d;
        QVERIFY(d.start());
        Worksheet* sheet = d.open(0, 0, 1);
        QVERIFY(sheet);
        TfrmPrint* window = d.desk->windowOf(*sheet);
        auto* scroll = window->findChild<QScrollArea*>();
        auto visiblePage = [&] {
            const QRect page(window->findChild<PageView*>()->mapToGlobal(QPoint(0, 0)),
                             window->findChild<PageView*>()->size());
            const QRect view(scroll->viewport()->mapToGlobal(QPoint(0, 0)),
                             scroll->viewport()->size());
            return page & view;
        };
        std::vector<bool> covers;
        bool warningHidden = false, warningShown = false;
        d.f.steps[QStringLiteral("TfrmSettei")] = [&](QDialog& dlg) {
            dlg.show();
            QCoreApplication::processEvents();
            covers.push_back(dlg.frameGeometry().intersects(visiblePage()));
            auto* warning = dlg.findChild<QLabel*>(QStringLiteral("lblWarning"));
            warningHidden = warning && warning->isHidden();
            d.desk->settei->setWarnings(QStringLiteral("(3) の解答が枠からはみ出しています"));
            warningShown = warning && warning->isVisible();
            d.desk->settei->setWarnings(QString());
            dlg.findChild<QPushButton*>(QStringLiteral("btnKakudai"))->click(); // 縮小
            QCoreApplication::processEvents();
            covers.push_back(dlg.frameGeometry().intersects(visiblePage()));
            dlg.findChild<QPushButton*>(QStringLiteral("btnKakudai"))->click();
            dlg.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        };
        moveAndClick(d.f.find<QPushButton>("btnKran"));
        QCOMPARE(covers, (std::vector<bool>{false, false}));
        QVERIFY(warningHidden && warningShown);
        QVERIFY(!d.program().controls.reducedView);
    }

    void cascadedWindowsShowThePageWidth() {
        Desktop d;
        QVERIFY(d.start());
        d.desk->main->resize(1280, 990);
        QVERIFY(d.open(0, 0, 0) && d.open(0, 0, 1) && d.open(0, 1, 0));
        d.f.menuItem(QStringLiteral("カスケード表示(&C)"))->trigger();
        QCoreApplication::processEvents();
        const QRect area = d.mdi()->viewport()->rect();
        QSet<QPoint> corners;
        for (const auto& owned : d.program().sheets.open) {
            QMdiSubWindow* frame = d.frameOf(owned.get());
            QVERIFY(frame);
            corners.insert(frame->pos());
            // Inside the frame, and the page's whole width without scrolling sideways.
            QVERIFY(area.contains(frame->geometry()));
            auto* scroll = d.desk->windowOf(*owned)->findChild<QScrollArea*>();
            QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
            QVERIFY(scroll->viewport()->height() >= area.height() / 2);
        }
        QCOMPARE(corners.size(), 3); // still cascaded: one below the other
    }
};

QTEST_MAIN(FrontWindowTest)
#include "FrontWindowTest.moc"
