// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/batch.hpp"

#include "command_line/outputs.hpp"
#include "command_line/section_options.hpp"
#include "command_line/streams.hpp"
#include "runs/batch.hpp"
#include "tables/run_status.hpp"

namespace command_line {

int run_batch(const QCommandLineParser& parser, const QString& input_name, const QString& output_name)
{
    runs::BatchOptions options;
    options.locale_mark = locale_decimal_mark();
    QString reason;
    if (!read_units_and_element(parser, options.units, options.element, reason)) {
        print_error(reason + QStringLiteral("\nVedere --help."));
        return tables::kCannotRun;
    }
    const std::unique_ptr<QFileDevice> input = open_input(input_name);
    if (!input) return tables::kCannotRun;
    Outputs outputs({input_name});
    QIODevice* output = outputs.open(output_name);
    if (!output) return tables::kCannotRun;
    tables::LineReader lines(source_of(*input));
    std::string error, note;
    const int status = runs::compute_batch(lines, sink_of(*output), error, &note, options);
    if (!note.empty()) print_error(QString::fromStdString(note));
    if (!error.empty()) print_error(QString::fromStdString(error));
    return outputs.close(status != tables::kCannotRun) ? status : tables::kCannotRun;
}

}  // namespace command_line
