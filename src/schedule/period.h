// The period rule: the minutes text of the field becomes the timer's period in milliseconds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ts {

constexpr double kMillisecondsPerMinute = 60000.0;

// Full-width forms of code page 936 become their ASCII counterparts; a lone lead byte at the
// end is dropped.
std::string ToHalfWidth(std::string_view cp936);
// The same table on the corresponding UTF-16 characters.
std::u16string ToHalfWidth(std::u16string_view text);

// The longest leading decimal number of the text, correctly rounded to the nearest double;
// 0 when there is none. Locale-independent.
double ParseDecimal(std::string_view text);

// The period for a minutes text; a product outside the signed 32-bit range gives 0.
std::int32_t MinutesToPeriod(std::string_view cp936);
std::int32_t MinutesToPeriod(std::u16string_view text);

}  // namespace ts
