// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/domain_picture.hpp"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "section_input/number_text.hpp"

namespace command_line {

namespace {

using section_analysis::Branch;

constexpr QSize kPictureSize{800, 600};
constexpr double kMargin = 70;     // room for the tick labels, around the plot
constexpr int kTicks = 6;          // about as many ticks on each axis
constexpr double kTickLength = 5;  // pixels
constexpr double kMarkSize = 6;    // half the width of a combination's mark
const QColor kOutline{0, 0, 200};
const QColor kVerified{0, 140, 0};
const QColor kNotVerified{210, 0, 0};
const QColor kGrid{225, 225, 225};

// A round step near range / kTicks: 1, 2 or 5 times a power of ten.
double tick_step(double range)
{
    const double rough = range / kTicks;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0})
        if (rough <= factor * decade) return factor * decade;
    return 10 * decade;
}

// The user's numbers to the picture's pixels, and the ticks of each axis.
class Axes {
public:
    Axes(const DomainPicture& picture, QRectF plot) : plot_(plot)
    {
        for (const auto& point : picture.points)
            if (point.result) include(point.Nd, point.result->Mu);
        for (const auto& combination : picture.combinations)
            include(combination.Nd, combination.Md);
        include(0, 0);  // the origin in sight, where the axes cross
        const double n_pad = 0.05 * (n_high_ - n_low_ + 1), m_pad = 0.05 * (m_high_ - m_low_ + 1);
        n_low_ -= n_pad, n_high_ += n_pad, m_low_ -= m_pad, m_high_ += m_pad;
    }

    QPointF at(double N, double M) const
    {
        return {plot_.left() + (N - n_low_) / (n_high_ - n_low_) * plot_.width(),
                plot_.bottom() - (M - m_low_) / (m_high_ - m_low_) * plot_.height()};
    }

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

    QRectF plot_;
    double n_low_ = 0, n_high_ = 0, m_low_ = 0, m_high_ = 0;
};

// The closed outline: the positive branch with N increasing, then the
// negative branch back, through every computed point.
QPainterPath outline(const DomainPicture& picture, const Axes& axes)
{
    QPainterPath path;
    for (Branch branch : {Branch::Positive, Branch::Negative}) {
        std::vector<QPointF> corners;
        for (const auto& point : picture.points)
            if (point.branch == branch && point.result)
                corners.push_back(axes.at(point.Nd, point.result->Mu));
        if (branch == Branch::Negative) std::reverse(corners.begin(), corners.end());
        for (const QPointF& corner : corners)
            path.elementCount() == 0 ? path.moveTo(corner) : path.lineTo(corner);
    }
    path.closeSubpath();
    return path;
}

// A verified combination is a ring, one that is not a cross.
void mark(QPainter& painter, QPointF at, bool verified)
{
    painter.setPen(QPen(verified ? kVerified : kNotVerified, 2));
    painter.setBrush(Qt::NoBrush);
    if (verified) {
        painter.drawEllipse(at, kMarkSize, kMarkSize);
    } else {
        painter.drawLine(at + QPointF(-kMarkSize, -kMarkSize), at + QPointF(kMarkSize, kMarkSize));
        painter.drawLine(at + QPointF(-kMarkSize, kMarkSize), at + QPointF(kMarkSize, -kMarkSize));
    }
}

void paint(QPainter& painter, const DomainPicture& picture)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(QPoint(0, 0), kPictureSize), Qt::white);
    const QRectF plot(kMargin, kMargin / 2, kPictureSize.width() - 1.5 * kMargin,
                      kPictureSize.height() - 2 * kMargin);
    const Axes axes(picture, plot);
    // A face the package depends on, so the picture is the same everywhere.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    painter.setFont(font);
    const QFontMetricsF metrics(font);

    // Grid, tick labels in the user's numbers, and the axes through the origin.
    axes.n_ticks([&](double N) {
        const double x = axes.at(N, 0).x();
        painter.setPen(kGrid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
        const QString label = section_input::number_to_text(static_cast<float>(N));
        painter.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2, plot.bottom() + 20), label);
    });
    axes.m_ticks([&](double M) {
        const double y = axes.at(0, M).y();
        painter.setPen(kGrid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y));
        const QString label = section_input::number_to_text(static_cast<float>(M));
        painter.drawText(QPointF(plot.left() - 8 - metrics.horizontalAdvance(label), y + 4), label);
    });
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(plot);
    const QPointF origin = axes.at(0, 0);
    painter.drawLine(QPointF(plot.left(), origin.y()), QPointF(plot.right(), origin.y()));
    painter.drawLine(QPointF(origin.x(), plot.top()), QPointF(origin.x(), plot.bottom()));
    QFont bold = font;
    bold.setBold(true);
    bold.setPixelSize(15);
    painter.setFont(bold);
    painter.drawText(QPointF(plot.right() - 16, origin.y() - 8), QStringLiteral("N"));
    painter.drawText(QPointF(origin.x() + 8, plot.top() + 16), QStringLiteral("M"));
    painter.setFont(font);

    painter.setPen(QPen(kOutline, 2));
    painter.setBrush(QColor(kOutline.red(), kOutline.green(), kOutline.blue(), 24));
    painter.drawPath(outline(picture, axes));
    for (const PlottedCombination& combination : picture.combinations)
        mark(painter, axes.at(combination.Nd, combination.Md), combination.verified);

    painter.setPen(Qt::black);
    painter.drawText(QRectF(kMargin, kPictureSize.height() - kMargin / 2 - 4, plot.width(), kMargin / 2),
                     Qt::AlignLeft | Qt::AlignVCenter, picture.caption);
    if (!picture.combinations.empty()) {
        const QPointF legend(plot.right() - 210, kPictureSize.height() - kMargin / 2 + 12);
        mark(painter, legend, true);
        mark(painter, legend + QPointF(100, 0), false);
        painter.setPen(Qt::black);
        painter.drawText(legend + QPointF(12, 4), QStringLiteral("verificata"));
        painter.drawText(legend + QPointF(112, 4), QStringLiteral("non verificata"));
    }
}

}  // namespace

bool write_svg(const DomainPicture& picture, QIODevice& output)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&output);
    svg.setSize(kPictureSize);
    svg.setViewBox(QRect(QPoint(0, 0), kPictureSize));
    svg.setTitle(QStringLiteral("Dominio di resistenza M-N"));
    svg.setDescription(picture.caption);
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    paint(painter, picture);
    return painter.end();
}

bool write_png(const DomainPicture& picture, QIODevice& output)
{
    QImage image(kPictureSize, QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter, picture);
    painter.end();
    return image.save(&output, "PNG");
}

}  // namespace command_line
