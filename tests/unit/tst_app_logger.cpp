#include <QTest>

#include "app/AppLogger.h"

class TestAppLogger : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void sinkReceivesWholeLinesInOrder() {
        // A development build: logging must be on, or no test here sees a line.
        QVERIFY(AppEnvironment::isLoggingEnabled && AppEnvironment::showDebugUI);
        QStringList lines;
        AppLogger::setSinkForTesting([&](const QString& line) { lines.append(line); });
        AppLogger::log("installMonitors: OK глобальный перехват установлен (1)");
        AppLogger::log(QString());
        AppLogger::log("[Language] applyLanguage('de')");
        AppLogger::setSinkForTesting({});
        AppLogger::log("back on stderr");
        QCOMPARE(lines, (QStringList{"installMonitors: OK глобальный перехват установлен (1)", "",
                                     "[Language] applyLanguage('de')"}));
    }
};

QTEST_GUILESS_MAIN(TestAppLogger)
#include "tst_app_logger.moc"
