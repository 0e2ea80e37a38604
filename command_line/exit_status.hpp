// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace command_line {

// What the command line ends with, for scripts to tell apart.
enum ExitStatus {
    kAllComputed = 0,  // every section computed (or verified)
    kSomeRefused = 1,  // a section refused, or a combination not verified
    kCannotRun = 2,    // a file that cannot be read or written, a header lacking a column, a wrong option
};

}  // namespace command_line
