// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "materials/bars.hpp"
#include "materials/concrete.hpp"
#include "materials/reading.hpp"
#include "materials/steel.hpp"
#include "materials/units.hpp"
#include "section_inputs/section_inputs.hpp"

namespace materials {

// What a user wrote for a section beyond plain numbers: a class for fcd, a
// grade for fsd, bars for As and As'. Each empty where a number was given.
struct MaterialTexts {
    std::string concrete, steel, tension, compression;

    bool any() const { return !concrete.empty() || !steel.empty() || !tension.empty() || !compression.empty(); }
};

// Where an input's text goes when it is written as a class, a grade or
// bars: fcd, fsd, As, As'; none for the inputs that take only numbers.
std::string* material_text(MaterialTexts& texts, section_inputs::Input input);

// Whether a text reads as what this input may be written as (a class, a
// grade, bars), or names a class the model does not cover.
bool reads_as_material(section_inputs::Input input, std::string_view text);

// A design value or an area with the steps that gave it, in the declared units.
struct DerivedValue {
    double value = 0;
    std::string derivation;  // "fcd = 0,85 · 25 / 1,5 = 14,16667 N/mm² = 144,4598 kg/cm²"
};

// Those texts read, and the values they stand for.
struct SectionMaterials {
    std::optional<ConcreteClass> concrete;
    std::optional<SteelGrade> steel;
    std::optional<Bars> tension, compression;
    std::optional<DerivedValue> fcd, fsd, As, As1;

    // The derivations in the order fcd, fsd, As, As'.
    std::vector<std::string> derivations() const;
    // The inputs they give a value to, with that value.
    std::vector<std::pair<section_inputs::Input, double>> values() const;
};

// Reads each text given. A class, a grade or bars have a value only in
// declared units: without them, any is refused with a sentence that says so.
// Otherwise the first text that does not read is refused with its reason.
Reading<SectionMaterials> read_materials(const MaterialTexts& texts, const std::optional<Units>& units,
                                         char decimal_mark);

// The texts the materials were read from, as the program writes them.
MaterialTexts texts_of(const SectionMaterials& materials);

// The sentence that refuses a class, a grade or bars in undeclared units.
extern const char kUnitsNeeded[];

}  // namespace materials
