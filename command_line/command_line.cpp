// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/command_line.hpp"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "command_line/batch.hpp"
#include "command_line/design_command.hpp"
#include "command_line/domain_command.hpp"
#include "command_line/italian_parser_texts.hpp"
#include "command_line/report_command.hpp"
#include "command_line/section_options.hpp"
#include "command_line/streams.hpp"
#include "numbers/number_text.hpp"
#include "runs/calculation.hpp"
#include "tables/run_status.hpp"

namespace command_line {

namespace {

using namespace numbers;
using namespace runs;
using namespace tables;

const char kLicence[] =
    "Licenza GPL-3.0-or-later: GNU GPL versione 3 o successiva <https://www.gnu.org/licenses/gpl.html>.\n"
    "Questo è software libero: lo si può modificare e ridistribuire. Non c'è ALCUNA GARANZIA, nei limiti\n"
    "consentiti dalla legge.\n";

// The code's rules on the amount of reinforcement, one per line; whether all hold.
bool print_rules(const std::vector<reinforcement_rules::Rule>& rules, reinforcement_rules::Element element)
{
    print(QStringLiteral("regole di armatura (%1, NTC 2018 §4.1.6.1):\n")
              .arg(QString::fromLatin1(reinforcement_rules::element_name(element))));
    for (const reinforcement_rules::Rule& rule : rules)
        print(QStringLiteral("  %1: %2\n").arg(QString::fromStdString(rule.name), QString::fromStdString(rule.statement)));
    return reinforcement_rules::failed_rules(rules).empty();
}

// One section, its results as the window shows them, then the rules on its
// reinforcement where the class and the grade are known.
int run_one_section(const QCommandLineParser& parser)
{
    QString error;
    const std::optional<SectionArguments> arguments = section_values(parser, error);
    if (!arguments) {
        print_error(error);
        return kCannotRun;
    }
    const bool details = parser.isSet(QStringLiteral("dettagli"));
    const char mark = locale_decimal_mark();
    if (details)
        for (const std::string& derivation : arguments->materials.derivations())
            print(QString::fromStdString(derivation) + u'\n');
    const auto text = [&](float value) { return QString::fromStdString(number_to_text(value, mark)); };
    const Calculation c = calculate(arguments->values, mark);
    if (c.d_text) print(QStringLiteral("d = %1\n").arg(QString::fromStdString(*c.d_text)));
    if (!c.result) {
        print_error(QString::fromStdString(c.message.text));
        return kSomeRefused;
    }
    print(QStringLiteral("Mu = %1\nYc = %2\n").arg(text(c.result->Mu), text(c.result->Yc)));
    // The solver judges its step, not its residual: the residual shows how
    // far from equilibrium its last trial is.
    const auto residual = static_cast<float>(static_cast<double>(c.section.Nd) - c.section.N);
    if (details)
        print(QStringLiteral("dominio = %1\nvalutazioni = %2\nresiduo Nd - N = %3\n")
                  .arg(QString::fromLatin1(domain_name(c.result->domain)))
                  .arg(c.result->evaluations)
                  .arg(text(residual)));
    const auto rules = reinforcement_rules::rules_for(arguments->values, arguments->materials, arguments->element,
                                                      arguments->units, {arguments->values[section_inputs::index(Input::Nd)]},
                                                      c.result->Yc, mark);
    if (rules && !print_rules(*rules, arguments->element)) return kSomeRefused;
    return kAllComputed;
}

// What the words before the options ask for; none for words it does not know.
std::optional<Mode> mode_of(const QStringList& positional)
{
    const QString command = positional.value(0);
    if (positional.isEmpty()) return Mode::OneSection;
    if (command == u"dominio" && positional.size() == 1) return Mode::Domain;
    if (command == u"lotto" && positional.size() <= 2) return Mode::Batch;
    if (command == u"relazione" && positional.size() == 1) return Mode::Report;
    if (command == u"progetto" && positional.size() == 1) return Mode::Design;
    return std::nullopt;
}

}  // namespace

int run(const QStringList& arguments)
{
    ItalianParserTexts italian;
    QCoreApplication::installTranslator(&italian);
    if (arguments.size() <= 1) {
        print_error(short_usage());
        return kCannotRun;
    }
    QCommandLineParser parser;
    add_options(parser);
    if (!parser.parse(arguments)) {
        print_error(parser.errorText() + QStringLiteral("\nVedere --help."));
        return kCannotRun;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // The program by its name, wherever it was started from.
        print(parser.helpText().replace(arguments.value(0), QCoreApplication::applicationName()));
        return kAllComputed;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        print(QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n' +
              QString::fromUtf8(kLicence));
        return kAllComputed;
    }
    const QStringList positional = parser.positionalArguments();
    const std::optional<Mode> mode = mode_of(positional);
    if (!mode) {
        print_error(
            QStringLiteral("comando non riconosciuto: %1\nVedere --help.").arg(positional.join(u' ')));
        return kCannotRun;
    }
    for (const char* file_option : {"o", "svg", "png", "verifica"}) {
        const QString name = QString::fromLatin1(file_option);
        if (parser.isSet(name) && parser.value(name).isEmpty()) {
            print_error(QStringLiteral("%1 vuole il nome di un file, non un nome vuoto\nVedere --help.")
                            .arg(spelled(name)));
            return kCannotRun;
        }
    }
    if (*mode == Mode::Batch && positional.size() == 2 && positional[1].isEmpty()) {
        print_error(QStringLiteral("lotto vuole il nome di un file, non un nome vuoto\nVedere --help."));
        return kCannotRun;
    }
    if (const QString misplaced = misplaced_option(parser, *mode); !misplaced.isEmpty()) {
        print_error(misplaced + QStringLiteral("\nVedere --help."));
        return kCannotRun;
    }
    switch (*mode) {
    case Mode::OneSection:
        return run_one_section(parser);
    case Mode::Batch:
        return run_batch(parser, positional.value(1), parser.value(QStringLiteral("o")));
    case Mode::Domain:
        return run_domain(parser);
    case Mode::Report:
        return run_report(parser, arguments);
    case Mode::Design:
        return run_design(parser);
    }
    return kCannotRun;
}

}  // namespace command_line
