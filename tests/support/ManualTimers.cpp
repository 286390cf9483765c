#include "ManualTimers.h"

#include <algorithm>
#include <functional>

struct ManualTimers::State {
    int interval = 1;
    int elapsed = 0;
    bool on = false;
    bool alive = true;
    std::function<void()> tick;
};

namespace {

class ManualTimer : public Timer {
  public:
    explicit ManualTimer(std::shared_ptr<ManualTimers::State> s) : s_(std::move(s)) {}
    ~ManualTimer() override { s_->alive = false; }
    void start(int intervalMs, std::function<void()> tick) override {
        s_->interval = std::max(intervalMs, 1);
        s_->elapsed = 0;
        s_->tick = std::move(tick);
        s_->on = true;
    }
    void stop() override { s_->on = false; }
    bool running() const override { return s_->on; }

  private:
    std::shared_ptr<ManualTimers::State> s_;
};

} // namespace

std::unique_ptr<Timer> ManualTimers::make() {
    states_.push_back(std::make_shared<State>());
    return std::make_unique<ManualTimer>(states_.back());
}

void ManualTimers::advance(int ms) {
    for (int step = 0; step < ms; ++step) {
        // A tick may make, start or stop timers: walk by index over a fixed count.
        const std::size_t count = states_.size();
        for (std::size_t i = 0; i < count; ++i) {
            const std::shared_ptr<State> s = states_[i];
            if (!s->alive || !s->on) continue;
            if (++s->elapsed < s->interval) continue;
            s->elapsed = 0;
            if (s->tick) s->tick();
        }
    }
}

int ManualTimers::running() const {
    return static_cast<int>(std::count_if(states_.begin(), states_.end(),
                                          [](const auto& s) { return s->alive && s->on; }));
}
