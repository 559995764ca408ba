#include <QAbstractItemModelTester>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "FakeHistory.h"
#include "TestHelpers.h"
#include "history/HistoryListModel.h"

using Kind = HistoryListModel::Kind;

namespace {

StoredItem text(const QString& s) {
    return {{"UTF8_STRING", s.toUtf8()}};
}

QByteArray png(int side) {
    return encodeImage(solidImage(side, side / 2, Qt::red));
}

struct Rig : FakeHistory {
    QTemporaryDir files;  // apart from the blob folder, whose sweep removes strangers
    HistoryListModel model{history, scheduler, thumbnailer};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
    QStringList log;  // what the views were told

    Rig() {
        limits.bufferLimit = 4;
        history.startMonitoring();
        const auto note = [this](const QString& what) {
            return [this, what](const QModelIndex&, int from, int to) {
                log << what.arg(from).arg(to);
            };
        };
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, note("insert %1-%2"));
        QObject::connect(&model, &QAbstractItemModel::rowsRemoved, note("remove %1-%2"));
        QObject::connect(&model, &QAbstractItemModel::rowsMoved, [this] { log << "move"; });
        QObject::connect(&model, &QAbstractItemModel::modelReset, [this] { log << "reset"; });
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [this](const QModelIndex& from, const QModelIndex& to, QList<int> roles) {
                             const bool picture = roles == QList<int>{Qt::DecorationRole};
                             log << QStringLiteral("data %1-%2%3")
                                        .arg(from.row())
                                        .arg(to.row())
                                        .arg(picture ? " picture" : "");
                         });
    }
    void copy(const StoredItem& content) { FakeHistory::copy({content}); }
    StoredItem fileCopy(const QString& name) {
        QFile(files.filePath(name)).open(QIODevice::WriteOnly);
        return {{"text/uri-list", QUrl::fromLocalFile(files.filePath(name)).toEncoded()}};
    }
    QVariant at(int row, int role) const { return model.data(model.index(row), role); }
    QString rows() const {
        QStringList out;
        for (int row = 0; row < model.rowCount(); ++row) {
            const bool sameId =
                at(row, HistoryListModel::RecordIdRole) == history.items()[row].id();
            out << at(row, Qt::DisplayRole).toString() + (sameId ? "" : "(wrong id)");
        }
        return out.join(' ');
    }
};

}  // namespace

class TestHistoryListModel : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Each history operation reaches the views as row signals for exactly what changed.
    void followsHistoryRowByRow_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("rows");
        QTest::newRow("new copy") << "limit 5; copy e" << QStringList{"insert 0-0"} << "e d c b a";
        QTest::newRow("new copy, oldest trimmed")
            << "copy e" << QStringList{"remove 3-3", "insert 0-0"} << "e d c b";
        QTest::newRow("supersede")
            << "copy b" << QStringList{"remove 2-2", "insert 0-0"} << "b d c a";
        QTest::newRow("supersede and trim, two runs")
            << "limit 3; copy c" << QStringList{"remove 3-3", "remove 1-1", "insert 0-0"}
            << "c d b";
        QTest::newRow("remove") << "remove 2" << QStringList{"remove 2-2"} << "d c a";
        QTest::newRow("clear all") << "clear" << QStringList{"remove 0-3"} << "";
    }
    void followsHistoryRowByRow() {
        QFETCH(QString, operation);
        QFETCH(QStringList, told);
        QFETCH(QString, rows);
        Rig rig;
        for (const char* name : {"a", "b", "c", "d"}) {
            rig.copy(text(name));
        }
        rig.log.clear();
        for (const QString& step : operation.split("; ")) {
            const QString word = step.section(' ', 0, 0);
            const int number = step.section(' ', 1).toInt();
            if (word == "copy") {
                rig.copy(text(step.section(' ', 1)));
            } else if (word == "limit") {
                rig.limits.bufferLimit = number;
            } else if (word == "remove") {
                rig.history.removeItem(number);
            } else if (word == "clear") {
                rig.history.clearAll();
            }
        }
        QCOMPARE(rig.log, told);
        QCOMPARE(rig.rows(), rows);
    }

    void rolesOfEachKind_data() {
        QTest::addColumn<StoredItem>("content");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QSize>("picture");
        const QString x200(200, 'x');
        QTest::newRow("text") << text("two\nlines") << "two\nlines" << Kind::Text << QSize();
        QTest::newRow("201 clusters")
            << text("e\u0301" + x200) << "e\u0301" + x200.left(199) + "\u2026" << Kind::Text
            << QSize();
        QTest::newRow("one cluster longer than a record keeps")
            << text("e" + QString(5000, QChar(0x301)))
            << "e" + QString(ClipboardItem::storedPreviewUnits - 1, QChar(0x301)) + "\u2026"
            << Kind::Text << QSize();
        QTest::newRow("image") << StoredItem{{"image/png", png(8)}} << "[Image]" << Kind::Image
                               << QSize(8, 4);
        QTest::newRow("text like a placeholder")
            << text("[Content]") << "[Content]" << Kind::Text << QSize();
        QTest::newRow("other") << StoredItem{{"application/x-thing", "1"}} << "[Content]"
                               << Kind::Other << QSize();
    }
    void rolesOfEachKind() {
        QFETCH(StoredItem, content);
        QFETCH(QString, text);
        QFETCH(Kind, kind);
        QFETCH(QSize, picture);
        Rig rig;
        rig.copy(content);
        QCOMPARE(rig.rows(), text);
        QCOMPARE(rig.at(0, HistoryListModel::KindRole).toInt(), int(kind));
        QCOMPARE(rig.at(0, HistoryListModel::DateRole).toDateTime(), rig.scheduler.now());
        QCOMPARE(rig.at(0, Qt::DecorationRole).value<QImage>().size(),
                 picture.isValid() ? picture : QSize(0, 0));
    }

    // What a row shows: no box for a control character, no blank line at either end, the
    // names of every copied file, and a label where there is nothing to show.
    void rowText_data() {
        QTest::addColumn<StoredItem>("content");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ends in a line break") << text("hello\r\n") << "hello";
        QTest::newRow("blank lines around")
            << text("\n \n\tone\r\ntwo\rthree\n\n") << " one\ntwo\nthree";
        QTest::newRow("control characters")
            << text(QString("a") + QChar(0) + "b\x07\x1b[0m\u0085c") << "ab[0m\nc";
        QTest::newRow("whitespace alone") << text(" \t\r\n ") << "[Content]";
        QTest::newRow("link to a name with NUL")
            << StoredItem{{"text/uri-list", "file:///tmp/a%00b.txt"}} << "ab.txt";
        QTest::newRow("image") << StoredItem{{"image/png", png(8)}} << "[Image]";
        QTest::newRow("other") << StoredItem{{"application/x-thing", "1"}} << "[Content]";
        QTest::newRow("files")
            << StoredItem{{"text/uri-list",
                           "file:///tmp/a.txt\r\nfile:///tmp/dir/\r\nfile:///tmp/t%09a%0Ab"}}
            << "a.txt, dir, t a b";
        QTest::newRow("files without names")
            << StoredItem{{"text/uri-list", "file:///\r\nfile:///%0A/"}} << "[Files]";
    }
    void rowText() {
        QFETCH(StoredItem, content);
        QFETCH(QString, shown);
        Rig rig;
        rig.copy(content);
        QCOMPARE(rig.at(0, HistoryListModel::RowTextRole).toString(), shown);
    }

    // A file's picture arrives later and redraws its row alone; bytes that do not decode give
    // no picture, and answers for rows that left or failed change nothing.
    void fileThumbnailsArrive() {
        Rig rig;
        rig.copy({{"text/uri-list", QUrl::fromLocalFile(rig.files.filePath("gone")).toEncoded()}});
        QVERIFY(rig.thumbnailer.requests().isEmpty());
        rig.history.clearAll();
        rig.copy(rig.fileCopy("one.txt"));
        rig.copy(text("between"));
        rig.copy(rig.fileCopy("two.txt"));
        QCOMPARE(rig.rows(), "two.txt between one.txt");
        QCOMPARE(rig.at(2, HistoryListModel::KindRole).toInt(), int(Kind::Files));
        QVERIFY(!rig.at(2, Qt::DecorationRole).isValid());
        rig.log.clear();

        rig.thumbnailer.answer(0, png(16));
        rig.scheduler.runUntilIdle();
        rig.thumbnailer.answer(1, QByteArray("\x89PNG broken"));
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.log, (QStringList{"data 2-2 picture", "data 0-0 picture"}));
        QCOMPARE(rig.at(2, Qt::DecorationRole).value<QImage>().size(), QSize(16, 8));
        QVERIFY(!rig.at(0, Qt::DecorationRole).isValid());

        // The row with a picture leaves: the picture that goes with it redraws nothing.
        rig.history.removeItem(2);
        QCOMPARE(rig.log.mid(2), QStringList{"remove 2-2"});
        rig.copy(rig.fileCopy("three.txt"));
        rig.copy(rig.fileCopy("four.txt"));
        rig.history.removeItem(1);
        rig.log.clear();
        rig.thumbnailer.answer(2, png(16));
        rig.thumbnailer.answer(3, std::nullopt);
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.log, QStringList());
        QCOMPARE(rig.thumbnailer.requests().size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestHistoryListModel)
#include "tst_history_list_model.moc"
