#include "qt/QtTimers.h"

#include "qt/QtTimer.h"

std::unique_ptr<Timer> QtTimers::make() {
    return std::make_unique<QtTimer>();
}
