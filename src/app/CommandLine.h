#pragma once

#include <QString>
#include <QStringList>

#include "app/SingleInstance.h"

// What the command line asks for. Parsed before any display is opened, so that --help,
// --version, mistakes and commands to a running instance work over ssh and in scripts.
struct CommandLine {
    enum class Outcome { Run, Help, Version, Error };

    Outcome outcome = Outcome::Run;
    // For Run: what to ask of the running instance, or to do once started. A plain start is
    // Activate.
    SingleInstance::Command command = SingleInstance::Command::Activate;
    // For Run: the language given with --language, checked; empty when none was.
    QString language;
    // For Help and Version: what to print on stdout; for Error: the message and the usage.
    QString text;

    // arguments: as in argv, the program first.
    static CommandLine parse(const QStringList& arguments);
    // Exit status for the outcomes that end the process at once.
    int exitStatus() const { return outcome == Outcome::Error ? 2 : 0; }
};
