#include "command_line/batch.hpp"

#include "command_line/csv_table.hpp"
#include "command_line/exit_status.hpp"
#include "command_line/streams.hpp"
#include "section_input/calculation.hpp"
#include "section_input/exact_number.hpp"
#include "section_input/number_text.hpp"

namespace command_line {

namespace {

using section_input::Input;

// In the order the window checks them, so a row names its first bad cell.
constexpr Input kInputs[] = {Input::B,   Input::H,   Input::As, Input::As1,
                             Input::Fsd, Input::Fcd, Input::D1, Input::Nd};
constexpr TableColumn kColumns[] = {{"b", true},   {"h", true},   {"As", true}, {"As'", true},
                                    {"fsd", true}, {"fcd", true}, {"c", true},  {"Nd", false}};

// d, Mu, Yc and the verdict of the table's current row.
QStringList computed_row(const CsvTable& table, const QLocale& locale)
{
    if (table.too_many_cells()) return {{}, {}, {}, table.too_many_cells_reason()};
    const CsvConvention& convention = table.convention();
    std::optional<QString> not_a_number;
    section_input::InputValues values{};
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        const QString cell = table.cell(i);
        double& value = values[static_cast<std::size_t>(kInputs[i])];
        if (!kColumns[i].required && cell.trimmed().isEmpty()) {
            value = 0;  // as an empty field
        } else if (const auto number =
                       section_input::read_cell_number(cell, convention.decimal_comma_read())) {
            value = *number;
        } else {
            // Read as the window would, for d; the row is refused all the same.
            value = section_input::text_to_number(cell);
            if (!not_a_number) not_a_number = QString::fromUtf8(kColumns[i].name);
        }
    }
    const section_input::Calculation c = section_input::calculate(values, locale);
    const auto exact = [&](float value) { return section_input::exact_text(value, convention.decimal_mark); };
    const QString d = c.d_text ? exact(c.section.D) : QString();
    if (not_a_number)
        return {d, {}, {}, QStringLiteral("valore non numerico nella colonna ") + *not_a_number};
    if (!c.result) return {d, {}, {}, one_line(c.message.text)};
    return {d, exact(c.result->Mu), exact(c.result->Yc), QStringLiteral("ok")};
}

}  // namespace

int compute_batch(QIODevice& input, QIODevice& output, QString& error)
{
    std::optional<CsvTable> table = CsvTable::read_header(input, kColumns, error);
    if (!table) return kCannotRun;
    const QLocale locale = locale_of(table->convention());
    table->write_header({"d", "Mu", "Yc", "esito"});
    bool all_computed = true;
    while (table->next_line(input)) {
        const QStringList cells = computed_row(*table, locale);
        all_computed &= cells.last() == u"ok";
        table->write_line(output, cells);
    }
    table->flush(output);
    return all_computed ? kAllComputed : kSomeRefused;
}

int run_batch(const QString& input_name, const QString& output_name)
{
    const std::unique_ptr<QFileDevice> input = open_input(input_name);
    if (!input) return kCannotRun;
    const std::unique_ptr<QFileDevice> output = open_output(output_name);
    if (!output) return kCannotRun;
    QString error;
    const int status = compute_batch(*input, *output, error);
    if (!error.isEmpty()) print_error(error);
    return close_output(*output, status != kCannotRun, output_name) ? status : kCannotRun;
}

}  // namespace command_line
