// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/report_pdf.hpp"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
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
constexpr double kFooterGap = 6;       // millimetres between the footer's title and the page number

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

// Text broken into the lines it takes at a width, each drawn on its own,
// so that a paragraph or a cell can go on over the next page.
class Lines {
public:
    Lines(const QString& words, const QFont& font, double width, QPaintDevice* device)
        : font_(font)
    {
        QString text = words;
        text.replace(u'\n', QChar::LineSeparator);
        QTextLayout layout(text, font, device);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines_.push_back({text.mid(line.textStart(), line.textLength()), line.height()});
        }
        layout.endLayout();
    }
    std::size_t count() const { return lines_.size(); }
    double height(std::size_t line) const { return lines_[line].height; }
    // The lines from `first` that fit in `room`; at least one where any is left.
    std::size_t fitting(std::size_t first, double room) const
    {
        std::size_t last = first;
        for (double used = 0; last < lines_.size() && (last == first || used + lines_[last].height <= room);
             ++last)
            used += lines_[last].height;
        return last - first;
    }
    double height_of(std::size_t first, std::size_t count) const
    {
        double sum = 0;
        for (std::size_t i = first; i < first + count; ++i)
            sum += lines_[i].height;
        return sum;
    }
    // Lines [first, first + count) from the top left `at`, aligned in `width`.
    void draw(QPainter& painter, QPointF at, double width, std::size_t first, std::size_t count,
              Qt::Alignment alignment) const
    {
        painter.setFont(font_);
        for (std::size_t i = first; i < first + count; ++i) {
            painter.drawText(QRectF(at.x(), at.y(), width, lines_[i].height), alignment | Qt::AlignTop,
                             lines_[i].text.trimmed());
            at.ry() += lines_[i].height;
        }
    }

private:
    struct Line {
        QString text;
        double height;
    };
    QFont font_;
    std::vector<Line> lines_;
};

// The blocks laid out from the top of each page down: a block that does
// not fit goes on over the next page, a table with its header again.
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
    void text(const QString& words, const QFont& font, double before, double after, double keep = 0,
              double indent = 0)
    {
        const Lines lines(words, font, width_ - indent, &writer_);
        fit(before + (lines.count() > 0 ? lines.height(0) : 0) + keep);
        y_ += before;
        painter_.setPen(Qt::black);
        for (std::size_t first = 0; first < lines.count();) {
            if (first > 0) new_page();
            const std::size_t count = lines.fitting(first, bottom_ - y_);
            lines.draw(painter_, {indent, y_}, width_ - indent, first, count, Qt::AlignLeft);
            y_ += lines.height_of(first, count);
            first += count;
        }
        y_ += after;
    }

    // A framed text: the outcome in bold, or a warning in red.
    void boxed(const QString& words, const QFont& font, const QColor& frame, const QColor& ground)
    {
        const double inset = mm(2.5);
        const Lines lines(words, font, width_ - 2 * inset, &writer_);
        const double height = lines.height_of(0, lines.count()) + 2 * inset;
        fit(mm(1.5) + std::min(height, bottom_));
        y_ += mm(1.5);
        painter_.setPen(QPen(frame, mm(0.5)));
        painter_.setBrush(ground);
        painter_.drawRect(QRectF(0, y_, width_, std::min(height, bottom_ - y_)));
        painter_.setBrush(Qt::NoBrush);
        painter_.setPen(Qt::black);
        lines.draw(painter_, {inset, y_ + inset}, width_ - 2 * inset, 0, lines.fitting(0, bottom_ - y_ - inset),
                   Qt::AlignLeft);
        y_ += height + mm(2);
    }

    // A caption and blank lines under it, kept on one page.
    void ruled(const QString& caption, const QFont& font)
    {
        const double spacing = mm(7);
        fit(mm(4) + spacing * (report::kRuledLines + 1));
        text(caption, font, mm(2), 0);
        painter_.setPen(QPen(QColor(0x88, 0x88, 0x88), mm(0.2)));
        for (int line = 0; line < report::kRuledLines; ++line) {
            y_ += spacing;
            painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
        }
        painter_.setPen(Qt::black);
        y_ += mm(3);
    }

    void table(const std::vector<std::vector<std::string>>& rows)
    {
        if (rows.empty()) return;
        const QFont plain = face("Liberation Serif", 9.5), bold = face("Liberation Serif", 9.5, true);
        const std::vector<double> widths = column_widths(rows, QFontMetricsF(bold, &writer_));
        y_ += mm(1.5);
        std::vector<Lines> header = cells(rows[0], bold, widths);
        const double header_height = tallest(header);
        fit(header_height + mm(8));
        draw_row(header, widths, header_height, true);
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const std::vector<Lines> row = cells(rows[r], plain, widths);
            std::vector<bool> numeric;
            for (const std::string& cell : rows[r])
                numeric.push_back(report::numeric_cell(cell));
            std::vector<std::size_t> drawn(row.size(), 0);
            // A row taller than the room left goes on over the next page.
            for (bool first_slice = true;; first_slice = false) {
                if (!first_slice || y_ + std::min(tallest(row), mm(12)) > bottom_) {
                    new_page();
                    draw_row(header, widths, header_height, true);
                }
                const double room = bottom_ - y_ - 2 * mm(kCellPadding);
                double slice = 0;
                std::vector<std::size_t> counts(row.size());
                for (std::size_t i = 0; i < row.size(); ++i) {
                    counts[i] = drawn[i] < row[i].count() ? row[i].fitting(drawn[i], room) : 0;
                    slice = std::max(slice, row[i].height_of(drawn[i], counts[i]));
                }
                slice += 2 * mm(kCellPadding);
                double x = 0;
                for (std::size_t i = 0; i < widths.size(); ++i) {
                    frame(QRectF(x, y_, widths[i], slice), false);
                    if (i < row.size())
                        row[i].draw(painter_, {x + mm(kCellPadding), y_ + mm(kCellPadding)},
                                    widths[i] - 2 * mm(kCellPadding), drawn[i], counts[i],
                                    numeric[i] ? Qt::AlignRight : Qt::AlignLeft);
                    if (i < row.size()) drawn[i] += counts[i];
                    x += widths[i];
                }
                y_ += slice;
                bool left = false;
                for (std::size_t i = 0; i < row.size(); ++i)
                    left |= drawn[i] < row[i].count();
                if (!left) break;
            }
        }
        y_ += mm(1.5);
    }

    bool figure(const ReportBlock& block)
    {
        const drawings::Drawing& figure = block.figure;
        const double scale = std::min(width_ / figure.width, mm(kPictureScale));
        const double height = figure.height * scale;
        fit(height + mm(6));
        const bool drawn = draw(figure, painter_, QRectF(0, y_, figure.width * scale, height));
        y_ += height;
        QFont italic = face("Liberation Serif", 9);
        italic.setItalic(true);
        text(qt(block.text), italic, mm(1), mm(3));
        return drawn;
    }

    void finish() { draw_footer(); }

private:
    std::vector<Lines> cells(const std::vector<std::string>& row, const QFont& font,
                             const std::vector<double>& widths) const
    {
        std::vector<Lines> laid;
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i)
            laid.emplace_back(qt(row[i]), font, widths[i] - 2 * mm(kCellPadding), &writer_);
        return laid;
    }
    double tallest(const std::vector<Lines>& row) const
    {
        double height = 0;
        for (const Lines& cell : row)
            height = std::max(height, cell.height_of(0, cell.count()));
        return height + 2 * mm(kCellPadding);
    }
    void frame(const QRectF& cell, bool header)
    {
        painter_.setPen(QPen(QColor(0x99, 0x99, 0x99), mm(0.2)));
        painter_.setBrush(header ? QColor(0xee, 0xee, 0xee) : QColor(Qt::white));
        painter_.drawRect(cell);
        painter_.setBrush(Qt::NoBrush);
        painter_.setPen(Qt::black);
    }
    void draw_row(const std::vector<Lines>& row, const std::vector<double>& widths, double height, bool header)
    {
        double x = 0;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            frame(QRectF(x, y_, widths[i], height), header);
            if (i < row.size())
                row[i].draw(painter_, {x + mm(kCellPadding), y_ + mm(kCellPadding)}, widths[i] - 2 * mm(kCellPadding),
                            0, row[i].count(), Qt::AlignLeft);
            x += widths[i];
        }
        y_ += height;
    }

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
        new_page();
    }

    void new_page()
    {
        draw_footer();
        writer_.newPage();
        ++page_;
        y_ = 0;
    }

    // The program, its version and the title, shortened with "…" before the page number.
    void draw_footer()
    {
        painter_.save();
        const QFont font = face("Liberation Sans", 8);
        painter_.setFont(font);
        painter_.setPen(QColor(0x44, 0x44, 0x44));
        const QRectF foot(0, bottom_ + mm(3), width_, mm(kFooterRoom - 3));
        const QString page = QStringLiteral("pagina %1").arg(page_);
        const QFontMetricsF metrics(font, &writer_);
        const double room = width_ - metrics.horizontalAdvance(page) - mm(kFooterGap);
        painter_.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(footer_, Qt::ElideRight, room));
        painter_.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, page);
        painter_.restore();
    }

    QPdfWriter& writer_;
    QPainter& painter_;
    QString footer_;
    double width_ = 0, bottom_ = 0, y_ = 0;
    int page_ = 1;
};

// Text for the document's XMP metadata, which is XML: no control characters.
QString metadata_text(const std::string& text)
{
    QString clean = qt(text);
    for (QChar& c : clean)
        if (c.category() == QChar::Other_Control) c = u' ';
    return clean;
}

}  // namespace

bool write_report_pdf(const report::Report& report, const QString& creator, QIODevice& output)
{
    QPdfWriter writer(&output);
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(16, 18, 16, 12), QPageLayout::Millimeter));
    writer.setResolution(kDotsPerInch);
    writer.setTitle(metadata_text(report.title));
    writer.setCreator(creator);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    PageLayout layout(writer, painter, qt(report.footer()));
    layout.text(qt(report.title), face("Liberation Serif", 18, true), 0, mm(3));
    bool drawn = true;
    for (const ReportBlock& block : report.blocks) {
        switch (block.kind) {
        case ReportBlock::Kind::Heading:
            layout.text(qt(block.text), face("Liberation Serif", 13, true), mm(5), mm(1.5), mm(70));
            break;
        case ReportBlock::Kind::Paragraph:
            layout.text(qt(block.text), face("Liberation Serif", 10.5), mm(1), mm(1.5));
            break;
        case ReportBlock::Kind::Formula:
            layout.text(qt(block.text), face("Liberation Mono", 9), mm(0.5), mm(0.5), 0, mm(6));
            break;
        case ReportBlock::Kind::Warning:
            layout.boxed(qt(block.text), face("Liberation Serif", 10.5, true), QColor(0xcc, 0, 0),
                         QColor(0xff, 0xf0, 0xf0));
            break;
        case ReportBlock::Kind::Outcome:
            layout.boxed(qt(block.text), face("Liberation Serif", 12, true), Qt::black, Qt::white);
            break;
        case ReportBlock::Kind::Ruled:
            layout.ruled(qt(block.text), face("Liberation Serif", 10.5));
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
