// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/report_pdf.hpp"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <numeric>

#include "command_line/drawing.hpp"
#include "numbers/exact_number.hpp"

namespace command_line {

namespace {

using report::ReportBlock;

constexpr int kDotsPerInch = 300;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kFooterRoom = 9;       // millimetres kept at the foot of each page
constexpr double kCellPadding = 1.2;    // millimetres
constexpr double kPictureScale = 0.25;  // millimetres per picture pixel, at most

double mm(double millimetres)
{
    return millimetres * kDotsPerInch / kMillimetresPerInch;
}

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

QFont face(const char* family, double points, bool bold = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The blocks laid out from the top of each page down, a new page where the
// next block or table row does not fit.
class PageLayout {
public:
    PageLayout(QPdfWriter& writer, QPainter& painter, QString footer)
        : writer_(writer), painter_(painter), footer_(std::move(footer))
    {
        const QRectF page = writer.pageLayout().paintRectPixels(kDotsPerInch);
        width_ = page.width();
        bottom_ = page.height() - mm(kFooterRoom);
    }

    // `keep` is the room wanted below it on the same page, as a heading wants.
    void text(const QString& words, const QFont& font, double before, double after, bool warning = false,
              double keep = 0)
    {
        painter_.setFont(font);
        const double inset = warning ? mm(2.5) : 0;
        const QRectF room(inset, 0, width_ - 2 * inset, 1e9);
        const double height = painter_.boundingRect(room, Qt::TextWordWrap, words).height() + 2 * inset;
        fit(before + height + keep);
        y_ += before;
        if (warning) {
            painter_.setPen(QPen(QColor(0xcc, 0, 0), mm(0.5)));
            painter_.setBrush(QColor(0xff, 0xf0, 0xf0));
            painter_.drawRect(QRectF(0, y_, width_, height));
            painter_.setBrush(Qt::NoBrush);
        }
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(inset, y_ + inset, width_ - 2 * inset, height), Qt::TextWordWrap, words);
        y_ += height + after;
    }

    void table(const std::vector<std::vector<std::string>>& rows)
    {
        if (rows.empty()) return;
        const QFont plain = face("Liberation Serif", 9.5), bold = face("Liberation Serif", 9.5, true);
        const std::vector<double> widths = column_widths(rows, QFontMetricsF(bold, &writer_));
        y_ += mm(1.5);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            painter_.setFont(r == 0 ? bold : plain);
            double height = 0;
            for (std::size_t i = 0; i < rows[r].size() && i < widths.size(); ++i)
                height =
                    std::max(height, painter_
                                         .boundingRect(QRectF(0, 0, widths[i] - 2 * mm(kCellPadding), 1e9),
                                                       Qt::TextWordWrap, qt(rows[r][i]))
                                         .height());
            height += 2 * mm(kCellPadding);
            fit(height);
            double x = 0;
            for (std::size_t i = 0; i < widths.size(); ++i) {
                const QRectF cell(x, y_, widths[i], height);
                painter_.setPen(QPen(QColor(0x99, 0x99, 0x99), mm(0.2)));
                painter_.setBrush(r == 0 ? QColor(0xee, 0xee, 0xee) : QColor(Qt::white));
                painter_.drawRect(cell);
                painter_.setPen(Qt::black);
                const std::string& words = i < rows[r].size() ? rows[r][i] : std::string();
                const bool number =
                    r > 0 && numbers::read_cell_number(words, numbers::NumberMarks::DecimalComma);
                painter_.drawText(cell.adjusted(mm(kCellPadding), mm(kCellPadding), -mm(kCellPadding), 0),
                                  Qt::TextWordWrap | (number ? Qt::AlignRight : Qt::AlignLeft), qt(words));
                x += widths[i];
            }
            y_ += height;
        }
        painter_.setBrush(Qt::NoBrush);
        y_ += mm(1.5);
    }

    bool figure(const ReportBlock& block)
    {
        const drawings::Drawing& figure = block.figure;
        const double scale = std::min(width_ / figure.width, mm(kPictureScale));
        const double height = figure.height * scale;
        const QFont caption = face("Liberation Serif", 9, false);
        fit(height + mm(6));
        const bool drawn = draw(figure, painter_, QRectF(0, y_, figure.width * scale, height));
        y_ += height;
        QFont italic = caption;
        italic.setItalic(true);
        text(qt(block.text), italic, mm(1), mm(3));
        return drawn;
    }

    void finish() { draw_footer(); }

private:
    // Natural widths, shrunk in proportion where they overflow the page.
    std::vector<double> column_widths(const std::vector<std::vector<std::string>>& rows,
                                      const QFontMetricsF& metrics) const
    {
        std::vector<double> widths;
        for (const auto& row : rows) {
            widths.resize(std::max(widths.size(), row.size()), 0);
            for (std::size_t i = 0; i < row.size(); ++i)
                widths[i] =
                    std::max(widths[i], metrics.horizontalAdvance(qt(row[i])) + 2 * mm(kCellPadding) + 2);
        }
        // Narrow columns keep their width; the wide ones share what is left.
        if (std::accumulate(widths.begin(), widths.end(), 0.0) <= width_) return widths;
        std::vector<std::size_t> order(widths.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::sort(order.begin(), order.end(),
                  [&](std::size_t a, std::size_t b) { return widths[a] < widths[b]; });
        double left = width_;
        for (std::size_t k = 0; k < order.size(); ++k) {
            const double share = left / static_cast<double>(order.size() - k);
            if (widths[order[k]] > share) {
                for (std::size_t j = k; j < order.size(); ++j)
                    widths[order[j]] = share;
                break;
            }
            left -= widths[order[k]];
        }
        return widths;
    }

    void fit(double height)
    {
        if (y_ + height <= bottom_ || y_ == 0) return;
        draw_footer();
        writer_.newPage();
        ++page_;
        y_ = 0;
    }

    void draw_footer()
    {
        painter_.save();
        painter_.setFont(face("Liberation Sans", 8));
        painter_.setPen(QColor(0x44, 0x44, 0x44));
        const QRectF foot(0, bottom_ + mm(3), width_, mm(kFooterRoom - 3));
        painter_.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, footer_);
        painter_.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("pagina %1").arg(page_));
        painter_.restore();
    }

    QPdfWriter& writer_;
    QPainter& painter_;
    QString footer_;
    double width_ = 0, bottom_ = 0, y_ = 0;
    int page_ = 1;
};

}  // namespace

bool write_report_pdf(const report::Report& report, const QString& creator, QIODevice& output)
{
    QPdfWriter writer(&output);
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(16, 18, 16, 12), QPageLayout::Millimeter));
    writer.setResolution(kDotsPerInch);
    writer.setTitle(qt(report.title));
    writer.setCreator(creator);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    PageLayout layout(writer, painter, qt(report.footer()));
    layout.text(qt(report.title), face("Liberation Serif", 18, true), 0, mm(3));
    bool drawn = true;
    for (const ReportBlock& block : report.blocks) {
        switch (block.kind) {
        case ReportBlock::Kind::Heading:
            layout.text(qt(block.text), face("Liberation Serif", 13, true), mm(5), mm(1.5), false, mm(40));
            break;
        case ReportBlock::Kind::Paragraph:
            layout.text(qt(block.text), face("Liberation Serif", 10.5), mm(1), mm(1.5));
            break;
        case ReportBlock::Kind::Warning:
            layout.text(qt(block.text), face("Liberation Serif", 10.5, true), mm(1.5), mm(2), true);
            break;
        case ReportBlock::Kind::Table:
            layout.table(block.rows);
            break;
        case ReportBlock::Kind::Figure:
            drawn &= layout.figure(block);
            break;
        }
    }
    layout.finish();
    return painter.end() && drawn;
}

}  // namespace command_line
