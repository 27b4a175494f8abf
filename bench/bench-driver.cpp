// Measures a GUI program from outside, as Windows sees it: how long it takes to show its
// window, its memory once the window is shown, the processor time it uses while it waits, and,
// for the lateness of its timer, arms timed-shutdown.exe and waits for the end of the session.
//
//   bench-driver.exe startup PROGRAM REFERENCE ROUNDS
//   bench-driver.exe idle PROGRAM REFERENCE SECONDS INSTANCES ACTIVE_SECONDS
//   bench-driver.exe arm PROGRAM MINUTES WINEDEBUG BOUND_SECONDS
//
// PROGRAM is timed-shutdown.exe and REFERENCE the reference program, as Windows paths. Each
// measurement is one line on standard output for scripts/bench.sh, words separated by spaces:
//   startup program|reference MILLISECONDS PEAK_WORKING_SET_BYTES PRIVATE_BYTES LINUX_MICROSECONDS
//   background reference|unarmed|armed MILLISECONDS LINUX_MICROSECONDS LINUX_SLICES
//   active unarmed|reference MILLISECONDS LINUX_MICROSECONDS LINUX_SLICES
//   processtimes mirrored   (idle: GetProcessTimes answered with the driver's own times)
//   armed                   (arm: the notice is closed and the countdown runs)
// MILLISECONDS of processor time come from GetProcessTimes (kernel and user); the LINUX
// figures are "-" where the driver does not run under Wine (see LinuxCount). Something that
// cannot be measured prints "error ..." and ends the driver with exit code 1.
//
// startup runs ROUNDS rounds after one warm-up round that is not reported; a round starts
// program and reference one after the other, in an order that alternates from round to round,
// so that a drift of the machine weighs on both alike.
//
// idle starts INSTANCES of the reference, of the program left unarmed and of the program armed
// for 60 minutes, and brings a small window of its own to the front, so that none of them is
// the active window; it reports the processor time each used during SECONDS seconds of waiting
// side by side. Then, one at a time and alternating, each unarmed program and each reference
// becomes the active window for ACTIVE_SECONDS seconds: the program's field then has the focus
// and shows a blinking caret.
//
// arm gives the program WINEDEBUG as its environment, so that a relay log holds its calls and
// none of the driver's, types MINUTES into its field and presses 定时开始.
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const wchar_t kProgramTitle[] = L"定时关机";
const wchar_t kReferenceTitle[] = L"reference";
const wchar_t kNoticeClass[] = L"#32770";  // the dialog class of a message box

// Control identifiers of the program's main window: the minutes field 编辑框1 and 定时开始.
constexpr int kFieldId = 110;
constexpr int kStartButtonId = 140;

// The minutes that arm the program while it waits: far longer than any measurement.
const wchar_t kLongMinutes[] = L"60";

constexpr DWORD kWindowBound = 20000;  // ms until a started program shows its window
constexpr DWORD kIdleBound = 5000;     // ms until it waits for input
constexpr DWORD kNoticeBound = 10000;  // ms until the notice appears, and until it is gone
constexpr DWORD kFrontBound = 5000;    // ms until a window has become the active one
constexpr DWORD kExitBound = 5000;     // ms until a closed program has ended
// A window repaints after the notice has gone or after its activation changed; that work is
// not part of the waiting.
constexpr DWORD kSettle = 1000;

bool failed = false;

void Error(const char* format, ...) {
    std::printf("error ");
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
    std::fflush(stdout);
    failed = true;
}

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string Narrow(const std::wstring& text) {
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], length, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

// Waits up to ms milliseconds, answering the messages of the driver's own window meanwhile.
void Pause(DWORD ms) {
    const double deadline = NowMs() + ms;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const double left = deadline - NowMs();
        if (left <= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    }
}

// Polls every millisecond until done() holds; false when bound milliseconds pass first.
template <typename Done>
bool WaitFor(DWORD bound, Done done) {
    const double deadline = NowMs() + bound;
    for (;;) {
        if (done()) return true;
        if (NowMs() > deadline) return false;
        Pause(1);
    }
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// The first visible top-level window of process pid with that class (or any) and title (or any).
HWND FindTopLevel(DWORD pid, const wchar_t* className, const wchar_t* title) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, title)) != nullptr)
        if (IsWindowVisible(window) && ProcessOf(window) == pid) return window;
    return nullptr;
}

using GetMemoryInfoCall = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);

// Windows 7 and later (and Wine) have the call in kernel32; older systems only in psapi.dll.
GetMemoryInfoCall MemoryInfoCall() {
    static GetMemoryInfoCall call = [] {
        FARPROC found =
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "K32GetProcessMemoryInfo");
        if (!found) {
            HMODULE psapi = LoadLibraryW(L"psapi.dll");
            if (psapi) found = GetProcAddress(psapi, "GetProcessMemoryInfo");
        }
        return reinterpret_cast<GetMemoryInfoCall>(reinterpret_cast<void*>(found));
    }();
    return call;
}

// ---- Linux's own count, seen through Wine's drive Z: --------------------------------------
//
// Wine runs each Windows process as a Linux process. Linux counts each thread's time on a
// processor in nanoseconds and the number of times the thread was given one (a wake-up, for a
// waiting program) in /proc/PID/task/TID/schedstat: far finer than the 10 ms steps in which
// GetProcessTimes reports under Wine, and it shows a program that wakes briefly but often.
// The Linux process is found by a tag on the program's command line, which it ignores.

std::string ReadWhole(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

// Calls each(name) for the entries of a folder whose names are all digits.
template <typename Each>
void ForEachNumbered(const std::wstring& folder, Each each) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (!name.empty() && name.find_first_not_of(L"0123456789") == std::wstring::npos &&
            !each(name))
            break;
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool UnderLinux() { return GetFileAttributesW(L"Z:\\proc\\self") != INVALID_FILE_ATTRIBUTES; }

// The Linux process folder whose command line holds tag, or empty.
std::wstring FindLinuxProcess(const std::wstring& tag) {
    const std::string wanted = Narrow(tag);
    std::wstring folder;
    ForEachNumbered(L"Z:\\proc", [&](const std::wstring& pid) {
        const std::string commandLine = ReadWhole(L"Z:\\proc\\" + pid + L"\\cmdline");
        if (commandLine.find(wanted) == std::string::npos) return true;
        folder = L"Z:\\proc\\" + pid;
        return false;
    });
    return folder;
}

struct LinuxCount {
    bool known = false;
    double microseconds = 0;
    unsigned long long slices = 0;
};

LinuxCount CountLinux(const std::wstring& folder) {
    LinuxCount count;
    if (folder.empty()) return count;
    ForEachNumbered(folder + L"\\task", [&](const std::wstring& thread) {
        const std::string line = ReadWhole(folder + L"\\task\\" + thread + L"\\schedstat");
        unsigned long long run = 0, delay = 0, slices = 0;
        if (std::sscanf(line.c_str(), "%llu %llu %llu", &run, &delay, &slices) == 3) {
            count.known = true;
            count.microseconds += static_cast<double>(run) / 1000.0;
            count.slices += slices;
        }
        return true;
    });
    return count;
}

// ---- A program under measurement --------------------------------------------------------

// Kernel and user time of a process so far, in milliseconds, by GetProcessTimes.
double ProcessorMs(HANDLE process, const wchar_t* name) {
    FILETIME creation, exit, kernel, user;
    if (!GetProcessTimes(process, &creation, &exit, &kernel, &user)) {
        Error("GetProcessTimes of %s failed with error %lu", Narrow(name).c_str(), GetLastError());
        return 0;
    }
    auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Processor time so far: GetProcessTimes and Linux's count. ownMs is the driver's own time,
// taken right after: some Wine versions answer GetProcessTimes for another process with the
// caller's times, which makes the figure worthless (see Mirrored).
struct Usage {
    double ms = 0;
    double ownMs = 0;
    LinuxCount onLinux;
};

// Whether GetProcessTimes gave the driver's own times for (nearly) every other process.
// A tick of the driver's clock may fall between the two calls, hence "nearly".
bool Mirrored(const std::vector<Usage>& usages) {
    size_t same = 0;
    for (const Usage& usage : usages)
        if (usage.ms == usage.ownMs) ++same;
    return !usages.empty() && same * 10 >= usages.size() * 8;
}

// One started process of a program under measurement; ended when it goes out of scope.
class Started {
public:
    Started(const wchar_t* name, const std::wstring& path, const wchar_t* title,
            const std::wstring& tag = std::wstring())
        : name_(name), path_(path), title_(title), tag_(tag) {}
    ~Started() { End(); }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    // Starts the program and waits for its window. The time from right before CreateProcessW
    // to the first poll that sees the window visible goes to *showMs when given.
    bool Start(const wchar_t* wineDebug = nullptr, double* showMs = nullptr) {
        std::wstring commandLine = L"\"" + path_ + L"\"";
        if (!tag_.empty()) commandLine += L" " + tag_;
        std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
        buffer.push_back(L'\0');
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;

        wchar_t ownDebug[256] = L"";
        if (wineDebug) {
            GetEnvironmentVariableW(L"WINEDEBUG", ownDebug, 256);
            SetEnvironmentVariableW(L"WINEDEBUG", wineDebug);
        }
        const double before = NowMs();
        const BOOL created = CreateProcessW(path_.c_str(), buffer.data(), nullptr, nullptr, FALSE,
                                            0, nullptr, nullptr, &startup, &info_);
        const DWORD error = GetLastError();
        if (wineDebug) SetEnvironmentVariableW(L"WINEDEBUG", ownDebug[0] ? ownDebug : nullptr);
        if (!created) {
            info_ = PROCESS_INFORMATION{};
            Error("CreateProcessW(%s) failed with error %lu", Narrow(path_).c_str(), error);
            return false;
        }

        const bool shown = WaitFor(kWindowBound, [&] {
            window_ = FindTopLevel(info_.dwProcessId, nullptr, title_);
            return window_ != nullptr || !Running();
        });
        const double after = NowMs();
        if (!shown || !window_) {
            Error("%s showed no visible window titled \"%s\" within %lu ms%s",
                  Narrow(name_).c_str(), Narrow(title_).c_str(), kWindowBound,
                  Running() ? "" : " (it has ended)");
            return false;
        }
        if (showMs) *showMs = after - before;
        if (WaitForInputIdle(info_.hProcess, kIdleBound) != 0)
            Error("%s did not wait for input within %lu ms of showing its window",
                  Narrow(name_).c_str(), kIdleBound);
        if (!tag_.empty() && UnderLinux()) {
            linuxFolder_ = FindLinuxProcess(tag_);
            if (linuxFolder_.empty()) {
                Error("no Linux process has %s on its command line", Narrow(tag_).c_str());
                return false;
            }
        }
        return true;
    }

    bool Running() const {
        return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
    }

    bool Memory(PROCESS_MEMORY_COUNTERS_EX* counters) const {
        GetMemoryInfoCall call = MemoryInfoCall();
        *counters = PROCESS_MEMORY_COUNTERS_EX{};
        counters->cb = sizeof *counters;
        if (!call || !call(info_.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(counters),
                           sizeof *counters)) {
            Error("GetProcessMemoryInfo of %s failed (%s)", Narrow(name_).c_str(),
                  call ? "call failed" : "call not found");
            return false;
        }
        return true;
    }

    Usage Used() const {
        Usage usage;
        usage.ms = ProcessorMs(info_.hProcess, name_);
        usage.ownMs = ProcessorMs(GetCurrentProcess(), L"the driver");
        usage.onLinux = CountLinux(linuxFolder_);
        return usage;
    }

    // Types minutes into the field and presses 定时开始, as a posted WM_COMMAND from the button
    // (which moves no focus, so the field keeps the text as typed), then closes the notice.
    bool Arm(const wchar_t* minutes) {
        HWND field = GetDlgItem(window_, kFieldId);
        HWND button = GetDlgItem(window_, kStartButtonId);
        if (!field || !button) {
            Error("%s has no control %d (field) or %d (定时开始)", Narrow(name_).c_str(), kFieldId,
                  kStartButtonId);
            return false;
        }
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(minutes));
        PostMessageW(window_, WM_COMMAND, MAKEWPARAM(kStartButtonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        HWND notice = nullptr;
        if (!WaitFor(kNoticeBound, [&] {
                notice = FindTopLevel(info_.dwProcessId, kNoticeClass, nullptr);
                return notice != nullptr;
            })) {
            Error("%s showed no notice within %lu ms of the press", Narrow(name_).c_str(),
                  kNoticeBound);
            return false;
        }
        PostMessageW(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        if (!WaitFor(kNoticeBound, [&] { return !IsWindow(notice); })) {
            Error("the notice of %s did not close within %lu ms", Narrow(name_).c_str(),
                  kNoticeBound);
            return false;
        }
        return true;
    }

    // Waits until the process ends by itself; false after bound milliseconds.
    bool WaitForEnd(DWORD bound) const {
        return info_.hProcess && WaitForSingleObject(info_.hProcess, bound) == WAIT_OBJECT_0;
    }

    // Closes the window as the close box would; a process that does not end is terminated.
    void End() {
        if (!info_.hProcess) return;
        if (Running()) {
            if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
            if (!WaitForEnd(kExitBound)) {
                std::fprintf(stderr, "%s did not end within %lu ms of WM_CLOSE; terminating it\n",
                             Narrow(name_).c_str(), kExitBound);
                TerminateProcess(info_.hProcess, 1);
                WaitForSingleObject(info_.hProcess, kExitBound);
            }
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
        info_ = PROCESS_INFORMATION{};
        window_ = nullptr;
    }

    const wchar_t* Name() const { return name_; }
    HWND Window() const { return window_; }

private:
    const wchar_t* name_;
    std::wstring path_;
    const wchar_t* title_;
    std::wstring tag_;
    std::wstring linuxFolder_;
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

bool ParseCount(const wchar_t* text, unsigned long* value) {
    wchar_t* end = nullptr;
    *value = std::wcstoul(text, &end, 10);
    return end != text && *end == L'\0' && *value > 0;
}

// ---- startup ------------------------------------------------------------------------------

// One start of the program named: time to the visible window, then its memory and the
// processor time it used until it waited for input.
bool MeasureStart(const wchar_t* name, const std::wstring& path, const wchar_t* title,
                  const std::wstring& tag, bool report) {
    Started started(name, path, title, tag);
    double showMs = 0;
    if (!started.Start(nullptr, &showMs)) return false;
    PROCESS_MEMORY_COUNTERS_EX memory;
    if (!started.Memory(&memory)) return false;
    // Windows reports the commit charge in both fields; Wine fills only PagefileUsage.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    const LinuxCount used = started.Used().onLinux;
    if (report) {
        std::printf("startup %s %.3f %lu %lu ", Narrow(name).c_str(), showMs,
                    static_cast<unsigned long>(memory.PeakWorkingSetSize),
                    static_cast<unsigned long>(privateBytes));
        if (used.known) {
            std::printf("%.1f\n", used.microseconds);
        } else {
            std::printf("-\n");
        }
        std::fflush(stdout);
    }
    return true;
}

int Startup(const std::wstring& program, const std::wstring& reference, unsigned long rounds) {
    const std::wstring tagBase = L"bench-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (unsigned long round = 0; round <= rounds; ++round) {
        const bool report = round > 0;  // round 0 warms the session's caches up
        const bool programFirst = round % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool programTurn = (turn == 0) == programFirst;
            const std::wstring tag =
                tagBase + std::to_wstring(round * 2 + static_cast<unsigned long>(turn));
            const bool ok =
                programTurn ? MeasureStart(L"program", program, kProgramTitle, tag, report)
                            : MeasureStart(L"reference", reference, kReferenceTitle, tag, report);
            if (!ok) return 1;
        }
    }
    return failed ? 1 : 0;
}

// ---- idle ---------------------------------------------------------------------------------

// A small window of the driver's own, in a corner away from the pointer, that takes the
// activation so that no measured program is the active window.
HWND CreateFrontWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"BenchDriverFront";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"bench-driver",
                           WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 32, 32, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

bool BringToFront(HWND window, const char* what) {
    SetForegroundWindow(window);
    if (!WaitFor(kFrontBound, [&] { return GetForegroundWindow() == window; })) {
        Error("%s did not become the active window within %lu ms", what, kFrontBound);
        return false;
    }
    Pause(kSettle);
    return true;
}

void PrintUsage(const char* what, const Started& started, const Usage& before, const Usage& after,
                std::vector<Usage>* seen) {
    seen->push_back(before);
    seen->push_back(after);
    std::printf("%s %s %.3f ", what, Narrow(started.Name()).c_str(), after.ms - before.ms);
    if (before.onLinux.known && after.onLinux.known) {
        std::printf("%.1f %llu\n", after.onLinux.microseconds - before.onLinux.microseconds,
                    after.onLinux.slices - before.onLinux.slices);
    } else {
        std::printf("- -\n");
    }
    std::fflush(stdout);
}

int Idle(const std::wstring& program, const std::wstring& reference, unsigned long seconds,
         unsigned long instances, unsigned long activeSeconds) {
    const std::wstring tagBase = L"bench-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    unsigned tags = 0;
    auto tag = [&] { return tagBase + std::to_wstring(++tags); };

    std::vector<std::unique_ptr<Started>> references, unarmed, armed;
    std::vector<Started*> all;
    for (unsigned long i = 0; i < instances; ++i) {
        references.emplace_back(new Started(L"reference", reference, kReferenceTitle, tag()));
        unarmed.emplace_back(new Started(L"unarmed", program, kProgramTitle, tag()));
        armed.emplace_back(new Started(L"armed", program, kProgramTitle, tag()));
        all.insert(all.end(), {references.back().get(), unarmed.back().get(), armed.back().get()});
    }
    for (Started* started : all)
        if (!started->Start()) return 1;
    for (auto& started : armed)
        if (!started->Arm(kLongMinutes)) return 1;

    HWND front = CreateFrontWindow();
    if (!front || !BringToFront(front, "the driver's own window")) return 1;
    std::vector<Usage> before, seen;
    for (Started* started : all) before.push_back(started->Used());
    Pause(seconds * 1000);
    for (size_t i = 0; i < all.size(); ++i) {
        if (!all[i]->Running()) {
            Error("%s ended while it was waiting", Narrow(all[i]->Name()).c_str());
            continue;
        }
        PrintUsage("background", *all[i], before[i], all[i]->Used(), &seen);
    }

    for (unsigned long i = 0; i < instances; ++i) {
        Started* pair[] = {unarmed[i].get(), references[i].get()};
        if (i % 2) std::swap(pair[0], pair[1]);
        for (Started* started : pair) {
            if (!BringToFront(started->Window(), Narrow(started->Name()).c_str())) return 1;
            const Usage start = started->Used();
            Pause(activeSeconds * 1000);
            PrintUsage("active", *started, start, started->Used(), &seen);
        }
    }
    DestroyWindow(front);
    if (Mirrored(seen)) std::printf("processtimes mirrored\n");
    return failed ? 1 : 0;
}

// ---- arm ----------------------------------------------------------------------------------

int Arm(const std::wstring& program, const wchar_t* minutes, const wchar_t* wineDebug,
        unsigned long boundSeconds) {
    Started started(L"program", program, kProgramTitle);
    if (!started.Start(wineDebug) || !started.Arm(minutes)) return 1;
    std::printf("armed\n");
    std::fflush(stdout);
    // A shutdown request ends every process of the session, this driver included; the wait
    // ends only when that does not happen.
    if (started.WaitForEnd(boundSeconds * 1000)) {
        Error("the program ended by itself, but the session went on");
    } else {
        Error("no shutdown request ended the session within %lu s", boundSeconds);
    }
    return 1;
}

int Help() {
    std::printf(
        "usage: bench-driver.exe startup PROGRAM REFERENCE ROUNDS\n"
        "       bench-driver.exe idle PROGRAM REFERENCE SECONDS INSTANCES ACTIVE_SECONDS\n"
        "       bench-driver.exe arm PROGRAM MINUTES WINEDEBUG BOUND_SECONDS\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Help();
    const std::wstring command = argv[1];
    unsigned long first = 0, second = 0, third = 0;
    if (command == L"startup" && argc == 5 && ParseCount(argv[4], &first))
        return Startup(argv[2], argv[3], first);
    if (command == L"idle" && argc == 7 && ParseCount(argv[4], &first) &&
        ParseCount(argv[5], &second) && ParseCount(argv[6], &third))
        return Idle(argv[2], argv[3], first, second, third);
    if (command == L"arm" && argc == 6 && ParseCount(argv[5], &first))
        return Arm(argv[2], argv[3], argv[4], first);
    return Help();
}
