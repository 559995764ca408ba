// SPDX-License-Identifier: MIT
#include "app/ReleaseOutput.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace {
std::atomic<int> criticalFd{STDERR_FILENO};

void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtCriticalMsg && type != QtFatalMsg) {
        return;
    }
    // Ours only: Qt's plugins log in categories of their own, and from Qt 6.8 the TIFF reader
    // reports a malformed copy as a critical message that can quote its contents.
    if (context.category && qstrcmp(context.category, "default") != 0) {
        return;
    }
    const int fd = criticalFd.load();
    if (fd < 0) {
        return;
    }
    const QByteArray line = message.toLocal8Bit() + '\n';
    [[maybe_unused]] const ssize_t written = ::write(fd, line.constData(), size_t(line.size()));
}
}  // namespace

namespace ReleaseOutput {

void installMessageHandler() {
    qInstallMessageHandler(&messageHandler);
}

void silenceStandardStreams() {
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devNull < 0) {
        return;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    // Kept above the standard numbers and not inherited by programs we start.
    criticalFd.store(::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3));
    ::dup2(devNull, STDOUT_FILENO);
    ::dup2(devNull, STDERR_FILENO);
    ::close(devNull);
}

}  // namespace ReleaseOutput
