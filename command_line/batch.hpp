// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>

namespace command_line {

// `lotto`: a file of sections, one per record under a header naming the
// columns b, h, c, fcd, fsd, As, As' (or As1) and, if wanted, Nd. Each
// record is read, computed and written as it comes: its cells as they were,
// then d, Mu, Yc and esito ("ok" or the window's message); a blank record
// passes through. Returns an ExitStatus; on a file it cannot work with,
// writes nothing and says why in `error`. `note`, if given, gets what the
// user should know of a file that is computed all the same.
int compute_batch(QIODevice& input, QIODevice& output, QString& error, QString* note = nullptr);

// The same between files; "-" or an empty name is standard input or output.
// The output appears under its name only once it is complete.
int run_batch(const QString& input_name, const QString& output_name);

}  // namespace command_line
