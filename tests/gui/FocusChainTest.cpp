// The keyboard and the screen reader through every window: Tab and Shift+Tab go round each
// window and come back to where they started (the main window's round takes in the
// worksheet in front and never the title window), and every control they reach, every
// picture and every list header has a name that says what it is, not an internal one.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

#include "DeskFixture.h"
#include "gui/PageView.h"
#include "gui/TfrmDummy.h"
#include "gui/TfrmHelp.h"
#include "gui/TfrmMenu.h"
#include "gui/TfrmPrint.h"
#include "gui/TfrmZenTangen.h"
#include "shell/Program.h"

namespace {

QString spokenName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// What is wrong with the name a screen reader gives a control (empty when nothing).
QString nameProblem(QWidget* w) {
    static const QRegularExpression internal(
        QStringLiteral("^(img|btn|lst|edt|spn|rad|rdb|chk|grb|pnl|mnu|lbl|mem|trv|flb|cmb|red|"
                       "txt|scr)[A-Z0-9]|^[A-Za-z]+[A-Z][a-z]+$"));
    const QString name = spokenName(w);
    if (name.isEmpty()) return QStringLiteral("no name");
    if (name == w->objectName() || internal.match(name).hasMatch())
        return QStringLiteral("internal name \"%1\"").arg(name);
    if (name != name.trimmed() || name.contains(QStringLiteral("  ")) ||
        name.contains(QChar(0x3000)))
        return QStringLiteral("padded name \"%1\"").arg(name);
    return {};
}

// Presses Tab (or Shift+Tab) until the focus comes back where it started; the controls
// passed, in order. Empty when the focus never came back.
QList<QWidget*> tabRound(bool forward, int limit = 80) {
    QWidget* start = QApplication::focusWidget();
    QList<QWidget*> seen;
    for (int i = 0; i < limit && start; ++i) {
        QWidget* at = QApplication::focusWidget();
        if (!at) return {};
        seen << at;
        QTest::keyClick(at, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                        forward ? Qt::NoModifier : Qt::ShiftModifier);
        if (QApplication::focusWidget() == start) return seen;
    }
    return {};
}

class Walker {
  public:
    QStringList problems; // "window: object: problem"
    QStringList walked;   // windows walked

    // Walks the window's Tab round both ways and checks the names on the way, and those
    // of its pictures and list headers.
    void walk(QWidget* window) {
        const QString title = window->objectName();
        walked << title;
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window); // the offscreen screen forgets after a hide
        if (!QTest::qWaitForWindowActive(window)) {
            problems << title + QStringLiteral(": never active");
            return;
        }
        // Where the window puts the focus on showing, or its first control.
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != window) {
            if (window->focusWidget())
                window->focusWidget()->setFocus(Qt::ActiveWindowFocusReason);
            else
                QTest::keyClick(window, Qt::Key_Tab);
        }
        const QList<QWidget*> forward = tabRound(true);
        const QList<QWidget*> backward = tabRound(false);
        if (qobject_cast<QDialog*>(window)) window->hide(); // as the dialog closes
        if (!forward.isEmpty() && forward[0]->window() != window)
            problems << title + QStringLiteral(": the focus is in another window ") +
                            forward[0]->objectName() + "/" + forward[0]->window()->objectName();
        if (forward.isEmpty()) problems << title + QStringLiteral(": Tab does not come back");
        if (backward.isEmpty())
            problems << title + QStringLiteral(": Shift+Tab does not come back");
        QSet<QString> names;
        QSet<QWidget*> checked; // a text browser keeps the focus while Tab walks its links
        for (QWidget* w : forward) {
            if (checked.contains(w)) continue;
            checked.insert(w);
            const QString problem = nameProblem(w);
            if (!problem.isEmpty()) problems << title + ": " + w->objectName() + ": " + problem;
            const QString name = spokenName(w);
            if (names.contains(name))
                problems << title + ": " + w->objectName() +
                                QStringLiteral(": same name as another");
            names.insert(name);
            if (!backward.contains(w))
                problems << title + ": " + w->objectName() + QStringLiteral(": not on Shift+Tab");
        }
        QSet<QString> headers;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(window)) continue;
            const bool picture = !label->pixmap().isNull();
            const bool header = label->objectName().startsWith(QStringLiteral("pnl"));
            if (picture && !nameProblem(label).isEmpty())
                problems << title + ": " + label->objectName() + ": " + nameProblem(label);
            if (header && headers.contains(spokenName(label)))
                problems << title + ": " + label->objectName() + QStringLiteral(": same header");
            if (header) headers.insert(spokenName(label));
        }
        // List items are read without the blanks that line them up on screen.
        for (QListWidget* list : window->findChildren<QListWidget*>()) {
            if (!list->isVisibleTo(window)) continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(list);
            for (int i = 0; a && i < a->childCount(); ++i) {
                const QString item = a->child(i)->text(QAccessible::Name);
                if (item != item.trimmed() || item.contains(QStringLiteral("  ")))
                    problems << title + ": " + list->objectName() +
                                    QStringLiteral(": padded item \"%1\"").arg(item);
            }
        }
    }
};

std::function<void(QDialog&)> chooseUnit(int lesson, int section, int unit) {
    return [=](QDialog& d) {
        d.findChild<QListWidget*>(QStringLiteral("lstLesson"))->setCurrentRow(lesson);
        d.findChild<QListWidget*>(QStringLiteral("lstSection"))->setCurrentRow(section);
        d.findChild<QListWidget*>(QStringLiteral("lstUnit"))->setCurrentRow(unit);
        d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    };
}

} // namespace

class FocusChainTest : public QObject {
    Q_OBJECT
  private slots:
    void mainWindowRoundTakesInTheWorksheetInFront() {
        DeskFixture f;
        Desk& desk = f.start();
        desk.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(desk.main));
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 1);
        f.find<QPushButton>("btnOpenMaster")->click();
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 2);
        f.find<QPushButton>("btnOpenMaster")->click();
        TfrmPrint* front = desk.windowOf(*desk.program().sheets.current);
        QVERIFY(front);
        f.find<QWidget>("btnLock")->setFocus(Qt::TabFocusReason);

        const QList<QWidget*> forward = tabRound(true);
        const QList<QWidget*> backward = tabRound(false);
        QVERIFY(!forward.isEmpty());
        QVERIFY(!backward.isEmpty());
        // Back the same way: the reverse of the round.
        QList<QWidget*> reversed(forward.rbegin(), forward.rend());
        reversed.prepend(reversed.takeLast());
        QCOMPARE(backward, reversed);
        QStringList names;
        for (QWidget* w : forward)
            names << w->objectName();
        for (const char* command : {"btnLock", "btnOpenMaster", "btnSave", "btnStartPrint",
                                    "btnKran", "btnTest", "spnGyouSpace", "spnMojiSize"})
            QVERIFY2(names.contains(QLatin1String(command)), command);
        QVERIFY(forward.contains(front));
        for (QWidget* w : forward)
            QVERIFY2(!desk.dummy->isAncestorOf(w) && w != desk.dummy, qPrintable(w->objectName()));
        // The round never changed the window in front.
        QCOMPARE(desk.main->mdiArea()->activeSubWindow(), front->parentWidget());

        Walker walker;
        walker.walk(desk.main);
        QVERIFY2(walker.problems.isEmpty(), qPrintable(walker.problems.join('\n')));
        // The page and the worksheet window are named after the worksheet.
        for (QWidget* w :
             {static_cast<QWidget*>(front->findChild<PageView*>()), static_cast<QWidget*>(front)})
            QVERIFY2(nameProblem(w).isEmpty(), qPrintable(nameProblem(w)));
    }

    // Stepping a spin with the strip's arrow buttons, tabbing on, closing and opening the
    // strip again: at every moment only the focused spin shows its text selected.
    void onlyTheFocusedSpinShowsASelection() {
        DeskFixture f;
        Desk& desk = f.start();
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 1);
        f.find<QPushButton>("btnOpenMaster")->click();
        QStringList seen;
        auto selectedSpins = [&](QDialog& d) {
            QStringList selected;
            for (QSpinBox* spin : d.findChildren<QSpinBox*>())
                if (spin->findChild<QLineEdit*>()->hasSelectedText())
                    selected << spin->objectName() + (spin->hasFocus() ? "" : "(unfocused)");
            seen << selected.join(',');
        };
        f.steps[QStringLiteral("TfrmSettei")] = [&](QDialog& d) {
            d.show();
            QApplication::setActiveWindow(&d);
            QVERIFY(QTest::qWaitForWindowActive(&d));
            auto* right = d.findChild<QSpinBox*>(QStringLiteral("spnRightM"));
            right->setFocus(Qt::TabFocusReason);
            selectedSpins(d);
            QTest::mouseClick(d.findChild<QWidget*>(QStringLiteral("btnRight")), Qt::LeftButton);
            selectedSpins(d);
            QTest::keyClick(right, Qt::Key_Tab);
            selectedSpins(d);
            right->setFocus(Qt::TabFocusReason);
            d.hide(); // closed with a spin selected
        };
        desk.main->btnKranClick();
        f.steps[QStringLiteral("TfrmSettei")] = [&](QDialog& d) {
            d.show();
            QApplication::setActiveWindow(&d);
            QVERIFY(QTest::qWaitForWindowActive(&d));
            selectedSpins(d);
        };
        desk.main->btnKranClick();
        QCOMPARE(seen, (QStringList{QStringLiteral("spnRightM"), QStringLiteral("spnRightM"),
                                    QString(), QString()}));
    }

    void everyDialogGoesRoundWithNamedControls() {
        DeskFixture f;
        Desk& desk = f.start();
        Walker walker;
        auto walking = [&](QDialog& d) { walker.walk(&d); };
        for (const char* dialog :
             {"TfrmSettei", "TfrmPrintOk", "TfrmPrintMode", "TfrmSetPaper", "TfrmOpenPRP",
              "TfrmReadUnit", "TfrmJuku", "TfrmVersion", "TfrmZenTangen"})
            f.steps[QString::fromLatin1(dialog)] = walking;
        // The copy dialog starts in a list to choose from, not in its read-only name field.
        QString copyDialogStart;
        f.steps[QStringLiteral("TfrmOpenPRP")] = [&](QDialog& d) {
            copyDialogStart = d.focusWidget() ? d.focusWidget()->objectName() : QString();
            walker.walk(&d);
        };
        f.steps[QStringLiteral("TfrmMenu")] = [&](QDialog& d) {
            walker.walk(&d);
            if (!desk.program().sheets.current) chooseUnit(0, 0, 1)(d);
        };
        f.find<QPushButton>("btnOpenMaster")->click();
        QVERIFY(desk.program().sheets.current);
        desk.main->btnKranClick();
        desk.main->btnStartPrintClick();
        desk.main->mnuPrintModeClick();
        desk.main->mnuSetPaperClick();
        desk.main->btnOpenCopyClick();
        desk.main->btnEditCopyClick();
        desk.main->mnuSchoolClick();
        f.menuItem(QStringLiteral("バージョン(&V)"))->trigger();
        desk.zenTangen->showOverview();
        f.find<QPushButton>("btnOpenMaster")->click(); // the unit menu with units listed
        desk.showHelp(0);
        walker.walk(desk.help);
        QCOMPARE(walker.walked.size(), 12);
        QCOMPARE(copyDialogStart, QStringLiteral("lstLesson")); // no copy files yet
        QVERIFY2(walker.problems.isEmpty(), qPrintable(walker.problems.join('\n')));
    }
};

QTEST_MAIN(FocusChainTest)
#include "FocusChainTest.moc"
