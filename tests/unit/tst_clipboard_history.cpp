// SPDX-License-Identifier: MIT
#include <QCborStreamWriter>
#include <QtTest>

#include <algorithm>
#include <limits>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include "ChordStack.h"
#include "ClipboardClients.h"
#include "TestHelpers.h"
#include "history/BlobStore.h"
#include "history/ClipboardContent.h"
#include "history/HistoryStore.h"
#include "history/RecordingGate.h"
#include "platform/freedesktop/PrivateTempDirectory.h"

using Kind = HistoryListModel::Kind;
using S = ClipboardSnapshot;
using L = QList<S>;

namespace {

StoredItem text(const QString& s) {
    return {{"UTF8_STRING", s.toUtf8()}};
}
StoredItem files(const QStringList& paths) {
    QByteArray list;
    for (const QString& p : paths) {
        list += QUrl::fromLocalFile(p).toEncoded() + "\r\n";
    }
    return {{"text/uri-list", list}};
}
// Larger than the inline limit, so it lives in a blob file.
QString big(char c) {
    return QString(300000, QChar::fromLatin1(c));
}
QByteArray png(int side) {
    return encodeImage(solidImage(side, side / 2, Qt::red));
}

// The history in virtual time, its blob files in a folder of its own; the list model over it,
// and what both told their observers.
struct Rig : HistoryStack {
    ClipboardHistory::Limits limits;
    QTemporaryDir folder;  // apart from the blob folder, whose sweep removes strangers
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
    QSignalSpy changes{&history, &ClipboardHistory::itemsChanged};
    QStringList log;  // what the views were told

    // A notifying clipboard, as on X11, unless told otherwise before begin().
    explicit Rig(bool start = true, HistoryStorage* storage = nullptr,
                 RecordingGate* gate = nullptr)
        : HistoryStack(
              true, [this] { return limits; }, storage, gate) {
        clipboard.setNotifiesChanges(true);
        const auto note = [this](const char* what) {
            return [this, what](const QModelIndex&, int from, int to) {
                log << QString(what).arg(from).arg(to);
            };
        };
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, note("insert %1-%2"));
        QObject::connect(&model, &QAbstractItemModel::rowsRemoved, note("remove %1-%2"));
        QObject::connect(&model, &QAbstractItemModel::rowsMoved,
                         [this](const QModelIndex&, int from, int, const QModelIndex&, int to) {
                             log << QString("move %1 to %2").arg(from).arg(to);
                         });
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [this](const QModelIndex& from, const QModelIndex& to, QList<int> roles) {
                             const bool picture = roles == QList<int>{Qt::DecorationRole};
                             log << QString("data %1-%2").arg(from.row()).arg(to.row()) +
                                        (picture ? " picture" : "");
                         });
        if (start) {
            begin();
        }
    }
    void begin() {
        history.startMonitoring();
        scheduler.runUntilIdle();
        changes.clear();
    }
    QStringList blobFiles() const { return QDir(history.blobDirectory()).entryList(QDir::Files); }
    // The blob folder holds the files of the records and nothing else.
    bool blobsMatchRecords() const {
        QStringList held;
        for (const ClipboardItem& item : history.items()) {
            if (item.blobPath()) {
                held << QFileInfo(*item.blobPath()).fileName();
            }
        }
        held.sort();
        return held == blobFiles();
    }
    QVariant at(int row, int role) const { return model.data(model.index(row), role); }
    // The first character of the model's rows, each checked against the record it stands for.
    QString rows() const {
        QStringList out;
        for (int row = 0; row < model.rowCount(); ++row) {
            const bool sameId =
                at(row, HistoryListModel::RecordIdRole) == history.items()[row].id();
            out << at(row, Qt::DisplayRole).toString().left(1) + (sameId ? "" : "(wrong id)");
        }
        return out.join(' ');
    }
};

// The database as the first version of its schema wrote it: no summaries.
bool asTheFirstVersionWroteIt(const QString& path) {
    return QProcess::execute("sqlite3", {path,
                                         "ALTER TABLE records DROP COLUMN summary; "
                                         "PRAGMA user_version = 1"}) == 0;
}

// The text under the plain-text targets; STRING only where Latin-1 holds it.
StoredItem plainText(const QString& s, StoredItem with = {}) {
    for (const char* type : {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain", "STRING"}) {
        with.insert(type, s.toUtf8());
    }
    return s.toLatin1() == s.toUtf8() ? with : (with.remove("STRING"), with);
}

// The window in front as a copy is made (none: the window system cannot tell), the ignored
// applications, then those the user sets meanwhile (null: no change), whether recording is
// paused, and whether the copy is recorded.
struct Gate {
    std::optional<RunningApp> front;
    QStringList ignored, setMeanwhile;
    bool paused, recorded;
};

// What is found where the history is kept, the pins restored, the reason told ("" for none), the
// name pattern of what is moved aside, and whether the next pins reach the database.
struct Found {
    QString found, problem, aside;
    int restored;
    bool pinKept;
};

// What one run does with its history, whether it keeps it, the first letters of the previews
// the next run restores (the pins first), bytes no longer anywhere in the folder, and whether
// the database is still there.
struct Kept {
    QString scenario, restored;
    QByteArray gone;
    bool keep, filesThere;
};

}  // namespace

// The history and the list model that shows it.
class TestClipboardHistory : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void startMonitoringWipesIngestsAndChecks() {
        // Notified, or polled every 0.5 s.
        for (const auto& [notifying, idleTimers, idleChecks] :
             {std::tuple(true, 0, 0), std::tuple(false, 1, 10)}) {
            Rig rig(false);
            rig.clipboard.setNotifiesChanges(notifying);
            QVERIFY(writeFile(rig.history.blobDirectory() + "/LEFTOVER.blob", {}));
            rig.clipboard.setContent({text("at launch")});
            rig.begin();
            rig.begin();  // started again: still one check
            QVERIFY(QDir(rig.history.blobDirectory()).isEmpty());
            QCOMPARE(std::pair(rig.previews(), rig.scheduler.pendingTimers()),
                     std::pair(QStringList{"at launch"}, qsizetype(idleTimers)));

            // Nothing changed: nothing ingested, and only a clipboard that cannot tell is polled.
            int reads = rig.clipboard.changeCountReads();
            rig.scheduler.advance(5000);
            QCOMPARE(rig.changes.count(), 0);
            QCOMPARE(rig.clipboard.changeCountReads() - reads, idleChecks);

            // Three copies within one interval: each recorded as it is made where the clipboard
            // tells, else one check at most 0.5 s after the first, for the last content only.
            reads = rig.clipboard.changeCountReads();
            for (const char* copy : {"one", "two", "three"}) {
                rig.clipboard.setContent({text(copy)});
                rig.scheduler.advance(copy[1] == 'h' ? 99 : 200);
            }
            QCOMPARE(rig.changes.count(), notifying ? 3 : 0);
            rig.scheduler.advance(1);
            QCOMPARE(std::tuple(rig.previews(), rig.clipboard.changeCountReads() - reads,
                                rig.scheduler.pendingTimers()),
                     std::tuple(notifying ? QStringList{"three", "two", "one", "at launch"}
                                          : QStringList{"three", "at launch"},
                                notifying ? 3 : 1, idleTimers));
        }
    }

    // One record is built at a time and copies wait for theirs in order: while builds keep up,
    // each of 1,000 copies 1 ms apart is recorded; while they lag (held), at most
    // maxWaitingCopies wait, the newest replacing the last of them: bounded, and the newest kept.
    void everyCopyRecordedWhileBuildsKeepUp() {
        for (const bool held : {false, true}) {
            Rig rig;
            rig.limits.historySize = 1000;
            rig.scheduler.holdBackground(held);
            // A copy every millisecond; copy 500 stays 60 ms, as one the user could have seen.
            for (int i = 0; i < 1000; ++i) {
                rig.scheduler.advance(i == 501 ? 60 : 1);
                rig.clipboard.setContent({text(QString::number(i))});
            }
            rig.scheduler.holdBackground(false);
            rig.scheduler.runUntilIdle();
            // Behind a build that lags, the newest wait, and the copy held longer among them.
            QStringList expected;
            for (int i = 999; i >= 0; --i) {
                if (!held || i == 0 || i == 500 || i > 1000 - ClipboardHistory::maxWaitingCopies) {
                    expected << QString::number(i);
                }
            }
            QCOMPARE(rig.previews(), expected);
            QVERIFY(rig.blobsMatchRecords());
        }
    }

    // Whose copies the gate lets the history record; the user's change applies at once (the
    // names themselves: tst_x11_keyboard).
    void gate_data() {
        QTest::addColumn<Gate>("g");
        const RunningApp keepass{1, {}, 2, "keepassxc", "KeePassXC"};
        const RunningApp terminal{3, {}, 4, "xterm", "XTerm"};
        const QStringList defaults = AppSettings::defaultIgnoredApplications();
        const auto row = [](const char* name, const Gate& g) { QTest::newRow(name) << g; };
        row("ignored class", {keepass, defaults, {}, false, false});
        row("front unknown", {std::nullopt, defaults, {}, false, true});
        row("paused", {terminal, {}, {}, true, false});
        row("ignored meanwhile", {terminal, defaults, {"Xterm"}, false, false});
        row("no longer ignored", {keepass, defaults, {"Foo"}, false, true});
    }
    void gate() {
        QFETCH(Gate, g);
        ManualScheduler clock;
        FakeWindowTracker windowTracker(clock);
        windowTracker.frontmost = g.front;
        RecordingGate gate(windowTracker, g.ignored);
        gate.setPaused(g.paused);
        if (!g.setMeanwhile.isEmpty()) {
            gate.setIgnoredApplications(g.setMeanwhile);
        }
        Rig rig(true, nullptr, &gate);
        rig.copy(text("copied"));
        QCOMPARE(rig.previews(), g.recorded ? QStringList{"copied"} : QStringList());
    }

    // One row per rule of what a copy supersedes and what it leaves alone. Once the owner of the
    // last copy quits, the newest record is offered as its restore offers it (nothing where the
    // newest copy left no record), no record is made of that, and anyone's next copy wins.
    void ingestAndDeduplication_data() {
        QTest::addColumn<L>("copies");
        QTest::addColumn<QStringList>("previews");  // newest first
        // In the newest record; empty: the last copy.
        QTest::addColumn<ClipboardSnapshot>("stored");
        QTest::addColumn<bool>("offered");  // the newest record, once the owner left
        const auto row = [](const char* name, const L& copies, const QStringList& previews,
                            const ClipboardSnapshot& stored = {}, bool offered = true) {
            QTest::newRow(name) << copies << previews << stored << offered;
        };
        QByteArray image(10000, 'p');
        QByteArray middle = image;
        middle[5000] = 'q';
        const StoredItem secret{{"x-kde-passwordManagerHint", "secret"}};
        row("same text, richer format", {{text("words")}, {{{"text/rtf", "{\\rtf1\\ansi words}"}}}},
            {"words"});
        // A desktop's keeper re-offers the text alone once the program quits.
        const ClipboardSnapshot rich{{{"UTF8_STRING", "three"}, {"text/html", "<b>3</b>"}}};
        row("less of the newest keeps it all", {rich, {{{"UTF8_STRING", "three"}}}}, {"three"},
            rich);
        row("less of an older one is a copy of its own",
            {rich, {text("other")}, {{{"UTF8_STRING", "three"}}}}, {"three", "other"});
        row("an image supersedes only an image",
            {{{{"image/png", image}}}, {text("[Image]")}, {{{"image/png", middle}}}},
            {"[Image]", "[Image]"});
        row("files in another order supersede only files",
            {{files({"/tmp/a.txt", "/tmp/b.txt"})},
             {text("a.txt")},
             {files({"/tmp/b.txt", "/tmp/a.txt", "/tmp/b.txt"})}},
            {"b.txt", "a.txt"});
        // A PNG target that delivered nothing must not cost the TIFF image.
        row("empty PNG keeps the TIFF", {{{{"image/png", {}}, {"image/tiff", "TIFF"}}}},
            {"[Content]"}, {{{"image/tiff", "TIFF"}}});
        // Password managers' copies leave no record and no blob, on any item, NUL or not.
        row("password manager",
            {{text(big('p')), secret},
             {{text("pw")}, {{"x-kde-passwordManagerHint", QByteArray("secret\0", 7)}}}},
            {}, {}, false);
        row("password copy newest", {{text("a")}, {text("pw"), secret}}, {"a"}, {text("a")}, false);
        row("several items",
            {{text("a")},
             {{{"UTF8_STRING", "b"}, {"text/html", "<i>b</i>"}},
              {{"x-extra", QByteArray("\0\1", 2)}}}},
            {"b", "a"});
        row("unbuilt, its owner left", {{text("a")}, {text("late")}}, {"late", "a"});
        row("unread, its owner left", {{text("a")}, {text("late")}}, {"late", "a"});
    }
    void ingestAndDeduplication() {
        QFETCH(L, copies);
        QFETCH(QStringList, previews);
        QFETCH(ClipboardSnapshot, stored);
        QFETCH(bool, offered);
        Rig rig;
        // The last copy's owner leaving while its record is built, or before it was even read.
        const QByteArray tag = QTest::currentDataTag();
        const bool late = tag.startsWith("un");
        std::ranges::for_each(copies.first(copies.size() - late),
                              [&rig](const S& copy) { rig.copy(copy); });
        const QList<ClipboardItem> before = rig.history.items();
        rig.clipboard.setNotifiesChanges(!tag.startsWith("unread"));
        if (late) {
            rig.clipboard.setContent(copies.last());
        }
        rig.clipboard.ownerLeaves();
        rig.clipboard.setNotifiesChanges(true);
        const QList<StoredItem> refill = rig.clipboard.writes();
        rig.scheduler.advance(2000);
        QCOMPARE(rig.previews(), previews);
        QVERIFY(rig.blobsMatchRecords());
        if (!previews.isEmpty()) {
            QCOMPARE(rig.history.items()[0].resolvedClipboardData(),
                     stored.isEmpty() ? copies.last() : stored);
        }
        QVERIFY(late || rig.history.items() == before);  // not a copy: the very same records
        QCOMPARE(rig.clipboard.items(), refill.isEmpty() ? S() : S{refill.first()});
        rig.copy(text("next"));
        QCOMPARE(std::pair(rig.previews().first(), refill.size()),
                 std::pair(QString("next"), qsizetype(offered)));
        if (offered) {  // what restoring the newest record, now below the next, offers
            rig.history.restoreToClipboard(1);
            QCOMPARE(rig.clipboard.writes().last(), refill.first());
        }
    }

    // A restore is no copy of the user's: nothing is recorded for it; a blob that cannot be read
    // leaves the clipboard as it is.
    void restoreWritesNoRecordAndNothingUnreadable() {
        Rig rig;
        rig.copy(text(big('b')));
        rig.copy(text("newer"));
        rig.changes.clear();
        QVERIFY(rig.history.restoreToClipboard(1));
        rig.scheduler.advance(2000);
        QCOMPARE(rig.changes.count(), 0);
        QVERIFY(QFile::remove(*rig.history.items()[1].blobPath()));
        const qint64 count = rig.clipboard.changeCount();
        rig.log.clear();
        const bool restored = rig.history.restoreToClipboard(1);
        // Refused, and said where the user looked: the row, until the record goes.
        const QModelIndex row = rig.model.index(1);
        QCOMPARE(std::tuple(restored, rig.clipboard.writes().size(), rig.clipboard.changeCount(),
                            rig.log, row.data(HistoryListModel::UnavailableRole).toBool(),
                            row.data(HistoryListModel::RowTextRole).toString()),
                 std::tuple(false, 1, count, QStringList{"data 1-1"}, true,
                            QString("No longer available: remove it with ×")));
        rig.history.removeItem(1);
        QVERIFY(!rig.model.index(1).data(HistoryListModel::UnavailableRole).toBool());
        // A clipboard that takes no write is no success, and the record stays as it was.
        rig.clipboard.setRefusesWrites(true);
        QVERIFY(!rig.history.restoreToClipboard(0));
        QVERIFY(!rig.model.index(0).data(HistoryListModel::UnavailableRole).toBool());
    }

    // Every item and target as stored, several items as one content (the first item's bytes
    // winning), files as file URLs. As copied, a rich text without plain text offers its text
    // as plain text too; as plain text, only the text types are offered; a picture is restored
    // as copied either way.
    void restoreOffersPlainText_data() {
        QTest::addColumn<S>("content");
        QTest::addColumn<bool>("asPlainText");
        QTest::addColumn<StoredItem>("offered");
        const StoredItem html{{"text/html", "<p>bold <b>words</b></p>"}};
        const StoredItem both{{"UTF8_STRING", "own"}, {"text/html", "<i>own</i>"}};
        const StoredItem picture{{"image/png", png(8)}, {"text/html", "<img alt=\"pic\">x"}};
        const auto row = [](const char* name, const S& content, bool plain, const StoredItem& to) {
            QTest::newRow(name) << content << plain << to;
        };
        const QByteArray b = big('b').toUtf8(), binary("\0\xff", 2), path = "/tmp/x y.txt";
        row("several items, a blob",
            {{{"UTF8_STRING", b}, {"x-private", binary}},
             {{"UTF8_STRING", "2"}, {"text/plain", "2"}}},
            false, {{"UTF8_STRING", b}, {"x-private", binary}, {"text/plain", "2"}});
        const QByteArray uri = "file:///tmp/x%20y.txt";
        row("files", {files({path}), {{"text/plain", "ignored"}}}, false,
            {{"text/uri-list", uri + "\r\n"},
             {"x-special/gnome-copied-files", "copy\n" + uri},
             {"text/plain;charset=utf-8", path},
             {"text/plain", path},
             {"UTF8_STRING", path}});
        row("HTML alone", {html}, false, plainText("bold words", html));
        row("own plain text", {both}, false, both);
        row("as plain text", {both}, true, plainText("own"));
        row("beyond Latin-1", {text("ж")}, true, plainText("ж"));
        row("picture", {picture}, true, picture);
    }
    void restoreOffersPlainText() {
        QFETCH(S, content);
        QFETCH(bool, asPlainText);
        Rig rig;
        rig.copy(content);
        rig.history.restoreToClipboard(0, asPlainText ? ClipboardHistory::RestoreAs::PlainText
                                                      : ClipboardHistory::RestoreAs::Copied);
        QTEST(rig.clipboard.writes().last(), "offered");
        QCOMPARE(rig.history.items()[0].resolvedClipboardData(), content);
    }

    // Whatever sits where the history is kept, nothing is followed, blocked on or taken as
    // ours: a damaged file of ours is moved aside with its journal; a link, a FIFO or anything
    // of someone else's is left alone. Each says so once, and a pin made meanwhile is kept when
    // it can be. The old pin file is taken over once.
    void storeFound_data() {
        QTest::addColumn<Found>("f");
        const auto row = [](const char* found, int restored, const char* problem, const char* aside,
                            bool kept) {
            QTest::newRow(found) << Found{found, problem, aside, restored, kept};
        };
        row("none yet, umask 002", 0, "", "", true);
        row("a kept history", 1, "", "", true);
        row("a kept history of the first version", 1, "", "", true);
        row("an old pin file", 1, "", "", true);
        row("an old pin file and a kept history", 2, "", "", true);
        row("an old pin file not a pin file", 1, "is not a pin file", "pinned.unreadable-*", true);
        row("a parent writable by the user's own group", 1, "", "", true);
        row("not a database", 0, "is not a history database", "history.sqlite.unreadable-*", true);
        row("damaged", 0, "is not a history database", "history.sqlite*.unreadable-*", true);
        row("of a newer version", 0, "is from a newer version of Quillstack",
            "history.sqlite.unreadable-*", true);
        row("a link to a file of the user", 0, "is a symbolic link", "", false);
        row("a link to /dev/zero", 0, "is a symbolic link", "", false);
        row("a journal that is a link", 0, "is a symbolic link", "", false);
        row("a FIFO", 0, "is not a regular file", "", false);
        row("a parent open to all", 0, "can be changed by other users", "", false);
        row("a folder of another user", 0, "belongs to another user", "", false);
        row("a full disk", 1, "cannot be written", "", false);
    }
    void storeFound() {
        QFETCH(Found, f);
        const auto& [found, problem, aside, restored, pinKept] = f;
        QTemporaryDir home;
        const QString data = home.filePath("data"), folder = data + "/Quillstack",
                      path = folder + "/history.sqlite", notes = home.filePath("notes.txt");
        const mode_t umask = ::umask(found.contains("umask") ? 002 : 022);
        const auto restoreUmask = qScopeGuard([umask] { ::umask(umask); });
        QVERIFY(writeFile(notes, "notes"));
        if (!found.contains("none") && found != "an old pin file") {
            HistoryStore earlier(folder);
            const ClipboardItem old = *ClipboardItem::make({text("old")}, {}, 100, 8);
            QVERIFY(!earlier.apply({{old}, {}, QList<QUuid>{old.id()}, {}}));
        }
        if (found.contains("old pin file")) {
            QVERIFY(QDir().mkpath(folder));
            // As earlier versions wrote it: their name, their version, [date, content] a pin.
            QByteArray old;
            QCborStreamWriter writer(&old);
            writer.startArray(3);
            writer.append(QLatin1StringView("quillstack-pins"));
            writer.append(1);
            writer.startArray(2);
            writer.append(qint64(1767268800000));
            BlobStore::writeSnapshot(writer, {text("pinned long ago")});
            writer.endArray();
            writer.endArray();
            QVERIFY(writeFile(folder + "/pinned", old));
        }
        const auto native = [](const QString& file) { return QFile::encodeName(file); };
        QVERIFY(!found.contains("not a pin file") || writeFile(folder + "/pinned", "garbage"));
        QVERIFY(found != "not a database" || writeFile(path, QByteArray(5000, 'x')));
        // Damaged: the table's first page keeps its header, not its cells.
        QVERIFY(found != "damaged" ||
                writeFile(path, readFile(path).replace(4096 + 8, 4000, QByteArray(4000, '\xff'))));
        const QString newer =
            QString("PRAGMA user_version = %1").arg(HistoryStore::schemaVersion + 1);
        QVERIFY(!found.contains("newer") || QProcess::execute("sqlite3", {path, newer}) == 0);
        QVERIFY(!found.contains("first version") || asTheFirstVersionWroteIt(path));
        QVERIFY(!found.contains("journal") || QFile::link(notes, path + "-wal"));
        QVERIFY(!found.startsWith("a link") ||
                (QFile::remove(path) &&
                 QFile::link(found.contains("zero") ? "/dev/zero" : notes, path)));
        QVERIFY(!found.contains("FIFO") ||
                (QFile::remove(path) && ::mkfifo(native(path).constData(), 0600) == 0));
        const int parentMode = found.contains("own group") ? 0775 : 0777;
        QVERIFY(!found.contains("a parent") || ::chmod(native(data).constData(), parentMode) == 0);
        if (found.contains("another user") && ::geteuid() != 0) {
            QSKIP("needs root to hand a folder to another user (CI runs as root)");
        }
        QVERIFY(!found.contains("another user") ||
                ::chown(native(folder).constData(), 65534, 65534) == 0);
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::System);

        HistoryStore store(folder);
        Rig run(false, &store);
        QSignalSpy told(&run.history, &ClipboardHistory::problem);
        run.begin();
        QVERIFY(run.history.arePinsLoaded());
        QCOMPARE(run.history.pinnedCount(), restored);
        QCOMPARE(QFile::exists(folder + "/pinned"), found.contains("old pin file") && !pinKept);
        QCOMPARE(QDir(folder).entryList({"history.sqlite.??????"}, QDir::Files), QStringList());
        QCOMPARE(QDir(folder).entryList({aside}, QDir::Files).isEmpty(), aside.isEmpty());

        struct rlimit unlimited {};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &unlimited) == 0);
        auto lift = qScopeGuard([&unlimited] { ::setrlimit(RLIMIT_FSIZE, &unlimited); });
        if (found.contains("full")) {
            // A disk that takes no more than a few bytes: each write falls short.
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit full{16, unlimited.rlim_max};
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &full) == 0);
        }
        for (const char* copy : {"new", "newer"}) {
            run.copy(text(copy));
            run.history.setPinned(run.history.pinnedCount(), true);
            run.scheduler.runUntilIdle();
        }
        QStringList problems;
        for (const QList<QVariant>& signal : told) {
            problems << signal.at(1).toStringList().value(1);
        }
        QCOMPARE(problems, problem.isEmpty() ? QStringList() : QStringList{problem});
        const auto pinsIn = [&folder] {
            int pins = 0;
            HistoryStore(folder).load(false, [&pins](const HistoryStorage::Record& record) {
                pins += record.pinned ? 1 : 0;
            });
            return pins;
        };
        if (!pinKept && !found.contains("full")) {
            QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::System), before);
        }
        QCOMPARE(readFile(notes), QByteArray("notes"));
        if (pinKept) {
            QCOMPARE(pinsIn(), restored + 2);
            QCOMPARE(modeOf(path), mode_t(S_IFREG | 0600));
            QCOMPARE(modeOf(path + "-wal"), mode_t(S_IFREG | 0600));
            QCOMPARE(modeOf(folder), mode_t(S_IFDIR | 0700));
            // Folders we make are private whatever the umask.
            QVERIFY(!found.contains("none") || modeOf(data) == mode_t(S_IFDIR | 0700));
        }
        if (found.contains("full")) {
            // The space is back: the next change of the pins is kept.
            lift.dismiss();
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &unlimited) == 0);
            run.history.setPinned(0, false);
            run.scheduler.runUntilIdle();
            QCOMPARE(pinsIn(), 2);
        }
    }

    // What one run keeps, the next finds: every type byte for byte with its date and pin, the
    // limit and expiry applied to what is stored, removed bytes gone from the file and its
    // journal, nothing of a secret, and the history of another instance sharing the store.
    void keptAcrossRestarts_data() {
        QTest::addColumn<Kept>("k");
        const auto row = [](const char* scenario, bool keep, const char* restored,
                            const QByteArray& gone, bool files) {
            QTest::newRow(scenario) << Kept{scenario, restored, gone, keep, files};
        };
        row("every type", true, "B F I H T", "secret-marker", true);
        row("every type, kept by the first version", true, "B F I H T", "secret-marker", true);
        row("not kept: the pins", false, "B", "text-marker", true);
        row("removed, limit, clear", true, "B", "text-marker", true);
        row("a lower limit at the next start", true, "B F I", "html-marker", true);
        row("expired at the next start", true, "B", "text-marker", true);
        row("turned off", true, "B", "text-marker", true);
        row("turned off, no pins", true, "", "big-marker", false);
        row("two instances", true, "B O I H T", "Fa%20b.txt", true);
        row("turned off beside another instance", true, "B O", "text-marker", true);
    }
    void keptAcrossRestarts() {
        QFETCH(Kept, k);
        const auto& [scenario, restored, gone, keep, filesThere] = k;
        QTemporaryDir home;
        const QString folder = home.filePath("Quillstack");
        const L copies{{{{"UTF8_STRING", "T text-marker"}}},
                       {{{"text/html", "<b>H html-marker</b>"}, {"UTF8_STRING", "H"}}},
                       {{{"UTF8_STRING", QString("B big-marker" + big('b')).toUtf8()}}},
                       {{{"image/png", png(64)}, {"text/plain", "I"}}},
                       {{{"UTF8_STRING", "S secret-marker"},
                         {QString(ClipboardTypeKey::passwordManagerHint), "secret"}}},
                       {files({"/tmp/Fa b.txt", "/tmp/c"})}};
        QList<QPair<QDateTime, ClipboardSnapshot>> expected;
        {
            HistoryStore store(folder);
            Rig run(false, &store);
            run.limits.keepHistory = keep;
            run.begin();
            for (const ClipboardSnapshot& copy : copies) {
                run.copy(copy);
                run.scheduler.advance(1000);
            }
            // The big text: pinned, ahead of the others.
            run.history.setPinned(2, true);
            if (scenario.startsWith("removed")) {
                run.history.removeItem(4);
                run.limits.historySize = 2;
                run.history.applyLimit();
                run.history.clearAll();
            } else if (scenario.contains("instance")) {
                // Another instance on the same store records a copy and pins it.
                run.scheduler.runUntilIdle();
                HistoryStore otherStore(folder);
                Rig other(false, &otherStore);
                other.limits.keepHistory = true;
                other.begin();
                other.copy(text("O other"));
                other.history.setPinned(other.previews().indexOf("O other"), true);
                other.scheduler.runUntilIdle();
                if (scenario == "two instances") {
                    // Each takes its own records out: the other's stay.
                    run.history.removeItem(1);
                } else {
                    run.limits.keepHistory = false;
                    run.history.applyKeepHistory();
                    run.scheduler.runUntilIdle();
                    // The other's next change finds the store gone and writes its pin anew.
                    other.copy(text("P"));
                }
            } else if (scenario.startsWith("turned off")) {
                if (scenario.contains("no pins")) {
                    run.history.setPinned(0, false);
                }
                run.limits.keepHistory = false;
                run.history.applyKeepHistory();
            }
            run.scheduler.runUntilIdle();
            // A kept copy (the big text, pinned) is held once, in the store; one leaving the
            // store takes its content along.
            QCOMPARE(run.blobFiles().isEmpty(), !scenario.contains("no pins"));
            for (const ClipboardItem& item : run.history.items()) {
                expected.append({item.date(), item.resolvedClipboardData()});
                QVERIFY(!expected.last().second.isEmpty());
            }
        }
        QCOMPARE(QFile::exists(folder + "/history.sqlite"), filesThere);
        QVERIFY(!scenario.contains("first version") ||
                asTheFirstVersionWroteIt(folder + "/history.sqlite"));
        HistoryStore store(folder);
        Rig next(false, &store);
        next.limits.keepHistory = keep && !scenario.startsWith("turned off");
        next.limits.historySize = scenario.contains("lower limit") ? 2 : 50;
        next.limits.autoDeleteMinutes = scenario.startsWith("expired") ? 1 : 0;
        next.scheduler.advance(scenario.startsWith("expired") ? 120000 : 0);
        next.begin();
        QCOMPARE(next.rows(), restored);
        QVERIFY(next.blobFiles().isEmpty());
        if (scenario.startsWith("every type")) {
            QCOMPARE(next.history.items().size(), expected.size());
            for (qsizetype i = 0; i < expected.size(); ++i) {
                QCOMPARE(next.history.items()[i].date(), expected[i].first);
                QCOMPARE(next.history.items()[i].resolvedClipboardData(), expected[i].second);
            }
        }
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
            QVERIFY2(!readFile(file.filePath()).contains(gone), qPrintable(file.fileName()));
        }
    }

    // A process killed during a burst of copies (each added, the oldest past five removed)
    // loses at most the change in flight, never the file.
    void killedMidBurst() {
        QTemporaryDir home;
        const QString folder = home.filePath("Quillstack");
        int acks[2];
        QVERIFY(::pipe(acks) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            HistoryStore store(folder);
            QList<QUuid> ids;
            for (int i = 0;; ++i) {
                const ClipboardItem item = *ClipboardItem::make(
                    {text(QString::number(i) + big('k'))}, {}, qint64(1) << 30, 8);
                ids << item.id();
                if (store.apply({{item},
                                 ids.size() > 5 ? QList{ids.takeFirst()} : QList<QUuid>{},
                                 std::nullopt,
                                 {}}) ||
                    ::write(acks[1], &i, sizeof i) != sizeof i) {
                    ::_exit(1);
                }
            }
        }
        ::close(acks[1]);
        int done = -1;
        while (done < 20 && ::read(acks[0], &done, sizeof done) == sizeof done) {
        }
        QVERIFY(::kill(child, SIGKILL) == 0 && ::waitpid(child, nullptr, 0) == child);
        for (int more = 0; ::read(acks[0], &more, sizeof more) == sizeof more;) {
            done = more;
        }
        ::close(acks[0]);
        QVERIFY(done >= 20);
        QCOMPARE(
            runTool("sqlite3", {folder + "/history.sqlite", "PRAGMA integrity_check"}).trimmed(),
            QByteArray("ok"));
        QList<int> kept;
        HistoryStore(folder).load(true, [&kept](const HistoryStorage::Record& record) {
            kept << record.item.previewText().split('k').value(0).toInt();
        });
        // The last five acknowledged, or those after the one in flight.
        std::sort(kept.begin(), kept.end());
        const int last = kept.value(4, -1);
        QVERIFY(last == done || last == done + 1);
        QCOMPARE(kept, (QList<int>{last - 4, last - 3, last - 2, last - 1, last}));
    }

    void autoDeleteRemovesStrictlyOlderRecords() {
        Rig rig;
        rig.copy(text("old"));  // made at t = 0
        rig.scheduler.advance(500);
        rig.clipboard.setContent({text("newer")});  // made at t = 1 s
        rig.scheduler.runUntilIdle();
        rig.limits.autoDeleteMinutes = 5;
        rig.history.restartAutoDeleteTimer();  // ticks at 31 s, 61 s, ... 301 s
        rig.changes.clear();
        rig.scheduler.advance(300000 - 1000);
        QCOMPARE(rig.history.items().size(), 2);
        rig.scheduler.advance(1000);  // "old" is 301 s old, "newer" exactly 300 s
        QCOMPARE(std::tuple(rig.previews(), rig.changes.count()),
                 std::tuple(QStringList{"newer"}, 1));

        // Switched off nothing expires and nothing ticks; switched on again, the overdue record
        // goes at once, and an empty history has no timer.
        rig.limits.autoDeleteMinutes = 0;
        rig.history.restartAutoDeleteTimer();
        QCOMPARE(rig.scheduler.pendingTimers(), 0);
        rig.scheduler.advance(600000);
        rig.limits.autoDeleteMinutes = 5;
        rig.history.restartAutoDeleteTimer();
        QCOMPARE(std::tuple(rig.history.items().size(), rig.scheduler.pendingTimers()),
                 std::tuple(0, 0));
        rig.copy(text("again"));
        QCOMPARE(rig.scheduler.pendingTimers(), 1);
        // A period too long for milliseconds (a hand-edited file) keeps everything.
        rig.limits.autoDeleteMinutes = std::numeric_limits<qint64>::max() / 1000;
        rig.scheduler.advance(60000);
        QCOMPARE(rig.history.items().size(), 1);
    }

    // Each history operation reaches the views as row signals for exactly what changed, is one
    // change of the history if it changes anything, and takes the blob files of what it drops.
    // "pending": a copy whose blob is written while its record has not reached the main thread.
    void followsHistoryRowByRow_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("rows");
        const auto row = [](const char* name, const char* operation, const char* told,
                            const char* rows) { QTest::newRow(name) << operation << told << rows; };
        row("new copy, oldest trimmed", "copy e", "remove 3-3, insert 0-0", "e d c b");
        row("supersede and trim, two runs", "limit 3; copy c", "remove 3-3, remove 1-1, insert 0-0",
            "c d b");
        row("lower limit, applied twice", "limit 1; apply; apply", "remove 1-3", "d");
        row("remove", "remove 2", "remove 2-2", "d c a");
        row("remove out of range", "remove -1; remove 4", "", "d c b a");
        row("blob of a record in flight survives", "pending z; remove 0; clear; idle",
            "remove 0-0, remove 0-2, insert 0-0", "z");
        // Pinned records: on top in pin order, spared by the limit, the expiry and Clear all.
        row("pins spared by the limit", "pin 2; pin 3; limit 1; apply; copy e",
            "move 2 to 0, data 0-0, move 3 to 1, data 1-1, remove 3-3, remove 2-2, insert 2-2",
            "b a e");
        row("unpinned back by date", "pin 3; pin 2; unpin 0; pin 9; unpin 3",
            "move 3 to 0, data 0-0, move 1 to 3, data 1-1, move 0 to 4, data 3-3", "c d b a");
        row("pins outlive the expiry", "pin 1; expire", "move 0 to 2, data 0-0, remove 1-3", "c");
        row("clear all keeps the pins", "pin 1; clear", "move 0 to 2, data 0-0, remove 1-3", "c");
        row("clear all, pins too", "pin 1; clear pinned", "move 0 to 2, data 0-0, remove 0-3", "");
    }
    void followsHistoryRowByRow() {
        QFETCH(QString, operation);
        Rig rig;
        rig.limits.historySize = 4;
        for (char name : {'a', 'b', 'c', 'd'}) {
            rig.copy(text(big(name)));
        }
        rig.log.clear();
        for (const QString& step : operation.split("; ")) {
            const QString word = step.section(' ', 0, 0), arg = step.section(' ', 1);
            const qsizetype told = rig.log.size(), changes = rig.changes.count();
            if (word == "pending") {
                rig.clipboard.setContent({text(big(arg[0].toLatin1()))});
                rig.scheduler.runBackgroundOnly();
            } else if (word == "idle") {
                rig.scheduler.runUntilIdle();
            } else if (word == "copy") {
                rig.copy(text(big(arg[0].toLatin1())));
            } else if (word == "limit") {
                rig.limits.historySize = arg.toInt();
            } else if (word == "apply") {
                rig.history.applyLimit();
            } else if (word == "remove") {
                rig.history.removeItem(arg.toInt());
            } else if (word == "pin" || word == "unpin") {
                rig.history.setPinned(arg.toInt(), word == "pin");
            } else if (word == "expire") {
                rig.scheduler.advance(120000);
                rig.limits.autoDeleteMinutes = 1;
                rig.history.restartAutoDeleteTimer();
                QCOMPARE(rig.scheduler.pendingTimers(), 0);  // nothing left that could expire
            } else {
                rig.history.clearAll(arg.isEmpty() ? ClipboardHistory::Pinned::Keep
                                                   : ClipboardHistory::Pinned::Remove);
            }
            QVERIFY2(rig.changes.count() - changes == (rig.log.size() > told ? 1 : 0),
                     qPrintable(step));
        }
        QTEST(rig.log.join(", "), "told");
        QTEST(rig.rows(), "rows");
        QVERIFY2(rig.blobsMatchRecords() && rig.blobFiles().size() == rig.history.items().size(),
                 qPrintable(rig.blobFiles().join(' ')));
    }

    // What a row shows and says of itself: no box for a control character, no blank line at
    // either end, the names of every copied file, and a label where there is nothing to show.
    void rolesOfEachKind_data() {
        QTest::addColumn<StoredItem>("content");
        QTest::addColumn<QString>("text");     // null: not compared
        QTest::addColumn<QString>("rowText");  // empty: the same as the text
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QSize>("picture");
        const QString x200(200, 'x');
        const auto row = [](const char* name, const StoredItem& content, const QString& text,
                            const QString& rowText = {}, Kind kind = Kind::Text,
                            QSize picture = QSize(0, 0)) {
            QTest::newRow(name) << content << text << rowText << kind << picture;
        };
        row("201 clusters", text("e\u0301" + x200), "e\u0301" + x200.left(199) + "\u2026");
        row("one cluster longer than a record keeps", text("e" + QString(5000, QChar(0x301))),
            "e" + QString(ClipboardItem::storedPreviewUnits - 1, QChar(0x301)) + "\u2026");
        row("image", {{"image/png", png(8)}}, "[Image]", {}, Kind::Image, QSize(8, 4));
        row("text like a placeholder", text("[Content]"), "[Content]");
        row("blank lines around", text("\n \n\tone\r\ntwo\rthree\n\n"),
            "\n \n\tone\r\ntwo\rthree\n\n", " one\ntwo\nthree");
        row("control characters", text(QString("a") + QChar(0) + "b\x07\x1b[0m\u0085c"),
            QString("a") + QChar(0) + "b\x07\x1b[0m\u0085c", "ab[0m\nc");
        row("whitespace alone", text(" \t\r\n "), {}, "[Content]", Kind::Other);
        row("files",
            {{"text/uri-list", "file:///tmp/a.txt\r\nfile:///tmp/dir/\r\nfile:///tmp/t%09a%0Ab"}},
            "a.txt", "a.txt, dir, t a b", Kind::Files);
        row("files without names", {{"text/uri-list", "file:///\r\nfile:///%0A/"}}, {}, "[Files]",
            Kind::Files);
    }
    void rolesOfEachKind() {
        QFETCH(StoredItem, content);
        QFETCH(QString, text);
        QFETCH(QString, rowText);
        QFETCH(Kind, kind);
        Rig rig;
        rig.copy(content);
        if (!text.isNull()) {  // the full text, where a row shows a cleaned one
            QCOMPARE(rig.at(0, Qt::DisplayRole).toString(), text);
        }
        QCOMPARE(std::pair(rig.at(0, HistoryListModel::RowTextRole).toString(),
                           rig.at(0, HistoryListModel::KindRole).toInt()),
                 std::pair(rowText.isEmpty() ? text : rowText, int(kind)));
        QTEST(rig.at(0, Qt::DecorationRole).value<QImage>().size(), "picture");
        QCOMPARE(rig.at(0, HistoryListModel::HasPictureRole).toBool(),
                 rig.at(0, Qt::DecorationRole).isValid());
    }

    // A file's picture arrives later and redraws its row alone (bytes that do not decode give
    // none); answers for rows that left, or that failed, change nothing.
    void fileThumbnailsArrive() {
        Rig rig;
        rig.copy(files({rig.folder.filePath("gone")}));
        QVERIFY(rig.thumbnailer.requests().isEmpty());
        for (const char* name : {"one", "two", "three", "four"}) {
            QVERIFY(QFile(rig.folder.filePath(name)).open(QIODevice::WriteOnly));
            rig.copy(files({rig.folder.filePath(name)}));
        }
        rig.history.removeItem(2);
        QVERIFY(!rig.at(0, HistoryListModel::HasPictureRole).toBool());  // asked before it arrives
        rig.log.clear();
        rig.thumbnailer.answer(0, QByteArray("\x89PNG broken"));  // "one", now row 2
        rig.thumbnailer.answer(1, std::nullopt);                  // "two", gone
        rig.thumbnailer.answer(3, png(16));                       // "four", row 0
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.log, (QStringList{"data 2-2 picture", "data 0-0 picture"}));
        QVERIFY(!rig.at(2, Qt::DecorationRole).isValid());
        QCOMPARE(rig.at(0, Qt::DecorationRole).value<QImage>().size(), QSize(16, 8));
        QVERIFY(!rig.at(2, HistoryListModel::HasPictureRole).toBool() &&
                rig.at(0, HistoryListModel::HasPictureRole).toBool());
        rig.history.removeItem(1);
        rig.log.clear();
        rig.thumbnailer.answer(2, png(16));  // "three", gone
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.log, QStringList());
        QCOMPARE(rig.thumbnailer.requests().size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestClipboardHistory)
#include "tst_clipboard_history.moc"
