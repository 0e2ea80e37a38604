// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/section_options.hpp"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "numbers/exact_number.hpp"
#include "command_line/streams.hpp"
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
constexpr Modes kSectionModes = in(Mode::OneSection) | in(Mode::Domain) | in(Mode::Report) | in(Mode::Design);

// The modes a section's input applies to: As is the unknown of a design.
constexpr Modes modes_of(Input input)
{
    return input == Input::As ? kSectionModes & ~in(Mode::Design) : kSectionModes;
}

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
     "Mostra anche come si ricavano fcd, fsd e le aree dalle classi e dalle barre, il dominio di "
     "deformazione dell'ultimo tentativo, il numero di valutazioni e il residuo Nd - N."},
    {"punti", nullptr, "N", "100", in(Mode::Domain),
     "dominio: N + 1 sforzi normali per ramo, dal limite di trazione alla capacità (100 se assente)."},
    {"separatore", nullptr, "carattere", nullptr, in(Mode::Domain),
     "dominio: \";\" con la virgola decimale o \",\" con il punto (se assente, secondo la lingua)."},
    {"svg", nullptr, "file", nullptr, in(Mode::Domain), "dominio: il disegno in SVG."},
    {"png", nullptr, "file", nullptr, in(Mode::Domain), "dominio: il disegno in PNG."},
    {"Md", nullptr, "valore", nullptr, in(Mode::Design),
     "progetto: il momento di progetto dell'unica combinazione, con --Nd (0 se assente)."},
    {"rapporto", nullptr, "r", nullptr, in(Mode::Design), "progetto: As' = r · As."},
    {"simmetrica", nullptr, nullptr, nullptr, in(Mode::Design), "progetto: As' = As, con le stesse barre."},
    {"barre", nullptr, "diametri", "12,14,16,20,25", in(Mode::Design),
     "progetto: i diametri in mm delle barre da proporre (12,14,16,20,25 se assente)."},
    {"verifica", nullptr, "file", nullptr, in(Mode::Domain) | in(Mode::Report) | in(Mode::Design),
     "dominio: verifica le combinazioni (colonne Nd e Md) del file; in uscita MuRd-, MuRd+, Md/MuRd ed "
     "esito per ciascuna. relazione: le stesse verifiche; una riga che non si legge rifiuta la relazione. "
     "progetto: le combinazioni che ogni proposta deve verificare."},
    {"o", "uscita", "file", nullptr, in(Mode::Batch) | in(Mode::Domain) | in(Mode::Report) | in(Mode::Design),
     "lotto e dominio: il file dei risultati; - o assente: l'uscita standard. relazione: il file della "
     "relazione, .pdf (PDF/A, A4) o .html. progetto: la tabella delle proposte in CSV."},
    {"titolo", nullptr, "testo", nullptr, in(Mode::Report),
     "relazione: il titolo (\"Relazione di calcolo\" se assente)."},
    {"calcestruzzo", nullptr, "classe", nullptr, kSectionModes,
     "la classe del calcestruzzo al posto di --fcd, da C8/10 a C50/60 (ad esempio C25/30): fcd = 0,85 · fck "
     "/ 1,5 (NTC 2018 §4.1.2.1.1.1). Vuole --unita."},
    {"acciaio", nullptr, "tipo", nullptr, kSectionModes,
     "l'acciaio al posto di --fsd, B450C o B450A: fyd = 450 / 1,15 (NTC 2018 §4.1.2.1.1.3). Vuole --unita."},
    {"elemento", nullptr, "trave|pilastro", "trave", kSectionModes | in(Mode::Batch),
     "le regole sull'armatura da verificare, con la classe e l'acciaio noti: trave (NTC 2018 §4.1.6.1.1, se "
     "assente) o pilastro (§4.1.6.1.2)."},
    {"unita", nullptr, "unità", nullptr, kSectionModes | in(Mode::Batch),
     "le unità dei dati, FORZA,LUNGHEZZA: forza kg, daN, N o kN, lunghezza mm, cm o m (ad esempio kg,cm o "
     "N,mm); se assente, unità libere. Servono a classi, acciai e barre; dati che il modulo Es dice in altre "
     "unità rifiutano la relazione."},
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
    case Mode::Design:
        return "con progetto";
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
    "momento-ultimo-cli -b 30 -h 50 -c 4 --calcestruzzo C25/30 --acciaio B450C --As 3Ø20+2Ø16 --As1 2Ø12 --unita kg,cm",
    "momento-ultimo-cli lotto SEZIONI.csv [--unita FORZA,LUNGHEZZA] [--elemento trave|pilastro] [-o RISULTATI.csv]",
    "momento-ultimo-cli dominio OPZIONI-DELLA-SEZIONE [--punti N] [--separatore ;] [%2 N]...",
    "                  [--verifica COMBINAZIONI.csv] [--svg F.svg] [--png F.png] [-o USCITA.csv]",
    "momento-ultimo-cli progetto OPZIONI-DELLA-SEZIONE-SENZA-As (--Md M [%2 N] | --verifica COMBINAZIONI.csv) [--As1 A | --rapporto r | --simmetrica] [--barre 12,14,16,20,25] [-o RISULTATO.csv]",
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
                       "dominio di resistenza M-N; relazione per la relazione di calcolo in PDF o HTML; progetto per "
                       "l'armatura tesa minima e le barre che la danno"),
        QStringLiteral("[lotto FILE.csv | dominio | relazione | progetto]"));
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
        options.emplace_back(QString::fromLatin1(input.option), modes_of(input.input));
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

bool read_units_and_element(const QCommandLineParser& parser, std::optional<materials::Units>& units,
                            reinforcement_rules::Element& element, QString& error)
{
    if (parser.isSet(QStringLiteral("unita"))) {
        const QString text = parser.value(QStringLiteral("unita"));
        units = materials::units_of(text.toStdString());
        if (!units) {
            error = QStringLiteral("--unita vuole FORZA,LUNGHEZZA (forza kg, daN, N o kN; lunghezza mm, cm o m), "
                                   "non «%1»")
                        .arg(text);
            return false;
        }
    }
    const QString element_text = parser.value(QStringLiteral("elemento"));
    const auto chosen = reinforcement_rules::element_of(element_text.toStdString());
    if (!chosen) {
        error = QStringLiteral("--elemento vuole trave o pilastro, non «%1»").arg(element_text);
        return false;
    }
    element = *chosen;
    return true;
}

std::optional<SectionArguments> section_values(const QCommandLineParser& parser, QString& error, bool designing)
{
    SectionArguments arguments;
    if (!read_units_and_element(parser, arguments.units, arguments.element, error)) return std::nullopt;
    // fcd and fsd may be given as a class and a grade instead.
    const struct {
        Input input;
        const char* name;
        std::string materials::MaterialTexts::*text;
    } alternatives[] = {{Input::Fcd, "calcestruzzo", &materials::MaterialTexts::concrete},
                        {Input::Fsd, "acciaio", &materials::MaterialTexts::steel}};
    materials::MaterialTexts written;
    QStringList missing;
    for (const InputEntry& input : kInputs) {
        const QString name = QString::fromLatin1(input.option);
        const auto alternative = std::find_if(std::begin(alternatives), std::end(alternatives),
                                              [&](const auto& a) { return a.input == input.input; });
        if (alternative != std::end(alternatives)) {
            const QString other = QString::fromLatin1(alternative->name);
            if (parser.isSet(name) && parser.isSet(other)) {
                error = QStringLiteral("%1 o %2, non entrambi").arg(spelled(name), spelled(other));
                return std::nullopt;
            }
            if (parser.isSet(other)) {
                written.*(alternative->text) = parser.value(other).toStdString();
                continue;
            }
            if (!parser.isSet(name)) missing.append(spelled(name) + QStringLiteral(" (o ") + spelled(other) + u')');
            continue;
        }
        const bool designed = designing && (input.input == Input::As || input.input == Input::As1);
        if (!input.may_be_empty && !designed && !parser.isSet(name)) missing.append(spelled(name));
    }
    if (!missing.isEmpty()) {
        error = (missing.size() == 1 ? QStringLiteral("manca l'opzione ")
                                     : QStringLiteral("mancano le opzioni ")) +
                missing.join(QStringLiteral(", "));
        return std::nullopt;
    }
    for (const InputEntry& input : kInputs) {
        const QString name = QString::fromLatin1(input.option);
        if (!parser.isSet(name)) continue;  // Nd: pure bending, as an empty field; fcd, fsd: by class
        const QString text = parser.value(name);
        const bool layer = input.input == Input::As || input.input == Input::As1;
        // An area that is no number is read as bars; without units, only
        // what reads as bars, so that a stray word is still called no number.
        if (layer && !numbers::read_cell_number(text.toStdString(), numbers::NumberMarks::Either) &&
            (arguments.units || materials::bars_of(text.toStdString()))) {
            (input.input == Input::As ? written.tension : written.compression) = text.toStdString();
            continue;
        }
        const std::optional<double> number = option_number(name, text, error);
        if (!number) return std::nullopt;
        arguments.values[section_inputs::index(input.input)] = *number;
    }
    const materials::Reading<materials::SectionMaterials> read =
        materials::read_materials(written, arguments.units, locale_decimal_mark());
    if (!read) {
        error = QString::fromStdString(read.refusal);
        if (read.refusal == materials::kUnitsNeeded) error += QStringLiteral(": aggiungere --unita, ad esempio --unita N,mm");
        return std::nullopt;
    }
    arguments.materials = *read;
    for (const auto& [input, value] : read->values())
        arguments.values[section_inputs::index(input)] = value;
    return arguments;
}

}  // namespace command_line
