// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/report_command.hpp"

#include <QCoreApplication>
#include <QDate>
#include <QFileDevice>
#include <QRegularExpression>

#include "command_line/outputs.hpp"
#include "command_line/report_pdf.hpp"
#include "command_line/section_options.hpp"
#include "command_line/streams.hpp"
#include "report/report.hpp"
#include "tables/run_status.hpp"

namespace command_line {

namespace {

using namespace report;
using namespace tables;

enum class Format { Pdf, Html };

// Every option checked before anything is computed; each wrong one named.
struct ReportOptions {
    ReportRequest request;
    QString output, combinations;
    Format format = Format::Html;
};

// A word as a POSIX shell reads it back: quoted where it holds anything
// but letters, digits and harmless marks.
QString shell_word(const QString& word)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
    if (plain.match(word).hasMatch()) return word;
    QString quoted = word;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

// The command line that writes the same report: this one, with the date
// it took from the clock where none was given.
std::string reproduction(const QStringList& arguments, const QString& today)
{
    QStringList words{QCoreApplication::applicationName()};
    for (qsizetype i = 1; i < arguments.size(); ++i)
        words.append(shell_word(arguments[i]));
    if (!today.isEmpty()) words << QStringLiteral("--data") << today;
    return words.join(u' ').toStdString();
}

std::optional<ReportOptions> read_options(const QCommandLineParser& parser, const QStringList& arguments)
{
    ReportOptions options;
    QStringList errors;
    QString error;
    if (const auto arguments = section_values(parser, error)) {
        options.request.values = arguments->values;
        options.request.units = arguments->units;
        options.request.materials = arguments->materials;
        options.request.element = arguments->element;
    } else {
        errors.append(error);
    }
    options.output = parser.value(QStringLiteral("o"));
    if (options.output.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        options.format = Format::Pdf;
    else if (!options.output.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive) &&
             !options.output.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive))
        errors.append(
            QStringLiteral("-o vuole il file della relazione, RELAZIONE.pdf o RELAZIONE.html, non «%1»")
                .arg(options.output));
    const QString date = parser.isSet(QStringLiteral("data")) ? parser.value(QStringLiteral("data"))
                                                              : QDate::currentDate().toString(Qt::ISODate);
    static const QRegularExpression day(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    if (!day.match(date).hasMatch() || !QDate::fromString(date, Qt::ISODate).isValid())
        errors.append(QStringLiteral("--data vuole una data AAAA-MM-GG, non «%1»").arg(date));
    options.request.date = date.toStdString();
    options.request.title = parser.value(QStringLiteral("titolo")).toStdString();
    options.request.version = QCoreApplication::applicationVersion().toStdString();
    options.request.locale_mark = locale_decimal_mark();
    options.combinations = parser.value(QStringLiteral("verifica"));
    options.request.combinations_name = options.combinations.toStdString();
    options.request.reproduction = reproduction(arguments, parser.isSet(QStringLiteral("data")) ? QString() : date);
    if (errors.isEmpty()) return options;
    print_error(errors.join(u'\n') + QStringLiteral("\nVedere --help."));
    return std::nullopt;
}

}  // namespace

int run_report(const QCommandLineParser& parser, const QStringList& arguments)
{
    std::optional<ReportOptions> options = read_options(parser, arguments);
    if (!options) return kCannotRun;
    std::unique_ptr<QFileDevice> input;
    if (!options->combinations.isEmpty()) {
        input = open_input(options->combinations);
        if (!input) return kCannotRun;
        options->request.combinations = source_of(*input);
    }
    const Report report = make_report(options->request);
    if (report.refusal) {
        print_error(QString::fromStdString(report.refusal->text));
        return report.status;
    }

    Outputs outputs({options->combinations});
    QIODevice* output = outputs.open(options->output);
    if (!output) return kCannotRun;
    bool written = true;
    if (options->format == Format::Html) {
        const std::string html = report_html(report);
        output->write(html.data(), static_cast<qint64>(html.size()));
    } else {
        written = write_report_pdf(
            report, QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion(),
            *output);
        if (!written) print_error(QStringLiteral("impossibile disegnare la relazione"));
    }
    return outputs.close(written) && written ? report.status : kCannotRun;
}

}  // namespace command_line
