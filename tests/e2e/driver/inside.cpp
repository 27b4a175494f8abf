#include "inside.h"

#include "e2e.h"
#include "program.h"
#include "text.h"

namespace e2e {

bool AskInside(HWND window, probe::Question question, probe::Answer* answer) {
    wchar_t name[64];
    probe::AnswerBlockName(GetCurrentProcessId(), name);
    HANDLE block = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(probe::Answer), name);
    if (!block) {
        trace("CreateFileMappingW(%s): error %lu", Utf8(name).c_str(), GetLastError());
        return false;
    }
    auto* shared = static_cast<probe::Answer*>(
        MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(probe::Answer)));
    HMODULE dll = LoadLibraryW(BesideDriver(probe::kDllName).c_str());
    auto* procedure = dll ? reinterpret_cast<HOOKPROC>(
                                reinterpret_cast<void*>(GetProcAddress(dll, probe::kHookName)))
                          : nullptr;
    bool answered = false;
    if (!shared || !procedure) {
        trace("the probe %s could not be loaded: error %lu",
              Utf8(BesideDriver(probe::kDllName)).c_str(), GetLastError());
    } else {
        *shared = probe::Answer{};
        // The hook runs in the window's thread; Wine loads the DLL into that process for it.
        HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, procedure, dll, ThreadOf(window));
        if (!hook) {
            trace("SetWindowsHookExW: error %lu", GetLastError());
        } else {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window, RegisterWindowMessageW(probe::kMessageName), question,
                                GetCurrentProcessId(), SMTO_ABORTIFHUNG, kMessageBound, &ignored);
            answered = shared->question == static_cast<LONG>(question);
            if (answered)
                *answer = *shared;
            else
                trace("the probe gave no answer within %lu ms", kMessageBound);
            UnhookWindowsHookEx(hook);
        }
    }
    if (dll) FreeLibrary(dll);
    if (shared) UnmapViewOfFile(shared);
    CloseHandle(block);
    return answered;
}

}  // namespace e2e
