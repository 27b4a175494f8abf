#include "schedule/decimal.h"

#include <cstdint>
#include <cstring>

namespace ts {

namespace {

// The largest integer formed is the divisor 5^1200 of the smallest exponent, shifted by the
// bits of the quotient: below 2^2845, 89 limbs.
constexpr int kLimbs = 96;

// An unsigned integer in 32-bit limbs, the least significant first, without zero limbs on top.
struct BigInteger {
    std::uint32_t limbs[kLimbs];
    int size = 0;
};

void MultiplyAdd(BigInteger& x, std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (int i = 0; i < x.size; ++i) {
        carry += std::uint64_t{x.limbs[i]} * factor;
        x.limbs[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    if (carry != 0) x.limbs[x.size++] = static_cast<std::uint32_t>(carry);
}

void MultiplyByPowerOfFive(BigInteger& x, int power) {
    constexpr std::uint32_t kFiveToThe13th = 1220703125;  // the largest that fits a limb
    for (; power >= 13; power -= 13) MultiplyAdd(x, kFiveToThe13th, 0);
    std::uint32_t factor = 1;
    for (; power > 0; --power) factor *= 5;
    MultiplyAdd(x, factor, 0);
}

void ShiftLeft(BigInteger& x, int bits) {
    if (x.size == 0) return;
    const int whole = bits / 32;
    for (int i = x.size - 1; i >= 0; --i) x.limbs[i + whole] = x.limbs[i];
    for (int i = 0; i < whole; ++i) x.limbs[i] = 0;
    x.size += whole;
    MultiplyAdd(x, std::uint32_t{1} << bits % 32, 0);
}

int BitLength(const BigInteger& x) {
    if (x.size == 0) return 0;
    int bits = 32 * (x.size - 1);
    for (std::uint32_t top = x.limbs[x.size - 1]; top != 0; top >>= 1) ++bits;
    return bits;
}

int Compare(const BigInteger& a, const BigInteger& b) {
    if (a.size != b.size) return a.size < b.size ? -1 : 1;
    for (int i = a.size - 1; i >= 0; --i) {
        if (a.limbs[i] != b.limbs[i]) return a.limbs[i] < b.limbs[i] ? -1 : 1;
    }
    return 0;
}

// a -= b, where b <= a.
void Subtract(BigInteger& a, const BigInteger& b) {
    std::uint64_t borrow = 0;
    for (int i = 0; i < a.size; ++i) {
        const std::uint64_t difference =
            std::uint64_t{a.limbs[i]} - (i < b.size ? b.limbs[i] : 0) - borrow;
        a.limbs[i] = static_cast<std::uint32_t>(difference);
        borrow = difference >> 63;  // a negative difference wrapped around
    }
    while (a.size > 0 && a.limbs[a.size - 1] == 0) --a.size;
}

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;
constexpr int kMantissaBits = 53;        // with the implicit leading 1
constexpr int kLowestExponent = -1074;   // of the last bit of the smallest subnormal
constexpr int kInfiniteExponent = 1024;  // 2^1024 and beyond round to infinity
// The highest bit the quotient can have: its 54 or 55 bits hold the 53 a double keeps and
// the one below them that decides the rounding; the rest of the value only counts as being
// non-zero.
constexpr int kQuotientBits = kMantissaBits + 1;

}  // namespace

double DecimalToDouble(std::string_view digits, int exponent) {
    // The value is numerator / denominator × 2^exponent, with 10^exponent split into its
    // powers of five and two.
    BigInteger numerator;
    std::uint32_t chunk = 0;
    std::uint32_t chunkScale = 1;
    for (const char c : digits) {
        chunk = chunk * 10 + static_cast<std::uint32_t>(c - '0');
        chunkScale *= 10;
        if (chunkScale == 1000000000) {
            MultiplyAdd(numerator, chunkScale, chunk);
            chunk = 0;
            chunkScale = 1;
        }
    }
    MultiplyAdd(numerator, chunkScale, chunk);
    if (numerator.size == 0) return 0.0;
    BigInteger denominator;
    denominator.limbs[0] = 1;
    denominator.size = 1;
    MultiplyByPowerOfFive(exponent >= 0 ? numerator : denominator,
                          exponent >= 0 ? exponent : -exponent);

    // Scaled by 2^shift, the quotient lies in [2^(kQuotientBits - 1), 2^(kQuotientBits + 1)).
    const int shift = kQuotientBits - (BitLength(numerator) - BitLength(denominator));
    if (shift >= 0) {
        ShiftLeft(numerator, shift);
    } else {
        ShiftLeft(denominator, -shift);
    }
    // Long division one bit at a time: the remainder doubles against the divisor shifted to
    // the top bit of the quotient.
    ShiftLeft(denominator, kQuotientBits);
    std::uint64_t quotient = 0;
    for (int i = 0; i <= kQuotientBits; ++i) {
        quotient <<= 1;
        if (Compare(numerator, denominator) >= 0) {
            Subtract(numerator, denominator);
            quotient |= 1;
        }
        ShiftLeft(numerator, 1);
    }
    const bool inexact = numerator.size != 0;
    const int quotientExponent = exponent - shift;  // of the last bit of the quotient
    const int length = (quotient >> kQuotientBits) != 0 ? kQuotientBits + 1 : kQuotientBits;

    if (length + quotientExponent > kInfiniteExponent) return FromBits(kInfinityBits);
    // The bits below the last one the double keeps: beyond its 53, or beyond 2^-1074.
    int dropped = length - kMantissaBits;
    if (quotientExponent + dropped < kLowestExponent) dropped = kLowestExponent - quotientExponent;
    if (dropped > length) return 0.0;  // below half the smallest subnormal
    std::uint64_t mantissa = quotient >> dropped;
    const std::uint64_t rest = quotient - (mantissa << dropped);
    const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
    if (rest > half || (rest == half && (inexact || (mantissa & 1) != 0))) ++mantissa;
    // With the implicit 1 of a normal number added to the biased exponent less one, a mantissa
    // rounded up to the next power of two carries into the exponent: a subnormal becomes the
    // smallest normal number, the largest double becomes infinity.
    const auto biasedExponentLessOne =
        static_cast<std::uint64_t>(quotientExponent + dropped - kLowestExponent);
    return FromBits((biasedExponentLessOne << (kMantissaBits - 1)) + mantissa);
}

}  // namespace ts
