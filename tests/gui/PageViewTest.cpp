// Fields laid over the page sit on the answers: each answer's place, mapped from page units
// into the page view, holds the answer's blue ink, and no answer ink lies outside the
// places, on the full-size page and on the reduced one.
#include <QImage>
#include <QtTest>

#include "WindowFixture.h"
#include "gui/PageView.h"
#include "worksheet/AnswerBoxes.h"

namespace {

bool answerInk(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    return b > 128 && b > r + 60 && b > g + 60;
}

} // namespace

class PageViewTest : public QObject {
    Q_OBJECT
  private slots:
    void answerPlacesMapOntoTheirInk() {
        WindowFixture f;
        QVERIFY(f.openUnit(1, 1, 1));
        TfrmPrint* w = f.window();
        QVERIFY(w);
        auto* view = w->findChild<PageView*>(QStringLiteral("imgPage"));
        QVERIFY(view);
        const Program& p = f.program();
        const Worksheet& sheet = *p.sheets.current;
        QVERIFY(sheet.ShowAnswers);
        QVERIFY(p.sheets.current->layout.kranCount >= 2);
        const BoxStyle style = AnswerBoxStyle(sheet);

        for (const bool reduced : {false, true}) {
            w->setReduced(reduced);
            QCoreApplication::processEvents();
            view->setFocusShown(false);
            const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.width(), view->width());
            if (reduced) QVERIFY(view->width() < sheet.paper.Width);

            // Smoothing spreads the reduced page's ink by a pixel.
            const int spread = reduced ? 2 : 1;
            std::vector<QRect> places;
            std::vector<int> inkIn;
            for (int k = 1; k <= p.sheets.current->layout.kranCount; ++k) {
                const AnswerPlace place = PlaceAnswer(p.sheets.current->layout.KranTable[k], style);
                places.push_back(
                    view->toView(place.field).adjusted(-spread, -spread, spread, spread));
                inkIn.push_back(0);
            }
            int outside = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    if (!answerInk(shown.pixel(x, y))) continue;
                    bool placed = false;
                    for (std::size_t k = 0; k < places.size(); ++k)
                        if (places[k].contains(x, y)) {
                            ++inkIn[k];
                            placed = true;
                        }
                    if (!placed) ++outside;
                }
            QCOMPARE(outside, 0);
            for (std::size_t k = 0; k < places.size(); ++k)
                QVERIFY2(inkIn[k] > 0, qPrintable(QStringLiteral("answer %1 has no ink in its "
                                                                 "place, reduced %2")
                                                      .arg(k + 1)
                                                      .arg(reduced)));

            // A point of the page comes back from the view to where it was, to within the
            // units one pixel covers.
            const double unitsPerPixel = static_cast<double>(sheet.paper.Width) / view->width();
            for (const Point at : {Point{0, 0}, Point{100, 200}, Point{629, 890}}) {
                const Point back = view->toPage(view->toView(at));
                QVERIFY(std::abs(back.x - at.x) <= unitsPerPixel);
                QVERIFY(std::abs(back.y - at.y) <= unitsPerPixel + 1);
            }
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PageViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PageViewTest.moc"
