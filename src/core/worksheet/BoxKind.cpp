#include "worksheet/BoxKind.h"

#include <array>

#include "worksheet/WorksheetSetters.h"

namespace {

struct KindRule {
    BoxKindSpins spins;
    bool marksModified;
};

constexpr std::array<KindRule, 6> Rules{{
    {{false, false}, true}, // なし
    {{true, true}, false},  // 四角
    {{true, false}, false}, // [   ]
    {{true, false}, false}, // 【　】
    {{true, false}, true},  // ____
    {{true, true}, false},  // 角丸
}};

} // namespace

std::optional<BoxKind> BoxKindFromNumber(int number) {
    if (number < 0 || number >= static_cast<int>(Rules.size())) return std::nullopt;
    return static_cast<BoxKind>(number);
}

BoxKind BoxKindOfLine(const std::string& line) {
    if (line.empty() || line[0] < '1' || line[0] > '5') return BoxKind::None;
    return static_cast<BoxKind>(line[0] - '0');
}

BoxKindSpins SizeSpinsOf(int kind) {
    return BoxKindFromNumber(kind) ? Rules[static_cast<std::size_t>(kind)].spins
                                   : BoxKindSpins{false, false};
}

void SetBoxKind(Workspace& program, int kind) {
    if (!BoxKindFromNumber(kind)) return;
    SetKranLine(program, 0, kind, Rules[static_cast<std::size_t>(kind)].marksModified);
}
