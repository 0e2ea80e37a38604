// SPDX-License-Identifier: GPL-3.0-or-later
#include "reinforcement_design/design_run.hpp"

#include "numbers/exact_number.hpp"
#include "tables/run_status.hpp"

namespace reinforcement_design {

namespace {

using section_inputs::Input;
using section_inputs::index;

constexpr int kDigits = 7, kRatioDigits = 4;

class Writer {
public:
    Writer(const DesignRun& run, const tables::CsvConvention& convention)
        : units_(run.request.units), convention_(convention)
    {
    }

    std::string number(double value, int digits = kDigits) const
    {
        return numbers::significant_text(value, digits, convention_.decimal_mark);
    }
    std::string area(double value) const
    {
        std::string text = number(value);
        if (units_) text.append(" ").append(units_->area());
        return text;
    }

    // "combinazioni verificate (Md/MuRd massimo 0,8612), regole rispettate"
    std::string verdict(const Trial& trial) const
    {
        std::string text = trial.combinations_hold() ? "combinazioni verificate" : "combinazioni NON verificate";
        if (const auto worst = trial.worst_ratio()) text += " (Md/MuRd massimo " + number(*worst, kRatioDigits) + ")";
        if (trial.rules) {
            const std::string failed = reinforcement_rules::failed_rules(*trial.rules);
            text += failed.empty() ? ", regole rispettate" : ", regole NON rispettate: " + failed;
        }
        return text;
    }

    // A row of the table: what, bars, As, As', Md/MuRd, esito, regole.
    std::string row(const std::string& what, const std::string& bars, const Trial& trial) const
    {
        const char s = convention_.separator;
        const auto cell = [&](const std::string& text) { return tables::quoted_cell(text, s); };
        const auto worst = trial.worst_ratio();
        // Numbers exactly, as the program's tables write them.
        const auto exact = [&](double value) { return numbers::exact_text(static_cast<float>(value), convention_.decimal_mark); };
        return cell(what) + s + cell(bars) + s + exact(trial.As) + s + exact(trial.As1) + s +
               (worst ? exact(*worst) : "") + s +
               (trial.holds() ? "verificata" : "non verificata") + s +
               cell(trial.rules ? reinforcement_rules::failed_rules(*trial.rules) : "senza classe e acciaio") + '\n';
    }

    std::string header() const
    {
        const char s = convention_.separator;
        return std::string("proposta") + s + "barre" + s + "As" + s + "As'" + s + "Md/MuRd" + s + "esito" + s +
               "regole\n";
    }

private:
    const std::optional<materials::Units>& units_;
    tables::CsvConvention convention_;
};

// The diameters as the proposals' heading lists them: "12, 14, 16, 20, 25".
std::string listed(const std::vector<int>& diameters)
{
    std::string text;
    for (int diameter : diameters)
        text += (text.empty() ? "" : ", ") + std::to_string(diameter);
    return text;
}

// How the compression layer is written for the report of a proposal.
std::string compression_words(const DesignRun& run, const BarSet& set, const Trial& trial, const Writer& w)
{
    const CompressionSteel& compression = run.request.compression;
    if (compression.kind == CompressionSteel::Kind::Fixed)
        return run.fixed_compression_words.empty() ? w.number(trial.As1) : run.fixed_compression_words;
    if (compression.value == 1) return materials::written(set.bars);  // symmetric: the same bars
    return w.number(trial.As1);
}

}  // namespace

std::optional<std::vector<int>> diameters_of(std::string_view text, std::string& error)
{
    std::vector<int> diameters;
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view word = numbers::trimmed(rest.substr(0, comma));
        int diameter = 0;
        bool whole = !word.empty() && word.size() <= 2;
        for (char digit : word) {
            whole = whole && digit >= '0' && digit <= '9';
            diameter = diameter * 10 + (digit - '0');
        }
        if (!whole || diameter < materials::kSmallestDiameter || diameter > materials::kLargestDiameter) {
            error = "diametri in mm da 5 a 40 separati da virgole, non «" + std::string(text) + "»";
            return std::nullopt;
        }
        diameters.push_back(diameter);
        if (comma == std::string_view::npos) return diameters;
        rest.remove_prefix(comma + 1);
    }
}

DesignOutcome run_design(const DesignRun& run, const tables::CsvConvention& convention)
{
    DesignOutcome outcome;
    const Writer w(run, convention);
    const char mark = convention.decimal_mark;
    outcome.design = least_reinforcement(run.request, mark);
    const Design& design = outcome.design;
    if (!design.least) {
        outcome.refusal = design.refusal;
        outcome.status = tables::kSomeRefused;
        return outcome;
    }
    const Trial& least = *design.least;
    std::string& text = outcome.text;
    text += "As necessaria = " + w.area(least.As) + " (As' = " + w.area(least.As1) + ")\n";
    text += "governa: " + design.governs + '\n';
    text += "verifica: " + w.verdict(least) + '\n';
    outcome.csv = w.header() + w.row("necessaria", "", least);
    const std::optional<materials::Units>& units = run.request.units;
    if (!units) {
        text += "barre: servono le unità dei dati (--unita) per proporle\n";
        return outcome;
    }
    const double mm2 = units->area_from_square_millimetres(1), mm = units->length_from_millimetres(1);
    const auto value = [&](Input input) { return run.request.values[index(input)]; };
    outcome.proposals = bar_sets(least.As / mm2, value(Input::B) / mm, value(Input::D1) / mm, run.diameters);
    text += "barre proposte (Ø " + listed(run.diameters) +
            " mm; uno strato, interferro netto ≥ max(Ø, 20 mm), EN 1992-1-1 §8.2 senza il termine dell'inerte):\n";
    std::string first_report;
    for (std::size_t i = 0; i < outcome.proposals.sets.size(); ++i) {
        const BarSet& set = outcome.proposals.sets[i];
        const double area = numbers::rounded_to_significant(set.area * mm2, kDigits);  // as bars are read
        const Trial checked = trial(run.request, area, mark);
        const std::string bars = materials::written(set.bars);
        text += "  " + std::to_string(i + 1) + ". " + bars + " = " + w.area(checked.As) + ": " + w.verdict(checked) + '\n';
        outcome.csv += w.row(std::to_string(i + 1), bars, checked);
        outcome.compression_words.push_back(compression_words(run, set, checked, w));
        if (i == 0)
            first_report = "momento-ultimo-cli relazione " + run.section_words + " --As " + bars + " --As1 " +
                           outcome.compression_words.back() + (run.force_words.empty() ? "" : " " + run.force_words) +
                           " --unita " + units->force + "," + units->length +
                           (run.request.element == reinforcement_rules::Element::Column ? " --elemento pilastro" : "") +
                           " -o relazione.pdf";
    }
    for (const std::string& left_out : outcome.proposals.two_layers)
        text += "  " + left_out + '\n';
    if (!first_report.empty()) text += "relazione della prima proposta:\n  " + first_report + '\n';
    return outcome;
}

}  // namespace reinforcement_design
