// SPDX-License-Identifier: GPL-3.0-or-later
#include "runs/resistance_tables.hpp"

#include <algorithm>
#include <cmath>

#include "numbers/exact_number.hpp"
#include "runs/calculation.hpp"
#include "tables/csv_table.hpp"
#include "tables/run_status.hpp"

namespace runs {

using namespace numbers;
using namespace tables;

namespace {

using section_analysis::Branch;
using section_analysis::DomainPoint;
using section_analysis::SectionState;
using section_analysis::Verdict;

// A combination's axial force goes by the section's Nd names.
constexpr const section_inputs::InputEntry& kAxialForce = section_inputs::entry(Input::Nd);
enum CombinationColumn { kNd, kMd };
const TableColumn kCombinationColumns[] = {{kAxialForce.column, true, kAxialForce.other_columns},
                                           {"Md", true, {"MEd"}}};

// A combination's Nd (an empty cell is 0) and Md as singles; none, with the
// verdict, where a cell holds no number a single can hold.
std::optional<std::pair<float, float>> combination(const CsvTable& table, std::string& verdict)
{
    float values[std::size(kCombinationColumns)];
    const NumberMarks marks = table.convention().marks();
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const std::string_view cell = table.cell(i);
        const auto number = i == kNd && trimmed(cell).empty() ? std::optional(0.0)  // as an empty field
                                                              : read_cell_number(cell, marks);
        values[i] = static_cast<float>(number.value_or(NAN));
        if (number && !std::isfinite(values[i])) {
            verdict = std::string("valore fuori dall'intervallo dei numeri in singola precisione nella colonna ") +
                      kCombinationColumns[i].name;
            return std::nullopt;
        }
        if (!number) {
            verdict = std::string("valore non numerico nella colonna ") + kCombinationColumns[i].name +
                      refusal_detail(cell, marks);
            return std::nullopt;
        }
    }
    return std::pair{values[kNd], values[kMd]};
}

const char* reason_of(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Verified:
        return "verificato";
    case Verdict::MomentBeyond:
        return "non verificato: momento oltre il resistente";
    case Verdict::MomentOutsideBounds:
        return "non verificato: a questo Nd la sezione richiede un momento tra MuRd- e MuRd+";
    case Verdict::AboveCapacity:
        return "non verificato: Nd oltre la capacità b·h·fcd";
    case Verdict::BeyondTensionLimit:
        return "non verificato: Nd oltre il limite di trazione -(As+As')·fsd";
    case Verdict::NotComputed:
        return "non verificato: ";
    }
    return "";
}

// MuRd-, MuRd+, Md/MuRd and the verdict of one combination.
std::array<std::string, 4> verdict_of(const SectionState& section, PlottedCombination& combination, char mark)
{
    const section_analysis::CombinationCheck check =
        section_analysis::check_combination(section, combination.Nd, combination.Md);
    combination.verified = check.verdict == Verdict::Verified;
    combination.ratio = check.ratio.value_or(0);
    const auto exact = [&](std::optional<float> value) {
        return value ? exact_text(*value, mark) : std::string();
    };
    std::string reason = reason_of(check.verdict);
    if (check.verdict == Verdict::NotComputed) reason += failure_text(check.failure, mark);
    return {exact(check.lower), exact(check.upper), exact(check.ratio), reason};
}

// A combination's name: the record's first cell, where that is no force.
std::string name_of(const CsvTable& table, const LineReader& input)
{
    const bool named = !table.cells().empty() && !table.reads_place(0) && !trimmed(table.cells()[0]).empty();
    return named ? table.cells()[0] : "riga " + std::to_string(input.line_number());
}

}  // namespace

std::string failure_text(const std::exception_ptr& failure, char decimal_mark)
{
    try {
        std::rethrow_exception(failure);
    } catch (const section_analysis::SectionError& error) {
        return one_line(message_for(error, decimal_mark).text);
    }
}

int verify_combinations(const SectionState& section, LineReader& input, const ByteSink& output,
                        std::vector<PlottedCombination>& plotted, UnreadCombination& unread, std::string& error,
                        char locale_mark, char* decimal_mark)
{
    std::optional<CsvTable> table = CsvTable::read_header(input, kCombinationColumns, locale_mark, error);
    if (!table) return kCannotRun;
    if (decimal_mark) *decimal_mark = table->convention().decimal_mark;
    const std::string names[] = {"MuRd-", "MuRd+", "Md/MuRd", "esito"};
    table->write_header(names);
    bool all_verified = true;
    while (table->next_record(input)) {
        if (table->blank()) {
            table->write_record(output, {});
            continue;
        }
        std::string verdict = table->refusal();
        std::optional<std::pair<float, float>> Nd_Md;
        if (verdict.empty()) Nd_Md = combination(*table, verdict);
        PlottedCombination checked{Nd_Md ? Nd_Md->first : 0, Nd_Md ? Nd_Md->second : 0, false, 0,
                                   name_of(*table, input)};
        const std::array<std::string, 4> cells =
            Nd_Md ? verdict_of(section, checked, table->convention().decimal_mark)
                  : std::array<std::string, 4>{"", "", "", verdict};
        if (Nd_Md) plotted.push_back(checked);
        else if (unread.line == 0) unread = {input.line_number(), verdict};
        all_verified &= checked.verified;
        table->write_record(output, cells);
    }
    table->flush(output);
    if (error = table->read_error(); !error.empty()) return kCannotRun;
    return all_verified ? kAllComputed : kSomeRefused;
}

std::optional<std::vector<PlottedCombination>> read_combinations(LineReader& input, std::string& error,
                                                                 char locale_mark)
{
    std::optional<CsvTable> table = CsvTable::read_header(input, kCombinationColumns, locale_mark, error);
    if (!table) return std::nullopt;
    std::vector<PlottedCombination> read;
    while (table->next_record(input)) {
        if (table->blank()) continue;
        std::string reason = table->refusal();
        std::optional<std::pair<float, float>> Nd_Md;
        if (reason.empty()) Nd_Md = combination(*table, reason);
        if (!Nd_Md) {
            error = "riga " + std::to_string(input.line_number()) + ": " + reason;
            return std::nullopt;
        }
        read.push_back({Nd_Md->first, Nd_Md->second, false, 0, name_of(*table, input)});
    }
    if (error = table->read_error(); !error.empty()) return std::nullopt;
    if (read.empty()) {
        error = "il file ha l'intestazione ma nessuna riga da calcolare";
        return std::nullopt;
    }
    return read;
}

void write_domain_table(const SectionState& section, const std::vector<DomainPoint>& points,
                        const CsvConvention& convention, const ByteSink& output)
{
    const char separator = convention.separator, mark = convention.decimal_mark;
    const float capacity = section_analysis::axial_capacity(section);
    std::string text = std::string("ramo") + separator + kAxialForce.column + separator + "Mu" + separator +
                       "Yc" + separator + "esito\n";
    for (const DomainPoint& point : points) {
        text += point.branch == Branch::Positive ? '+' : '-';
        text += separator + exact_text(point.Nd, mark) + separator;
        if (point.result) {
            text += exact_text(point.result->Mu, mark) + separator + exact_text(point.result->Yc, mark) +
                    separator + "ok";
        } else {
            // A point above the capacity is told as the window tells it.
            const std::string why = point.Nd > capacity ? capacity_refusal(capacity, mark).text
                                                        : failure_text(point.failure, mark);
            text += separator + (separator + quoted_cell(why, separator));
        }
        text += '\n';
    }
    output(text);
}

void pass_through_exact_bounds(const SectionState& section, std::vector<DomainPoint>& points,
                               const std::vector<PlottedCombination>& combinations)
{
    std::vector<float> forces;
    for (const PlottedCombination& combination : combinations)
        forces.push_back(combination.Nd);
    std::sort(forces.begin(), forces.end());
    for (DomainPoint& point : points)
        if (point.result && std::binary_search(forces.begin(), forces.end(), point.Nd))
            point = section_analysis::exact_domain_point(section, point.branch, point.Nd);
}

CheckedDomain checked_domain(const SectionState& section, int intervals, std::vector<float> extra,
                             LineReader* combinations, const ByteSink& verdicts, char locale_mark)
{
    CheckedDomain domain;
    if (combinations)
        domain.status = verify_combinations(section, *combinations, verdicts, domain.combinations,
                                            domain.unread, domain.error, locale_mark, &domain.decimal_mark);
    domain.points = section_analysis::resistance_domain(
        section, domain_forces(section, intervals, std::move(extra), domain.combinations));
    if (!combinations)
        for (const DomainPoint& point : domain.points)
            if (!point.result) domain.status = kSomeRefused;
    domain.drawn = domain.points;
    pass_through_exact_bounds(section, domain.drawn, domain.combinations);
    return domain;
}

std::vector<float> domain_forces(const SectionState& section, int intervals, std::vector<float> extra,
                                 const std::vector<PlottedCombination>& combinations)
{
    // The outline through both bounds at each combination's Nd, so a
    // verified combination is drawn inside it.
    for (const PlottedCombination& combination : combinations)
        if (section_analysis::tension_limit(section) <= combination.Nd &&
            combination.Nd <= section_analysis::axial_capacity(section))
            extra.push_back(combination.Nd);
    std::erase_if(extra, [](float Nd) { return !std::isfinite(Nd); });
    return section_analysis::domain_axial_forces(section, intervals, extra);
}

}  // namespace runs
