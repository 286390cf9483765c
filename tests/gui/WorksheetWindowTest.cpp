// Worksheet windows as the teacher meets them: opened units in the frame, live layout
// changes, answers, saving and reopening, the close question, dragging graphs and copying
// regions of the page.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>

#include "WindowFixture.h"
#include "gui/PageView.h"
#include "gui/UiText.h"
#include "shell/SaveSteps.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

namespace {

constexpr QRgb Blue = 0xFF0000FF;

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// Lets queued closes and deletions happen.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A left-button drag on the page from a to b.
void drag(QWidget* page, QPoint a, QPoint b) {
    sendMouse(page, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    sendMouse(page, QEvent::MouseMove, (a + b) / 2, Qt::NoButton, Qt::LeftButton);
    sendMouse(page, QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
    sendMouse(page, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class WorksheetWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void openedUnitsGetTheirWindowsInTheFrame() {
        WindowFixture f;
        Worksheet* first = f.openUnit(1, 1, 1);
        QVERIFY(first);
        QPointer<TfrmPrint> w1 = f.window();
        QVERIFY(w1);
        QCOMPARE(w1->windowTitle(), qsShown(first->caption));
        QCOMPARE(w1->pageImage().deviceIndependentSize().toSize(), QSize(630, 891));
        QVERIFY(countColour(w1->pageImage(), Blue) > 0); // answers are shown after start-up
        QVERIFY(!first->Modified);

        Worksheet* second = f.openUnit(3, 2, 1);
        QVERIFY(second && second != first);
        QCOMPARE(f.frames().size(), 2);
        QCOMPARE(DeskProbe::main(*f.desk)->activeWorksheetWindow(), f.window());
        QVERIFY(f.window() != w1);

        // The same unit again only brings its window to the front.
        QCOMPARE(f.openUnit(1, 1, 1), nullptr);
        QCOMPARE(f.frames().size(), 2);
        QCOMPARE(f.program().sheets.current, first);
        QCOMPARE(DeskProbe::main(*f.desk)->mdiArea()->activeSubWindow(), w1->parentWidget());
        QCOMPARE(f.messages().back(), std::string("すでに読み込まれています"));

        // Activating a window in the frame makes its worksheet current.
        DeskProbe::main(*f.desk)->mdiArea()->setActiveSubWindow(f.frames().at(1));
        QCOMPARE(f.program().sheets.current, second);

        // A unit read again (after the question editor) replaces its window.
        Program& p = f.program();
        UnitTitleNames names{p.course.lessonNames[0], p.course.sectionNames[0],
                             p.course.sectionUnits[1][0]};
        QVERIFY(LoadLesson(p.platform.files, p.course, 1));
        QCOMPARE(OpenUnit(p, UnitRef{1, 1, 1, 0}, names, true), OpenResult::Opened);
        settle();
        QCOMPARE(f.frames().size(), 2);
        QVERIFY(w1.isNull());
        QVERIFY(f.window());
        QCOMPARE(f.window()->windowTitle(), qsShown(p.sheets.current->caption));
    }

    void settingsDialogChangesApplyAtOnce() {
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 1);
        QVERIFY(sheet);
        TfrmPrint* w = f.window();
        const QImage before = w->pageImage().copy();
        int shown = -1;
        bool changedWhileOpen = false;
        f.user = [&](QDialog& d) {
            // The margin spin starts from the worksheet and writes it back at once.
            auto* left = d.findChild<QSpinBox*>(QStringLiteral("spnLeftM"));
            shown = left->value();
            left->setValue(sheet->LeftMargin + 4);
            changedWhileOpen = w->pageImage() != before && sheet->Modified;
            return int(QDialog::Rejected); // closing never undoes a change
        };
        DeskProbe::settei(*f.desk)->openForActive();
        QCOMPARE(shown, 5);
        QVERIFY(changedWhileOpen);
        QCOMPARE(sheet->LeftMargin, 9);
        QCOMPARE(f.modalsShown, std::vector<QString>{QStringLiteral("TfrmSettei")});

        // Line spacing, as the main window's spin sets it, lands in the window too.
        const QImage wider = w->pageImage().copy();
        SetLineSpace(f.program(), sheet->LineSpace + 20);
        QVERIFY(w->pageImage() != wider);
    }

    void boxShapesFollowTheirRules() {
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 1);
        QVERIFY(sheet);
        sheet->setKranLine(KranLine::Kind, "2"); // brackets: a shape the dialog does not offer
        struct Step {
            const char* button;
            bool modified;
            bool width, height;
        };
        const Step steps[] = {
            {"radShikaku", false, true, true},
            {"radNon", true, false, false},
            {"radKasen", true, true, false},
            {"radRound", false, true, true},
        };
        bool openedAsItWas = false;
        std::vector<std::array<bool, 3>> seen;
        f.user = [&](QDialog& d) {
            auto checked = [&](const char* name) {
                return d.findChild<QRadioButton*>(QString::fromLatin1(name))->isChecked();
            };
            openedAsItWas = checked("radKakko") && !checked("radNon") && !checked("radShikaku") &&
                            !checked("radKasen") && !checked("radRound") && !sheet->Modified;
            auto* width = d.findChild<QSpinBox*>(QStringLiteral("spnKranWX"));
            auto* height = d.findChild<QSpinBox*>(QStringLiteral("spnKranH"));
            for (const Step& s : steps) {
                sheet->Modified = false;
                d.findChild<QRadioButton*>(QString::fromLatin1(s.button))->click();
                seen.push_back({sheet->Modified, width->isEnabled(), height->isEnabled()});
            }
            // Escape presses 閉じる, which closes the dialog with OK.
            QTest::keyClick(width, Qt::Key_Escape);
            return d.result();
        };
        DeskProbe::settei(*f.desk)->openForActive();
        QCOMPARE(f.modalsShown.size(), std::size_t(1));
        // A worksheet of kind 2 shows the hidden bracket button checked; opening the
        // dialog changes nothing.
        QVERIFY(openedAsItWas);
        QCOMPARE(seen.size(), std::size(steps));
        for (std::size_t i = 0; i < seen.size(); ++i) {
            QCOMPARE(seen[i][0], steps[i].modified);
            QCOMPARE(seen[i][1], steps[i].width);
            QCOMPARE(seen[i][2], steps[i].height);
        }
        QCOMPARE(sheet->kranLines()[0], std::string("5"));
        QVERIFY(!DeskProbe::settei(*f.desk)->isVisible());
        QCOMPARE(DeskProbe::settei(*f.desk)->result(), int(QDialog::Accepted));
    }

    void keyboardInTheSettingsStrip() {
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 1);
        QVERIFY(sheet);
        sheet->setKranLine(KranLine::Kind, "1");
        bool focusChangedNothing = false;
        std::vector<std::string> chosen;
        QString caption;
        int typedAway = -1;
        f.user = [&](QDialog& d) {
            d.show();
            d.activateWindow();
            if (!QTest::qWaitForWindowActive(&d)) return int(QDialog::Rejected);
            // Tab onto a shape button changes nothing; the arrow keys choose each shape
            // offered in turn, round to the first; Space chooses the focused one.
            auto* non = d.findChild<QRadioButton*>(QStringLiteral("radNon"));
            non->setFocus(Qt::TabFocusReason);
            focusChangedNothing =
                !non->isChecked() && sheet->kranLines()[0] == "1" && !sheet->Modified;
            QTest::keyClick(non, Qt::Key_Space);
            chosen.push_back(sheet->kranLines()[0]);
            for (int i = 0; i < 4; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
                chosen.push_back(sheet->kranLines()[0]);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
            chosen.push_back(sheet->kranLines()[0]);
            // Backspace never reaches a spin; digits do.
            auto* width = d.findChild<QSpinBox*>(QStringLiteral("spnKranWX"));
            width->setFocus(Qt::MouseFocusReason);
            width->selectAll();
            QTest::keyClicks(width, QStringLiteral("12"));
            QTest::keyClick(width, Qt::Key_Backspace);
            typedAway = width->value();
            caption = d.findChild<QPushButton*>(QStringLiteral("btnKakudai"))->text();
            d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
            return d.result();
        };
        DeskProbe::settei(*f.desk)->openForActive();
        QVERIFY(focusChangedNothing);
        QCOMPARE(chosen, (std::vector<std::string>{"0", "1", "4", "5", "0", "5"}));
        QCOMPARE(typedAway, 12);
        QCOMPARE(sheet->kranLines()[1], std::string("12"));
        QCOMPARE(caption, QStringLiteral("縮小"));
    }

    // The strip says what its settings do to the answers while the teacher changes them:
    // boxes too narrow for their answers are named, and the line goes once they fit.
    void layoutStripTellsAnswersTheirBoxesCannotHold() {
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 1);
        QVERIFY(sheet);
        sheet->setKranLine(KranLine::Kind, "1");
        sheet->setKranLine(KranLine::Width, "30");
        QString narrow, wide;
        bool shownNarrow = true, shownWide = true, shownAtOpen = true;
        f.user = [&](QDialog& d) {
            d.show();
            auto* warning = d.findChild<QLabel*>(QStringLiteral("lblWarning"));
            shownAtOpen = warning->isVisible();
            auto* width = d.findChild<QSpinBox*>(QStringLiteral("spnKranWX"));
            width->setValue(2);
            narrow = warning->toolTip();
            shownNarrow = warning->isVisible();
            width->setValue(30);
            wide = warning->text();
            shownWide = warning->isVisible();
            return int(QDialog::Accepted);
        };
        DeskProbe::settei(*f.desk)->openForActive();
        QVERIFY(!shownAtOpen);
        QVERIFY(shownNarrow);
        QVERIFY2(narrow.contains(QStringLiteral("が欄の幅に入りません")), qPrintable(narrow));
        QVERIFY(narrow.startsWith(QStringLiteral("解答欄")));
        QVERIFY(!shownWide);
        QVERIFY(wide.isEmpty());
        // The teacher's setting stays as chosen.
        QCOMPARE(sheet->kranLines()[1], std::string("30"));
    }

    void reduceKeyOfTheSettingsStripRunsTheMainWindowsCommand() {
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        Program& p = f.program();
        DeskProbe::main(*f.desk)->btnShukushoClick();
        if (!p.sheets.reducedView) QSKIP("the main window's reduce command is not built yet");
        DeskProbe::main(*f.desk)->btnShukushoClick();
        QString caption;
        f.user = [&](QDialog& d) {
            QTest::keyClick(d.findChild<QSpinBox*>(QStringLiteral("spnAnsX")), Qt::Key_S);
            caption = d.findChild<QPushButton*>(QStringLiteral("btnKakudai"))->text();
            return int(QDialog::Accepted);
        };
        DeskProbe::settei(*f.desk)->openForActive();
        QVERIFY(p.sheets.reducedView);
        QCOMPARE(caption, QStringLiteral("拡大"));
        QVERIFY(f.window()->isReduced());
    }

    void answersToggleOnThePage() {
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 1);
        QVERIFY(sheet);
        TfrmPrint* w = f.window();
        QVERIFY(countColour(w->pageImage(), Blue) > 0);
        ToggleShowAnswers(f.program());
        QCOMPARE(countColour(w->pageImage(), Blue), 0);
        ToggleShowAnswers(f.program());
        QVERIFY(countColour(w->pageImage(), Blue) > 0);
        QVERIFY(!sheet->Modified);
    }

    void savedWorksheetOpensAgainInItsOwnWindow() {
        WindowFixture f;
        Worksheet* sheet = f.openUnit(1, 1, 2);
        QVERIFY(sheet);
        SetLeftMargin(f.program(), 8);
        const Lines questions = sheet->lstQues;
        const QString path = f.temp.filePath(QStringLiteral("練習.prp"));
        QVERIFY(SaveWorksheetTo(f.program(), *sheet, corePath(path), false));
        f.window()->refreshCaption();
        QCOMPARE(f.window()->windowTitle(), QDir::cleanPath(path));
        QVERIFY(f.window()->close()); // saved: closes without a question
        settle();
        QCOMPARE(f.frames().size(), 0);
        QCOMPARE(f.program().sheets.current, nullptr);

        QCOMPARE(OpenWorksheetFile(f.program(), corePath(path)), OpenResult::Opened);
        Worksheet* again = f.program().sheets.current;
        QVERIFY(again);
        QCOMPARE(f.frames().size(), 1);
        QCOMPARE(f.window()->windowTitle(), QDir::cleanPath(path));
        QCOMPARE(again->lstQues, questions);
        QCOMPARE(again->LeftMargin, 8);
        QVERIFY(countColour(f.window()->pageImage(), Blue) > 0);
        QVERIFY(!again->Modified);
    }

    void closingAModifiedWorksheetAsksFirst() {
        WindowFixture f;
        // A worksheet read from a file saves through 名前を付けて保存.
        Worksheet* sheet = f.openUnit(1, 1, 1);
        const QString path = f.temp.filePath(QStringLiteral("copy.prp"));
        QVERIFY(SaveWorksheetTo(f.program(), *sheet, corePath(path), false));
        sheet->Modified = true;
        const std::string question = sjis::toUtf8(sheet->caption) + "を保存しますか？";

        // Cancel keeps it open and modified, whether the window or its frame is closed.
        for (QWidget* closed :
             {static_cast<QWidget*>(f.window()), static_cast<QWidget*>(f.frames().at(0))}) {
            f.prompter.answers = {answer::Cancel};
            QVERIFY(!closed->close());
            settle();
            QCOMPARE(f.messages().back(), question);
            QCOMPARE(f.frames().size(), 1);
            QVERIFY(f.frames().at(0)->isVisible());
            QVERIFY(sheet->Modified);
        }

        // Yes with a save that does not happen (the save dialog cancelled): still open.
        f.prompter.answers = {answer::Yes};
        QVERIFY(!f.window()->close());
        QCOMPARE(f.frames().size(), 1);
        QCOMPARE(f.program().sheets.current, sheet);
        QVERIFY(sheet->Modified);
        QVERIFY(f.messages().back().find("保存されていません") != std::string::npos);

        // No closes without saving.
        f.prompter.answers = {answer::No};
        QVERIFY(f.window()->close());
        settle();
        QCOMPARE(f.frames().size(), 0);
        QVERIFY(f.program().sheets.open.empty());
        QVERIFY(f.program().sheets.windowList.empty());
    }

    void draggedGraphStaysWhereItWasDropped() {
        WindowFixture f;
        Worksheet* sheet = f.openUnit(3, 2, 1);
        QVERIFY(sheet);
        const Worksheet::Placed g = sheet->graphPlaced[0];
        QVERIFY(g.visible && g.width > 20);
        auto* page = f.window()->findChild<PageView*>();
        const QPoint grip(g.left + g.width / 2, g.top + g.height / 2);
        drag(page, grip, grip + QPoint(-30, 45));
        QCOMPARE(sheet->lstQGraph[1], std::to_string(g.left - 30));
        QCOMPARE(sheet->lstQGraph[2], std::to_string(g.top + 45));
        QCOMPARE(sheet->graphPlaced[0].left, g.left - 30);
        QVERIFY(sheet->Modified);

        // A click on a graph without moving it changes nothing.
        sheet->Modified = false;
        drag(page, grip, grip);
        QVERIFY(!sheet->Modified);
    }

    void markedRegionsGoToTheClipboard() {
        WindowFixture f;
        Worksheet* sheet = f.openUnit(3, 2, 1);
        QVERIFY(sheet);
        TfrmPrint* w = f.window();
        auto* page = w->findChild<PageView*>();
        const QImage full = w->pageImage();
        // Marked from bottom right to top left: the same picture as the other way round.
        drag(page, QPoint(300, 260), QPoint(40, 100));
        QVERIFY(w->hasMarkedRegion());
        w->copyMarkedRegion();
        QVERIFY(!w->hasMarkedRegion());
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(259, 159));
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 full.copy(41, 101, 259, 159).convertToFormat(QImage::Format_RGB32));

        // A graph chosen with the right button copies exactly that picture.
        const Worksheet::Placed g = sheet->graphPlaced[0];
        sendMouse(page, QEvent::MouseButtonPress, QPoint(g.left + 5, g.top + 5), Qt::RightButton,
                  Qt::RightButton);
        QVERIFY(w->hasMarkedRegion());
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(g.width, g.height));

        // The whole page through the menu's ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ.
        w->findChild<QAction*>(QStringLiteral("mnuClipboard"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(630, 891));
        QVERIFY(f.messages().empty());
    }

    void reducedViewShowsTheWholePageSmall() {
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        TfrmPrint* w = f.window();
        auto* page = w->findChild<PageView*>();
        auto* scroll = w->findChild<QScrollArea*>();
        QCOMPARE(page->size(), QSize(630, 891));
        // On a small screen and on one taller than the page: the whole page fits the
        // window, visibly smaller than the page.
        for (QSize screen : {QSize(1000, 800), QSize(1280, 1200)}) {
            DeskProbe::main(*f.desk)->resize(screen);
            f.frames().at(0)->resize(DeskProbe::main(*f.desk)->childSize());
            w->setReduced(true);
            const int h = page->height();
            QVERIFY(h <= 891 * 3 / 4);
            QVERIFY(h <= scroll->viewport()->height());
            QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
            QCOMPARE(page->width(), qRound(h / std::sqrt(2.0)));
            // A relayout keeps the reduced view; switching back shows the full page.
            SetLeftMargin(f.program(), 7);
            QCOMPARE(page->height(), h);
            w->setReduced(false);
            QCOMPARE(page->size(), QSize(630, 891));
        }
    }
};

QTEST_MAIN(WorksheetWindowTest)
#include "WorksheetWindowTest.moc"
