#include "window/integer_field.h"

#include <cstdint>

namespace ts {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

bool IntegerFieldAccepts(char16_t character) {
    return character < 0x20 || character == u'-' || IsDigit(character);
}

std::u16string NormaliseIntegerText(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

    // Accumulate the magnitude, saturating just past the 32-bit limit so that any number of
    // digits clamps instead of overflowing.
    constexpr std::int64_t kSaturated = std::int64_t{1} << 32;
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - u'0');
        if (magnitude > kSaturated) magnitude = kSaturated;
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    if (value == 0) return {};

    char16_t digits[12];
    std::size_t n = 0;
    std::uint64_t rest = static_cast<std::uint64_t>(value < 0 ? -value : value);
    do {
        digits[n++] = static_cast<char16_t>(u'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    std::u16string result;
    if (value < 0) result.push_back(u'-');
    while (n > 0) result.push_back(digits[--n]);
    return result;
}

}  // namespace ts
