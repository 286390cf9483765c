// The windows' hooks into a worksheet's life: created, activated, closing.
#include "SheetFixture.h"

namespace {

class Hooks : public SheetFixture {
  protected:
    std::vector<std::string> events;

    Hooks() {
        WorksheetState& s = program.sheets;
        s.created = [this](Worksheet& w) { events.push_back("created " + w.caption); };
        s.activated = [this](Worksheet& w) {
            // The values are pushed and the page laid out before the window hears of it.
            events.push_back("activated " + w.caption + " relayouts " + std::to_string(relayouts) +
                             " current " + (program.sheets.current == &w ? "yes" : "no"));
        };
        s.closing = [this](Worksheet& w) {
            // Still a listed, counted worksheet while its window goes.
            events.push_back("closing " + w.caption + " open " +
                             std::to_string(program.sheets.open.size()) + " listed " +
                             std::to_string(program.sheets.windowList.size()));
        };
    }
};

TEST_F(Hooks, EachStepOfAWorksheetsLifeReachesTheWindowsInOrder) {
    Worksheet& a = open("A");
    Worksheet& b = open("B");
    ActivateWorksheet(program, a);
    CloseWorksheet(program, b);
    CloseWorksheet(program, a);
    EXPECT_EQ(events, (std::vector<std::string>{
                          "created A",
                          "activated A relayouts 1 current yes",
                          "created B",
                          "activated B relayouts 2 current yes",
                          "activated A relayouts 3 current yes",
                          "closing B open 2 listed 2",
                          "closing A open 1 listed 1",
                      }));
    EXPECT_TRUE(program.sheets.open.empty());
}

TEST_F(Hooks, ACancelledCloseRequestClosesNothing) {
    Worksheet& a = open("A");
    a.Modified = true;
    fake.prompter.answers = {answer::Cancel};
    EXPECT_FALSE(TryCloseWorksheet(program, a, nullptr));
    EXPECT_EQ(events.back(), "activated A relayouts 1 current yes");
    EXPECT_EQ(program.sheets.open.size(), 1u);
}

} // namespace
