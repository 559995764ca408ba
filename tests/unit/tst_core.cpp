// SPDX-License-Identifier: MIT
#include <QtTest>

#include <stdexcept>

#include "core/AppLogger.h"
#include "core/CrashReport.h"
#include "core/GraphemeCut.h"
#include "core/RelativeDate.h"

using Cut = std::optional<qsizetype>;

const QDateTime kNow(QDate(2026, 3, 1), QTime(12, 0), QTimeZone::utc());

class TestCore : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Development builds hand on whole lines in order (the programs' own tests read them on
    // standard error); release builds write nothing.
    void logAndCrashLines() {
        const QStringList written{"installMonitors: OK глобальный перехват (1)", "", "[L] x('de')"};
        QStringList lines;
        AppLogger::setSinkForTesting([&](const QString& line) { lines.append(line); });
        for (const QString& line : written) {
            AppLogger::log(line);
        }
        AppLogger::setSinkForTesting({});
        QCOMPARE(lines, AppEnvironment::isLoggingEnabled ? written : QStringList());

        // The crash lines as the log reader expects them: an empty reason is a reason, not
        // "nil"; at most thirty frames.
        QCOMPARE(CrashReport::exceptionLine("E", QString("")),
                 "CRASH (uncaught exception): E; reason: ");
        QVERIFY(CrashReport::exceptionLine("E", std::nullopt).endsWith("; reason: nil"));
        const QStringList fifty = QString("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWX")
                                      .split(QString(), Qt::SkipEmptyParts);
        QCOMPARE(CrashReport::callStackLine(fifty), "callStack: " + fifty.mid(0, 30).join(" | "));
        QVERIFY(CrashReport::currentCallStack().size() >= 2);
        QVERIFY(CrashReport::currentExceptionTypeName().isEmpty());
        try {
            throw std::out_of_range("x");
        } catch (...) {
            QCOMPARE(CrashReport::currentExceptionTypeName(), QString("std::out_of_range"));
        }
    }

    // The text for an age, and the wait until it changes: exactly then, not a millisecond
    // before (0: not checked).
    void relativeDate_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<qint64>("ageMs");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<qint64>("changeMs");
        const auto row = [](const char* language, qint64 ageMs, const char* expected,
                            qint64 changeMs = 0) {
            QTest::addRow("%s %s", language, expected)
                << QString(language) << ageMs << expected << changeMs;
        };
        row("en", 400, "now", 600);
        row("en", 30'400, "30 seconds ago", 600);
        row("en", 119'000, "1 minute ago", 1'000);
        row("en", 3 * 3'600'000 + 59'000, "3 hours ago", 3'541'000);
        row("en", 2 * 86'400'000, "2 days ago");
        row("en", -5'000, "now", 6'000);  // a date ahead of the clock
        row("ru", 2 * 60'000, "2 минуты назад");
        row("pt-BR", 3'600'000, "há 1 hora");
    }
    void relativeDate() {
        QFETCH(QString, language);
        QFETCH(qint64, ageMs);
        QFETCH(qint64, changeMs);
        const QDateTime date = kNow.addMSecs(-ageMs);
        QTEST(RelativeDate::format(date, kNow, language), "expected");
        if (changeMs > 0) {
            QCOMPARE(RelativeDate::msUntilChange(date, kNow), changeMs);
            QTEST(RelativeDate::format(date, kNow.addMSecs(changeMs - 1), language), "expected");
            QVERIFY(RelativeDate::format(date, kNow.addMSecs(changeMs), language) !=
                    RelativeDate::format(date, kNow, language));
        }
    }

    void graphemeCut_data() {
        const QString thumb = QStringLiteral("\U0001F44D\U0001F3FD");  // one cluster, four units
        const QString e = QStringLiteral("e\u0301");                   // one cluster, two units
        const QString tremolo = QStringLiteral("\U0001D1A7");          // combining, two units
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("clusters");
        QTest::addColumn<qsizetype>("maxUnits");
        QTest::addColumn<Cut>("expected");
        const auto row = [](const char* name, const QString& text, int clusters, Cut expected,
                            qsizetype maxUnits = std::numeric_limits<qsizetype>::max()) {
            QTest::newRow(name) << text << clusters << maxUnits << expected;
        };
        row("fits", "abc", 3, Cut());
        row("emoji whole", thumb + thumb, 1, Cut(4));
        row("long", e.repeated(5000), 100, Cut(200));  // far beyond the first prefix segmented
        row("cluster across prefixes", "a" + QString(50, QChar(0x301)) + "b", 1, Cut(51));
        row("unit bound before clusters", e.repeated(10), 8, Cut(4), 5);
        row("one endless cluster", "e" + tremolo.repeated(10), 5, Cut(7), 8);
        row("endless cluster on a pair", "ee" + tremolo.repeated(10), 5, Cut(1), 2);
    }
    void graphemeCut() {
        QFETCH(QString, text);
        QFETCH(int, clusters);
        QFETCH(qsizetype, maxUnits);
        QTEST(::graphemeCut(text, clusters, maxUnits), "expected");
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
