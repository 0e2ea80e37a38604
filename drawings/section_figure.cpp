// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/section_figure.hpp"

#include <algorithm>
#include <cmath>

#include "drawings/domain_svg.hpp"
#include "drawings/svg_writer.hpp"
#include "numbers/exact_number.hpp"
#include "numbers/number_text.hpp"
#include "section_inputs/section_inputs.hpp"

namespace drawings {

using namespace numbers;

namespace {

using section_analysis::Domain;
using section_inputs::Input;

constexpr double kTop = 60, kPlotHeight = 280;  // pixels of the depths drawn
constexpr double kSectionCentre = 140, kWidestSection = 180;
constexpr double kStrainZero = 410, kStrainReach = 80;  // the strain diagram's axis and half width
constexpr double kStressZero = 640, kBlockWidth = 50, kLongestArrow = 100;
constexpr double kFarthestAxis = 0.5;  // of h beyond the section, where x is still drawn
constexpr double kBarRadius = 4;
constexpr double kAxisWidth = 1.5;
constexpr int kBarsDrawn = 3;
constexpr const char* kConcrete = "#d8d8d8";
constexpr const char* kSteel = "#c80000";
constexpr const char* kAxis = "#0000c8";

std::string text(double value, char mark)
{
    return number_to_text(static_cast<float>(value), mark);
}

// Depths to pixels: the section, and the neutral axis where it lies near it.
class DepthScale {
public:
    DepthScale(double h, double x)
    {
        const bool drawn = x >= -kFarthestAxis * h && x <= (1 + kFarthestAxis) * h;
        low_ = drawn ? std::min(0.0, x) : 0;
        high_ = drawn ? std::max(h, x) : h;
    }
    double y(double depth) const { return kTop + (depth - low_) / (high_ - low_) * kPlotHeight; }
    double per_unit() const { return kPlotHeight / (high_ - low_); }
    bool shows(double depth) const { return depth >= low_ && depth <= high_; }

private:
    double low_, high_;
};

void rectangle(SvgWriter& svg, double x, double y, double width, double height, const char* fill,
               const char* stroke = "#000000", std::string_view attributes = {})
{
    svg.raw("<rect x=\"" + px(x) + "\" y=\"" + px(y) + "\" width=\"" + px(width) + "\" height=\"" +
            px(height) + "\" fill=\"" + fill + "\" stroke=\"" + stroke + "\" stroke-width=\"1\"");
    svg.raw(attributes);
    svg.raw("/>\n");
}

// An arrow from `from` to `to`, its head at `to`.
void arrow(SvgWriter& svg, Point from, Point to, std::string_view attributes)
{
    svg.line(from, to, kSteel, 2, attributes);
    const double direction = to.x >= from.x ? 1 : -1, head = 8;
    svg.raw("<polygon points=\"" + px(to.x) + ',' + px(to.y) + ' ' + px(to.x - direction * head) + ',' +
            px(to.y - head / 2) + ' ' + px(to.x - direction * head) + ',' + px(to.y + head / 2) +
            "\" fill=\"" + kSteel + "\"/>\n");
}

// The figure's four drawings, each a step, on what they share: the
// section, its state, the scale of depths, and the line of the notes below.
class FigureWriter {
public:
    FigureWriter(SvgWriter& svg, const section_analysis::SectionState& section,
                 const section_analysis::Trial& trial, const section_analysis::UltimateState& state,
                 char mark)
        : svg(svg), s(section), t(trial), u(state), mark(mark), h(s.H), c(s.D1), d(s.D), x(t.x), scale(h, x),
          below(std::max(scale.y(h), scale.shows(x) ? scale.y(x) : 0.0) + 20)
    {
    }
    void draw_section();
    void draw_axis();
    void draw_strains();
    void draw_stresses();

private:
    SvgWriter& svg;
    const section_analysis::SectionState& s;
    const section_analysis::Trial& t;
    const section_analysis::UltimateState& u;
    const char mark;
    const double h, c, d, x;
    const DepthScale scale;
    const double below;  // the notes' line, under everything drawn, the axis included
};

// The section to the scale of its depths; a width beyond the room is drawn shorter and said.
void FigureWriter::draw_section()
{
    const double to_scale = s.B * scale.per_unit();
    const double width = std::min(to_scale, kWidestSection);
    const double left = kSectionCentre - width / 2;
    rectangle(svg, left, scale.y(0), width, scale.y(h) - scale.y(0), "#f4f4f4", "#000000", " id=\"sezione\"");
    if (to_scale > kWidestSection)
        svg.label({kSectionCentre, below + 16}, "(b non in scala)", "middle", {.size = 11});
    svg.label({kSectionCentre, below}, "b = " + text(s.B, mark), "middle");
    svg.label({left - 8, (scale.y(0) + scale.y(h)) / 2 - 8}, "h = " + text(h, mark), "end");
    for (const auto& [depth, area, name] : {std::tuple{c, s.As1, section_inputs::entry(Input::As1).column},
                                            std::tuple{d, s.As, section_inputs::entry(Input::As).column}}) {
        for (int i = 0; i < kBarsDrawn; ++i) {
            const double bar_x = left + width * (i + 0.5) / kBarsDrawn;
            svg.raw("<circle cx=\"" + px(bar_x) + "\" cy=\"" + px(scale.y(depth)) + "\" r=\"" +
                    px(kBarRadius) + "\" fill=\"#000000\"/>\n");
        }
        svg.label({left + width + 8, scale.y(depth) + 4}, std::string(name) + " = " + text(area, mark),
                  "start");
    }
}

// The neutral axis across the three drawings, or where it lies when it is beyond them.
void FigureWriter::draw_axis()
{
    const std::string depth = exact_text(static_cast<float>(x), '.');
    if (scale.shows(x)) {
        const Point from{kSectionCentre - kWidestSection / 2 - 10, scale.y(x)}, to{kFigureWidth - 20, scale.y(x)};
        svg.line(from, to, kAxis, kAxisWidth, " stroke-dasharray=\"6 4\" id=\"asse-neutro\" data-depth=\"" + depth + '"');
        svg.keep_clear({from.x, from.y - kAxisWidth / 2}, {to.x, to.y + kAxisWidth / 2});
        svg.label({kFigureWidth - 20, scale.y(x) - 6}, "x = " + text(x, mark), "end", {.colour = kAxis});
    } else {
        svg.label({kFigureWidth - 20, kTop - 12}, "asse neutro fuori disegno: x = " + text(x, mark), "end",
                  {}, " id=\"asse-neutro\" data-depth=\"" + depth + '"');
    }
}

// Strains: shortening to the right, the line through the edge and the tension layer.
void FigureWriter::draw_strains()
{
    const double strain_at_h = u.eps_c + (u.eps_s - u.eps_c) * h / d;
    const double largest = std::max({std::fabs(u.eps_c), std::fabs(u.eps_s), std::fabs(strain_at_h), 1e-12});
    const auto strain_x = [&](double eps) { return kStrainZero + eps / largest * kStrainReach; };
    svg.raw("<polygon points=\"" + px(kStrainZero) + ',' + px(scale.y(0)) + ' ' + px(strain_x(u.eps_c)) +
            ',' + px(scale.y(0)) + ' ' + px(strain_x(strain_at_h)) + ',' + px(scale.y(h)) + ' ' +
            px(kStrainZero) + ',' + px(scale.y(h)) + "\" fill=\"#e8e8ff\" stroke=\"" + kAxis +
            "\" stroke-width=\"1.5\"/>\n");
    svg.line({kStrainZero, scale.y(0) - 10}, {kStrainZero, scale.y(h) + 10}, "#000000");
    const auto strain_label = [&](const char* id, const char* name, double depth, double eps) {
        const double at = strain_x(eps);
        svg.label({std::max(at, kStrainZero) + 6, scale.y(depth) + 4},
                  std::string(name) + " = " + text(eps, mark), "start", {},
                  std::string(" id=\"") + id + "\" data-value=\"" + exact_text(static_cast<float>(eps), '.') +
                      '"');
    };
    strain_label("eps-c", "εc", 0, u.eps_c);
    strain_label("eps-s1", "εs'", c, u.eps_s1);
    strain_label("eps-s", "εs", d, u.eps_s);
}

// Stresses: the block at fcd, the steel forces as arrows (compression to the left).
void FigureWriter::draw_stresses()
{
    svg.line({kStressZero, scale.y(0) - 10}, {kStressZero, scale.y(h) + 10}, "#000000");
    if (u.block_depth > 0) {
        rectangle(svg, kStressZero - kBlockWidth, scale.y(0), kBlockWidth,
                  scale.y(u.block_depth) - scale.y(0), kConcrete, "#606060");
        const bool beyond = t.domain == Domain::Five;
        svg.label({kStressZero - kBlockWidth / 2, below},
                  std::string("blocco ") + (beyond ? "ψ·h = " : "0,8·x = ") + text(u.block_depth, mark),
                  "middle", {.size = 11});
        svg.label({kStressZero - kBlockWidth / 2, scale.y(0) - 6}, "fcd = " + text(s.Fcd, mark), "middle",
                  {.size = 11});
    }
    const double strongest = std::max({std::fabs(u.F_s1), std::fabs(u.F_s), 1e-30});
    for (const auto& [id, name, depth, force] :
         {std::tuple{"F-s1", "F's", c, u.F_s1}, std::tuple{"F-s", "Fs", d, u.F_s}}) {
        const double length = std::fabs(force) / strongest * kLongestArrow;
        const double y = scale.y(depth);
        const Point tail{force >= 0 ? kStressZero + length : kStressZero, y};
        const Point head{force >= 0 ? kStressZero : kStressZero + length, y};
        arrow(svg, tail, head,
              std::string(" id=\"") + id + "\" data-value=\"" + exact_text(static_cast<float>(force), '.') +
                  '"');
        // Over its arrow, from the axis: however long the arrow, the words stay in the drawing.
        svg.label({kStressZero + 8, y - 6}, std::string(name) + " = " + text(force, mark), "start", {.size = 11});
    }
}

}  // namespace

Drawing section_figure_svg(const section_analysis::SectionState& s, const section_analysis::Trial& t,
                           const section_analysis::UltimateState& u, char mark)
{
    SvgWriter svg;
    svg.open(kFigureWidth, kFigureHeight, " role=\"img\" aria-label=\"Sezione, deformazioni e tensioni\"",
             {});
    svg.label({kSectionCentre, 24}, "Sezione", "middle", {.size = 14, .bold = true});
    svg.label({kStrainZero, 24}, "Deformazioni", "middle", {.size = 14, .bold = true});
    svg.label({kStressZero + 40, 24}, "Tensioni", "middle", {.size = 14, .bold = true});
    FigureWriter figure(svg, s, t, u, mark);
    figure.draw_section();
    figure.draw_axis();
    figure.draw_strains();
    figure.draw_stresses();
    return svg.close();
}

}  // namespace drawings
