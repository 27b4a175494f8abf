// Questions that only the program's own process can answer, and their answers. Wine does not
// carry every question across processes (WM_GETICON fails there: an icon is a handle of the
// process that loaded it), so e2e-probe.dll, hooked into the program's thread by the driver,
// answers them where the window lives. Shared by the driver and the DLL.
#pragma once

#include <windows.h>

namespace e2e {
namespace probe {

// The registered message that carries a question to a window of the program: wParam is the
// Question, lParam the driver's process id, which names the shared block for the answer.
constexpr wchar_t kMessageName[] = L"E2EProbeQuestion";
constexpr wchar_t kDllName[] = L"e2e-probe.dll";
constexpr char kHookName[] = "ProbeHook";  // a WH_CALLWNDPROC hook procedure
// A WH_CBT hook procedure that refuses to create the main window's edit control, so that a
// case can see the program fail to start.
constexpr char kRefuseFieldHookName[] = "RefuseFieldHook";

enum Question : WPARAM {
    kIcons = 1,          // the window's icons and its class icon
    kCursor = 2,         // the window's class cursor
    kFloatingPoint = 3,  // the x87 control word of the window's thread
};

struct CursorFacts {
    LONG present;     // the class has a cursor
    LONG isIcon;      // ICONINFO.fIcon
    LONG monochrome;  // no colour bitmap
    LONG width;       // size of the image
    LONG height;
    LONG hotspotX;
    LONG hotspotY;
};

struct IconFacts {
    LONG present;  // the handle is not null
    LONG width;    // size of the icon's image, 0 when unknown
    LONG height;
};

struct Answer {
    LONG question;            // the Question answered, written last; 0 while there is no answer
    IconFacts bigIcon;        // kIcons: WM_GETICON ICON_BIG
    IconFacts smallIcon;      // kIcons: WM_GETICON ICON_SMALL
    IconFacts classIcon;      // kIcons: GetClassLongPtrW(GCLP_HICON)
    CursorFacts classCursor;  // kCursor: GetClassLongPtrW(GCLP_HCURSOR)
    LONG x87ControlWord;      // kFloatingPoint: fnstcw
};

// The name of the shared block that receives the answers for the driver with that process id.
inline void AnswerBlockName(DWORD driverProcessId, wchar_t (&name)[64]) {
    wsprintfW(name, L"E2EProbeAnswer-%lu", driverProcessId);
}

}  // namespace probe
}  // namespace e2e
