// What the two buttons and the timer's ticks do.
#pragma once

#include <string>

#include "schedule/timer.h"

namespace ts {

// The text of the minutes field as the platform reads it: UTF-16 where the wide calls are
// used, code page 936 bytes where the ANSI calls are.
struct MinutesText {
    bool wide = true;
    std::u16string chars;
    std::string bytes;
};

constexpr const char16_t* kNoticeCaption = u"信息：";
constexpr const char16_t* kArmedNotice = u"设定成功啦！";
constexpr const char16_t* kCancelledNotice = u"取消成功啦！";

// The platform operations of the handlers besides the timer's.
class ScheduleOps {
public:
    virtual MinutesText ReadMinutesText() = 0;  // the whole text of 编辑框1, untrimmed
    // A box without owner, caption kNoticeCaption, MB_OK | MB_TASKMODAL; returns when closed.
    virtual void ShowNotice(const char16_t* text) = 0;
    virtual int RequestSystemShutdown() = 0;

protected:
    ~ScheduleOps() = default;
};

class ScheduleHandlers {
public:
    ScheduleHandlers(ScheduleOps& ops, Timer& timer) : ops_(ops), timer_(timer) {}
    void OnStartClicked();
    void OnCancelClicked();
    void OnTimerTick();

private:
    ScheduleOps& ops_;
    Timer& timer_;
};

}  // namespace ts
