// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QFileDevice>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "shared_rules/line_reader.hpp"

namespace command_line {

// Text for the user on standard output, and reasons on standard error, in UTF-8.
void print(const QString& text);
void print_error(const QString& text);

// The decimal mark of the user's locale, as the shared rules write it.
char locale_decimal_mark();

// A device as the shared rules read and write bytes.
shared_rules::ByteSource source_of(QIODevice& device);
shared_rules::ByteSink sink_of(QIODevice& device);

// A file to read, or standard input for "-" or no name; none, with the
// reason printed, when it cannot be read.
std::unique_ptr<QFileDevice> open_input(const QString& name);

// Every output of one run. Each file is written aside and appears under its
// name, complete, only when the run keeps them all; otherwise none does.
class Outputs {
public:
    // The files the run reads, which no output may name.
    explicit Outputs(QStringList input_names) : inputs_(std::move(input_names)) {}

    // Standard output for "-" or no name; otherwise a file. None, with the
    // reason printed, when it cannot be written or names an input or
    // another output.
    QIODevice* open(const QString& name);
    // Keeps every file or none; false, with the reason printed, when one
    // cannot be kept.
    bool close(bool keep);

private:
    QStringList inputs_;
    std::vector<std::pair<QString, std::unique_ptr<QFileDevice>>> files_;
    QFile standard_;
};

}  // namespace command_line
