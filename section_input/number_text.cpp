// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_input/number_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace section_input {

namespace {

constexpr int kSignificantDigits = 7;  // all a single holds
// More decades than a double spans either way (about 308 and 324).
constexpr long kDoubleDecades = 400;

bool is_skipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool is_digit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Walks the text as the lenient rule reads it, skipping blanks, and
// gathers the accepted characters in plain ASCII for std::from_chars.
class LenientReader {
public:
    explicit LenientReader(QStringView text) : text_(text) { skip(); }

    double read()
    {
        bool negative = false;
        if (at(u'+') || at(u'-')) {
            negative = at(u'-');
            advance();
        }
        mantissa();
        if (!has_digits_) return 0;
        exponent();
        return convert(negative);
    }

private:
    bool at(char16_t c) const { return pos_ < text_.size() && text_[pos_] == c; }
    bool at_digit() const { return pos_ < text_.size() && is_digit(text_[pos_]); }
    // Every "," counts as ".", the separator any locale may have written.
    bool at_point() const { return at(u'.') || at(u','); }
    QChar current() const { return text_[pos_]; }

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
                note_digit(current(), seen_point);
            } else if (at_point() && !seen_point) {
                seen_point = true;
                digits_ += '.';
            } else {
                return;
            }
            advance();
        }
    }

    // Keeps the decade of the first significant digit, for the rare
    // number beyond the double range.
    void note_digit(QChar digit, bool after_point)
    {
        has_digits_ = true;
        digits_ += static_cast<char>(digit.unicode());
        if (leading_decade_ != kNone) {
            if (!after_point) ++leading_decade_;
        } else if (digit != u'0') {
            leading_decade_ = after_point ? -leading_fraction_zeros_ - 1 : 0;
        } else if (after_point) {
            ++leading_fraction_zeros_;
        }
    }

    void exponent()
    {
        if (!(at(u'E') || at(u'e') || at(u'D') || at(u'd'))) return;
        const qsizetype mark = pos_;
        advance();
        bool negative = false;
        if (at(u'+') || at(u'-')) {
            negative = at(u'-');
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
            value = std::min(clamp, value * 10 + (current().unicode() - u'0'));
            advance();
        }
        exponent_ = negative ? -value : value;
    }

    double convert(bool negative) const
    {
        std::string text = digits_;
        if (exponent_ != 0) text += 'e' + std::to_string(exponent_);
        double value = 0;
        if (std::from_chars(text.data(), text.data() + text.size(), value).ec ==
            std::errc::result_out_of_range)
            value = out_of_range_value();
        return negative ? -value : value;
    }

    // from_chars leaves the value unset when it does not fit: an infinity
    // for an overflow, 0 for an underflow.
    double out_of_range_value() const
    {
        const bool overflow = leading_decade_ != kNone && leading_decade_ + exponent_ > 0;
        return overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }

    static constexpr long kNone = std::numeric_limits<long>::min();

    QStringView text_;
    qsizetype pos_ = 0;
    std::string digits_;
    bool has_digits_ = false;
    long leading_fraction_zeros_ = 0;  // zeros after the point before any other digit
    long leading_decade_ = kNone;      // decade of the first significant digit
    long exponent_ = 0;
};

// The reading side understands only "." and ","; any other separator
// would not read back, so such locales get ".".
QString readable_decimal_point(const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    return point == u"," ? point : QStringLiteral(".");
}

}  // namespace

double text_to_number(QStringView text)
{
    return LenientReader(text).read();
}

QString number_to_text(float value, const QLocale& locale)
{
    if (value == 0) return QStringLiteral("0");  // no "-0"
    // The C locale writes ASCII digits, "-" and "E" without grouping; only
    // the decimal separator is the user's.
    QString text = QLocale::c().toString(static_cast<double>(value), 'G', kSignificantDigits);
    text.replace(u'.', readable_decimal_point(locale));
    return text;
}

}  // namespace section_input
