#include "schedule/period.h"

#include <cmath>
#include <cstddef>

#include "schedule/decimal.h"

namespace ts {

namespace {

constexpr unsigned char kLeadByteMin = 0x80;

// Full-width forms in code page 936 that the minutes text may contain, besides the row
// 0xA3 0xA1..0xFE, which maps on its second byte minus 0x80.
char HalfWidthOfPair(unsigned char lead, unsigned char trail) {
    if (lead == 0xA1) {
        switch (trail) {
        case 0xA1: return ' ';  // ideographic space
        case 0xAB: return '~';  // full-width tilde
        case 0xEE:              // white star
        case 0xEF: return '*';  // black star
        }
        return 0;
    }
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
    return 0;
}

char16_t HalfWidthOf(char16_t c) {
    switch (c) {
    case 0x3000: return u' ';
    case 0xFF5E: return u'~';
    case 0x2606:
    case 0x2605: return u'*';
    // Code page 936 has no full-width dollar sign: its 0xA3 0xA4 is the yuan sign, and its
    // 0xA3 0xFE is the full-width macron, both of which it narrows like their neighbours.
    case 0xFF04: return c;
    case 0xFFE5: return u'$';
    case 0xFFE3: return u'~';
    }
    if (c >= 0xFF01 && c <= 0xFF5D) return static_cast<char16_t>(c - 0xFEE0);
    return c;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Exponents are saturated far beyond the range of a double, so that no integer can overflow.
constexpr long long kExponentCeiling = 1000000000000000LL;

std::int32_t PeriodOfMinutes(double minutes) {
    // The store rounds the product to a double even where the FPU computes with more
    // precision; the x87 product of two doubles, one of them 60000, is still exact, so this
    // is the only rounding.
    volatile double product = minutes * kMillisecondsPerMinute;
    const double p = product;
    // Delays beyond the 32-bit period are refused rather than wrapped into short ones.
    if (!(p > -2147483649.0 && p < 2147483648.0)) return 0;
    return static_cast<std::int32_t>(p);
}

}  // namespace

std::string ToHalfWidth(std::string_view cp936) {
    std::string out;
    out.reserve(cp936.size());
    for (std::size_t i = 0; i < cp936.size(); ++i) {
        const auto lead = static_cast<unsigned char>(cp936[i]);
        if (lead < kLeadByteMin) {
            out += cp936[i];
            continue;
        }
        if (i + 1 == cp936.size()) break;  // a lead byte without its trail byte
        const auto trail = static_cast<unsigned char>(cp936[i + 1]);
        if (const char half = HalfWidthOfPair(lead, trail)) {
            out += half;
        } else {
            out += cp936[i];
            out += cp936[i + 1];
        }
        ++i;
    }
    return out;
}

std::u16string ToHalfWidth(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) out += HalfWidthOf(c);
    return out;
}

double ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // The mantissa, reduced to its significant digits and the power of ten of the first.
    std::string digits;
    bool droppedNonZero = false;
    bool anyDigit = false;
    bool afterPoint = false;
    long long significantBeforePoint = 0;  // digits from the first non-zero one to the point
    long long zerosAfterPoint = 0;         // before the first non-zero digit
    for (; i < n; ++i) {
        const char c = text[i];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!IsDigit(c)) break;
        anyDigit = true;
        if (digits.empty() && c == '0') {
            if (afterPoint) ++zerosAfterPoint;
            continue;
        }
        if (!afterPoint) ++significantBeforePoint;
        if (digits.size() < kDecimalDigitsKept) {
            digits += c;
        } else if (c != '0') {
            droppedNonZero = true;
        }
    }
    if (!anyDigit) return 0.0;
    long long leadExponent =
        significantBeforePoint > 0 ? significantBeforePoint - 1 : -(zerosAfterPoint + 1);

    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
        if (j < n && IsDigit(text[j])) {
            long long exponent = 0;
            for (; j < n && IsDigit(text[j]); ++j) {
                if (exponent < kExponentCeiling) exponent = exponent * 10 + (text[j] - '0');
            }
            leadExponent += negativeExponent ? -exponent : exponent;
        }
    }

    double magnitude;
    if (digits.empty()) {
        magnitude = 0.0;
    } else if (leadExponent > kDecimalExponentLimit) {
        magnitude = HUGE_VAL;
    } else if (leadExponent < -kDecimalExponentLimit) {
        magnitude = 0.0;
    } else {
        if (droppedNonZero) {
            digits += '1';
        } else {
            while (digits.back() == '0') digits.pop_back();
        }
        const auto scale =
            static_cast<int>(leadExponent + 1 - static_cast<long long>(digits.size()));
        magnitude = DecimalToDouble(digits, scale);
    }
    return negative ? -magnitude : magnitude;
}

std::int32_t MinutesToPeriod(std::string_view cp936) {
    return PeriodOfMinutes(ParseDecimal(ToHalfWidth(cp936)));
}

std::int32_t MinutesToPeriod(std::u16string_view text) {
    const std::u16string half = ToHalfWidth(text);
    std::string bytes(half.size(), '\x80');  // any other character ends a number
    for (std::size_t i = 0; i < half.size(); ++i) {
        if (half[i] < 0x80) bytes[i] = static_cast<char>(half[i]);
    }
    return PeriodOfMinutes(ParseDecimal(bytes));
}

}  // namespace ts
