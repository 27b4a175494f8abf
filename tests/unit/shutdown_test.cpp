#include "schedule/shutdown.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace ts {
namespace {

const ShutdownPlatform::Handle kProcess = reinterpret_cast<ShutdownPlatform::Handle>(-1);
const ShutdownPlatform::Handle kToken = reinterpret_cast<ShutdownPlatform::Handle>(0x1234);
constexpr ShutdownPlatform::Luid kShutdownLuid = {19, 0};
constexpr std::uint32_t kErrorNotAllAssigned = 1300;
constexpr std::uint32_t kErrorAccessDenied = 5;

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// How the fake platform answers.
struct Script {
    std::deque<std::uint32_t> platformIds = {2, 2};  // one answer a query; 0 when used up
    bool openSucceeds = true;
    bool lookupSucceeds = true;
    bool adjustReturns = true;
    std::uint32_t lastError = 0;
    int exitResult = 1;

    Script Ids(std::deque<std::uint32_t> ids) const { return With(&Script::platformIds, ids); }
    Script OpenFails() const { return With(&Script::openSucceeds, false); }
    Script LookupFails() const { return With(&Script::lookupSucceeds, false); }
    Script AdjustReturns(bool value) const { return With(&Script::adjustReturns, value); }
    Script LastError(std::uint32_t value) const { return With(&Script::lastError, value); }
    Script Exit(int value) const { return With(&Script::exitResult, value); }

private:
    template <typename T>
    Script With(T Script::*field, T value) const {
        Script changed = *this;
        changed.*field = value;
        return changed;
    }
};

const Script kNt;
const Script kWindows9x = Script().Ids({1, 1});

// Records every call with the arguments that matter; answers as scripted.
class RecordingPlatform : public ShutdownPlatform {
public:
    explicit RecordingPlatform(const Script& script) : script_(script) {}

    std::uint32_t GetPlatformId() override {
        calls.push_back("GetVersionExA");
        if (script_.platformIds.empty()) return 0;
        const std::uint32_t id = script_.platformIds.front();
        script_.platformIds.pop_front();
        return id;
    }
    Handle GetCurrentProcess() override {
        calls.push_back("GetCurrentProcess");
        return kProcess;
    }
    bool OpenProcessToken(Handle process, std::uint32_t access, Handle* token) override {
        calls.push_back(std::string("OpenProcessToken(") +
                        (process == kProcess ? "own process" : "other process") + ", " +
                        Hex(access) + ")");
        if (script_.openSucceeds) *token = kToken;
        return script_.openSucceeds;
    }
    bool LookupPrivilegeValue(const char* name, Luid* luid) override {
        calls.push_back(std::string("LookupPrivilegeValueA(") + name + ")");
        if (script_.lookupSucceeds) *luid = kShutdownLuid;
        return script_.lookupSucceeds;
    }
    bool AdjustTokenPrivileges(Handle token, const Luid& luid, std::uint32_t attributes) override {
        const bool sameLuid =
            luid.LowPart == kShutdownLuid.LowPart && luid.HighPart == kShutdownLuid.HighPart;
        calls.push_back(std::string("AdjustTokenPrivileges(") +
                        (token == kToken ? "token" : "other handle") + ", " +
                        (sameLuid ? "shutdown luid" : "other luid") + ", " + Hex(attributes) + ")");
        return script_.adjustReturns;
    }
    std::uint32_t GetLastError() override {
        calls.push_back("GetLastError");
        return script_.lastError;
    }
    bool CloseHandle(Handle handle) override {
        calls.push_back(std::string("CloseHandle(") +
                        (handle == kToken ? "token" : "other handle") + ")");
        return true;
    }
    int ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override {
        calls.push_back("ExitWindowsEx(" + Hex(flags) + ", " + std::to_string(reason) + ")");
        return script_.exitResult;
    }

    std::vector<std::string> calls;

private:
    Script script_;
};

std::string Join(const std::vector<std::string>& calls) {
    std::string text;
    for (const std::string& call : calls) text += (text.empty() ? "" : "\n  ") + call;
    return "\n  " + text;
}

const std::string kVersion = "GetVersionExA";
const std::string kProcessCall = "GetCurrentProcess";
const std::string kOpen = "OpenProcessToken(own process, 0x28)";
const std::string kLookup = "LookupPrivilegeValueA(SeShutdownPrivilege)";
const std::string kAdjust = "AdjustTokenPrivileges(token, shutdown luid, 0x2)";
const std::string kLastError = "GetLastError";
const std::string kClose = "CloseHandle(token)";
const std::string kExitNt = "ExitWindowsEx(0xC, 0)";
const std::string kExitOther = "ExitWindowsEx(0x5, 0)";

using Calls = std::vector<std::string>;

Calls Then(Calls first, const Calls& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const Calls kPrivilegeSteps = {kVersion, kProcessCall, kOpen, kLookup, kAdjust, kLastError, kClose};
const Calls kNtRequest = Then(kPrivilegeSteps, {kVersion, kExitNt});
const Calls kOtherRequest = {kVersion, kVersion, kExitOther};

struct ShutdownCase {
    const char* name;
    Script script;
    Calls calls;
    bool privilegeEnabled;
    int result;
};

TEST(RequestSystemShutdown, MakesTheCallsOfEachPlatformInOrder) {
    // clang-format off
    const std::vector<ShutdownCase> cases = {
        {"NT family holding the privilege", kNt, kNtRequest, true, 1},
        {"the value of ExitWindowsEx is passed on", kNt.Exit(7), kNtRequest, true, 7},
        {"NT family without the privilege", kNt.LastError(kErrorNotAllAssigned), kPrivilegeSteps,
         false, 0},
        {"adjustment failing", kNt.AdjustReturns(false).LastError(kErrorAccessDenied),
         kPrivilegeSteps, false, 0},
        {"only the last error decides, not the adjustment's value", kNt.AdjustReturns(false),
         kNtRequest, true, 1},
        {"Windows 9x", kWindows9x, kOtherRequest, true, 1},
        {"version query failing counts as not NT", kNt.Ids({0, 0}), kOtherRequest, true, 1},
        {"the flags follow the second query", kNt.Ids({2, 0}),
         Then(kPrivilegeSteps, {kVersion, kExitOther}), true, 1},
        {"token not opened", kNt.OpenFails(), {kVersion, kProcessCall, kOpen}, false, 0},
        {"privilege not found closes the token", kNt.LookupFails(),
         {kVersion, kProcessCall, kOpen, kLookup, kClose}, false, 0},
        {"ExitWindowsEx refusing on NT", kNt.Exit(0), kNtRequest, true, 0},
        {"ExitWindowsEx refusing on Windows 9x", kWindows9x.Exit(0), kOtherRequest, true, 0},
    };
    // clang-format on
    for (const ShutdownCase& c : cases) {
        RecordingPlatform request(c.script);
        EXPECT_EQ(RequestSystemShutdown(request), c.result) << c.name;
        EXPECT_EQ(Join(request.calls), Join(c.calls)) << c.name;

        RecordingPlatform privilege(c.script);
        EXPECT_EQ(EnableShutdownPrivilege(privilege), c.privilegeEnabled) << c.name;
    }
}

TEST(RequestSystemShutdown, ASecondRequestRunsTheWholeSequenceAgain) {
    RecordingPlatform platform(kNt.Ids({2, 2, 2, 2}));
    EXPECT_EQ(RequestSystemShutdown(platform), 1);
    EXPECT_EQ(RequestSystemShutdown(platform), 1);
    EXPECT_EQ(Join(platform.calls), Join(Then(kNtRequest, kNtRequest)));
}

}  // namespace
}  // namespace ts
