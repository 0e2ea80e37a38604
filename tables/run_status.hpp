// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tables {

// How a run over a table ends, for scripts (as the exit status) and pages
// to tell apart.
enum RunStatus {
    kAllComputed = 0,  // every section computed (or verified)
    kSomeRefused = 1,  // a section refused, or a combination not verified
    kCannotRun = 2,    // a file that cannot be read or written, a header lacking a column, a wrong option
};

}  // namespace tables
