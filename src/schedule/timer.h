// The timer of 时钟1: its period and whether a system timer runs for it.
#pragma once

#include <cstdint>

namespace ts {

constexpr unsigned kTimerId = 1000;

// The two system-timer operations on the host window of 时钟1 (identifier kTimerId).
class TimerOps {
public:
    virtual void StartTimer(std::int32_t period) = 0;  // SetTimer(host, 1000, period, NULL)
    virtual void StopTimer() = 0;                      // KillTimer(host, 1000)
protected:
    ~TimerOps() = default;
};

class Timer {
public:
    explicit Timer(TimerOps& ops) : ops_(ops) {}

    // Starts the system timer when the stored period is above 0 (at creation of the host).
    void OnHostCreated(std::int32_t storedPeriod);
    // A negative value counts as 0; an unchanged period leaves the countdown alone.
    void SetPeriod(std::int32_t value);
    // Stops the system timer when the host window is destroyed.
    void OnHostDestroyed();

    std::int32_t Period() const { return period_; }
    bool running() const { return running_; }

private:
    TimerOps& ops_;
    std::int32_t period_ = 0;
    bool running_ = false;
};

}  // namespace ts
