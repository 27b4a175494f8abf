// Decimal to binary: the double nearest to a decimal number, computed with exact integers and
// without the C library, so that every platform and every FPU mode gives the same bits.
#pragma once

#include <cstddef>
#include <string_view>

namespace ts {

// Every tie between two neighbouring doubles is a decimal with at most 767 significant
// digits, so a number cut to this many digits, followed by a 1 when a non-zero digit was cut
// off, rounds like the whole number.
constexpr std::size_t kDecimalDigitsKept = 800;
// Beyond these powers of ten of its first digit a number is infinite or zero whatever its
// digits.
constexpr long long kDecimalExponentLimit = 400;

// The double nearest to digits × 10^exponent, ties to even: subnormal near zero, 0 below half
// the smallest one, infinity from halfway above the largest double on. The digits are ASCII,
// the first one not '0', at most kDecimalDigitsKept + 1 of them; the power of ten of the
// first digit, exponent + size - 1, lies within ±kDecimalExponentLimit. These bounds size
// the fixed integers of the conversion.
double DecimalToDouble(std::string_view digits, int exponent);

}  // namespace ts
