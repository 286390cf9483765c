// Random texts never crash the typesetter, never make it loop, and never draw or end left of
// the start. The seed is fixed so a failure repeats.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "RecordingCanvas.h"
#include "typeset/Formula.h"

namespace {

enum class Alphabet { AnyByte, Ascii, FormulaBytes };

std::string randomText(std::mt19937& rng, Alphabet alphabet, std::size_t length) {
    // Bytes with rules of their own, weighted towards the ones that open or close items.
    static const std::string formula = "0123456789.xyabR+-=()[]]/||^^*\\<>&& !:#lg~_}{A";
    std::string s(length, '\0');
    for (char& c : s) {
        switch (alphabet) {
        case Alphabet::AnyByte:
            c = static_cast<char>(rng() & 0xFF);
            break;
        case Alphabet::Ascii:
            c = static_cast<char>(rng() & 0x7F);
            break;
        case Alphabet::FormulaBytes:
            c = formula[rng() % formula.size()];
            break;
        }
    }
    return s;
}

} // namespace

TEST(FormulaFuzz, RandomTextsEndAtOrRightOfTheStart) {
    std::mt19937 rng(20240607);
    constexpr int X = 40;
    constexpr int Y = 300;
    for (int k = 0; k < 240; ++k) {
        const auto alphabet = static_cast<Alphabet>(k % 3);
        // Mostly short texts; every fifth one up to 10,000 bytes.
        const std::size_t length = k % 5 == 0 ? rng() % 10001 : rng() % 300;
        const std::string text = randomText(rng, alphabet, length);

        FormulaContext ctx;
        ctx.worksheetCurrent = (k / 3) % 4 != 3;
        ctx.printing = (k / 3) % 5 == 4;
        const double scale = ctx.printing ? 4960.0 / 630.0 : 1.0;
        if (ctx.printing) {
            ctx.unitV = 53;
            ctx.unitH = 16;
        }
        const int sizes[] = {8, 10, 12, 16};
        const int size = sizes[rng() % 4];

        RecordingCanvas canvas(ctx.printing ? 4960 : 630, 891, 96);
        // A pen left far to the left by earlier drawing must not pull the formula back.
        canvas.moveTo(0, 0);
        const Point end = DrawFormula(ctx, size, X, Y, scale, canvas, text, colors::Black);

        SCOPED_TRACE("case " + std::to_string(k) + ", " + std::to_string(length) + " bytes");
        EXPECT_EQ(end.y, Y);
        EXPECT_GE(end.x, X);
        for (const auto* r : canvas.textOuts())
            ASSERT_GE(r->x, X);
        // Work is linear in the text: a bounded number of canvas calls per byte.
        EXPECT_LE(canvas.records().size(), 30 * length + 10);
    }
}
