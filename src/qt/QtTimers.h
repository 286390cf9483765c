#pragma once
// Makes timers that run on the event loop.

#include "platform/Timers.h"

class QtTimers : public Timers {
  public:
    std::unique_ptr<Timer> make() override;
};
