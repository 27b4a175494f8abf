#include "window/link_target.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "build_config.h"

namespace ts {
namespace {

constexpr int kShow = 5;  // SW_SHOW, what a click passes
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr std::intptr_t kNoAssociation = 31;  // SE_ERR_NOASSOC
constexpr char kCommandKey[] = "htmlfile\\shell\\open\\command";

// A registry below HKEY_CLASSES_ROOT and a shell that only record what they are asked.
class FakeLinkPlatform final : public LinkPlatform {
public:
    struct Entry {
        std::string value;
        long openStatus = 0;
        long queryStatus = 0;       // returned instead of the value when not 0
        bool unterminated = false;  // the value is handed back without its terminator
    };

    std::map<std::string, Entry> keys;
    std::intptr_t shellResult = 33;
    unsigned runResult = 33;
    std::vector<std::string> calls;

    // A registry in which ".htm" names the class htmlfile, whose open command is given.
    static FakeLinkPlatform WithBrowser(const std::string& commandTemplate) {
        FakeLinkPlatform platform;
        platform.shellResult = kNoAssociation;
        platform.keys[".htm"].value = "htmlfile";
        platform.keys[kCommandKey].value = commandTemplate;
        return platform;
    }

    std::intptr_t ShellOpen(const char* target, int show) override {
        calls.push_back("ShellOpen(" + std::string(target) + ", " + std::to_string(show) + ")");
        return shellResult;
    }

    long OpenClassesRootKey(const char* name, Key* key) override {
        calls.push_back("Open(" + std::string(name) + ")");
        const auto found = keys.find(name);
        if (found == keys.end()) return kFileNotFound;
        if (found->second.openStatus != 0) return found->second.openStatus;
        opened_.push_back(found->first);
        *key = reinterpret_cast<Key>(static_cast<std::uintptr_t>(opened_.size()));
        return 0;
    }

    long QueryDefaultValue(Key key, char* buffer, long* size) override {
        const std::string& name = NameOf(key);
        calls.push_back("Query(" + name + ", " + std::to_string(*size) + ")");
        const Entry& entry = keys.at(name);
        if (entry.queryStatus != 0) return entry.queryStatus;
        const long needed = static_cast<long>(entry.value.size()) + (entry.unterminated ? 0 : 1);
        if (needed > *size) {
            *size = needed;
            return kValueDoesNotFit;
        }
        std::memcpy(buffer, entry.value.c_str(), static_cast<std::size_t>(needed));
        *size = needed;
        return 0;
    }

    void CloseKey(Key key) override { calls.push_back("Close(" + NameOf(key) + ")"); }

    unsigned RunCommand(const char* commandLine, int show) override {
        calls.push_back("Run(" + std::string(commandLine) + ", " + std::to_string(show) + ")");
        return runResult;
    }

private:
    const std::string& NameOf(Key key) const {
        return opened_.at(reinterpret_cast<std::uintptr_t>(key) - 1);
    }

    std::vector<std::string> opened_;
};

HyperLinkerSettings Settings(LinkKind kind, const char* web, const char* mail) {
    HyperLinkerSettings settings = MainWindowDescription().Controls[k超级链接框1].HyperLinker[0];
    settings.Kind = kind;
    settings.WebAddress = web;
    settings.MailAddress = mail;
    return settings;
}
HyperLinkerSettings Web(const char* address) { return Settings(LinkKind::WebAddress, address, ""); }
HyperLinkerSettings Mail(const char* address) {
    return Settings(LinkKind::MailAddress, "", address);
}

// The calls of a failed shell open followed by a fallback that reads both values.
std::vector<std::string> FallbackReads(const std::string& target) {
    return {"ShellOpen(" + target + ", 5)",
            "Open(.htm)",
            "Query(.htm, 260)",
            "Close(.htm)",
            std::string("Open(") + kCommandKey + ")",
            std::string("Query(") + kCommandKey + ", 260)",
            std::string("Close(") + kCommandKey + ")"};
}

std::vector<std::string> Plus(std::vector<std::string> calls, const std::string& more) {
    calls.push_back(more);
    return calls;
}

TEST(LinkTargetChoice, FollowsTheKindOfLink) {
    const struct {
        const char* name;
        HyperLinkerSettings settings;
        std::string expected;
    } cases[] = {
        {"the program's own link opens the maker's page",
         MainWindowDescription().Controls[k超级链接框1].HyperLinker[0], TS_WEB_ADDRESS},
        {"web address as stored", Web("http://example.com/a b"), "http://example.com/a b"},
        {"empty web address", Web(""), ""},
        {"missing web address", Web(nullptr), ""},
        {"web kind ignores the mail address",
         Settings(LinkKind::WebAddress, "http://example.com/", "x@example.com"),
         "http://example.com/"},
        {"mail address gets mailto:", Mail("x@example.com"), "mailto:x@example.com"},
        {"empty mail address", Mail(""), ""},
        {"missing mail address", Mail(nullptr), ""},
        {"mail kind ignores the web address",
         Settings(LinkKind::MailAddress, "http://example.com/", "x@example.com"),
         "mailto:x@example.com"},
        {"empty mail address is not opened as a web address",
         Settings(LinkKind::MailAddress, "http://example.com/", ""), ""},
    };
    for (const auto& c : cases) {
        const LinkTarget target = ChooseLinkTarget(c.settings);
        EXPECT_EQ(std::string(target.scheme) + std::string(target.address), c.expected) << c.name;
        EXPECT_EQ(target.address.empty(), c.expected.empty()) << c.name;
    }
}

TEST(LinkTargetCommandTemplate, IsCutBeforeItsPlaceholder) {
    const struct {
        const char* name;
        const char* commandTemplate;
        const char* expected;
    } cases[] = {
        {"quoted placeholder", "\"C:\\b\\browser.exe\" -nohome \"%1\"",
         "\"C:\\b\\browser.exe\" -nohome "},
        {"bare placeholder", "C:\\b\\browser.exe -url %1 -x", "C:\\b\\browser.exe -url "},
        {"no placeholder", "C:\\b\\browser.exe -new", "C:\\b\\browser.exe -new"},
        {"spaces before the placeholder kept", "browser.exe   \"%1\"", "browser.exe   "},
        {"quoted placeholder after a bare one wins", "b.exe %1 -x \"%1\"", "b.exe %1 -x "},
        {"first of two quoted placeholders", "b.exe \"%1\" \"%1\"", "b.exe "},
        {"half-quoted placeholder counts as bare", "b.exe \"%1 x", "b.exe \""},
        {"%10 holds a bare %1", "b.exe %10", "b.exe "},
        {"%2 is no placeholder", "b.exe \"%2\"", "b.exe \"%2\""},
        {"placeholder alone", "\"%1\"", ""},
        {"empty template", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutCommandTemplate(c.commandTemplate), c.expected) << c.name;
    }
}

TEST(LinkTargetOpen, ShellSuccessNeverReadsTheRegistry) {
    const struct {
        const char* name;
        HyperLinkerSettings settings;
        const char* expectedCall;
    } cases[] = {
        {"web address", Web("http://example.com/"), "ShellOpen(http://example.com/, 5)"},
        {"mail address", Mail("x@example.com"), "ShellOpen(mailto:x@example.com, 5)"},
    };
    for (const auto& c : cases) {
        FakeLinkPlatform platform = FakeLinkPlatform::WithBrowser("b.exe \"%1\"");
        platform.shellResult = 33;
        EXPECT_TRUE(OpenLinkTarget(platform, c.settings, kShow)) << c.name;
        EXPECT_EQ(platform.calls, std::vector<std::string>{c.expectedCall}) << c.name;
    }
}

TEST(LinkTargetOpen, EmptyTargetMakesNoCall) {
    for (const HyperLinkerSettings& settings : {Web(""), Mail("")}) {
        FakeLinkPlatform platform = FakeLinkPlatform::WithBrowser("b.exe \"%1\"");
        EXPECT_FALSE(OpenLinkTarget(platform, settings, kShow));
        EXPECT_EQ(platform.calls, std::vector<std::string>{});
    }
}

TEST(LinkTargetOpen, ShowCommandReachesShellAndCommand) {
    FakeLinkPlatform platform = FakeLinkPlatform::WithBrowser("b.exe %1");
    EXPECT_TRUE(OpenLinkTarget(platform, Web("http://example.com/"), 3));
    EXPECT_EQ(platform.calls.front(), "ShellOpen(http://example.com/, 3)");
    EXPECT_EQ(platform.calls.back(), "Run(b.exe  http://example.com/, 3)");
}

// The command line that the fallback runs, for each shape of template and target.
TEST(LinkTargetOpen, FallbackComposesTheCommandLine) {
    const struct {
        const char* name;
        HyperLinkerSettings settings;
        const char* commandTemplate;
        std::string expectedCommand;
    } cases[] = {
        {"quoted placeholder", Web("http://example.com/"), "\"C:\\b\\b.exe\" -nohome \"%1\"",
         "\"C:\\b\\b.exe\" -nohome  http://example.com/"},
        {"bare placeholder", Web("http://example.com/"), "b.exe -url %1 -x",
         "b.exe -url  http://example.com/"},
        {"no placeholder: whole template, one space, target", Web("http://example.com/"),
         "b.exe -new", "b.exe -new http://example.com/"},
        {"text before the placeholder kept with its spaces", Web("http://example.com/"),
         "b.exe   \"%1\"", "b.exe    http://example.com/"},
        {"quoted placeholder after a bare one wins", Web("http://example.com/"),
         "b.exe %1 -x \"%1\"", "b.exe %1 -x  http://example.com/"},
        {"target with spaces stays unquoted", Web("http://example.com/a b"), "b.exe \"%1\"",
         "b.exe  http://example.com/a b"},
        {"mail address", Mail("x@example.com"), "mailer.exe /m \"%1\"",
         "mailer.exe /m  mailto:x@example.com"},
        {"empty template", Web("http://example.com/"), "", " http://example.com/"},
    };
    for (const auto& c : cases) {
        FakeLinkPlatform platform = FakeLinkPlatform::WithBrowser(c.commandTemplate);
        const LinkTarget target = ChooseLinkTarget(c.settings);
        const std::string text = std::string(target.scheme) + std::string(target.address);
        EXPECT_TRUE(OpenLinkTarget(platform, c.settings, kShow)) << c.name;
        EXPECT_EQ(platform.calls, Plus(FallbackReads(text), "Run(" + c.expectedCommand + ", 5)"))
            << c.name;
    }
}

TEST(LinkTargetOpen, ShellSucceedsOnlyAbove32) {
    const struct {
        std::intptr_t shellResult;
        bool fallsBack;
    } cases[] = {{0, true}, {2, true}, {31, true}, {32, true}, {33, false}, {42, false}};
    for (const auto& c : cases) {
        FakeLinkPlatform platform = FakeLinkPlatform::WithBrowser("b.exe \"%1\"");
        platform.shellResult = c.shellResult;
        EXPECT_TRUE(OpenLinkTarget(platform, Web("http://example.com/"), kShow))
            << "ShellExecuteA gave " << c.shellResult;
        const bool ran = platform.calls.back().rfind("Run(", 0) == 0;
        EXPECT_EQ(ran, c.fallsBack)
            << "ShellExecuteA gave " << c.shellResult << ", last call " << platform.calls.back();
    }
}

TEST(LinkTargetOpen, CommandSucceedsOnlyAbove32) {
    const struct {
        unsigned runResult;
        bool expected;
    } cases[] = {{0, false}, {2, false}, {31, false}, {32, false}, {33, true}};
    for (const auto& c : cases) {
        FakeLinkPlatform platform = FakeLinkPlatform::WithBrowser("b.exe \"%1\"");
        platform.runResult = c.runResult;
        EXPECT_EQ(OpenLinkTarget(platform, Web("http://example.com/"), kShow), c.expected)
            << "WinExec gave " << c.runResult;
    }
}

TEST(LinkTargetOpen, FailedReadsStartNothing) {
    const std::string target = "http://example.com/";
    const std::string commandKey = kCommandKey;
    const std::vector<std::string> htmRead = {"ShellOpen(" + target + ", 5)", "Open(.htm)"};
    const struct {
        const char* name;
        void (*breakRegistry)(FakeLinkPlatform&);
        std::vector<std::string> expectedCalls;
    } cases[] = {
        {"no .htm class", [](FakeLinkPlatform& p) { p.keys.erase(".htm"); }, htmRead},
        {".htm class not readable",
         [](FakeLinkPlatform& p) { p.keys[".htm"].openStatus = kAccessDenied; }, htmRead},
        {".htm value not readable",
         [](FakeLinkPlatform& p) { p.keys[".htm"].queryStatus = kAccessDenied; },
         {"ShellOpen(" + target + ", 5)", "Open(.htm)", "Query(.htm, 260)", "Close(.htm)"}},
        {"no open command",
         [](FakeLinkPlatform& p) { p.keys.erase(kCommandKey); },
         {"ShellOpen(" + target + ", 5)", "Open(.htm)", "Query(.htm, 260)", "Close(.htm)",
          "Open(" + commandKey + ")"}},
        {"open command not readable",
         [](FakeLinkPlatform& p) { p.keys[kCommandKey].queryStatus = kAccessDenied; },
         FallbackReads(target)},
    };
    for (const auto& c : cases) {
        FakeLinkPlatform platform = FakeLinkPlatform::WithBrowser("b.exe \"%1\"");
        c.breakRegistry(platform);
        EXPECT_FALSE(OpenLinkTarget(platform, Web(target.c_str()), kShow)) << c.name;
        EXPECT_EQ(platform.calls, c.expectedCalls) << c.name;
    }
}

// Values must come back whole within 260 bytes, and the command line within 520: whatever
// would be cut short is not run.
TEST(LinkTargetOpen, LengthLimits) {
    const std::string longClass(259, 'c');
    const std::string longTemplate(259, 't');
    const struct {
        const char* name;
        std::string htmValue;
        std::string commandTemplate;
        std::string address;
        bool expectedRun;
    } cases[] = {
        {"class name of 259 characters", longClass, "b.exe %1", "u", true},
        {"class name of 260 characters", longClass + "c", "b.exe %1", "u", false},
        {"template of 259 characters", "htmlfile", longTemplate, "u", true},
        {"template of 260 characters", "htmlfile", longTemplate + "t", "u", false},
        {"command line of 519 characters", "htmlfile", longTemplate, std::string(259, 'u'), true},
        {"command line of 520 characters", "htmlfile", longTemplate, std::string(260, 'u'), false},
        {"long address after a short cut template", "htmlfile", "b.exe \"%1\" -x",
         std::string(512, 'u'), true},
        {"too long address after a short cut template", "htmlfile", "b.exe \"%1\"",
         std::string(513, 'u'), false},
    };
    for (const auto& c : cases) {
        FakeLinkPlatform platform;
        platform.shellResult = kNoAssociation;
        platform.keys[".htm"].value = c.htmValue;
        platform.keys[c.htmValue + "\\shell\\open\\command"].value = c.commandTemplate;
        EXPECT_EQ(OpenLinkTarget(platform, Web(c.address.c_str()), kShow), c.expectedRun) << c.name;
        const bool ran = platform.calls.back().rfind("Run(", 0) == 0;
        EXPECT_EQ(ran, c.expectedRun) << c.name << ": last call " << platform.calls.back();
        if (ran) {
            const std::string expected = "Run(" +
                                         std::string(CutCommandTemplate(c.commandTemplate)) + " " +
                                         c.address + ", 5)";
            EXPECT_EQ(platform.calls.back(), expected) << c.name;
        }
    }
}

TEST(LinkTargetRegistryRead, ReadsIntoTheBufferThatNamesTheKey) {
    FakeLinkPlatform platform;
    platform.keys["a\\b"].value = "value";
    char buffer[kCommandBufferSize] = "a\\b";
    EXPECT_EQ(ReadDefaultRegValue(platform, buffer, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "value");
    EXPECT_EQ(platform.calls,
              (std::vector<std::string>{"Open(a\\b)", "Query(a\\b, 260)", "Close(a\\b)"}));
}

TEST(LinkTargetRegistryRead, FailuresLeaveTheOutputAlone) {
    const struct {
        const char* name;
        FakeLinkPlatform::Entry entry;
        std::size_t outSize;
        long expectedStatus;
        bool expectedClose;
    } cases[] = {
        {"key does not open", {"v", kAccessDenied, 0, false}, 260, kAccessDenied, false},
        {"value does not read", {"v", 0, kAccessDenied, false}, 260, kAccessDenied, true},
        {"value of 260 characters",
         {std::string(260, 'v'), 0, 0, false},
         520,
         kValueDoesNotFit,
         true},
        {"unterminated value filling the buffer",
         {std::string(260, 'v'), 0, 0, true},
         520,
         kValueDoesNotFit,
         true},
        {"value longer than the output", {"value", 0, 0, false}, 5, kValueDoesNotFit, true},
    };
    for (const auto& c : cases) {
        FakeLinkPlatform platform;
        platform.keys["k"] = c.entry;
        char out[kCommandBufferSize] = "untouched";
        EXPECT_EQ(ReadDefaultRegValue(platform, "k", out, c.outSize), c.expectedStatus) << c.name;
        EXPECT_STREQ(out, "untouched") << c.name;
        EXPECT_EQ(platform.calls.back() == "Close(k)", c.expectedClose)
            << c.name << ": last call " << platform.calls.back();
    }
}

TEST(LinkTargetRegistryRead, AcceptsWhatFitsExactly) {
    const struct {
        const char* name;
        FakeLinkPlatform::Entry entry;
        std::size_t outSize;
        std::string expected;
    } cases[] = {
        {"value of 259 characters",
         {std::string(259, 'v'), 0, 0, false},
         520,
         std::string(259, 'v')},
        {"unterminated value shorter than the buffer", {"value", 0, 0, true}, 520, "value"},
        {"value filling the output", {"value", 0, 0, false}, 6, "value"},
        {"empty value", {"", 0, 0, false}, 1, ""},
    };
    for (const auto& c : cases) {
        FakeLinkPlatform platform;
        platform.keys["k"] = c.entry;
        char out[kCommandBufferSize] = "untouched";
        EXPECT_EQ(ReadDefaultRegValue(platform, "k", out, c.outSize), 0) << c.name;
        EXPECT_EQ(std::string(out), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace ts
