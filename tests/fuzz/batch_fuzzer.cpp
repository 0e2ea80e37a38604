// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a file of sections: never a crash; a file it can work with
// gets one output record for each of its records, line for line (a quoted
// line break stays inside its record), and one it cannot gets nothing
// written and a reason. Any text's cells as they stand join back into it.
#include <cstdlib>
#include <string>

#include "runs/batch.hpp"
#include "tables/csv.hpp"
#include "tables/run_status.hpp"

namespace {

std::size_t lines(std::string_view bytes)
{
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) +
           (!bytes.empty() && bytes.back() != '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    tables::LineReader input(file);
    std::string written, error;
    if (runs::compute_batch(
            input, [&](std::string_view bytes) { written += bytes; }, error) == tables::kCannotRun) {
        if (!written.empty() || error.empty()) std::abort();
    } else if (lines(written) != lines(file)) {
        std::abort();
    }
    // The cells of any text as they stand join back into that very text.
    const std::vector<std::string_view> cells = tables::raw_cells(file, ';');
    std::string joined(cells.front());
    for (std::size_t i = 1; i < cells.size(); ++i)
        joined.append(";").append(cells[i]);
    if (joined != file) std::abort();
    return 0;
}
