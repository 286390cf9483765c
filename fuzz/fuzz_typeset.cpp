// One input is a formula with the context a layout could give it: character size, units,
// scale and printing. The typesetter never draws left of where it starts, ends on its own
// line, and its work grows with the text at most linearly.
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "CourseFixture.h"
#include "FuzzCheck.h"
#include "NullCanvas.h"
#include "typeset/Formula.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FormulaContext ctx;
    ctx.printing = in.ConsumeBool();
    ctx.worksheetCurrent = in.ConsumeBool();
    // The scales of the screen and of printers up to 4800 dpi on A4 (page width / 630).
    const double scale = ctx.printing ? in.ConsumeFloatingPointInRange(1.0, 63.0) : 1.0;
    const int charSize = in.ConsumeIntegralInRange(1, 200); // a worksheet's FontSize
    ctx.charSize = charSize;
    ctx.unitV = static_cast<int>(6.732 * scale + 0.5);
    ctx.unitH = static_cast<int>(charSize * scale / 6 + 0.5);
    const int points = in.ConsumeIntegralInRange(1, 1000);
    const int x = in.ConsumeIntegralInRange(-100000, 100000);
    const int y = in.ConsumeIntegralInRange(-100000, 100000);
    const std::string text = in.ConsumeRemainingBytesAsString();

    NullCanvas canvas(ctx.printing ? 4960 : 630, ctx.printing ? 7016 : 891, 96);
    const Point end = DrawFormula(ctx, points, x, y, scale, canvas, text, colors::Black);
    FUZZ_CHECK(end.y == y);
    FUZZ_CHECK(end.x >= x);
    FUZZ_CHECK(canvas.ops() <= 30 * static_cast<long>(text.size()) + 10);
    return 0;
}
