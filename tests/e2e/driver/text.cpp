#include "text.h"

#include <cstdio>

namespace e2e {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int wideLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, &result[0], length, nullptr, nullptr);
    return result;
}

std::string Quoted(const std::wstring& text) {
    std::wstring escaped = L"\"";
    for (wchar_t c : text) {
        switch (c) {
        case L'"': escaped += L"\\\""; break;
        case L'\\': escaped += L"\\\\"; break;
        case L'\r': escaped += L"\\r"; break;
        case L'\n': escaped += L"\\n"; break;
        case L'\t': escaped += L"\\t"; break;
        default:
            if (c < 0x20) {
                wchar_t code[8];
                swprintf(code, 8, L"\\x%02x", static_cast<unsigned>(c));
                escaped += code;
            } else {
                escaped += c;
            }
        }
    }
    return Utf8(escaped + L"\"");
}

std::string Describe(const RECT& rect) {
    char text[96];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld) %ldx%ld", rect.left, rect.top, rect.right,
                  rect.bottom, rect.right - rect.left, rect.bottom - rect.top);
    return text;
}

}  // namespace e2e
