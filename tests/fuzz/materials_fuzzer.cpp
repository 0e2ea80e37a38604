// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as bars, a class, a grade, units or a list of diameters: read or refused with a
// reason, never a crash; bars read are written back to bars that read the
// same, with a positive area; a header's units read only as units there are.
#include <cstdlib>
#include <string_view>

#include "materials/section_materials.hpp"
#include "reinforcement_design/design_run.hpp"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    using namespace materials;
    const Reading<Bars> bars = bars_of(text);
    if (bars) {
        const Reading<Bars> again = bars_of(written(*bars));
        if (!again || written(*again) != written(*bars) || !(area_in_square_millimetres(*bars) > 0)) std::abort();
        for (const BarGroup& group : *bars)
            if (group.count < 1 || group.diameter < kSmallestDiameter || group.diameter > kLargestDiameter) std::abort();
    } else if (bars.refusal.empty()) {
        std::abort();
    }
    const Reading<ConcreteClass> concrete = concrete_class(text);
    if (concrete ? !(design_compressive_strength(*concrete) > 0) || concrete->fck > 50 : concrete.refusal.empty())
        std::abort();
    if (const Reading<SteelGrade> steel = steel_grade(text); !steel && steel.refusal.empty()) std::abort();
    const auto units = units_of(text);
    if (units && !units_of(units->force + "," + units->length)) std::abort();
    using section_inputs::Quantity;
    const std::string unit(text.substr(0, text.find('\n')));
    if (const auto header = units_of_header({{Quantity::Strength, unit}, {Quantity::Area, unit}}); header && !units_of(header->force + "," + header->length))
        std::abort();
    const Reading<SectionMaterials> read =
        read_materials({std::string(text.substr(0, size / 2)), "B450C", std::string(text.substr(size / 2)), ""},
                       Units{"kg", "cm"}, ',');
    if (!read && read.refusal.empty()) std::abort();
    std::string reason;
    if (const auto diameters = reinforcement_design::diameters_of(text, reason)) {
        for (int diameter : *diameters)
            if (diameter < kSmallestDiameter || diameter > kLargestDiameter) std::abort();
    } else if (reason.empty()) {
        std::abort();
    }
    return 0;
}
