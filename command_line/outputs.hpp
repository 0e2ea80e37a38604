// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace command_line {

class Output;

// Every output of one run. An ordinary file (or a name not yet taken) is
// written aside and appears under its name, complete, only when the run
// keeps every output. A device, a pipe or a socket is written through, as
// standard output is: it is never replaced by a file.
class Outputs {
public:
    // The files the run reads, which no output may name.
    explicit Outputs(QStringList input_names);
    ~Outputs();
    Outputs(const Outputs&) = delete;
    Outputs& operator=(const Outputs&) = delete;

    // Standard output for "-", no name, /dev/stdout or /dev/fd/1;
    // otherwise the named file. None, with the reason printed, when it
    // cannot be written or names an input or another output.
    QIODevice* open(const QString& name);
    // Keeps every output or none. False, with the reason printed, when a
    // write failed or an output could not be kept.
    bool close(bool keep);

private:
    QStringList inputs_;
    std::vector<std::unique_ptr<Output>> outputs_;
};

}  // namespace command_line
