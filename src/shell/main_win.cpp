#include <windows.h>

#include "shell/application_win.h"

// The program takes no command line: every start is an independent process with its own
// window and its own schedule.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int code = ts::ProgramMain();
    if (code != 0) return code;
    return ts::EndProgram();
}
