#pragma once

#include <ostream>

#include "section_analysis/section_state.hpp"

namespace sections {

// Rows of the test tables derive from this, so a failing row prints its name.
struct NamedCase {
    const char* name;
};

inline std::ostream& operator<<(std::ostream& out, const NamedCase& row)
{
    return out << row.name;
}

struct Geometry {
    float b, h, c, As, As1, fsd, fcd;
};

// Beam 30 x 50, kgf and cm: the worked example of the README.
inline constexpr Geometry kBeam{30, 50, 3.5f, 10, 5, 3304, 110};
// Slab strip 100 x 20 with a deep cover: the compression layer is stretched
// in domain 2.
inline constexpr Geometry kSlab{100, 20, 5, 5, 5, 3304, 110};
// Square column 40 x 40, kgf and cm.
inline constexpr Geometry kColumn{40, 40, 4, 10, 10, 3304, 110};
// Square column 400 x 400, N and mm.
inline constexpr Geometry kColumnNmm{400, 400, 40, 1257, 628, 391.3f, 14.17f};

inline section_analysis::SectionState make(const Geometry& g, float Nd = 0)
{
    section_analysis::SectionState s;
    s.B = g.b;
    s.H = g.h;
    s.D1 = g.c;
    s.D = g.h - g.c;
    s.As = g.As;
    s.As1 = g.As1;
    s.Fsd = g.fsd;
    s.Fcd = g.fcd;
    s.Nd = Nd;
    return s;
}

inline float capacity(const Geometry& g)
{
    return static_cast<float>(static_cast<double>(g.h) * g.b * g.fcd);
}

inline float steel_limit(const Geometry& g)
{
    return static_cast<float>(-(static_cast<double>(g.As) + g.As1) * g.fsd);
}

}  // namespace sections
