// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report: its result at the exact equilibrium, its outcome,
// its steps, its refusals, and its HTML with nothing a title can inject.
#include <algorithm>
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/report.hpp"
#include "report/sha256.hpp"
#include "section_analysis/exact_equilibrium.hpp"

namespace {

using namespace report;
using Kind = ReportBlock::Kind;

const std::string kSpace = "\xC2\xA0";  // the report's digit grouping
const runs::InputValues kBeam = {30, 50, 10, 5, 3304, 110, 3.5, 49500};

// Bytes from memory, as a file streams them.
tables::ByteSource source_of(std::string text)
{
    return [text = std::move(text), at = std::size_t{0}](char* buffer, std::size_t capacity) mutable {
        const std::size_t count = std::min(capacity, text.size() - at);
        std::copy_n(text.data() + at, count, buffer);
        at += count;
        return count;
    };
}

Report report_of(runs::InputValues values, std::string combinations = {}, std::optional<Units> units = {})
{
    ReportRequest request;
    request.values = values;
    request.units = units;
    request.date = "2026-12-07";
    request.version = "9.8.7";
    if (!combinations.empty()) request.combinations = source_of(std::move(combinations));
    return make_report(request);
}

std::vector<std::string> texts(const Report& report, Kind kind)
{
    std::vector<std::string> found;
    for (const ReportBlock& block : report.blocks)
        if (block.kind == kind) found.push_back(block.text);
    return found;
}

// The value of a quantity in the report's tables.
std::string quantity(const Report& report, const std::string& name)
{
    for (const ReportBlock& block : report.blocks)
        for (const std::vector<std::string>& row : block.rows)
            if (row.size() >= 2 && row[0] == name) return row[1];
    return "(none)";
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

// The figure to scale at the exact equilibrium: the axis at its x on the
// section's depth, and strains on one plane through zero at the axis, at a
// limit of their domain.
TEST(Report, DrawsTheSectionToScaleAtTheExactEquilibrium)
{
    for (const double Nd : {0.0, 49500.0, 120000.0, 140000.0, 165000.0, -44604.0}) {
        runs::InputValues values = kBeam;
        values[section_inputs::index(section_inputs::Input::Nd)] = Nd;
        const Report report = report_of(values);
        const double x = section_analysis::exact_equilibrium(runs::calculate(values).section,
                                                             static_cast<float>(Nd)).x;
        const auto figure = std::find_if(report.blocks.begin(), report.blocks.end(),
                                         [](const ReportBlock& b) { return b.kind == Kind::Figure; });
        ASSERT_NE(figure, report.blocks.end());
        const std::string& svg = figure->figure.svg;
        const double top = attribute(svg, "sezione", "y"), height = attribute(svg, "sezione", "height");
        EXPECT_FLOAT_EQ(attribute(svg, "asse-neutro", "data-depth"), x) << "Nd = " << Nd;
        EXPECT_NEAR(attribute(svg, "asse-neutro", "y1"), top + x / 50 * height, 0.01) << "Nd = " << Nd;
        const double eps_c = attribute(svg, "eps-c", "data-value"),
                     eps_s1 = attribute(svg, "eps-s1", "data-value"),
                     eps_s = attribute(svg, "eps-s", "data-value");
        const auto at_depth = [&](double depth) { return eps_c + (eps_s - eps_c) * depth / 46.5; };
        EXPECT_NEAR(eps_s1, at_depth(3.5), 1e-6) << "Nd = " << Nd;
        EXPECT_NEAR(at_depth(x), 0, 1e-6) << "Nd = " << Nd;
        const auto near = [](double a, double b) { return std::fabs(a - b) < 1e-6; };
        EXPECT_TRUE(near(eps_c, 0.0035) || near(eps_s, -0.01) || near(at_depth(50.0 * 3 / 7), 0.002)) << Nd;
    }
}

// Where the window's solver stops early, the headline is the exact
// equilibrium's, to its last digit, and a warning says which was adopted.
TEST(Report, AdoptsTheExactEquilibriumWhereTheSolverIsOff)
{
    const Report strip = report_of({3040, 50, 10, 5, 3304, 110, 3.5, 0});
    EXPECT_EQ(quantity(strip, "Mu, momento ultimo"), "1" + kSpace + "560" + kSpace + "440");
    EXPECT_EQ(quantity(strip, "Mu della finestra e della riga di comando (risolutore)"),
              "1" + kSpace + "229" + kSpace + "797");
    EXPECT_EQ(quantity(strip, "differenza del risolutore"), "-21,19 %");
    const Report unsymmetric = report_of({30, 50, 40, 1, 3304, 110, 3.5, 150577.73});
    EXPECT_EQ(quantity(unsymmetric, "Mu, momento ultimo"), "391" + kSpace + "075,3");
    EXPECT_EQ(quantity(unsymmetric, "differenza del risolutore"), "+1,98 %");
    ASSERT_EQ(texts(unsymmetric, Kind::Warning).size(), 1u);
    EXPECT_NE(texts(unsymmetric, Kind::Warning)[0].find("adotta il valore dell'equilibrio esatto"), std::string::npos);
    const Report beam = report_of(kBeam);
    EXPECT_EQ(quantity(beam, "Mu, momento ultimo"), "2" + kSpace + "055" + kSpace + "640");
    EXPECT_EQ(quantity(beam, "x/d"), "0,5377973");
    EXPECT_TRUE(texts(beam, Kind::Warning).empty());
}

// One line under the title: every combination's verdict, or the moment alone; the status follows.
TEST(Report, GivesTheOutcomeInOneLine)
{
    const std::string header = "combinazione;Nd;Md\n";
    const Report failing = report_of(kBeam, header + "SLU 1;0;1000000\nSLU 2;49500;-2500000\nSLU 3;170000;100\n");
    EXPECT_EQ(texts(failing, Kind::Outcome),
              std::vector<std::string>{
                  "Esito: sezione NON verificata: 2 combinazioni su 3 («SLU 2», Md/MuRd = 1,45)"});
    EXPECT_EQ(failing.status, 1);
    EXPECT_EQ(failing.blocks.front().kind, Kind::Outcome);
    const Report holding = report_of(kBeam, header + "A;0;1000000\nB;165000;699021\n");
    EXPECT_EQ(texts(holding, Kind::Outcome),
              std::vector<std::string>{
                  "Esito: sezione verificata per tutte le 2 combinazioni (la più gravosa: «B», Md/MuRd = 1,00)"});
    EXPECT_EQ(holding.status, 0);
    const Report single = report_of(kBeam, "Nd,Md\n0,1000000.5\n");
    EXPECT_EQ(texts(single, Kind::Outcome),
              std::vector<std::string>{"Esito: sezione verificata per l'unica combinazione («riga 2», Md/MuRd = 0,70)"});
    // A file with the decimal point: the report's numbers keep its decimal comma.
    EXPECT_EQ(quantity(single, "0"), "1000000,5");
    const Report unnamed = report_of(kBeam, "Nd;Md\n0;3000000\n");
    EXPECT_EQ(texts(unnamed, Kind::Outcome),
              std::vector<std::string>{"Esito: sezione NON verificata: 1 combinazione su 1 («riga 2», Md/MuRd = 2,10)"});
    const Report alone = report_of(kBeam, {}, Units{"kg", "cm"});
    EXPECT_EQ(texts(alone, Kind::Outcome),
              std::vector<std::string>{"Esito: momento resistente Mu = 2" + kSpace + "055" + kSpace +
                                       "640 kg·cm (201,59 kN·m) con Nd = 49" + kSpace +
                                       "500 kg (485,43 kN); nessuna combinazione da verificare"});
    EXPECT_EQ(alone.status, 0);
}

// The hand calculation, each step with its numbers and units.
TEST(Report, SetsOutEveryStepWithItsNumbers)
{
    const std::vector<std::string> beam = texts(report_of(kBeam, {}, Units{"kg", "cm"}), Kind::Formula);
    for (const std::string& step :
         {"C = 0,8 · b · x · fcd = 0,8 · 30 · 25,00758 · 110 = 66" + kSpace + "020 kg",
          "F's = As' · σs' = 5 · 3304 = 16" + kSpace + "520 kg", "Fs = As · σs = 10 · (-3304) = -33" + kSpace + "040 kg",
          "N = C + F's + Fs = 66" + kSpace + "020 + 16" + kSpace + "520 + (-33" + kSpace + "040) = 49" + kSpace +
              "500 kg = Nd",
          "Mu = C · (h/2 − 0,4·x) + (F's − Fs) · (h/2 − c) = 66" + kSpace + "020 · 14,99697 + (16" + kSpace +
              "520 − (-33" + kSpace + "040)) · 21,5 = 2" + kSpace + "055" + kSpace + "640 kg·cm (201,59 kN·m)",
          std::string("pivot: εc = 0,0035 al bordo compresso")})
        EXPECT_NE(std::find(beam.begin(), beam.end(), step), beam.end()) << step;
    const std::vector<std::string> five = texts(report_of({30, 50, 10, 5, 3304, 110, 3.5, 165000}), Kind::Formula);
    EXPECT_TRUE(std::any_of(five.begin(), five.end(), [](const std::string& s) { return s.starts_with("ψ = "); }));
    EXPECT_TRUE(std::any_of(five.begin(), five.end(),
                            [](const std::string& s) { return s.starts_with("pivot: ε = 0,002 a 3/7·h"); }));
    const std::vector<std::string> stretched = texts(report_of({30, 50, 10, 5, 3304, 110, 3.5, -44000}), Kind::Formula);
    EXPECT_TRUE(std::any_of(stretched.begin(), stretched.end(),
                            [](const std::string& s) { return s.starts_with("pivot: εs = −0,01"); }));
}

// Refused, with no blocks: units the modulus contradicts, combinations not wholly readable.
TEST(Report, RefusesWhatItCannotStandBehind)
{
    const auto refusal = [](const Report& report) {
        EXPECT_TRUE(report.blocks.empty());
        return std::to_string(report.status) + " " + (report.refusal ? report.refusal->text : "(none)");
    };
    EXPECT_EQ(refusal(report_of(kBeam, {}, Units{"N", "mm"})),
              "2 con --unita N,mm fsd = 3304 dà Es = 2" + kSpace + "100" + kSpace + "000: le resistenze sembrano in kg/cm²");
    EXPECT_EQ(refusal(report_of({300, 500, 1500, 600, 3304, 110, 40, 0}, {}, Units{"kN", "m"})),
              "2 con --unita kN,m fsd = 3304 dà Es = 2" + kSpace + "100" + kSpace + "000: le resistenze sembrano in kg/cm²");
    EXPECT_EQ(refusal(report_of({300, 500, 1500, 600, 391.3f, 14.17f, 40, 0}, {}, Units{"kg", "cm"})),
              "2 con --unita kg,cm fsd = 391,3 dà Es = 210" + kSpace + "000: le resistenze sembrano in N/mm²");
    EXPECT_EQ(refusal(report_of(kBeam, "combinazione;Nd;Md\nA;0;5\nB;abc;5\n")),
              "2 riga 3: valore non numerico nella colonna Nd");
    EXPECT_EQ(refusal(report_of(kBeam, "Nd;Md\n\"0;5\n")), "2 riga 2: virgolette aperte alla riga 2 e mai chiuse");
    EXPECT_EQ(refusal(report_of(kBeam, "Nd;Md\n")), "2 il file ha l'intestazione ma nessuna riga da calcolare");
    EXPECT_EQ(refusal(report_of(kBeam, "Nd;nota\n0;a\n")), "2 nell'intestazione manca la colonna Md");
    EXPECT_EQ(refusal(report_of({30, 50, 0, 5, 3304, 110, 3.5, 0})), "1 valore dell'armatura tesa non corretto");
    EXPECT_EQ(report_of(kBeam, {}, Units{"kg", "cm"}).status, 0);
}

// How to write it again: the command, the version, the combinations' digest, the dossier.
TEST(Report, TellsHowToReproduceIt)
{
    ReportRequest request;
    request.values = kBeam;
    request.version = "9.8.7";
    request.reproduction = "momento-ultimo-cli relazione -b 30";
    request.combinations = source_of("Nd;Md\n0;1000\n");
    request.combinations_name = "c.csv";
    const Report report = make_report(request);
    EXPECT_EQ(quantity(report, "per riscriverla"), "momento-ultimo-cli relazione -b 30");
    EXPECT_EQ(quantity(report, "versione del programma"), "9.8.7");
    EXPECT_EQ(quantity(report, "file delle combinazioni"), "c.csv");
    Sha256 digest;
    digest.add("Nd;Md\n0;1000\n");
    EXPECT_EQ(quantity(report, "SHA-256 del file delle combinazioni"), digest.hex());
    EXPECT_EQ(quantity(report, "casi risolti di validazione"), kDossier);
    EXPECT_EQ(texts(report, Kind::Ruled),
              (std::vector<std::string>{"Giudizio del progettista sui risultati:", "Progettista (nome, firma e data):"}));
}

TEST(Sha256, DigestsAsTheStandardSays)
{
    const auto hex = [](const std::vector<std::string>& pieces) {
        Sha256 digest;
        for (const std::string& piece : pieces)
            digest.add(piece);
        return digest.hex();
    };
    EXPECT_EQ(hex({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(hex({"abc"}), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(hex({"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"}),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(hex({"abcdbcdecdefdefgefghfghighij", "hijkijkljklmklmnlmnomnopnopq"}),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(hex({std::string(1000000, 'a')}), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// Every match of a pattern's first group, in order.
std::vector<std::string> all(const std::string& text, const std::string& pattern)
{
    const std::regex expression(pattern);
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), expression); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

// The HTML of the worked example: its parts in order, each table under a
// header that repeats on every printed page, the forces' lever arms.
TEST(ReportHtml, WritesItsPartsAndTablesInOrderWithTheirHeaders)
{
    Report report = report_of(kBeam);
    report.title = "Trave <T1>";
    const std::string html = report_html(report);
    EXPECT_EQ(all(html, "<h1>([^<]*)</h1>"), std::vector<std::string>{"Trave &lt;T1&gt;"});
    EXPECT_EQ(all(html, "<h2>([^<]*)</h2>"),
              (std::vector<std::string>{"Dati", "Norma e ipotesi", "Limiti d'impiego", "Calcolo passo per passo",
                                        "Risultati", "Controllo", "Riproducibilità",
                                        "Giudizio motivato di accettabilità"}));
    EXPECT_EQ(all(html, "<thead><tr>(<th>.*?)</tr></thead>"),
              (std::vector<std::string>{"<th>voce</th><th>valore</th>", "<th>grandezza</th><th>valore</th>",
                                        "<th>grandezza</th><th>valore</th>", "<th>grandezza</th><th>valore</th>",
                                        "<th>voce</th><th>valore</th>", "<th>controllo automatico</th><th>esito</th>"}));
    EXPECT_NE(html.find("thead{display:table-header-group}"), std::string::npos);
    EXPECT_EQ(all(html, "<td>programma</td><td>([^<]*)</td>"),
              std::vector<std::string>{"momento-ultimo 9.8.7 (finestra momento-ultimo, riga di comando "
                                       "momento-ultimo-cli, pagina HTML)"});
    // From mid-height: the tension steel at h/2 - d below, the compression steel at h/2 - c above.
    EXPECT_EQ(all(html, "<td>braccio di Fs</td><td class=\"numero\">([^<]*)</td>"), std::vector<std::string>{"-21,5"});
    EXPECT_EQ(all(html, "<td>braccio di F's</td><td class=\"numero\">([^<]*)</td>"), std::vector<std::string>{"21,5"});
    EXPECT_EQ(all(html, "<td>C, risultante del calcestruzzo</td><td class=\"numero\">([^<]*)</td>"),
              std::vector<std::string>{"66" + kSpace + "020"});
    EXPECT_EQ(all(html, "<p class=\"esito\">([^<]*)</p>"),
              std::vector<std::string>{"Esito: momento resistente Mu = 2" + kSpace + "055" + kSpace +
                                       "640 con Nd = 49" + kSpace + "500; nessuna combinazione da verificare"});
    EXPECT_EQ(all(html, "(<div class=\"riga\"></div>)").size(), 2u * kRuledLines);
}

// A title is text wherever it lands: the style's footer string can hold no
// markup, no control character and nothing that ends the string or the rule.
TEST(ReportHtml, LetsNoTitleOutOfItsStringOrItsElement)
{
    for (const std::string& title : {std::string("</style><script>alert(1)</script>"),
                                    std::string("T1\f}}.relazione{background:url(http://127.0.0.1:9/leak)}"),
                                    std::string("a\"b\\c'd\ne\x01" "f;g{h}i")}) {
        Report report = report_of(kBeam);
        report.title = title;
        const std::string html = report_html(report);
        const std::size_t open = html.find("<style>") + 7, close = html.find("</style>");
        const std::string style = html.substr(open, close - open);
        EXPECT_EQ(style.find('<'), std::string::npos) << title;
        EXPECT_EQ(std::count_if(style.begin(), style.end(),
                                [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\n'; }),
                  0)
            << title;
        const std::size_t content = style.find("content:");
        const std::string footer = style.substr(content, style.find(";font-size", content) - content);
        EXPECT_EQ(footer.find_first_of("{}'\n"), std::string::npos) << footer;
        EXPECT_EQ(all(footer, "(\"[^\"]*\")").size(), 2u) << footer;
        EXPECT_EQ(html.find("<script"), std::string::npos) << title;
        EXPECT_EQ(html.find('\x01'), std::string::npos) << title;
    }
}

// The footer's title is cut with "…" so that the page number keeps its place.
TEST(ReportHtml, ShortensALongTitleInTheFooter)
{
    Report report = report_of(kBeam);
    report.version = "1.0";
    report.title = std::string(59, 'x') + "àbc";
    EXPECT_EQ(report.footer(60), "momento-ultimo 1.0 — " + std::string(59, 'x') + "à…");
    EXPECT_EQ(report.footer(), "momento-ultimo 1.0 — " + report.title);
    report.title = std::string(60, 'y');
    EXPECT_EQ(report.footer(60), "momento-ultimo 1.0 — " + report.title);
}

}  // namespace
