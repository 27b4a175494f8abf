// e2e-probe.dll: loaded by Wine into the program's process when the driver's hook first runs
// there. It answers the driver's questions from inside the program's thread.
#include "probe.h"

namespace {

using namespace e2e::probe;

UINT QuestionMessage() {
    static const UINT message = RegisterWindowMessageW(kMessageName);
    return message;
}

IconFacts FactsOf(HICON icon) {
    IconFacts facts{};
    if (!icon) return facts;
    facts.present = 1;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return facts;
    BITMAP bitmap{};
    // A monochrome icon has no colour bitmap; its mask holds the AND and XOR halves.
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap)) {
        facts.width = bitmap.bmWidth;
        facts.height = bitmap.bmHeight;
    } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof bitmap, &bitmap)) {
        facts.width = bitmap.bmWidth;
        facts.height = bitmap.bmHeight / 2;
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return facts;
}

CursorFacts CursorFactsOf(HCURSOR cursor) {
    CursorFacts facts{};
    ICONINFO info{};
    if (!cursor || !GetIconInfo(cursor, &info)) return facts;
    facts.present = 1;
    facts.isIcon = info.fIcon;
    facts.monochrome = info.hbmColor == nullptr;
    facts.hotspotX = static_cast<LONG>(info.xHotspot);
    facts.hotspotY = static_cast<LONG>(info.yHotspot);
    const IconFacts size = FactsOf(cursor);
    facts.width = size.width;
    facts.height = size.height;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return facts;
}

HICON IconFrom(LRESULT handle) { return reinterpret_cast<HICON>(handle); }

void AnswerQuestion(HWND window, WPARAM question, DWORD driverProcessId) {
    wchar_t name[64];
    AnswerBlockName(driverProcessId, name);
    HANDLE block = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
    if (!block) return;
    auto* answer = static_cast<Answer*>(MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(Answer)));
    if (answer) {
        switch (question) {
        case kIcons:
            answer->bigIcon = FactsOf(IconFrom(SendMessageW(window, WM_GETICON, ICON_BIG, 0)));
            answer->smallIcon = FactsOf(IconFrom(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)));
            answer->classIcon =
                FactsOf(reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON)));
            break;
        case kCursor:
            answer->classCursor =
                CursorFactsOf(reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR)));
            break;
        case kFloatingPoint: {
            unsigned short word = 0;
            __asm__ volatile("fnstcw %0" : "=m"(word));
            answer->x87ControlWord = word;
            break;
        }
        default: break;
        }
        answer->question = static_cast<LONG>(question);
        UnmapViewOfFile(answer);
    }
    CloseHandle(block);
}

}  // namespace

extern "C" __attribute__((dllexport)) LRESULT CALLBACK
    ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == QuestionMessage())
            AnswerQuestion(sent->hwnd, sent->wParam, static_cast<DWORD>(sent->lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __attribute__((dllexport)) LRESULT CALLBACK
    RefuseFieldHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t parentClass[64] = L"";
        if (create->hwndParent) GetClassNameW(create->hwndParent, parentClass, 64);
        const bool named = !IS_INTRESOURCE(create->lpszClass);
        if (named && lstrcmpiW(create->lpszClass, L"EDIT") == 0 &&
            lstrcmpW(parentClass, L"TimedShutdownMain") == 0)
            return 1;  // creation refused
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
