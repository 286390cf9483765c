#pragma once
// Putting the items of a list in random order, as a shuffled run of a worksheet does.

#include <functional>

#include "platform/Random.h"
#include "text/Lines.h"

// Picks an index uniformly in 0..count-1.
using PickIndex = std::function<int(int count)>;
// For i from 0 to count-1: swap items i and pick(count) when they differ. A pick out of
// range swaps nothing.
void ShuffleItems(Lines& list, const PickIndex& pick);
// The same with picks from the program's random source.
void ShuffleItems(Lines& list, Random& random);
