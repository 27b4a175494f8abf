#include "window/link_target.h"

#include <cstring>
#include <string>

namespace ts {
namespace {

constexpr std::intptr_t kHandedOn = 32;   // ShellExecuteA succeeds above this
constexpr unsigned kProgramStarted = 32;  // and so does WinExec
constexpr std::string_view kOpenCommandKey = "\\shell\\open\\command";
constexpr std::string_view kMailScheme = "mailto:";

std::string_view TextOrEmpty(const char* text) { return text ? std::string_view(text) : ""; }

// Starts the program registered for ".htm" files with the target on its command line.
// Every step that would not fit the command buffer gives up: a cut command is never run.
bool RunBrowserCommand(LinkPlatform& platform, std::string_view target, int show) {
    char command[kCommandBufferSize];
    if (ReadDefaultRegValue(platform, ".htm", command, sizeof command) != 0) return false;

    // The file class's name, then the key of its open command below it.
    std::size_t length = std::strlen(command);
    if (length + kOpenCommandKey.size() >= sizeof command) return false;
    std::memcpy(command + length, kOpenCommandKey.data(), kOpenCommandKey.size());
    command[length + kOpenCommandKey.size()] = '\0';
    if (ReadDefaultRegValue(platform, command, command, sizeof command) != 0) return false;

    length = CutCommandTemplate(command).size();
    if (length + 1 + target.size() >= sizeof command) return false;
    command[length] = ' ';
    std::memcpy(command + length + 1, target.data(), target.size());
    command[length + 1 + target.size()] = '\0';
    return platform.RunCommand(command, show) > kProgramStarted;
}

}  // namespace

LinkTarget ChooseLinkTarget(const HyperLinkerSettings& settings) {
    if (settings.Kind != LinkKind::MailAddress) return {"", TextOrEmpty(settings.WebAddress)};
    const std::string_view mail = TextOrEmpty(settings.MailAddress);
    if (mail.empty()) return {"", ""};
    return {kMailScheme, mail};
}

std::string_view CutCommandTemplate(std::string_view commandTemplate) {
    std::size_t end = commandTemplate.find("\"%1\"");
    if (end == std::string_view::npos) end = commandTemplate.find("%1");
    return commandTemplate.substr(0, end);
}

long ReadDefaultRegValue(LinkPlatform& platform, const char* keyName, char* out,
                         std::size_t outSize) {
    LinkPlatform::Key key = nullptr;
    if (const long status = platform.OpenClassesRootKey(keyName, &key); status != 0) {
        return status;
    }
    // Cleared first, so that a value handed back without its terminator still ends within
    // the buffer when it is shorter than the buffer.
    char value[kRegValueBufferSize] = {};
    long size = static_cast<long>(sizeof value);
    const long status = platform.QueryDefaultValue(key, value, &size);
    platform.CloseKey(key);
    if (status != 0) return status;

    const void* end = std::memchr(value, '\0', sizeof value);
    if (end == nullptr) return kValueDoesNotFit;
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(end) - value);
    if (length >= outSize) return kValueDoesNotFit;
    std::memcpy(out, value, length + 1);
    return 0;
}

bool OpenLinkTarget(LinkPlatform& platform, const HyperLinkerSettings& settings, int show) {
    const LinkTarget target = ChooseLinkTarget(settings);
    if (target.address.empty()) return false;
    // The target as one terminated text, as the shell wants it.
    std::string text(target.scheme);
    text += target.address;

    if (platform.ShellOpen(text.c_str(), show) > kHandedOn) return true;
    return RunBrowserCommand(platform, text, show);
}

}  // namespace ts
