#include "main_window/calculate_command.hpp"

#include "main_window/number_text.hpp"
#include "section_analysis/neutral_axis.hpp"
#include "section_analysis/single_store.hpp"

namespace main_window {

namespace {

using section_analysis::ArithmeticFault;
using section_analysis::FaultKind;
using section_analysis::SectionState;
using section_analysis::store;

const QString kCheckTitle = QStringLiteral("Mu sezioni rettangolari");
const QString kCapacityTitle = QStringLiteral("Mu Sez Ret");

// A field's number stored as a single; beyond the single range it is an
// overflow, not an infinity.
float read(const CommandFields& fields, Field field)
{
    return store(text_to_number(fields.text(field)));
}

struct Check {
    float SectionState::*value;
    const char* message;
};

// In this order; a value not greater than 0 is refused.
const Check kChecks[] = {
    {&SectionState::B, "valore della base della sezione non corretto"},
    {&SectionState::H, "valore dell'altezza della sezione non corretto"},
    {&SectionState::As, "valore dell'armatura tesa non corretto"},
    {&SectionState::As1, "valore dell'armatura compressa non corretto"},
    {&SectionState::Fsd, "valore della tensione dell'armatura non corretto"},
    {&SectionState::Fcd, "valore della tensione del cls non corretto"},
    {&SectionState::D1, "valore del copriferro non corretto"},
};

Outcome run(CommandFields& fields, SectionState& s, const QColor& axial_force_background)
{
    s.B = read(fields, Field::B);
    s.H = read(fields, Field::H);
    s.As = read(fields, Field::As);
    s.As1 = read(fields, Field::As1);
    s.Fsd = read(fields, Field::Fsd);
    s.Fcd = read(fields, Field::Fcd);
    s.D1 = read(fields, Field::D1);
    // The solver uses d as the field shows it, after the text round trip.
    fields.set_text(Field::D, number_to_text(store(static_cast<double>(s.H) - s.D1)));
    s.D = read(fields, Field::D);
    s.Nd = read(fields, Field::Nd);

    for (const Check& check : kChecks) {
        if (!(s.*check.value > 0)) {
            fields.show_error(kCheckTitle, QString::fromUtf8(check.message));
            return Outcome::Rejected;
        }
    }
    if (!(store(static_cast<double>(s.H) - s.D1) > 0)) {
        fields.show_error(kCheckTitle, QStringLiteral("valore dell'altezza utile 'd' non corretto"));
        return Outcome::Rejected;
    }

    fields.set_axial_force_background(s.Nd != 0 ? axial_force_background : kNoAxialForceBackground);

    s.N = store(static_cast<double>(s.H) * s.B * s.Fcd);
    if (s.Nd > s.N) {
        fields.show_error(kCapacityTitle, QStringLiteral("Nd > Nu = ") + number_to_text(s.N));
        return Outcome::Rejected;
    }

    const section_analysis::SolveResult result = section_analysis::Calc_Mu(s);
    fields.set_text(Field::Mu, number_to_text(result.Mu));
    fields.set_text(Field::Yc, number_to_text(result.Yc));
    return Outcome::Computed;
}

}  // namespace

QString fault_message(FaultKind kind)
{
    switch (kind) {
    case FaultKind::Overflow:
        return QStringLiteral(
            "Errore aritmetico: un valore supera il campo dei numeri ammessi (overflow).\n"
            "Controllare l'ordine di grandezza dei dati della sezione e dello sforzo normale.");
    case FaultKind::DivisionByZero:
        return QStringLiteral("Errore aritmetico: divisione per zero durante il calcolo.\n"
                              "Controllare i dati della sezione e lo sforzo normale.");
    case FaultKind::InvalidOperation:
        return QStringLiteral("Errore aritmetico: operazione non valida durante il calcolo.\n"
                              "Controllare i dati della sezione e lo sforzo normale.");
    }
    return {};
}

Outcome cmd_Calc_Click(CommandFields& fields, SectionState& section, const QColor& axial_force_background)
{
    try {
        return run(fields, section, axial_force_background);
    } catch (const section_analysis::TensionBeyondSteel& refused) {
        fields.show_error(kCapacityTitle,
                          QStringLiteral("Nd < -(As+As')·fsd = ") + number_to_text(refused.limit()));
        return Outcome::Rejected;
    } catch (const ArithmeticFault& fault) {
        fields.show_error(kCheckTitle, fault_message(fault.kind()));
        return Outcome::Fault;
    } catch (const section_analysis::DoesNotConverge& endless) {
        fields.show_error(kCheckTitle,
                          QStringLiteral("Il calcolo dell'asse neutro non converge dopo %1 tentativi.\n"
                                         "Controllare i dati della sezione e lo sforzo normale.")
                              .arg(endless.evaluations()));
        return Outcome::Fault;
    } catch (const section_analysis::BrokenPrecondition&) {
        fields.show_error(kCheckTitle, QStringLiteral("La sezione non si può calcolare con questi dati.\n"
                                                      "Controllare dimensioni, armature e resistenze."));
        return Outcome::Rejected;
    }
}

}  // namespace main_window
