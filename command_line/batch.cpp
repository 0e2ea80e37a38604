#include "command_line/batch.hpp"

#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <memory>
#include <optional>

#include "command_line/csv.hpp"
#include "command_line/exit_status.hpp"
#include "command_line/streams.hpp"
#include "section_input/calculation.hpp"
#include "section_input/exact_number.hpp"
#include "section_input/number_text.hpp"

namespace command_line {

namespace {

using section_input::Input;

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
constexpr qsizetype kFlushAt = 1 << 16;

struct Column {
    Input input;
    const char* name;
    bool required;
};

// In the order the window checks them, so a row names its first bad cell.
const Column kColumns[] = {
    {Input::B, "b", true},     {Input::H, "h", true},     {Input::As, "As", true}, {Input::As1, "As'", true},
    {Input::Fsd, "fsd", true}, {Input::Fcd, "fcd", true}, {Input::D1, "c", true},  {Input::Nd, "Nd", false},
};

// A line without its end, and the end it had.
struct Line {
    QByteArray text, end;
};

Line split_end(const QByteArray& raw)
{
    qsizetype length = raw.size();
    if (length > 0 && raw[length - 1] == '\n') --length;
    if (length > 0 && raw[length - 1] == '\r') --length;
    return {raw.left(length), raw.mid(length)};
}

class Batch {
public:
    Batch(QIODevice& output, CsvConvention convention, const std::array<qsizetype, std::size(kColumns)>& at,
          qsizetype header_cells)
        : output_(output), convention_(convention), at_(at), header_cells_(header_cells),
          locale_(convention.decimal_comma_read() ? QLocale(QLocale::Italian) : QLocale::c())
    {
    }

    void write(const QByteArray& bytes)
    {
        pending_ += bytes;
        if (pending_.size() >= kFlushAt) flush();
    }

    void flush()
    {
        output_.write(pending_);
        pending_.clear();
    }

    // Computes one row and writes it; false when it was refused.
    bool row(const Line& line)
    {
        const QStringList cells = split_cells(QString::fromUtf8(line.text), convention_.separator);
        QString d, Mu, Yc, verdict;
        if (cells.size() > header_cells_) {
            verdict =
                QStringLiteral("la riga ha %1 celle, l'intestazione %2").arg(cells.size()).arg(header_cells_);
        } else {
            std::optional<QString> not_a_number;
            section_input::InputValues values{};
            for (std::size_t i = 0; i < std::size(kColumns); ++i) {
                const QString cell = at_[i] >= 0 && at_[i] < cells.size() ? cells[at_[i]] : QString();
                double& value = values[static_cast<std::size_t>(kColumns[i].input)];
                if (!kColumns[i].required && cell.trimmed().isEmpty()) {
                    value = 0;  // as an empty field
                } else if (const auto number =
                               section_input::read_cell_number(cell, convention_.decimal_comma_read())) {
                    value = *number;
                } else {
                    // Read as the window would, for d; the row is refused all the same.
                    value = section_input::text_to_number(cell);
                    if (!not_a_number) not_a_number = QString::fromUtf8(kColumns[i].name);
                }
            }
            const section_input::Calculation c = section_input::calculate(values, locale_);
            if (c.d_text) d = exact(c.section.D);
            if (not_a_number) {
                verdict = QStringLiteral("valore non numerico nella colonna ") + *not_a_number;
            } else if (c.result) {
                Mu = exact(c.result->Mu);
                Yc = exact(c.result->Yc);
                verdict = QStringLiteral("ok");
            } else {
                verdict = c.message.text;
                verdict.replace(u'\n', u' ');  // one row, one line
            }
        }
        QByteArray out = line.text;
        out.append(qMax<qsizetype>(0, header_cells_ - cells.size()),
                   static_cast<char>(convention_.separator.unicode()));
        for (const QString& cell : {d, Mu, Yc, verdict})
            out += static_cast<char>(convention_.separator.unicode()) +
                   quoted_cell(cell, convention_.separator).toUtf8();
        write(out + line.end);
        return verdict == u"ok";
    }

private:
    QString exact(float value) const { return section_input::exact_text(value, convention_.decimal_mark); }

    QIODevice& output_;
    const CsvConvention convention_;
    const std::array<qsizetype, std::size(kColumns)> at_;
    const qsizetype header_cells_;
    const QLocale locale_;
    QByteArray pending_;
};

}  // namespace

int compute_batch(QIODevice& input, QIODevice& output, QString& error)
{
    QByteArray raw_header = input.readLine();
    if (raw_header.isEmpty()) {
        error = QStringLiteral("il file è vuoto: manca l'intestazione");
        return kCannotRun;
    }
    const bool byte_order_mark = raw_header.startsWith(kByteOrderMark);
    if (byte_order_mark) raw_header.remove(0, kByteOrderMark.size());
    const Line header = split_end(raw_header);
    const QString header_text = QString::fromUtf8(header.text);
    const CsvConvention convention = convention_of_header(header_text);
    QStringList names = split_cells(header_text, convention.separator);
    std::array<qsizetype, std::size(kColumns)> at{};
    QStringList missing;
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        at[i] = -1;
        for (qsizetype cell = 0; cell < names.size(); ++cell)
            if (names[cell].trimmed().compare(QString::fromUtf8(kColumns[i].name), Qt::CaseInsensitive) == 0)
                at[i] = cell;
        if (at[i] < 0 && kColumns[i].required) missing.append(QString::fromUtf8(kColumns[i].name));
    }
    if (!missing.isEmpty()) {
        error = (missing.size() == 1 ? QStringLiteral("nell'intestazione manca la colonna %1")
                                     : QStringLiteral("nell'intestazione mancano le colonne %1"))
                    .arg(missing.join(QStringLiteral(", ")));
        return kCannotRun;
    }

    Batch batch(output, convention, at, names.size());
    QByteArray out = byte_order_mark ? kByteOrderMark : QByteArray();
    out += header.text;
    for (const char* name : {"d", "Mu", "Yc", "esito"})
        out += static_cast<char>(convention.separator.unicode()) + QByteArray(name);
    batch.write(out + (header.end.isEmpty() ? QByteArray("\n") : header.end));
    bool all_computed = true;
    while (!input.atEnd()) {
        const QByteArray raw = input.readLine();
        if (raw.isEmpty()) break;
        all_computed &= batch.row(split_end(raw));
    }
    batch.flush();
    return all_computed ? kAllComputed : kSomeRefused;
}

int run_batch(const QString& input_name, const QString& output_name)
{
    const bool from_standard = input_name.isEmpty() || input_name == u"-";
    QFile input(from_standard ? QString() : input_name);
    if (!(from_standard ? input.open(stdin, QIODevice::ReadOnly) : input.open(QIODevice::ReadOnly))) {
        print_error(QStringLiteral("impossibile leggere %1: %2").arg(input_name, input.errorString()));
        return kCannotRun;
    }
    const bool to_standard = output_name.isEmpty() || output_name == u"-";
    std::unique_ptr<QFileDevice> output;
    if (to_standard) {
        auto standard = std::make_unique<QFile>();
        standard->open(stdout, QIODevice::WriteOnly);
        output = std::move(standard);
    } else {
        output = std::make_unique<QSaveFile>(output_name);
        if (!output->open(QIODevice::WriteOnly)) {
            print_error(
                QStringLiteral("impossibile scrivere %1: %2").arg(output_name, output->errorString()));
            return kCannotRun;
        }
    }
    QString error;
    const int status = compute_batch(input, *output, error);
    if (!error.isEmpty()) print_error(error);
    if (auto* file = dynamic_cast<QSaveFile*>(output.get())) {
        if (status == kCannotRun) {
            file->cancelWriting();
        } else if (!file->commit()) {
            print_error(QStringLiteral("impossibile scrivere %1: %2").arg(output_name, file->errorString()));
            return kCannotRun;
        }
    }
    return status;
}

}  // namespace command_line
