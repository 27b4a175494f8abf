// Text helpers for the driver's messages: they print UTF-8, whatever the code page.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

std::string Utf8(const std::wstring& text);

// The text in double quotes, with control characters and quotes escaped, e.g. "60\r\n".
std::string Quoted(const std::wstring& text);

// "(left,top)-(right,bottom) widthxheight"
std::string Describe(const RECT& rect);

}  // namespace e2e
