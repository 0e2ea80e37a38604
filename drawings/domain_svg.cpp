// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/domain_svg.hpp"

#include <algorithm>
#include <cmath>

#include "drawings/markup.hpp"
#include "drawings/svg_writer.hpp"
#include "numbers/exact_number.hpp"
#include "numbers/number_text.hpp"

namespace drawings {

using runs::PlottedCombination;

using namespace numbers;

namespace {

using section_analysis::Branch;

constexpr double kMargin = 70;     // room for the tick labels, around the plot
constexpr int kTicks = 6;          // about as many ticks on each axis
constexpr double kTickLength = 5;  // pixels
constexpr double kMarkSize = 6;    // half the width of a combination's mark
constexpr double kPad = 0.05;      // of each range, around the points
constexpr const char* kOutline = "#0000c8";
constexpr const char* kOutlineTint = "#e7e7fa";  // the outline's colour at 9.4 % on white
constexpr const char* kVerified = "#008c00";
constexpr const char* kNotVerified = "#d20000";
constexpr const char* kGrid = "#e1e1e1";

// A round step near range / kTicks: 1, 2 or 5 times a power of ten.
double tick_step(double range)
{
    const double rough = range / kTicks;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0})
        if (rough <= factor * decade) return factor * decade;
    return 10 * decade;
}

// The user's numbers to the picture's pixels.
class Axes {
public:
    Axes(const DomainPicture& picture, double left, double top, double width, double height)
        : left_(left), top_(top), width_(width), height_(height)
    {
        for (const auto& point : picture.points)
            if (point.result) include(point.Nd, point.result->Mu);
        for (const auto& combination : picture.combinations)
            include(combination.Nd, combination.Md);
        include(0, 0);  // the origin in sight, where the axes cross
        const double n_pad = kPad * (n_high_ - n_low_ + 1), m_pad = kPad * (m_high_ - m_low_ + 1);
        n_low_ -= n_pad, n_high_ += n_pad, m_low_ -= m_pad, m_high_ += m_pad;
    }

    Point at(double N, double M) const
    {
        return {left_ + (N - n_low_) / (n_high_ - n_low_) * width_,
                top_ + height_ - (M - m_low_) / (m_high_ - m_low_) * height_};
    }
    // The plot's corners in pixels and its ranges in the user's numbers, for
    // a reader of the picture that maps the pointer back.
    std::string data_attributes() const
    {
        const auto pair = [](double a, double b) {
            return exact_text(static_cast<float>(a), '.') + ' ' + exact_text(static_cast<float>(b), '.');
        };
        return " data-plot=\"" + px(left_) + ' ' + px(top_) + ' ' + px(left_ + width_) + ' ' +
               px(top_ + height_) + "\" data-n=\"" + pair(n_low_, n_high_) + "\" data-m=\"" +
               pair(m_low_, m_high_) + '"';
    }
    double left() const { return left_; }
    double right() const { return left_ + width_; }
    double top() const { return top_; }
    double bottom() const { return top_ + height_; }

    template <class Draw> void n_ticks(Draw draw) const { ticks(n_low_, n_high_, draw); }
    template <class Draw> void m_ticks(Draw draw) const { ticks(m_low_, m_high_, draw); }

private:
    void include(double N, double M)
    {
        n_low_ = std::min(n_low_, N), n_high_ = std::max(n_high_, N);
        m_low_ = std::min(m_low_, M), m_high_ = std::max(m_high_, M);
    }

    template <class Draw> static void ticks(double low, double high, Draw draw)
    {
        const double step = tick_step(high - low);
        for (double value = std::ceil(low / step) * step; value <= high; value += step)
            draw(std::fabs(value) < step / 2 ? 0.0 : value);
    }

    double left_, top_, width_, height_;
    double n_low_ = 0, n_high_ = 0, m_low_ = 0, m_high_ = 0;
};

// A verified combination is a ring, one that is not a cross.
void mark(SvgWriter& svg, Point at, bool verified)
{
    if (verified) {
        svg.raw("<circle cx=\"" + px(at.x) + "\" cy=\"" + px(at.y) + "\" r=\"" + px(kMarkSize) +
                "\" fill=\"none\" stroke=\"" + kVerified + "\" stroke-width=\"2\"/>\n");
    } else {
        svg.line({at.x - kMarkSize, at.y - kMarkSize}, {at.x + kMarkSize, at.y + kMarkSize}, kNotVerified, 2);
        svg.line({at.x - kMarkSize, at.y + kMarkSize}, {at.x + kMarkSize, at.y - kMarkSize}, kNotVerified, 2);
    }
}

// A tick label's value as data, for a page that writes it in its reader's own way.
std::string tick_attributes(double value)
{
    return " class=\"tacca\" data-value=\"" + exact_text(static_cast<float>(value), '.') + '"';
}

// The closed outline: the positive branch with N increasing, then the
// negative branch back, through every computed point. Its fill is an
// opaque tint, drawn under the grid, since a PDF/A-1 may hold no
// transparency; its line is drawn over the grid.
std::string outline(const DomainPicture& picture, const Axes& axes, bool fill)
{
    std::string points;
    for (Branch branch : {Branch::Positive, Branch::Negative}) {
        std::vector<Point> corners;
        for (const auto& point : picture.points)
            if (point.branch == branch && point.result)
                corners.push_back(axes.at(point.Nd, point.result->Mu));
        if (branch == Branch::Negative) std::reverse(corners.begin(), corners.end());
        for (const Point& corner : corners)
            points += px(corner.x) + ',' + px(corner.y) + ' ';
    }
    if (!points.empty()) points.pop_back();
    if (fill) return "<polygon points=\"" + points + "\" fill=\"" + kOutlineTint + "\" stroke=\"none\"/>\n";
    return "<polygon points=\"" + points + "\" fill=\"none\" stroke=\"" + kOutline +
           "\" stroke-width=\"2\" stroke-linejoin=\"round\"/>\n";
}

}  // namespace

std::string domain_caption(const section_analysis::SectionState& s, char decimal_mark)
{
    const auto text = [&](float value) { return number_to_text(value, decimal_mark); };
    return "b = " + text(s.B) + "   h = " + text(s.H) + "   c = " + text(s.D1) + "   As = " + text(s.As) +
           "   As' = " + text(s.As1) + "   fcd = " + text(s.Fcd) + "   fsd = " + text(s.Fsd);
}

Drawing domain_svg(const DomainPicture& picture, char decimal_mark)
{
    const Axes axes(picture, kMargin, kMargin / 2, kPictureWidth - 1.5 * kMargin,
                    kPictureHeight - 2 * kMargin);
    SvgWriter svg;
    svg.raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg.open(kPictureWidth, kPictureHeight,
             " role=\"img\" aria-labelledby=\"titolo descrizione\"" + axes.data_attributes(),
             "<title id=\"titolo\">Dominio di resistenza M-N</title>\n<desc id=\"descrizione\">" +
                 xml_escaped(picture.caption) + "</desc>\n",
             " stroke-linecap=\"square\"");

    svg.raw(outline(picture, axes, true));
    // Grid, tick labels in the user's numbers, and the axes through the origin.
    axes.n_ticks([&](double N) {
        const double x = axes.at(N, 0).x;
        svg.line({x, axes.top()}, {x, axes.bottom()}, kGrid);
        svg.line({x, axes.bottom()}, {x, axes.bottom() + kTickLength}, "#000000");
        svg.label({x, axes.bottom() + 20}, number_to_text(static_cast<float>(N), decimal_mark), "middle", {},
                  tick_attributes(N));
    });
    axes.m_ticks([&](double M) {
        const double y = axes.at(0, M).y;
        svg.line({axes.left(), y}, {axes.right(), y}, kGrid);
        svg.line({axes.left() - kTickLength, y}, {axes.left(), y}, "#000000");
        svg.label({axes.left() - 8, y + 4}, number_to_text(static_cast<float>(M), decimal_mark), "end", {},
                  tick_attributes(M));
    });
    svg.raw("<rect x=\"" + px(axes.left()) + "\" y=\"" + px(axes.top()) + "\" width=\"" +
            px(axes.right() - axes.left()) + "\" height=\"" + px(axes.bottom() - axes.top()) +
            "\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1\"/>\n");
    const Point origin = axes.at(0, 0);
    svg.line({axes.left(), origin.y}, {axes.right(), origin.y}, "#000000");
    svg.line({origin.x, axes.top()}, {origin.x, axes.bottom()}, "#000000");
    const auto axis_name = [](const char* name, const std::string& unit) {
        return unit.empty() ? std::string(name) : std::string(name) + " [" + unit + "]";
    };
    svg.label({axes.right() - 8, origin.y - 8}, axis_name("N", picture.force_unit), "end", {.size = 15, .bold = true},
              " class=\"asse\" data-asse=\"N\"");
    svg.label({origin.x + 8, axes.top() + 16}, axis_name("M", picture.moment_unit), "start", {.size = 15, .bold = true},
              " class=\"asse\" data-asse=\"M\"");

    svg.raw(outline(picture, axes, false));
    for (const PlottedCombination& combination : picture.combinations)
        mark(svg, axes.at(combination.Nd, combination.Md), combination.verified);

    svg.label({kMargin, kPictureHeight - kMargin / 4}, picture.caption, "start");
    if (!picture.combinations.empty()) {
        const Point legend{axes.right() - 210, kPictureHeight - kMargin / 2 + 12};
        mark(svg, legend, true);
        mark(svg, {legend.x + 100, legend.y}, false);
        svg.label({legend.x + 12, legend.y + 4}, "verificata", "start");
        svg.label({legend.x + 112, legend.y + 4}, "non verificata", "start");
    }
    return svg.close();
}

}  // namespace drawings
