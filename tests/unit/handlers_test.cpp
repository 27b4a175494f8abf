#include "schedule/handlers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "schedule/timer.h"

namespace ts {
namespace {

std::string Name(const char16_t* notice) {
    if (std::u16string(notice) == kArmedNotice) return "armed";
    if (std::u16string(notice) == kCancelledNotice) return "cancelled";
    return "unknown";
}

// One log for the field, the timer, the notices and the shutdown requests, so that their
// order shows.
class Fakes : public ScheduleOps, public TimerOps {
public:
    MinutesText ReadMinutesText() override {
        log.push_back("read");
        return text;
    }
    void ShowNotice(const char16_t* notice) override {
        // What the user sees while the box is open: has the countdown begun?
        log.push_back("notice " + Name(notice) +
                      (timer->running() ? " while running " : " while idle ") +
                      std::to_string(timer->Period()));
        if (tickWhileNoticeOpen) handlers->OnTimerTick();
    }
    int RequestSystemShutdown() override {
        log.push_back("shutdown");
        return 0;  // refused: the handler must not care
    }
    void StartTimer(std::int32_t period) override {
        log.push_back("SetTimer(" + std::to_string(period) + ")");
    }
    void StopTimer() override { log.push_back("KillTimer"); }

    MinutesText text;
    bool tickWhileNoticeOpen = false;
    Timer* timer = nullptr;
    ScheduleHandlers* handlers = nullptr;
    std::vector<std::string> log;
};

std::string Join(const std::vector<std::string>& log) {
    std::string text;
    for (const std::string& entry : log) text += (text.empty() ? "" : "; ") + entry;
    return text;
}

MinutesText Wide(const char16_t* chars) {
    MinutesText text;
    text.wide = true;
    text.chars = chars;
    text.bytes = "45";  // not the text read on this road
    return text;
}

MinutesText Bytes(const char* bytes) {
    MinutesText text;
    text.wide = false;
    text.bytes = bytes;
    text.chars = u"45";  // not the text read on this road
    return text;
}

enum class Press { Start, StartWithTickInNotice, Cancel, Tick, TwoTicks };

struct HandlerCase {
    const char* name;
    std::int32_t armedBefore;  // 0: idle
    Press press;
    MinutesText text;
    std::vector<std::string> log;
};

TEST(ScheduleHandlers, ArmCancelAndTick) {
    const std::string read = "read";
    const std::string stop = "KillTimer";
    const std::string idleNotice = "notice armed while idle 0";
    const std::string cancelled = "notice cancelled while idle 0";
    // clang-format off
    const std::vector<HandlerCase> cases = {
        {"start from idle, UTF-16 text", 0, Press::Start, Wide(u"30"),
         {read, "SetTimer(1800000)", "notice armed while running 1800000"}},
        {"start from idle, code page text", 0, Press::Start, Bytes("30"),
         {read, "SetTimer(1800000)", "notice armed while running 1800000"}},
        {"full-width text on the UTF-16 road", 0, Press::Start, Wide(u"１０"),
         {read, "SetTimer(600000)", "notice armed while running 600000"}},
        {"full-width text on the code page road", 0, Press::Start, Bytes("\xA3\xB1\xA3\xB0"),
         {read, "SetTimer(600000)", "notice armed while running 600000"}},
        {"empty text still confirms", 0, Press::Start, Wide(u""), {read, idleNotice}},
        {"negative minutes still confirm", 0, Press::Start, Wide(u"-5"), {read, idleNotice}},
        {"too many minutes still confirm", 0, Press::Start, Wide(u"35792"), {read, idleNotice}},
        {"same minutes again leave the countdown", 1800000, Press::Start, Wide(u"30"),
         {read, "notice armed while running 1800000"}},
        {"other minutes start anew", 1800000, Press::Start, Wide(u"45"),
         {read, stop, "SetTimer(2700000)", "notice armed while running 2700000"}},
        {"empty text stops the countdown", 1800000, Press::Start, Wide(u""),
         {read, stop, idleNotice}},
        {"tick while the notice is open", 0, Press::StartWithTickInNotice, Wide(u"1"),
         {read, "SetTimer(60000)", "notice armed while running 60000", "shutdown"}},
        {"cancel while idle only confirms", 0, Press::Cancel, {}, {cancelled}},
        {"cancel while armed", 1800000, Press::Cancel, {}, {stop, cancelled}},
        {"tick requests the shutdown and leaves the timer", 60000, Press::Tick, {}, {"shutdown"}},
        {"a refused request is made again at the next tick", 60000, Press::TwoTicks, {},
         {"shutdown", "shutdown"}},
    };
    // clang-format on
    for (const HandlerCase& c : cases) {
        Fakes fakes;
        Timer timer(fakes);
        ScheduleHandlers handlers(fakes, timer);
        fakes.timer = &timer;
        fakes.handlers = &handlers;
        timer.OnHostCreated(0);
        timer.SetPeriod(c.armedBefore);
        fakes.log.clear();
        fakes.text = c.text;
        fakes.tickWhileNoticeOpen = c.press == Press::StartWithTickInNotice;
        switch (c.press) {
        case Press::Start:
        case Press::StartWithTickInNotice: handlers.OnStartClicked(); break;
        case Press::Cancel: handlers.OnCancelClicked(); break;
        case Press::TwoTicks: handlers.OnTimerTick(); [[fallthrough]];
        case Press::Tick: handlers.OnTimerTick(); break;
        }
        EXPECT_EQ(Join(fakes.log), Join(c.log)) << c.name;
    }
}

}  // namespace
}  // namespace ts
