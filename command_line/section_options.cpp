// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/section_options.hpp"

#include <QCoreApplication>
#include <cmath>
#include <limits>
#include <vector>

#include "numbers/exact_number.hpp"
#include "numbers/number_text.hpp"

namespace command_line {

namespace {

using section_inputs::Input;
using section_inputs::InputEntry;
using section_inputs::kInputs;

// The modes an option applies to, as bits.
using Modes = unsigned;
constexpr Modes in(Mode mode)
{
    return 1u << static_cast<unsigned>(mode);
}
constexpr Modes kSectionModes = in(Mode::OneSection) | in(Mode::Domain) | in(Mode::Report);

// Each option beside the section's, with its help and the modes it applies to.
struct OptionEntry {
    const char* name;
    const char* long_name;   // a second name, or none
    const char* value_name;  // none for a switch
    const char* default_value;
    Modes modes;
    const char* description;
};

const OptionEntry kOptions[] = {
    {"dettagli", nullptr, nullptr, nullptr, in(Mode::OneSection),
     "Mostra anche il dominio di deformazione dell'ultimo tentativo, il numero di valutazioni e il residuo "
     "Nd - N."},
    {"punti", nullptr, "N", "100", in(Mode::Domain),
     "dominio: N + 1 sforzi normali per ramo, dal limite di trazione alla capacità (100 se assente)."},
    {"separatore", nullptr, "carattere", nullptr, in(Mode::Domain),
     "dominio: \";\" con la virgola decimale o \",\" con il punto (se assente, secondo la lingua)."},
    {"svg", nullptr, "file", nullptr, in(Mode::Domain), "dominio: il disegno in SVG."},
    {"png", nullptr, "file", nullptr, in(Mode::Domain), "dominio: il disegno in PNG."},
    {"verifica", nullptr, "file", nullptr, in(Mode::Domain) | in(Mode::Report),
     "dominio: verifica le combinazioni (colonne Nd e Md) del file; in uscita MuRd-, MuRd+, Md/MuRd ed "
     "esito per ciascuna. relazione: le stesse verifiche; una riga che non si legge rifiuta la relazione."},
    {"o", "uscita", "file", nullptr, in(Mode::Batch) | in(Mode::Domain) | in(Mode::Report),
     "lotto e dominio: il file dei risultati; - o assente: l'uscita standard. relazione: il file della "
     "relazione, .pdf (PDF/A, A4) o .html."},
    {"titolo", nullptr, "testo", nullptr, in(Mode::Report),
     "relazione: il titolo (\"Relazione di calcolo\" se assente)."},
    {"unita", nullptr, "unità", nullptr, in(Mode::Report),
     "relazione: le unità dei dati, FORZA,LUNGHEZZA: forza kg, daN, N o kN, lunghezza mm, cm o m (ad "
     "esempio kg,cm o N,mm); se assente, unità libere. Dati che il modulo Es dice in altre unità "
     "rifiutano la relazione."},
    {"data", nullptr, "AAAA-MM-GG", nullptr, in(Mode::Report), "relazione: la data (oggi se assente)."},
};

// How a refusal names where an option does not apply.
const char* where(Mode mode)
{
    switch (mode) {
    case Mode::OneSection:
        return "per una sola sezione";
    case Mode::Batch:
        return "con lotto";
    case Mode::Domain:
        return "con dominio";
    case Mode::Report:
        return "con relazione";
    }
    return "";
}

// The section's options with the worked example's values, "-b 30 -h 50 ...".
QString example_section()
{
    QStringList words;
    for (const InputEntry& input : kInputs)
        if (!input.may_be_empty)
            words << spelled(QString::fromLatin1(input.option)) << QString::fromLatin1(input.example);
    return words.join(u' ');
}

// The usage lines: %1 the worked example's section, %2 the axial force's option.
const char* const kUsageLines[] = {
    "momento-ultimo-cli %1 [%2 0] [--dettagli]",
    "momento-ultimo-cli lotto SEZIONI.csv [-o RISULTATI.csv]",
    "momento-ultimo-cli dominio OPZIONI-DELLA-SEZIONE [--punti N] [--separatore ;] [%2 N]...",
    "                  [--verifica COMBINAZIONI.csv] [--svg F.svg] [--png F.png] [-o USCITA.csv]",
    "momento-ultimo-cli relazione OPZIONI-DELLA-SEZIONE [%2 N] [--verifica COMBINAZIONI.csv] [--titolo T]",
    "                  [--unita FORZA,LUNGHEZZA] [--data AAAA-MM-GG] -o RELAZIONE.pdf|RELAZIONE.html",
};

QString usage()
{
    QString lines;
    for (const char* line : kUsageLines)
        lines += QStringLiteral("  ") + QString::fromUtf8(line) + u'\n';
    return lines.arg(example_section(), spelled(section_option(Input::Nd)));
}

const char kExitStatuses[] =
    "Stato di uscita:\n"
    "  0  ogni sezione calcolata, ogni combinazione verificata\n"
    "  1  una sezione rifiutata o una combinazione non verificata\n"
    "  2  un file che non si legge o non si scrive, un'intestazione a cui manca una colonna o che la\n"
    "     ripete, un'opzione sbagliata: allora non si scrive nulla";

}  // namespace

QString spelled(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString section_option(Input input)
{
    return QString::fromLatin1(section_inputs::entry(input).option);
}

void add_options(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral(
            "Momento ultimo Mu e asse neutro Yc di una sezione rettangolare in cemento armato allo "
            "S.L.U.\nLe unità di misura sono libere, ma congruenti (ad esempio sempre kg e cm "
            "oppure N e mm).\n\n") +
        usage() + u'\n' + QString::fromUtf8(kExitStatuses));
    parser.addPositionalArgument(
        QStringLiteral("comando"),
        QStringLiteral("nessuno per una sezione; lotto FILE.csv per un file di sezioni; dominio per il "
                       "dominio di resistenza M-N; relazione per la relazione di calcolo in PDF o HTML"),
        QStringLiteral("[lotto FILE.csv | dominio | relazione]"));
    parser.addOption({{QStringLiteral("help"), QStringLiteral("?")}, QStringLiteral("Mostra questo aiuto.")});
    parser.addOption({QStringLiteral("version"), QStringLiteral("Mostra la versione e la licenza.")});
    for (const InputEntry& input : kInputs)
        parser.addOption({QString::fromLatin1(input.option), QString::fromUtf8(input.description),
                          QStringLiteral("valore")});
    for (const OptionEntry& option : kOptions) {
        QStringList names{QString::fromLatin1(option.name)};
        if (option.long_name) names << QString::fromLatin1(option.long_name);
        parser.addOption({names, QString::fromUtf8(option.description),
                          option.value_name ? QString::fromUtf8(option.value_name) : QString(),
                          option.default_value ? QString::fromLatin1(option.default_value) : QString()});
    }
}

QString short_usage()
{
    return QStringLiteral("Uso:\n") + usage() + QStringLiteral("Vedere --help.");
}

QString misplaced_option(const QCommandLineParser& parser, Mode mode)
{
    std::vector<std::pair<QString, Modes>> options;
    for (const InputEntry& input : kInputs)
        options.emplace_back(QString::fromLatin1(input.option), kSectionModes);
    for (const OptionEntry& option : kOptions)
        options.emplace_back(QString::fromLatin1(option.name), option.modes);
    // Extra points of the domain: the only option that may be repeated.
    const QString repeatable = mode == Mode::Domain ? section_option(Input::Nd) : QString();
    for (const auto& [name, modes] : options) {
        if (!parser.isSet(name)) continue;
        if (!(modes & in(mode)))
            return QStringLiteral("l'opzione %1 non vale %2")
                .arg(spelled(name), QString::fromUtf8(where(mode)));
        if (parser.values(name).size() > 1 && name != repeatable)
            return QStringLiteral("l'opzione %1 è data più volte").arg(spelled(name));
    }
    return {};
}

std::optional<double> option_number(const QString& name, const QString& text, QString& error)
{
    const auto number = numbers::read_cell_number(text.toStdString(), numbers::NumberMarks::Either);
    if (!number) {
        error = QStringLiteral("l'opzione %1 vuole un numero, non «%2»").arg(spelled(name), text);
        return std::nullopt;
    }
    // Below the smallest normal single a value keeps few digits or none, and
    // the calculation would only say it overflowed: what happened is said here.
    if (*number != 0 && std::fabs(static_cast<float>(*number)) < std::numeric_limits<float>::min()) {
        error = QStringLiteral("l'opzione %1 %2 è sotto il più piccolo numero normale in singola precisione (%3)")
                    .arg(spelled(name), text,
                         QString::fromStdString(numbers::number_to_text(std::numeric_limits<float>::min(), ',')));
        return std::nullopt;
    }
    return number;
}

std::optional<section_inputs::InputValues> section_values(const QCommandLineParser& parser, QString& error)
{
    section_inputs::InputValues values{};
    QStringList missing;
    for (const InputEntry& input : kInputs)
        if (!input.may_be_empty && !parser.isSet(QString::fromLatin1(input.option)))
            missing.append(spelled(QString::fromLatin1(input.option)));
    if (!missing.isEmpty()) {
        error = (missing.size() == 1 ? QStringLiteral("manca l'opzione ")
                                     : QStringLiteral("mancano le opzioni ")) +
                missing.join(QStringLiteral(", "));
        return std::nullopt;
    }
    for (const InputEntry& input : kInputs) {
        const QString name = QString::fromLatin1(input.option);
        if (!parser.isSet(name)) continue;  // Nd: pure bending, as an empty field
        const std::optional<double> number = option_number(name, parser.value(name), error);
        if (!number) return std::nullopt;
        values[section_inputs::index(input.input)] = *number;
    }
    return values;
}

}  // namespace command_line
