// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_analysis/single_store.hpp"

#include "section_analysis/errors.hpp"

namespace section_analysis {

void throw_not_a_single(double value)
{
    throw ArithmeticFault(std::isnan(value) ? FaultKind::InvalidOperation : FaultKind::Overflow);
}

void throw_division_by_zero()
{
    throw ArithmeticFault(FaultKind::DivisionByZero);
}

}  // namespace section_analysis
