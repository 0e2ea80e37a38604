// SPDX-License-Identifier: GPL-3.0-or-later
#include <cctype>
#include <cstdio>

#include "drawings/markup.hpp"
#include "numbers/exact_number.hpp"
#include "report/report.hpp"

namespace report {

using namespace drawings;
using namespace numbers;

namespace {

// Of the title in a printed page's footer, in characters, so that it leaves room for the page number.
constexpr std::size_t kFooterTitleLength = 60;

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
    ".relazione thead{display:table-header-group}\n"
    ".relazione .esito{border:2px solid #000;padding:2mm 3mm;font-weight:bold;font-size:12pt}\n"
    ".relazione .formula{margin:1mm 0 1mm 6mm;font-family:\"Liberation Mono\",\"DejaVu Sans Mono\",monospace;"
    "font-size:9.5pt}\n"
    ".relazione .riga{height:7mm;border-bottom:1px solid #888}\n"
    ".relazione .avviso{border:2px solid #c00;background:#fff0f0;padding:2mm 3mm;font-weight:bold}\n"
    ".relazione figure{margin:3mm 0;break-inside:avoid}\n"
    ".relazione figure svg{max-width:100%;height:auto}\n"
    ".relazione figcaption{font-size:9.5pt;font-style:italic}\n"
    "@media print{.relazione{margin:0;max-width:none;padding:0}}\n";

// Text as a CSS string holds it, whatever it is: every ASCII character
// but letters, digits, blanks and harmless marks written as a CSS escape,
// so that nothing can close the string, the rule or the style element.
std::string css_string(std::string_view text)
{
    constexpr std::string_view kPlain = " ,.:;-_()[]/+*=?!#%";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = byte >= 0x80 || std::isalnum(byte) || kPlain.find(c) != std::string_view::npos;
        if (plain) {
            out += c;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\%x ", static_cast<unsigned>(byte));
        out += escape;
    }
    return out + '"';
}

// The attributes of a block written as a paragraph, by its kind.
const char* paragraph_attributes(ReportBlock::Kind kind)
{
    switch (kind) {
    case ReportBlock::Kind::Warning:
        return " class=\"avviso\" role=\"alert\"";
    case ReportBlock::Kind::Outcome:
        return " class=\"esito\"";
    case ReportBlock::Kind::Formula:
        return " class=\"formula\"";
    default:
        return "";
    }
}

void table(std::string& out, const std::vector<std::vector<std::string>>& rows)
{
    out += "<table>\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r == 0) out += "<thead>";
        if (r == 1) out += "<tbody>\n";
        out += "<tr>";
        for (const std::string& cell : rows[r]) {
            const bool number = r > 0 && numeric_cell(cell);
            out += r == 0 ? "<th>" : number ? "<td class=\"numero\">" : "<td>";
            out += xml_escaped(cell);
            out += r == 0 ? "</th>" : "</td>";
        }
        out += r == 0 ? "</tr></thead>\n" : "</tr>\n";
    }
    out += rows.size() > 1 ? "</tbody></table>\n" : "</table>\n";
}

}  // namespace

std::string report_html(const Report& report)
{
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        xml_escaped(report.title) + "</title>\n<style>\n" + kStyle +
        "@page{size:A4;margin:18mm 16mm 20mm;@bottom-center{content:" + css_string(report.footer(kFooterTitleLength)) +
        " \" — pagina \" counter(page);font-size:9pt}}\n</style>\n</head>\n"
        "<body class=\"relazione\">\n<h1>" +
        xml_escaped(report.title) + "</h1>\n";
    for (const ReportBlock& block : report.blocks) {
        switch (block.kind) {
        case ReportBlock::Kind::Heading:
            out += "<h2>" + xml_escaped(block.text) + "</h2>\n";
            break;
        case ReportBlock::Kind::Paragraph:
        case ReportBlock::Kind::Warning:
        case ReportBlock::Kind::Outcome:
        case ReportBlock::Kind::Formula:
            out += "<p" + std::string(paragraph_attributes(block.kind)) + '>' + xml_escaped(block.text) + "</p>\n";
            break;
        case ReportBlock::Kind::Table:
            table(out, block.rows);
            break;
        case ReportBlock::Kind::Ruled:
            out += "<p>" + xml_escaped(block.text) + "</p>\n";
            for (int line = 0; line < kRuledLines; ++line)
                out += "<div class=\"riga\"></div>\n";
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
