// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <optional>

#include "materials/section_materials.hpp"
#include "reinforcement_rules/rules.hpp"
#include "section_inputs/section_inputs.hpp"

namespace command_line {

// What the command line is asked to do; an option applies to some of them.
enum class Mode { OneSection, Batch, Domain, Report, Design };

// Every option of momento-ultimo-cli, with its Italian help.
void add_options(QCommandLineParser& parser);

// The option of a section's input, as the parser knows it.
QString section_option(section_inputs::Input input);

// How an option is written on the command line: -b, --fcd.
QString spelled(const QString& name);

// The usage lines, for a command line with no arguments at all.
QString short_usage();

// The first option given that does not apply to the mode, or given twice
// where only one counts, as the reason to refuse it; empty when none.
QString misplaced_option(const QCommandLineParser& parser, Mode mode);

// A numeric option read as a cell of a file is read, with either decimal
// mark. None, with the reason in `error`, where it is not one number.
std::optional<double> option_number(const QString& name, const QString& text, QString& error);

// A section as the command line gives it: its values, and how some of them
// were written (a class, a grade, bars) in the declared units.
struct SectionArguments {
    section_inputs::InputValues values{};
    std::optional<materials::Units> units;
    materials::SectionMaterials materials;
    reinforcement_rules::Element element = reinforcement_rules::Element::Beam;
};

// The declared units and the element, for every mode; none, with the reason
// in `error`, where --unita or --elemento does not read.
bool read_units_and_element(const QCommandLineParser& parser, std::optional<materials::Units>& units,
                            reinforcement_rules::Element& element, QString& error);

// The section's options as the window's fields: each but Nd must be given,
// fcd as a number or a class, fsd as a number or a grade, As and As' as
// numbers or bars; a missing Nd is an empty field. In a design As is the
// unknown and As' may be left out (0). None, with the reason in `error`.
std::optional<SectionArguments> section_values(const QCommandLineParser& parser, QString& error,
                                               bool designing = false);

}  // namespace command_line
