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

bool known(int kind) {
    return kind >= 0 && kind < static_cast<int>(Rules.size());
}

} // namespace

BoxKindSpins SizeSpinsOf(int kind) {
    return known(kind) ? Rules[kind].spins : BoxKindSpins{false, false};
}

void SetBoxKind(Workspace& program, int kind) {
    if (!known(kind)) return;
    SetKranLine(program, 0, kind, Rules[kind].marksModified);
}
