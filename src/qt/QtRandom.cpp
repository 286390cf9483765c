#include "qt/QtRandom.h"

#include <QRandomGenerator>

int QtRandom::below(int count) {
    if (count < 1) return 0;
    return static_cast<int>(QRandomGenerator::global()->bounded(count));
}
