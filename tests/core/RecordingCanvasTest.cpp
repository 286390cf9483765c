// The recording canvas is the ruler of every layout test: its metrics must hold.

#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "text/Sjis.h"

TEST(RecordingCanvas, FixedMetricsScaleWithSize) {
    RecordingCanvas c;
    const std::string kanji = sjis::fromUtf8("漢字");
    struct Row {
        std::string text;
        int size;
        int width;
    };
    for (const Row& row : {Row{"1", 12, 8},
                           {"12", 12, 16},
                           {kanji, 12, 32},
                           {"1", 10, 6},
                           {"ab", 9, 12},
                           {kanji, 16, 42},
                           {"", 12, 0}}) {
        c.setFontSize(row.size);
        EXPECT_EQ(c.textWidth(row.text), row.width) << row.text << " " << row.size;
    }
    c.setFontSize(12);
    EXPECT_EQ(c.textHeight("x"), 16);
    c.setFontSize(10);
    EXPECT_EQ(c.textHeight("x"), 13);
}

TEST(RecordingCanvas, RecordsOperationsWithTheStateTheyUsed) {
    RecordingCanvas c;
    c.setFontFace("Face");
    c.setFontSize(16);
    c.setFontColor(colors::Red);
    c.textOut(10, 20, sjis::fromUtf8("＝3"));
    EXPECT_EQ(c.penPos(), (Point{10 + 32, 20}));
    c.setPenColor(colors::Blue);
    c.setPenWidth(3);
    c.moveTo(1, 2);
    c.lineTo(30, 2);
    Bitmap picture(4, 4);
    c.stretchDraw({0, 0, 8, 8}, picture);

    const auto* t = c.findText(sjis::fromUtf8("＝3"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->x, 10);
    EXPECT_EQ(t->width, 32);
    EXPECT_EQ(t->state.face, "Face");
    EXPECT_EQ(t->state.size, 16);
    EXPECT_EQ(t->state.fontColor, colors::Red);
    EXPECT_EQ(c.textsUtf8(), std::vector<std::string>{"＝3"});

    auto lines = c.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].from, (Point{1, 2}));
    EXPECT_EQ(lines[0].to, (Point{30, 2}));
    EXPECT_EQ(lines[0].color, colors::Blue);
    EXPECT_EQ(lines[0].width, 3);

    ASSERT_EQ(c.pictures().size(), 1u);
    EXPECT_EQ(c.pictures()[0]->source, &picture);
    EXPECT_EQ(c.pictures()[0]->picture.width, 4);
    EXPECT_EQ(c.records().front().kind, RecordingCanvas::Kind::SetFontFace);

    Bitmap grabbed = c.grab({0, 0, 5, 3});
    EXPECT_EQ(grabbed.width, 5);
    EXPECT_EQ(grabbed.height, 3);
    c.clear();
    EXPECT_TRUE(c.records().empty());
    EXPECT_EQ(c.penPos(), (Point{30, 2})); // clearing the records keeps the state
}
