// The schedule's platform operations on Win32.
#pragma once

#include <windows.h>

#include "schedule/handlers.h"

namespace ts {

class Win32ScheduleOps : public ScheduleOps {
public:
    void SetMinutesField(HWND field) { field_ = field; }
    MinutesText ReadMinutesText() override;
    void ShowNotice(const char16_t* text) override;
    int RequestSystemShutdown() override;

private:
    HWND field_ = nullptr;  // 编辑框1, a child of the main window
};

}  // namespace ts
