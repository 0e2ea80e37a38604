// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "shared_rules/line_reader.hpp"

namespace shared_rules {

// `lotto`: a file of sections, one per record under a header naming the
// columns b, h, c, fcd, fsd, As, As' (or As1) and, if wanted, Nd. Each
// record is read, computed and written as it comes: its cells as they were,
// then d, Mu, Yc and esito ("ok" or the window's message); a blank record
// passes through. Returns a RunStatus; on a file it cannot work with,
// writes nothing and says why in `error`. `note`, if given, gets what the
// user should know of a file that is computed all the same. A tab-separated
// file takes the locale's decimal mark.
int compute_batch(LineReader& input, const ByteSink& output, std::string& error, std::string* note = nullptr,
                  char locale_mark = '.');

}  // namespace shared_rules
