// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>
#include <QtGlobal>

#include <malloc.h>
#include <csignal>
#include <cstdio>
#include <memory>

#include "app/CommandLine.h"
#include "app/PlatformServices.h"
#include "app/QuillstackApp.h"
#include "app/ReleaseOutput.h"
#include "app/SingleInstance.h"
#include "core/AppEnvironment.h"
#include "platform/freedesktop/PrivateTempDirectory.h"
#include "settings/InterfaceLanguage.h"

namespace {
void say(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

void sayNoAnswer(const SingleInstance& instance) {
    say(stderr,
        QStringLiteral("Quillstack is running but did not answer: %1\n").arg(instance.failure()));
}

// The running instance's answer to this start, or nothing when this process is to run.
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

// A query is only ever answered by a running instance: this process never runs in its place,
// and never takes the lock either.
int askRunning(SingleInstance& instance, const SingleInstance::Query& query,
               const QString& language) {
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

std::optional<WindowingSystem> chooseWindowingSystem(const QStringList& arguments);

// Without the lock and the socket a later start could not find this one (a desktop shortcut's
// --toggle-popup would start another instance each time), so none runs at all: one line on
// stderr, and a message box where a display is open.
int refuseToRun(int& argc, char** argv, const QStringList& arguments,
                const QList<PrivateTempDirectory::Refusal>& refused) {
    const char* header = QT_TRANSLATE_NOOP(
        "QuillstackApp",
        "Quillstack cannot start: none of these folders can be trusted to hold its lock and "
        "socket.");
    QStringList english;
    for (const PrivateTempDirectory::Refusal& refusal : refused) {
        english << refusal.folder + QStringLiteral(" ") + refusal.reason;
    }
    say(stderr, QString::fromUtf8(header) + QStringLiteral(" ") +
                    english.join(QStringLiteral("; ")) + QStringLiteral("\n"));
    if ((qEnvironmentVariableIsEmpty("DISPLAY") &&
         qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) ||
        !chooseWindowingSystem(arguments)) {
        return 1;
    }
    QApplication app(argc, argv);
    const InterfaceLanguage language(nullptr,
                                     InterfaceLanguage::match(QLocale::system().uiLanguages()));
    QStringList lines;
    for (const PrivateTempDirectory::Refusal& refusal : refused) {
        lines << refusal.folder + QStringLiteral(" — ") +
                     QCoreApplication::translate("PrivateFiles",
                                                 refusal.reason.toUtf8().constData());
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Quillstack"),
                    QCoreApplication::translate("QuillstackApp", header), QMessageBox::Ok);
    box.setInformativeText(lines.join(u'\n'));
    box.exec();
    return 1;
}

// Under Wayland the compositor's data control is what lets a program watch and own the
// clipboard; where it is missing (GNOME) the X11 backend runs through XWayland, to which mutter
// hands every copy (the Shell extension adds the input ports there). Qt's platform is set to match,
// since each backend's services need that connection. An explicit QT_QPA_PLATFORM is obeyed, except
// a session-wide "wayland" where the compositor gives no clipboard access but XWayland runs.
std::optional<WindowingSystem> chooseWindowingSystem(const QStringList& arguments) {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool wantsWayland = platform.startsWith(QStringLiteral("wayland"));
    if ((wantsWayland || platform.isEmpty()) && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        PlatformServices::waylandUsable()) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("wayland"));
        return WindowingSystem::Wayland;
    }
    if (wantsWayland && qEnvironmentVariableIsEmpty("DISPLAY")) {
        say(stderr, QStringLiteral("Quillstack needs a Wayland compositor that offers clipboard "
                                   "access to programs (wlr data control)\n"));
        return std::nullopt;
    }
    if (platform.isEmpty() || wantsWayland) {
        // Qt aborts when its only platform cannot start; say what is missing instead.
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            !arguments.contains(QStringLiteral("-display"))) {
            say(stderr, QStringLiteral("Quillstack needs an X11 display or a Wayland compositor "
                                       "that offers clipboard access to programs\n"));
            return std::nullopt;
        }
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
    }
    return WindowingSystem::X11;
}
}  // namespace

int main(int argc, char** argv) {
    // Copies of images are large, short-lived buffers built on worker threads. With glibc's
    // sliding threshold they end up in per-thread arenas that are never given back; a fixed
    // threshold keeps them in their own mappings, returned on free.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillstack"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillstack"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLSTACK_VERSION));

    if constexpr (!AppEnvironment::isLoggingEnabled) {
        // From the start, commands included: Qt's own warnings can name files and windows of the
        // user's session.
        ReleaseOutput::installMessageHandler();
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Before any display is opened: help, mistakes and commands work without one.
    const CommandLine commandLine = CommandLine::parse(arguments);
    if (commandLine.outcome != CommandLine::Outcome::Run) {
        say(commandLine.outcome == CommandLine::Outcome::Error ? stderr : stdout, commandLine.text);
        return commandLine.exitStatus();
    }

    // Decided before anything is written or wiped: a second start leaves the running one's
    // settings, blob files and tray icon alone.
    PrivateTempDirectory::InstanceFolder folder = PrivateTempDirectory::instanceDirectory();
    std::unique_ptr<SingleInstance> instance;
    if (commandLine.query) {
        if (!folder.path) {
            say(stderr, QStringLiteral("Quillstack is not running\n"));
            return 1;
        }
        SingleInstance asking(*folder.path);
        return askRunning(asking, *commandLine.query, commandLine.language);
    }
    if (folder.path) {
        instance = std::make_unique<SingleInstance>(*folder.path);
        // What the launcher gave this start to focus a window with goes to the running one.
        const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
        instance->carryActivationToken(token.isEmpty() ? qEnvironmentVariable("DESKTOP_STARTUP_ID")
                                                       : token);
        if (const std::optional<int> status =
                handOver(*instance, commandLine.command, commandLine.language)) {
            return *status;
        }
        if (!instance->isPrimary()) {
            folder.refused.append({*folder.path, QStringLiteral(QT_TRANSLATE_NOOP(
                                                     "PrivateFiles", "its lock cannot be taken"))});
        }
    }
    if (!instance || !instance->isPrimary()) {
        return refuseToRun(argc, argv, arguments, folder.refused);
    }
    const std::optional<WindowingSystem> windowing = chooseWindowingSystem(arguments);
    if (!windowing) {
        return 1;
    }
    QuillstackApp app(argc, argv, std::move(instance), commandLine.command, *windowing);
    if constexpr (!AppEnvironment::isLoggingEnabled) {
        ReleaseOutput::silenceStandardStreams();
    }
    return app.run();
}
