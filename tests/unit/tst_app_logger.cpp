#include <QTemporaryFile>
#include <QTest>

#include <unistd.h>
#include <cstdio>

#include "core/AppLogger.h"

namespace {
// Everything written to standard error while `write` runs.
QByteArray captureStderr(const std::function<void()>& write) {
    QTemporaryFile file;
    if (!file.open()) {
        return "cannot open a temporary file";
    }
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(file.handle(), STDERR_FILENO);
    write();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    file.seek(0);
    return file.readAll();
}
}  // namespace

class TestAppLogger : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Development builds write whole lines in order; release builds write nothing anywhere.
    void linesOnlyWhereLoggingIsOn() {
        QCOMPARE(AppEnvironment::showDebugUI, AppEnvironment::isLoggingEnabled);
        QStringList lines;
        AppLogger::setSinkForTesting([&](const QString& line) { lines.append(line); });
        AppLogger::log("installMonitors: OK глобальный перехват установлен (1)");
        AppLogger::log(QString());
        AppLogger::log("[Language] applyLanguage('de')");
        AppLogger::setSinkForTesting({});
        const QByteArray err = captureStderr([] { AppLogger::log("back on stderr ✓"); });

        if constexpr (AppEnvironment::isLoggingEnabled) {
            QCOMPARE(lines, (QStringList{"installMonitors: OK глобальный перехват установлен (1)",
                                         "", "[Language] applyLanguage('de')"}));
            QCOMPARE(err, QByteArray("back on stderr ✓\n"));
        } else {
            QCOMPARE(lines, QStringList());
            QCOMPARE(err, QByteArray());
        }
    }
};

QTEST_GUILESS_MAIN(TestAppLogger)
#include "tst_app_logger.moc"
