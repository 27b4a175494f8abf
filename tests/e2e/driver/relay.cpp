#include "relay.h"

#include <windows.h>

#include <cstdio>

namespace e2e {

std::vector<std::string> RelayCalls(const char* dllDotFunction) {
    std::vector<std::string> calls;
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"E2E_RELAY_LOG", path, MAX_PATH)) return calls;
    // The program keeps writing the log; share it.
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return calls;
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);

    const std::string marker = std::string("Call ") + dllDotFunction + "(";
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
        const size_t open = at + marker.size();
        const size_t close = text.find(')', open);
        if (close == std::string::npos) break;
        calls.push_back(text.substr(open, close - open));
    }
    return calls;
}

std::string RelayArguments(const std::vector<unsigned long>& arguments) {
    std::string text;
    for (unsigned long argument : arguments) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08lx", argument);
        if (!text.empty()) text += ',';
        text += hex;
    }
    return text;
}

}  // namespace e2e
