// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>
#include <QtGlobal>

#include <malloc.h>
#include <cstdio>
#include <memory>

#include "app/QuillstackApp.h"
#include "app/ReleaseOutput.h"
#include "app/backend/PlatformServices.h"
#include "app/instance/CommandLine.h"
#include "app/instance/RunningInstance.h"
#include "app/instance/SingleInstance.h"
#include "core/AppEnvironment.h"
#include "platform/freedesktop/PrivateTempDirectory.h"
#include "settings/InterfaceLanguage.h"

namespace {
void say(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

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
        !PlatformServices::chooseWindowingSystem(arguments)) {
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
        return RunningInstance::ask(asking, *commandLine.query, commandLine.language);
    }
    if (folder.path) {
        instance = std::make_unique<SingleInstance>(*folder.path);
        // What the launcher gave this start to focus a window with goes to the running one.
        const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
        instance->carryActivationToken(token.isEmpty() ? qEnvironmentVariable("DESKTOP_STARTUP_ID")
                                                       : token);
        if (const std::optional<int> status =
                RunningInstance::handOver(*instance, commandLine.command, commandLine.language)) {
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
    const std::optional<WindowingSystem> windowing =
        PlatformServices::chooseWindowingSystem(arguments);
    if (!windowing) {
        return 1;
    }
    QuillstackApp app(argc, argv, std::move(instance), commandLine.command, *windowing);
    if constexpr (!AppEnvironment::isLoggingEnabled) {
        ReleaseOutput::silenceStandardStreams();
    }
    return app.run();
}
