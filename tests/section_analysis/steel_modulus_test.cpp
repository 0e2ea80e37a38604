#include "section_analysis/steel_modulus.hpp"

#include <gtest/gtest.h>

#include "sections.hpp"

namespace {

struct ModulusCase : sections::NamedCase {
    float Fsd;
    double Es;
};

class SteelModulus : public testing::TestWithParam<ModulusCase> {};

TEST_P(SteelModulus, FollowsTheUnitsOfTheStrength)
{
    EXPECT_EQ(section_analysis::steel_modulus(GetParam().Fsd), GetParam().Es);
}

INSTANTIATE_TEST_SUITE_P(Units, SteelModulus,
                         testing::Values(ModulusCase{"B450C_kgf_cm2", 3304, 2100000},
                                         ModulusCase{"B450C_N_mm2", 391.3f, 210000},
                                         ModulusCase{"B450C_kN_cm2", 39.13f, 21000},
                                         ModulusCase{"B450C_kN_m2", 391300, 210000000},
                                         ModulusCase{"lowest_yield_strain_kept", 1470, 2100000},
                                         ModulusCase{"just_below_lowest_yield_strain", 1469, 210000},
                                         ModulusCase{"just_below_highest_yield_strain", 14699, 2100000},
                                         ModulusCase{"highest_yield_strain_is_next_decade", 14700, 21000000}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
