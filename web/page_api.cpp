// SPDX-License-Identifier: GPL-3.0-or-later
// What the page asks of the shared rules, as C functions that answer in
// JSON (UTF-8). Every number and every message comes from the same code
// as the window's and the command line's.
#include <algorithm>
#include <emscripten/emscripten.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "drawings/domain_svg.hpp"
#include "numbers/exact_number.hpp"
#include "numbers/number_text.hpp"
#include "materials/section_materials.hpp"
#include "reinforcement_rules/rules.hpp"
#include "reinforcement_design/design_run.hpp"
#include "report/report.hpp"
#include "runs/batch.hpp"
#include "runs/calculation.hpp"
#include "runs/resistance_tables.hpp"
#include "tables/csv.hpp"
#include "tables/csv_table.hpp"
#include "tables/run_status.hpp"
#include "web/json.hpp"

namespace {

using namespace drawings;
using namespace numbers;
using namespace report;
using namespace runs;
using namespace tables;
using web::list;
using web::quoted;
using web::strings;

constexpr char kFieldSeparator = '\x1f';  // between the texts of the fields

std::string answer;  // the last answer, alive until the next call

const char* reply(std::string text)
{
    answer = std::move(text);
    return answer.c_str();
}

// The field texts in the order the Calculate command reads them.
InputTexts texts_of(const char* joined)
{
    InputTexts texts;
    std::string_view rest(joined);
    for (std::string& text : texts) {
        const std::size_t end = rest.find(kFieldSeparator);
        text = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return texts;
}

std::string message(const Message& m)
{
    return "{\"title\":" + quoted(m.title) + ",\"text\":" + quoted(m.text) + '}';
}

// A table the shared rules wrote, as JSON rows of cells.
std::string rows_of(std::string_view table, char mark)
{
    std::vector<std::string> rows;
    for (const std::vector<std::string>& row : table_rows(table, mark))
        rows.push_back(strings(row));
    return list(rows);
}

// Combinations typed or pasted: a table with its header, or lines of Nd
// and Md (and a name first) to which the header is given.
std::string combinations_file(std::string_view text, char mark)
{
    LineReader lines(text);
    const std::optional<std::string_view> first = lines.next();
    if (!first) return std::string(text);
    const CsvConvention convention = convention_of_header(*first, mark);
    std::vector<std::string> cells;
    split_cells(first->substr(0, first->find_last_not_of("\r\n") + 1), convention.separator, cells);
    const bool numbers_only = cells.size() >= 2 &&
                              read_cell_number(cells[cells.size() - 1], convention.marks()) &&
                              read_cell_number(cells[cells.size() - 2], convention.marks());
    if (!numbers_only) return std::string(text);
    const char s = convention.separator;
    const std::string axial_force = section_inputs::entry(Input::Nd).column;
    const std::string named_columns = axial_force + s + "Md";
    const std::string header = cells.size() == 2 ? named_columns : "combinazione" + (s + named_columns);
    return header + '\n' + std::string(text);
}

// A lotto run: the file's bytes, which the page handed over and this frees,
// and the output written since the page last took it.
struct Batch {
    std::unique_ptr<char, decltype(&std::free)> input{nullptr, &std::free};
    std::size_t input_length = 0;
    std::string output, error;
    std::unique_ptr<LineReader> lines;
    BatchRun run;
    int status = kAllComputed;
};
std::unique_ptr<Batch> batch;

// The section in the fields with what stands beside them: the class and the
// grade chosen, and bars where As or As' reads as bars. Each value they
// give is written in place of its field's text, to the digits of a single.
struct PageSection {
    InputTexts texts;
    materials::SectionMaterials materials;
    std::optional<Units> units;
    reinforcement_rules::Element element = reinforcement_rules::Element::Beam;
    std::string refusal;  // why the materials do not read; empty when they do
};

PageSection page_section(const char* joined, char mark, const char* concrete, const char* steel,
                         const char* units, const char* element)
{
    PageSection page;
    page.texts = texts_of(joined);
    if (*units) page.units = units_of(units);
    if (const auto chosen = reinforcement_rules::element_of(element)) page.element = *chosen;
    materials::MaterialTexts written{concrete, steel, {}, {}};
    for (const Input layer : {Input::As, Input::As1}) {
        const std::string& text = page.texts[section_inputs::index(layer)];
        if (materials::reads_as_material(layer, text)) *materials::material_text(written, layer) = text;
    }
    const materials::Reading<materials::SectionMaterials> read = materials::read_materials(written, page.units, mark);
    if (!read) {
        page.refusal = read.refusal;
        if (read.refusal == materials::kUnitsNeeded) page.refusal += ": scegliere le unità accanto alla finestra";
        return page;
    }
    page.materials = *read;
    for (const auto& [input, value] : read->values())
        page.texts[section_inputs::index(input)] = exact_text(static_cast<float>(value), mark);
    return page;
}

// The derived values as a field shows them and how each was derived.
std::string derived_json(const materials::SectionMaterials& read, char mark)
{
    const auto field = [&](const std::optional<materials::DerivedValue>& value) {
        // To the seven digits the derivations write.
        return value ? quoted(significant_text(value->value, 7, mark)) : std::string("null");
    };
    return "{\"fcd\":" + field(read.fcd) + ",\"fsd\":" + field(read.fsd) + ",\"As\":" + field(read.As) +
           ",\"As1\":" + field(read.As1) + ",\"derivations\":" + strings(read.derivations()) + '}';
}

// The rules on the reinforcement as the page lists them; null where the class or the grade is not known.
std::string rules_json(const PageSection& page, const Calculation& c, char mark)
{
    const auto rules = reinforcement_rules::rules_for(
        values_of(page.texts), page.materials, page.element, page.units,
        {static_cast<double>(c.section.Nd)}, c.result ? std::optional<double>(c.result->Yc) : std::nullopt, mark);
    if (!rules) return "null";
    std::vector<std::string> items;
    for (const reinforcement_rules::Rule& rule : *rules)
        items.push_back("{\"name\":" + quoted(rule.name) + ",\"clause\":" + quoted(rule.clause) +
                        ",\"statement\":" + quoted(rule.statement) + ",\"holds\":" + (rule.holds ? "true" : "false") +
                        ",\"informative\":" + (rule.informative ? "true" : "false") + '}');
    return list(items);
}

}  // namespace

extern "C" {

// The class, the grade and the bars beside the fields, read: the values
// they give, as a field shows them, and how each was derived.
EMSCRIPTEN_KEEPALIVE const char* mu_materials(const char* joined, char mark, const char* concrete,
                                              const char* steel, const char* units)
{
    const PageSection page = page_section(joined, mark, concrete, steel, units, "");
    if (!page.refusal.empty()) return reply("{\"message\":" + quoted(page.refusal) + '}');
    return reply(derived_json(page.materials, mark));
}

// "Calcola >>" on the field texts, joined by U+001F in the order b, h, As,
// As', fsd, fcd, c, Nd, with the class, the grade and the bars beside them;
// then the rules on the reinforcement where they are known.
EMSCRIPTEN_KEEPALIVE const char* mu_calculate(const char* joined, char mark, const char* concrete,
                                              const char* steel, const char* units, const char* element)
{
    const PageSection page = page_section(joined, mark, concrete, steel, units, element);
    if (!page.refusal.empty())
        return reply("{\"d\":null,\"axialForce\":null,\"message\":" + message({"Materiali", page.refusal}) + '}');
    const Calculation c = calculate(page.texts, mark);
    std::string out = "{\"d\":" + (c.d_text ? quoted(*c.d_text) : "null") + ",\"axialForce\":" +
                      (c.checks_passed ? (c.axial_force_given ? "true" : "false") : "null");
    if (c.result)
        out += ",\"mu\":" + quoted(number_to_text(c.result->Mu, mark)) +
               ",\"yc\":" + quoted(number_to_text(c.result->Yc, mark)) + ",\"rules\":" + rules_json(page, c, mark);
    else
        out += ",\"message\":" + message(c.message);
    return reply(out + '}');
}

// The resistance domain of the section in the fields, drawn, and the
// combinations typed in the box checked against it.
EMSCRIPTEN_KEEPALIVE const char* mu_domain(const char* joined, char mark, int intervals,
                                           const char* combinations, const char* concrete, const char* steel,
                                           const char* units)
{
    const PageSection page = page_section(joined, mark, concrete, steel, units, "");
    if (!page.refusal.empty()) return reply("{\"message\":" + message({"Materiali", page.refusal}) + '}');
    InputTexts texts = page.texts;
    texts[section_inputs::index(Input::Nd)].clear();
    const Calculation formed = calculate(texts, mark);
    if (!formed.checks_passed) return reply("{\"message\":" + message(formed.message) + '}');
    const section_analysis::SectionState& section = formed.section;
    try {
        section_analysis::tension_limit(section);
        section_analysis::axial_capacity(section);
    } catch (const section_analysis::SectionError& error) {
        return reply("{\"message\":" + message(message_for(error, mark)) + '}');
    }
    std::string verdicts;
    const std::string typed = trimmed(combinations).empty() ? "" : combinations_file(combinations, mark);
    std::optional<LineReader> lines;
    if (!typed.empty()) lines.emplace(typed);
    CheckedDomain domain = checked_domain(
        section, intervals, {}, lines ? &*lines : nullptr, [&](std::string_view bytes) { verdicts += bytes; },
        mark);
    const CsvConvention table = mark == ',' ? kSemicolonComma : kCommaPoint;
    std::string points;
    write_domain_table(section, domain.points, table, [&](std::string_view bytes) { points += bytes; });
    // The file of `dominio -o`: the section's own points, no combination's force among them.
    std::string points_file;
    write_domain_table(
        section,
        lines ? section_analysis::resistance_domain(section, domain_forces(section, intervals, {}, {}))
              : domain.points,
        table, [&](std::string_view bytes) { points_file += bytes; });
    const int status = domain.status;
    const std::string error = domain.error;
    const DomainPicture picture{std::move(domain.drawn), std::move(domain.combinations),
                                domain_caption(section, mark)};
    return reply("{\"svg\":" + quoted(domain_svg(picture, mark).svg) +
                 ",\"points\":" + rows_of(points, mark) + ",\"pointsFile\":" + quoted(points_file) +
                 ",\"verdicts\":" + rows_of(verdicts, mark) + ",\"verdictsFile\":" + quoted(verdicts) +
                 ",\"error\":" + quoted(error) + ",\"status\":" + std::to_string(status) + '}');
}

// The calculation report of the section in the fields, with the
// combinations typed in the box; units "FORZA,LUNGHEZZA" or empty; the
// page's link, that opens the same section again.
EMSCRIPTEN_KEEPALIVE const char* mu_report(const char* joined, char mark, const char* title,
                                           const char* units, const char* date, const char* combinations,
                                           const char* link, const char* concrete, const char* steel,
                                           const char* element)
{
    const PageSection page = page_section(joined, mark, concrete, steel, units, element);
    if (!page.refusal.empty()) return reply("{\"message\":" + message({"Materiali", page.refusal}) + '}');
    ReportRequest request;
    request.values = values_of(page.texts);
    request.materials = page.materials;
    request.element = page.element;
    request.title = title;
    request.date = date;
    request.version = MOMENTO_VERSION;
    request.units = page.units;
    const std::string typed = trimmed(combinations).empty() ? "" : combinations_file(combinations, mark);
    std::size_t given = 0;
    if (!typed.empty())
        request.combinations = [&](char* buffer, std::size_t capacity) {
            const std::size_t count = std::min(capacity, typed.size() - given);
            std::copy_n(typed.data() + given, count, buffer);
            given += count;
            return count;
        };
    request.combinations_name = "le combinazioni scritte nella pagina";
    request.reproduction = link;
    request.locale_mark = mark;
    const Report report = make_report(request);
    if (report.refusal) return reply("{\"message\":" + message(*report.refusal) + '}');
    return reply("{\"html\":" + quoted(report_html(report)) + ",\"status\":" + std::to_string(report.status) + '}');
}

// progetto on the section in the fields: the combinations typed in the box,
// or one Md with the Nd field; As' fixed (the field's, empty for none),
// "simmetrica" or "rapporto" with its ratio; the diameters to propose.
EMSCRIPTEN_KEEPALIVE const char* mu_design(const char* joined, char mark, const char* concrete, const char* steel,
                                           const char* units, const char* element, const char* combinations,
                                           const char* moment, const char* compression, const char* ratio,
                                           const char* diameters)
{
    const auto refuse = [](const std::string& why) { return reply("{\"message\":" + message({"Progetto", why}) + '}'); };
    const PageSection page = page_section(joined, mark, concrete, steel, units, element);
    if (!page.refusal.empty()) return refuse(page.refusal);
    reinforcement_design::DesignRun run;
    run.request.values = values_of(page.texts);
    run.request.materials = page.materials;
    run.request.units = page.units;
    run.request.element = page.element;
    const auto text = [&](Input input) { return trimmed(page.texts[section_inputs::index(input)]); };
    const std::string typed = trimmed(combinations).empty() ? "" : combinations_file(combinations, mark);
    if (!typed.empty()) {
        LineReader lines(typed);
        std::string error;
        auto read = runs::read_combinations(lines, error, mark);
        if (!read) return refuse(error);
        run.request.combinations = std::move(*read);
        run.force_words = "--verifica combinazioni.csv";
    } else {
        const auto Md = read_cell_number(moment, NumberMarks::Either);
        if (!Md) return refuse("scrivere Md, o le combinazioni nel riquadro sopra");
        const float Nd = static_cast<float>(run.request.values[section_inputs::index(Input::Nd)]);
        const std::string Nd_text(text(Input::Nd));
        run.request.combinations.push_back({Nd, static_cast<float>(*Md), false, 0,
                                            (Nd_text.empty() ? "" : "Nd = " + Nd_text + ", ") + "Md = " +
                                                std::string(trimmed(moment))});
        if (!Nd_text.empty()) run.force_words = "--Nd " + Nd_text;
    }
    using reinforcement_design::CompressionSteel;
    const std::string_view how = compression;
    if (how == "simmetrica") {
        run.request.compression = {CompressionSteel::Kind::Ratio, 1};
    } else if (how == "rapporto") {
        const auto r = read_cell_number(ratio, NumberMarks::Either);
        if (!r || !(*r > 0)) return refuse("il rapporto As'/As vuole un numero maggiore di 0");
        run.request.compression = {CompressionSteel::Kind::Ratio, *r};
    } else {
        run.request.compression = {CompressionSteel::Kind::Fixed, run.request.values[section_inputs::index(Input::As1)]};
        run.fixed_compression_words = text(Input::As1).empty() ? "0" : std::string(text(Input::As1));
    }
    std::string error;
    const auto chosen = reinforcement_design::diameters_of(diameters, error);
    if (!chosen) return refuse("Diametri: " + error);
    run.diameters = *chosen;
    // The report's command line, with the section as the fields give it.
    std::string words = "-b " + std::string(text(Input::B)) + " -h " + std::string(text(Input::H)) + " -c " +
                        std::string(text(Input::D1));
    words += *concrete ? " --calcestruzzo " + std::string(concrete) : " --fcd " + std::string(text(Input::Fcd));
    words += *steel ? " --acciaio " + std::string(steel) : " --fsd " + std::string(text(Input::Fsd));
    run.section_words = words;
    const reinforcement_design::DesignOutcome outcome =
        reinforcement_design::run_design(run, mark == ',' ? kSemicolonComma : kCommaPoint);
    if (!outcome.refusal.empty()) return refuse(outcome.refusal);
    std::vector<std::string> proposals;
    for (std::size_t i = 0; i < outcome.proposals.sets.size(); ++i)
        proposals.push_back("{\"bars\":" + quoted(materials::written(outcome.proposals.sets[i].bars)) +
                            ",\"As1\":" + quoted(outcome.compression_words[i]) + '}');
    return reply("{\"text\":" + quoted(outcome.text) + ",\"csv\":" + quoted(outcome.csv) +
                 ",\"proposals\":" + list(proposals) + '}');
}

// lotto in slices: the file's bytes, then steps, then the result. The
// bytes, from malloc, are the run's from now on: never copied.
EMSCRIPTEN_KEEPALIVE const char* mu_batch_start(char* bytes, int length, char mark, const char* units,
                                                const char* element)
{
    batch = std::make_unique<Batch>();
    batch->input.reset(bytes);
    batch->input_length = static_cast<std::size_t>(length);
    batch->lines = std::make_unique<LineReader>(std::string_view(batch->input.get(), batch->input_length));
    runs::BatchOptions options{.locale_mark = mark, .units = units_of(units)};
    if (const auto chosen = reinforcement_rules::element_of(element)) options.element = *chosen;
    if (!batch->run.start(*batch->lines, batch->error, options)) {
        batch->status = kCannotRun;
        return reply("{\"error\":" + quoted(batch->error) + '}');
    }
    return reply("{\"note\":" + quoted(batch->run.note()) + ",\"bytes\":" + std::to_string(length) + '}');
}

// Up to `records` more records; the bytes read so far, or -1 at the end.
EMSCRIPTEN_KEEPALIVE double mu_batch_step(int records)
{
    const bool more = batch->run.step(
        *batch->lines, [](std::string_view out) { batch->output += out; }, static_cast<std::size_t>(records));
    return more ? static_cast<double>(batch->run.records()) : -1;
}

EMSCRIPTEN_KEEPALIVE const char* mu_batch_finish()
{
    batch->status = batch->run.finish([](std::string_view out) { batch->output += out; });
    std::vector<std::string> preview;
    for (const std::vector<std::string>& row : batch->run.preview())
        preview.push_back(strings(row));
    return reply("{\"status\":" + std::to_string(batch->status) + ",\"note\":" + quoted(batch->run.note()) +
                 ",\"error\":" + quoted(batch->run.error()) +
                 ",\"records\":" + std::to_string(batch->run.records()) +
                 ",\"header\":" + strings(batch->run.header()) + ",\"preview\":" + list(preview) + '}');
}

// A number under the pointer as the window writes its fields.
EMSCRIPTEN_KEEPALIVE const char* mu_number_text(double value, char mark)
{
    const auto single = static_cast<float>(value);
    return reply(std::isfinite(single) ? number_to_text(single, mark) : "");
}

// The file written since the page last took it, bytes and length, until
// mu_batch_taken; the page keeps it, so that the run holds little.
EMSCRIPTEN_KEEPALIVE const char* mu_batch_output()
{
    return batch->output.data();
}
EMSCRIPTEN_KEEPALIVE void mu_batch_taken()
{
    batch->output.clear();
}
// The run given up or done with: its memory back.
EMSCRIPTEN_KEEPALIVE void mu_batch_end()
{
    batch.reset();
}
EMSCRIPTEN_KEEPALIVE double mu_batch_output_length()
{
    return static_cast<double>(batch->output.size());
}

}  // extern "C"
