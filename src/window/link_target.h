// Opening the link label's target: first through the shell, and when the shell cannot hand
// it on, by starting the program that the registry associates with ".htm" files.
//
// The logic is written against LinkPlatform, the handful of Win32 calls it makes, so that it
// runs the same against the real system and against a stand-in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "window/description.h"

namespace ts {

class LinkPlatform {
public:
    using Key = void*;

    // ShellExecuteA(no owner, "open", target, no parameters, no directory, show).
    virtual std::intptr_t ShellOpen(const char* target, int show) = 0;
    // RegOpenKeyExA(HKEY_CLASSES_ROOT, name, 0, KEY_QUERY_VALUE, key); 0 on success.
    virtual long OpenClassesRootKey(const char* name, Key* key) = 0;
    // RegQueryValueA(key, no subkey, buffer, size): *size is the buffer's size on entry and
    // the bytes the value needs, terminator included, on return; ERROR_MORE_DATA when the
    // value does not fit.
    virtual long QueryDefaultValue(Key key, char* buffer, long* size) = 0;
    // RegCloseKey.
    virtual void CloseKey(Key key) = 0;
    // WinExec(commandLine, show).
    virtual unsigned RunCommand(const char* commandLine, int show) = 0;

protected:
    ~LinkPlatform() = default;
};

// Registry values are read whole into this many bytes, terminator included.
constexpr std::size_t kRegValueBufferSize = 260;
// The fallback composes its command line in this many bytes, terminator included.
constexpr std::size_t kCommandBufferSize = 520;
// The status of a read whose value does not fit the value buffer (Windows' ERROR_MORE_DATA).
constexpr long kValueDoesNotFit = 234;

// What the label hands on, in two pieces: "mailto:" and the mail address, or no scheme and
// the web address as stored. The address is empty when there is nothing to open.
struct LinkTarget {
    std::string_view scheme;
    std::string_view address;
};

LinkTarget ChooseLinkTarget(const HyperLinkerSettings& settings);

// The part of a browser's command template that comes before its "%1" placeholder: before
// the first quoted "%1" if there is one, else before the first bare %1, else all of it.
std::string_view CutCommandTemplate(std::string_view commandTemplate);

// Reads the default value of the key keyName below HKEY_CLASSES_ROOT into out (outSize
// bytes), which may be the very buffer that holds keyName. Returns 0 on success; otherwise
// the failed call's status, or kValueDoesNotFit for a value that is not terminated within
// the value buffer or does not fit out. On failure out is left as it was; an opened key is
// closed either way.
long ReadDefaultRegValue(LinkPlatform& platform, const char* keyName, char* out,
                         std::size_t outSize);

// Hands the label's target on with the given show command; true when it was.
bool OpenLinkTarget(LinkPlatform& platform, const HyperLinkerSettings& settings, int show);

}  // namespace ts
