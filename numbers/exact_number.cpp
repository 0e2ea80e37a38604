// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/exact_number.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "numbers/number_text.hpp"
#include "numbers/fewest_digits.hpp"

namespace numbers {

namespace {

constexpr std::size_t kGroupDigits = 3;
constexpr float kSmallestFixed = 1e-5f;
constexpr float kLargestFixed = 1e15f;

char decimal_of(NumberMarks marks)
{
    return marks == NumberMarks::DecimalComma ? ',' : '.';
}

// The thousands mark a file allows; none for an option.
std::optional<char> group_of(NumberMarks marks)
{
    if (marks == NumberMarks::Either) return std::nullopt;
    return marks == NumberMarks::DecimalComma ? '.' : ',';
}

// The bytes of a blank (a space as Unicode counts one) at the start of the
// text, or at its end; 0 where there is none.
std::size_t blank_at_front(std::string_view text)
{
    if (text.empty()) return 0;
    const auto first = static_cast<unsigned char>(text.front());
    if (first < 0x80) return first == ' ' || (first >= '\t' && first <= '\r') ? 1 : 0;
    static constexpr std::string_view kBlanks[] = {
        " ",      "\t",     "\n",     "\r",     "\v",     "\f",     "\u0085", "\u00A0", "\u1680",
        "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007", "\u2008",
        "\u2009", "\u200A", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};
    for (const std::string_view blank : kBlanks)
        if (text.starts_with(blank)) return blank.size();
    return 0;
}
std::size_t blank_at_back(std::string_view text)
{
    if (text.empty()) return 0;
    const auto last = static_cast<unsigned char>(text.back());
    if (last < 0x80) return last == ' ' || (last >= '\t' && last <= '\r') ? 1 : 0;
    for (std::size_t length = 1; length <= 3 && length <= text.size(); ++length)
        if (blank_at_front(text.substr(text.size() - length)) == length) return length;
    return 0;
}

// Walks a trimmed cell through the one shape a number may have.
class StrictShape {
public:
    StrictShape(std::string_view text, NumberMarks marks) : text_(text), marks_(marks) {}

    bool holds_one_number()
    {
        take_sign();
        std::size_t digits = take_integer();
        if (at(decimal_of(marks_)) || (marks_ == NumberMarks::Either && at(','))) {
            ++pos_;
            digits += take_digits();
        }
        if (digits == 0) return false;
        if (at('e') || at('E')) {
            ++pos_;
            take_sign();
            if (take_digits() == 0) return false;
        }
        return pos_ == text_.size();
    }

private:
    bool at(char c) const { return pos_ < text_.size() && text_[pos_] == c; }
    bool digit_at(std::size_t i) const { return i < text_.size() && text_[i] >= '0' && text_[i] <= '9'; }
    void take_sign()
    {
        if (at('+') || at('-')) ++pos_;
    }
    std::size_t take_digits()
    {
        const std::size_t start = pos_;
        while (digit_at(pos_))
            ++pos_;
        return pos_ - start;
    }
    // Digits, or one to three digits then groups of exactly three after the
    // thousands mark: 150.000 and 1.426.430 in a decimal-comma file. A
    // grouped number never starts with 0: 0.035 is no thousands.
    std::size_t take_integer()
    {
        const bool leading_zero = at('0');
        std::size_t digits = take_digits();
        const std::optional<char> group = group_of(marks_);
        if (!group || digits == 0 || digits > kGroupDigits || leading_zero) return digits;
        while (at(*group) && digit_at(pos_ + 1) && digit_at(pos_ + 2) && digit_at(pos_ + kGroupDigits) &&
               !digit_at(pos_ + kGroupDigits + 1)) {
            pos_ += kGroupDigits + 1;
            digits += kGroupDigits;
        }
        return digits;
    }

    std::string_view text_;
    NumberMarks marks_;
    std::size_t pos_ = 0;
};

// The fixed-notation text of |value|: its shortest digits around the
// point, or, where those end in zeros before it, the integer it is exactly
// (as long, and closer).
std::string fixed_text(float magnitude, const DecimalDigits& shortest, char decimal_mark)
{
    if (shortest.exponent >= 0) return std::to_string(static_cast<std::uint64_t>(magnitude));
    const std::string digits = std::to_string(shortest.digits);
    const auto before_point = static_cast<long>(digits.size()) + shortest.exponent;
    if (before_point <= 0)
        return std::string("0") + decimal_mark + std::string(static_cast<std::size_t>(-before_point), '0') +
               digits;
    const auto whole = static_cast<std::size_t>(before_point);
    return digits.substr(0, whole) + decimal_mark + digits.substr(whole);
}

std::string scientific_text(const DecimalDigits& shortest, char decimal_mark)
{
    const std::string digits = std::to_string(shortest.digits);
    const int decade = shortest.exponent + static_cast<int>(digits.size()) - 1;
    std::string text(1, digits[0]);
    if (digits.size() > 1) text += decimal_mark + digits.substr(1);
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", decade < 0 ? '-' : '+', std::abs(decade));
    return text + exponent;
}

}  // namespace

std::string_view trimmed(std::string_view text) noexcept
{
    while (const std::size_t length = blank_at_front(text))
        text.remove_prefix(length);
    while (const std::size_t length = blank_at_back(text))
        text.remove_suffix(length);
    return text;
}

std::optional<double> read_cell_number(std::string_view cell, NumberMarks marks) noexcept
{
    const std::string_view text = trimmed(cell);
    if (!StrictShape(text, marks).holds_one_number()) return std::nullopt;
    // Of that shape, without its thousands marks, the field reader reads
    // exactly the number, overflow included.
    const std::optional<char> group = group_of(marks);
    if (!group || text.find(*group) == std::string_view::npos) return text_to_number(text);
    std::string ungrouped(text);
    std::erase(ungrouped, *group);
    return text_to_number(ungrouped);
}

std::string refusal_detail(std::string_view cell, NumberMarks marks)
{
    const std::optional<char> group = group_of(marks);
    if (!group || cell.find(*group) == std::string_view::npos) return {};
    return marks == NumberMarks::DecimalComma ? " (con la virgola decimale il punto separa solo le migliaia)"
                                              : " (con il punto decimale la virgola separa solo le migliaia)";
}

std::string exact_text(float value, char decimal_mark) noexcept
{
    // Never a figure for what is none: the C library's words.
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0) return "0";  // no "-0"
    const float magnitude = std::fabs(value);
    const DecimalDigits shortest = fewest_digits(magnitude);
    const std::string sign = value < 0 ? "-" : "";
    if (kSmallestFixed <= magnitude && magnitude <= kLargestFixed)
        return sign + fixed_text(magnitude, shortest, decimal_mark);
    return sign + scientific_text(shortest, decimal_mark);
}

double rounded_to_significant(double value, int digits)
{
    if (!std::isfinite(value) || value == 0) return value;
    // Read back by the program's own reader: strtod would follow the locale.
    return read_cell_number(significant_text(value, digits, '.'), NumberMarks::DecimalPoint).value_or(value);
}

std::string significant_text(double value, int digits, char decimal_mark)
{
    if (!std::isfinite(value)) return value < 0 ? "-inf" : value > 0 ? "inf" : "nan";
    if (value == 0) return "0";
    // Decimals enough for the significant digits at this magnitude, then
    // the zeros that carry nothing dropped.
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(digits - 1 - magnitude, 0, 30);
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string written(text);
    if (written.find('.') != std::string::npos) {
        while (written.back() == '0') written.pop_back();
        if (written.back() == '.') written.pop_back();
    }
    if (written == "-0") written = "0";
    std::replace(written.begin(), written.end(), '.', decimal_mark);
    return written;
}

}  // namespace numbers
