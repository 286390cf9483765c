// Graphs under the mouse: hitting, dropping at a new place and selecting for copying.
#include "SheetFixture.h"

#include "worksheet/GraphDrag.h"

namespace {

class GraphDrag : public SheetFixture {
  protected:
    Worksheet& sheet;

    // Two question graphs and three answer graphs: answer graphs 1 and 2 stand on the
    // question graphs' places, answer graph 3 has its own.
    GraphDrag() : sheet(openWithGraphs()) {}

    Worksheet& openWithGraphs() {
        program.parse.qgraph = {"q1.bmp", "100", "200", "q2.bmp", "150", "220"};
        program.parse.agraph = {"a1.bmp", "0", "0", "a2.bmp", "0", "0", "a3.bmp", "400", "500"};
        Worksheet& s = open();
        // Places as the last layout left them (the fixture's layout only counts).
        s.graphPlaced[0] = {100, 200, 80, 60, true, false};
        s.graphPlaced[1] = {150, 220, 80, 60, true, false};
        s.graphPlaced[2] = {400, 500, 50, 40, true, true};
        s.Modified = false;
        return s;
    }
};

TEST_F(GraphDrag, PointsHitTheTopmostPictureAndOnlyInsideIt) {
    struct Case {
        Point p;
        int graph;
    } cases[] = {
        {{100, 200}, 0},                   // top-left pixel of graph 1
        {{179, 219}, 0},                   // its right edge, above graph 2
        {{180, 219}, -1}, {{200, 250}, 1}, // right of graph 1, inside graph 2
        {{160, 230}, 1},                   // where both overlap, graph 2 (drawn later) is on top
        {{99, 200}, -1},  {{100, 199}, -1}, {{449, 539}, 2}, {{450, 539}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
        EXPECT_EQ(GraphAt(sheet, c.p), c.graph);
    }
    sheet.graphPlaced[1].visible = false;
    EXPECT_EQ(GraphAt(sheet, Point{160, 230}), 0);
}

TEST_F(GraphDrag, DroppedGraphKeepsItsPlaceInTheTripleItStandsFor) {
    struct Case {
        int graph;
        bool answerShown;
        Point to;
        const Lines* triples;
        int slot;
    } cases[] = {
        {0, false, {120, 240}, &sheet.lstQGraph, 0},
        // An answer graph shown over question graph 2 moves question graph 2's place.
        {1, true, {300, 100}, &sheet.lstQGraph, 1},
        // Answer graph 3 has no question graph under it: its own triple moves.
        {2, true, {60, 700}, &sheet.lstAGraph, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.graph);
        sheet.Modified = false;
        sheet.graphPlaced[c.graph].answerPicture = c.answerShown;
        const int before = relayouts;
        ASSERT_TRUE(MoveGraph(program, sheet, c.graph, c.to));
        EXPECT_EQ((*c.triples)[3 * c.slot + 1], std::to_string(c.to.x));
        EXPECT_EQ((*c.triples)[3 * c.slot + 2], std::to_string(c.to.y));
        EXPECT_TRUE(sheet.Modified);
        EXPECT_EQ(relayouts, before + 1);
    }
    // The answer triples of graphs 1 and 2 were never touched.
    EXPECT_EQ(sheet.lstAGraph[1], "0");
    EXPECT_EQ(sheet.lstAGraph[4], "0");
}

TEST_F(GraphDrag, DropsBeyondThePageStayOnItAndKeepTheirManualPlace) {
    struct Case {
        Point to;
        const char* x;
        const char* y;
    } cases[] = {
        // x below 1 would mean "place automatically" and the graph would jump away.
        {{0, 50}, "1", "50"},
        {{-40, -30}, "1", "0"},
        {{5000, 9000}, "629", "890"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        ASSERT_TRUE(MoveGraph(program, sheet, 0, c.to));
        EXPECT_EQ(sheet.lstQGraph[1], c.x);
        EXPECT_EQ(sheet.lstQGraph[2], c.y);
    }
}

TEST_F(GraphDrag, HiddenOrMissingGraphsAreNotMoved) {
    sheet.graphPlaced[1].visible = false;
    const Lines before = sheet.lstQGraph;
    EXPECT_FALSE(MoveGraph(program, sheet, 1, Point{10, 10}));
    EXPECT_FALSE(MoveGraph(program, sheet, 7, Point{10, 10}));
    EXPECT_FALSE(MoveGraph(program, sheet, -1, Point{10, 10}));
    EXPECT_EQ(sheet.lstQGraph, before);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(GraphSelection(sheet, 1), Rect{});
}

TEST_F(GraphDrag, SelectionOutlineRunsOnePixelOutsideThePicture) {
    // Copying takes the region from one pixel inside the first corner to the second.
    const Rect r = GraphSelection(sheet, 0);
    EXPECT_EQ(r, (Rect{99, 199, 180, 260}));
    EXPECT_EQ(r.width() - 1, sheet.graphPlaced[0].width);
    EXPECT_EQ(r.height() - 1, sheet.graphPlaced[0].height);
}

} // namespace
