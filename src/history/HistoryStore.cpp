// SPDX-License-Identifier: MIT
#include "history/HistoryStore.h"

#include <QFile>

#include <sqlite3.h>
#include <sys/stat.h>

#include <limits>

#include "history/BlobStore.h"
#include "history/OldPinFile.h"
#include "platform/freedesktop/PrivateFiles.h"
#include "platform/freedesktop/XdgFolders.h"

namespace {

const QString notADatabase =
    QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is not a history database"));
const QString newerVersion =
    QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is from a newer version of Quillstack"));
const QString cannotWrite = QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "cannot be written"));
const QString okay = QStringLiteral("ok");
// Another instance's transaction is waited for this long, on the background queue.
constexpr int busyTimeoutMs = 5000;

// SQLite opens by path; these are the names it uses beside the database.
QStringList databaseFiles() {
    return {HistoryStore::fileName, HistoryStore::fileName + QStringLiteral("-wal"),
            HistoryStore::fileName + QStringLiteral("-shm")};
}

class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK) {
            m_statement = nullptr;
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(m_statement); }

    bool isValid() const { return m_statement != nullptr; }
    sqlite3_stmt* get() const { return m_statement; }
    void bind(int at, const QUuid& id) {
        const QByteArray text = id.toByteArray(QUuid::WithoutBraces);
        sqlite3_bind_text(m_statement, at, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    void bind(int at, qint64 value) { sqlite3_bind_int64(m_statement, at, value); }
    void reset() {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    // One statement of a change: done when it ran to its end.
    bool run() {
        const bool done = m_statement != nullptr && sqlite3_step(m_statement) == SQLITE_DONE;
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
        return done;
    }

  private:
    sqlite3_stmt* m_statement = nullptr;
};

QString textColumn(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

QByteArray blobColumn(sqlite3_stmt* statement, int column) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return QByteArray::fromRawData(bytes, sqlite3_column_bytes(statement, column));
}

// Read as untrusted input: nothing for a content that is not ours.
std::optional<ClipboardSnapshot> contentColumn(sqlite3_stmt* statement, int column) {
    std::optional<ClipboardSnapshot> content = BlobStore::decode(blobColumn(statement, column));
    if (!content || content->isEmpty()) {
        return std::nullopt;
    }
    return content;
}

std::pair<quint64, quint64> fileIdentity(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        return {};
    }
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

// The content of large kept records, read on demand on a connection of its own, so that any
// thread may read while the background queue writes.
class KeptRecords final : public KeptContent {
  public:
    explicit KeptRecords(QString folder) : m_folder(std::move(folder)) {}

    std::optional<ClipboardSnapshot> read(const QUuid& id) const override {
        const PrivateFiles::Folder folder = PrivateFiles::openFolder(m_folder, false);
        PrivateFiles::FileRead outcome;
        if (!folder.isOpen() ||
            !PrivateFiles::openFile(folder, HistoryStore::fileName,
                                    std::numeric_limits<qint64>::max(), &outcome)) {
            return std::nullopt;
        }
        sqlite3* db = nullptr;
        const QByteArray path =
            QFile::encodeName(folder.path() + QLatin1Char('/') + HistoryStore::fileName);
        std::optional<ClipboardSnapshot> content;
        if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOFOLLOW,
                            nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(db, busyTimeoutMs);
            Statement row(db, "SELECT content FROM records WHERE id = ?1");
            row.bind(1, id);
            if (row.isValid() && sqlite3_step(row.get()) == SQLITE_ROW) {
                content = contentColumn(row.get(), 0);
            }
        }
        sqlite3_close(db);
        return content;
    }

  private:
    QString m_folder;
};

}  // namespace

QString HistoryStore::defaultFolder() {
    return XdgFolders::dataHome() + QStringLiteral("/Quillstack");
}

HistoryStore::HistoryStore(QString folder)
    : m_folder(std::move(folder)), m_kept(std::make_shared<KeptRecords>(m_folder)) {}

HistoryStore::~HistoryStore() {
    close();
}

QString HistoryStore::filePath() const {
    return m_folder + QLatin1Char('/') + fileName;
}

void HistoryStore::close() {
    sqlite3_close(m_db);
    m_db = nullptr;
}

bool HistoryStore::execute(const char* sql) {
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString HistoryStore::prepareSchema() {
    // The schema is made at most once, whichever instance comes first.
    if (!execute("PRAGMA secure_delete = ON") || !execute("PRAGMA journal_mode = WAL") ||
        !execute("PRAGMA synchronous = FULL") || !execute("BEGIN IMMEDIATE")) {
        return {};
    }
    Statement version(m_db, "PRAGMA user_version");
    Statement check(m_db, "PRAGMA quick_check");
    if (!version.isValid() || sqlite3_step(version.get()) != SQLITE_ROW || !check.isValid() ||
        sqlite3_step(check.get()) != SQLITE_ROW) {
        return {};
    }
    const int found = sqlite3_column_int(version.get(), 0);
    if (textColumn(check.get(), 0) != QStringLiteral("ok")) {
        return notADatabase;
    }
    if (found > schemaVersion) {
        return newerVersion;
    }
    // Migrations from one version to the next, each in this transaction.
    if (found == 0 && !execute("CREATE TABLE records (id TEXT PRIMARY KEY NOT NULL, date INTEGER "
                               "NOT NULL, pin INTEGER, content BLOB NOT NULL, summary BLOB)")) {
        return {};
    }
    if (found == 1 && !execute("ALTER TABLE records ADD COLUMN summary BLOB")) {
        return {};
    }
    if (found < schemaVersion && !execute("PRAGMA user_version = 2")) {
        return {};
    }
    return okay;
}

std::optional<HistoryStorage::Problem> HistoryStore::open(bool create, QList<Problem>* told) {
    if (m_db != nullptr) {
        return std::nullopt;
    }
    const PrivateFiles::Folder folder = PrivateFiles::openFolder(m_folder, create);
    if (folder.isMissing()) {
        return std::nullopt;
    }
    if (!folder.isOpen()) {
        return Problem{Problem::Kind::Refused, m_folder, folder.refusal(), {}};
    }
    // SQLite opens these by path. The folder was just found to be the user's own, in which no
    // other user can add, rename or remove anything, so what is checked here is what SQLite
    // opens; NOFOLLOW covers a link the user left there meanwhile.
    bool exists = false;
    for (const QString& name : databaseFiles()) {
        PrivateFiles::FileRead outcome;
        const std::unique_ptr<QFile> file =
            PrivateFiles::openFile(folder, name, std::numeric_limits<qint64>::max(), &outcome);
        if (outcome.status == PrivateFiles::FileRead::Status::Refused ||
            outcome.status == PrivateFiles::FileRead::Status::Failed) {
            return Problem{Problem::Kind::Refused,
                           folder.path() + QLatin1Char('/') + name,
                           outcome.problem,
                           {}};
        }
        exists = exists || (name == fileName && file);
    }
    if (!exists) {
        if (!create) {
            return std::nullopt;
        }
        // Made 0600 here, since SQLite would follow the umask; its journal takes that mode.
        if (const QString failure =
                PrivateFiles::writeFile(folder, fileName, [](QIODevice&) { return true; });
            !failure.isEmpty()) {
            return Problem{Problem::Kind::Refused, filePath(), failure, {}};
        }
    }
    const QByteArray path = QFile::encodeName(filePath());
    QString outcome;
    if (sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW,
                        nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(m_db, busyTimeoutMs);
        outcome = prepareSchema();
    }
    const int error = sqlite3_errcode(m_db);
    if (outcome == okay && execute("COMMIT")) {
        m_openFile = fileIdentity(filePath());
        return std::nullopt;
    }
    close();
    if (outcome.isEmpty() && error != SQLITE_NOTADB && error != SQLITE_CORRUPT) {
        // Busy past the timeout, the disk full: tried again at the next change.
        return notSaved();
    }
    // Kept for the user to look at; the journal goes with it, as it may hold records too.
    const QString damage = outcome.isEmpty() ? notADatabase : outcome;
    const QString suffix =
        QStringLiteral(".unreadable-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString aside = PrivateFiles::moveAside(folder, fileName, suffix);
    if (aside.isEmpty()) {
        return Problem{Problem::Kind::Refused, filePath(), damage, {}};
    }
    for (const QString& name : databaseFiles().mid(1)) {
        PrivateFiles::moveAside(folder, name, suffix);
    }
    told->append(Problem{Problem::Kind::SetAside, filePath(), damage, aside});
    return open(create, told);
}

HistoryStorage::Problem HistoryStore::notSaved() const {
    return Problem{Problem::Kind::NotSaved, filePath(), cannotWrite, {}};
}

bool HistoryStore::wasReplaced() const {
    return m_db != nullptr && fileIdentity(filePath()) != m_openFile;
}

bool HistoryStore::insert(const QUuid& id, const QDateTime& date, std::optional<qint64> pin,
                          const ClipboardSnapshot& content, const QByteArray& summary) {
    Statement statement(m_db,
                        "INSERT INTO records (id, date, pin, content, summary) VALUES (?1, ?2, ?3, "
                        "?4, ?5) ON CONFLICT (id) DO NOTHING");
    const QByteArray bytes = BlobStore::encode(content);
    statement.bind(1, id);
    statement.bind(2, date.toMSecsSinceEpoch());
    if (pin) {
        statement.bind(3, *pin);
    }
    sqlite3_bind_blob64(statement.get(), 4, bytes.constData(), sqlite3_uint64(bytes.size()),
                        SQLITE_STATIC);
    if (!summary.isNull()) {
        sqlite3_bind_blob64(statement.get(), 5, summary.constData(), sqlite3_uint64(summary.size()),
                            SQLITE_STATIC);
    }
    return statement.run();
}

void HistoryStore::takeOverPinFile(QList<Problem>* told) {
    if (std::exchange(m_pinFileChecked, true)) {
        return;
    }
    OldPinFile::Loaded loaded = OldPinFile(m_folder).load();
    if (loaded.status == OldPinFile::Status::SetAside) {
        told->append(
            Problem{Problem::Kind::PinsSetAside, loaded.path, loaded.problem, loaded.setAsideAs});
    }
    if (loaded.status != OldPinFile::Status::Loaded || loaded.records.isEmpty()) {
        return;
    }
    // Behind the pins already kept: those were made later.
    Statement last(m_db, "SELECT coalesce(max(pin), -1) FROM records");
    bool done =
        last.isValid() && sqlite3_step(last.get()) == SQLITE_ROW && execute("BEGIN IMMEDIATE");
    qint64 next = sqlite3_column_int64(last.get(), 0) + 1;
    for (const OldPinFile::Record& record : std::as_const(loaded.records)) {
        done = done && insert(QUuid::createUuid(), record.date, next++, record.content, {});
    }
    if (done && execute("COMMIT")) {
        PrivateFiles::removeFile(PrivateFiles::openFolder(m_folder, false), OldPinFile::fileName);
        return;
    }
    // The pin file stays, to be taken over at the next start.
    execute("ROLLBACK");
    told->append(notSaved());
}

QList<HistoryStorage::Problem> HistoryStore::load(bool everything,
                                                  const std::function<void(Record)>& take) {
    QList<Problem> told;
    const bool pinFileThere =
        !m_pinFileChecked && QFile::exists(m_folder + QLatin1Char('/') + OldPinFile::fileName);
    if (const std::optional<Problem> failure = open(pinFileThere, &told)) {
        told.append(*failure);
        return told;
    }
    if (m_db == nullptr) {
        return told;
    }
    takeOverPinFile(&told);
    if (!everything) {
        if (!execute("DELETE FROM records WHERE pin IS NULL")) {
            told.append(notSaved());
        }
        emptyJournal();
    }
    // A small record's content comes with its row; a large one's stays where it is, read when
    // needed. A row with no summary yet (an older version's) is made from its content, once.
    Statement rows(m_db,
                   "SELECT id, date, pin, summary, CASE WHEN length(content) <= ?1 THEN content "
                   "END FROM records ORDER BY pin IS NULL, pin, date DESC");
    Statement whole(m_db, "SELECT content FROM records WHERE id = ?1");
    rows.bind(1, ClipboardItem::defaultInlineByteLimit);
    QList<std::pair<QUuid, QByteArray>> summaries;
    while (rows.isValid() && sqlite3_step(rows.get()) == SQLITE_ROW) {
        const QUuid id(textColumn(rows.get(), 0));
        const QDateTime date = QDateTime::fromMSecsSinceEpoch(sqlite3_column_int64(rows.get(), 1));
        const bool pinned = sqlite3_column_type(rows.get(), 2) != SQLITE_NULL;
        const bool small = sqlite3_column_type(rows.get(), 4) != SQLITE_NULL;
        std::optional<ClipboardSnapshot> content;
        if (small) {
            content = contentColumn(rows.get(), 4);
            if (!content) {
                continue;
            }
        }
        std::optional<ClipboardItem> item =
            id.isNull() ? std::nullopt
                        : ClipboardItem::fromSummary(id, date, blobColumn(rows.get(), 3), content,
                                                     small ? nullptr : m_kept);
        if (!item && !id.isNull()) {
            whole.bind(1, id);
            if (!small && sqlite3_step(whole.get()) == SQLITE_ROW) {
                content = contentColumn(whole.get(), 0);
            }
            whole.reset();
            item = content
                       ? ClipboardItem::make(*content, {}, ClipboardItem::defaultInlineByteLimit,
                                             ClipboardItem::defaultThumbnailMaxSide, date, {}, id)
                       : std::nullopt;
            if (item) {
                summaries.append({id, item->summary()});
                if (!small) {
                    item = item->keptIn(m_kept);
                }
            }
        }
        if (item) {
            take(Record{std::move(*item), pinned});
        }
    }
    if (!summaries.isEmpty() && execute("BEGIN IMMEDIATE")) {
        Statement update(m_db, "UPDATE records SET summary = ?2 WHERE id = ?1");
        bool done = true;
        for (const auto& [id, summary] : std::as_const(summaries)) {
            update.bind(1, id);
            sqlite3_bind_blob64(update.get(), 2, summary.constData(),
                                sqlite3_uint64(summary.size()), SQLITE_STATIC);
            done = done && update.run();
        }
        // Made again at the next start when this fails: nothing is lost.
        execute(done ? "COMMIT" : "ROLLBACK");
    }
    return told;
}

std::optional<HistoryStorage::Problem> HistoryStore::apply(const Change& change) {
    if (change.isEmpty()) {
        return std::nullopt;
    }
    QList<Problem> ignored;
    const bool replaced = wasReplaced();
    if (replaced) {
        close();
    }
    if (std::optional<Problem> failure = open(!change.added.isEmpty(), &ignored)) {
        return failure;
    }
    if (m_db == nullptr) {
        // Nothing kept yet, so nothing to remove or unpin.
        return replaced ? std::optional(Problem{Problem::Kind::Replaced, filePath(), {}, {}})
                        : std::nullopt;
    }
    Statement remove(m_db, "DELETE FROM records WHERE id = ?1");
    Statement pin(m_db, "UPDATE records SET pin = ?2 WHERE id = ?1");
    Statement unpin(m_db, "UPDATE records SET pin = NULL WHERE id = ?1");
    bool done = execute("BEGIN IMMEDIATE");
    for (const ClipboardItem& item : change.added) {
        // One record's content in memory at a time; a record whose blob is already gone was
        // removed meanwhile and is not written.
        const ClipboardSnapshot content = done ? item.resolvedClipboardData() : ClipboardSnapshot();
        done = done &&
               (content.isEmpty() || insert(item.id(), item.date(), {}, content, item.summary()));
    }
    for (const QUuid& id : change.removed) {
        remove.bind(1, id);
        done = done && remove.run();
    }
    if (change.pinned) {
        for (const QUuid& id : change.unpinned) {
            unpin.bind(1, id);
            done = done && unpin.run();
        }
        qint64 order = 0;
        for (const QUuid& id : *change.pinned) {
            pin.bind(1, id);
            pin.bind(2, order++);
            done = done && pin.run();
        }
    }
    if (!done || !execute("COMMIT")) {
        execute("ROLLBACK");
        return notSaved();
    }
    if (!change.removed.isEmpty()) {
        emptyJournal();
    }
    if (replaced) {
        return Problem{Problem::Kind::Replaced, filePath(), {}, {}};
    }
    return std::nullopt;
}

void HistoryStore::emptyJournal() {
    // secure_delete overwrote the removed bytes in the journal's newest frames; the older frames
    // still hold them until the journal is written back and emptied.
    sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
}

std::optional<HistoryStorage::Problem> HistoryStore::erase() {
    close();
    const PrivateFiles::Folder folder = PrivateFiles::openFolder(m_folder, false);
    bool removed = true;
    for (const QString& name : databaseFiles()) {
        removed = PrivateFiles::removeFile(folder, name) && removed;
    }
    if (removed) {
        return std::nullopt;
    }
    return Problem{Problem::Kind::Refused,
                   filePath(),
                   folder.refusal().isEmpty() ? cannotWrite : folder.refusal(),
                   {}};
}
