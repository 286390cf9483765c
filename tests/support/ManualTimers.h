#pragma once
// Timers that tick only when the test moves the time on: advance(ms) gives every running
// timer the ticks its interval fits into the time that passed, in the order they fall.
// A timer freed by its owner ticks no more.

#include <memory>
#include <vector>

#include "platform/Timers.h"

class ManualTimers : public Timers {
  public:
    std::unique_ptr<Timer> make() override;
    // Moves the time on by ms milliseconds.
    void advance(int ms);
    // Timers made so far, and those running now.
    int made() const { return static_cast<int>(states_.size()); }
    int running() const;

    struct State;

  private:
    std::vector<std::shared_ptr<State>> states_;
};
