#pragma once

#include <QColor>
#include <QString>

#include "section_analysis/errors.hpp"
#include "section_analysis/section_state.hpp"

namespace main_window {

// The window's text fields the Calculate command reads and writes.
enum class Field { B, H, D1, D, As, As1, Fsd, Fcd, Nd, Mu, Yc };

// The field set: each field's control name and the text it shows at start.
struct FieldEntry {
    Field field;
    const char* name;
    const char* initial_text;
};

// clang-format off
inline constexpr FieldEntry kFieldSet[] = {
    {Field::B, "txt_B", "b"},           {Field::H, "txt_H", "h"},
    {Field::D1, "txt_D1", "3.5"},       {Field::D, "txt_D", "d"},
    {Field::As, "txt_As", "0"},         {Field::As1, "txt_As1", "0"},
    {Field::Fsd, "txt_Fsd", "3304"},    {Field::Fcd, "txt_Fcd", "110"},
    {Field::Nd, "txt_Nd", ""},          {Field::Mu, "txt_Mu", "0"},
    {Field::Yc, "txt_Yc", ""},
};
// clang-format on

// What the command needs of the window: the fields as named texts, the
// axial-force field's background, and a modal error message.
class CommandFields {
public:
    virtual ~CommandFields() = default;
    virtual QString text(Field field) const = 0;
    virtual void set_text(Field field, const QString& text) = 0;
    virtual void set_axial_force_background(const QColor& colour) = 0;
    virtual void show_error(const QString& title, const QString& text) = 0;
};

enum class Outcome {
    Computed,  // results written into txt_Mu and txt_Yc
    Rejected,  // an input check or the solver refused the section
    Fault,     // an arithmetic fault or a run that does not converge
};

inline const QColor kNoAxialForceBackground{192, 192, 192};

// What the user is told of an arithmetic fault, in Italian.
QString fault_message(section_analysis::FaultKind kind);

// The Calculate command: reads the fields into the section, checks them in
// order, and writes the results. Only a computed run touches the results.
Outcome cmd_Calc_Click(CommandFields& fields, section_analysis::SectionState& section,
                       const QColor& axial_force_background);

}  // namespace main_window
