// One input is a unit's question lines. The key check never crashes, never calls a key
// wrong that it did not compare, and a similar question made from the lines has as many
// lines and no more wrong keys (its remade questions have none; the others are copied).
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "keys/KeyCheck.h"
#include "keys/SimilarQuestions.h"
#include "text/Lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const LineViews ques = lines::splitViews(bytes);
    if (ques.size() > 60) return 0; // a unit holds at most 60 question lines
    const UnitKeyCheck c = CheckUnitKeys(ques);
    FUZZ_CHECK(c.tally.wrong <= c.tally.checked);
    const SimilarUnit s = MakeSimilarUnit(ques, size);
    FUZZ_CHECK(s.ques.size() == ques.size());
    const LineViews made = lines::views(s.ques);
    FUZZ_CHECK(CheckUnitKeys(made).tally.wrong <= c.tally.wrong);
    return 0;
}
