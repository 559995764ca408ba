#include <QtTest>

#include "core/RelativeDate.h"

namespace {
const QDateTime kNow(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);
}

class TestRelativeDate : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void format_data() {
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
    void format() {
        QFETCH(QString, language);
        QFETCH(qint64, ageMs);
        QFETCH(QString, expected);
        QCOMPARE(RelativeDate::format(kNow.addMSecs(-ageMs), kNow, language), expected);
    }

    void msUntilChange_data() {
        QTest::addColumn<qint64>("ageMs");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("seconds") << qint64(30'400) << qint64(600);
        QTest::newRow("minutes") << qint64(130'000) << qint64(50'000);
        QTest::newRow("hours") << qint64(3'600'000 + 300'000) << qint64(3'300'000);
        QTest::newRow("ahead of the clock") << qint64(-2'000) << qint64(3'000);
    }
    void msUntilChange() {
        QFETCH(qint64, ageMs);
        QFETCH(qint64, expected);
        const QDateTime date = kNow.addMSecs(-ageMs);
        QCOMPARE(RelativeDate::msUntilChange(date, kNow), expected);
        // At that moment the text reads differently, and not a millisecond before.
        const QString before = RelativeDate::format(date, kNow.addMSecs(expected - 1), "en");
        QCOMPARE(RelativeDate::format(date, kNow, "en"), before);
        QVERIFY(RelativeDate::format(date, kNow.addMSecs(expected), "en") != before);
    }
};

QTEST_GUILESS_MAIN(TestRelativeDate)
#include "tst_relative_date.moc"
