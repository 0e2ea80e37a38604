// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace section_analysis {

// The steel modulus 2100000 kg/cm2 expressed in the units the user gave
// the steel strength in: 2100000 times or divided by the power of ten that
// puts the yield strain Fsd / Es in [0.0007, 0.007). Steels in kg/cm2 get
// 2100000, in N/mm2 210000, in kN/cm2 21000, in kN/m2 210000000.
double steel_modulus(float Fsd);

}  // namespace section_analysis
