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
    // A class and a grade may stand in their own columns for fcd and fsd.
    columns[index(Input::Fcd)].other_names = {"calcestruzzo"};
    columns[index(Input::Fsd)].other_names = {"acciaio"};
    return columns;
}();

// The cells written after a record's own.
const std::string kResultNames[] = {"d",        "Mu",       "Yc",        "esito",     "fcd usato",
                                    "fsd usato", "As usato", "As' usato", "regole"};

void add_sentence(std::string& text, const std::string& sentence)
{
    if (!text.empty()) text += '\n';
    text += sentence;
}

}  // namespace

bool BatchRun::read_row(InputValues& values, materials::SectionMaterials& materials)
{
    const CsvTable& table = *table_;
    std::string& verdict = cells_[kVerdict];
    const NumberMarks marks = table.convention().marks();
    const char group = table.convention().decimal_mark == ',' ? '.' : ',';
    materials::MaterialTexts written;
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        const std::string_view cell = table.cell(i);
        double& value = values[i];
        const auto input = static_cast<Input>(i);
        std::string* material = materials::material_text(written, input);
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
        } else if (material && (units_ || materials::reads_as_material(input, cell))) {
            *material = trimmed(cell);
        } else {
            verdict = std::string("valore non numerico nella colonna ") + kColumns[i].name +
                      refusal_detail(cell, marks);
            return false;
        }
    }
    const materials::Reading<materials::SectionMaterials> read =
        materials::read_materials(written, units_, table.convention().decimal_mark);
    if (!read) {
        verdict = read.refusal;
        if (read.refusal == materials::kUnitsNeeded)
            verdict += ": --unita, o le unità nell'intestazione come b [cm]";
        return false;
    }
    materials = *read;
    for (const auto& [input, value] : read->values())
        values[index(input)] = value;
    return true;
}

void BatchRun::write_materials_and_rules(const InputValues& values, const materials::SectionMaterials& materials,
                                         const Calculation& c)
{
    if (cells_.size() <= kFcdUsed) return;
    const char mark = table_->convention().decimal_mark;
    for (const auto& [cell, input] : {std::pair{kFcdUsed, Input::Fcd}, std::pair{kFsdUsed, Input::Fsd},
                                      std::pair{kAsUsed, Input::As}, std::pair{kAs1Used, Input::As1}})
        cells_[cell] = exact_text(static_cast<float>(values[index(input)]), mark);
    const auto rules = reinforcement_rules::rules_for(values, materials, element_, units_, {values[index(Input::Nd)]},
                                                      c.result ? std::optional<double>(c.result->Yc) : std::nullopt,
                                                      mark);
    cells_[kRules] = rules ? reinforcement_rules::failed_rules(*rules) : "senza classe e acciaio";
    all_computed_ &= !rules || cells_[kRules].empty();
}

// d, Mu, Yc and the verdict of the table's current row, into cells_.
void BatchRun::compute_row()
{
    for (std::string& cell : cells_)
        cell.clear();
    std::string& verdict = cells_[kVerdict];
    if (verdict = table_->refusal(); !verdict.empty()) return;
    InputValues values{};
    materials::SectionMaterials materials;
    if (!read_row(values, materials)) return;
    const char mark = table_->convention().decimal_mark;
    const Calculation c = calculate(values, mark);
    if (c.d_text) cells_[kDepth] = exact_text(c.section.D, mark);
    if (!c.result) {
        verdict = one_line(c.message.text);
        return;
    }
    cells_[kMoment] = exact_text(c.result->Mu, mark);
    cells_[kAxisDepth] = exact_text(c.result->Yc, mark);
    verdict = "ok";
    write_materials_and_rules(values, materials, c);
}

bool BatchRun::start(LineReader& input, std::string& error, const BatchOptions& options)
{
    table_ = CsvTable::read_header(input, kColumns, options.locale_mark, error);
    if (!table_) return false;
    element_ = options.element;
    units_ = options.units;
    if (!units_) {
        std::vector<std::pair<section_inputs::Quantity, std::string>> declared;
        for (const section_inputs::InputEntry& entry : section_inputs::kInputs)
            declared.emplace_back(entry.quantity, table_->unit(index(entry.input)));
        units_ = materials::units_of_header(declared);
    }
    // In known units a row may use classes and bars: the values used and the rules follow.
    const std::size_t written = units_ ? std::size(kResultNames) : std::size_t{kFcdUsed};
    table_->write_header(std::span(kResultNames, written));
    header_ = table_->written_cells(std::span(kResultNames, written));
    cells_.assign(written, {});
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
                  const BatchOptions& options)
{
    BatchRun run;
    if (!run.start(input, error, options)) return kCannotRun;
    constexpr std::size_t kSlice = 1 << 12;
    while (run.step(input, output, kSlice)) {
    }
    const int status = run.finish(output);
    if (note) *note = run.note();
    error = run.error();
    return status;
}

}  // namespace runs
