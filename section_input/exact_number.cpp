// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_input/exact_number.hpp"

#include <charconv>
#include <cmath>

#include "section_input/number_text.hpp"

namespace section_input {

namespace {

constexpr int kGroupDigits = 3;
constexpr float kSmallestFixed = 1e-5f;
constexpr float kLargestFixed = 1e15f;

QChar decimal_of(NumberMarks marks)
{
    return marks == NumberMarks::DecimalComma ? u',' : u'.';
}

// The thousands mark a file allows; none for an option.
std::optional<QChar> group_of(NumberMarks marks)
{
    if (marks == NumberMarks::Either) return std::nullopt;
    return marks == NumberMarks::DecimalComma ? u'.' : u',';
}

// Walks a trimmed cell through the one shape a number may have.
class StrictShape {
public:
    StrictShape(QStringView text, NumberMarks marks) : text_(text), marks_(marks) {}

    bool holds_one_number()
    {
        take_sign();
        int digits = take_integer();
        if (at(decimal_of(marks_)) || (marks_ == NumberMarks::Either && at(u','))) {
            ++pos_;
            digits += take_digits();
        }
        if (digits == 0) return false;
        if (at(u'e') || at(u'E')) {
            ++pos_;
            take_sign();
            if (take_digits() == 0) return false;
        }
        return pos_ == text_.size();
    }

private:
    bool at(QChar c) const { return pos_ < text_.size() && text_[pos_] == c; }
    bool digit_at(qsizetype i) const { return i < text_.size() && text_[i] >= u'0' && text_[i] <= u'9'; }
    void take_sign()
    {
        if (at(u'+') || at(u'-')) ++pos_;
    }
    int take_digits()
    {
        const qsizetype start = pos_;
        while (digit_at(pos_))
            ++pos_;
        return static_cast<int>(pos_ - start);
    }
    // Digits, or one to three digits then groups of exactly three after the
    // thousands mark: 150.000 and 1.426.430 in a decimal-comma file.
    int take_integer()
    {
        int digits = take_digits();
        const std::optional<QChar> group = group_of(marks_);
        if (!group || digits == 0 || digits > kGroupDigits) return digits;
        while (at(*group) && digit_at(pos_ + 1) && digit_at(pos_ + 2) && digit_at(pos_ + kGroupDigits) &&
               !digit_at(pos_ + kGroupDigits + 1)) {
            pos_ += kGroupDigits + 1;
            digits += kGroupDigits;
        }
        return digits;
    }

    QStringView text_;
    NumberMarks marks_;
    qsizetype pos_ = 0;
};

}  // namespace

std::optional<double> read_cell_number(QStringView cell, NumberMarks marks)
{
    const QStringView text = cell.trimmed();
    if (!StrictShape(text, marks).holds_one_number()) return std::nullopt;
    // Of that shape, without its thousands marks, the field reader reads
    // exactly the number, overflow included.
    const std::optional<QChar> group = group_of(marks);
    if (!group || !text.contains(*group)) return text_to_number(text);
    return text_to_number(text.toString().remove(*group));
}

QString refusal_detail(QStringView cell, NumberMarks marks)
{
    const std::optional<QChar> group = group_of(marks);
    if (!group || !cell.contains(*group)) return {};
    return marks == NumberMarks::DecimalComma
               ? QStringLiteral(" (con la virgola decimale il punto separa solo le migliaia)")
               : QStringLiteral(" (con il punto decimale la virgola separa solo le migliaia)");
}

QString exact_text(float value, QChar decimal_mark)
{
    if (value == 0) return QStringLiteral("0");  // no "-0"
    const float magnitude = std::fabs(value);
    const bool fixed = kSmallestFixed <= magnitude && magnitude <= kLargestFixed;
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, value,
                                   fixed ? std::chars_format::fixed : std::chars_format::scientific)
                         .ptr;
    QString text = QString::fromLatin1(digits, end - digits);
    if (decimal_mark != u'.') text.replace(u'.', decimal_mark);
    return text;
}

}  // namespace section_input
