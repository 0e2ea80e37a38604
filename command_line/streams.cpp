#include "command_line/streams.hpp"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace command_line {

namespace {

bool is_standard(const QString& name)
{
    return name.isEmpty() || name == u"-";
}

}  // namespace

void print(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

void print_error(const QString& text)
{
    std::fflush(stdout);  // what was said so far comes first
    std::fputs((text + u'\n').toUtf8().constData(), stderr);
}

QString one_line(QString text)
{
    return text.replace(u'\n', u' ');
}

QLocale locale_of(const CsvConvention& convention)
{
    return convention.decimal_comma_read() ? QLocale(QLocale::Italian) : QLocale::c();
}

std::unique_ptr<QFileDevice> open_input(const QString& name)
{
    auto input = std::make_unique<QFile>(is_standard(name) ? QString() : name);
    if (is_standard(name) ? input->open(stdin, QIODevice::ReadOnly) : input->open(QIODevice::ReadOnly))
        return input;
    print_error(QStringLiteral("impossibile leggere %1: %2").arg(name, input->errorString()));
    return nullptr;
}

std::unique_ptr<QFileDevice> open_output(const QString& name)
{
    if (is_standard(name)) {
        auto output = std::make_unique<QFile>();
        output->open(stdout, QIODevice::WriteOnly);
        return output;
    }
    auto output = std::make_unique<QSaveFile>(name);
    if (output->open(QIODevice::WriteOnly)) return output;
    print_error(QStringLiteral("impossibile scrivere %1: %2").arg(name, output->errorString()));
    return nullptr;
}

bool close_output(QFileDevice& output, bool keep, const QString& name)
{
    auto* file = qobject_cast<QSaveFile*>(&output);
    if (!file || !keep) return true;  // a file not committed is discarded
    if (file->commit()) return true;
    print_error(QStringLiteral("impossibile scrivere %1: %2").arg(name, file->errorString()));
    return false;
}

}  // namespace command_line
