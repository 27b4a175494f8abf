// The program's calls of platform functions, as Wine's relay log records them while a case runs.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// The argument lists of the program's calls of dll.function so far, oldest first, e.g.
// "00010062,000003e8,001b7740,00000000" for user32.SetTimer. Empty when the case logs none.
std::vector<std::string> RelayCalls(const char* dllDotFunction);

// The arguments of the call as the relay log prints them: 8 hexadecimal digits each.
std::string RelayArguments(const std::vector<unsigned long>& arguments);

}  // namespace e2e
