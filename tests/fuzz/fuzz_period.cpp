// Fuzzes the minutes rule. ParseDecimal is checked against an oracle that shares none of its
// code: the accepted text, with d/D read as e, converted by the standard library's from_chars,
// whose correctly rounded conversion does not go through strtod.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

#include "schedule/period.h"
#ifdef TS_FUZZ_INTEGER_FIELD
#include "window/integer_field.h"
#endif

namespace {

[[noreturn]] void Fail(const char* what, std::string_view input, const std::string& detail) {
    std::fprintf(stderr, "%s\n  input (%zu bytes): ", what, input.size());
    for (const char c : input) std::fprintf(stderr, "%02X ", static_cast<unsigned char>(c));
    std::fprintf(stderr, "\n  %s\n", detail.c_str());
    std::abort();
}

std::string Hex(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

bool Digit(char c) { return c >= '0' && c <= '9'; }

// The value the grammar gives the text.
double OracleDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= 0x09 && text[i] <= 0x0D))) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') number += '-';  // from_chars takes no plus sign
        ++i;
    }
    const std::size_t mantissa = i;
    std::size_t digitCount = 0;
    std::size_t points = 0;
    while (i < text.size() && (Digit(text[i]) || (text[i] == '.' && points == 0))) {
        if (text[i] == '.')
            ++points;
        else
            ++digitCount;
        ++i;
    }
    if (digitCount == 0) return 0.0;
    const std::string_view digits = text.substr(mantissa, i - mantissa);
    number += digits;

    long long exponent = 0;  // saturated; only its sign and rough size matter below
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        std::string tail = "e";
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) tail += text[j++];
        if (j < text.size() && Digit(text[j])) {
            for (; j < text.size() && Digit(text[j]); ++j) {
                tail += text[j];
                if (exponent < 1000000000) exponent = exponent * 10 + (text[j] - '0');
            }
            if (tail[1] == '-') exponent = -exponent;
            number += tail;
        }
    }

    double value = std::nan("");
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (end != number.data() + number.size()) {
        Fail("oracle did not read the whole number", text, number);
    }
    if (error == std::errc()) return value;
    if (error != std::errc::result_out_of_range) Fail("oracle refused the number", text, number);

    // Out of range: infinite if the value is at least 1, zero otherwise.
    long long magnitude = 0;  // power of ten of the first non-zero digit
    const std::size_t point = digits.find('.');
    const std::size_t integerDigits = point == std::string_view::npos ? digits.size() : point;
    const std::size_t first = digits.find_first_of("123456789");
    if (first == std::string_view::npos) Fail("zero out of range", text, number);
    magnitude = first < integerDigits ? static_cast<long long>(integerDigits - first) - 1
                                      : -static_cast<long long>(first - integerDigits);
    const bool negative = number[0] == '-';
    const double result = magnitude + exponent >= 0 ? HUGE_VAL : 0.0;
    return negative ? -result : result;
}

std::int32_t OraclePeriod(double minutes) {
    const double product = minutes * 60000.0;  // SSE: one correctly rounded product
    const double truncated = std::trunc(product);
    if (!(truncated >= -2147483648.0 && truncated <= 2147483647.0)) return 0;
    return static_cast<std::int32_t>(truncated);
}

// The code page 936 form of a UTF-16 text, as far as the minutes rule can tell: the
// characters of the narrowing table by their own bytes, any other one as a hanzi.
std::string Cp936(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        auto pair = [&out](unsigned lead, unsigned trail) {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        };
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c == 0x3000)
            pair(0xA1, 0xA1);
        else if (c == 0xFF5E)
            pair(0xA1, 0xAB);
        else if (c == 0x2606)
            pair(0xA1, 0xEE);
        else if (c == 0x2605)
            pair(0xA1, 0xEF);
        else if (c == 0xFF04)
            pair(0xA1, 0xE7);
        else if (c == 0xFFE5)
            pair(0xA3, 0xA4);
        else if (c == 0xFFE3)
            pair(0xA3, 0xFE);
        else if (c >= 0xFF01 && c <= 0xFF5D)
            pair(0xA3, 0xA1u + (c - 0xFF01u));
        else
            pair(0xB7, 0xD6);  // 分
    }
    return out;
}

std::string Number(long long value) { return std::to_string(value); }

void CheckBytes(std::string_view text) {
    const double got = ts::ParseDecimal(text);
    const double expected = OracleDecimal(text);
    if (Bits(got) != Bits(expected)) {
        Fail("ParseDecimal differs from the oracle", text,
             "got " + Hex(got) + ", expected " + Hex(expected));
    }

    const std::string half = ts::ToHalfWidth(text);
    if (half.size() > text.size()) Fail("ToHalfWidth grew the text", text, half);
    const std::int32_t period = ts::MinutesToPeriod(text);
    const std::int32_t expectedPeriod = OraclePeriod(OracleDecimal(half));
    if (period != expectedPeriod) {
        Fail("MinutesToPeriod (code page 936) is wrong", text,
             "got " + Number(period) + ", expected " + Number(expectedPeriod));
    }
}

void CheckUtf16(std::string_view data) {
    std::u16string text(data.size() / 2, u'\0');
    for (std::size_t k = 0; k < text.size(); ++k) {
        text[k] = static_cast<char16_t>(static_cast<unsigned char>(data[2 * k]) |
                                        static_cast<unsigned char>(data[2 * k + 1]) << 8);
    }
    const std::u16string half = ts::ToHalfWidth(text);
    if (half.size() != text.size()) Fail("ToHalfWidth changed the UTF-16 length", data, "");
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (half[k] != text[k] && !(text[k] >= 0x80 && half[k] > 0x20 && half[k] < 0x7F) &&
            !(text[k] == 0x3000 && half[k] == u' ')) {
            Fail("ToHalfWidth made an unexpected character", data, "at " + Number(k));
        }
    }
    // Both tables narrow the same characters to the same ASCII.
    const std::string halfOfCodePage = ts::ToHalfWidth(Cp936(text));
    if (Cp936(half) != halfOfCodePage) {
        Fail("ToHalfWidth differs between UTF-16 and code page 936", data, halfOfCodePage);
    }
    const std::int32_t period = ts::MinutesToPeriod(std::u16string_view(text));
    const std::int32_t asCodePage = ts::MinutesToPeriod(Cp936(text));
    if (period != asCodePage) {
        Fail("MinutesToPeriod differs between UTF-16 and code page 936", data,
             "UTF-16 " + Number(period) + ", code page 936 " + Number(asCodePage));
    }

#ifdef TS_FUZZ_INTEGER_FIELD
    // What the field leaves behind: empty for 0, else an optional minus and digits without
    // leading zeros in the 32-bit range; normalising it again changes nothing.
    const std::u16string normal = ts::NormaliseIntegerText(text);
    std::string ascii;
    for (const char16_t c : normal) {
        if (c >= 0x80) Fail("normalised text is not ASCII", data, "");
        ascii += static_cast<char>(c);
    }
    const std::size_t sign = !ascii.empty() && ascii[0] == '-' ? 1 : 0;
    const bool wellFormed =
        ascii.empty() || (ascii.size() > sign && ascii[sign] >= '1' && ascii[sign] <= '9' &&
                          ascii.size() - sign <= 10 &&
                          ascii.find_first_not_of("0123456789", sign) == std::string::npos);
    if (!wellFormed) Fail("normalised text is malformed", data, ascii);
    const long long value = ascii.empty() ? 0 : std::stoll(ascii);
    if (value < INT32_MIN || value > INT32_MAX) Fail("normalised value out of range", data, ascii);
    if (ts::NormaliseIntegerText(normal) != normal) Fail("normalising twice differs", data, ascii);
    const long long product = value * 60000;
    const std::int32_t expectedPeriod =
        product >= INT32_MIN && product <= INT32_MAX ? static_cast<std::int32_t>(product) : 0;
    if (ts::MinutesToPeriod(std::u16string_view(normal)) != expectedPeriod) {
        Fail("MinutesToPeriod of a normalised text is wrong", data, ascii);
    }
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckBytes(text);
    CheckUtf16(text);
    return 0;
}
