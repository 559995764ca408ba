// SPDX-License-Identifier: MIT
#include "app/instance/RunningInstance.h"

#include <QByteArrayView>

#include <csignal>
#include <cstdio>

namespace {
void say(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

void sayNoAnswer(const SingleInstance& instance) {
    say(stderr,
        QStringLiteral("Quillstack is running but did not answer: %1\n").arg(instance.failure()));
}
}  // namespace

namespace RunningInstance {
std::optional<int> handOver(SingleInstance& instance, SingleInstance::Command command,
                            const QString& language) {
    if (command == SingleInstance::Command::Quit) {
        // Never starts one, so it only asks: the lock is left to a start that may be under way.
        switch (instance.tell(command, language)) {
            case SingleInstance::Reach::NotRunning:
                say(stderr, QStringLiteral("Quillstack is not running\n"));
                return 0;
            case SingleInstance::Reach::Answered:
                return 0;
            case SingleInstance::Reach::NoAnswer:
            case SingleInstance::Reach::Stopped:
                sayNoAnswer(instance);
                return 1;
        }
    }
    switch (instance.claim(command, language)) {
        case SingleInstance::Role::Primary:
        case SingleInstance::Role::Unavailable:
            return std::nullopt;
        case SingleInstance::Role::Secondary:
            break;
    }
    if (command == SingleInstance::Command::Activate && language.isEmpty()) {
        say(stderr, QStringLiteral("Quillstack is already running\n"));
        return 0;
    }
    if (!instance.commandDelivered()) {
        sayNoAnswer(instance);
        return 1;
    }
    return 0;
}

int ask(SingleInstance& instance, const SingleInstance::Query& query, const QString& language) {
    // A closed output (`| head -c 10`) is a write error to stop at, not a signal to die of.
    std::signal(SIGPIPE, SIG_IGN);
    bool written = true;
    const SingleInstance::Reach reach =
        instance.ask(query, language, [&written](QByteArrayView piece) {
            written = std::fwrite(piece.data(), 1, size_t(piece.size()), stdout) ==
                          size_t(piece.size()) &&
                      std::fflush(stdout) == 0;
            return written;
        });
    if (std::fflush(stdout) != 0) {
        written = false;
    }
    switch (reach) {
        case SingleInstance::Reach::NotRunning:
            say(stderr, QStringLiteral("Quillstack is not running\n"));
            return 1;
        case SingleInstance::Reach::NoAnswer:
            sayNoAnswer(instance);
            return 1;
        case SingleInstance::Reach::Stopped:
            return 1;  // whoever reads our output has gone; nothing left to tell it
        case SingleInstance::Reach::Answered:
            break;
    }
    if (!instance.answerError().isEmpty()) {
        say(stderr, instance.answerError() + u'\n');
        return 1;
    }
    return written ? 0 : 1;
}
}  // namespace RunningInstance
