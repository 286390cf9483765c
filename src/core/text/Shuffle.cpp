#include "text/Shuffle.h"

#include <utility>

void ShuffleItems(Lines& list, const PickIndex& pick) {
    int count = static_cast<int>(list.size());
    if (count <= 1) return;
    for (int i = 0; i < count; ++i) {
        int j = pick(count);
        if (j < 0 || j >= count) continue; // a broken source never indexes out of range
        if (j != i) std::swap(list[i], list[j]);
    }
}

void ShuffleItems(Lines& list, Random& random) {
    ShuffleItems(list, [&random](int count) { return random.below(count); });
}
