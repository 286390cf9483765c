// A worksheet window's menu runs the program's commands, and the answer display and the
// reduced view look the same from the worksheet menu, the main window's panel and the
// layout strip.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>

#include "DeskFixture.h"
#include "gui/Artwork.h"
#include "gui/TfrmPrint.h"

namespace {

// Pixels of the answers' blue on a worksheet window's page.
int bluePixels(const TfrmPrint* window) {
    const QImage page = window->pageImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            n += (page.pixel(x, y) & 0xFFFFFF) == 0x0000FF;
    return n;
}

QAction* menuAction(TfrmPrint* window, const char* name) {
    return window->findChild<QAction*>(QLatin1String(name));
}

// Opens the menu of the worksheet menu bar that holds item, as a click on its title does.
void aboutToShow(TfrmPrint* window, QAction* item) {
    for (QMenu* menu : window->findChildren<QMenu*>())
        if (menu->actions().contains(item)) emit menu->aboutToShow();
}

// The glyph a panel button shows, as an image.
QImage iconImage(const QPushButton* button) {
    return button->icon().pixmap(QSize(20, 20)).toImage();
}

} // namespace

class WorksheetMenuTest : public QObject {
    Q_OBJECT
  private slots:
    void itemsRunTheProgramsCommands() {
        struct Case {
            const char* item;
            const char* dialog; // the dialog the command shows; null when it shows none
        };
        const Case cases[] = {
            {"mnuOpen", "TfrmMenu"},   {"mnuPrint", "TfrmPrintOk"},
            {"mnuSchool", "TfrmJuku"}, {"mnuPrintMode", "TfrmPrintMode"},
            {"mnuKran", "TfrmSettei"}, {"mnuSetPaper", "TfrmSetPaper"},
            {"mnuIndex", nullptr},     {"mnuEdit", nullptr},
        };
        DeskFixture f;
        f.start();
        QVERIFY(f.open(0, 0, 1));
        TfrmPrint* window = DeskProbe::activeWindow(*f.desk);
        QVERIFY(window);
        for (const Case& c : cases) {
            f.shown.clear();
            QAction* item = menuAction(window, c.item);
            QVERIFY2(item, c.item);
            item->trigger();
            const std::vector<QString> expected =
                c.dialog ? std::vector<QString>{QLatin1String(c.dialog)} : std::vector<QString>{};
            QVERIFY2(f.shown == expected, c.item);
            // Every command leaves the same worksheet in front.
            QCOMPARE(DeskProbe::activeWindow(*f.desk), window);
        }
        // 目次作成 is refused while a worksheet is open; 編集 offers its two choices.
        QCOMPARE(f.messages().back(), std::string("開いているファイルをすべて閉じてください"));
        QVERIFY(!f.find<QWidget>("pnlEdit")->isHidden());
    }

    void saveAndExitFromTheMenuActOnTheProgram() {
        DeskFixture f;
        Desk& desk = f.start();
        Worksheet* sheet = f.open(0, 0, 1);
        QVERIFY(sheet);
        TfrmPrint* window = DeskProbe::activeWindow(desk);
        f.find<QSpinBox>("spnGyouSpace")->setValue(57);
        QVERIFY(sheet->Modified);
        aboutToShow(window, menuAction(window, "mnuSave"));
        QVERIFY(menuAction(window, "mnuSave")->isEnabled()); // an unedited course unit
        menuAction(window, "mnuSave")->trigger();
        QVERIFY(!sheet->Modified);
        QFile que(f.course + QStringLiteral("/Eq1/eq11.que"));
        QVERIFY(que.open(QIODevice::ReadOnly));
        QVERIFY(que.readAll().contains("<<value\r\n630\r\nTrue\r\n57\r\n"));

        menuAction(window, "mnuExit")->trigger();
        QCoreApplication::processEvents();
        QVERIFY(!DeskProbe::main(desk)->isVisible());
        QVERIFY(desk.program().sheets.open.empty());
    }

    void answerDisplayIsTheSameFromEveryWindow() {
        DeskFixture f;
        Desk& desk = f.start();
        QVERIFY(f.open(0, 0, 1));
        TfrmPrint* window = DeskProbe::activeWindow(desk);
        auto* kaitou = f.find<QPushButton>("btnKaitou");
        QAction* item = menuAction(window, "mnuKaitou");
        const qreal ratio = kaitou->devicePixelRatioF();
        const QImage on = QIcon(glyph("red", 20, ratio)).pixmap(QSize(20, 20)).toImage();
        const QImage off = QIcon(glyph("dred", 20, ratio)).pixmap(QSize(20, 20)).toImage();
        QVERIFY(bluePixels(window) > 0);
        QCOMPARE(iconImage(kaitou), on);

        // Off from the panel: the worksheet menu shows it off.
        kaitou->click();
        QCOMPARE(bluePixels(window), 0);
        aboutToShow(window, item);
        QVERIFY(item->isEnabled());
        QVERIFY(!item->isChecked());

        // On from the worksheet menu: the panel's button shows it on.
        item->trigger();
        QVERIFY(bluePixels(window) > 0);
        QVERIFY(item->isChecked());
        QCOMPARE(iconImage(kaitou), on);

        // Off again; the layout strip switches the answers on for the boxes being edited,
        // and closing it leaves them on.
        kaitou->click();
        QCOMPARE(iconImage(kaitou), off);
        int blueWhileOpen = -1;
        f.steps[QStringLiteral("TfrmSettei")] = [&](QDialog&) {
            blueWhileOpen = bluePixels(window);
        };
        menuAction(window, "mnuKran")->trigger();
        QVERIFY(blueWhileOpen > 0);
        QVERIFY(bluePixels(window) > 0);
        QCOMPARE(iconImage(kaitou), on);

        // While 解答表示 cannot be used, neither can the menu's.
        kaitou->setEnabled(false);
        aboutToShow(window, item);
        QVERIFY(!item->isEnabled());
    }

    void layoutStripReducesTheViewAsThePanelDoes() {
        DeskFixture f;
        Desk& desk = f.start();
        QVERIFY(f.open(0, 0, 1));
        TfrmPrint* window = DeskProbe::activeWindow(desk);
        auto* shukusho = f.find<QPushButton>("btnShukusho");
        std::vector<QString> captions;
        f.steps[QStringLiteral("TfrmSettei")] = [&](QDialog& d) {
            auto* kakudai = d.findChild<QPushButton*>(QStringLiteral("btnKakudai"));
            captions.push_back(kakudai->text());
            for (int i = 0; i < 2; ++i) {
                kakudai->click();
                captions.push_back(kakudai->text());
                captions.push_back(shukusho->text());
                captions.push_back(window->isReduced() ? QStringLiteral("reduced")
                                                       : QStringLiteral("full"));
            }
        };
        f.find<QPushButton>("btnKran")->click();
        const std::vector<QString> expected{QStringLiteral("縮小"), QStringLiteral("拡大"),
                                            QStringLiteral("拡大"), QStringLiteral("reduced"),
                                            QStringLiteral("縮小"), QStringLiteral("縮小"),
                                            QStringLiteral("full")};
        QCOMPARE(captions, expected);
    }
};

QTEST_MAIN(WorksheetMenuTest)
#include "WorksheetMenuTest.moc"
