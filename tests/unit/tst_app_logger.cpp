#include <QTest>

#include "app/AppLogger.h"

class TestAppLogger : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void sinkReceivesWholeLinesInOrder();
};

void TestAppLogger::sinkReceivesWholeLinesInOrder() {
    // This is a development build: logging must be on here, or no test sees a line.
    QVERIFY(AppEnvironment::isLoggingEnabled);
    QCOMPARE(AppEnvironment::showDebugUI, AppEnvironment::isDebug);

    QStringList lines;
    AppLogger::setSinkForTesting([&](const QString& line) { lines.append(line); });
    AppLogger::log(QStringLiteral("installMonitors: OK глобальный перехват установлен (1)"));
    AppLogger::log(QString());
    AppLogger::log(QStringLiteral("[Language] applyLanguage('de')"));
    AppLogger::setSinkForTesting({});
    AppLogger::log(QStringLiteral("after the sink was removed"));

    QCOMPARE(lines, (QStringList{QStringLiteral("installMonitors: OK глобальный перехват "
                                                "установлен (1)"),
                                 QString(), QStringLiteral("[Language] applyLanguage('de')")}));
}

QTEST_GUILESS_MAIN(TestAppLogger)
#include "tst_app_logger.moc"
