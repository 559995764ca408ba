#include <QTemporaryFile>
#include <QtTest>

#include <unistd.h>
#include <cstdio>
#include <stdexcept>

#include "core/AppLogger.h"
#include "core/CrashReport.h"
#include "core/RelativeDate.h"

namespace {
const QDateTime kNow(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

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

class TestCore : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Development builds write whole lines in order; release builds write nothing anywhere.
    void logLinesOnlyWhereLoggingIsOn() {
        QCOMPARE(AppEnvironment::showDebugUI, AppEnvironment::isLoggingEnabled);
        const QStringList written{"installMonitors: OK глобальный перехват установлен (1)", "",
                                  "[Language] applyLanguage('de')"};
        QStringList lines;
        AppLogger::setSinkForTesting([&](const QString& line) { lines.append(line); });
        for (const QString& line : written) {
            AppLogger::log(line);
        }
        AppLogger::setSinkForTesting({});
        const QByteArray err = captureStderr([] { AppLogger::log("back on stderr ✓"); });
        const bool on = AppEnvironment::isLoggingEnabled;
        QCOMPARE(lines, on ? written : QStringList());
        QCOMPARE(err, on ? QByteArray("back on stderr ✓\n") : QByteArray());
    }

    // The crash lines as the log reader expects them: an empty reason is a reason, not "nil";
    // at most thirty frames.
    void crashReportLines() {
        const QString prefix = QStringLiteral("CRASH (uncaught exception): ");
        QCOMPARE(CrashReport::exceptionLine("std::runtime_error", QString("disk full")),
                 prefix + "std::runtime_error; reason: disk full");
        QCOMPARE(CrashReport::exceptionLine("Oddity", std::nullopt),
                 prefix + "Oddity; reason: nil");
        QCOMPARE(CrashReport::exceptionLine("E", QString("")), prefix + "E; reason: ");
        QStringList fifty;
        for (int i = 0; i < 50; ++i) {
            fifty << QString("f%1").arg(i);
        }
        QCOMPARE(CrashReport::callStackLine(fifty),
                 "callStack: " + fifty.mid(0, 30).join(QStringLiteral(" | ")));
        QCOMPARE(CrashReport::callStackLine({"a", "b"}), QString("callStack: a | b"));
        QCOMPARE(CrashReport::callStackLine({}), QString("callStack: "));

        QVERIFY(CrashReport::currentCallStack().size() >= 2);
        QVERIFY(CrashReport::currentExceptionTypeName().isEmpty());
        try {
            throw std::out_of_range("x");
        } catch (...) {
            QCOMPARE(CrashReport::currentExceptionTypeName(), QString("std::out_of_range"));
        }
    }

    void relativeDate_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<qint64>("ageMs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("en just now") << "en" << qint64(400) << "now";
        QTest::newRow("en seconds") << "en" << qint64(30'000) << "30 seconds ago";
        QTest::newRow("en whole minutes only") << "en" << qint64(119'000) << "1 minute ago";
        QTest::newRow("en minutes") << "en" << qint64(125'000) << "2 minutes ago";
        QTest::newRow("en hours") << "en" << qint64(3 * 3'600'000 + 59'000) << "3 hours ago";
        QTest::newRow("en days") << "en" << qint64(2 * 86'400'000) << "2 days ago";
        QTest::newRow("en a date ahead of the clock") << "en" << qint64(-5'000) << "now";
        QTest::newRow("ru few") << "ru" << qint64(2 * 60'000) << "2 минуты назад";
        QTest::newRow("ru many") << "ru" << qint64(5 * 60'000) << "5 минут назад";
        QTest::newRow("ru one") << "ru" << qint64(21 * 60'000) << "21 минуту назад";
        QTest::newRow("zh-Hans script") << "zh-Hans" << qint64(2 * 60'000) << "2分钟前";
        QTest::newRow("pt-BR region") << "pt-BR" << qint64(3'600'000) << "há 1 hora";
    }
    void relativeDate() {
        QFETCH(QString, language);
        QFETCH(qint64, ageMs);
        QTEST(RelativeDate::format(kNow.addMSecs(-ageMs), kNow, language), "expected");
    }

    // The text changes exactly when the wait says, not a millisecond before.
    void relativeDateChange_data() {
        QTest::addColumn<qint64>("ageMs");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("seconds") << qint64(30'400) << qint64(600);
        QTest::newRow("minutes") << qint64(130'000) << qint64(50'000);
        QTest::newRow("hours") << qint64(3'600'000 + 300'000) << qint64(3'300'000);
        QTest::newRow("ahead of the clock") << qint64(-2'000) << qint64(3'000);
    }
    void relativeDateChange() {
        QFETCH(qint64, ageMs);
        QFETCH(qint64, expected);
        const QDateTime date = kNow.addMSecs(-ageMs);
        QCOMPARE(RelativeDate::msUntilChange(date, kNow), expected);
        const QString before = RelativeDate::format(date, kNow.addMSecs(expected - 1), "en");
        QCOMPARE(RelativeDate::format(date, kNow, "en"), before);
        QVERIFY(RelativeDate::format(date, kNow.addMSecs(expected), "en") != before);
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
