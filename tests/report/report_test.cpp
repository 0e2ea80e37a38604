// SPDX-License-Identifier: GPL-3.0-or-later
// The report's figure of the section, to scale.
#include <cmath>
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
