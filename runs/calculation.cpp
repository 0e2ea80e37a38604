// SPDX-License-Identifier: GPL-3.0-or-later
#include "runs/calculation.hpp"

#include <algorithm>

#include "numbers/number_text.hpp"
#include "section_analysis/single_store.hpp"

namespace runs {

using namespace numbers;

namespace {

using section_analysis::FaultKind;
using section_analysis::SectionState;
using section_analysis::store;

constexpr const char* kCheckTitle = "Mu sezioni rettangolari";
constexpr const char* kCapacityTitle = "Mu Sez Ret";

const char* fault_text(FaultKind kind)
{
    switch (kind) {
    case FaultKind::Overflow:
        return "Errore aritmetico: un valore supera il campo dei numeri ammessi (overflow).\n"
               "Controllare l'ordine di grandezza dei dati della sezione e dello sforzo normale.";
    case FaultKind::DivisionByZero:
        return "Errore aritmetico: divisione per zero durante il calcolo.\n"
               "Controllare i dati della sezione e lo sforzo normale.";
    case FaultKind::InvalidOperation:
        return "Errore aritmetico: operazione non valida durante il calcolo.\n"
               "Controllare i dati della sezione e lo sforzo normale.";
    }
    return "";
}

// Stores the values as singles in the order they are checked, then d
// through its text, as the window shows it, then Nd.
void store_inputs(Calculation& c, const InputValues& values, char decimal_mark)
{
    SectionState& s = c.section;
    for (const section_inputs::InputEntry* input : section_inputs::kChecked)
        if (input->input != Input::Nd) s.*input->member = store(values[section_inputs::index(input->input)]);
    c.d_text = number_to_text(store(static_cast<double>(s.H) - s.D1), decimal_mark);
    s.D = store(text_to_number(*c.d_text));
    s.Nd = store(values[section_inputs::index(Input::Nd)]);
}

// The refusal of the first value not above 0, d last; none where all are.
const char* first_refusal(const SectionState& s)
{
    for (const section_inputs::InputEntry* input : section_inputs::kChecked)
        if (input->refusal && !(s.*input->member > 0)) return input->refusal;
    if (!(store(static_cast<double>(s.H) - s.D1) > 0)) return "valore dell'altezza utile 'd' non corretto";
    return nullptr;
}

void run(Calculation& c, const InputValues& values, char decimal_mark)
{
    store_inputs(c, values, decimal_mark);
    SectionState& s = c.section;
    if (const char* refusal = first_refusal(s)) {
        c.message = {kCheckTitle, refusal};
        return;
    }
    c.checks_passed = true;
    c.axial_force_given = s.Nd != 0;

    s.N = section_analysis::axial_capacity(s);
    if (s.Nd > s.N) {
        c.message = capacity_refusal(s.N, decimal_mark);
        return;
    }
    c.result = section_analysis::Calc_Mu(s);
}

}  // namespace

Calculation calculate(const InputValues& values, char decimal_mark)
{
    Calculation c;
    try {
        run(c, values, decimal_mark);
    } catch (const section_analysis::SectionError& error) {
        c.message = message_for(error, decimal_mark);
    }
    return c;
}

InputValues values_of(const InputTexts& texts)
{
    InputValues values;
    for (std::size_t i = 0; i < texts.size(); ++i)
        values[i] = text_to_number(texts[i]);
    return values;
}

Calculation calculate(const InputTexts& texts, char decimal_mark)
{
    return calculate(values_of(texts), decimal_mark);
}

Message capacity_refusal(float capacity, char decimal_mark)
{
    return {kCapacityTitle, "Nd > Nu = " + number_to_text(capacity, decimal_mark)};
}

Message message_for(const section_analysis::SectionError& error, char decimal_mark)
{
    if (const auto* refused = dynamic_cast<const section_analysis::TensionBeyondSteel*>(&error))
        return {kCapacityTitle, "Nd < -(As+As')·fsd = " + number_to_text(refused->limit(), decimal_mark)};
    if (const auto* fault = dynamic_cast<const section_analysis::ArithmeticFault*>(&error))
        return {kCheckTitle, fault_text(fault->kind())};
    if (const auto* endless = dynamic_cast<const section_analysis::DoesNotConverge*>(&error))
        return {kCheckTitle, "Il calcolo dell'asse neutro non converge dopo " +
                                 std::to_string(endless->evaluations()) +
                                 " tentativi.\nControllare i dati della sezione e lo sforzo normale."};
    return {kCheckTitle, "La sezione non si può calcolare con questi dati.\n"
                         "Controllare dimensioni, armature e resistenze."};
}

const char* domain_name(section_analysis::Domain domain)
{
    // In the order of section_analysis::Domain.
    static const char* const kNames[] = {"1", "2", "3", "4", "4a", "5"};
    return kNames[static_cast<std::size_t>(domain)];
}

std::string one_line(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace runs
