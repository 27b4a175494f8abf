// The forced shutdown request: the shutdown privilege on the NT family, then ExitWindowsEx.
#pragma once

#include <cstdint>

// <windows.h> defines LookupPrivilegeValue as a macro; a file that includes it first must
// still see the same member name as every other file.
#pragma push_macro("LookupPrivilegeValue")
#undef LookupPrivilegeValue

namespace ts {

// Exactly the platform operations the request uses, with Win32's meaning and results.
class ShutdownPlatform {
public:
    using Handle = void*;
    struct Luid {
        std::uint32_t LowPart;
        std::int32_t HighPart;
    };
    // GetVersionExA with a zero-filled OSVERSIONINFOA of size 148; dwPlatformId, or 0 when
    // the query fails.
    virtual std::uint32_t GetPlatformId() = 0;
    virtual Handle GetCurrentProcess() = 0;
    virtual bool OpenProcessToken(Handle process, std::uint32_t access, Handle* token) = 0;
    virtual bool LookupPrivilegeValue(const char* name, Luid* luid) = 0;
    // One privilege with SE_PRIVILEGE_ENABLED; FALSE, buffer length 0, no previous state.
    virtual bool AdjustTokenPrivileges(Handle token, const Luid& luid,
                                       std::uint32_t attributes) = 0;
    virtual std::uint32_t GetLastError() = 0;
    virtual bool CloseHandle(Handle handle) = 0;
    virtual int ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;

protected:
    ~ShutdownPlatform() = default;
};

constexpr std::uint32_t kPlatformWin32Nt = 2;         // VER_PLATFORM_WIN32_NT
constexpr std::uint32_t kShutdownTokenAccess = 0x28;  // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
constexpr std::uint32_t kSePrivilegeEnabled = 2;      // SE_PRIVILEGE_ENABLED
constexpr std::uint32_t kShutdownFlagsNt = 0x0C;      // EWX_POWEROFF | EWX_FORCE
constexpr std::uint32_t kShutdownFlagsOther = 0x05;   // EWX_SHUTDOWN | EWX_FORCE
constexpr const char* kShutdownPrivilegeName = "SeShutdownPrivilege";

bool EnableShutdownPrivilege(ShutdownPlatform& platform);
// The value of ExitWindowsEx, or 0 when the privilege step failed.
int RequestSystemShutdown(ShutdownPlatform& platform);

}  // namespace ts

#pragma pop_macro("LookupPrivilegeValue")
