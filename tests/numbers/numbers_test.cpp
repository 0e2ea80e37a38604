// SPDX-License-Identifier: GPL-3.0-or-later
// Number text in fields and files, and the shortest digits that read back.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "numbers/exact_number.hpp"
#include "numbers/number_text.hpp"
#include "numbers/fewest_digits.hpp"

namespace {

using namespace numbers;

TEST(NumberText, ReadsTheLeadingNumberLeniently)
{
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::pair<std::string, double> rows[] = {
        {"30", 30}, {"30,5", 30.5}, {"1.2,5", 1.2}, {"12 cm", 12}, {"-3,5", -3.5}, {"b", 0}, {"", 0},
        {" 1 2\t3\n4 ", 1234}, {"- 5", -5}, {"+7", 7}, {"--5", 0}, {"-.25", -0.25}, {".", 0}, {"1.5E3", 1500},
        {"25d-1", 2.5}, {"12e", 12}, {"12E+", 12}, {"1,5e2", 150}, {"4\r5", 4}, {"&H10", 0}, {"1e39", 1e39},
        {"1e400", inf}, {"-1e99999999999999999999", -inf}, {"1e-400", 0}, {std::string(500, '0') + "7", 7},
        {"0." + std::string(400, '0') + "1e50", 0}, {"0." + std::string(10, '0') + "1e400", inf},
        {"1" + std::string(1 << 20, '0'), inf}, {std::string(1 << 20, ' ') + "2", 2},
        {"0.1", 0.1}, {"123456789012345678", 123456789012345678.0}, {"4.9e-324", 4.9e-324},
        {"2.2250738585072011e-308", 2.2250738585072011e-308},
    };
    // clang-format on
    for (const auto& [text, value] : rows)
        EXPECT_EQ(text_to_number(text), value) << text.substr(0, 40);
    // A view ends where it ends, whatever follows it in memory.
    EXPECT_EQ(text_to_number(std::string_view("12;34").substr(0, 4)), 12.0);
    EXPECT_EQ(text_to_number(std::string_view("1e3").substr(0, 2)), 1.0);
}

TEST(NumberText, WritesSevenDigitsWithExactTiesAwayFromZero)
{
    // clang-format off
    const std::pair<float, std::string> rows[] = {
        {0.0f, "0"}, {-0.0f, "0"}, {46.5f, "46,5"}, {-3.5f, "-3,5"}, {1234567, "1234567"}, {275221.438f, "275221,4"},
        {12345678, "1,234568E+07"}, {0.0001f, "0,0001"}, {0.00001f, "1E-05"}, {2.4e-7f, "2,4E-07"},
        {std::numeric_limits<float>::max(), "3,402823E+38"}, {std::numeric_limits<float>::denorm_min(), "1,401298E-45"},
        {9999999.5f, "1E+07"}, {999999.94f, "999999,9"}, {9999999, "9999999"},
        // Rounding that carries into the next power of ten, and its neighbours that do not.
        {99999.99609375f, "100000"}, {-99999.99609375f, "-100000"}, {99999.9921875f, "99999,99"},
        {99999.984375f, "99999,98"}, {999.999939f, "999,9999"},
        // Exact ties: the single is the 8-digit decimal itself.
        {2119080.5f, "2119081"}, {-2119080.5f, "-2119081"}, {12345665, "1,234567E+07"},
        {std::ldexp(1.0f, -11), "0,0004882813"}, {0.5f, "0,5"}, {1.0000005f, "1"},
        {1234567.5f, "1234568"}, {12345.625f, "12345,63"}, {-12345.625f, "-12345,63"},
    };
    // clang-format on
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(number_to_text(value, ','), text) << value;
        std::string pointed = text;
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        EXPECT_EQ(number_to_text(value, '.'), pointed) << value;
    }
    EXPECT_EQ(readable_decimal_mark(","), ',');
    EXPECT_EQ(readable_decimal_mark("٫"), '.');  // a separator that would not read back
}

// What a number that is none reads as: never a figure that looks like one.
TEST(NumberText, WritesInfinitiesAndNotANumberAsSuch)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const char mark : {'.', ','}) {
        EXPECT_EQ(number_to_text(inf, mark), "inf");
        EXPECT_EQ(number_to_text(-inf, mark), "-inf");
        EXPECT_EQ(number_to_text(nan, mark), "nan");
        EXPECT_EQ(exact_text(inf, mark), "inf");
        EXPECT_EQ(exact_text(-inf, mark), "-inf");
        EXPECT_EQ(exact_text(nan, mark), "nan");
    }
    // Neither reads back as a number of a file.
    for (const char* text : {"inf", "-inf", "nan"})
        EXPECT_FALSE(read_cell_number(text, NumberMarks::Either)) << text;
}

// The significant digits and the decimal exponent of the first of them, from
// field text or from the C library's "%.6e".
std::pair<std::string, int> digits_and_decade(const std::string& text)
{
    const std::size_t e = std::min(text.find_first_of("Ee"), text.size());
    const std::string mantissa = text.substr(text[0] == '-' ? 1 : 0, e - (text[0] == '-' ? 1 : 0));
    const std::size_t mark = std::min(mantissa.find_first_of(".,"), mantissa.size());
    std::string digits = mantissa;
    if (mark < digits.size()) digits.erase(mark, 1);
    const std::size_t zeros = digits.find_first_not_of('0');
    digits.erase(0, zeros);
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = e < text.size() ? std::stoi(text.substr(e + 1)) : 0;
    return {digits, static_cast<int>(mark) - 1 - static_cast<int>(zeros) + exponent};
}

// Seven significant digits, correctly rounded: the C library's "%.6e" but
// where the single lies exactly halfway, which number text rounds away from zero.
// A report's numbers: never in E notation, long integer parts grouped.
TEST(NumberText, WritesAReportsNumbersOutInFullAndGrouped)
{
    const std::string space = "\xC2\xA0";
    EXPECT_EQ(written_out_text(66020.f, ','), "66" + space + "020");
    EXPECT_EQ(written_out_text(2055640.f, ','), "2" + space + "055" + space + "640");
    EXPECT_EQ(written_out_text(-586950.f, ','), "-586" + space + "950");
    EXPECT_EQ(written_out_text(3304.f, ','), "3304");
    EXPECT_EQ(written_out_text(25.00758f, ','), "25,00758");
    EXPECT_EQ(written_out_text(2.210293e-05f, ','), "0,00002210293");
    EXPECT_EQ(written_out_text(-1.5e-07f, '.'), "-0.00000015");
    EXPECT_EQ(written_out_text(1.234568e+07f, ','), "12" + space + "345" + space + "680");
    EXPECT_EQ(written_out_text(1.5e+10f, ','), "15" + space + "000" + space + "000" + space + "000");
    EXPECT_EQ(written_out_text(0.f, ','), "0");
    EXPECT_EQ(written_out_text(INFINITY, ','), "inf");
}

TEST(NumberText, AgreesWithTheCorrectlyRoundedDigitsOfTheCLibrary)
{
    std::size_t compared = 0;
    for (std::uint32_t bits = 1; bits < 0x7F800000u; bits += 1361) {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        char wide[48];
        std::snprintf(wide, sizeof wide, "%.13e", static_cast<double>(value));
        if (std::string_view(wide + 8, 6) == "500000") {
            char exact[160];
            std::snprintf(exact, sizeof exact, "%.120e", static_cast<double>(value));
            const std::string tail(exact + 8, std::strchr(exact, 'e'));
            if (tail.find_first_not_of('0', 1) == std::string::npos) continue;  // an exact tie
        }
        char six[32];
        std::snprintf(six, sizeof six, "%.6e", static_cast<double>(value));
        const auto ours = digits_and_decade(number_to_text(value));
        const auto theirs = digits_and_decade(six);
        ASSERT_EQ(ours, theirs) << number_to_text(value) << " for " << six;
        ++compared;
    }
    EXPECT_GT(compared, 1'500'000u);
}

TEST(ExactNumbers, AreTheShortestDigitsThatReadBack)
{
    // clang-format off
    const std::pair<float, std::string> rows[] = {
        {1426430.1f, "1426430,1"}, {200000, "200000"}, {139908816, "139908816"}, {0.1f, "0,1"},
        {1e-5f, "0,00001"}, {9.99e-6f, "9,99e-06"}, {1e15f, "999999986991104"}, {2e15f, "2e+15"},
        {1e36f, "1e+36"}, {-7.9283314f, "-7,9283314"}, {std::numeric_limits<float>::denorm_min(), "1e-45"},
        {std::numeric_limits<float>::max(), "3,4028235e+38"}, {0.0f, "0"}, {-0.0f, "0"}, {16777216, "16777216"},
        {0.3f, "0,3"}, {33554432, "33554432"},
    };
    // clang-format on
    for (const auto& [value, text] : rows)
        EXPECT_EQ(exact_text(value, ','), text) << value;
}

TEST(ExactNumbers, ReadBackOverTheWholeRangeAndNoShorterDigitsDo)
{
    // Singles a prime step apart over every exponent, denormals included.
    for (std::uint32_t bits = 1; bits < 0x7F800000u; bits += 7919) {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        const std::string text = exact_text(value, '.');
        ASSERT_EQ(static_cast<float>(text_to_number(text)), value) << text;
#if defined(__cpp_lib_to_chars)
        // Where the library has it, the same digits as its shortest form: the
        // closest of the shortest, a tie to even.
        char expected[64];
        const auto end =
            std::to_chars(expected, expected + sizeof expected, value, std::chars_format::scientific).ptr;
        const std::string shortest = std::to_string(fewest_digits(value).digits);
        std::string ours(1, shortest[0]);
        if (shortest.size() > 1) ours.append(".").append(shortest, 1);
        const std::string theirs(expected, end);
        EXPECT_EQ(ours, theirs.substr(0, theirs.find('e'))) << value;
#endif
        // The same digits one shorter, rounded either way, read back as another
        // single; a whole number is written whole, as long and exact.
        if (text.find_first_of(".e") == std::string::npos) continue;
        std::string digits;
        for (const char c : text.substr(0, text.find('e')))
            if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits += c;
        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();
        if (digits.size() < 2) continue;
        char shorter[64];
        for (const double nudge : {0.0, 1.0}) {
            const double mantissa = std::floor(std::stod(digits) / 10) + nudge;
            const int decade = static_cast<int>(std::floor(std::log10(value)));
            std::snprintf(shorter, sizeof shorter, "%.0fe%d", mantissa,
                          decade - static_cast<int>(digits.size()) + 2);
            EXPECT_NE(static_cast<float>(text_to_number(shorter)), value) << text << " and " << shorter;
        }
    }
}

TEST(Cells, HoldOneNumberGroupedAsTheFileGroups)
{
    using M = NumberMarks;
    const double none = -1;
    // clang-format off
    const std::tuple<std::string, M, double> rows[] = {
        {"150.000", M::DecimalComma, 150000}, {"1.426.430,5", M::DecimalComma, 1426430.5}, {"3.5", M::DecimalComma, none},
        {"3,5", M::DecimalComma, 3.5}, {"33.04", M::DecimalComma, none}, {"1.0000", M::DecimalComma, none},
        {"1,426,430.5", M::DecimalPoint, 1426430.5}, {"3,5", M::DecimalPoint, none}, {" 30 ", M::Either, 30},
        {"3,5", M::Either, 3.5}, {"3.5", M::Either, 3.5}, {"1.426.430", M::Either, none}, {"30cm", M::Either, none},
        {"30 40", M::Either, none}, {"", M::Either, none}, {"nan", M::Either, none}, {"+3e1", M::DecimalComma, 30},
        {"\u00A0110\u00A0", M::DecimalComma, 110}, {"1e", M::Either, none}, {".5", M::Either, 0.5},
        {"1.000.000", M::DecimalComma, 1e6}, {"12.34.567", M::DecimalComma, none},
        // As options are read: either mark, and nothing else.
        {"3O", M::Either, none}, {"5O", M::Either, none}, {"inf", M::Either, none}, {"-Infinity", M::Either, none},
        {"0x10", M::Either, none}, {"0.035", M::DecimalComma, none}, {"0,035", M::DecimalComma, 0.035},
    };
    // clang-format on
    for (const auto& [cell, marks, value] : rows) {
        const std::optional<double> read = read_cell_number(cell, marks);
        if (value == none)
            EXPECT_FALSE(read) << cell;
        else
            EXPECT_EQ(read.value_or(none), value) << cell;
    }
    EXPECT_EQ(refusal_detail("3.5", M::DecimalComma),
              " (con la virgola decimale il punto separa solo le migliaia)");
    EXPECT_EQ(refusal_detail("3,5", M::DecimalPoint),
              " (con il punto decimale la virgola separa solo le migliaia)");
    EXPECT_EQ(refusal_detail("abc", M::DecimalComma), "");
}

}  // namespace
