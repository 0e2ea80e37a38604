// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/command_line.hpp"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "command_line/batch.hpp"
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

// One section, its results as the window shows them.
int run_one_section(const QCommandLineParser& parser)
{
    QString error;
    const std::optional<InputValues> values = section_values(parser, error);
    if (!values) {
        print_error(error);
        return kCannotRun;
    }
    const char mark = locale_decimal_mark();
    const auto text = [&](float value) { return QString::fromStdString(number_to_text(value, mark)); };
    const Calculation c = calculate(*values, mark);
    if (c.d_text) print(QStringLiteral("d = %1\n").arg(QString::fromStdString(*c.d_text)));
    if (!c.result) {
        print_error(QString::fromStdString(c.message.text));
        return kSomeRefused;
    }
    print(QStringLiteral("Mu = %1\nYc = %2\n").arg(text(c.result->Mu), text(c.result->Yc)));
    // The solver judges its step, not its residual: the residual shows how
    // far from equilibrium its last trial is.
    const auto residual = static_cast<float>(static_cast<double>(c.section.Nd) - c.section.N);
    if (parser.isSet(QStringLiteral("dettagli")))
        print(QStringLiteral("dominio = %1\nvalutazioni = %2\nresiduo Nd - N = %3\n")
                  .arg(QString::fromLatin1(domain_name(c.result->domain)))
                  .arg(c.result->evaluations)
                  .arg(text(residual)));
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
        return run_batch(positional.value(1), parser.value(QStringLiteral("o")));
    case Mode::Domain:
        return run_domain(parser);
    case Mode::Report:
        return run_report(parser, arguments);
    }
    return kCannotRun;
}

}  // namespace command_line
