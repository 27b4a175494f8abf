#include "platform/shutdown_platform_win.h"

#include <windows.h>

#include <cstring>

// This file calls the ANSI form by its own name; the macro would rename the member.
#undef LookupPrivilegeValue

namespace ts {

std::uint32_t Win32ShutdownPlatform::GetPlatformId() {
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = 148;  // sizeof (OSVERSIONINFOA), as every Windows expects it
    // A failed query leaves the id 0, which the request takes as "not the NT family".
    static_cast<void>(::GetVersionExA(&info));
    return info.dwPlatformId;
}

ShutdownPlatform::Handle Win32ShutdownPlatform::GetCurrentProcess() {
    return ::GetCurrentProcess();
}

bool Win32ShutdownPlatform::OpenProcessToken(Handle process, std::uint32_t access, Handle* token) {
    HANDLE opened = nullptr;
    const BOOL ok = ::OpenProcessToken(process, access, &opened);
    *token = opened;
    return ok != FALSE;
}

bool Win32ShutdownPlatform::LookupPrivilegeValue(const char* name, Luid* luid) {
    LUID found{};
    const BOOL ok = ::LookupPrivilegeValueA(nullptr, name, &found);
    luid->LowPart = found.LowPart;
    luid->HighPart = found.HighPart;
    return ok != FALSE;
}

bool Win32ShutdownPlatform::AdjustTokenPrivileges(Handle token, const Luid& luid,
                                                  std::uint32_t attributes) {
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid.LowPart = luid.LowPart;
    privileges.Privileges[0].Luid.HighPart = luid.HighPart;
    privileges.Privileges[0].Attributes = attributes;
    return ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
}

std::uint32_t Win32ShutdownPlatform::GetLastError() { return ::GetLastError(); }

bool Win32ShutdownPlatform::CloseHandle(Handle handle) { return ::CloseHandle(handle) != FALSE; }

int Win32ShutdownPlatform::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
    return ::ExitWindowsEx(flags, reason);
}

}  // namespace ts
