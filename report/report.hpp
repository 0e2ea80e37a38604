// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "drawings/svg_writer.hpp"
#include "report/units.hpp"
#include "runs/calculation.hpp"

namespace report {

// The program as a report names it.
inline constexpr const char* kProgramName = "momento-ultimo";
inline constexpr const char* kProgramLicence = "GPL-3.0-or-later";

// What a calculation report is asked for.
struct ReportRequest {
    runs::InputValues values{};  // the section and its Nd
    std::string title;           // as given
    std::string date;            // AAAA-MM-GG
    std::string version;         // of the program
    std::optional<Units> units;  // none: free but consistent units
    std::string combinations;    // a table of combinations (Nd, Md), empty for none
    char locale_mark = '.';      // of a tab-separated table of combinations
};

// One part of a report, in the order it is read.
struct ReportBlock {
    enum class Kind { Heading, Paragraph, Warning, Table, Figure };
    Kind kind = Kind::Paragraph;
    std::string text;                            // heading, paragraph, warning; a figure's caption
    std::vector<std::vector<std::string>> rows;  // a table's, the first one its header
    drawings::Drawing figure;                    // to scale, its words as data too
};

struct Report {
    std::string title;
    std::vector<ReportBlock> blocks;
    // The window's message where the section is refused: then no blocks.
    std::optional<runs::Message> refusal;
    // Where the declared units disagree with the steel modulus: the report
    // opens with it, and a program says it on standard error too.
    std::string units_warning;
    int status = 0;       // a RunStatus: 1 where a combination is not verified
    std::string version;  // of the program that wrote it
    // The footer of each printed page: the program, its version and the title.
    std::string footer() const;
};

// The report of the section: data, hypotheses, results, the section's
// figure, the check against the exact equilibrium at the same Nd and, with
// combinations, the domain drawn with them and their verdicts. Numbers are
// written as the window writes them, with the decimal comma.
Report make_report(const ReportRequest& request);

// The report as one self-contained HTML document: inline style and SVG,
// nothing fetched, a print style for A4 with the footer on every page.
std::string report_html(const Report& report);

}  // namespace report
