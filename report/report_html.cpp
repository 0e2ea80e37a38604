// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/markup.hpp"
#include "numbers/exact_number.hpp"
#include "report/report.hpp"

namespace report {

using namespace drawings;
using namespace numbers;

namespace {

// Screen and A4 paper alike; the footer where the browser prints page boxes.
constexpr const char* kStyle =
    ".relazione{font-family:\"Liberation Serif\",\"Times New "
    "Roman\",serif;font-size:11pt;line-height:1.35;"
    "color:#000;background:#fff;max-width:180mm;margin:10mm auto;padding:0 4mm}\n"
    ".relazione h1{font-size:18pt;margin:0 0 4mm}\n"
    ".relazione h2{font-size:13pt;margin:7mm 0 2mm;border-bottom:1px solid #888;break-after:avoid}\n"
    ".relazione table{border-collapse:collapse;margin:2mm 0;font-size:10pt;break-inside:auto}\n"
    ".relazione th,.relazione td{border:1px solid #999;padding:1mm 2mm;text-align:left;vertical-align:top}\n"
    ".relazione th{background:#eee}\n"
    ".relazione td.numero{text-align:right;white-space:nowrap}\n"
    ".relazione tr{break-inside:avoid}\n"
    ".relazione .avviso{border:2px solid #c00;background:#fff0f0;padding:2mm 3mm;font-weight:bold}\n"
    ".relazione figure{margin:3mm 0;break-inside:avoid}\n"
    ".relazione figure svg{max-width:100%;height:auto}\n"
    ".relazione figcaption{font-size:9.5pt;font-style:italic}\n"
    "@media print{.relazione{margin:0;max-width:none;padding:0}}\n";

// Text as a CSS string holds it.
std::string css_string(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c == '\n' ? ' ' : c;
    }
    return out + '"';
}

void table(std::string& out, const std::vector<std::vector<std::string>>& rows)
{
    out += "<table>\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out += "<tr>";
        for (const std::string& cell : rows[r]) {
            const bool number = r > 0 && read_cell_number(cell, NumberMarks::DecimalComma).has_value();
            out += r == 0 ? "<th>" : number ? "<td class=\"numero\">" : "<td>";
            out += xml_escaped(cell);
            out += r == 0 ? "</th>" : "</td>";
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
}

}  // namespace

std::string report_html(const Report& report)
{
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        xml_escaped(report.title) + "</title>\n<style>\n" + kStyle +
        "@page{size:A4;margin:18mm 16mm 20mm;@bottom-center{content:" + css_string(report.footer()) +
        " \" — pagina \" counter(page);font-size:9pt}}\n</style>\n</head>\n"
        "<body class=\"relazione\">\n<h1>" +
        xml_escaped(report.title) + "</h1>\n";
    for (const ReportBlock& block : report.blocks) {
        switch (block.kind) {
        case ReportBlock::Kind::Heading:
            out += "<h2>" + xml_escaped(block.text) + "</h2>\n";
            break;
        case ReportBlock::Kind::Paragraph:
            out += "<p>" + xml_escaped(block.text) + "</p>\n";
            break;
        case ReportBlock::Kind::Warning:
            out += "<p class=\"avviso\" role=\"alert\">" + xml_escaped(block.text) + "</p>\n";
            break;
        case ReportBlock::Kind::Table:
            table(out, block.rows);
            break;
        case ReportBlock::Kind::Figure:
            out += "<figure>\n" + block.figure.svg + "<figcaption>" + xml_escaped(block.text) +
                   "</figcaption>\n</figure>\n";
            break;
        }
    }
    return out + "</body>\n</html>\n";
}

}  // namespace report
