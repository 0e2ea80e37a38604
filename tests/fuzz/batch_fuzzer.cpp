// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a file of sections: never a crash; a file it can work with
// gets one output record for each of its records, line for line (a quoted
// line break stays inside its record), and one it cannot gets nothing
// written and a reason.
#include <QBuffer>
#include <cstdlib>

#include "command_line/batch.hpp"
#include "command_line/exit_status.hpp"

namespace {

qsizetype lines(const QByteArray& bytes)
{
    return bytes.count('\n') + (!bytes.isEmpty() && !bytes.endsWith('\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer input(&file), output;
    input.open(QIODevice::ReadOnly);
    output.open(QIODevice::WriteOnly);
    QString error;
    if (command_line::compute_batch(input, output, error) == command_line::kCannotRun) {
        if (!output.data().isEmpty() || error.isEmpty()) std::abort();
    } else if (lines(output.data()) != lines(file)) {
        std::abort();
    }
    return 0;
}
