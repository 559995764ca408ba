#include <QtTest>

#include "core/GraphemeCut.h"

using Cut = std::optional<qsizetype>;
Q_DECLARE_METATYPE(Cut)

class TestGraphemeCut : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void cut_data() {
        const QString thumb = QStringLiteral("\U0001F44D\U0001F3FD");  // one cluster, four units
        const QString e = QStringLiteral("e\u0301");                   // one cluster, two units
        const QString tremolo = QStringLiteral("\U0001D1A7");          // combining, two units
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("clusters");
        QTest::addColumn<qsizetype>("maxUnits");
        QTest::addColumn<Cut>("expected");
        const qsizetype any = std::numeric_limits<qsizetype>::max();
        QTest::newRow("fits") << "abc" << 3 << any << Cut();
        QTest::newRow("empty") << "" << 1 << any << Cut();
        QTest::newRow("ascii") << "abcd" << 3 << any << Cut(3);
        QTest::newRow("emoji whole") << thumb + thumb << 1 << any << Cut(4);
        QTest::newRow("emoji fits") << thumb << 1 << any << Cut();
        QTest::newRow("accent") << e.repeated(3) << 2 << any << Cut(4);
        // A text far longer than the first prefix the cut segments.
        QTest::newRow("long") << e.repeated(5000) << 100 << any << Cut(200);
        QTest::newRow("cluster across prefixes")
            << "a" + QString(50, QChar(0x301)) + "b" << 1 << any << Cut(51);
        QTest::newRow("unit bound before clusters")
            << e.repeated(10) << 8 << qsizetype(5) << Cut(4);
        QTest::newRow("unit bound fits") << e.repeated(2) << 8 << qsizetype(4) << Cut();
        QTest::newRow("one endless cluster")
            << "e" + tremolo.repeated(10) << 5 << qsizetype(8) << Cut(7);
        QTest::newRow("endless cluster on a pair")
            << "ee" + tremolo.repeated(10) << 5 << qsizetype(2) << Cut(1);
    }
    void cut() {
        QFETCH(QString, text);
        QFETCH(int, clusters);
        QFETCH(qsizetype, maxUnits);
        QFETCH(Cut, expected);
        QCOMPARE(graphemeCut(text, clusters, maxUnits), expected);
    }
};

QTEST_APPLESS_MAIN(TestGraphemeCut)
#include "tst_grapheme_cut.moc"
