// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/report_command.hpp"

#include <QCoreApplication>
#include <QDate>
#include <QFileDevice>

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

std::optional<ReportOptions> read_options(const QCommandLineParser& parser)
{
    ReportOptions options;
    QStringList errors;
    QString error;
    if (const auto values = section_values(parser, error))
        options.request.values = *values;
    else
        errors.append(error);
    options.output = parser.value(QStringLiteral("o"));
    if (options.output.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        options.format = Format::Pdf;
    else if (!options.output.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive) &&
             !options.output.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive))
        errors.append(
            QStringLiteral("-o vuole il file della relazione, RELAZIONE.pdf o RELAZIONE.html, non «%1»")
                .arg(options.output));
    const QString units = parser.value(QStringLiteral("unita"));
    if (parser.isSet(QStringLiteral("unita"))) {
        options.request.units = units_of(units.toStdString());
        if (!options.request.units)
            errors.append(
                QStringLiteral("--unita vuole FORZA,LUNGHEZZA (forza kg, daN, N o kN; lunghezza mm, cm "
                               "o m), non «%1»")
                    .arg(units));
    }
    const QString date = parser.isSet(QStringLiteral("data")) ? parser.value(QStringLiteral("data"))
                                                              : QDate::currentDate().toString(Qt::ISODate);
    if (!QDate::fromString(date, Qt::ISODate).isValid() || date.size() != 10)
        errors.append(QStringLiteral("--data vuole una data AAAA-MM-GG, non «%1»").arg(date));
    options.request.date = date.toStdString();
    options.request.title = parser.value(QStringLiteral("titolo")).toStdString();
    options.request.version = QCoreApplication::applicationVersion().toStdString();
    options.request.locale_mark = locale_decimal_mark();
    options.combinations = parser.value(QStringLiteral("verifica"));
    if (errors.isEmpty()) return options;
    print_error(errors.join(u'\n') + QStringLiteral("\nVedere --help."));
    return std::nullopt;
}

}  // namespace

int run_report(const QCommandLineParser& parser)
{
    std::optional<ReportOptions> options = read_options(parser);
    if (!options) return kCannotRun;
    if (!options->combinations.isEmpty()) {
        const std::unique_ptr<QFileDevice> input = open_input(options->combinations);
        if (!input) return kCannotRun;
        options->request.combinations = input->readAll().toStdString();
    }
    const Report report = make_report(options->request);
    if (report.refusal) {
        print_error(QString::fromStdString(report.refusal->text));
        return report.status;
    }
    if (!report.units_warning.empty()) print_error(QString::fromStdString(report.units_warning));

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
