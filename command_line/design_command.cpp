// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/design_command.hpp"

#include <cstdio>

#include "command_line/outputs.hpp"
#include "command_line/section_options.hpp"
#include "command_line/streams.hpp"
#include "reinforcement_design/design_run.hpp"
#include "tables/run_status.hpp"

namespace command_line {

namespace {

using reinforcement_design::CompressionSteel;
using section_inputs::Input;

// The combinations: one from --Md and --Nd, or the file's; none, with the reason said.
std::optional<std::vector<runs::PlottedCombination>> combinations_of(const QCommandLineParser& parser,
                                                                      QString& error)
{
    const bool single = parser.isSet(QStringLiteral("Md")), file = parser.isSet(QStringLiteral("verifica"));
    if (single == file) {
        error = single ? QStringLiteral("--Md o --verifica, non entrambi")
                       : QStringLiteral("progetto vuole --Md (con --Nd) o --verifica COMBINAZIONI.csv");
        return std::nullopt;
    }
    if (single) {
        const QString nd = section_option(Input::Nd);
        const std::optional<double> Md = option_number(QStringLiteral("Md"), parser.value(QStringLiteral("Md")), error);
        std::optional<double> Nd = 0.0;
        if (parser.isSet(nd)) Nd = option_number(nd, parser.value(nd), error);
        if (!Md || !Nd) return std::nullopt;
        const std::string name = "Nd = " + parser.value(nd).toStdString() + ", Md = " + parser.value(QStringLiteral("Md")).toStdString();
        return std::vector<runs::PlottedCombination>{
            {static_cast<float>(*Nd), static_cast<float>(*Md), false, 0, parser.isSet(nd) ? name : name.substr(name.find("Md"))}};
    }
    if (parser.isSet(section_option(Input::Nd))) {
        error = QStringLiteral("con --verifica gli sforzi normali sono quelli del file: --Nd non vale");
        return std::nullopt;
    }
    const std::unique_ptr<QFileDevice> input = open_input(parser.value(QStringLiteral("verifica")));
    if (!input) return std::nullopt;
    tables::LineReader lines(source_of(*input));
    std::string reason;
    auto read = runs::read_combinations(lines, reason, locale_decimal_mark());
    if (!read) error = QString::fromStdString(reason);
    return read;
}

// How As' follows As: fixed by --As1 (0 if absent), or in a ratio.
std::optional<CompressionSteel> compression_of(const QCommandLineParser& parser, const SectionArguments& arguments,
                                               QString& error)
{
    const int given = parser.isSet(section_option(Input::As1)) + parser.isSet(QStringLiteral("rapporto")) +
                      parser.isSet(QStringLiteral("simmetrica"));
    if (given > 1) {
        error = QStringLiteral("--As1, --rapporto o --simmetrica: uno solo");
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("simmetrica"))) return CompressionSteel{CompressionSteel::Kind::Ratio, 1};
    if (parser.isSet(QStringLiteral("rapporto"))) {
        const auto ratio = option_number(QStringLiteral("rapporto"), parser.value(QStringLiteral("rapporto")), error);
        if (!ratio) return std::nullopt;
        if (!(*ratio > 0)) {
            error = QStringLiteral("--rapporto vuole un numero maggiore di 0, non «%1»").arg(parser.value(QStringLiteral("rapporto")));
            return std::nullopt;
        }
        return CompressionSteel{CompressionSteel::Kind::Ratio, *ratio};
    }
    return CompressionSteel{CompressionSteel::Kind::Fixed, arguments.values[section_inputs::index(Input::As1)]};
}

// The words that give the section without its steel, and its forces, for the report's command line.
void report_words(const QCommandLineParser& parser, reinforcement_design::DesignRun& run)
{
    QStringList words;
    for (const char* option : {"b", "h", "c", "calcestruzzo", "fcd", "acciaio", "fsd"}) {
        const QString name = QString::fromLatin1(option);
        if (parser.isSet(name)) words << spelled(name) << parser.value(name);
    }
    run.section_words = words.join(u' ').toStdString();
    if (parser.isSet(QStringLiteral("verifica")))
        run.force_words = "--verifica " + parser.value(QStringLiteral("verifica")).toStdString();
    else if (parser.isSet(section_option(Input::Nd)))
        run.force_words = "--Nd " + parser.value(section_option(Input::Nd)).toStdString();
    if (parser.isSet(section_option(Input::As1))) run.fixed_compression_words = parser.value(section_option(Input::As1)).toStdString();
}

}  // namespace

int run_design(const QCommandLineParser& parser)
{
    QString error;
    reinforcement_design::DesignRun run;
    const std::optional<SectionArguments> section = section_values(parser, error, true);
    std::optional<std::vector<runs::PlottedCombination>> combinations;
    std::optional<CompressionSteel> compression;
    std::optional<std::vector<int>> diameters;
    if (section) compression = compression_of(parser, *section, error);
    std::string reason;
    if (compression) diameters = reinforcement_design::diameters_of(parser.value(QStringLiteral("barre")).toStdString(), reason);
    if (!reason.empty()) error = QStringLiteral("--barre vuole ") + QString::fromStdString(reason);
    if (diameters) combinations = combinations_of(parser, error);
    if (!combinations) {
        if (!error.isEmpty()) print_error(error + QStringLiteral("\nVedere --help."));
        return tables::kCannotRun;
    }
    run.request.values = section->values;
    run.request.materials = section->materials;
    run.request.units = section->units;
    run.request.element = section->element;
    run.request.compression = *compression;
    run.request.combinations = std::move(*combinations);
    run.diameters = *diameters;
    report_words(parser, run);
    const char mark = locale_decimal_mark();
    const reinforcement_design::DesignOutcome outcome =
        reinforcement_design::run_design(run, mark == ',' ? tables::kSemicolonComma : tables::kCommaPoint);
    if (!outcome.refusal.empty()) {
        print_error(QString::fromStdString(outcome.refusal));
        return outcome.status;
    }
    print(QString::fromStdString(outcome.text));
    if (!parser.isSet(QStringLiteral("o"))) return outcome.status;
    std::fflush(stdout);  // the table after the summary, where both go to standard output
    Outputs outputs({parser.value(QStringLiteral("verifica"))});
    QIODevice* output = outputs.open(parser.value(QStringLiteral("o")));
    if (!output) return tables::kCannotRun;
    output->write(outcome.csv.data(), static_cast<qint64>(outcome.csv.size()));
    return outputs.close(true) ? outcome.status : tables::kCannotRun;
}

}  // namespace command_line
