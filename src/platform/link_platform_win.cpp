#include "platform/link_platform_win.h"

#include <windows.h>
#include <shellapi.h>

namespace ts {

std::intptr_t Win32LinkPlatform::ShellOpen(const char* target, int show) {
    return reinterpret_cast<std::intptr_t>(
        ShellExecuteA(nullptr, "open", target, nullptr, nullptr, show));
}

long Win32LinkPlatform::OpenClassesRootKey(const char* name, Key* key) {
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(HKEY_CLASSES_ROOT, name, 0, KEY_QUERY_VALUE, &opened);
    *key = opened;
    return status;
}

long Win32LinkPlatform::QueryDefaultValue(Key key, char* buffer, long* size) {
    LONG length = *size;
    LONG status = RegQueryValueA(static_cast<HKEY>(key), nullptr, buffer, &length);
    *size = length;
    return status;
}

void Win32LinkPlatform::CloseKey(Key key) { RegCloseKey(static_cast<HKEY>(key)); }

unsigned Win32LinkPlatform::RunCommand(const char* commandLine, int show) {
    return WinExec(commandLine, static_cast<UINT>(show));
}

}  // namespace ts
