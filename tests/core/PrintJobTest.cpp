#include "SheetFixture.h"

#include <map>

#include "FakePrinter.h"
#include "RecordingCanvas.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Paper.h"
#include "worksheet/PrintJob.h"

namespace {

class Print : public SheetFixture {
  protected:
    FakePrinter printer;
    Bitmap pageImage{630, 891};

    Print() { fake.files.makeDir("C:\\temp"); }

    // A page image that stays the same between copies.
    static PageImageSource fixed(const Bitmap& image) {
        return [&image] { return image; };
    }

    // The number text of a printed page: the text drawn that starts with "№ ".
    static std::string numberOf(const FakePrinter::Document& doc) {
        for (const std::string& t : doc.page.textsUtf8())
            if (t.rfind("№ ", 0) == 0) return t.substr(std::string("№ ").size(), 1);
        return "";
    }
};

TEST_F(Print, NumberedCopiesAreDocumentsOfTheirOwn) {
    open();
    program.sheets.printerResolution = true;
    program.sheets.pageOptions.numbered = true;
    program.sheets.current->startNumber = 5; // the number the page shows
    printer.copies = 3;
    ASSERT_TRUE(PreparePrint(program));
    EXPECT_TRUE(PrintWorksheet(program, printer, fixed(pageImage)));
    ASSERT_EQ(printer.documents.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(printer.documents[i].ended);
        EXPECT_EQ(numberOf(printer.documents[i]), std::to_string(5 + i));
    }
    EXPECT_EQ(printer.copies, 1);            // the printer makes no copies of its own
    EXPECT_EQ(program.sheets.current->startNumber, 5); // the page shows 5 again
    EXPECT_TRUE(program.session.startupDone);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Print, UnnumberedCopiesAreLeftToThePrinter) {
    open();
    program.sheets.printerResolution = true;
    program.sheets.pageOptions.numbered = false;
    printer.copies = 3;
    EXPECT_TRUE(PrintWorksheet(program, printer, fixed(pageImage)));
    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_EQ(numberOf(printer.documents[0]), "");
    EXPECT_EQ(printer.copies, 3);
    EXPECT_EQ(program.sheets.current->startNumber, 1);
}

TEST_F(Print, PrinterLayoutPutsFlagAndGraphsOnThePaperOnce) {
    pictures.add("C:\\course\\classFlag.bmp", 50, 40);
    pictures.add("C:\\course\\Eq1\\Graph\\g1.bmp", 120, 90);
    program.parse.qgraph = {"g1.bmp", "300", "200"};
    open();
    program.sheets.printerResolution = true;
    program.sheets.pageOptions.numbered = false;
    ASSERT_TRUE(PrintWorksheet(program, printer, fixed(pageImage)));
    ASSERT_EQ(printer.documents.size(), 1u);
    auto drawn = printer.documents[0].page.pictures();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0]->picture.width, 50); // the class flag first
    // s = 4960 / 630: (300, 200) and 120 × 90 scaled, rounded.
    EXPECT_EQ(drawn[1]->rect, (Rect{2362, 1575, 2362 + 945, 1575 + 709}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(Print, ScreenFaithfulCopyPutsThePageImageOnTheWholePaper) {
    open();
    program.sheets.printerResolution = false;
    program.sheets.pageOptions.numbered = false;
    EXPECT_TRUE(PrintWorksheet(program, printer, fixed(pageImage)));
    ASSERT_EQ(printer.documents.size(), 1u);
    auto drawn = printer.documents[0].page.pictures();
    ASSERT_EQ(drawn.size(), 1u);
    // s = 4960 / 630: the page image covers the paper from its corner, as the printer
    // layout does (no shift that would cut off its right edge).
    EXPECT_EQ(drawn[0]->rect, (Rect{0, 0, 4960, 7015}));
    EXPECT_EQ(drawn[0]->picture.width, 630);
    // The picture goes straight to the printer: no scratch file is written or left behind.
    EXPECT_EQ(pictures.saves, 0);
    EXPECT_FALSE(fake.files.fileExists("C:\\temp\\temp.bmp"));
    EXPECT_TRUE(printer.documents[0].page.texts().empty()); // no layout on the printer
}

// A B4 page image fills B4 paper: the scale comes from the sheet's own paper width.
TEST_F(Print, ScreenFaithfulB4PageFillsItsPaper) {
    Worksheet& sheet = open();
    sheet.paper = PaperRec{771, 1090};
    program.sheets.printerResolution = false;
    program.sheets.pageOptions.numbered = false;
    printer.width = 6071;
    printer.height = 8598;
    const Bitmap b4Page{771, 1090};
    EXPECT_TRUE(PrintWorksheet(program, printer, fixed(b4Page)));
    ASSERT_EQ(printer.documents.size(), 1u);
    auto drawn = printer.documents[0].page.pictures();
    ASSERT_EQ(drawn.size(), 1u);
    // s = 6071 / 771.
    EXPECT_EQ(drawn[0]->rect, (Rect{0, 0, 6071, 8583}));
}

// The screen-faithful mode prints the page image; each numbered copy has the page laid
// out again first, so that its number line carries its own number.
TEST_F(Print, ScreenFaithfulNumberedCopiesEachCarryTheirNumber) {
    open();
    program.sheets.printerResolution = false;
    program.sheets.pageOptions.numbered = true;
    program.sheets.current->startNumber = 4;
    printer.copies = 3;
    std::vector<int> laidOutWith;
    program.sheets.relayout = [&](Worksheet&) { laidOutWith.push_back(program.sheets.current->startNumber); };
    // The page image shows the number it was laid out with (as its width, here).
    auto image = [&] { return Bitmap(100 + program.sheets.current->startNumber, 50); };
    ASSERT_TRUE(PrintWorksheet(program, printer, image));
    ASSERT_EQ(printer.documents.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        auto drawn = printer.documents[i].page.pictures();
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0]->picture.width, 104 + i);
    }
    // Laid out for copies 4, 5, 6, then once more for the screen, which shows 4 again.
    EXPECT_EQ(laidOutWith, (std::vector<int>{4, 5, 6, 4}));
    EXPECT_EQ(program.sheets.current->startNumber, 4);
}

// Numbered screen-faithful copies differ only in their number line: every copy shows the
// first copy's page image whole, and copies after it draw only what differs over it, so
// that the paper shows exactly each copy's own page image.
TEST_F(Print, ScreenFaithfulCopiesShareTheFirstPageImageAndDrawOnlyWhatChanged) {
    open();
    program.sheets.printerResolution = false;
    program.sheets.pageOptions.numbered = true;
    program.sheets.current->startNumber = 1;
    printer.copies = 3;
    printer.width = 630; // one dot per pixel of the page image
    printer.height = 891;
    std::vector<Bitmap> images;
    auto image = [&] {
        Bitmap page(630, 891);
        for (int x = 40; x < 300; ++x)
            page.at(x, 100) = 0xFF000000u; // the same on every copy
        for (int i = 0; i < program.sheets.current->startNumber; ++i)
            page.at(60 + 3 * i, 15) = 0xFF000000u; // the number
        images.push_back(page);
        return page;
    };
    ASSERT_TRUE(PrintWorksheet(program, printer, image));
    ASSERT_EQ(printer.documents.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        auto drawn = printer.documents[i].page.pictures();
        ASSERT_EQ(drawn.size(), i == 0 ? 1u : 2u);
        EXPECT_EQ(drawn[0]->rect, (Rect{0, 0, 630, 891}));
        EXPECT_EQ(drawn[0]->picture.pixels, images[0].pixels);
        // Laying the drawn pictures over each other gives this copy's page image.
        Bitmap paper(630, 891, 0);
        for (const auto* d : drawn)
            for (int y = 0; y < d->picture.height; ++y)
                for (int x = 0; x < d->picture.width; ++x)
                    paper.at(d->rect.left + x, d->rect.top + y) = d->picture.at(x, y);
        EXPECT_EQ(paper.pixels, images[i].pixels);
        if (i > 0) {
            EXPECT_LE(drawn[1]->picture.width * drawn[1]->picture.height, 10);
        }
    }
}

TEST(ChangedArea, IsTheBoundingBoxOfTheDifferingPixels) {
    struct {
        const char* name;
        std::vector<Point> changed; // pixels of a 40 × 30 image set black
        Rect expected;
    } cases[] = {
        {"equal", {}, Rect{}},
        {"one pixel", {{7, 5}}, Rect{7, 5, 8, 6}},
        {"top-left corner", {{0, 0}}, Rect{0, 0, 1, 1}},
        {"bottom-right corner", {{39, 29}}, Rect{39, 29, 40, 30}},
        {"two apart", {{30, 2}, {3, 20}}, Rect{3, 2, 31, 21}},
        {"a row", {{0, 12}, {39, 12}}, Rect{0, 12, 40, 13}},
    };
    const Bitmap base(40, 30);
    for (const auto& c : cases) {
        Bitmap image = base;
        for (Point p : c.changed)
            image.at(p.x, p.y) = 0xFF000000u;
        EXPECT_EQ(ChangedArea(base, image), c.expected) << c.name;
    }
    EXPECT_EQ(ChangedArea(Bitmap(40, 31), base), (Rect{0, 0, 40, 30})) << "other size";
    EXPECT_EQ(ChangedArea(Bitmap(), base), (Rect{0, 0, 40, 30})) << "no base";
    EXPECT_EQ(ChangedArea(base, Bitmap()), Rect{}) << "no image";
}

TEST_F(Print, ScreenFaithfulCopyWithoutAPageImageIsGivenUp) {
    open();
    program.sheets.printerResolution = false;
    program.sheets.pageOptions.numbered = true;
    printer.copies = 3;
    EXPECT_FALSE(PrintWorksheet(program, printer, [] { return Bitmap(); }));
    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_TRUE(printer.documents[0].aborted);
    EXPECT_FALSE(printer.documents[0].ended);
    EXPECT_EQ(messages(), (std::vector<std::string>{"印刷を完了できませんでした"}));
    EXPECT_EQ(program.sheets.current->startNumber, 1);
    EXPECT_TRUE(program.session.startupDone);
}

TEST_F(Print, PrinterThatCannotStartADocumentIsReported) {
    open();
    program.sheets.pageOptions.numbered = true;
    printer.copies = 2;
    printer.failBegin = true;
    EXPECT_FALSE(PrintWorksheet(program, printer, fixed(pageImage)));
    EXPECT_TRUE(printer.documents.empty());
    EXPECT_EQ(messages(), (std::vector<std::string>{"印刷を開始できませんでした"}));
    EXPECT_EQ(program.sheets.current->startNumber, 1);
    EXPECT_TRUE(program.session.startupDone);
}

TEST_F(Print, PrinterThatFailsToFinishStopsTheCopies) {
    open();
    program.sheets.printerResolution = true;
    printer.copies = 3;
    printer.failEnd = true;
    EXPECT_FALSE(PrintWorksheet(program, printer, fixed(pageImage)));
    EXPECT_EQ(printer.documents.size(), 1u);
    EXPECT_EQ(messages(), (std::vector<std::string>{"印刷を完了できませんでした"}));
    EXPECT_EQ(program.sheets.current->startNumber, 1);
}

// Activations while printing push nothing: StartupDone is off for the job's duration.
class WatchingPrinter : public FakePrinter {
  public:
    explicit WatchingPrinter(const bool& flag) : flag_(flag) {}
    std::vector<bool> seen;
    bool beginDoc() override {
        seen.push_back(flag_);
        return FakePrinter::beginDoc();
    }

  private:
    const bool& flag_;
};

TEST_F(Print, StartUpFlagIsOffWhilePrintingAndTheReducedViewEnds) {
    open();
    WatchingPrinter watching(program.session.startupDone);
    watching.copies = 2;
    program.sheets.reducedView = true;
    int before = relayouts;
    EXPECT_TRUE(PrintWorksheet(program, watching, fixed(pageImage)));
    EXPECT_EQ(watching.seen, (std::vector<bool>{false, false}));
    EXPECT_TRUE(program.session.startupDone);
    EXPECT_FALSE(program.sheets.reducedView);
    // Once to leave the reduced view, once per screen-faithful copy, once at the end.
    EXPECT_EQ(relayouts, before + 1 + 2 + 1);
}

TEST_F(Print, NothingWithoutAWorksheet) {
    EXPECT_FALSE(PreparePrint(program));
    EXPECT_FALSE(PrintWorksheet(program, printer, fixed(pageImage)));
    EXPECT_TRUE(printer.documents.empty());
}

// 開始番号 belongs to each worksheet: the number one worksheet's page and print-mode dialog
// show is not another's, a newly opened unit starts from 1, and printing one worksheet's
// copies counts only its own numbers.
TEST_F(Print, EachWorksheetKeepsItsOwnStartNumber) {
    std::map<const Worksheet*, std::string> shown; // the number line of each page as drawn
    program.sheets.relayout = [&](Worksheet& sheet) {
        RecordingCanvas page(630, 891, 96);
        LayOutPage(program, sheet, page, false);
        shown[&sheet].clear();
        for (const std::string& t : page.textsUtf8())
            if (t.rfind("№ ", 0) == 0) shown[&sheet] = t.substr(0, t.find(' ', 4));
    };
    auto setNumber = [&](int n) {
        PrintModeSettings mode = CurrentPrintMode(program);
        mode.nextNumber = n;
        ApplyPrintMode(program, mode);
    };
    Worksheet& a = open("C:\\course\\Eq1\\eq11.que-U1");
    setNumber(5);
    EXPECT_EQ(shown[&a], "№ 5");

    Worksheet& b = open("C:\\course\\Eq1\\eq11.que-U2");
    EXPECT_EQ(shown[&b], "№ 1");
    EXPECT_EQ(CurrentPrintMode(program).nextNumber, 1);
    setNumber(9);

    struct Step {
        Worksheet* front;
        const char* page;
        int dialog;
    };
    for (const Step& step : {Step{&a, "№ 5", 5}, Step{&b, "№ 9", 9}, Step{&a, "№ 5", 5}}) {
        ActivateWorksheet(program, *step.front);
        EXPECT_EQ(shown[step.front], step.page);
        EXPECT_EQ(CurrentPrintMode(program).nextNumber, step.dialog);
    }

    // Two numbered copies of the worksheet in front: 5 and 6; the other keeps its 9.
    program.sheets.printerResolution = true;
    printer.copies = 2;
    ASSERT_TRUE(PrintWorksheet(program, printer, fixed(pageImage)));
    ASSERT_EQ(printer.documents.size(), 2u);
    EXPECT_EQ(numberOf(printer.documents[0]), "5");
    EXPECT_EQ(numberOf(printer.documents[1]), "6");
    ActivateWorksheet(program, b);
    EXPECT_EQ(shown[&b], "№ 9");
    EXPECT_EQ(CurrentPrintMode(program).nextNumber, 9);
}

} // namespace
