// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/domain_command.hpp"

#include <cmath>
#include <memory>

#include "command_line/drawing.hpp"
#include "command_line/outputs.hpp"
#include "command_line/section_options.hpp"
#include "command_line/streams.hpp"
#include "drawings/domain_svg.hpp"
#include "runs/calculation.hpp"
#include "runs/resistance_tables.hpp"
#include "tables/run_status.hpp"

namespace command_line {

namespace {

using namespace drawings;
using namespace runs;
using namespace tables;

constexpr int kMostIntervals = 100000;

// The table's convention: as --separatore says, or else ";" and the decimal
// comma where the user's locale writes a comma. None for any other separator.
std::optional<CsvConvention> domain_table_convention(const QString& separator)
{
    if (separator == u";") return kSemicolonComma;
    if (separator == u",") return kCommaPoint;
    if (separator.isEmpty()) return locale_decimal_mark() == ',' ? kSemicolonComma : kCommaPoint;
    return std::nullopt;
}

// Every option, checked before anything is computed; each wrong one named.
struct DomainOptions {
    InputValues values{};
    std::vector<float> extra;
    int intervals = 0;
    CsvConvention convention = kCommaPoint;
};

std::optional<DomainOptions> read_options(const QCommandLineParser& parser)
{
    DomainOptions options;
    QStringList errors;
    QString error;
    if (const auto arguments = section_values(parser, error))
        options.values = arguments->values;
    else
        errors.append(error);
    const QString extra_points = section_option(Input::Nd);
    for (const QString& Nd : parser.values(extra_points)) {
        const std::optional<double> force = option_number(extra_points, Nd, error);
        // A point beyond the singles would have no place in the table: refused, never left out.
        if (force && !std::isfinite(static_cast<float>(*force)))
            error = QStringLiteral("l'opzione %1 %2 è fuori dall'intervallo dei numeri in singola precisione")
                        .arg(spelled(extra_points), Nd);
        if (force && std::isfinite(static_cast<float>(*force)))
            options.extra.push_back(static_cast<float>(*force));
        else if (!errors.contains(error))
            errors.append(error);
    }
    bool whole = false;
    options.intervals = parser.value(QStringLiteral("punti")).toInt(&whole);
    if (!whole || options.intervals < 1 || options.intervals > kMostIntervals)
        errors.append(QStringLiteral("--punti vuole un numero intero da 1 a %1, non «%2»")
                          .arg(kMostIntervals)
                          .arg(parser.value(QStringLiteral("punti"))));
    const QString separator = parser.value(QStringLiteral("separatore"));
    if (const auto convention = domain_table_convention(separator))
        options.convention = *convention;
    else
        errors.append(QStringLiteral("--separatore vuole \";\" o \",\", non «%1»").arg(separator));
    for (const QString& picture : {QStringLiteral("svg"), QStringLiteral("png")})
        if (parser.value(picture) == u"-")
            errors.append(
                QStringLiteral("--%1 vuole il nome di un file: il disegno non va sull'uscita standard")
                    .arg(picture));
    if (errors.isEmpty()) return options;
    print_error(errors.join(u'\n'));
    return std::nullopt;
}

// The files of a run: the table, the pictures asked for, the combinations to read.
struct DomainFiles {
    QIODevice* output = nullptr;
    QIODevice* svg = nullptr;
    QIODevice* png = nullptr;
    std::unique_ptr<QFileDevice> combinations;  // none without --verifica
};

// Opens every file the run writes or reads, in order; none once one fails,
// with the reason said.
std::optional<DomainFiles> open_files(const QCommandLineParser& parser, Outputs& outputs)
{
    DomainFiles files;
    files.output = outputs.open(parser.value(QStringLiteral("o")));
    if (!files.output) return std::nullopt;
    for (const auto& [option, device] :
         {std::pair{QStringLiteral("svg"), &files.svg}, {QStringLiteral("png"), &files.png}}) {
        if (!parser.isSet(option)) continue;
        *device = outputs.open(parser.value(option));
        if (!*device) return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("verifica"))) {
        files.combinations = open_input(parser.value(QStringLiteral("verifica")));
        if (!files.combinations) return std::nullopt;
    }
    return files;
}

}  // namespace

int run_domain(const QCommandLineParser& parser)
{
    std::optional<DomainOptions> options = read_options(parser);
    if (!options) return kCannotRun;

    // The section exactly as the Calculate command forms it, d through its text.
    const char mark = locale_decimal_mark();
    options->values[section_inputs::index(Input::Nd)] = 0;
    const Calculation formed = calculate(options->values, mark);
    if (!formed.checks_passed) {
        print_error(QString::fromStdString(formed.message.text));
        return kSomeRefused;
    }
    const section_analysis::SectionState& section = formed.section;
    try {  // the domain runs from the tension limit to the capacity: both must be singles
        section_analysis::tension_limit(section);
        section_analysis::axial_capacity(section);
    } catch (const section_analysis::SectionError& error) {
        print_error(QString::fromStdString(message_for(error, mark).text));
        return kSomeRefused;
    }

    // Every output is opened before anything is computed, and kept only if all are written.
    Outputs outputs({parser.value(QStringLiteral("verifica"))});
    const std::optional<DomainFiles> files = open_files(parser, outputs);
    if (!files) {
        outputs.close(false);
        return kCannotRun;
    }
    const bool verifying = files->combinations != nullptr;
    QIODevice* output = files->output;
    QIODevice* svg = files->svg;
    QIODevice* png = files->png;

    std::optional<LineReader> lines;
    if (verifying) lines.emplace(source_of(*files->combinations));
    CheckedDomain domain = checked_domain(section, options->intervals, options->extra,
                                          lines ? &*lines : nullptr, sink_of(*output), mark);
    if (!domain.error.empty()) print_error(QString::fromStdString(domain.error));
    if (!verifying) write_domain_table(section, domain.points, options->convention, sink_of(*output));
    int status = domain.status;
    const DomainPicture picture{std::move(domain.drawn), std::move(domain.combinations),
                                domain_caption(section, mark)};
    if (svg || png) {
        const drawings::Drawing drawing = domain_svg(picture, mark);
        if (svg) svg->write(drawing.svg.data(), static_cast<qint64>(drawing.svg.size()));
        if (png && !write_png(drawing, *png)) {
            print_error(QStringLiteral("impossibile disegnare il dominio"));
            status = kCannotRun;
        }
    }
    return outputs.close(status != kCannotRun) ? status : kCannotRun;
}

}  // namespace command_line
