#include "schedule/period.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace ts {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// "%a" keeps every bit: the sign of zero, infinity and the last place of the mantissa.
std::string Hex(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

// Exact decimal digits of a product of an integer and small factors, written out in full so
// that the rounding of the nearest-double ties can be tested with their true values.
std::string Times(std::string digits, unsigned factor, int count) {
    for (int k = 0; k < count; ++k) {
        unsigned carry = 0;
        for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
            const unsigned d = static_cast<unsigned>(*it - '0') * factor + carry;
            *it = static_cast<char>('0' + d % 10);
            carry = d / 10;
        }
        while (carry != 0) {
            digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
            carry /= 10;
        }
    }
    return digits;
}

std::string Repeat(char c, std::size_t count) { return std::string(count, c); }

// 2^-1075, half the smallest subnormal: 5^1075 / 10^1075.
const std::string kHalfSmallest = Times("1", 5, 1075) + "e-1075";
// Halfway between the largest double and 2^1024: (2^54 - 1) * 2^970.
const std::string kHalfAboveMax = Times("18014398509481983", 2, 970);
// Halfway between 0.1 and the double above it, times 10^57: 14411518807585589 * 5^57.
const std::string kTenthTie = Times("14411518807585589", 5, 57);
// The ties around the largest subnormal, times 10^1075: (2^53 - 3) * 5^1075 and
// (2^53 - 1) * 5^1075, decimals of 768 significant digits, as long as ties get. Like every
// such product they end in 5.
const std::string kTieBelowLargestSubnormal = Times("9007199254740989", 5, 1075);
const std::string kTieBelowSmallestNormal = Times("9007199254740991", 5, 1075);

struct ParseCase {
    const char* name;
    std::string text;
    double expected;
};

TEST(ParseDecimal, ReadsTheLongestLeadingNumberCorrectlyRounded) {
    // clang-format off
    const std::vector<ParseCase> cases = {
        // The grammar.
        {"empty text", "", 0.0},
        {"integer", "60", 60.0},
        {"all the white space before it", " \t\n\v\f\r5", 5.0},
        {"no-break space byte is not white space", "\xA0" "5", 0.0},
        {"plus sign", "+5", 5.0},
        {"minus sign", "-5", -5.0},
        {"minus zero keeps its sign", "-0", -0.0},
        {"two signs", "+-5", 0.0},
        {"space after the sign", "- 5", 0.0},
        {"leading zeros", "00012", 12.0},
        {"point after the digits", "5.", 5.0},
        {"point before the digits", ".5", 0.5},
        {"second point ends the number", "1.5.2", 1.5},
        {"lone point", ".", 0.0},
        {"signed lone point with exponent", "-.e1", 0.0},
        {"lone sign", "-", 0.0},
        {"comma ends the number", "1,5", 1.0},
        {"exponent e", "1e1", 10.0},
        {"exponent E with minus", "5E-1", 0.5},
        {"exponent d", "1d1", 10.0},
        {"exponent D with plus", "5D+2", 500.0},
        {"sign and point and exponent", "+.5e1", 5.0},
        {"letter without digits", "1e", 1.0},
        {"letter and sign without digits", "1e+", 1.0},
        {"letter and two signs", "5e+-1", 5.0},
        {"space inside the exponent", "5e 1", 5.0},
        {"point in the exponent ends it", "1e1.5", 10.0},
        {"hexadecimal stops at the x", "0x1A", 0.0},
        {"inf is no number", "inf", 0.0},
        {"infinity is no number", "infinity", 0.0},
        {"nan is no number", "nan", 0.0},
        {"letters", "abc", 0.0},
        {"full-width digits are not digits here", "\xA3\xB5", 0.0},
        {"text after the number", "5\xB7\xD6\xD6\xD3", 5.0},
        // Correct rounding.
        {"tie rounds to even", "9007199254740993", 0x1p53},
        {"just above the tie rounds up", "9007199254740993.00000000000000000001",
         0x1.0000000000001p53},
        {"just below the tie rounds down", "9007199254740992.99999999999999999999", 0x1p53},
        {"tie decided a thousand digits later", "9007199254740993" + Repeat('0', 1000) + "1e-1001",
         0x1.0000000000001p53},
        {"tie with a thousand zeros after it", "9007199254740993." + Repeat('0', 1000), 0x1p53},
        {"largest subnormal", "2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
        {"smallest normal", "2.2250738585072012e-308", 0x1p-1022},
        {"exact 0.1", "0.1000000000000000055511151231257827021181583404541015625",
         0x1.999999999999ap-4},
        {"tie above 0.1 rounds to even", kTenthTie + "e-57", 0x1.999999999999ap-4},
        {"tie above 0.1 and a little more", kTenthTie + Repeat('0', 300) + "1e-358",
         0x1.999999999999bp-4},
        {"1e23 is not a double", "1e23", 0x1.52d02c7e14af6p76},
        {"1e22 is a double", "1e22", 0x1.0f0cf064dd592p73},
        {"largest power of ten", "1e308", 0x1.1ccf385ebc8ap1023},
        {"0.1", "0.1", 0x1.999999999999ap-4},
        {"integer beyond 64 bits", "18446744073709551617", 0x1p64},
        {"tie rounds up to even", "9007199254740995", 0x1.0000000000002p53},
        {"tie below a power of two rounds up to it", "9007199254740991.5", 0x1p53},
        {"tie below 1 rounds up to it",
         "0.999999999999999944488848768742172978818416595458984375", 1.0},
        {"just below the tie below 1",
         "0.999999999999999944488848768742172978818416595458984374999", 0x1.fffffffffffffp-1},
        {"longest tie rounds down to even", kTieBelowLargestSubnormal + "e-1075",
         0x0.ffffffffffffep-1022},
        {"longest tie and a 769th digit", kTieBelowLargestSubnormal + "1e-1076",
         0x0.fffffffffffffp-1022},
        {"longest tie and a digit beyond the kept ones",
         kTieBelowLargestSubnormal + Repeat('0', 100) + "1e-1176", 0x0.fffffffffffffp-1022},
        {"longest tie rounds up to even into the normal numbers",
         kTieBelowSmallestNormal + "e-1075", 0x1p-1022},
        {"just below that tie",
         kTieBelowSmallestNormal.substr(0, kTieBelowSmallestNormal.size() - 1) + "4999e-1078",
         0x0.fffffffffffffp-1022},
        {"subnormal tie rounds up to even", Times("3", 5, 1075) + "e-1075",
         0x0.0000000000002p-1022},
        {"subnormal tie rounds down to even", Times("5", 5, 1075) + "e-1075",
         0x0.0000000000002p-1022},
        {"smallest subnormal", "4.9406564584124654e-324", 0x0.0000000000001p-1022},
        {"below half the smallest subnormal", "2.4703282292062327e-324", 0.0},
        {"above half the smallest subnormal", "2.4703282292062328e-324", 0x0.0000000000001p-1022},
        {"exactly half the smallest subnormal is a tie to zero", kHalfSmallest, 0.0},
        {"half the smallest subnormal and a little more",
         kHalfSmallest.substr(0, kHalfSmallest.size() - 6) + "1e-1076", 0x0.0000000000001p-1022},
        {"negative underflow keeps the sign", "-1e-400", -0.0},
        {"largest double", "1.7976931348623158e308", 0x1.fffffffffffffp1023},
        {"largest double in all its digits", Times("9007199254740991", 2, 971),
         0x1.fffffffffffffp1023},
        {"just below the tie above the largest double", "1.797693134862315807e308",
         0x1.fffffffffffffp1023},
        {"just above the tie above the largest double", "1.797693134862315808e308", kInf},
        {"just above the largest double", "1.7976931348623159e308", kInf},
        {"tie above the largest double overflows", kHalfAboveMax, kInf},
        {"just below that tie", Times("1801439850948198299999", 2, 970) + "e-5",
         0x1.fffffffffffffp1023},
        {"negative overflow", "-1e309", -kInf},
        // Exponents and digit runs far beyond the range of a double.
        {"huge exponent", "1e999999999999999999", kInf},
        {"huge negative exponent", "1e-999999999999999", 0.0},
        {"huge exponent of zero", "0e999999999999999999", 0.0},
        {"huge exponent with a sign", "-1D999999999999999999999999999999", -kInf},
        {"huge exponent after many leading zeros", "0." + Repeat('0', 5000) + "1e5001", 1.0},
        {"many digits scaled down", "1" + Repeat('0', 5000) + "e-5000", 1.0},
        {"many digits overflow", Repeat('1', 5000), kInf},
        {"many digits after the point", "0." + Repeat('3', 5000), 0x1.5555555555555p-2},
        {"a million nines", Repeat('9', 1000000) + "e-1000000", 1.0},
        {"most digits at the smallest power of ten", Repeat('9', 801) + "e-1200", 0.0},
        {"most digits at the largest power of ten", Repeat('9', 801) + "e-400", kInf},
    };
    // clang-format on
    for (const ParseCase& c : cases) {
        EXPECT_EQ(Hex(ParseDecimal(c.text)), Hex(c.expected)) << c.name;
    }
}

TEST(ToHalfWidth, NarrowsTheFullWidthFormsOfCodePage936) {
    // clang-format off
    const struct {
        const char* name;
        std::string text;
        std::string expected;
    } cases[] = {
        {"ASCII stays", " 0x1A,-+.~", " 0x1A,-+.~"},
        {"ideographic space", "\xA1\xA1", " "},
        {"full-width tilde", "\xA1\xAB", "~"},
        {"white and black star", "\xA1\xEE\xA1\xEF", "**"},
        {"first of the full-width row", "\xA3\xA1", "!"},
        {"full-width digits", "\xA3\xB1\xA3\xB0", "10"},
        {"full-width full stop", "\xA3\xAE", "."},
        {"yuan sign of the row", "\xA3\xA4", "$"},
        {"macron at the end of the row", "\xA3\xFE", "~"},
        {"full-width dollar is elsewhere and stays", "\xA1\xE7", "\xA1\xE7"},
        {"before the row stays", "\xA3\xA0", "\xA3\xA0"},
        {"after the row stays", "\xA3\xFF", "\xA3\xFF"},
        {"other punctuation stays", "\xA1\xA2", "\xA1\xA2"},
        {"hanzi stay", "5\xB7\xD6\xD6\xD3", "5\xB7\xD6\xD6\xD3"},
        {"trail byte below 0x80 belongs to its lead", "\x81" "5\xA3\xB5", "\x81" "55"},
        {"lone lead byte at the end is dropped", "12\xA3", "12"},
        {"only a lone lead byte", "\xB7", ""},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(ToHalfWidth(c.text), c.expected) << c.name;
}

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, c < 0x80 ? "%c" : "\\u%04X", static_cast<unsigned>(c));
        out += buffer;
    }
    return out;
}

TEST(ToHalfWidth, NarrowsTheSameCharactersInUtf16) {
    // clang-format off
    const struct {
        const char* name;
        std::u16string text;
        std::u16string expected;
    } cases[] = {
        {"ASCII stays", u" 0x1A,-+.~", u" 0x1A,-+.~"},
        {"ideographic space", u"\u3000", u" "},
        {"full-width tilde", u"\uFF5E", u"~"},
        {"white and black star", u"\u2606\u2605", u"**"},
        {"first full-width form", u"\uFF01", u"!"},
        {"last full-width form", u"\uFF5D", u"}"},
        {"full-width digits", u"１０", u"10"},
        {"yuan sign", u"\uFFE5", u"$"},
        {"full-width macron", u"\uFFE3", u"~"},
        {"full-width dollar stays", u"\uFF04", u"\uFF04"},
        {"before the forms stays", u"\uFF00", u"\uFF00"},
        {"after the forms stays", u"\uFF5F", u"\uFF5F"},
        {"hanzi stay", u"5分钟", u"5分钟"},
        {"surrogate pair stays", u"\xD83D\xDE00", u"\xD83D\xDE00"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8(ToHalfWidth(c.text)), Utf8(c.expected)) << c.name;
    }
}

struct PeriodCase {
    const char* name;
    std::string cp936;
    const char16_t* utf16;  // the same text in UTF-16; none where it has no counterpart
    std::int32_t expected;
};

TEST(MinutesToPeriod, GivesMillisecondsOrZeroInBothForms) {
    // clang-format off
    const std::vector<PeriodCase> cases = {
        // What the field leaves behind.
        {"initial text", "60", u"60", 3600000},
        {"one minute", "1", u"1", 60000},
        {"a day", "1440", u"1440", 86400000},
        {"largest whole minutes that fit", "35791", u"35791", 2147460000},
        {"negative minutes stay negative", "-5", u"-5", -300000},
        {"most negative field value", "-2147483648", u"-2147483648", 0},
        {"empty text", "", u"", 0},
        // Texts that the field does not leave behind.
        {"half a minute", "0.5", u"0.5", 30000},
        {"full-width digits around a point", "\xA3\xB0.\xA3\xB5", u"０.５", 30000},
        {"full-width full stop", "\xA3\xAE\xA3\xB5", u"．５", 30000},
        {"full-width ten", "\xA3\xB1\xA3\xB0", u"１０", 600000},
        {"ideographic space before ten", "\xA1\xA1" "10", u"\u300010", 600000},
        {"space before five", " 5", u" 5", 300000},
        {"tab before five", "\t5", u"\t5", 300000},
        {"five followed by minutes", "5\xB7\xD6\xD6\xD3", u"5分钟", 300000},
        {"exponent e", "1e1", u"1e1", 600000},
        {"exponent d", "1d1", u"1d1", 600000},
        {"sign, point and exponent", "+.5e1", u"+.5e1", 300000},
        {"full-width sign, point and exponent", "\xA3\xAB\xA3\xAE\xA3\xB5\xA3\xE5\xA3\xB1", u"＋．５ｅ１", 300000},
        {"full-width minus", "\xA3\xAD\xA3\xB5", u"－５", -300000},
        {"second point", "1.5.2", u"1.5.2", 90000},
        {"comma", "1,5", u"1,5", 60000},
        {"full-width comma", "\xA3\xB1\xA3\xAC\xA3\xB5", u"１，５", 60000},
        {"exponent letter alone", "1e", u"1e", 60000},
        {"exponent letter and sign", "1e+", u"1e+", 60000},
        {"hexadecimal", "0x1A", u"0x1A", 0},
        {"letters", "abc", u"abc", 0},
        {"inf", "inf", u"inf", 0},
        {"nan", "nan", u"nan", 0},
        {"lone full stop", ".", u".", 0},
        {"lone minus sign", "-", u"-", 0},
        {"6 ms", "0.0001", u"0.0001", 6},
        {"0.6 ms truncated", "0.00001", u"0.00001", 0},
        {"negative fraction truncated toward zero", "-0.00001", u"-0.00001", 0},
        {"minus zero", "-0", u"-0", 0},
        {"yuan sign is no digit", "\xA3\xA4" "5", u"\uFFE5" "5", 0},
        {"hanzi before the number", "\xB7\xD6" "5", u"分5", 0},
        {"lone lead byte at the end", "5\xB7", nullptr, 300000},
        {"lead byte swallows the digit after it", "\x81" "5", nullptr, 0},
        // Delays that do not fit the signed 32-bit period are refused.
        {"one minute too many", "35792", u"35792", 0},
        {"last millisecond that fits", "35791.39411667", u"35791.39411667", 2147483647},
        {"first millisecond that does not fit", "35791.3941334", u"35791.3941334", 0},
        {"one minute too few", "-35792", u"-35792", 0},
        {"most negative period", "-35791.394133334", u"-35791.394133334", -2147483647 - 1},
        {"below the most negative period", "-35791.3942", u"-35791.3942", 0},
        {"would wrap to a few seconds", "71583", u"71583", 0},
        {"largest field value", "2147483647", u"2147483647", 0},
        {"far too large", "1e300", u"1e300", 0},
        {"infinite", "1e999", u"1e999", 0},
        {"negative infinite", "-1e999", u"-1e999", 0},
    };
    // clang-format on
    for (const PeriodCase& c : cases) {
        EXPECT_EQ(MinutesToPeriod(c.cp936), c.expected) << c.name << " (code page 936)";
        if (c.utf16 != nullptr) {
            EXPECT_EQ(MinutesToPeriod(std::u16string_view(c.utf16)), c.expected)
                << c.name << " (UTF-16)";
        }
    }
}

}  // namespace
}  // namespace ts
