#include "command_line/section_options.hpp"

namespace command_line {

namespace {

struct SectionOption {
    section_input::Input input;
    const char* name;
    const char* description;
};

const SectionOption kSectionOptions[] = {
    {section_input::Input::B, "b", "base b della sezione"},
    {section_input::Input::H, "h", "altezza lorda h della sezione"},
    {section_input::Input::D1, "c", "copriferro c delle armature (d = h - c)"},
    {section_input::Input::Fcd, "fcd", "resistenza di progetto del calcestruzzo"},
    {section_input::Input::Fsd, "fsd", "resistenza di progetto dell'acciaio"},
    {section_input::Input::As, "As", "area di acciaio in zona tesa"},
    {section_input::Input::As1, "As1", "area di acciaio in zona compressa (As')"},
    {section_input::Input::Nd, "Nd",
     "sforzo normale di progetto, positivo se di compressione (facoltativo; nel dominio, punti in più)"},
};

}  // namespace

void add_options(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Momento ultimo Mu e asse neutro Yc di una sezione rettangolare in cemento armato allo S.L.U.\n"
        "Le unità di misura sono libere, ma congruenti (ad esempio sempre kg e cm oppure N e mm).\n"
        "\n"
        "  momento-ultimo-cli --b 30 --h 50 --c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5 [--Nd 0]\n"
        "  momento-ultimo-cli lotto SEZIONI.csv [-o RISULTATI.csv]\n"
        "  momento-ultimo-cli dominio OPZIONI DELLA SEZIONE [--punti N] [--svg F.svg] [--png F.png]\n"
        "                    [--verifica COMBINAZIONI.csv] [--Nd N]... [-o USCITA.csv]"));
    parser.addPositionalArgument(
        QStringLiteral("comando"),
        QStringLiteral("nessuno per una sezione; lotto FILE.csv per un file di sezioni"),
        QStringLiteral("[lotto FILE.csv]"));
    parser.addOption({{QStringLiteral("help"), QStringLiteral("?")}, QStringLiteral("Mostra questo aiuto.")});
    parser.addOption({QStringLiteral("version"), QStringLiteral("Mostra la versione.")});
    for (const SectionOption& option : kSectionOptions)
        parser.addOption({QString::fromLatin1(option.name), QString::fromUtf8(option.description),
                          QStringLiteral("valore")});
    parser.addOption({QStringLiteral("dettagli"),
                      QStringLiteral("Mostra anche il dominio di deformazione dell'ultimo tentativo e il "
                                     "numero di valutazioni.")});
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
    parser.addOption({{QStringLiteral("o"), QStringLiteral("uscita")},
                      QStringLiteral("File dei risultati; - o assente: l'uscita standard."),
                      QStringLiteral("file")});
}

section_input::InputTexts section_texts(const QCommandLineParser& parser)
{
    section_input::InputTexts texts;
    for (const SectionOption& option : kSectionOptions)
        texts[static_cast<std::size_t>(option.input)] = parser.value(QString::fromLatin1(option.name));
    return texts;
}

}  // namespace command_line
