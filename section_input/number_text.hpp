// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

namespace section_input {

// Field text to number: every "," becomes ".", then the leading number is
// read leniently (blanks, tabs and line feeds skipped anywhere; sign,
// digits, one period, exponent E or D). No leading number reads as 0; a
// number beyond the double range reads as an infinity, for the caller's
// store to refuse. Ignores the locale, so it reads what any locale wrote.
double text_to_number(QStringView text);

// A single as field text: general format, at most 7 significant digits,
// the locale's decimal separator, no grouping, "E" exponents.
QString number_to_text(float value, const QLocale& locale = QLocale());

}  // namespace section_input
