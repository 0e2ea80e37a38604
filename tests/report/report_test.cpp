// SPDX-License-Identifier: GPL-3.0-or-later
// The report's figure of the section, to scale.
#include <cmath>
#include <regex>
#include <vector>
#include <string>

#include <gtest/gtest.h>

#include "report/report.hpp"

namespace {

using namespace report;
using runs::calculate;

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
        const std::string& svg = figure->figure.svg;
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

// Every match of a pattern's first group, in order.
std::vector<std::string> all(const std::string& text, const std::string& pattern)
{
    const std::regex expression(pattern);
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), expression); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

// The HTML of the worked example at 0.3 of its capacity: its parts in order,
// each table under its header, the program that wrote it, the forces' lever arms.
TEST(Report, WritesItsPartsAndTablesInOrderWithTheirHeaders)
{
    ReportRequest request;
    request.values = {30, 50, 10, 5, 3304, 110, 3.5, 49500};
    request.title = "Trave <T1>";
    request.date = "2026-12-07";
    request.version = "9.8.7";
    const std::string html = report_html(make_report(request));
    EXPECT_EQ(all(html, "<h1>([^<]*)</h1>"), std::vector<std::string>{"Trave &lt;T1&gt;"});
    EXPECT_EQ(all(html, "<h2>([^<]*)</h2>"), (std::vector<std::string>{"Dati", "Ipotesi", "Risultati", "Controllo"}));
    EXPECT_EQ(all(html, "<tr>(<th>.*?)</tr>"),
              (std::vector<std::string>{"<th>voce</th><th>valore</th>", "<th>grandezza</th><th>valore</th>",
                                        "<th>grandezza</th><th>valore</th>", "<th>grandezza</th><th>valore</th>"}));
    EXPECT_EQ(all(html, "<td>programma</td><td>([^<]*)</td>"),
              std::vector<std::string>{"momento-ultimo 9.8.7 (finestra momento-ultimo, riga di comando "
                                       "momento-ultimo-cli, pagina HTML)"});
    EXPECT_EQ(all(html, "<td>data</td><td>([^<]*)</td>"), std::vector<std::string>{"2026-12-07"});
    // From mid-height: the tension steel at h/2 - d below, the compression steel at h/2 - c above.
    EXPECT_EQ(all(html, "<td>braccio di Fs</td><td class=\"numero\">([^<]*)</td>"), std::vector<std::string>{"-21,5"});
    EXPECT_EQ(all(html, "<td>braccio di F's</td><td class=\"numero\">([^<]*)</td>"), std::vector<std::string>{"21,5"});
    EXPECT_EQ(all(html, "<td>d = h − c, altezza utile</td><td class=\"numero\">([^<]*)</td>"),
              std::vector<std::string>{"46,5"});
}

}  // namespace
