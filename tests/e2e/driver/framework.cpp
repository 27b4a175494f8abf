// The driver's entry point, the case registry and the check bookkeeping.
//
//   e2e-driver.exe [--program PATH] [--acp CODEPAGE] CASE [ARGUMENTS...]
//
// Runs one case and ends with exit code 0 only when every check passed. --acp makes the
// case fail at once when the session's code page is not the one the case was set up for,
// so that a wrong locale cannot pass unnoticed as a program fault.
//
// E2E_PROGRAM_WINEDEBUG, when set, becomes WINEDEBUG of the programs a case starts: a relay
// log then holds the program's calls and none of the driver's.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "e2e.h"
#include "program.h"
#include "text.h"

namespace e2e {
namespace {

struct RegisteredCase {
    const char* name;
    CaseFunction function;
};

std::vector<RegisteredCase>& Registry() {
    static std::vector<RegisteredCase> cases;
    return cases;
}

struct Counts {
    unsigned checks = 0;
    unsigned failures = 0;
    unsigned skips = 0;
};
Counts counts;

std::vector<std::wstring> caseArguments;
std::wstring programPath;

const char* BaseName(const char* file) {
    const char* name = file;
    for (const char* p = file; *p; ++p)
        if (*p == '/' || *p == '\\') name = p + 1;
    return name;
}

void PrintLocated(const char* file, int line, const char* prefix, const char* format,
                  va_list args) {
    std::printf("%s:%d: %s", BaseName(file), line, prefix);
    std::vprintf(format, args);
    std::printf("\n");
    std::fflush(stdout);
}

int Usage() {
    std::printf(
        "usage: e2e-driver.exe [--program PATH] [--acp CODEPAGE] CASE [ARGUMENTS...]\ncases:");
    for (const RegisteredCase& registered : Registry()) std::printf(" %s", registered.name);
    std::printf("\n");
    return 2;
}

}  // namespace

CaseRegistrar::CaseRegistrar(const char* name, CaseFunction function) {
    Registry().push_back({name, function});
}

bool Ok(const char* file, int line, bool condition, const char* format, ...) {
    ++counts.checks;
    if (condition) return true;
    ++counts.failures;
    va_list args;
    va_start(args, format);
    PrintLocated(file, line, "Test failed: ", format, args);
    va_end(args);
    return false;
}

void Trace(const char* file, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    PrintLocated(file, line, "", format, args);
    va_end(args);
}

void Skip(const char* file, int line, const char* format, ...) {
    ++counts.skips;
    va_list args;
    va_start(args, format);
    PrintLocated(file, line, "Tests skipped: ", format, args);
    va_end(args);
}

const std::vector<std::wstring>& CaseArguments() { return caseArguments; }

std::wstring BesideDriver(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    const size_t slash = path.find_last_of(L"\\/");
    return path.substr(0, slash == std::wstring::npos ? 0 : slash + 1) + name;
}

const std::wstring& ProgramPath() { return programPath; }

}  // namespace e2e

int wmain(int argc, wchar_t** argv) {
    using namespace e2e;
    programPath = BesideDriver(L"timed-shutdown.exe");
    wchar_t programDebug[256];
    const DWORD debugLength = GetEnvironmentVariableW(L"E2E_PROGRAM_WINEDEBUG", programDebug, 256);
    if (debugLength > 0 && debugLength < 256) SetEnvironmentVariableW(L"WINEDEBUG", programDebug);
    unsigned expectedCodePage = 0;
    int next = 1;
    for (; next < argc && argv[next][0] == L'-'; ++next) {
        if (next + 1 >= argc) return Usage();
        if (std::wcscmp(argv[next], L"--program") == 0) {
            programPath = argv[++next];
        } else if (std::wcscmp(argv[next], L"--acp") == 0) {
            expectedCodePage = static_cast<unsigned>(std::wcstoul(argv[++next], nullptr, 10));
        } else {
            return Usage();
        }
    }
    if (next >= argc) return Usage();
    const std::string name = Utf8(argv[next]);
    for (int i = next + 1; i < argc; ++i) caseArguments.emplace_back(argv[i]);

    const RegisteredCase* found = nullptr;
    for (const RegisteredCase& registered : Registry())
        if (name == registered.name) found = &registered;
    if (!found) {
        std::printf("no case named \"%s\"\n", name.c_str());
        return Usage();
    }

    if (expectedCodePage == 0 ||
        ok(GetACP() == expectedCodePage,
           "system code page: got %u, expected %u (check LANG and LOCPATH)", GetACP(),
           expectedCodePage))
        found->function();
    KillLeftoverPrograms();

    std::printf("%s: %u tests executed (%u failures), %u skipped.\n", name.c_str(), counts.checks,
                counts.failures, counts.skips);
    std::fflush(stdout);
    return counts.failures == 0 ? 0 : 1;
}
