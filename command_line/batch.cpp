// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/batch.hpp"

#include "command_line/outputs.hpp"
#include "command_line/streams.hpp"
#include "shared_rules/batch.hpp"
#include "shared_rules/run_status.hpp"

namespace command_line {

int run_batch(const QString& input_name, const QString& output_name)
{
    const std::unique_ptr<QFileDevice> input = open_input(input_name);
    if (!input) return shared_rules::kCannotRun;
    Outputs outputs({input_name});
    QIODevice* output = outputs.open(output_name);
    if (!output) return shared_rules::kCannotRun;
    shared_rules::LineReader lines(source_of(*input));
    std::string error, note;
    const int status =
        shared_rules::compute_batch(lines, sink_of(*output), error, &note, locale_decimal_mark());
    if (!note.empty()) print_error(QString::fromStdString(note));
    if (!error.empty()) print_error(QString::fromStdString(error));
    return outputs.close(status != shared_rules::kCannotRun) ? status : shared_rules::kCannotRun;
}

}  // namespace command_line
