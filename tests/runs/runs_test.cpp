// SPDX-License-Identifier: GPL-3.0-or-later
// The Calculate command and files of sections, as the window computes them.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numbers/number_text.hpp"
#include "runs/batch.hpp"
#include "runs/calculation.hpp"

namespace {

using namespace numbers;
using namespace runs;
using namespace tables;

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

// The last cell of a one-row file's result, its note and the run's status.
struct Outcome {
    std::string last_cell, note, error;
    int status;
    bool operator==(const Outcome&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Outcome& run)
{
    return out << run.status << " [" << run.last_cell << "] [" << run.note << "] [" << run.error << ']';
}

Outcome run_of(const std::string& header, const std::string& row)
{
    LineReader input(header + "\n" + row + "\n");
    std::string written, error, note;
    const int status = compute_batch(
        input, [&](std::string_view bytes) { written += bytes; }, error, &note);
    if (!written.empty()) written.pop_back();  // the last line end
    return {written.substr(written.find_last_of(header.find(';') != std::string::npos ? ";\n" : ",\n") + 1),
            note, error, status};
}

TEST(SectionTables, FindTheirColumnsByEveryNameTheyGoBy)
{
    const std::string row = "30;50;3,5;10;5;3304;110;49500";
    // clang-format off
    const std::pair<std::string, Outcome> rows[] = {
        {"b;h;c;As;As';fsd;fcd;Nd", {"ok", "", "", 0}},
        // Units in the header make classes and bars readable: the values used and the rules follow.
        {"b [cm];h (cm);c;As;As1;fsd;fcd;NEd [kg]", {"senza classe e acciaio", "", "", 0}},
        {"B;H;C;AS;as’;FSD;FCD;nEd", {"ok", "", "", 0}},
        {"b;h;c;As;As';fsd;fcd;N", {"ok", "nell'intestazione non c'è la colonna Nd: ogni sezione è calcolata senza "
                                          "sforzo normale (colonne non usate: N)", "", 0}},
        {"b;h;c;As;fsd;fcd;Nd", {"", "", "nell'intestazione manca la colonna As'", 2}},
        {"b;c;As;fsd;Nd;x", {"", "", "nell'intestazione mancano le colonne h, As', fcd", 2}},
        {"b;h;c;As;As';fsd;fcd;Nd;NEd", {"", "", "nell'intestazione la colonna Nd compare più volte", 2}},
    };
    // clang-format on
    for (const auto& [header, expected] : rows) {
        Outcome run = run_of(header, row);
        if (run.status == 2) run.last_cell.clear();
        EXPECT_EQ(run, expected) << header;
    }
    // Pure bending without the column; a record shorter than the header keeps the results in their columns.
    LineReader input("b;h;c;As;As1;fsd;fcd;nome\n30;50;3,5;10;5;3304;110\n");
    BatchRun run;
    std::string error;
    ASSERT_TRUE(run.start(input, error));
    EXPECT_EQ(run.header(), (std::vector<std::string>{"b", "h", "c", "As", "As1", "fsd", "fcd", "nome", "d",
                                                      "Mu", "Yc", "esito"}));
    run.step(
        input, [](std::string_view) {}, 10);
    EXPECT_EQ(run.records(), 1u);
    ASSERT_EQ(run.preview().size(), 1u);
    EXPECT_EQ(run.preview()[0][7], "");
    EXPECT_EQ(run.preview()[0][9], "1426430,1");
}

TEST(SectionTables, ReadNumbersAsTheFileWritesThem)
{
    const auto verdict = [](const std::string& header, const std::string& row) {
        return run_of(header, row).last_cell;
    };
    const std::string header = "b;h;c;As;As1;fsd;fcd";
    EXPECT_EQ(
        verdict(header, "30;50;0.035;10;5;3304;110"),
        "valore non numerico nella colonna c (con la virgola decimale il punto separa solo le migliaia)");
    EXPECT_EQ(verdict("b,h,c,As,As1,fsd,fcd", "30,50,3.5,10,5,3304,110"), "ok");
    EXPECT_EQ(
        verdict("b,h,c,As,As1,fsd,fcd", "30,50,\"3,5\",10,5,3304,110"),
        "valore non numerico nella colonna c (con il punto decimale la virgola separa solo le migliaia)");
    EXPECT_EQ(verdict(header, "30;50;3,5;10;5;3304;110;extra"), "la riga ha 8 celle, l'intestazione 7");
    EXPECT_EQ(run_of(header + ";Nd", "30;50;3,5;10;5;3.304;110;0").note,
              "nella colonna fsd \".\" separa le migliaia: 3.304 è letto 3304");
}

}  // namespace
