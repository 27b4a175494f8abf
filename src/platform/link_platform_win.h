// The web link's platform operations on Win32: the shell, the registry and WinExec.
#pragma once

#include "window/link_target.h"

namespace ts {

class Win32LinkPlatform : public LinkPlatform {
public:
    std::intptr_t ShellOpen(const char* target, int show) override;
    long OpenClassesRootKey(const char* name, Key* key) override;
    long QueryDefaultValue(Key key, char* buffer, long* size) override;
    void CloseKey(Key key) override;
    unsigned RunCommand(const char* commandLine, int show) override;
};

}  // namespace ts
