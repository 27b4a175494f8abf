#include "schedule/timer.h"

namespace ts {

void Timer::OnHostCreated(std::int32_t storedPeriod) {
    period_ = storedPeriod > 0 ? storedPeriod : 0;
    if (period_ > 0) {
        ops_.StartTimer(period_);
        running_ = true;
    }
}

void Timer::SetPeriod(std::int32_t value) {
    const std::int32_t v = value > 0 ? value : 0;
    // An unchanged period keeps the countdown where it is: pressing the button twice does
    // not postpone the shutdown.
    if (v == period_) return;
    period_ = v;
    if (running_) ops_.StopTimer();
    if (v > 0) {
        ops_.StartTimer(v);
        running_ = true;
    } else {
        running_ = false;
    }
}

void Timer::OnHostDestroyed() {
    if (running_) ops_.StopTimer();
    running_ = false;
}

}  // namespace ts
