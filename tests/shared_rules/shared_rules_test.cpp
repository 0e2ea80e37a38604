// SPDX-License-Identifier: GPL-3.0-or-later
// The rules every program shares, through their public functions: number
// text both ways, exact numbers, cells, the Calculate command and a table.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "shared_rules/batch.hpp"
#include "shared_rules/calculation.hpp"
#include "shared_rules/exact_number.hpp"
#include "shared_rules/line_reader.hpp"
#include "shared_rules/number_text.hpp"
#include "shared_rules/report.hpp"
#include "shared_rules/shortest_digits.hpp"

namespace {

using namespace shared_rules;

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
        {9999999.5f, "1E+07"}, {999999.94f, "999999,9"},
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
        const std::string shortest = std::to_string(shortest_digits(value).digits);
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

TEST(CalculateCommand, RefusesInOrderAndSaysWhy)
{
    const InputTexts beam{"30", "50", "10", "5", "3304", "110", "3.5", ""};
    const Calculation computed = calculate(beam);
    ASSERT_TRUE(computed.result);
    EXPECT_EQ(*computed.d_text, "46.5");
    EXPECT_EQ(number_to_text(computed.result->Mu), "1426430");
    EXPECT_EQ(number_to_text(computed.result->Yc), "7.928331");
    EXPECT_EQ(*calculate(beam, ',').d_text, "46,5");
    // A tie in d is read back as written: h = 2^-10, c = 2^-11.
    EXPECT_EQ(*calculate(InputTexts{"1", "0.0009765625", "1", "1", "1", "1", "0.00048828125", ""}).d_text,
              "0.0004882813");

    const auto with = [&](std::size_t input, const char* text) {
        InputTexts texts = beam;
        texts[input] = text;
        return calculate(texts);
    };
    const std::string checks = "Mu sezioni rettangolari", capacity = "Mu Sez Ret";
    // clang-format off
    const std::tuple<std::size_t, const char*, std::string, std::string> refused[] = {
        {0, "0", checks, "valore della base della sezione non corretto"},
        {1, "-50", checks, "valore dell'altezza della sezione non corretto"},
        {2, "", checks, "valore dell'armatura tesa non corretto"},
        {3, "x", checks, "valore dell'armatura compressa non corretto"},
        {4, "0", checks, "valore della tensione dell'armatura non corretto"},
        {5, "0", checks, "valore della tensione del cls non corretto"},
        {6, "0", checks, "valore del copriferro non corretto"},
        {6, "50", checks, "valore dell'altezza utile 'd' non corretto"},
        {7, "165001", capacity, "Nd > Nu = 165000"},
        {7, "-49561", capacity, "Nd < -(As+As')·fsd = -49560"},
        {0, "1e39", checks, "Errore aritmetico: un valore supera il campo dei numeri ammessi (overflow).\n"
                            "Controllare l'ordine di grandezza dei dati della sezione e dello sforzo normale."},
    };
    // clang-format on
    for (const auto& [input, text, title, words] : refused) {
        const Calculation c = with(input, text);
        EXPECT_FALSE(c.result) << words;
        EXPECT_EQ(c.message.title, title);
        EXPECT_EQ(c.message.text, words);
    }
    EXPECT_EQ(
        message_for(section_analysis::ArithmeticFault(section_analysis::FaultKind::DivisionByZero)).text,
        "Errore aritmetico: divisione per zero durante il calcolo.\n"
        "Controllare i dati della sezione e lo sforzo normale.");
    EXPECT_EQ(message_for(section_analysis::DoesNotConverge(1000)).text,
              "Il calcolo dell'asse neutro non converge dopo 1000 tentativi.\n"
              "Controllare i dati della sezione e lo sforzo normale.");
}

// The lines of a reader fed one byte at a time, so that a piece ends inside
// every line end and every character; then why it stopped.
std::vector<std::string> lines_of(const std::string& bytes, ReadProblem expected = ReadProblem::None)
{
    std::size_t at = 0;
    LineReader reader([&](char* buffer, std::size_t) -> std::size_t {
        if (at == bytes.size()) return 0;
        buffer[0] = bytes[at++];
        return 1;
    });
    std::vector<std::string> lines;
    while (const auto line = reader.next())
        lines.emplace_back(*line);
    EXPECT_EQ(reader.problem(), expected);
    return lines;
}

TEST(LineReader, EndsLinesAsEverySystemDoesAndReadsUtf16AsUtf8)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(lines_of("a\r\nb\rc\nd\r"), (Lines{"a\r\n", "b\r", "c\n", "d\r"}));
    EXPECT_EQ(lines_of("\r\r\n\n"), (Lines{"\r", "\r\n", "\n"}));
    // "é;x" then a character beyond 16 bits, a lone low half and CR LF.
    const std::string little("\xFF\xFE\xE9\x00;\x00x\x00\x35\xD8\x65\xDC\x00\xDC\r\x00\n\x00", 18);
    std::string big = "\xFE\xFF";
    for (std::size_t i = 2; i < little.size(); i += 2)
        big += std::string{little[i + 1], little[i]};
    const Lines utf8{"\xEF\xBB\xBF\xC3\xA9;x\xF0\x9D\x91\xA5\xEF\xBF\xBD\r\n"};
    EXPECT_EQ(lines_of(little), utf8);
    EXPECT_EQ(lines_of(big), utf8);
    EXPECT_EQ(lines_of(std::string("\0\0b;h\n", 6), ReadProblem::NotText), Lines{});
    EXPECT_EQ(lines_of("PK\x03\x04"
                       "b;h\n",
                       ReadProblem::Workbook),
              Lines{});
    LineReader endless(std::string(kLongestLine + 1, 'b'));
    EXPECT_FALSE(endless.next());
    EXPECT_EQ(endless.problem_reason(), "la riga 1 è più lunga di 1 MiB: non è una riga di tabella");
}

TEST(SectionTables, KeepEveryRecordAndComputeEachRow)
{
    // Excel's first line, a thousands mark, a quoted line break, a blank row.
    const std::string file =
        "sep=;\r\nnome;b;h;c;As;As1;fsd;fcd;Nd\r\n\"trave\r\nT1\";30;50;3,5;10;5;3.304;110;\r\n"
        ";;;;;;;;\r\npilastro;40;40;4;10;10;3304;110;150.000\r\nrotto;30;5O;3,5;10;5;3304;110;0";
    LineReader input(file);
    std::string written, error, note;
    const int status = compute_batch(
        input, [&](std::string_view bytes) { written += bytes; }, error, &note);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(written, "sep=;\r\nnome;b;h;c;As;As1;fsd;fcd;Nd;d;Mu;Yc;esito\r\n"
                       "\"trave\r\nT1\";30;50;3,5;10;5;3.304;110;;46,5;1426430,1;7,9283314;ok\r\n;;;;;;;;\r\n"
                       "pilastro;40;40;4;10;10;3304;110;150.000;36;1348355,1;34,248398;ok\r\n"
                       "rotto;30;5O;3,5;10;5;3304;110;0;;;;valore non numerico nella colonna h");
    EXPECT_EQ(note, "nella colonna fsd \".\" separa le migliaia: 3.304 è letto 3304\n"
                    "nella colonna Nd \".\" separa le migliaia: 150.000 è letto 150000");
    LineReader twice("b,h,c,As,As',As1,fsd,fcd\n");
    EXPECT_EQ(compute_batch(
                  twice, [](std::string_view) {}, error),
              2);
    EXPECT_EQ(error, "nell'intestazione la colonna As' compare più volte");
}

// A number an element of a picture carries in an attribute.
double attribute(const std::string& svg, const std::string& id, const std::string& name)
{
    const std::size_t at = svg.find("id=\"" + id + "\"");
    const std::size_t start = svg.rfind('<', at);
    const std::string element = svg.substr(start, svg.find('>', at) - start);
    const std::size_t value = element.find(' ' + name + "=\"");
    EXPECT_NE(value, std::string::npos) << id << ' ' << name;
    return std::stod(element.substr(value + name.size() + 3));
}

// The figure to scale: the axis at Yc on the section's depth, and strains on
// one plane through zero at the axis, at a limit of their domain.
TEST(Report, DrawsTheSectionToScaleWithItsAxisAndItsStrains)
{
    for (const double Nd : {0.0, 49500.0, 120000.0, 140000.0, 165000.0, -44604.0}) {
        ReportRequest request;
        request.values = {30, 50, 10, 5, 3304, 110, 3.5, Nd};
        const Report report = make_report(request);
        const double Yc = calculate(request.values).result->Yc;
        const auto figure =
            std::find_if(report.blocks.begin(), report.blocks.end(),
                         [](const ReportBlock& b) { return b.kind == ReportBlock::Kind::Figure; });
        ASSERT_NE(figure, report.blocks.end());
        const std::string& svg = figure->svg;
        const double top = attribute(svg, "sezione", "y"), height = attribute(svg, "sezione", "height");
        EXPECT_FLOAT_EQ(attribute(svg, "asse-neutro", "data-depth"), Yc) << "Nd = " << Nd;
        EXPECT_NEAR(attribute(svg, "asse-neutro", "y1"), top + Yc / 50 * height, 0.01) << "Nd = " << Nd;
        const double eps_c = attribute(svg, "eps-c", "data-value"),
                     eps_s1 = attribute(svg, "eps-s1", "data-value"),
                     eps_s = attribute(svg, "eps-s", "data-value");
        const auto at_depth = [&](double depth) { return eps_c + (eps_s - eps_c) * depth / 46.5; };
        EXPECT_NEAR(eps_s1, at_depth(3.5), 1e-6) << "Nd = " << Nd;
        EXPECT_NEAR(at_depth(Yc), 0, 1e-6) << "Nd = " << Nd;
        const auto near = [](double a, double b) { return std::fabs(a - b) < 1e-6; };
        EXPECT_TRUE(near(eps_c, 0.0035) || near(eps_s, -0.01) || near(at_depth(50.0 * 3 / 7), 0.002)) << Nd;
    }
}

}  // namespace
