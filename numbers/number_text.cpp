// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/number_text.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace numbers {

namespace {

constexpr int kSignificantDigits = 7;   // all a single holds
constexpr int kLowestFixedDecade = -4;  // 0.0001 is written whole, 0.00001 not
// More decades than a double spans either way (about 308 and 324).
constexpr long kDoubleDecades = 400;
// Where a product or quotient of exact doubles is the correctly rounded
// value: integers to 2^53 (15 digits) and the powers of ten to 10^22.
constexpr int kExactPowers = 22;

constexpr std::array<double, kExactPowers + 1> exact_powers()
{
    std::array<double, kExactPowers + 1> powers{};
    double power = 1;
    for (double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}
constexpr auto kPowers = exact_powers();

bool is_skipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// Walks the text as the lenient rule reads it, skipping blanks, and
// gathers the significant digits and the decimal exponent.
class LenientReader {
public:
    explicit LenientReader(std::string_view text) : text_(text) { skip(); }

    double read()
    {
        bool negative = false;
        if (at('+') || at('-')) {
            negative = at('-');
            advance();
        }
        mantissa();
        if (!has_digits_) return 0;
        exponent();
        const double magnitude = convert();
        return negative ? -magnitude : magnitude;
    }

private:
    bool at(char c) const { return pos_ < text_.size() && text_[pos_] == c; }
    bool at_digit() const { return pos_ < text_.size() && is_digit(text_[pos_]); }
    // Every "," counts as ".", the separator any locale may have written.
    bool at_point() const { return at('.') || at(','); }

    void advance()
    {
        ++pos_;
        skip();
    }

    void skip()
    {
        while (pos_ < text_.size() && is_skipped(text_[pos_]))
            ++pos_;
    }

    void mantissa()
    {
        bool seen_point = false;
        for (;;) {
            if (at_digit()) {
                note_digit(text_[pos_], seen_point);
            } else if (at_point() && !seen_point) {
                seen_point = true;
            } else {
                return;
            }
            advance();
        }
    }

    // Keeps the significant digits, leading zeros dropped, and the decade
    // of the first of them.
    void note_digit(char digit, bool after_point)
    {
        has_digits_ = true;
        if (digits_.empty() && digit == '0') {
            if (after_point) --point_shift_;
            return;
        }
        digits_ += digit;
        if (after_point) --point_shift_;
    }

    void exponent()
    {
        if (!(at('E') || at('e') || at('D') || at('d'))) return;
        const std::size_t mark = pos_;
        advance();
        bool negative = false;
        if (at('+') || at('-')) {
            negative = at('-');
            advance();
        }
        if (!at_digit()) {  // "12e" is 12: the letter does not continue the number
            pos_ = mark;
            return;
        }
        // The mantissa cannot shift the decade by more than its length, so
        // an exponent beyond that and the double range decides alone.
        const long clamp = static_cast<long>(text_.size()) + kDoubleDecades;
        long value = 0;
        while (at_digit()) {
            value = std::min(clamp, value * 10 + (text_[pos_] - '0'));
            advance();
        }
        exponent_ = negative ? -value : value;
    }

    // The digits times 10^(exponent + point shift), correctly rounded.
    double convert() const
    {
        if (digits_.empty()) return 0;
        const long decimal_exponent = exponent_ + point_shift_;
        // Most texts: an exact integer and an exact power of ten, one rounding.
        if (digits_.size() <= 15 && std::abs(decimal_exponent) <= kExactPowers) {
            const auto integer = static_cast<double>(std::strtoull(digits_.c_str(), nullptr, 10));
            const double power = kPowers[static_cast<std::size_t>(std::abs(decimal_exponent))];
            return decimal_exponent < 0 ? integer / power : integer * power;
        }
        // The decade of the first digit settles what lies beyond the double range.
        const long decade = static_cast<long>(digits_.size()) - 1 + decimal_exponent;
        if (decade > kDoubleDecades) return std::numeric_limits<double>::infinity();
        if (decade < -kDoubleDecades) return 0;
        // No decimal mark in the text, so the C library reads it in any locale.
        const std::string text = digits_ + 'e' + std::to_string(decimal_exponent);
        return std::strtod(text.c_str(), nullptr);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string digits_;
    bool has_digits_ = false;
    long point_shift_ = 0;  // digits read after the point, negated
    long exponent_ = 0;
};

// The exact decimal digits of a single, as many as asked (all of them when
// enough are asked), and its decade: d.ddd... x 10^decade.
std::string decimal_digits(double value, int count, int& decade)
{
    char text[160];
    std::snprintf(text, sizeof text, "%.*e", count - 1, value);
    std::string digits;
    const char* p = text;
    for (; *p && *p != 'e'; ++p)
        if (is_digit(*p)) digits += *p;
    decade = std::atoi(p + 1);
    return digits;
}

// The 7 significant digits of a positive single, an exact tie rounded
// away from zero, and the decade of the first, from every digit of the
// single (at most 112 significant ones): the exact way.
std::string seven_digits_exactly(float value, int& decade)
{
    // 17 correctly rounded digits decide, unless they read as a tie.
    constexpr int kDeciding = 17, kAll = 120;
    std::string digits = decimal_digits(value, kDeciding, decade);
    if (digits.compare(kSignificantDigits, std::string::npos, "5000000000") == 0)
        digits = decimal_digits(value, kAll, decade);
    const bool up = digits[kSignificantDigits] >= '5';
    digits.resize(kSignificantDigits);
    if (up) {
        int i = kSignificantDigits - 1;
        for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
            digits[static_cast<std::size_t>(i)] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++decade;
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
    return digits;
}

// The same, the quick way where it is sure: the single times an exact power
// of ten is rounded once, so its integer part and fraction are right to
// about 1e-9, far finer than the margin kept from a tie.
std::string seven_digits(float value, int& decade)
{
    constexpr double kLowest = 1e6, kHighest = 1e7, kTieMargin = 1e-7;
    decade = static_cast<int>(std::floor(std::log10(value)));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int shift = kSignificantDigits - 1 - decade;
        if (std::abs(shift) > kExactPowers) break;
        const double power = kPowers[static_cast<std::size_t>(std::abs(shift))];
        const double scaled = shift >= 0 ? static_cast<double>(value) * power : value / power;
        if (scaled >= kHighest) {
            ++decade;
            continue;
        }
        if (scaled < kLowest) {
            --decade;
            continue;
        }
        const double whole = std::floor(scaled), fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) < kTieMargin) break;  // near a tie: every digit decides
        auto rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
        if (rounded == static_cast<std::uint64_t>(kHighest)) {
            rounded /= 10;
            ++decade;
        }
        return std::to_string(rounded);
    }
    return seven_digits_exactly(value, decade);
}

}  // namespace

double text_to_number(std::string_view text) noexcept
{
    return LenientReader(text).read();
}

std::string number_to_text(float value, char decimal_mark) noexcept
{
    // Never a figure for what is none: the C library's words.
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0) return "0";  // no "-0"
    int decade = 0;
    std::string digits = seven_digits(std::fabs(value), decade);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string text = value < 0 ? "-" : "";
    if (decade < kLowestFixedDecade || decade >= kSignificantDigits) {
        text += digits[0];
        if (digits.size() > 1) text += decimal_mark + digits.substr(1);
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "E%c%02d", decade < 0 ? '-' : '+', std::abs(decade));
        return text + exponent;
    }
    if (decade < 0)
        return text + '0' + decimal_mark + std::string(static_cast<std::size_t>(-decade - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(decade) + 1;
    if (digits.size() <= whole) return text + digits + std::string(whole - digits.size(), '0');
    return text + digits.substr(0, whole) + decimal_mark + digits.substr(whole);
}

char readable_decimal_mark(std::string_view locale_point)
{
    return locale_point == "," ? ',' : '.';
}

}  // namespace numbers

namespace numbers {

namespace {

constexpr const char* kGroupSpace = "\xC2\xA0";  // U+00A0, which every face has
constexpr std::size_t kLongestUngrouped = 4;

// "1.234568E+07" as "12345680", "2.210293E-05" as "0.00002210293".
std::string without_exponent(const std::string& text)
{
    const std::size_t e = text.find('E');
    if (e == std::string::npos) return text;
    const bool negative = text[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (text[i] != '.') digits += text[i];
    const int exponent = std::atoi(text.c_str() + e + 1);
    const int point = 1 + exponent;  // digits before the decimal point
    std::string plain;
    if (point <= 0)
        plain = "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    else if (static_cast<std::size_t>(point) >= digits.size())
        plain = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    else
        plain = digits.substr(0, static_cast<std::size_t>(point)) + '.' + digits.substr(static_cast<std::size_t>(point));
    return (negative ? "-" : "") + plain;
}

}  // namespace

std::string written_out_text(float value, char decimal_mark) noexcept
{
    if (!std::isfinite(value)) return number_to_text(value, decimal_mark);
    const std::string plain = without_exponent(number_to_text(value, '.'));
    const std::size_t sign = plain[0] == '-' ? 1 : 0;
    const std::size_t point = std::min(plain.find('.'), plain.size());
    const std::size_t whole = point - sign;
    std::string out = plain.substr(0, sign);
    for (std::size_t i = 0; i < whole; ++i) {
        if (i > 0 && whole > kLongestUngrouped && (whole - i) % 3 == 0) out += kGroupSpace;
        out += plain[sign + i];
    }
    if (point < plain.size()) out += decimal_mark + plain.substr(point + 1);
    return out;
}

}  // namespace numbers
