#pragma once
// Makes timers: each window that needs a clock owns one, and it stops when freed.

#include <memory>

#include "platform/Timer.h"

class Timers {
  public:
    virtual ~Timers() = default;
    virtual std::unique_ptr<Timer> make() = 0;
};
