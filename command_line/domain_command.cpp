// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/domain_command.hpp"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <memory>

#include "command_line/outputs.hpp"
#include "command_line/section_options.hpp"
#include "command_line/streams.hpp"
#include "shared_rules/calculation.hpp"
#include "shared_rules/domain_svg.hpp"
#include "shared_rules/resistance_tables.hpp"
#include "shared_rules/run_status.hpp"

namespace command_line {

namespace {

using namespace shared_rules;

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

// The SVG drawn on an image: one drawing for every program.
bool write_png(const std::string& svg, QIODevice& output)
{
    // Qt Svg takes the list of faces for one name: that name is the first face.
    QFont::insertSubstitution(QString::fromUtf8(kPictureFonts), QStringLiteral("Liberation Sans"));
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    if (!renderer.isValid()) return false;
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image.save(&output, "PNG");
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
    if (const auto values = section_values(parser, error))
        options.values = *values;
    else
        errors.append(error);
    for (const QString& Nd : parser.values(QStringLiteral("Nd"))) {
        if (const std::optional<double> force = option_number(QStringLiteral("Nd"), Nd, error))
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

}  // namespace

int run_domain(const QCommandLineParser& parser)
{
    std::optional<DomainOptions> options = read_options(parser);
    if (!options) return kCannotRun;

    // The section exactly as the Calculate command forms it, d through its text.
    const char mark = locale_decimal_mark();
    options->values[static_cast<std::size_t>(Input::Nd)] = 0;
    const Calculation formed = calculate(options->values, mark);
    if (!formed.axial_force_given) {
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
    const bool verifying = parser.isSet(QStringLiteral("verifica"));
    const QString combinations_name = parser.value(QStringLiteral("verifica"));
    Outputs outputs({combinations_name});
    QIODevice* output = outputs.open(parser.value(QStringLiteral("o")));
    bool opened = output != nullptr;
    const auto picture_output = [&](const QString& option) -> QIODevice* {
        if (!opened || !parser.isSet(option)) return nullptr;
        QIODevice* device = outputs.open(parser.value(option));
        opened = device != nullptr;
        return device;
    };
    QIODevice* svg = picture_output(QStringLiteral("svg"));
    QIODevice* png = picture_output(QStringLiteral("png"));
    std::unique_ptr<QFileDevice> combinations;
    if (opened && verifying) opened = (combinations = open_input(combinations_name)) != nullptr;
    if (!opened) {
        outputs.close(false);
        return kCannotRun;
    }

    DomainPicture picture{{}, {}, domain_caption(section, mark)};
    int status = kAllComputed;
    if (verifying) {
        LineReader lines(source_of(*combinations));
        std::string error;
        status = verify_combinations(section, lines, sink_of(*output), picture.combinations, error, mark);
        if (!error.empty()) print_error(QString::fromStdString(error));
    }
    picture.points = section_analysis::resistance_domain(
        section, domain_forces(section, options->intervals, options->extra, picture.combinations));
    if (verifying) pass_through_exact_bounds(section, picture.points, picture.combinations);
    if (!verifying) {
        write_domain_table(section, picture.points, options->convention, sink_of(*output));
        for (const section_analysis::DomainPoint& point : picture.points)
            if (!point.result) status = kSomeRefused;
    }
    if (svg || png) {
        const std::string drawing = domain_svg(picture, mark);
        if (svg) svg->write(drawing.data(), static_cast<qint64>(drawing.size()));
        if (png && !write_png(drawing, *png)) {
            print_error(QStringLiteral("impossibile disegnare il dominio"));
            status = kCannotRun;
        }
    }
    return outputs.close(status != kCannotRun) ? status : kCannotRun;
}

}  // namespace command_line
