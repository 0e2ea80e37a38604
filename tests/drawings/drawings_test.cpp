// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures: the domain's axes marked in round steps, and the
// words of every picture kept as data beside its SVG.
#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drawings/domain_svg.hpp"
#include "drawings/svg_writer.hpp"

namespace {

using namespace drawings;
using Words = std::vector<std::string>;

// The labels of the N axis, left to right: the only words centred on their place.
Words n_tick_labels(const Drawing& drawing)
{
    Words labels;
    for (const Label& label : drawing.labels)
        if (label.anchor == "middle") labels.push_back(label.words);
    return labels;
}

// One combination at (N, 0) sets the N axis from 0 to N, with 5 % of room on each side.
Words n_ticks_up_to(float N)
{
    return n_tick_labels(domain_svg({{}, {{N, 0, true, 0, ""}}, "sezione"}));
}

TEST(DomainPicture, MarksItsAxesInStepsOfOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_EQ(n_ticks_up_to(50), (Words{"0", "10", "20", "30", "40", "50"}));
    EXPECT_EQ(n_ticks_up_to(100), (Words{"0", "20", "40", "60", "80", "100"}));
    EXPECT_EQ(n_ticks_up_to(250), (Words{"0", "50", "100", "150", "200", "250"}));
    EXPECT_EQ(n_ticks_up_to(500), (Words{"0", "100", "200", "300", "400", "500"}));
    EXPECT_EQ(n_ticks_up_to(600), (Words{"0", "200", "400", "600"}));
    EXPECT_EQ(n_ticks_up_to(-2500), (Words{"-2500", "-2000", "-1500", "-1000", "-500", "0"}));
    EXPECT_EQ(n_tick_labels(domain_svg({{}, {{0.5f, 0, false, 0, ""}}, "sezione"}, ',')), (Words{"0", "0,2", "0,4"}));
}

// What the SVG writes as text elements is what the labels hold, and the
// shapes alone hold no text.
TEST(Drawings, KeepTheirWordsAsDataBesideTheSvg)
{
    const Drawing drawing = domain_svg({{}, {{500, 200, false, 0, ""}}, "b = 30 & <h>"}, ',');
    EXPECT_EQ(drawing.width, kPictureWidth);
    EXPECT_EQ(drawing.height, kPictureHeight);
    static const std::regex kText("<text x=\"([-0-9.]+)\" y=\"([-0-9.]+)\" text-anchor=\"(\\w+)\" font-size=\"(\\d+)\""
                                  "( font-weight=\"bold\")?[^>]*>([^<]*)</text>");
    std::vector<Label> written;
    for (auto it = std::sregex_iterator(drawing.svg.begin(), drawing.svg.end(), kText); it != std::sregex_iterator();
         ++it) {
        const std::smatch& m = *it;
        written.push_back({{std::stod(m[1]), std::stod(m[2])}, m[6], m[3], {std::stoi(m[4]), m[5].matched}});
    }
    ASSERT_EQ(written.size(), drawing.labels.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        const Label& kept = drawing.labels[i];
        EXPECT_EQ(px(written[i].at.x), px(kept.at.x)) << kept.words;
        EXPECT_EQ(px(written[i].at.y), px(kept.at.y)) << kept.words;
        EXPECT_EQ(written[i].anchor, kept.anchor) << kept.words;
        EXPECT_EQ(written[i].style.size, kept.style.size) << kept.words;
        EXPECT_EQ(written[i].style.bold, kept.style.bold) << kept.words;
    }
    const auto words = [&](const std::string& text) {
        return std::count_if(drawing.labels.begin(), drawing.labels.end(),
                             [&](const Label& label) { return label.words == text; });
    };
    EXPECT_EQ(words("b = 30 & <h>"), 1);  // as given; the SVG escapes it
    EXPECT_NE(drawing.svg.find(">b = 30 &amp; &lt;h&gt;</text>"), std::string::npos);
    EXPECT_EQ(words("non verificata"), 1);
    EXPECT_EQ(words("N") + words("M"), 2);
    EXPECT_EQ(drawing.shapes.find("<text"), std::string::npos);
    EXPECT_EQ(drawing.shapes.substr(0, 100), drawing.svg.substr(0, 100));
    EXPECT_TRUE(drawing.shapes.ends_with("</g>\n</svg>\n"));
}

}  // namespace

namespace {

bool apart(const std::pair<Point, Point>& a, const std::pair<Point, Point>& b)
{
    return a.second.x <= b.first.x || b.second.x <= a.first.x || a.second.y <= b.first.y || b.second.y <= a.first.y;
}

// Labels written where they would leave the picture or lie on each other,
// or on a line kept clear, are moved just enough: inside, apart, off the line.
TEST(Drawings, PlaceTheirLabelsInsideAndApart)
{
    SvgWriter svg;
    svg.open(200, 140, {}, {});
    svg.keep_clear({0, 49}, {200, 51});
    svg.label({195, 30}, "Fs = -586950", "start");       // past the right edge
    svg.label({5, 30}, "εc = 2,210293E-05", "end");       // past the left edge
    svg.label({100, 30}, "x = 49,09175", "middle");      // on the next one
    svg.label({100, 32}, "Fs = 3880,355", "middle");
    svg.label({100, 54}, "on the line", "middle");        // across the line kept clear
    svg.label({100, 139}, "at the foot", "middle");       // on the last one, at the bottom
    svg.label({100, 139}, "at the foot too", "middle");
    const Drawing drawing = svg.close();
    std::vector<std::pair<Point, Point>> boxes;
    for (const Label& label : drawing.labels)
        boxes.push_back(label_box(label));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const auto& [top_left, bottom_right] = boxes[i];
        EXPECT_GE(top_left.x, 0) << drawing.labels[i].words;
        EXPECT_LE(bottom_right.x, 200) << drawing.labels[i].words;
        EXPECT_GE(top_left.y, 0) << drawing.labels[i].words;
        EXPECT_LE(bottom_right.y, 140) << drawing.labels[i].words;
        EXPECT_TRUE(apart(boxes[i], {{0, 49}, {200, 51}})) << drawing.labels[i].words;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_TRUE(apart(boxes[i], boxes[j])) << drawing.labels[i].words << " on " << drawing.labels[j].words;
    }
    // The SVG writes each label where it was placed, in the order written.
    const std::regex text("<text x=\"([0-9.-]+)\" y=\"([0-9.-]+)\"[^>]*>([^<]*)</text>");
    std::size_t i = 0;
    for (auto it = std::sregex_iterator(drawing.svg.begin(), drawing.svg.end(), text); it != std::sregex_iterator();
         ++it, ++i) {
        ASSERT_LT(i, drawing.labels.size());
        EXPECT_EQ((*it)[3], drawing.labels[i].words);
        EXPECT_EQ((*it)[1], px(drawing.labels[i].at.x));
        EXPECT_EQ((*it)[2], px(drawing.labels[i].at.y));
    }
    EXPECT_EQ(i, drawing.labels.size());
    // One already inside and apart stays where it was written.
    SvgWriter alone;
    alone.open(200, 100, {}, {});
    alone.label({100, 30}, "b = 30", "middle");
    EXPECT_EQ(alone.close().labels[0].at.x, 100);
}

}  // namespace
