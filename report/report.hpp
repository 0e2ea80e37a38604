// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "drawings/svg_writer.hpp"
#include "materials/section_materials.hpp"
#include "materials/units.hpp"
#include "reinforcement_rules/rules.hpp"
#include "runs/calculation.hpp"
#include "tables/line_reader.hpp"

namespace report {

using materials::Units;
using materials::units_of;
using materials::units_of_modulus;
using materials::units_disagree;

// The program as a report names it.
inline constexpr const char* kProgramName = "momento-ultimo";
inline constexpr const char* kProgramLicence = "GPL-3.0-or-later";
// Where the solved cases that validate the program are, as the package installs them.
inline constexpr const char* kDossier =
    "docs/validazione.md nei sorgenti; installato in /usr/share/doc/momento-ultimo/validazione.md";

// What a calculation report is asked for.
struct ReportRequest {
    runs::InputValues values{};  // the section and its Nd
    std::string title;           // as given
    std::string date;            // AAAA-MM-GG
    std::string version;         // of the program
    std::optional<Units> units;  // none: free but consistent units
    // How fcd, fsd, As and As' were written, where by class, grade or bars.
    materials::SectionMaterials materials;
    reinforcement_rules::Element element = reinforcement_rules::Element::Beam;
    // A table of combinations (Nd, Md), read as it streams; none for none.
    tables::ByteSource combinations;
    std::string combinations_name;  // as the user named the file
    char locale_mark = '.';         // of a tab-separated table of combinations
    std::string reproduction;       // the command line, or the page's link, that writes the same report
};

// One part of a report, in the order it is read.
struct ReportBlock {
    // Outcome: the verdict in one line; Formula: a step of the hand
    // calculation; Ruled: a caption over blank lines to write on.
    enum class Kind { Heading, Paragraph, Warning, Table, Figure, Outcome, Formula, Ruled };
    Kind kind = Kind::Paragraph;
    std::string text;                            // heading, paragraph, warning; a figure's caption
    std::vector<std::vector<std::string>> rows;  // a table's, the first one its header
    drawings::Drawing figure;                    // to scale, its words as data too
};

// The blank lines under a Ruled block's caption.
inline constexpr int kRuledLines = 5;

struct Report {
    std::string title;
    std::vector<ReportBlock> blocks;
    // The window's message where the section is refused: then no blocks.
    std::optional<runs::Message> refusal;
    int status = 0;       // a RunStatus: 1 where a combination is not verified
    std::string version;  // of the program that wrote it
    // The footer of each printed page: the program, its version and the
    // title, cut with "…" after `title_length` characters.
    std::string footer(std::size_t title_length = std::string::npos) const;
};

// The report of the section at the exact equilibrium at its Nd: the outcome,
// data, the code's hypotheses and limits, the calculation step by step,
// results, the section's figure, the check against the window's solver and,
// with combinations, the domain drawn with them and their verdicts; then
// how to reproduce it and the designer's judgement. Refused, with no blocks,
// for a section the window refuses (status 1), and for declared units the
// steel modulus contradicts or combinations not wholly readable (status 2).
Report make_report(const ReportRequest& request);

// Whether a table's cell holds one number, grouped as the report groups
// them: it is aligned to the right.
bool numeric_cell(std::string_view cell);

// The report as one self-contained HTML document: inline style and SVG,
// nothing fetched, a print style for A4 with the footer on every page.
std::string report_html(const Report& report);

}  // namespace report
