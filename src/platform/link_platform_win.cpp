#include "platform/link_platform_win.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

namespace ts {

// The shell is loaded at the first click rather than at start: most runs never open the
// link, and the shell's libraries are a large part of a small program's memory.
std::intptr_t Win32LinkPlatform::ShellOpen(const char* target, int show) {
    static decltype(&ShellExecuteA) shellExecute = nullptr;
    if (!shellExecute) {
        if (HMODULE shell = LoadLibraryA("shell32.dll")) {
            shellExecute = reinterpret_cast<decltype(&ShellExecuteA)>(
                reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteA")));
        }
    }
    if (!shellExecute) return SE_ERR_NOASSOC;
    return reinterpret_cast<std::intptr_t>(
        shellExecute(nullptr, "open", target, nullptr, nullptr, show));
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
