#include <QtTest>

#include <stdexcept>

#include "core/CrashReport.h"

class TestCrashReport : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void exceptionLineWritesReasonOrNil() {
        QCOMPARE(CrashReport::exceptionLine("std::runtime_error", QString("disk full")),
                 QString("CRASH (uncaught exception): std::runtime_error; reason: disk full"));
        QCOMPARE(CrashReport::exceptionLine("Oddity", std::nullopt),
                 QString("CRASH (uncaught exception): Oddity; reason: nil"));
        // An empty reason is a reason, not a missing one.
        QCOMPARE(CrashReport::exceptionLine("E", QString("")),
                 QString("CRASH (uncaught exception): E; reason: "));
    }

    void callStackKeepsTheFirstThirtyFrames() {
        QStringList fifty;
        for (int i = 0; i < 50; ++i) {
            fifty << QString("f%1").arg(i);
        }
        const QString line = CrashReport::callStackLine(fifty);
        QVERIFY(line.startsWith("callStack: f0 | f1 | "));
        QVERIFY(line.endsWith(" | f29"));
        QCOMPARE(line.count(" | "), 29);

        QCOMPARE(CrashReport::callStackLine({"a", "b"}), QString("callStack: a | b"));
        QCOMPARE(CrashReport::callStackLine({}), QString("callStack: "));
    }

    void capturesTheStackAndTheActiveExceptionType() {
        QVERIFY(CrashReport::currentCallStack().size() >= 2);
        QVERIFY(CrashReport::currentExceptionTypeName().isEmpty());
        try {
            throw std::out_of_range("x");
        } catch (...) {
            QCOMPARE(CrashReport::currentExceptionTypeName(), QString("std::out_of_range"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCrashReport)
#include "tst_crash_report.moc"
