// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/section_materials.hpp"

#include "numbers/exact_number.hpp"

namespace materials {

namespace {

constexpr int kValueDigits = 7;
const Units kCodeUnits{"N", "mm"};  // the code's own: N/mm², mm²

std::string number(double value, char mark, int digits = kValueDigits)
{
    return numbers::significant_text(value, digits, mark);
}

// " = 144,4598 kg/cm²" where the declared units are not the code's.
std::string in_units(double value, const std::string& unit, const std::string& code_unit, char mark)
{
    if (unit == code_unit) return {};
    return " = " + number(value, mark) + " " + unit;
}

DerivedValue concrete_value(const ConcreteClass& concrete, const Units& units, char mark)
{
    const double fcd = design_compressive_strength(concrete);
    const double value = units.stress_from_newtons_per_square_millimetre(fcd);
    return {value, "fcd = αcc · fck / γc = " + number(kLongTermFactor, mark) + " · " + number(concrete.fck, mark) +
                       " / " + number(kConcreteFactor, mark) + " = " + number(fcd, mark) + " N/mm²" +
                       in_units(value, units.stress(), kCodeUnits.stress(), mark) + " (" + concrete.name +
                       ", NTC 2018 §4.1.2.1.1.1)"};
}

DerivedValue steel_value(const SteelGrade& steel, const Units& units, char mark)
{
    const double fyd = design_yield_strength(steel);
    const double value = units.stress_from_newtons_per_square_millimetre(fyd);
    return {value, "fsd = fyd = fyk / γs = " + number(steel.fyk, mark) + " / " + number(kSteelFactor, mark) +
                       " = " + number(fyd, mark) + " N/mm²" +
                       in_units(value, units.stress(), kCodeUnits.stress(), mark) + " (" + steel.name +
                       ", NTC 2018 §4.1.2.1.1.3)"};
}

DerivedValue bars_value(const char* name, const Bars& bars, const Units& units, char mark)
{
    const double area = area_in_square_millimetres(bars);
    // The area as written, to the seven digits a field shows: typed back, it
    // gives the very same section.
    const double value = numbers::rounded_to_significant(units.area_from_square_millimetres(area), kValueDigits);
    return {value, std::string(name) + " = " + written(bars) + " = " + number(area, mark) + " mm²" +
                       in_units(value, units.area(), kCodeUnits.area(), mark)};
}

}  // namespace

const char kUnitsNeeded[] = "una classe di calcestruzzo, un acciaio o delle barre hanno un valore solo in unità "
                            "dichiarate";

std::string* material_text(MaterialTexts& texts, section_inputs::Input input)
{
    using section_inputs::Input;
    switch (input) {
    case Input::Fcd:
        return &texts.concrete;
    case Input::Fsd:
        return &texts.steel;
    case Input::As:
        return &texts.tension;
    case Input::As1:
        return &texts.compression;
    default:
        return nullptr;
    }
}

bool reads_as_material(section_inputs::Input input, std::string_view text)
{
    using section_inputs::Input;
    switch (input) {
    case Input::Fcd:
        return concrete_class(text) || beyond_model(text);
    case Input::Fsd:
        return static_cast<bool>(steel_grade(text));
    case Input::As:
    case Input::As1:
        return static_cast<bool>(bars_of(text));
    default:
        return false;
    }
}

std::vector<std::pair<section_inputs::Input, double>> SectionMaterials::values() const
{
    using section_inputs::Input;
    std::vector<std::pair<Input, double>> given;
    for (const auto& [input, value] : {std::pair{Input::Fcd, &fcd}, std::pair{Input::Fsd, &fsd},
                                       std::pair{Input::As, &As}, std::pair{Input::As1, &As1}})
        if (*value) given.emplace_back(input, (*value)->value);
    return given;
}

MaterialTexts texts_of(const SectionMaterials& materials)
{
    MaterialTexts texts;
    if (materials.concrete) texts.concrete = materials.concrete->name;
    if (materials.steel) texts.steel = materials.steel->name;
    if (materials.tension) texts.tension = written(*materials.tension);
    if (materials.compression) texts.compression = written(*materials.compression);
    return texts;
}

std::vector<std::string> SectionMaterials::derivations() const
{
    std::vector<std::string> lines;
    for (const std::optional<DerivedValue>* value : {&fcd, &fsd, &As, &As1})
        if (*value) lines.push_back((*value)->derivation);
    return lines;
}

Reading<SectionMaterials> read_materials(const MaterialTexts& texts, const std::optional<Units>& units,
                                         char decimal_mark)
{
    SectionMaterials read;
    if (!texts.any()) return {read, {}};
    if (!units) return Reading<SectionMaterials>::refused(kUnitsNeeded);
    if (!texts.concrete.empty()) {
        const Reading<ConcreteClass> concrete = concrete_class(texts.concrete);
        if (!concrete) return Reading<SectionMaterials>::refused(concrete.refusal);
        read.concrete = *concrete;
        read.fcd = concrete_value(*concrete, *units, decimal_mark);
    }
    if (!texts.steel.empty()) {
        const Reading<SteelGrade> steel = steel_grade(texts.steel);
        if (!steel) return Reading<SectionMaterials>::refused(steel.refusal);
        read.steel = *steel;
        read.fsd = steel_value(*steel, *units, decimal_mark);
    }
    const struct {
        const std::string& text;
        std::optional<Bars>& bars;
        std::optional<DerivedValue>& value;
        const char* name;
    } layers[] = {{texts.tension, read.tension, read.As, "As"}, {texts.compression, read.compression, read.As1, "As'"}};
    for (const auto& layer : layers) {
        if (layer.text.empty()) continue;
        const Reading<Bars> bars = bars_of(layer.text);
        if (!bars) return Reading<SectionMaterials>::refused(std::string(layer.name) + " " + bars.refusal);
        layer.bars = *bars;
        layer.value = bars_value(layer.name, *bars, *units, decimal_mark);
    }
    return {read, {}};
}

}  // namespace materials
