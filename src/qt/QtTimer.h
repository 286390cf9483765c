#pragma once
// A timer on the event loop (QTimer): ticks while the loop runs.

#include <QTimer>
#include <functional>

#include "platform/Timer.h"

class QtTimer : public Timer {
  public:
    QtTimer();
    void start(int intervalMs, std::function<void()> tick) override;
    void stop() override;
    bool running() const override;

  private:
    QTimer timer_;
    std::function<void()> tick_;
};
