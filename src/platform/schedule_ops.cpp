#include "platform/schedule_ops.h"

#include "platform/shutdown_platform_win.h"
#include "platform/ui.h"
#include "schedule/shutdown.h"

namespace ts {

MinutesText Win32ScheduleOps::ReadMinutesText() { return ui::ReadMinutesText(field_); }

void Win32ScheduleOps::ShowNotice(const char16_t* text) {
    ui::ShowMessageBox(nullptr, text, kNoticeCaption, MB_OK | MB_TASKMODAL);
}

int Win32ScheduleOps::RequestSystemShutdown() {
    Win32ShutdownPlatform platform;
    return ts::RequestSystemShutdown(platform);
}

}  // namespace ts
