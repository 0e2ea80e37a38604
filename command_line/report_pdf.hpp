// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>

#include "report/report.hpp"

namespace command_line {

// The report on A4 as PDF/A-1b: its fonts embedded, its text selectable,
// its figures as vectors, the footer and the page number on every page and
// the title in the document's information. False where it cannot be drawn.
bool write_report_pdf(const report::Report& report, const QString& creator, QIODevice& output);

}  // namespace command_line
