// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "app/instance/SingleInstance.h"

// What the command line asks for. Parsed before any display is opened, so that --help,
// --version, mistakes and commands to a running instance work over ssh and in scripts.
struct CommandLine {
    enum class Outcome { Run, Help, Version, Error };

    Outcome outcome = Outcome::Run;
    // For Run: what to ask of the running instance, or to do once started. A plain start is
    // Activate.
    SingleInstance::Command command = SingleInstance::Command::Activate;
    // For Run: a question for the running instance instead of a command (--list, --print,
    // --copy), which never starts one.
    std::optional<SingleInstance::Query> query;
    // For Run: the language given with --language, checked; empty when none was.
    QString language;
    // For Help and Version: what to print on stdout; for Error: the message and the usage.
    QString text;

    // arguments: as in argv, the program first.
    static CommandLine parse(const QStringList& arguments);
    // Exit status for the outcomes that end the process at once.
    int exitStatus() const { return outcome == Outcome::Error ? errorStatus : 0; }
    // 1 for a record number or type that cannot name anything, 2 for other mistakes.
    int errorStatus = 2;
};
