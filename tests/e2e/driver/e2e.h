// The end-to-end driver's test framework, after the manner of Wine's conformance tests:
// ok() records a check and prints its message when it fails, cases are registered by name
// with E2E_CASE and run one per driver process.
//
//   E2E_CASE(Title, "title") {
//       e2e::Program program;
//       HWND window = program.WaitForMainWindow();
//       if (!ok(window != nullptr, "no main window within %lu ms", e2e::kWindowBound)) return;
//       ...
//   }
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

using CaseFunction = void (*)();

struct CaseRegistrar {
    CaseRegistrar(const char* name, CaseFunction function);
};

// Records one check; prints "file:line: Test failed: message" when condition is false.
// Returns condition, so that a case can stop where going on makes no sense.
bool Ok(const char* file, int line, bool condition, const char* format, ...)
    __attribute__((format(gnu_printf, 4, 5)));

// Prints "file:line: message", for what a reader of a failure needs to know.
void Trace(const char* file, int line, const char* format, ...)
    __attribute__((format(gnu_printf, 3, 4)));

// Prints "file:line: Tests skipped: message"; a skip is not a failure.
void Skip(const char* file, int line, const char* format, ...)
    __attribute__((format(gnu_printf, 3, 4)));

// The arguments that follow the case name on the driver's command line.
const std::vector<std::wstring>& CaseArguments();

// The path of a file in the driver's own folder, where the build puts the program, the probe
// and the recorder.
std::wstring BesideDriver(const wchar_t* name);

// The program under test, from --program (a Windows path).
const std::wstring& ProgramPath();

// Polls predicate every few milliseconds until it holds or bound milliseconds have passed;
// returns whether it held.
template <typename Predicate>
bool WaitFor(DWORD bound, Predicate predicate) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (predicate()) return true;
        if (GetTickCount() - start >= bound) return predicate();
        Sleep(10);
    }
}

// Bounds of the waits, in milliseconds. A first start in a fresh Wine session takes about a
// second; the bounds leave room for a loaded machine and still end a hung case quickly.
constexpr DWORD kWindowBound = 15000;
constexpr DWORD kExitBound = 10000;
constexpr DWORD kMessageBound = 5000;
constexpr DWORD kInputBound = 5000;

}  // namespace e2e

#define E2E_CASE(function, name)                                         \
    static void function();                                              \
    static const e2e::CaseRegistrar function##Registrar(name, function); \
    static void function()

#define ok(condition, ...) e2e::Ok(__FILE__, __LINE__, (condition), __VA_ARGS__)
#define trace(...) e2e::Trace(__FILE__, __LINE__, __VA_ARGS__)
#define skip(...) e2e::Skip(__FILE__, __LINE__, __VA_ARGS__)
