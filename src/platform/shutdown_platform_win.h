// The shutdown request's platform operations on Win32.
#pragma once

#include "schedule/shutdown.h"

#pragma push_macro("LookupPrivilegeValue")
#undef LookupPrivilegeValue

namespace ts {

// Each operation is one Win32 call, with nothing in between that could change the
// last-error value the request reads after the adjustment.
class Win32ShutdownPlatform final : public ShutdownPlatform {
public:
    std::uint32_t GetPlatformId() override;
    Handle GetCurrentProcess() override;
    bool OpenProcessToken(Handle process, std::uint32_t access, Handle* token) override;
    bool LookupPrivilegeValue(const char* name, Luid* luid) override;
    bool AdjustTokenPrivileges(Handle token, const Luid& luid, std::uint32_t attributes) override;
    std::uint32_t GetLastError() override;
    bool CloseHandle(Handle handle) override;
    int ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
};

}  // namespace ts

#pragma pop_macro("LookupPrivilegeValue")
