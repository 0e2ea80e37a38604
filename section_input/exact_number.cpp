#include "section_input/exact_number.hpp"

#include <charconv>

#include "section_input/number_text.hpp"

namespace section_input {

namespace {

// Walks a trimmed cell through the one shape a number may have.
class StrictShape {
public:
    StrictShape(QStringView text, bool comma_allowed) : text_(text), comma_allowed_(comma_allowed) {}

    bool holds_one_number()
    {
        take_sign();
        int digits = take_digits();
        if (at(u'.') || (comma_allowed_ && at(u','))) {
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
    bool at(char16_t c) const { return pos_ < text_.size() && text_[pos_] == c; }
    void take_sign()
    {
        if (at(u'+') || at(u'-')) ++pos_;
    }
    int take_digits()
    {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_[pos_] >= u'0' && text_[pos_] <= u'9')
            ++pos_;
        return static_cast<int>(pos_ - start);
    }

    QStringView text_;
    bool comma_allowed_;
    qsizetype pos_ = 0;
};

}  // namespace

std::optional<double> read_cell_number(QStringView cell, bool comma_allowed)
{
    const QStringView text = cell.trimmed();
    if (!StrictShape(text, comma_allowed).holds_one_number()) return std::nullopt;
    // Of that shape, the field reader reads exactly the number, overflow included.
    return text_to_number(text);
}

QString exact_text(float value, QChar decimal_mark)
{
    if (value == 0) return QStringLiteral("0");  // no "-0"
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    QString text = QString::fromLatin1(digits, end - digits);
    if (decimal_mark != u'.') text.replace(u'.', decimal_mark);
    return text;
}

}  // namespace section_input
