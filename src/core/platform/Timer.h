#pragma once
// A clock that ticks at a steady interval, such as the practice window's one-second clock.
// The Qt layer runs it on the event loop; tests make it tick by hand.

#include <functional>

class Timer {
  public:
    virtual ~Timer() = default;
    // Calls tick every intervalMs milliseconds from now on; a running timer starts over
    // with the new interval and tick.
    virtual void start(int intervalMs, std::function<void()> tick) = 0;
    // No more ticks until started again.
    virtual void stop() = 0;
    virtual bool running() const = 0;
};
