// SPDX-License-Identifier: GPL-3.0-or-later
#include "runs/batch.hpp"

#include <array>

#include "numbers/exact_number.hpp"
#include "runs/calculation.hpp"
#include "tables/csv_table.hpp"
#include "tables/run_status.hpp"

namespace runs {

using namespace numbers;
using namespace tables;

namespace {

using section_inputs::index;

// Column i is the input of index i: in the order the window checks them, so
// a row names its first bad cell.
const section_inputs::PerInput<TableColumn> kColumns = [] {
    section_inputs::PerInput<TableColumn> columns{};
    for (const section_inputs::InputEntry& input : section_inputs::kInputs)
        columns[index(input.input)] = {input.column, !input.may_be_empty, input.other_columns};
    return columns;
}();

// The cells written after a record's own.
const std::string kResultNames[] = {"d", "Mu", "Yc", "esito"};

void add_sentence(std::string& text, const std::string& sentence)
{
    if (!text.empty()) text += '\n';
    text += sentence;
}

}  // namespace

// d, Mu, Yc and the verdict of the table's current row, into cells_.
void BatchRun::compute_row()
{
    const CsvTable& table = *table_;
    for (std::string& cell : cells_)
        cell.clear();
    std::string& verdict = cells_[kVerdict];
    if (verdict = table.refusal(); !verdict.empty()) return;
    const NumberMarks marks = table.convention().marks();
    const char group = table.convention().decimal_mark == ',' ? '.' : ',';
    InputValues values{};
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        const std::string_view cell = table.cell(i);
        double& value = values[i];
        if (!kColumns[i].required && trimmed(cell).empty()) {
            value = 0;  // as an empty field
        } else if (const auto number = read_cell_number(cell, marks)) {
            value = *number;
            // A hand-written file with decimal points reads them as thousands: say so.
            if (cell.find(group) != std::string_view::npos && !grouping_told_[i]) {
                grouping_told_[i] = true;
                add_sentence(note_,
                             std::string("nella colonna ") + kColumns[i].name + " \"" + group +
                                 "\" separa le migliaia: " + std::string(trimmed(cell)) + " è letto " +
                                 exact_text(static_cast<float>(*number), table.convention().decimal_mark));
            }
        } else {
            verdict = std::string("valore non numerico nella colonna ") + kColumns[i].name +
                      refusal_detail(cell, marks);
            return;
        }
    }
    const char mark = table.convention().decimal_mark;
    const Calculation c = calculate(values, mark);
    if (c.d_text) cells_[kDepth] = exact_text(c.section.D, mark);
    if (!c.result) {
        verdict = one_line(c.message.text);
        return;
    }
    cells_[kMoment] = exact_text(c.result->Mu, mark);
    cells_[kAxisDepth] = exact_text(c.result->Yc, mark);
    verdict = "ok";
}

bool BatchRun::start(LineReader& input, std::string& error, char locale_mark)
{
    table_ = CsvTable::read_header(input, kColumns, locale_mark, error);
    if (!table_) return false;
    table_->write_header(kResultNames);
    header_ = table_->written_cells(kResultNames);
    if (!table_->has(index(Input::Nd))) {
        note_ = "nell'intestazione non c'è la colonna Nd: ogni sezione è calcolata senza sforzo normale";
        const std::vector<std::string>& unused = table_->unused_names();
        for (std::size_t i = 0; i < unused.size(); ++i)
            note_ +=
                (i == 0 ? " (colonne non usate: " : ", ") + unused[i] + (i + 1 == unused.size() ? ")" : "");
    }
    return true;
}

bool BatchRun::step(LineReader& input, const ByteSink& output, std::size_t records)
{
    constexpr std::size_t kPreviewRows = 20;
    for (std::size_t i = 0; i < records; ++i) {
        if (!table_->next_record(input)) return false;
        ++records_;
        if (table_->blank()) {
            table_->write_record(output, {});
            continue;
        }
        ++rows_;
        compute_row();
        all_computed_ &= cells_[kVerdict] == "ok";
        table_->write_record(output, cells_);
        if (preview_.size() < kPreviewRows) preview_.push_back(table_->written_cells(cells_));
    }
    return true;
}

int BatchRun::finish(const ByteSink& output)
{
    table_->flush(output);
    if (error_ = table_->read_error(); !error_.empty()) return kCannotRun;
    if (rows_ == 0) add_sentence(note_, "il file ha l'intestazione ma nessuna riga da calcolare");
    return all_computed_ ? kAllComputed : kSomeRefused;
}

int compute_batch(LineReader& input, const ByteSink& output, std::string& error, std::string* note,
                  char locale_mark)
{
    BatchRun run;
    if (!run.start(input, error, locale_mark)) return kCannotRun;
    constexpr std::size_t kSlice = 1 << 12;
    while (run.step(input, output, kSlice)) {
    }
    const int status = run.finish(output);
    if (note) *note = run.note();
    error = run.error();
    return status;
}

}  // namespace runs
