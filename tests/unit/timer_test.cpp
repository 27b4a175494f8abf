#include "schedule/timer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ts {
namespace {

class RecordingTimerOps : public TimerOps {
public:
    void StartTimer(std::int32_t period) override {
        calls.push_back("SetTimer(" + std::to_string(period) + ")");
    }
    void StopTimer() override { calls.push_back("KillTimer"); }

    std::vector<std::string> calls;
};

std::string Join(const std::vector<std::string>& calls) {
    std::string text;
    for (const std::string& call : calls) text += (text.empty() ? "" : ", ") + call;
    return text.empty() ? "no timer call" : text;
}

constexpr std::int32_t kHalfHour = 1800000;
constexpr std::int32_t kHour = 3600000;

struct TimerCase {
    const char* name;
    std::vector<std::int32_t> before;  // periods set before, to reach the state
    std::function<void(Timer&)> event;
    std::vector<std::string> calls;
    std::int32_t period;
    bool running;
};

TEST(Timer, FollowsTheIdleAndArmedStates) {
    const auto set = [](std::int32_t value) { return [value](Timer& t) { t.SetPeriod(value); }; };
    const auto destroy = [](Timer& t) { t.OnHostDestroyed(); };
    // clang-format off
    const std::vector<TimerCase> cases = {
        {"idle, armed", {}, set(kHalfHour), {"SetTimer(1800000)"}, kHalfHour, true},
        {"idle, period 0", {}, set(0), {}, 0, false},
        {"idle, negative period counts as 0", {}, set(-300000), {}, 0, false},
        {"armed, same period leaves the countdown", {kHalfHour}, set(kHalfHour), {}, kHalfHour, true},
        {"armed, other period starts anew", {kHalfHour}, set(kHour),
         {"KillTimer", "SetTimer(3600000)"}, kHour, true},
        {"armed, period 0 stops", {kHalfHour}, set(0), {"KillTimer"}, 0, false},
        {"armed, negative period stops", {kHalfHour}, set(-2147483647 - 1), {"KillTimer"}, 0, false},
        {"cancelled, same period again starts anew", {kHalfHour, 0}, set(kHalfHour),
         {"SetTimer(1800000)"}, kHalfHour, true},
        {"armed, host destroyed", {kHalfHour}, destroy, {"KillTimer"}, kHalfHour, false},
        {"idle, host destroyed", {}, destroy, {}, 0, false},
        {"cancelled, host destroyed", {kHalfHour, 0}, destroy, {}, 0, false},
    };
    // clang-format on
    for (const TimerCase& c : cases) {
        RecordingTimerOps ops;
        Timer timer(ops);
        timer.OnHostCreated(0);
        for (const std::int32_t period : c.before) timer.SetPeriod(period);
        ops.calls.clear();
        c.event(timer);
        EXPECT_EQ(Join(ops.calls), Join(c.calls)) << c.name;
        EXPECT_EQ(timer.Period(), c.period) << c.name;
        EXPECT_EQ(timer.running(), c.running) << c.name;
    }
}

TEST(Timer, HostCreatedWithAStoredPeriodStartsAtOnce) {
    const struct {
        const char* name;
        std::int32_t stored;
        std::vector<std::string> calls;
        std::int32_t period;
    } cases[] = {
        {"stored period 0", 0, {}, 0},
        {"stored period above 0", 5000, {"SetTimer(5000)"}, 5000},
        {"negative stored period", -5000, {}, 0},
    };
    for (const auto& c : cases) {
        RecordingTimerOps ops;
        Timer timer(ops);
        timer.OnHostCreated(c.stored);
        EXPECT_EQ(Join(ops.calls), Join(c.calls)) << c.name;
        EXPECT_EQ(timer.Period(), c.period) << c.name;
        EXPECT_EQ(timer.running(), c.period > 0) << c.name;
    }
}

}  // namespace
}  // namespace ts
