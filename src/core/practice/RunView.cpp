#include "practice/RunView.h"

#include <algorithm>
#include <array>

#include "text/Sjis.h"
#include "worksheet/LayoutMath.h"

namespace {

int pickIn(const PickIndex& pick, int count) {
    if (!pick || count < 1) return 0;
    const int i = pick(count);
    return i >= 0 && i < count ? i : 0;
}

} // namespace

std::string PraiseText(const PickIndex& pick) {
    static const std::array<const char*, 6> texts{"正解です", "よくできました", "合っています",
                                                  "ＧＯＯＤ", "ＧＲＥＡＴ",     "ＮＩＣＥ"};
    return J(texts[static_cast<std::size_t>(pickIn(pick, static_cast<int>(texts.size())))]);
}

std::string EndMessageText(RunKind kind) {
    switch (kind) {
    case RunKind::Test:
        return J("テストを終わりました");
    case RunKind::Review:
        return J("復習を終わりました");
    case RunKind::Practice:
    case RunKind::Memorise:
        break;
    }
    return J("練習を終わりました");
}

Reaction ReactionFor(int score, const PickIndex& pick) {
    if (score <= 0) return Reaction::Gaoh;
    if (score < 40) return Reaction::Namida;
    if (score < 60) return Reaction::Nanda;
    if (score < 80) return Reaction::Sleep;
    const bool second = pickIn(pick, 2) == 1;
    if (score < 100) return second ? Reaction::GreenHeart : Reaction::Happy;
    return second ? Reaction::RedHeart : Reaction::Kutta;
}

Rect AttemptField(const Rect& field, int tries, int pageWidth) {
    const long long w = field.width();
    if (w <= 0 || tries <= 0) return field;
    const long long room = (static_cast<long long>(pageWidth) - field.right) / w;
    const long long steps = std::clamp<long long>(room, 0, tries);
    Rect r = field;
    r.left = layoutmath::clampi(field.left + steps * w);
    r.right = layoutmath::clampi(field.right + steps * w);
    return r;
}
