// SPDX-License-Identifier: MIT
#include "core/AppLogger.h"

#include <QMutex>

#include <cstdio>

namespace {
// Lines may come from the crash handler on any thread; one lock keeps them whole.
QMutex& sinkMutex() {
    static QMutex mutex;
    return mutex;
}
AppLogger::Sink& sink() {
    static AppLogger::Sink s;
    return s;
}

[[maybe_unused]] void logToStderr(const QString& message) {
    const QByteArray line = message.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}
}  // namespace

namespace AppLogger {

void log(const QString& message) {
    if constexpr (!AppEnvironment::isLoggingEnabled) {
        Q_UNUSED(message);
        return;
    } else {
        QMutexLocker lock(&sinkMutex());
        if (sink()) {
            sink()(message);
        } else {
            logToStderr(message);
        }
    }
}

void setSinkForTesting(Sink s) {
    QMutexLocker lock(&sinkMutex());
    sink() = std::move(s);
}

}  // namespace AppLogger
