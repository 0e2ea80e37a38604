// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/section_options.hpp"

#include <QCoreApplication>

#include "shared_rules/exact_number.hpp"
#include "shared_rules/field_set.hpp"

namespace command_line {

namespace {

// Each value of a section, its option named as in the field set.
struct SectionOption {
    shared_rules::Input input;
    const char* description;
    const char* name() const { return shared_rules::input_option(static_cast<std::size_t>(input)); }
};

const SectionOption kSectionOptions[] = {
    {shared_rules::Input::B, "base b della sezione"},
    {shared_rules::Input::H, "altezza lorda h della sezione"},
    {shared_rules::Input::D1,
     "copriferro c: distanza dal bordo al baricentro delle barre di ciascuno strato, non "
     "il copriferro netto (d = h - c)"},
    {shared_rules::Input::Fcd, "resistenza di progetto del calcestruzzo"},
    {shared_rules::Input::Fsd, "resistenza di progetto dell'acciaio"},
    {shared_rules::Input::As, "area di acciaio in zona tesa"},
    {shared_rules::Input::As1, "area di acciaio in zona compressa (As')"},
    {shared_rules::Input::Nd,
     "sforzo normale di progetto, positivo se di compressione (facoltativo; nel dominio, "
     "punti in più, anche ripetuto)"},
};

// Which modes each option applies to; --help and --version apply to all.
struct Applies {
    const char* name;
    bool one_section, batch, domain, report;
};

const Applies kApplies[] = {
    {"b", true, false, true, true},
    {"h", true, false, true, true},
    {"c", true, false, true, true},
    {"fcd", true, false, true, true},
    {"fsd", true, false, true, true},
    {"As", true, false, true, true},
    {"As1", true, false, true, true},
    {"Nd", true, false, true, true},
    {"dettagli", true, false, false, false},
    {"punti", false, false, true, false},
    {"separatore", false, false, true, false},
    {"svg", false, false, true, false},
    {"png", false, false, true, false},
    {"verifica", false, false, true, true},
    {"o", false, true, true, true},
    {"titolo", false, false, false, true},
    {"unita", false, false, false, true},
    {"data", false, false, false, true},
};

const char kUsage[] =
    "  momento-ultimo-cli -b 30 -h 50 -c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5 [--Nd 0] [--dettagli]\n"
    "  momento-ultimo-cli lotto SEZIONI.csv [-o RISULTATI.csv]\n"
    "  momento-ultimo-cli dominio OPZIONI-DELLA-SEZIONE [--punti N] [--separatore ;] [--Nd N]...\n"
    "                    [--verifica COMBINAZIONI.csv] [--svg F.svg] [--png F.png] [-o USCITA.csv]\n"
    "  momento-ultimo-cli relazione OPZIONI-DELLA-SEZIONE [--Nd N] [--verifica COMBINAZIONI.csv] [--titolo "
    "T]\n"
    "                    [--unita FORZA,LUNGHEZZA] [--data AAAA-MM-GG] -o RELAZIONE.pdf|RELAZIONE.html\n";

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

void add_options(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral(
            "Momento ultimo Mu e asse neutro Yc di una sezione rettangolare in cemento armato allo "
            "S.L.U.\nLe unità di misura sono libere, ma congruenti (ad esempio sempre kg e cm "
            "oppure N e mm).\n\n") +
        QString::fromUtf8(kUsage) + u'\n' + QString::fromUtf8(kExitStatuses));
    parser.addPositionalArgument(
        QStringLiteral("comando"),
        QStringLiteral("nessuno per una sezione; lotto FILE.csv per un file di sezioni; dominio per il "
                       "dominio di resistenza M-N; relazione per la relazione di calcolo in PDF o HTML"),
        QStringLiteral("[lotto FILE.csv | dominio | relazione]"));
    parser.addOption({{QStringLiteral("help"), QStringLiteral("?")}, QStringLiteral("Mostra questo aiuto.")});
    parser.addOption({QStringLiteral("version"), QStringLiteral("Mostra la versione e la licenza.")});
    for (const SectionOption& option : kSectionOptions)
        parser.addOption({QString::fromLatin1(option.name()), QString::fromUtf8(option.description),
                          QStringLiteral("valore")});
    parser.addOption({QStringLiteral("dettagli"),
                      QStringLiteral("Mostra anche il dominio di deformazione dell'ultimo tentativo, il "
                                     "numero di valutazioni e il residuo Nd - N.")});
    parser.addOption({QStringLiteral("punti"),
                      QStringLiteral("dominio: N + 1 sforzi normali per ramo, dal limite di trazione alla "
                                     "capacità (100 se assente)."),
                      QStringLiteral("N"), QStringLiteral("100")});
    parser.addOption(
        {QStringLiteral("separatore"),
         QStringLiteral("dominio: \";\" con la virgola decimale o \",\" con il punto (se assente, "
                        "secondo la lingua)."),
         QStringLiteral("carattere")});
    parser.addOption(
        {QStringLiteral("svg"), QStringLiteral("dominio: il disegno in SVG."), QStringLiteral("file")});
    parser.addOption(
        {QStringLiteral("png"), QStringLiteral("dominio: il disegno in PNG."), QStringLiteral("file")});
    parser.addOption(
        {QStringLiteral("verifica"),
         QStringLiteral("dominio: verifica le combinazioni (colonne Nd e Md) del file; in uscita "
                        "MuRd-, MuRd+, Md/MuRd ed esito per ciascuna."),
         QStringLiteral("file")});
    parser.addOption(
        {{QStringLiteral("o"), QStringLiteral("uscita")},
         QStringLiteral(
             "lotto e dominio: il file dei risultati; - o assente: l'uscita standard. relazione: il "
             "file della relazione, .pdf (PDF/A, A4) o .html."),
         QStringLiteral("file")});
    parser.addOption({QStringLiteral("titolo"),
                      QStringLiteral("relazione: il titolo (\"Relazione di calcolo\" se assente)."),
                      QStringLiteral("testo")});
    parser.addOption(
        {QStringLiteral("unita"),
         QStringLiteral("relazione: le unità dei dati, FORZA,LUNGHEZZA: forza kg, daN, N o kN, "
                        "lunghezza mm, cm o m (ad esempio kg,cm o N,mm); se assente, unità libere."),
         QStringLiteral("unità")});
    parser.addOption({QStringLiteral("data"), QStringLiteral("relazione: la data (oggi se assente)."),
                      QStringLiteral("AAAA-MM-GG")});
}

QString short_usage()
{
    return QStringLiteral("Uso:\n") + QString::fromUtf8(kUsage) + QStringLiteral("Vedere --help.");
}

QString misplaced_option(const QCommandLineParser& parser, Mode mode)
{
    for (const Applies& option : kApplies) {
        const QString name = QString::fromLatin1(option.name);
        if (!parser.isSet(name)) continue;
        const bool applies = mode == Mode::OneSection ? option.one_section
                             : mode == Mode::Batch    ? option.batch
                             : mode == Mode::Domain   ? option.domain
                                                      : option.report;
        if (!applies) {
            const QString where = mode == Mode::OneSection ? QStringLiteral("per una sola sezione")
                                  : mode == Mode::Batch    ? QStringLiteral("con lotto")
                                  : mode == Mode::Domain   ? QStringLiteral("con dominio")
                                                           : QStringLiteral("con relazione");
            return QStringLiteral("l'opzione %1 non vale %2").arg(spelled(name), where);
        }
        if (parser.values(name).size() > 1 && !(mode == Mode::Domain && name == u"Nd"))
            return QStringLiteral("l'opzione %1 è data più volte").arg(spelled(name));
    }
    return {};
}

std::optional<double> option_number(const QString& name, const QString& text, QString& error)
{
    const auto number = shared_rules::read_cell_number(text.toStdString(), shared_rules::NumberMarks::Either);
    if (!number) error = QStringLiteral("l'opzione %1 vuole un numero, non «%2»").arg(spelled(name), text);
    return number;
}

std::optional<shared_rules::InputValues> section_values(const QCommandLineParser& parser, QString& error)
{
    shared_rules::InputValues values{};
    QStringList missing;
    for (const SectionOption& option : kSectionOptions)
        if (option.input != shared_rules::Input::Nd && !parser.isSet(QString::fromLatin1(option.name())))
            missing.append(spelled(QString::fromLatin1(option.name())));
    if (!missing.isEmpty()) {
        error = (missing.size() == 1 ? QStringLiteral("manca l'opzione ")
                                     : QStringLiteral("mancano le opzioni ")) +
                missing.join(QStringLiteral(", "));
        return std::nullopt;
    }
    for (const SectionOption& option : kSectionOptions) {
        const QString name = QString::fromLatin1(option.name());
        if (!parser.isSet(name)) continue;  // Nd: pure bending, as an empty field
        const std::optional<double> number = option_number(name, parser.value(name), error);
        if (!number) return std::nullopt;
        values[static_cast<std::size_t>(option.input)] = *number;
    }
    return values;
}

}  // namespace command_line
