#include "schedule/shutdown.h"

namespace ts {

namespace {

// Each step asks for itself; a failed query leaves the id 0, which is not the NT family.
bool IsNtFamily(ShutdownPlatform& platform) { return platform.GetPlatformId() == kPlatformWin32Nt; }

}  // namespace

bool EnableShutdownPrivilege(ShutdownPlatform& platform) {
    if (!IsNtFamily(platform)) return true;  // no tokens, no privileges to enable
    ShutdownPlatform::Handle token = nullptr;
    if (!platform.OpenProcessToken(platform.GetCurrentProcess(), kShutdownTokenAccess, &token)) {
        return false;
    }
    ShutdownPlatform::Luid luid{};
    if (!platform.LookupPrivilegeValue(kShutdownPrivilegeName, &luid)) {
        platform.CloseHandle(token);
        return false;
    }
    // The adjustment reports success even when the account does not hold the privilege;
    // only the last-error value, read before anything else can change it, tells.
    platform.AdjustTokenPrivileges(token, luid, kSePrivilegeEnabled);
    const std::uint32_t error = platform.GetLastError();
    platform.CloseHandle(token);
    return error == 0;
}

int RequestSystemShutdown(ShutdownPlatform& platform) {
    if (!EnableShutdownPrivilege(platform)) return 0;
    const std::uint32_t flags = IsNtFamily(platform) ? kShutdownFlagsNt : kShutdownFlagsOther;
    return platform.ExitWindowsEx(flags, 0);
}

}  // namespace ts
