// On a high-density screen the page is laid out at the screen's pixel ratio: rules and
// text stay sharp instead of being a blurred enlargement, while the page keeps its size
// in layout units for the window, the clipboard and printing.
#include <QClipboard>
#include <QGuiApplication>

#include "WindowFixture.h"

class HiDpiPageTest : public QObject {
    Q_OBJECT
  private slots:
    void pageIsDrawnAtTheScreensPixelRatio() {
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        TfrmPrint* w = f.window();
        QCOMPARE(w->devicePixelRatioF(), 2.0);
        const QImage& page = w->pageImage();
        QCOMPARE(page.size(), QSize(1260, 1782));
        QCOMPARE(page.deviceIndependentSize().toSize(), QSize(630, 891));

        // The header rule under the name line: each layout row of it is two device rows
        // of pure black, between pure white rows, with no grey fringe from scaling.
        const QImage rgb = page.convertToFormat(QImage::Format_RGB32);
        const int x = 2 * 300;
        QList<int> blackRows;
        bool fringe = false;
        for (int y = 2 * 80; y < 2 * 100; ++y) {
            const QRgb c = rgb.pixel(x, y) & 0xFFFFFF;
            if (c == 0)
                blackRows << y;
            else if (c != 0xFFFFFF)
                fringe = true;
        }
        QCOMPARE(blackRows.size() % 2, 0);
        QVERIFY(!blackRows.isEmpty());
        QVERIFY(!fringe);

        // The clipboard and the printer get the page in layout units.
        const Bitmap unit = w->pageBitmap();
        QCOMPARE(QSize(unit.width, unit.height), QSize(630, 891));
        w->copyPageToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(630, 891));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HiDpiPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HiDpiPageTest.moc"
