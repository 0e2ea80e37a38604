// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/domain_command.hpp"

#include <cmath>
#include <memory>

#include "command_line/csv_table.hpp"
#include "command_line/exit_status.hpp"
#include "command_line/section_options.hpp"
#include "command_line/streams.hpp"
#include "section_input/exact_number.hpp"
#include "section_input/number_text.hpp"

namespace command_line {

namespace {

using section_analysis::Branch;
using section_analysis::DomainPoint;
using section_analysis::SectionState;

constexpr int kMostIntervals = 100000;
const TableColumn kCombinationColumns[] = {{"Nd", true}, {"Md", true}};
constexpr std::size_t kNd = 0;

QString failure_text(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const section_analysis::SectionError& error) {
        return one_line(section_input::message_for(error).text);
    }
}

// A combination's Nd (an empty cell is 0) and Md as singles; none, with the
// verdict, where a cell holds no number a single can hold.
std::optional<std::pair<float, float>> combination(const CsvTable& table, QString& verdict)
{
    float values[std::size(kCombinationColumns)];
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const QString cell = table.cell(i);
        const auto number = i == kNd && cell.trimmed().isEmpty()
                                ? std::optional(0.0)  // as an empty field
                                : section_input::read_cell_number(cell, table.convention().marks());
        values[i] = static_cast<float>(number.value_or(NAN));
        if (!std::isfinite(values[i])) {
            verdict = QStringLiteral("valore non numerico nella colonna ") +
                      QString::fromUtf8(kCombinationColumns[i].name) +
                      section_input::refusal_detail(cell, table.convention().marks());
            return std::nullopt;
        }
    }
    return std::pair{values[0], values[1]};
}

// The table's convention: as --separatore says, or else ";" and the decimal
// comma where the user's locale writes a comma. None for any other separator.
std::optional<CsvConvention> domain_table_convention(const QString& separator)
{
    if (separator == u";") return kSemicolonComma;
    if (separator == u",") return kCommaPoint;
    if (separator.isEmpty()) return locale_decimal_mark() == u',' ? kSemicolonComma : kCommaPoint;
    return std::nullopt;
}

// MuRd-, MuRd+, Md/MuRd and the verdict of one combination.
QStringList verdict_of(const SectionState& section, float Nd, float Md, QChar mark, bool& verified)
{
    using section_analysis::Verdict;
    const section_analysis::CombinationCheck check = section_analysis::check_combination(section, Nd, Md);
    verified = check.verdict == Verdict::Verified;
    const auto exact = [&](std::optional<float> value) {
        return value ? section_input::exact_text(*value, mark) : QString();
    };
    QString reason;
    switch (check.verdict) {
    case Verdict::Verified:
        reason = QStringLiteral("verificato");
        break;
    case Verdict::MomentBeyond:
        reason = QStringLiteral("non verificato: momento oltre il resistente");
        break;
    case Verdict::MomentOutsideBounds:
        reason =
            QStringLiteral("non verificato: a questo Nd la sezione richiede un momento tra MuRd- e MuRd+");
        break;
    case Verdict::AboveCapacity:
        reason = QStringLiteral("non verificato: Nd oltre la capacità b·h·fcd");
        break;
    case Verdict::BeyondTensionLimit:
        reason = QStringLiteral("non verificato: Nd oltre il limite di trazione -(As+As')·fsd");
        break;
    case Verdict::NotComputed:
        reason = QStringLiteral("non verificato: ") + failure_text(check.failure);
        break;
    }
    return {exact(check.lower), exact(check.upper), exact(check.ratio), reason};
}

void write_domain_table(const SectionState& section, const std::vector<DomainPoint>& points,
                        const CsvConvention& convention, QIODevice& output)
{
    const QString separator = convention.separator;
    const float capacity = section_analysis::axial_capacity(section);
    // A point above the capacity is told as the window tells it.
    const auto failure = [&](const DomainPoint& point) {
        return point.Nd > capacity ? section_input::capacity_refusal(capacity, locale_of(convention)).text
                                   : failure_text(point.failure);
    };
    const auto exact = [&](float value) { return section_input::exact_text(value, convention.decimal_mark); };
    QStringList lines{QStringList{"ramo", "Nd", "Mu", "Yc", "esito"}.join(separator)};
    for (const DomainPoint& point : points) {
        const QString branch = point.branch == Branch::Positive ? QStringLiteral("+") : QStringLiteral("-");
        const QStringList cells = point.result ? QStringList{branch, exact(point.Nd), exact(point.result->Mu),
                                                             exact(point.result->Yc), "ok"}
                                               : QStringList{branch, exact(point.Nd), {}, {}, failure(point)};
        QStringList quoted;
        for (const QString& cell : cells)
            quoted.append(quoted_cell(cell, convention.separator));
        lines.append(quoted.join(separator));
    }
    output.write((lines.join(u'\n') + u'\n').toUtf8());
}

QString caption(const SectionState& s)
{
    const auto text = [](float value) { return section_input::number_to_text(value); };
    return QStringLiteral("b = %1   h = %2   c = %3   As = %4   As' = %5   fcd = %6   fsd = %7")
        .arg(text(s.B), text(s.H), text(s.D1), text(s.As), text(s.As1), text(s.Fcd), text(s.Fsd));
}

}  // namespace

int verify_combinations(const SectionState& section, QIODevice& input, QIODevice& output,
                        std::vector<PlottedCombination>& plotted, QString& error)
{
    std::optional<CsvTable> table =
        CsvTable::read_header(input, kCombinationColumns, locale_decimal_mark(), error);
    if (!table) return kCannotRun;
    table->write_header({"MuRd-", "MuRd+", "Md/MuRd", "esito"});
    bool all_verified = true;
    while (table->next_record(input)) {
        if (table->blank()) {
            table->write_record(output, {});
            continue;
        }
        QString verdict = table->too_many_cells_reason();
        std::optional<std::pair<float, float>> Nd_Md;
        if (!table->too_many_cells()) Nd_Md = combination(*table, verdict);
        bool verified = false;
        const QStringList cells = Nd_Md ? verdict_of(section, Nd_Md->first, Nd_Md->second,
                                                     table->convention().decimal_mark, verified)
                                        : QStringList{{}, {}, {}, verdict};
        if (Nd_Md) plotted.push_back({Nd_Md->first, Nd_Md->second, verified});
        all_verified &= verified;
        table->write_record(output, cells);
    }
    table->flush(output);
    return all_verified ? kAllComputed : kSomeRefused;
}

int run_domain(const QCommandLineParser& parser)
{
    // Every option is checked before anything is computed; each wrong one is named.
    QStringList errors;
    QString error;
    std::optional<section_input::InputValues> values = section_values(parser, error);
    if (!values) errors.append(error);
    std::vector<float> extra;
    for (const QString& Nd : parser.values(QStringLiteral("Nd"))) {
        if (const std::optional<double> force = option_number(QStringLiteral("Nd"), Nd, error))
            extra.push_back(static_cast<float>(*force));
        else if (!errors.contains(error))
            errors.append(error);
    }
    bool whole = false;
    const int intervals = parser.value(QStringLiteral("punti")).toInt(&whole);
    if (!whole || intervals < 1 || intervals > kMostIntervals)
        errors.append(QStringLiteral("--punti vuole un numero intero da 1 a %1, non «%2»")
                          .arg(kMostIntervals)
                          .arg(parser.value(QStringLiteral("punti"))));
    const QString separator = parser.value(QStringLiteral("separatore"));
    const std::optional<CsvConvention> convention = domain_table_convention(separator);
    if (!convention)
        errors.append(QStringLiteral("--separatore vuole \";\" o \",\", non «%1»").arg(separator));
    for (const QString& picture : {QStringLiteral("svg"), QStringLiteral("png")})
        if (parser.value(picture) == u"-")
            errors.append(
                QStringLiteral("--%1 vuole il nome di un file: il disegno non va sull'uscita standard")
                    .arg(picture));
    if (!errors.isEmpty()) {
        print_error(errors.join(u'\n'));
        return kCannotRun;
    }

    // The section exactly as the Calculate command forms it, d through its text.
    (*values)[static_cast<std::size_t>(section_input::Input::Nd)] = 0;
    const section_input::Calculation formed = section_input::calculate(*values);
    if (!formed.axial_force_given) {
        print_error(formed.message.text);
        return kSomeRefused;
    }
    const SectionState& section = formed.section;
    try {  // the domain runs from the tension limit to the capacity: both must be singles
        section_analysis::tension_limit(section);
        section_analysis::axial_capacity(section);
    } catch (const section_analysis::SectionError& error) {
        print_error(section_input::message_for(error).text);
        return kSomeRefused;
    }
    std::erase_if(extra, [](float Nd) { return !std::isfinite(Nd); });

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

    DomainPicture picture{{}, {}, caption(section)};
    int status = kAllComputed;
    if (verifying) {
        status = verify_combinations(section, *combinations, *output, picture.combinations, error);
        if (!error.isEmpty()) print_error(error);
        // The outline through both bounds at each combination's Nd, so a
        // verified combination is drawn inside it.
        for (const PlottedCombination& combination : picture.combinations)
            if (section_analysis::tension_limit(section) <= combination.Nd &&
                combination.Nd <= section_analysis::axial_capacity(section))
                extra.push_back(combination.Nd);
    }
    picture.points = section_analysis::resistance_domain(
        section, section_analysis::domain_axial_forces(section, intervals, extra));
    if (!verifying) {
        write_domain_table(section, picture.points, *convention, *output);
        for (const DomainPoint& point : picture.points)
            if (!point.result) status = kSomeRefused;
    }
    if ((svg && !write_svg(picture, *svg)) || (png && !write_png(picture, *png))) {
        print_error(QStringLiteral("impossibile disegnare il dominio"));
        status = kCannotRun;
    }
    return outputs.close(status != kCannotRun) ? status : kCannotRun;
}

}  // namespace command_line
