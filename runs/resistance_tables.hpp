// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "section_analysis/resistance_domain.hpp"
#include "tables/csv.hpp"
#include "tables/line_reader.hpp"

namespace runs {

// A load combination drawn on the domain, verified or not.
struct PlottedCombination {
    float Nd, Md;
    bool verified;
    float ratio = 0;   // Md/MuRd; 0 where the verdict has none
    std::string name;  // the record's first cell where no force is there, else "riga N"
};

// A record of combinations whose forces cannot be read: where, and why.
struct UnreadCombination {
    std::size_t line = 0;  // of the file, from 1; 0 where every record was read
    std::string reason;
};

// `--verifica`: each combination (columns Nd and Md, both required) with
// the resisting moments MuRd- and MuRd+ at exactly its Nd, the ratio Md/MuRd
// and the verdict, written record for record as `lotto` writes. Adds each
// combination with numbers to `plotted`, and tells the first record
// without them in `unread`. Returns a RunStatus.
int verify_combinations(const section_analysis::SectionState& section, tables::LineReader& input,
                        const tables::ByteSink& output, std::vector<PlottedCombination>& plotted,
                        UnreadCombination& unread, std::string& error, char locale_mark = '.',
                        char* decimal_mark = nullptr);

// A file of combinations read whole, as --verifica reads it, before any
// section is known: each combination's Nd, Md and name. None, with the
// reason in `error`, where the file cannot be read or a record has no
// numbers ("riga 3: valore non numerico nella colonna Nd"), or holds none.
std::optional<std::vector<PlottedCombination>> read_combinations(tables::LineReader& input, std::string& error,
                                                                 char locale_mark = '.');

// The domain's table "ramo;Nd;Mu;Yc;esito", numbers exact; a point with no
// result says why, one above the capacity as the window says it.
void write_domain_table(const section_analysis::SectionState& section,
                        const std::vector<section_analysis::DomainPoint>& points,
                        const tables::CsvConvention& convention, const tables::ByteSink& output);

// The forces of the domain's table: intervals + 1 from the tension limit to
// the capacity, and the extra ones.
std::vector<float> domain_forces(const section_analysis::SectionState& section, int intervals,
                                 std::vector<float> extra,
                                 const std::vector<PlottedCombination>& combinations);

// The outline drawn with combinations: at each combination's Nd, the
// points become the exact bounds its verdict used, so that a ring lies
// inside the outline exactly when the combination is verified.
void pass_through_exact_bounds(const section_analysis::SectionState& section,
                               std::vector<section_analysis::DomainPoint>& points,
                               const std::vector<PlottedCombination>& combinations);

// The domain of a section with the combinations, if any, checked against
// it: the solver's points for its table, the picture ready to draw (its
// outline through the exact bounds at each combination's Nd), and the
// verdicts written to `verdicts` as --verifica writes them.
struct CheckedDomain {
    std::vector<section_analysis::DomainPoint> points;
    std::vector<section_analysis::DomainPoint> drawn;
    std::vector<PlottedCombination> combinations;
    // A RunStatus. With combinations, their verdicts set it (1 where one is
    // not verified, 2 where they cannot be read); without, 1 where a point
    // of the domain has no result.
    int status = 0;
    std::string error;  // why the combinations could not be read
    UnreadCombination unread;
    char decimal_mark = ',';  // of the combinations' file, which the verdicts keep
};
CheckedDomain checked_domain(const section_analysis::SectionState& section, int intervals,
                             std::vector<float> extra, tables::LineReader* combinations,
                             const tables::ByteSink& verdicts, char locale_mark = '.');

// Why a point of the domain has no result, on one line.
std::string failure_text(const std::exception_ptr& failure, char decimal_mark = '.');

}  // namespace runs
