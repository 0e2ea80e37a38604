// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/batch.hpp"

#include "command_line/outputs.hpp"
#include "command_line/streams.hpp"
#include "runs/batch.hpp"
#include "tables/run_status.hpp"

namespace command_line {

int run_batch(const QString& input_name, const QString& output_name)
{
    const std::unique_ptr<QFileDevice> input = open_input(input_name);
    if (!input) return tables::kCannotRun;
    Outputs outputs({input_name});
    QIODevice* output = outputs.open(output_name);
    if (!output) return tables::kCannotRun;
    tables::LineReader lines(source_of(*input));
    std::string error, note;
    const int status = runs::compute_batch(lines, sink_of(*output), error, &note, locale_decimal_mark());
    if (!note.empty()) print_error(QString::fromStdString(note));
    if (!error.empty()) print_error(QString::fromStdString(error));
    return outputs.close(status != tables::kCannotRun) ? status : tables::kCannotRun;
}

}  // namespace command_line
