// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "materials/section_materials.hpp"
#include "reinforcement_rules/rules.hpp"
#include "section_inputs/section_inputs.hpp"
#include "tables/csv_table.hpp"
#include "runs/calculation.hpp"
#include "tables/line_reader.hpp"

namespace runs {

// How a file of sections is read beyond its own header.
struct BatchOptions {
    char locale_mark = '.';                // of a tab-separated file
    std::optional<materials::Units> units;  // declared; else the header's, where they agree
    reinforcement_rules::Element element = reinforcement_rules::Element::Beam;
};

// `lotto` a slice at a time, for a page that must not freeze on a long
// file: the header, then records as many at a time as asked, then the end.
class BatchRun {
public:
    // Reads the header and writes it; false, with the reason in `error`,
    // when the file cannot be worked with.
    bool start(tables::LineReader& input, std::string& error, const BatchOptions& options = {});
    // Computes up to `records` more records; false once the input is over
    // or reading stopped.
    bool step(tables::LineReader& input, const tables::ByteSink& output, std::size_t records);
    // Writes what is left; the RunStatus. kCannotRun, with error() saying
    // why, where reading stopped before the end.
    int finish(const tables::ByteSink& output);

    // What the user should know of a file computed all the same, one
    // sentence a line: no Nd column, no rows, points read as thousands.
    const std::string& note() const { return note_; }
    const std::string& error() const { return error_; }

    // The first records as read, each with its d, Mu, Yc and esito after its cells.
    const std::vector<std::vector<std::string>>& preview() const { return preview_; }
    const std::vector<std::string>& header() const { return header_; }
    std::size_t records() const { return records_; }

private:
    void compute_row();
    // The values of a row's cells; false, with the verdict, where one does not read.
    bool read_row(InputValues& values, materials::SectionMaterials& materials);
    void write_materials_and_rules(const InputValues& values, const materials::SectionMaterials& materials,
                                   const Calculation& c);

    std::optional<tables::CsvTable> table_;
    std::string note_, error_;
    section_inputs::PerInput<bool> grouping_told_{};  // per column
    std::size_t rows_ = 0;                            // records not blank
    bool all_computed_ = true;
    std::optional<materials::Units> units_;
    reinforcement_rules::Element element_ = reinforcement_rules::Element::Beam;
    // The cells written after each record's own: the results, then, where
    // units are known, the values used and the rules that fail.
    enum ResultCell { kDepth, kMoment, kAxisDepth, kVerdict, kFcdUsed, kFsdUsed, kAsUsed, kAs1Used, kRules, kResultCells };
    std::vector<std::string> cells_;
    std::vector<std::vector<std::string>> preview_;
    std::vector<std::string> header_;
    std::size_t records_ = 0;
};

// `lotto`: a file of sections, one per record under a header naming the
// columns b, h, c, fcd (or calcestruzzo), fsd (or acciaio), As, As' (or
// As1) and, if wanted, Nd. Each record is read, computed and written as it
// comes: its cells as they were, then d, Mu, Yc and esito ("ok" or the
// window's message); a blank record passes through. In known units, fcd and
// fsd may hold a class and a grade and As, As' bars: then the values used
// and the rules that fail follow (regole). Returns a RunStatus; on a file it cannot work with,
// writes nothing and says why in `error`. `note`, if given, gets what the
// user should know of a file that is computed all the same. A tab-separated
// file takes the locale's decimal mark.
int compute_batch(tables::LineReader& input, const tables::ByteSink& output, std::string& error,
                  std::string* note = nullptr, const BatchOptions& options = {});

}  // namespace runs
