// Numbered copies report their progress and can be stopped between two copies.
#include "SheetFixture.h"

#include "FakePrinter.h"
#include "worksheet/PrintJob.h"

namespace {

class PrintProgress : public SheetFixture {
  protected:
    FakePrinter printer;
    Bitmap pageImage{630, 891};

    PrintProgress() {
        fake.files.makeDir("C:\\temp");
        open();
        program.sheets.printerResolution = true;
        program.sheets.pageOptions.numbered = true;
        printer.copies = 4;
    }
    PageImageSource page() {
        return [this] { return pageImage; };
    }
};

TEST_F(PrintProgress, StoppingAfterSomeCopiesKeepsThemAndResetsTheNumber) {
    struct Case {
        int stopBefore; // the copy (0-based) at which the user has cancelled
        std::size_t documents;
    } cases[] = {{0, 0}, {1, 1}, {3, 3}, {4, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stopBefore);
        printer.documents.clear();
        printer.copies = 4;
        std::vector<std::pair<int, int>> asked;
        auto progress = [&](int printed, int copies) {
            asked.emplace_back(printed, copies);
            return printed < c.stopBefore;
        };
        EXPECT_TRUE(PrintWorksheet(program, printer, page(), progress));
        ASSERT_EQ(printer.documents.size(), c.documents);
        for (const auto& doc : printer.documents)
            EXPECT_TRUE(doc.ended);
        // Asked before every copy begun, and once more for the one refused.
        ASSERT_EQ(asked.size(), std::min<std::size_t>(c.documents + 1, 4));
        for (std::size_t i = 0; i < asked.size(); ++i)
            EXPECT_EQ(asked[i], (std::pair<int, int>{static_cast<int>(i), 4}));
        EXPECT_EQ(program.sheets.current->startNumber, 1);
        EXPECT_TRUE(program.session.startupDone);
    }
    EXPECT_TRUE(messages().empty()); // stopping is not a failure
}

TEST_F(PrintProgress, UnnumberedJobIsAskedOnceForItsOneDocument) {
    program.sheets.pageOptions.numbered = false;
    int asked = 0;
    EXPECT_TRUE(PrintWorksheet(program, printer, page(), [&](int printed, int copies) {
        EXPECT_EQ(printed, 0);
        EXPECT_EQ(copies, 1);
        ++asked;
        return true;
    }));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(printer.documents.size(), 1u);
    EXPECT_EQ(printer.copies, 4); // the printer makes the copies
}

} // namespace
