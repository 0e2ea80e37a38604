// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/bars.hpp"

#include <cctype>
#include <numbers>

#include "numbers/exact_number.hpp"

namespace materials {

namespace {

// Diameter signs in UTF-8, the look-alike empty set among them, then the
// ASCII words, longest first so "phi" is not read as "p" then "hi".
constexpr std::string_view kSigns[] = {"Ø", "ø", "Φ", "φ", "ϕ", "⌀", "∅", "phi", "fi"};
constexpr int kMostBars = 999;
constexpr std::size_t kMostDigits = 3;
constexpr double kQuarter = 0.25;

const char kHowToWrite[] = "le barre si scrivono come 4Ø16 o 3Ø20+2Ø16";

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

void skip_blanks(std::string_view& text)
{
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
}

// The leading digits as a number, at most three of them; none if there are none.
std::optional<int> leading_number(std::string_view& text)
{
    std::size_t length = 0;
    while (length < text.size() && std::isdigit(static_cast<unsigned char>(text[length])))
        ++length;
    if (length == 0 || length > kMostDigits) return std::nullopt;
    int number = 0;
    for (char digit : text.substr(0, length))
        number = number * 10 + (digit - '0');
    text.remove_prefix(length);
    return number;
}

bool starts_with_sign(std::string_view& text)
{
    for (std::string_view sign : kSigns) {
        if (text.size() < sign.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < sign.size(); ++i)
            same = same && std::tolower(static_cast<unsigned char>(text[i])) == static_cast<unsigned char>(sign[i]);
        if (same) {
            text.remove_prefix(sign.size());
            return true;
        }
    }
    return false;
}

// One group, "4Ø16", or the reason it is not one.
Reading<BarGroup> group_of(std::string_view group)
{
    const std::string quoted = "«" + std::string(numbers::trimmed(group)) + "»";
    std::string_view rest = group;
    skip_blanks(rest);
    const std::optional<int> count = leading_number(rest);
    skip_blanks(rest);
    const bool sign = starts_with_sign(rest);
    if (!count) {
        if (sign) return Reading<BarGroup>::refused(quoted + ": manca il numero di barre prima del diametro");
        return Reading<BarGroup>::refused(quoted + ": non si legge; " + kHowToWrite);
    }
    if (!sign)
        return Reading<BarGroup>::refused(quoted + ": non si legge «" + std::string(numbers::trimmed(rest)) +
                                          "» dopo " + std::to_string(*count) + "; " + kHowToWrite);
    skip_blanks(rest);
    const std::string_view diameter_text = rest;
    const std::optional<int> diameter = leading_number(rest);
    skip_blanks(rest);
    if (!diameter && numbers::trimmed(diameter_text).empty())
        return Reading<BarGroup>::refused(quoted + ": manca il diametro dopo il segno Ø");
    if (!diameter || !rest.empty())
        return Reading<BarGroup>::refused(quoted + ": non si legge il diametro «" +
                                          std::string(numbers::trimmed(diameter_text)) + "»; " + kHowToWrite);
    if (*count < 1 || *count > kMostBars)
        return Reading<BarGroup>::refused(quoted + ": il numero di barre va da 1 a " + std::to_string(kMostBars));
    if (*diameter < kSmallestDiameter || *diameter > kLargestDiameter)
        return Reading<BarGroup>::refused(quoted + ": il diametro " + std::to_string(*diameter) +
                                          " mm è fuori dall'intervallo da 5 a 40 mm");
    return {BarGroup{*count, *diameter}, {}};
}

}  // namespace

Reading<Bars> bars_of(std::string_view text)
{
    Bars bars;
    std::string_view rest = text;
    while (true) {
        const std::size_t plus = rest.find('+');
        const Reading<BarGroup> group = group_of(rest.substr(0, plus));
        if (!group) return Reading<Bars>::refused(group.refusal);
        bars.push_back(*group);
        if (plus == std::string_view::npos) break;
        rest.remove_prefix(plus + 1);
    }
    return {std::move(bars), {}};
}

std::string written(const Bars& bars)
{
    std::string text;
    for (const BarGroup& group : bars) {
        if (!text.empty()) text += '+';
        text += std::to_string(group.count) + "Ø" + std::to_string(group.diameter);
    }
    return text;
}

double area_in_square_millimetres(const Bars& bars)
{
    double area = 0;
    for (const BarGroup& group : bars)
        area += group.count * std::numbers::pi * group.diameter * group.diameter * kQuarter;
    return area;
}

}  // namespace materials
