// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "drawings/domain_svg.hpp"
#include "drawings/section_figure.hpp"
#include "numbers/exact_number.hpp"
#include "numbers/number_text.hpp"
#include "report/sha256.hpp"
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

using section_analysis::Domain;
using section_analysis::SectionState;
using Kind = ReportBlock::Kind;
using reinforcement_rules::failed_rules;
using reinforcement_rules::Rule;

constexpr char kMark = ',';             // the report is in Italian
constexpr double kWarnAbove = 1.0;      // per cent between the solver's Mu and the exact one
constexpr double kLeverArmShare = 0.9;  // of d, in the textbook estimate of Mu
constexpr double kEstimateLow = 0.8, kEstimateHigh = 1.25;  // Mu / estimate, where it agrees
constexpr int kDomainIntervals = 100;
constexpr const char* kCode = "NTC 2018 (D.M. 17 gennaio 2018)";

// A number as the report writes it for a reader: in full, grouped.
std::string text(double value)
{
    return written_out_text(static_cast<float>(value), kMark);
}

// With a given number of decimals; `signed_` writes "+" before a positive one.
std::string fixed(double value, int decimals, bool signed_ = false)
{
    char digits[48];
    std::snprintf(digits, sizeof digits, signed_ ? "%+.*f" : "%.*f", decimals, value);
    std::string written(digits);
    std::replace(written.begin(), written.end(), '.', kMark);
    return written;
}

// A term of a sum or product: a negative one in brackets.
std::string term(double value)
{
    return value < 0 ? "(" + text(value) + ")" : text(value);
}

std::string percent(double value)
{
    return fixed(value, 2, true) + " %";
}

// What the report is built on: the section, its exact equilibrium and its state there.
struct Analysis {
    Calculation solver;  // the window's, with its Mu and Yc
    SectionState section;
    double Es = 0;
    section_analysis::Trial exact;
    section_analysis::UltimateState state;
};

// The combinations, once read whole.
struct Verdicts {
    std::string table;
    CheckedDomain domain;
    std::string digest;  // SHA-256 of the file's bytes
};

// The blocks of a report, added in reading order, and its numbers with units.
class Writer {
public:
    Writer(Report& report, const std::optional<Units>& units) : report_(report), units_(units) {}

    void heading(std::string words) { add(Kind::Heading).text = std::move(words); }
    void paragraph(std::string words) { add(Kind::Paragraph).text = std::move(words); }
    void warning(std::string words) { add(Kind::Warning).text = std::move(words); }
    void outcome(std::string words) { add(Kind::Outcome).text = std::move(words); }
    void formula(std::string words) { add(Kind::Formula).text = std::move(words); }
    void ruled(std::string words) { add(Kind::Ruled).text = std::move(words); }
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

    bool has_units() const { return units_.has_value(); }
    std::string unit(section_inputs::Quantity quantity) const { return units_ ? units_->of(quantity) : ""; }
    std::string length() const { return units_ ? units_->length : ""; }
    std::string force() const { return units_ ? units_->force : ""; }
    std::string stress() const { return units_ ? units_->stress() : ""; }
    std::string moment() const { return units_ ? units_->moment() : ""; }

    // A number with its unit, where units are declared.
    std::string with(double value, const std::string& unit_name) const
    {
        return unit_name.empty() ? text(value) : text(value) + " " + unit_name;
    }
    // A force, and in kN beside it where units are declared.
    std::string force_text(double value) const
    {
        if (!units_) return text(value);
        return with(value, force()) + " (" + fixed(units_->in_kilonewtons(value), 2) + " kN)";
    }
    // A moment, and in kN·m beside it where units are declared.
    std::string moment_text(double value) const
    {
        if (!units_) return text(value);
        return with(value, moment()) + " (" + fixed(units_->in_kilonewton_metres(value), 2) + " kN·m)";
    }

private:
    ReportBlock& add(Kind kind)
    {
        report_.blocks.emplace_back().kind = kind;
        return report_.blocks.back();
    }

    Report& report_;
    const std::optional<Units>& units_;
};

// The combinations read whole, as dominio --verifica reads them, hashed as
// they stream; none, with the report refused, where any record is unread.
std::optional<Verdicts> read_combinations(const ReportRequest& request, const SectionState& section,
                                          Report& report)
{
    Verdicts verdicts;
    Sha256 digest;
    LineReader lines([&](char* buffer, std::size_t capacity) {
        const std::size_t got = request.combinations(buffer, capacity);
        digest.add({buffer, got});
        return got;
    });
    const auto refuse = [&](std::string why) {
        report.refusal = Message{"Combinazioni", std::move(why)};
        report.status = kCannotRun;
        return std::nullopt;
    };
    try {
        verdicts.domain = checked_domain(
            section, kDomainIntervals, {}, &lines, [&](std::string_view bytes) { verdicts.table += bytes; },
            request.locale_mark);
    } catch (const section_analysis::SectionError& error) {
        return refuse("il dominio non si calcola: " + one_line(message_for(error, kMark).text));
    }
    const CheckedDomain& domain = verdicts.domain;
    if (!domain.error.empty()) return refuse(domain.error);
    if (domain.unread.line != 0)
        return refuse("riga " + std::to_string(domain.unread.line) + ": " + domain.unread.reason);
    if (domain.combinations.empty()) return refuse("il file ha l'intestazione ma nessuna riga da calcolare");
    verdicts.digest = digest.hex();
    return verdicts;
}

// "; regole di armatura non rispettate: …" where any fails.
std::string rules_outcome(const std::optional<std::vector<Rule>>& rules)
{
    if (!rules) return {};
    const std::string failed = failed_rules(*rules);
    if (failed.empty()) return "; regole di armatura rispettate";
    return "; regole di armatura NON rispettate: " + failed;
}

// "Esito: …" on page 1: every combination's verdict, or the moment alone,
// then the rules on the reinforcement.
void outcome(Writer& w, Report& report, const Analysis& a, const std::optional<Verdicts>& verdicts,
             const std::optional<std::vector<Rule>>& rules)
{
    const bool rules_fail = rules && !failed_rules(*rules).empty();
    if (rules_fail) report.status = kSomeRefused;
    if (!verdicts) {
        const std::string moment = "momento resistente Mu = " + w.moment_text(a.exact.Mu) + " con Nd = " +
                                   w.force_text(a.section.Nd) + "; nessuna combinazione da verificare";
        w.outcome(rules_fail ? "Esito: sezione NON verificata: regole di armatura non rispettate (" +
                                   failed_rules(*rules) + "); " + moment
                             : "Esito: " + moment + rules_outcome(rules));
        return;
    }
    const std::vector<PlottedCombination>& all = verdicts->domain.combinations;
    const auto worst = [](const std::vector<PlottedCombination>& some) {
        return *std::max_element(some.begin(), some.end(), [](const auto& a, const auto& b) {
            return a.ratio < b.ratio;
        });
    };
    std::vector<PlottedCombination> failed;
    std::copy_if(all.begin(), all.end(), std::back_inserter(failed), [](const auto& c) { return !c.verified; });
    const std::string count = std::to_string(all.size());
    const auto named = [](const PlottedCombination& c) {
        return "«" + c.name + "»" + (c.ratio > 0 ? ", Md/MuRd = " + fixed(c.ratio, 2) : "");
    };
    const std::string verdict = rules_fail ? "Esito: sezione NON verificata" : "Esito: sezione verificata";
    if (failed.empty() && all.size() == 1) {
        w.outcome(verdict + " per l'unica combinazione (" + named(all.front()) + ")" + rules_outcome(rules));
    } else if (failed.empty()) {
        w.outcome(verdict + " per tutte le " + count + " combinazioni (la più gravosa: " + named(worst(all)) + ")" +
                  rules_outcome(rules));
    } else {
        const bool one = failed.size() == 1;
        w.outcome("Esito: sezione NON verificata: " + std::to_string(failed.size()) +
                  (one ? " combinazione su " : " combinazioni su ") + count + " (" + named(worst(failed)) + ")" +
                  rules_outcome(rules));
    }
    report.status = std::max(report.status, verdicts->domain.status);
}

void identity(Writer& w, const ReportRequest& request)
{
    w.table({{"voce", "valore"},
             {"data", request.date},
             {"programma", std::string(kProgramName) + " " + request.version +
                               " (finestra momento-ultimo, riga di comando momento-ultimo-cli, pagina HTML)"},
             {"norma", kCode},
             {"licenza", std::string(kProgramLicence) +
                             ": GNU GPL versione 3 o successiva; software libero, senza alcuna garanzia"},
             {"sorgente", "il codice sorgente completo accompagna ogni copia del programma, come la licenza "
                          "richiede; ogni risultato si riproduce con gli stessi dati"}});
}

// The class, the grade and the bars as given, and how the design values follow from them.
void materials_data(Writer& w, const ReportRequest& request)
{
    const materials::SectionMaterials& given = request.materials;
    if (!request.units || (!given.concrete && !given.steel && !given.tension && !given.compression)) return;
    const auto read = materials::read_materials(materials::texts_of(given), request.units, kMark);
    if (!read) return;
    std::vector<std::vector<std::string>> rows{{"materiale", "valori", "norma"}};
    const auto number = [](double value) { return significant_text(value, 7, kMark); };
    if (read->concrete) {
        rows.push_back({"calcestruzzo " + read->concrete->name,
                        "fck = " + number(read->concrete->fck) + " N/mm², Rck = " + number(read->concrete->cube) +
                            " N/mm²; αcc = " + number(materials::kLongTermFactor) +
                            ", γc = " + number(materials::kConcreteFactor),
                        "NTC 2018 Tab. 4.1.I, §4.1.2.1.1.1"});
        rows.push_back({"fcd", read->fcd->derivation, "NTC 2018 [4.1.3]"});
    }
    if (read->steel) {
        rows.push_back({"acciaio " + read->steel->name,
                        "fyk = " + number(read->steel->fyk) + " N/mm²; γs = " + number(materials::kSteelFactor),
                        "NTC 2018 §11.3.2.1, §4.1.2.1.1.3"});
        rows.push_back({"fsd = fyd", read->fsd->derivation, "NTC 2018 [4.1.5]"});
    }
    if (read->As) rows.push_back({"As, barre", read->As->derivation, "π · Ø² / 4 per barra"});
    if (read->As1) rows.push_back({"As', barre", read->As1->derivation, "π · Ø² / 4 per barra"});
    w.table(std::move(rows));
}

// Each rule on the amount of reinforcement with its numbers, then the ductility line.
void reinforcement(Writer& w, const ReportRequest& request, const std::vector<Rule>& rules)
{
    w.heading("Regole di armatura (NTC 2018 §4.1.6.1)");
    w.paragraph(std::string("Elemento: ") + reinforcement_rules::element_name(request.element) +
                (request.element == reinforcement_rules::Element::Beam
                     ? " (§4.1.6.1.1: armatura tesa minima e armature massime)."
                     : " (§4.1.6.1.2: armatura longitudinale complessiva minima e massima; NEd è lo sforzo "
                       "normale di compressione più grande fra quelli dati)."));
    std::vector<std::vector<std::string>> rows{{"regola", "calcolo", "esito"}};
    for (const Rule& rule : rules)
        rows.push_back({rule.name + " (" + rule.clause + ")", rule.statement,
                        rule.informative ? "informativo" : rule.holds ? "rispettata" : "NON rispettata"});
    w.table(std::move(rows));
}

void data(Writer& w, const Analysis& a)
{
    const SectionState& s = a.section;
    w.heading("Dati");
    std::vector<Writer::Row> rows;
    for (const section_inputs::InputEntry& input : section_inputs::kInputs) {
        rows.push_back({input.report_name, text(s.*input.member), w.unit(input.quantity)});
        if (input.input == Input::D1)
            rows.push_back({"d = h − c, altezza utile", text(s.D), w.unit(section_inputs::Quantity::Length)});
    }
    rows.push_back({"Es, modulo dell'acciaio scelto dal programma", text(a.Es), w.stress()});
    w.quantities(rows);
    if (!w.has_units())
        w.paragraph("Unità: unità libere ma congruenti (una sola unità di forza e una sola di lunghezza).");
}

// The code's hypotheses, each with the clause it follows, and the model's limits.
void hypotheses(Writer& w)
{
    w.heading("Norma e ipotesi");
    w.paragraph(std::string("La verifica segue le ") + kCode +
                ", allo stato limite ultimo per tensioni normali. I valori di progetto sono dati del "
                "progettista; la norma li definisce così:");
    // NTC 2018 §4.1.2.1.1.1, eq. [4.1.3]: alpha_cc = 0.85, gamma_c = 1.5.
    w.formula("fcd = αcc · fck / γc, con αcc = 0,85 e γc = 1,5 (NTC 2018, § 4.1.2.1.1.1, eq. [4.1.3])");
    // NTC 2018 §4.1.2.1.1.3, eq. [4.1.5], the equation after fctd's [4.1.4].
    w.formula("fyd = fyk / γs, con γs = 1,15 (NTC 2018, § 4.1.2.1.1.3, eq. [4.1.5]); qui fsd = fyd");
    // NTC 2018 §4.1.2.1.2.1: the design stress-strain diagrams of concrete.
    w.paragraph(
        "Calcestruzzo (NTC 2018, § 4.1.2.1.2.1): accorciamento ultimo εcu = 0,0035 al bordo compresso; "
        "tensione uniforme fcd su uno stress block profondo 0,8·x, con risultante a 0,4·x dal bordo; "
        "sezione interamente compressa: 0,002 a 3/7 dell'altezza dal bordo più compresso, e blocco "
        "profondo ψ·h con ψ = (x − 0,8·h)/(x − 0,75·h) e risultante a ψ·h/2. Il calcestruzzo teso non "
        "reagisce.");
    w.paragraph("Acciaio: elastico-perfettamente plastico, σ = Es·ε fino a εyd = fsd/Es, poi ±fsd; "
                "allungamento limite del modello 0,01.");
    // NTC 2018 §4.1.2.3.4.2: the resisting moment at the design axial force.
    w.paragraph("Verifica (NTC 2018, § 4.1.2.3.4.2): MRd = MRd(NEd) ≥ MEd, con MRd il momento resistente "
                "all'equilibrio esatto allo sforzo normale della combinazione.");
    w.paragraph(
        "Convenzioni: profondità misurate dal bordo compresso; sforzi normali, deformazioni e tensioni "
        "positivi di compressione; momenti rispetto a metà altezza, positivi quando comprimono quel "
        "bordo. c è la distanza dal bordo al baricentro delle barre di ciascuno strato, non il "
        "copriferro netto; entrambi gli strati stanno a c dal proprio bordo.");
    w.heading("Limiti d'impiego");
    w.paragraph("Calcestruzzo fino alla classe C50/60: per classi superiori εcu = 0,0035 e il blocco 0,8·x "
                "non valgono, e il programma non se ne accorge.");
    w.paragraph("Allungamento dell'acciaio limitato a 0,01 dal modello, non dalla duttilità della barra.");
    w.paragraph("Es scelto per decade da fsd: 2 100 000 kg/cm², 210 000 N/mm², 210 000 000 kN/m², cioè la "
                "potenza di dieci che porta εyd tra 0,0007 e 0,007.");
    w.paragraph("Sforzo normale fino alla capacità b·h·fcd del solo calcestruzzo: oltre, il programma "
                "rifiuta Nd, a favore di sicurezza perché trascura l'armatura compressa.");
}

// How each strain follows from its domain's pivot.
void strains(Writer& w, const Analysis& a)
{
    const SectionState& s = a.section;
    const section_analysis::UltimateState& u = a.state;
    const double x = a.exact.x, c = s.D1, d = s.D, h = s.H;
    const std::string X = text(x), C = text(c), D = text(d);
    switch (a.exact.domain) {
    case Domain::One:
    case Domain::Two:
        w.formula("pivot: εs = −0,01 all'armatura tesa; εc = 0,01 · x / (d − x) = 0,01 · " + X + " / (" + D +
                  " − " + X + ") = " + text(u.eps_c));
        w.formula("εs' = 0,01 · (x − c) / (d − x) = 0,01 · (" + X + " − " + C + ") / (" + D + " − " + X +
                  ") = " + text(u.eps_s1));
        break;
    case Domain::Three:
    case Domain::Four:
    case Domain::FourA:
        w.formula("pivot: εc = 0,0035 al bordo compresso");
        w.formula("εs' = 0,0035 · (x − c) / x = 0,0035 · (" + X + " − " + C + ") / " + term(x) + " = " +
                  text(u.eps_s1));
        w.formula("εs = 0,0035 · (x − d) / x = 0,0035 · (" + X + " − " + D + ") / " + X + " = " +
                  text(u.eps_s));
        break;
    case Domain::Five: {
        const double pivot = h * section_analysis::kPivotDepthNumerator / section_analysis::kPivotDepthDenominator;
        const std::string P = text(pivot);
        w.formula("pivot: ε = 0,002 a 3/7·h = " + P + " dal bordo compresso; εc = 0,002 · x / (x − 3/7·h) = "
                  "0,002 · " + X + " / (" + X + " − " + P + ") = " + text(u.eps_c));
        w.formula("εs' = 0,002 · (x − c) / (x − 3/7·h) = " + text(u.eps_s1) + "; εs = 0,002 · (x − d) / (x − "
                  "3/7·h) = " + text(u.eps_s));
        break;
    }
    }
}

// A layer's stress from its strain: elastic, or at ±fsd beyond εyd.
std::string stress_step(const char* name, const char* strain, double eps, double sigma, const Analysis& a,
                        const Writer& w)
{
    const double elastic = a.Es * eps;
    const std::string prefix = std::string(name) + " = ";
    if (std::fabs(elastic) <= a.section.Fsd)
        return prefix + "Es · " + strain + " = " + text(a.Es) + " · " + term(eps) + " = " + w.with(sigma, w.stress());
    return prefix + (sigma < 0 ? "−fsd = " : "fsd = ") + w.with(sigma, w.stress()) + " (Es · " + strain + " = " +
           text(elastic) + ", oltre fsd)";
}

// The hand calculation at the exact equilibrium, every step with its numbers.
void steps(Writer& w, const Analysis& a)
{
    const SectionState& s = a.section;
    const section_analysis::UltimateState& u = a.state;
    const double x = a.exact.x;
    w.heading("Calcolo passo per passo");
    w.paragraph("Equilibrio esatto allo sforzo normale Nd = " + w.force_text(s.Nd) +
                ": la profondità x per cui N(x) = Nd, trovata per bisezione fino a due valori adiacenti in "
                "singola precisione (lo stesso calcolo delle verifiche). x = " + w.with(x, w.length()) +
                ", x/d = " + text(x / s.D) + ", campo di rottura " + domain_name(a.exact.domain) + ".");
    strains(w, a);
    w.formula(stress_step("σs'", "εs'", u.eps_s1, u.sigma_s1, a, w));
    w.formula(stress_step("σs", "εs", u.eps_s, u.sigma_s, a, w));
    const std::string B = text(s.B), F = text(s.Fcd);
    if (a.exact.domain == Domain::One) {
        w.formula("C = 0: la sezione è tutta tesa");
    } else if (a.exact.domain == Domain::Five) {
        w.formula("ψ = (x − 0,8·h) / (x − 0,75·h) = " + text(a.exact.psi) + "; blocco ψ·h = " +
                  w.with(u.block_depth, w.length()));
        w.formula("C = ψ·h · b · fcd = " + text(u.block_depth) + " · " + B + " · " + F + " = " +
                  w.with(u.C, w.force()));
    } else {
        w.formula("C = 0,8 · b · x · fcd = 0,8 · " + B + " · " + text(x) + " · " + F + " = " +
                  w.with(u.C, w.force()));
    }
    w.formula("F's = As' · σs' = " + text(s.As1) + " · " + term(u.sigma_s1) + " = " + w.with(u.F_s1, w.force()));
    w.formula("Fs = As · σs = " + text(s.As) + " · " + term(u.sigma_s) + " = " + w.with(u.F_s, w.force()));
    w.formula("N = C + F's + Fs = " + text(u.C) + " + " + term(u.F_s1) + " + " + term(u.F_s) + " = " +
              w.with(a.exact.N, w.force()) + " = Nd");
    const std::string lever = a.exact.domain == Domain::Five ? "h/2 − ψ·h/2" : "h/2 − 0,4·x";
    w.formula("Mu = C · (" + lever + ") + (F's − Fs) · (h/2 − c) = " + text(u.C) + " · " + term(u.z_c) + " + (" +
              text(u.F_s1) + " − " + term(u.F_s) + ") · " + term(u.z_s1) + " = " + w.moment_text(a.exact.Mu));
}

void results(Writer& w, const Analysis& a)
{
    const SectionState& s = a.section;
    const section_analysis::UltimateState& u = a.state;
    w.heading("Risultati");
    w.quantities({{"Mu, momento ultimo", text(a.exact.Mu), w.moment()},
                  {"x, profondità dell'asse neutro", text(a.exact.x), w.length()},
                  {"x/d", text(a.exact.x / s.D), ""},
                  {"campo di deformazione", domain_name(a.exact.domain), ""},
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
                  {"residuo Nd − N", text(static_cast<double>(s.Nd) - a.exact.N), w.force()}});
    w.figure(section_figure_svg(s, a.exact, u, kMark),
             "La sezione allo stato limite ultimo, in scala: asse neutro, deformazioni e tensioni.");
}

// The solver's Mu, as the window shows it, beside the exact one the report adopts.
double solver_difference(const Analysis& a)
{
    const double exact = a.exact.Mu;
    return exact != 0 ? (a.solver.result->Mu - exact) / std::fabs(exact) * 100 : 0;
}

// The textbook estimate of Mu in pure bending, with lever arm 0.9·d.
double estimate(const Analysis& a)
{
    return kLeverArmShare * a.section.D * static_cast<double>(a.section.As) * a.section.Fsd;
}

void check(Writer& w, const Analysis& a)
{
    w.heading("Controllo");
    const double difference = solver_difference(a);
    w.quantities({{"Mu della finestra e della riga di comando (risolutore)", text(a.solver.result->Mu), w.moment()},
                  {"Yc della finestra e della riga di comando (risolutore)", text(a.solver.result->Yc), w.length()},
                  {"Mu dell'equilibrio esatto, adottato", text(a.exact.Mu), w.moment()},
                  {"differenza del risolutore", percent(difference), ""}});
    if (std::fabs(difference) > kWarnAbove)
        w.warning("Il Mu della finestra differisce del " + percent(difference) +
                  " da quello dell'equilibrio esatto: il risolutore si ferma sul passo, non sul residuo, e il "
                  "suo stato non soddisfa N = Nd. La relazione adotta il valore dell'equilibrio esatto, che "
                  "lo soddisfa.");
    if (a.section.Nd == 0) {
        w.quantities({{"stima 0,9·d·As·fsd", text(estimate(a)), w.moment()},
                      {"Mu / stima", text(a.exact.Mu / estimate(a)), ""}});
        w.paragraph("In flessione semplice la stima con braccio 0,9·d dà l'ordine di grandezza di Mu.");
    }
}

// The verdicts' numbers in the report's decimal comma, whatever the file's convention.
std::vector<std::vector<std::string>> in_report_marks(std::vector<std::vector<std::string>> rows, char file_mark)
{
    if (file_mark == kMark) return rows;
    for (std::size_t r = 1; r < rows.size(); ++r)
        for (std::string& cell : rows[r])
            if (read_cell_number(cell, NumberMarks::DecimalPoint))
                for (char& c : cell)
                    c = c == '.' ? kMark : c == kMark ? '.' : c;
    return rows;
}

void combinations(Writer& w, const ReportRequest& request, const SectionState& section, Verdicts& verdicts)
{
    w.heading("Verifiche");
    CheckedDomain& domain = verdicts.domain;
    drawings::Drawing drawing = domain_svg(
        {std::move(domain.drawn), domain.combinations, domain_caption(section, kMark), w.force(), w.moment()}, kMark);
    drawing.svg.erase(0, drawing.svg.find("<svg"));  // inline: no XML declaration
    w.figure(std::move(drawing), "Dominio di resistenza M–N con le combinazioni: un cerchio verificata, una croce no.");
    w.paragraph(
        "MuRd− e MuRd+ sono i momenti dell'equilibrio esatto allo Nd di ciascuna combinazione; "
        "verificata quando MuRd− ≤ Md ≤ MuRd+ (NTC 2018, § 4.1.2.3.4.2). Le verifiche non aggiungono "
        "l'eccentricità minima: per gli elementi compressi la si aggiunge a Md.");
    w.table(in_report_marks(table_rows(verdicts.table, request.locale_mark), domain.decimal_mark));
}

void reproduction(Writer& w, const ReportRequest& request, const std::optional<Verdicts>& verdicts)
{
    w.heading("Riproducibilità");
    std::vector<std::vector<std::string>> rows{{"voce", "valore"},
                                               {"per riscriverla", request.reproduction},
                                               {"versione del programma", request.version}};
    if (verdicts) {
        rows.push_back({"file delle combinazioni", request.combinations_name});
        rows.push_back({"SHA-256 del file delle combinazioni", verdicts->digest});
    }
    rows.push_back({"casi risolti di validazione", kDossier});
    w.table(std::move(rows));
}

void judgement(Writer& w, const Analysis& a)
{
    w.heading("Giudizio motivato di accettabilità");
    const double difference = solver_difference(a);
    std::vector<std::vector<std::string>> rows{{"controllo automatico", "esito"}};
    rows.push_back({"equilibrio esatto contro risolutore della finestra",
                    "differenza " + percent(difference) +
                        (std::fabs(difference) > kWarnAbove ? ": discordi, adottato l'equilibrio esatto"
                                                            : ": concordi entro l'1 %")});
    if (a.section.Nd == 0) {
        const double ratio = a.exact.Mu / estimate(a);
        const bool agrees = ratio >= kEstimateLow && ratio <= kEstimateHigh;
        rows.push_back({"stima 0,9·d·As·fsd in flessione semplice",
                        "Mu / stima = " + fixed(ratio, 2) + (agrees ? ": coerente" : ": da esaminare")});
    } else {
        rows.push_back({"stima 0,9·d·As·fsd in flessione semplice", "non applicabile: Nd diverso da zero"});
    }
    w.table(std::move(rows));
    w.ruled("Giudizio del progettista sui risultati:");
    w.ruled("Progettista (nome, firma e data):");
}

}  // namespace

std::string Report::footer(std::size_t title_length) const
{
    std::string shown;
    std::size_t characters = 0;
    for (const char c : title) {
        const bool starts_character = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts_character && characters++ == title_length) {
            shown += "…";
            break;
        }
        shown += c;
    }
    return std::string(kProgramName) + " " + version + " — " + shown;
}

bool numeric_cell(std::string_view cell)
{
    std::string ungrouped(cell);
    for (std::size_t at; (at = ungrouped.find("\xC2\xA0")) != std::string::npos;)
        ungrouped.erase(at, 2);
    return read_cell_number(ungrouped, NumberMarks::DecimalComma).has_value();
}

Report make_report(const ReportRequest& request)
{
    Report report;
    report.title = request.title.empty() ? "Relazione di calcolo" : request.title;
    report.version = request.version;
    Analysis a{calculate(request.values, kMark), {}, 0, {}, {}};
    if (!a.solver.result) {
        report.refusal = a.solver.message;
        report.status = kSomeRefused;
        return report;
    }
    a.section = a.solver.section;
    a.Es = section_analysis::Calc_Bounds(a.section).Es;
    if (request.units && units_disagree(*request.units, a.Es)) {
        const std::optional<Units> seeming = units_of_modulus(a.Es);
        report.refusal = Message{
            "Unità", "con --unita " + request.units->force + "," + request.units->length + " fsd = " +
                         text(a.section.Fsd) + " dà Es = " + text(a.Es) + ": le resistenze " +
                         (seeming ? "sembrano in " + seeming->stress() : "non sembrano in " + request.units->stress())};
        report.status = kCannotRun;
        return report;
    }
    try {
        a.exact = section_analysis::exact_equilibrium(a.section, a.section.Nd);
    } catch (const section_analysis::SectionError& error) {
        report.refusal = Message{"Equilibrio", "l'equilibrio esatto non si calcola: " +
                                                   one_line(message_for(error, kMark).text)};
        report.status = kSomeRefused;
        return report;
    }
    a.state = section_analysis::ultimate_state(a.section, a.exact);
    std::optional<Verdicts> verdicts;
    if (request.combinations) {
        verdicts = read_combinations(request, a.section, report);
        if (report.refusal) return report;
    }
    std::vector<double> forces{a.section.Nd};
    if (verdicts)
        for (const PlottedCombination& combination : verdicts->domain.combinations)
            forces.push_back(combination.Nd);
    const std::optional<std::vector<Rule>> rules = reinforcement_rules::rules_for(
        request.values, request.materials, request.element, request.units, forces, a.exact.x, kMark);
    Writer w(report, request.units);
    outcome(w, report, a, verdicts, rules);
    identity(w, request);
    data(w, a);
    materials_data(w, request);
    hypotheses(w);
    steps(w, a);
    results(w, a);
    if (rules) reinforcement(w, request, *rules);
    check(w, a);
    if (verdicts) combinations(w, request, a.section, *verdicts);
    reproduction(w, request, verdicts);
    judgement(w, a);
    return report;
}

}  // namespace report
