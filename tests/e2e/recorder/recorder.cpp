// Stands in for a browser: writes the command line it was started with to the file named by
// E2E_RECORD_FILE, so that a case can see what the program asked the shell to open.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("E2E_RECORD_FILE", path, MAX_PATH)) return 1;
    const char* line = GetCommandLineA();
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    CloseHandle(file);
    return 0;
}
