// SPDX-License-Identifier: GPL-3.0-or-later
// The domain's picture: its axes marked in round steps.
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drawings/domain_svg.hpp"

namespace {

using namespace drawings;

// The labels of the N axis, left to right: the only texts centred on their place.
std::vector<std::string> n_tick_labels(const std::string& svg)
{
    static const std::regex kCentred("<text [^>]*text-anchor=\"middle\"[^>]*>([^<]*)</text>");
    std::vector<std::string> labels;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kCentred); it != std::sregex_iterator(); ++it)
        labels.push_back((*it)[1]);
    return labels;
}

// One combination at (N, 0) sets the N axis from 0 to N, with 5 % of room on each side.
std::vector<std::string> n_ticks_up_to(float N)
{
    return n_tick_labels(domain_svg({{}, {{N, 0, true}}, "sezione"}));
}

TEST(DomainPicture, MarksItsAxesInStepsOfOneTwoOrFiveTimesAPowerOfTen)
{
    using Labels = std::vector<std::string>;
    EXPECT_EQ(n_ticks_up_to(50), (Labels{"0", "10", "20", "30", "40", "50"}));
    EXPECT_EQ(n_ticks_up_to(100), (Labels{"0", "20", "40", "60", "80", "100"}));
    EXPECT_EQ(n_ticks_up_to(250), (Labels{"0", "50", "100", "150", "200", "250"}));
    EXPECT_EQ(n_ticks_up_to(500), (Labels{"0", "100", "200", "300", "400", "500"}));
    EXPECT_EQ(n_ticks_up_to(600), (Labels{"0", "200", "400", "600"}));
    EXPECT_EQ(n_ticks_up_to(-2500), (Labels{"-2500", "-2000", "-1500", "-1000", "-500", "0"}));
}

TEST(DomainPicture, WritesTheLabelsWithTheDecimalMarkAndEscapesTheCaption)
{
    const std::string svg = domain_svg({{}, {{0.5f, 0, false}}, "b = 30 & <h>"}, ',');
    EXPECT_EQ(n_tick_labels(svg), (std::vector<std::string>{"0", "0,2", "0,4"}));
    EXPECT_NE(svg.find(">b = 30 &amp; &lt;h&gt;</text>"), std::string::npos);
    EXPECT_NE(svg.find(">non verificata</text>"), std::string::npos);
}

}  // namespace
