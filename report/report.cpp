// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report.hpp"

#include <cmath>
#include <cstdio>

#include "drawings/domain_svg.hpp"
#include "drawings/section_figure.hpp"
#include "numbers/exact_number.hpp"
#include "numbers/number_text.hpp"
#include "runs/resistance_tables.hpp"
#include "section_analysis/exact_equilibrium.hpp"
#include "tables/csv_table.hpp"
#include "tables/run_status.hpp"

namespace report {

using namespace drawings;
using namespace numbers;
using namespace runs;
using namespace tables;

namespace {

using section_analysis::SectionState;
using Kind = ReportBlock::Kind;

constexpr char kMark = ',';             // the report is in Italian
constexpr double kWarnAbove = 1.0;      // per cent between the program's Mu and the exact one
constexpr double kLeverArmShare = 0.9;  // of d, in the textbook estimate of Mu
constexpr int kDomainIntervals = 100;

std::string text(double value)
{
    return number_to_text(static_cast<float>(value), kMark);
}

std::string percent(double value)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%+.2f %%", value);
    std::string written(digits);
    for (char& c : written)
        if (c == '.') c = kMark;
    return written;
}

// The blocks of a report, added in reading order.
class Writer {
public:
    explicit Writer(Report& report, const std::optional<Units>& units) : report_(report), units_(units) {}

    void heading(std::string words) { add(Kind::Heading).text = std::move(words); }
    void paragraph(std::string words) { add(Kind::Paragraph).text = std::move(words); }
    void warning(std::string words) { add(Kind::Warning).text = std::move(words); }
    void table(std::vector<std::vector<std::string>> rows) { add(Kind::Table).rows = std::move(rows); }
    void figure(drawings::Drawing drawing, std::string caption)
    {
        ReportBlock& block = add(Kind::Figure);
        block.text = std::move(caption);
        block.figure = std::move(drawing);
    }

    // A table of quantities: name, value and, with declared units, the unit.
    struct Row {
        std::string name, value, unit;
    };
    void quantities(const std::vector<Row>& rows)
    {
        std::vector<std::vector<std::string>> cells{{"grandezza", "valore"}};
        if (units_) cells[0].emplace_back("unità");
        for (const Row& row : rows) {
            cells.push_back({row.name, row.value});
            if (units_) cells.back().push_back(row.unit);
        }
        table(std::move(cells));
    }
    std::string unit(section_inputs::Quantity quantity) const { return units_ ? units_->of(quantity) : ""; }
    std::string length() const { return units_ ? units_->length : ""; }
    std::string area() const { return units_ ? units_->area() : ""; }
    std::string force() const { return units_ ? units_->force : ""; }
    std::string stress() const { return units_ ? units_->stress() : ""; }
    std::string moment() const { return units_ ? units_->moment() : ""; }

private:
    ReportBlock& add(Kind kind)
    {
        report_.blocks.emplace_back().kind = kind;
        return report_.blocks.back();
    }

    Report& report_;
    const std::optional<Units>& units_;
};

void identity(Writer& w, const ReportRequest& request)
{
    w.table({{"voce", "valore"},
             {"data", request.date},
             {"programma", std::string(kProgramName) + " " + request.version +
                               " (finestra momento-ultimo, riga di comando momento-ultimo-cli, pagina HTML)"},
             {"licenza", std::string(kProgramLicence) +
                             ": GNU GPL versione 3 o successiva; software libero, senza alcuna garanzia"},
             {"sorgente", "il codice sorgente completo accompagna ogni copia del programma, come la licenza "
                          "richiede; ogni risultato si riproduce con gli stessi dati"}});
}

void data(Writer& w, const SectionState& s, double Es, bool units)
{
    w.heading("Dati");
    std::vector<Writer::Row> rows;
    for (const section_inputs::InputEntry& input : section_inputs::kInputs) {
        rows.push_back({input.report_name, text(s.*input.member), w.unit(input.quantity)});
        if (input.input == Input::D1)
            rows.push_back({"d = h − c, altezza utile", text(s.D), w.unit(section_inputs::Quantity::Length)});
    }
    rows.push_back({"Es, modulo dell'acciaio scelto dal programma", text(Es), w.stress()});
    w.quantities(rows);
    if (!units)
        w.paragraph("Unità: unità libere ma congruenti (una sola unità di forza e una sola di lunghezza).");
}

void hypotheses(Writer& w)
{
    w.heading("Ipotesi");
    w.paragraph(
        "Deformazioni limite: accorciamento del calcestruzzo 0,0035 al bordo compresso; allungamento "
        "dell'acciaio teso 0,01; sezione interamente compressa: 0,002 a 3/7 dell'altezza dal bordo più "
        "compresso. La profondità x dell'asse neutro individua il campo di rottura (1, 2, 3, 4, 4a, 5).");
    w.paragraph(
        "Calcestruzzo: tensione uniforme fcd su uno stress block profondo 0,8·x, con risultante a 0,4·x "
        "dal bordo; nel campo 5 il blocco è profondo ψ·h, con ψ = (x − 0,8·h)/(x − 0,75·h), e la "
        "risultante sta a ψ·h/2. Il calcestruzzo teso non reagisce.");
    w.paragraph("Acciaio: elastico-perfettamente plastico, σ = Es·ε fino a εyd = fsd/Es, poi ±fsd. Es vale "
                "2 100 000 kg/cm², moltiplicato per la potenza di dieci che porta εyd tra 0,0007 e 0,007: "
                "210 000 in N/mm², 210 000 000 in kN/m².");
    w.paragraph(
        "Convenzioni: profondità misurate dal bordo compresso; sforzi normali, deformazioni e tensioni "
        "positivi di compressione; momenti rispetto a metà altezza, positivi quando comprimono quel "
        "bordo. c è la distanza dal bordo al baricentro delle barre di ciascuno strato, non il "
        "copriferro netto; entrambi gli strati stanno a c dal proprio bordo.");
    w.paragraph("Risolutore: metodo delle secanti su x, arrestato quando il passo non supera 0,001·h. Il "
                "controllo più avanti lo confronta con l'equilibrio esatto allo stesso Nd.");
}

void results(Writer& w, const Calculation& c, const section_analysis::Trial& trial,
             const section_analysis::UltimateState& u)
{
    const SectionState& s = c.section;
    w.heading("Risultati");
    w.quantities({{"Mu, momento ultimo", text(c.result->Mu), w.moment()},
                  {"Yc, profondità dell'asse neutro", text(c.result->Yc), w.length()},
                  {"campo di deformazione", domain_name(c.result->domain), ""},
                  {"εc, deformazione al bordo compresso", text(u.eps_c), ""},
                  {"εs', deformazione dell'armatura compressa", text(u.eps_s1), ""},
                  {"εs, deformazione dell'armatura tesa", text(u.eps_s), ""},
                  {"σs', tensione dell'armatura compressa", text(u.sigma_s1), w.stress()},
                  {"σs, tensione dell'armatura tesa", text(u.sigma_s), w.stress()},
                  {"C, risultante del calcestruzzo", text(u.C), w.force()},
                  {"braccio di C rispetto a metà altezza", text(u.z_c), w.length()},
                  {"F's = As'·σs'", text(u.F_s1), w.force()},
                  {"braccio di F's", text(u.z_s1), w.length()},
                  {"Fs = As·σs", text(u.F_s), w.force()},
                  {"braccio di Fs", text(u.z_s), w.length()},
                  {"residuo Nd − N", text(static_cast<double>(s.Nd) - s.N), w.force()}});
    w.figure(section_figure_svg(s, trial, u, kMark),
             "La sezione allo stato limite ultimo, in scala: asse neutro, deformazioni e tensioni.");
}

void check(Writer& w, const Calculation& c)
{
    const SectionState& s = c.section;
    w.heading("Controllo");
    const double Mu = c.result->Mu;
    try {
        const double exact = section_analysis::exact_equilibrium(s, s.Nd).Mu;
        const double difference = exact != 0 ? (Mu - exact) / std::fabs(exact) * 100 : 0;
        w.quantities({{"Mu del programma", text(Mu), w.moment()},
                      {"Mu dell'equilibrio esatto allo stesso Nd", text(exact), w.moment()},
                      {"differenza", percent(difference), ""}});
        w.paragraph(
            "L'equilibrio esatto è la profondità x per cui N(x) = Nd, trovata per bisezione fino a due "
            "valori adiacenti in singola precisione: è lo stesso calcolo delle verifiche.");
        if (std::fabs(difference) > kWarnAbove)
            w.warning("Attenzione: il Mu del programma differisce del " + percent(difference) +
                      " da quello dell'equilibrio esatto. Il risolutore si ferma sul passo, non sul residuo: "
                      "si usi il valore esatto.");
    } catch (const section_analysis::SectionError& error) {
        w.paragraph("L'equilibrio esatto non si calcola: " + one_line(message_for(error, kMark).text));
    }
    if (s.Nd == 0) {
        const double estimate = kLeverArmShare * s.D * static_cast<double>(s.As) * s.Fsd;
        w.quantities(
            {{"stima 0,9·d·As·fsd", text(estimate), w.moment()}, {"Mu / stima", text(Mu / estimate), ""}});
        w.paragraph("In flessione semplice la stima con braccio 0,9·d dà l'ordine di grandezza di Mu.");
    }
}

void combinations(Writer& w, Report& report, const ReportRequest& request, const SectionState& section)
{
    w.heading("Verifiche");
    LineReader lines(request.combinations);
    std::string verdicts;
    try {
        CheckedDomain domain = checked_domain(
            section, kDomainIntervals, {}, &lines, [&](std::string_view bytes) { verdicts += bytes; },
            request.locale_mark);
        report.status = domain.status;
        if (!domain.error.empty()) {
            report.status = kCannotRun;
            report.refusal = Message{"Combinazioni", domain.error};
            return;
        }
        drawings::Drawing drawing =
            domain_svg({std::move(domain.drawn), domain.combinations, domain_caption(section, kMark)}, kMark);
        drawing.svg.erase(0, drawing.svg.find("<svg"));  // inline: no XML declaration
        w.figure(std::move(drawing),
                 "Dominio di resistenza M–N con le combinazioni: un cerchio verificata, una croce no.");
    } catch (const section_analysis::SectionError& error) {
        w.paragraph("Il dominio non si calcola: " + one_line(message_for(error, kMark).text));
        return;
    }
    w.paragraph(
        "MuRd− e MuRd+ sono i momenti dell'equilibrio esatto allo Nd di ciascuna combinazione; "
        "verificata quando MuRd− ≤ Md ≤ MuRd+. Le verifiche non aggiungono l'eccentricità minima: per "
        "gli elementi compressi la si aggiunge a Md.");
    w.table(table_rows(verdicts, request.locale_mark));
}

}  // namespace

std::string Report::footer() const
{
    return std::string(kProgramName) + " " + version + " — " + title;
}

Report make_report(const ReportRequest& request)
{
    Report report;
    report.title = request.title.empty() ? "Relazione di calcolo" : request.title;
    report.version = request.version;
    const Calculation c = calculate(request.values, kMark);
    if (!c.result) {
        report.refusal = c.message;
        report.status = kSomeRefused;
        return report;
    }
    SectionState section = c.section;
    const section_analysis::DomainBounds bounds = section_analysis::Calc_Bounds(section);
    Writer w(report, request.units);
    if (request.units && units_disagree(*request.units, bounds.Es)) {
        report.units_warning = "Attenzione: nelle unità dichiarate (" + request.units->force + ", " +
                               request.units->length + ") il modulo dell'acciaio vale " +
                               text(expected_steel_modulus(*request.units)) + " " + request.units->stress() +
                               ", ma da fsd = " + text(section.Fsd) +
                               " il programma ha scelto Es = " + text(bounds.Es) +
                               ": i dati non sembrano espressi in quelle unità.";
        w.warning(report.units_warning);
    }
    identity(w, request);
    data(w, section, bounds.Es, request.units.has_value());
    hypotheses(w);
    const section_analysis::Trial trial = section_analysis::Calc_NM(section, c.result->Yc, bounds);
    results(w, c, trial, section_analysis::ultimate_state(c.section, trial));
    check(w, c);
    if (!trimmed(request.combinations).empty()) combinations(w, report, request, c.section);
    if (report.refusal) report.blocks.clear();
    return report;
}

}  // namespace report
