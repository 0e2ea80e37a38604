// SPDX-License-Identifier: GPL-3.0-or-later
// The shortest digits of a single by exact integer arithmetic on the
// bounds of its rounding interval, scaled by powers of five held to 59 and
// 61 bits (the Ryu method, for singles).
#include "numbers/fewest_digits.hpp"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace numbers {

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kMantissaBits = 23;
constexpr int kExponentBias = 127;
constexpr int kInverseBits = 59;  // precision of the table of 2^k / 5^q
constexpr int kPowerBits = 61;    // precision of the table of 5^i / 2^k
constexpr int kInverseCount = 31;
constexpr int kPowerCount = 47;

// Bits of 5^e, for e >= 1 (1 for e = 0).
constexpr int pow5_bits(int e)
{
    return static_cast<int>((static_cast<std::uint32_t>(e) * 1217359) >> 19) + 1;
}
constexpr int log10_pow2(int e)
{
    return static_cast<int>((static_cast<std::uint32_t>(e) * 78913) >> 18);
}
constexpr int log10_pow5(int e)
{
    return static_cast<int>((static_cast<std::uint32_t>(e) * 732923) >> 20);
}

constexpr Wide pow5(int e)
{
    Wide result = 1;
    for (int i = 0; i < e; ++i)
        result *= 5;
    return result;
}

// floor(2^(pow5_bits(q) - 1 + kInverseBits) / 5^q) + 1.
constexpr std::array<std::uint64_t, kInverseCount> inverse_table()
{
    std::array<std::uint64_t, kInverseCount> table{};
    for (int q = 0; q < kInverseCount; ++q) {
        const int shift = pow5_bits(q) - 1 + kInverseBits;
        // 2^128 is no multiple of 5^q, so its floor is that of 2^128 - 1.
        const Wide numerator = shift >= 128 ? ~Wide(0) : Wide(1) << shift;
        table[static_cast<std::size_t>(q)] = static_cast<std::uint64_t>(numerator / pow5(q)) + 1;
    }
    return table;
}

// 5^i scaled to kPowerBits bits, truncated.
constexpr std::array<std::uint64_t, kPowerCount> power_table()
{
    std::array<std::uint64_t, kPowerCount> table{};
    for (int i = 0; i < kPowerCount; ++i) {
        const int shift = pow5_bits(i) - kPowerBits;
        table[static_cast<std::size_t>(i)] =
            static_cast<std::uint64_t>(shift >= 0 ? pow5(i) >> shift : pow5(i) << -shift);
    }
    return table;
}

constexpr auto kInverse = inverse_table();
constexpr auto kPower = power_table();

std::uint32_t mul_shift(std::uint32_t m, std::uint64_t factor, int shift)
{
    const std::uint64_t low = static_cast<std::uint64_t>(m) * static_cast<std::uint32_t>(factor);
    const std::uint64_t high = static_cast<std::uint64_t>(m) * (factor >> 32);
    return static_cast<std::uint32_t>(((low >> 32) + high) >> (shift - 32));
}
std::uint32_t times_inverse_pow5(std::uint32_t m, int q, int shift)
{
    return mul_shift(m, kInverse[static_cast<std::size_t>(q)], shift);
}
std::uint32_t times_pow5(std::uint32_t m, int i, int shift)
{
    return mul_shift(m, kPower[static_cast<std::size_t>(i)], shift);
}

int pow5_factor(std::uint32_t value)
{
    int count = 0;
    for (; value % 5 == 0; value /= 5)
        ++count;
    return count;
}
bool multiple_of_pow5(std::uint32_t value, int p)
{
    return pow5_factor(value) >= p;
}
bool multiple_of_pow2(std::uint32_t value, int p)
{
    return (value & ((1u << p) - 1)) == 0;
}

}  // namespace

DecimalDigits fewest_digits(float value) noexcept
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const std::uint32_t mantissa = bits & ((1u << kMantissaBits) - 1);
    const int biased = static_cast<int>((bits >> kMantissaBits) & 0xFF);

    // The value and the bounds of its interval, times 4, as m x 2^e2.
    const int e2 = (biased == 0 ? 1 : biased) - kExponentBias - kMantissaBits - 2;
    const std::uint32_t m2 = biased == 0 ? mantissa : (1u << kMantissaBits) | mantissa;
    const bool accept_bounds = (m2 & 1) == 0;  // an even mantissa owns its interval's ends
    const std::uint32_t mv = 4 * m2, mp = 4 * m2 + 2;
    const std::uint32_t mm_shift = mantissa != 0 || biased <= 1;
    const std::uint32_t mm = 4 * m2 - 1 - mm_shift;

    std::uint32_t vr = 0, vp = 0, vm = 0;
    int e10 = 0;
    bool vm_trailing_zeros = false, vr_trailing_zeros = false;
    std::uint32_t last_removed = 0;
    if (e2 >= 0) {
        const int q = log10_pow2(e2);
        e10 = q;
        const int k = kInverseBits + pow5_bits(q) - 1;
        const int i = -e2 + q + k;
        vr = times_inverse_pow5(mv, q, i);
        vp = times_inverse_pow5(mp, q, i);
        vm = times_inverse_pow5(mm, q, i);
        if (q != 0 && (vp - 1) / 10 <= vm / 10) {
            const int l = kInverseBits + pow5_bits(q - 1) - 1;
            last_removed = times_inverse_pow5(mv, q - 1, -e2 + q - 1 + l) % 10;
        }
        if (q <= 9) {
            if (mv % 5 == 0)
                vr_trailing_zeros = multiple_of_pow5(mv, q);
            else if (accept_bounds)
                vm_trailing_zeros = multiple_of_pow5(mm, q);
            else
                vp -= multiple_of_pow5(mp, q);
        }
    } else {
        const int q = log10_pow5(-e2);
        e10 = q + e2;
        const int i = -e2 - q;
        const int k = pow5_bits(i) - kPowerBits;
        int j = q - k;
        vr = times_pow5(mv, i, j);
        vp = times_pow5(mp, i, j);
        vm = times_pow5(mm, i, j);
        if (q != 0 && (vp - 1) / 10 <= vm / 10) {
            j = q - 1 - (pow5_bits(i + 1) - kPowerBits);
            last_removed = times_pow5(mv, i + 1, j) % 10;
        }
        if (q <= 1) {
            vr_trailing_zeros = true;
            if (accept_bounds)
                vm_trailing_zeros = mm_shift == 1;
            else
                --vp;
        } else if (q < 31) {
            vr_trailing_zeros = multiple_of_pow2(mv, q - 1);
        }
    }

    // Drop digits while the bounds still differ in what is left.
    int removed = 0;
    std::uint32_t output = 0;
    if (vm_trailing_zeros || vr_trailing_zeros) {
        while (vp / 10 > vm / 10) {
            vm_trailing_zeros &= vm % 10 == 0;
            vr_trailing_zeros &= last_removed == 0;
            last_removed = vr % 10;
            vr /= 10, vp /= 10, vm /= 10;
            ++removed;
        }
        if (vm_trailing_zeros) {
            while (vm % 10 == 0) {
                vr_trailing_zeros &= last_removed == 0;
                last_removed = vr % 10;
                vr /= 10, vp /= 10, vm /= 10;
                ++removed;
            }
        }
        if (vr_trailing_zeros && last_removed == 5 && vr % 2 == 0) last_removed = 4;  // an exact tie: even
        output = vr + ((vr == vm && (!accept_bounds || !vm_trailing_zeros)) || last_removed >= 5);
    } else {
        while (vp / 10 > vm / 10) {
            last_removed = vr % 10;
            vr /= 10, vp /= 10, vm /= 10;
            ++removed;
        }
        output = vr + (vr == vm || last_removed >= 5);
    }
    return {output, e10 + removed};
}

}  // namespace numbers
