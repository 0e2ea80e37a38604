// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace section_analysis {

// The values the Calculate command fills from the window and the solver
// reads and writes. Every one is a single: storing rounds it.
struct SectionState {
    float B = 0;    // width b
    float H = 0;    // gross height h
    float D1 = 0;   // cover c of both steel layers
    float D = 0;    // effective depth d = h - c, as read back from its field
    float As = 0;   // tension-zone steel area
    float As1 = 0;  // compression-zone steel area As'
    float Fsd = 0;  // steel design strength
    float Fcd = 0;  // concrete design strength
    float Nd = 0;   // design axial force, compression positive
    float N = 0;    // internal axial force of the last trial
    float Mu = 0;   // moment about mid-height of the last trial
};

}  // namespace section_analysis
