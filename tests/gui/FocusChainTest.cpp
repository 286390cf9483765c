// The keyboard and the screen reader through every window: Tab and Shift+Tab go round each
// window and back to where they started (the main window's round takes in the worksheet in
// front and never the title window), and every control on the way, every picture, list
// header and list item has a name that says what it is, not an internal or padded one.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QSpinBox>

#include "DeskFixture.h"
#include "gui/PageView.h"
#include "gui/TfrmBMP.h"
#include "gui/TfrmDummy.h"
#include "gui/TfrmHelp.h"
#include "gui/TfrmPrint.h"
#include "gui/TfrmZenSeikai.h"
#include "gui/TfrmZenTangen.h"

namespace {

QString spoken(QObject* o) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Name) : QString();
}

// What is wrong with a name a screen reader says (empty when nothing).
QString nameProblem(const QString& name, const QString& objectName) {
    static const QRegularExpression internal(QStringLiteral(
        "^(img|btn|lst|edt|spn|rad|rdb|chk|grb|pnl|mnu|lbl|mem|trv|flb|txt)[A-Z]|^[A-Z][a-z]+$"));
    if (name.isEmpty()) return QStringLiteral("no name");
    if (name == objectName || internal.match(name).hasMatch()) return "internal: " + name;
    // Blanks that space a caption out on screen: any full-width one, or two in a row.
    if (name != name.trimmed() || name.contains(QStringLiteral("  ")) ||
        name.contains(QChar(0x3000)))
        return "padded: " + name;
    return {};
}

// Presses Tab (or Shift+Tab) until the focus is back where it started; the controls passed
// in order, or nothing when it never came back.
QList<QWidget*> tabRound(bool forward) {
    QWidget* start = QApplication::focusWidget();
    QList<QWidget*> seen;
    for (QWidget* at = start; at && seen.size() < 80; at = QApplication::focusWidget()) {
        seen << at;
        QTest::keyClick(at, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                        forward ? Qt::NoModifier : Qt::ShiftModifier);
        if (QApplication::focusWidget() == start) return seen;
    }
    return {};
}

// Walks a window's rounds and names; what is wrong, as "window: control: problem".
QStringList walk(QWidget* window) {
    const QString title = window->objectName();
    window->show();
    QApplication::setActiveWindow(window); // the offscreen screen forgets after a hide
    if (!QTest::qWaitForWindowActive(window)) return {title + ": never active"};
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != window)
        QTest::keyClick(window, Qt::Key_Tab);
    const QList<QWidget*> forward = tabRound(true), backward = tabRound(false);
    if (qobject_cast<QDialog*>(window)) window->hide(); // as the dialog closes
    QStringList problems;
    if (forward.isEmpty() || backward.isEmpty()) problems << title + ": Tab does not come back";
    QSet<QString> names;
    for (QWidget* w : QSet<QWidget*>(forward.begin(), forward.end())) {
        if (!nameProblem(spoken(w), w->objectName()).isEmpty())
            problems << title + ": " + w->objectName() + ": " + nameProblem(spoken(w), {});
        if (names.contains(spoken(w))) problems << title + ": " + spoken(w) + ": twice";
        if (!backward.contains(w)) problems << title + ": " + w->objectName() + ": one way";
        names.insert(spoken(w));
    }
    QSet<QString> headers;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window)) continue;
        if (!label->pixmap().isNull() && !nameProblem(spoken(label), label->objectName()).isEmpty())
            problems << title + ": " + label->objectName() + ": picture without a name";
        if (!label->objectName().startsWith(QStringLiteral("pnl"))) continue;
        if (headers.contains(spoken(label))) problems << title + ": headers alike";
        headers.insert(spoken(label));
    }
    static const QRegularExpression blanks(QStringLiteral("\\s\\s"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    for (QListWidget* list : window->findChildren<QListWidget*>()) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(list);
        for (int i = 0; list->isVisibleTo(window) && a && i < a->childCount(); ++i) {
            const QString item = a->child(i)->text(QAccessible::Name);
            if (item != item.trimmed() || item.contains(blanks))
                problems << title + ": " + list->objectName() + ": padded: " + item;
        }
    }
    return problems;
}

} // namespace

class FocusChainTest : public QObject {
    Q_OBJECT
  private slots:
    void mainWindowRoundTakesInTheWorksheetInFront() {
        DeskFixture f;
        Desk& desk = f.start();
        QVERIFY(f.open(0, 0, 1) && f.open(0, 0, 2));
        TfrmPrint* front = DeskProbe::windowOf(desk, *desk.program().sheets.current);
        DeskProbe::main(desk)->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(DeskProbe::main(desk)));
        f.find<QWidget>("btnLock")->setFocus(Qt::TabFocusReason);
        const QList<QWidget*> forward = tabRound(true);
        QList<QWidget*> reversed(forward.rbegin(), forward.rend());
        reversed.prepend(reversed.takeLast());
        QCOMPARE(tabRound(false), reversed); // Shift+Tab: the same round backwards
        QStringList names;
        for (QWidget* w : forward) {
            names << w->objectName();
            QVERIFY2(w != DeskProbe::dummy(desk) && !DeskProbe::dummy(desk)->isAncestorOf(w),
                     qPrintable(names.last()));
        }
        for (const char* command : {"btnLock", "btnOpenMaster", "btnSave", "btnStartPrint",
                                    "btnKran", "btnTest", "spnGyouSpace", "spnMojiSize"})
            QVERIFY2(names.contains(QLatin1String(command)), command);
        QVERIFY(forward.contains(front));
        QCOMPARE(DeskProbe::main(desk)->mdiArea()->activeSubWindow(), front->parentWidget());

        const QStringList problems = walk(DeskProbe::main(desk));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(nameProblem(spoken(front->findChild<PageView*>()), {}).isEmpty());
    }

    void everyDialogGoesRoundWithNamedControls() {
        DeskFixture f;
        Desk& desk = f.start();
        QStringList problems, walked;
        auto walking = [&](QDialog& d) {
            walked << d.objectName();
            problems << walk(&d);
        };
        for (const char* dialog : {"TfrmSettei", "TfrmPrintOk", "TfrmPrintMode", "TfrmSetPaper",
                                   "TfrmReadUnit", "TfrmJuku", "TfrmVersion", "TfrmZenTangen"})
            f.steps[QString::fromLatin1(dialog)] = walking;
        // The copy dialog starts in a list to choose from, not in its read-only name field.
        f.steps[QStringLiteral("TfrmOpenPRP")] = [&](QDialog& d) {
            QCOMPARE(d.focusWidget()->objectName(), QStringLiteral("lstLesson"));
            walking(d);
        };
        QVERIFY(f.open(0, 0, 1));
        DeskProbe::main(desk)->btnKranClick();
        DeskProbe::main(desk)->btnStartPrintClick();
        // The worksheet window's 設定 menu opens these two.
        TfrmPrint* front = DeskProbe::windowOf(desk, *desk.program().sheets.current);
        for (const char* item : {"mnuPrintMode", "mnuSetPaper"})
            front->findChild<QAction*>(QString::fromLatin1(item))->trigger();
        DeskProbe::main(desk)->btnOpenCopyClick();
        DeskProbe::main(desk)->btnEditCopyClick();
        DeskProbe::main(desk)->mnuSchoolClick();
        f.menuItem(QStringLiteral("バージョン(&V)"))->trigger();
        DeskProbe::zenTangen(desk)->showOverview();
        // The practice window between runs and during one, and the all-correct window.
        f.steps[QStringLiteral("TfrmRenshu")] = [&](QDialog& d) {
            walking(d);
            d.findChild<QPushButton*>(QStringLiteral("btnRenshu"))->click();
            walking(d);
            d.findChild<QPushButton*>(QStringLiteral("btnAbort"))->click();
        };
        DeskProbe::main(desk)->btnTestClick();
        f.steps[QStringLiteral("TfrmZenSeikai")] = walking;
        DeskProbe::zenSeikai(desk)->congratulate();
        f.steps[QStringLiteral("TfrmMenu")] = walking; // with the units of a section listed
        f.find<QPushButton>("btnOpenMaster")->click();
        // The learner windows: log-on (a new learner), his new password, his records.
        f.steps[QStringLiteral("TfrmInputName")] = [&](QDialog& d) {
            walking(d);
            d.findChild<QLineEdit*>(QStringLiteral("edtName"))->setText(QStringLiteral("jiro"));
            d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        };
        f.steps[QStringLiteral("TfrmPassword")] = walking;
        f.steps[QStringLiteral("TfrmKiroku")] = walking;
        desk.logOn();
        desk.showRecords();
        desk.showHelp(0);
        problems << walk(DeskProbe::help(desk));
        QCOMPARE(walked.size(), 16);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void theEditorsGoRoundWithNamedControls() {
        DeskFixture f;
        Desk& desk = f.start();
        QStringList problems, walked;
        auto walking = [&](QDialog& d) {
            walked << d.objectName();
            problems << walk(&d);
        };
        for (const char* dialog : {"TfrmInputText", "TfrmEditSource"})
            f.steps[QString::fromLatin1(dialog)] = walking;
        // The index editor (only without worksheets), its text input and source editor.
        f.steps[QStringLiteral("TfrmEditIndex")] = [&](QDialog& d) {
            walking(d);
            d.findChild<QPushButton*>(QStringLiteral("btnAdd"))->click();
            d.findChild<QPushButton*>(QStringLiteral("btnEditDirect"))->click();
        };
        f.menuItem(QStringLiteral("目次作成(&C)"))->trigger();
        // The question editor on a unit with graphs, choices and hints, and its source editor.
        f.steps[QStringLiteral("TfrmEditQues")] = [&](QDialog& d) {
            walking(d);
            d.findChild<QPushButton*>(QStringLiteral("btnEditDirect"))->click();
        };
        QVERIFY(f.open(2, 1, 1));
        f.find<QPushButton>("btnEditMaster")->click();
        problems << walk(DeskProbe::bmp(desk));
        QCOMPARE(walked, (QStringList{"TfrmEditIndex", "TfrmInputText", "TfrmEditSource",
                                      "TfrmEditQues", "TfrmEditSource"}));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // Stepping a spin with the strip's arrow buttons, tabbing on, closing and opening the
    // strip again: only the focused spin shows its text selected.
    void onlyTheFocusedSpinShowsASelection() {
        DeskFixture f;
        Desk& desk = f.start();
        QVERIFY(f.open(0, 0, 1));
        QStringList seen;
        f.steps[QStringLiteral("TfrmSettei")] = [&](QDialog& d) {
            auto selected = [&] {
                QStringList spins;
                for (QSpinBox* spin : d.findChildren<QSpinBox*>())
                    if (spin->findChild<QLineEdit*>()->hasSelectedText())
                        spins << spin->objectName() + (spin->hasFocus() ? "" : "(unfocused)");
                seen << spins.join(',');
            };
            d.show();
            QApplication::setActiveWindow(&d);
            QVERIFY(QTest::qWaitForWindowActive(&d));
            selected();
            auto* right = d.findChild<QSpinBox*>(QStringLiteral("spnRightM"));
            right->setFocus(Qt::TabFocusReason);
            QTest::mouseClick(d.findChild<QWidget*>(QStringLiteral("btnRight")), Qt::LeftButton);
            selected();
            QTest::keyClick(right, Qt::Key_Tab);
            selected();
            right->setFocus(Qt::TabFocusReason);
            d.hide(); // closed with a spin selected
        };
        DeskProbe::main(desk)->btnKranClick();
        DeskProbe::main(desk)->btnKranClick();
        QCOMPARE(seen, (QStringList{QString(), QStringLiteral("spnRightM"), QString(), QString(),
                                    QStringLiteral("spnRightM"), QString()}));
    }
};

QTEST_MAIN(FocusChainTest)
#include "FocusChainTest.moc"
