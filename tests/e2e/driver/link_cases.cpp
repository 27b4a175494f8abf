// The web link: hover with the mouse capture, its colours, the hand cursor, and opening the
// address through the shell or, when the shell cannot, through the browser registered for
// ".htm" files. A small recorder program stands in for the browser.
#include <cstdio>
#include <string>
#include <vector>

#include "controls.h"
#include "e2e.h"
#include "input.h"
#include "inside.h"
#include "program.h"
#include "text.h"
#include "window.h"

using namespace e2e;

namespace {

const COLORREF kNormal = RGB(0, 0, 255), kVisited = RGB(128, 0, 0), kHover = RGB(51, 94, 168);
const char kAddress[] = "https://www.example.com/";

HWND CaptureOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndCapture;
}

// How many of the label's pixels have the colour.
int PixelsOf(HWND label, COLORREF colour) {
    Capture capture;
    if (!CaptureScreen(WindowRectOf(label), &capture)) return -1;
    int count = 0;
    for (COLORREF pixel : capture.pixels) count += pixel == colour;
    return count;
}

// Waits until the label's text shows in the colour, and in no other text colour.
bool ExpectColour(HWND label, COLORREF colour, const char* name, const char* after) {
    const COLORREF others[] = {kNormal, kVisited, kHover};
    bool shown = WaitFor(kInputBound, [&] {
        if (PixelsOf(label, colour) < 20) return false;
        for (COLORREF other : others)
            if (other != colour && PixelsOf(label, other) > 0) return false;
        return true;
    });
    return ok(shown,
              "after %s: expected the text in the %s colour %06lx; got %d pixels of it, "
              "normal %d, visited %d, hover %d",
              after, name, colour, PixelsOf(label, colour), PixelsOf(label, kNormal),
              PixelsOf(label, kVisited), PixelsOf(label, kHover));
}

// A point in the main window away from every control.
POINT OutsideTheLink(HWND window) {
    RECT rect = WindowRectOf(Control(window, kLinkId));
    return {(rect.left + rect.right) / 2, rect.bottom + 15};
}

std::wstring RecordFile() {
    wchar_t directory[MAX_PATH];
    GetTempPathW(MAX_PATH, directory);
    return std::wstring(directory) + L"e2e-recorded.txt";
}

std::wstring RecorderPath() { return BesideDriver(L"e2e-recorder.exe"); }

// What the recorder wrote, once it has; empty when nothing came within the bound.
std::string Recorded(DWORD bound) {
    std::string text;
    WaitFor(bound, [&] {
        HANDLE file = CreateFileW(RecordFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        char buffer[2048];
        DWORD got = 0;
        ReadFile(file, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(file);
        text.assign(buffer, got);
        return got > 0;
    });
    return text;
}

// The default value of a key below HKEY_CLASSES_ROOT, set or removed for one case and put back
// as it was afterwards.
class ClassesValue {
public:
    explicit ClassesValue(const std::wstring& subkey) : key_(L"Software\\Classes\\" + subkey) {
        HKEY key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_QUERY_VALUE, &key) == 0) {
            wchar_t value[1024];
            DWORD size = sizeof value;
            DWORD type = 0;
            if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                                 &size) == 0) {
                had_ = true;
                saved_.assign(value, size / sizeof(wchar_t));
                while (!saved_.empty() && saved_.back() == L'\0') saved_.pop_back();
            }
            RegCloseKey(key);
        }
    }
    ~ClassesValue() {
        if (had_) {
            Set(saved_);
        } else {
            Remove();
        }
    }
    ClassesValue(const ClassesValue&) = delete;
    ClassesValue& operator=(const ClassesValue&) = delete;

    bool Set(const std::wstring& command) {
        HKEY key;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) != 0)
            return false;
        LONG status =
            RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return status == 0;
    }
    void Remove() { RegDeleteKeyW(HKEY_LOCAL_MACHINE, key_.c_str()); }
    void SetOrRemove(bool present, const std::wstring& value) {
        if (present) {
            Set(value);
        } else {
            Remove();
        }
    }

private:
    std::wstring key_;
    bool had_ = false;
    std::wstring saved_;
};

std::wstring OpenCommandOf(const std::wstring& className) {
    return className + L"\\shell\\open\\command";
}

struct LinkSetUp {
    bool shell;  // http and https open with the recorder
    bool htm;    // the ".htm" class opens with the recorder
};

// Starts the program with the browser associations of the case, presses the link and returns
// what the recorder saw (empty when nothing was started).
void PressTheLink(const LinkSetUp& setUp, const char* expectedLine, COLORREF afterLeaving,
                  const char* colourName) {
    // A file class of the case's own, so that nothing of the prefix's is changed for good.
    const std::wstring htmClass = L"e2e.htmfile";
    ClassesValue http(OpenCommandOf(L"http")), https(OpenCommandOf(L"https")), htm(L".htm"),
        htmCommand(OpenCommandOf(htmClass));
    const std::wstring recorder = L"\"" + RecorderPath() + L"\" \"%1\"";
    https.SetOrRemove(setUp.shell, recorder);
    http.SetOrRemove(setUp.shell, recorder);
    htm.SetOrRemove(setUp.htm, htmClass);
    htmCommand.SetOrRemove(setUp.htm, recorder);
    DeleteFileW(RecordFile().c_str());
    SetEnvironmentVariableW(L"E2E_RECORD_FILE", RecordFile().c_str());

    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    HWND link = Control(window, kLinkId);
    WaitUntilPainted(window);
    ExpectColour(link, kNormal, "normal", "start");
    ok(ClickAt(CentreOf(link)), "pressing the link: SendInput failed");
    ExpectFocus(window, kFieldId, "pressing the link");
    const std::string recorded = Recorded(expectedLine ? kWindowBound : 3000);
    if (expectedLine) {
        ok(recorded == expectedLine, "the browser was started as %s, expected %s", recorded.c_str(),
           expectedLine);
    } else {
        ok(recorded.empty(), "a browser was started as %s, expected none", recorded.c_str());
    }
    ExpectColour(link, kHover, "hover", "the press, with the pointer still on the link");
    MovePointer(OutsideTheLink(window));
    ExpectColour(link, afterLeaving, colourName, "the pointer left");
    CloseProgram(program, window);
}

}  // namespace

// Moving onto the link takes the capture and repaints it in the hover colour; moving off
// releases the capture and shows the normal colour again.
E2E_CASE(LinkHover, "link-hover") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    HWND link = Control(window, kLinkId);
    WaitUntilPainted(window);
    ExpectColour(link, kNormal, "normal", "start");
    MovePointer(OutsideTheLink(window));
    MovePointer(CentreOf(link));
    ok(WaitFor(kInputBound, [&] { return CaptureOf(window) == link; }),
       "pointer on the link: the capture is on %s, expected the link",
       NameOf(window, CaptureOf(window)));
    ExpectColour(link, kHover, "hover", "the pointer came onto the link");
    MovePointer(OutsideTheLink(window));
    ok(WaitFor(kInputBound, [&] { return CaptureOf(window) == nullptr; }),
       "pointer off the link: the capture is still on %s", NameOf(window, CaptureOf(window)));
    ExpectColour(link, kNormal, "normal", "the pointer left");
    CloseProgram(program, window);
}

// The link's class cursor is the hand of the program's resources, its hot spot on the finger.
E2E_CASE(LinkCursor, "link-cursor") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    probe::Answer answer{};
    if (ok(AskInside(Control(window, kLinkId), probe::kCursor, &answer),
           "the probe did not answer")) {
        const probe::CursorFacts& c = answer.classCursor;
        ok(c.present && !c.isIcon && c.monochrome && c.width == 32 && c.height == 32 &&
               c.hotspotX == 6 && c.hotspotY == 1,
           "got %s %s %s of %ldx%ld with the hot spot (%ld,%ld), expected a monochrome 32x32 "
           "cursor with (6,1)",
           c.present ? "a" : "no", c.monochrome ? "monochrome" : "colour",
           c.isIcon ? "icon" : "cursor", c.width, c.height, c.hotspotX, c.hotspotY);
    }
    CloseProgram(program, window);
}

// The shell hands the address to the browser; the link shows the visited colour once the
// pointer has left it.
E2E_CASE(LinkOpensThroughTheShell, "link-shell") {
    std::string expected = "\"" + Utf8(RecorderPath()) + "\" \"" + kAddress + "\"";
    PressTheLink({true, false}, expected.c_str(), kVisited, "visited");
}

// Without a browser for web addresses, the ".htm" class's command runs, cut before its "%1",
// with one space and the address appended.
E2E_CASE(LinkFallsBackToHtm, "link-htm") {
    std::string expected = "\"" + Utf8(RecorderPath()) + "\"  " + kAddress;
    PressTheLink({false, true}, expected.c_str(), kVisited, "visited");
}

// With neither, nothing is started and the link keeps its normal colour.
E2E_CASE(LinkFails, "link-fails") { PressTheLink({false, false}, nullptr, kNormal, "normal"); }
