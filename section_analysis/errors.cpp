// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_analysis/errors.hpp"

namespace section_analysis {

namespace {

const char* describe(FaultKind kind)
{
    switch (kind) {
    case FaultKind::InvalidOperation:
        return "arithmetic fault: invalid operation";
    case FaultKind::DivisionByZero:
        return "arithmetic fault: division by zero";
    case FaultKind::Overflow:
        return "arithmetic fault: overflow";
    }
    return "arithmetic fault";
}

}  // namespace

ArithmeticFault::ArithmeticFault(FaultKind kind) : SectionError(describe(kind)), kind_(kind) {}

TensionBeyondSteel::TensionBeyondSteel(float limit)
    : SectionError("axial tension beyond what the yielded steel can carry"), limit_(limit)
{
}

DoesNotConverge::DoesNotConverge(int evaluations)
    : SectionError("the neutral-axis iteration does not converge"), evaluations_(evaluations)
{
}

BrokenPrecondition::BrokenPrecondition(const std::string& what)
    : SectionError("section not computable: " + what)
{
}

}  // namespace section_analysis
