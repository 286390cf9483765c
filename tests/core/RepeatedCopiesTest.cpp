// Identical numbered copies at the printer's resolution: the first copy is laid out, later
// ones repeat its drawing with their own number line. Every copy must get exactly the
// drawing that laying it out on its own gives.
#include "SheetFixture.h"

#include "FakePrinter.h"
#include "RecordingCanvas.h"
#include "worksheet/PageLayout.h"
#include "worksheet/PrintJob.h"

namespace {

// Everything a page got, one line per call, with the state it was drawn in.
std::vector<std::string> drawing(const RecordingCanvas& page) {
    std::vector<std::string> out;
    for (const RecordingCanvas::Record& r : page.records()) {
        const RecordingCanvas::State& s = r.state;
        std::string line = std::to_string(static_cast<int>(r.kind)) + " " + std::to_string(r.x) +
                           "," + std::to_string(r.y) + " [" + std::to_string(r.rect.left) + "," +
                           std::to_string(r.rect.top) + "," + std::to_string(r.rect.right) + "," +
                           std::to_string(r.rect.bottom) + "] " + sjis::toUtf8(r.text) + " | " +
                           sjis::toUtf8(s.face) + " " + std::to_string(s.size) + " " +
                           std::to_string(s.style) + " " + std::to_string(s.fontColor) + " " +
                           std::to_string(s.penColor) + " " + std::to_string(s.penWidth) + " " +
                           std::to_string(static_cast<int>(s.penStyle)) +
                           std::to_string(static_cast<int>(s.penMode)) +
                           std::to_string(static_cast<int>(s.brushStyle)) + " " +
                           std::to_string(s.brushColor) + " pen " + std::to_string(s.pen.x) +
                           "," + std::to_string(s.pen.y);
        if (r.kind == RecordingCanvas::Kind::StretchDraw)
            line += " picture " + std::to_string(r.picture.width) + "x" +
                    std::to_string(r.picture.height) +
                    (r.picture.pixels == Bitmap(r.picture.width, r.picture.height).pixels
                         ? " white"
                         : " drawn");
        out.push_back(line);
    }
    return out;
}

class RepeatedCopies : public SheetFixture {
  protected:
    FakePrinter printer;
    Bitmap pageImage{630, 891};

    RepeatedCopies() {
        fake.files.makeDir("C:\\temp");
        // A page with pictures and every kind of line: the class flag, a graph, boxes.
        pictures.add("C:\\course\\classFlag.bmp", 50, 40);
        pictures.add("C:\\course\\Eq1\\Graph\\g1.bmp", 120, 90);
        program.parse.qgraph = {"g1.bmp", "300", "200"};
        program.parse.questions = {J("@B(1)@/　2x＝6　　x＝#3#"), J("(2)　x＋4＝9　　x＝#5;5.0#"),
                                   J("(3)　[x+1]/3＝2　　x＝#5#")};
    }

    // Copy number n as laying it out alone on a fresh printer page draws it.
    std::vector<std::string> laidOutAlone(int n) {
        Worksheet& sheet = *program.sheets.current;
        const int kept = sheet.startNumber;
        sheet.startNumber = n;
        FakePrinter alone;
        alone.beginDoc();
        LayOutPage(program, sheet, alone.canvas(), true);
        alone.endDoc();
        sheet.startNumber = kept;
        return drawing(alone.documents[0].page);
    }
};

TEST_F(RepeatedCopies, EveryCopyGetsTheDrawingOfItsOwnLayout) {
    open();
    program.sheets.printerResolution = true;
    program.sheets.pageOptions.numbered = true;
    for (bool alternatives : {true, false}) {
        SCOPED_TRACE(alternatives);
        program.sheets.pageOptions.alternatives = alternatives;
        printer.documents.clear();
        printer.copies = 20;
        program.sheets.current->startNumber = 4;
        ASSERT_TRUE(PrintWorksheet(program, printer, [this] { return pageImage; }));
        ASSERT_EQ(printer.documents.size(), 20u);
        for (int copy : {1, 2, 17, 20}) {
            SCOPED_TRACE(copy);
            const std::vector<std::string> printed =
                drawing(printer.documents[static_cast<std::size_t>(copy - 1)].page);
            EXPECT_EQ(printed, laidOutAlone(3 + copy));
            EXPECT_EQ(printer.documents[static_cast<std::size_t>(copy - 1)]
                          .page.pictures()
                          .size(),
                      2u);
        }
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(RepeatedCopies, EachCopyShowsTheTimeItWasPrintedAt) {
    open();
    program.sheets.printerResolution = true;
    program.sheets.pageOptions.numbered = true;
    printer.copies = 3;
    // The clock moves on a minute before every copy.
    const auto tick = [this](int printed, int) {
        fake.clock.time.minute = 10 + printed;
        return true;
    };
    ASSERT_TRUE(PrintWorksheet(program, printer, [this] { return pageImage; }, tick));
    ASSERT_EQ(printer.documents.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const std::string line = printer.documents[static_cast<std::size_t>(i)].page.textsUtf8()[0];
        EXPECT_EQ(line.substr(0, line.find('.')), "№ " + std::to_string(1 + i) + "  2026");
        EXPECT_NE(line.find("09:1" + std::to_string(i)), std::string::npos) << line;
    }
}

TEST_F(RepeatedCopies, WithoutTheNumberLineCopiesRepeatTheWholePage) {
    program.parse.value[6] = "3"; // the date line and the class flag, no number line
    open();
    program.sheets.printerResolution = true;
    program.sheets.pageOptions.numbered = true;
    printer.copies = 5;
    ASSERT_TRUE(PrintWorksheet(program, printer, [this] { return pageImage; }));
    ASSERT_EQ(printer.documents.size(), 5u);
    const std::vector<std::string> alone = laidOutAlone(1);
    for (const FakePrinter::Document& doc : printer.documents)
        EXPECT_EQ(drawing(doc.page), alone);
}

} // namespace
