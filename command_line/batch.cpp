// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/batch.hpp"

#include "command_line/csv_table.hpp"
#include "command_line/exit_status.hpp"
#include "command_line/streams.hpp"
#include "section_input/calculation.hpp"
#include "section_input/exact_number.hpp"

namespace command_line {

namespace {

using section_input::Input;

// In the order the window checks them, so a row names its first bad cell.
constexpr Input kInputs[] = {Input::B,   Input::H,   Input::As, Input::As1,
                             Input::Fsd, Input::Fcd, Input::D1, Input::Nd};
constexpr std::size_t kNd = 7;
const TableColumn kColumns[] = {{"b", true},   {"h", true},   {"As", true}, {"As'", true, {"As1", "As’"}},
                                {"fsd", true}, {"fcd", true}, {"c", true},  {"Nd", false}};

// d, Mu, Yc and the verdict of the table's current row.
QStringList computed_row(const CsvTable& table, const QLocale& locale)
{
    if (table.too_many_cells()) return {{}, {}, {}, table.too_many_cells_reason()};
    const section_input::NumberMarks marks = table.convention().marks();
    section_input::InputValues values{};
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        const QString cell = table.cell(i);
        double& value = values[static_cast<std::size_t>(kInputs[i])];
        if (!kColumns[i].required && cell.trimmed().isEmpty()) {
            value = 0;  // as an empty field
        } else if (const auto number = section_input::read_cell_number(cell, marks)) {
            value = *number;
        } else {
            return {{},
                    {},
                    {},
                    QStringLiteral("valore non numerico nella colonna ") +
                        QString::fromUtf8(kColumns[i].name) + section_input::refusal_detail(cell, marks)};
        }
    }
    const section_input::Calculation c = section_input::calculate(values, locale);
    const auto exact = [&](float value) {
        return section_input::exact_text(value, table.convention().decimal_mark);
    };
    const QString d = c.d_text ? exact(c.section.D) : QString();
    if (!c.result) return {d, {}, {}, one_line(c.message.text)};
    return {d, exact(c.result->Mu), exact(c.result->Yc), QStringLiteral("ok")};
}

}  // namespace

int compute_batch(QIODevice& input, QIODevice& output, QString& error, QString* note)
{
    std::optional<CsvTable> table = CsvTable::read_header(input, kColumns, locale_decimal_mark(), error);
    if (!table) return kCannotRun;
    if (!table->has(kNd) && note) {
        *note =
            QStringLiteral("nell'intestazione non c'è la colonna Nd: ogni sezione è calcolata senza sforzo "
                           "normale");
        if (!table->unused_names().isEmpty())
            *note += QStringLiteral(" (colonne non usate: %1)")
                         .arg(table->unused_names().join(QStringLiteral(", ")));
    }
    const QLocale locale = locale_of(table->convention());
    table->write_header({"d", "Mu", "Yc", "esito"});
    bool all_computed = true;
    while (table->next_record(input)) {
        if (table->blank()) {
            table->write_record(output, {});
            continue;
        }
        const QStringList cells = computed_row(*table, locale);
        all_computed &= cells.last() == u"ok";
        table->write_record(output, cells);
    }
    table->flush(output);
    return all_computed ? kAllComputed : kSomeRefused;
}

int run_batch(const QString& input_name, const QString& output_name)
{
    const std::unique_ptr<QFileDevice> input = open_input(input_name);
    if (!input) return kCannotRun;
    Outputs outputs({input_name});
    QIODevice* output = outputs.open(output_name);
    if (!output) return kCannotRun;
    QString error, note;
    const int status = compute_batch(*input, *output, error, &note);
    if (!note.isEmpty()) print_error(note);
    if (!error.isEmpty()) print_error(error);
    return outputs.close(status != kCannotRun) ? status : kCannotRun;
}

}  // namespace command_line
