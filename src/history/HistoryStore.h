// SPDX-License-Identifier: MIT
#pragma once

#include "history/HistoryStorage.h"

struct sqlite3;

// The kept records in one SQLite database, `history.sqlite` in the data folder, under the rule
// of PrivateFiles: file 0600 in a 0700 folder, refused when a link or someone else's. WAL
// journal (another instance of the user, on another display, may share it; each waits for the
// other's writes up to a few seconds), synchronous commits, secure_delete, so that a removed
// record's bytes are overwritten, and its journal emptied after each removal. A file that is
// not such a database, is damaged or is of a newer schema is moved aside, not deleted. The old
// pin file of the same folder is read once and taken over. One thread at a time.
class HistoryStore final : public HistoryStorage {
  public:
    static inline const QString fileName = QStringLiteral("history.sqlite");
    // 1: records(id, date, pin, content); 2: and summary, what makes the record again without
    // decoding its content (NULL until made). A newer file is left to the version that wrote it.
    static constexpr int schemaVersion = 2;

    // $XDG_DATA_HOME/Quillstack, where the user's history is kept.
    static QString defaultFolder();

    explicit HistoryStore(QString folder);
    ~HistoryStore() override;
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    QString filePath() const;

    std::shared_ptr<const KeptContent> keptContent() const override { return m_kept; }
    QList<Problem> load(bool everything, const std::function<void(Record)>& take) override;
    std::optional<Problem> apply(const Change& change) override;
    std::optional<Problem> erase() override;

  private:
    // Opens (and with create, makes) the database; nothing when open or not there yet.
    std::optional<Problem> open(bool create, QList<Problem>* told);
    void close();
    // Takes the records of the old pin file into the database and removes the file.
    void takeOverPinFile(QList<Problem>* told);
    // "ok" when the schema is ours and current (made if new), an English reason when the file
    // must be set aside, empty when SQLite failed (sqlite3_errcode says how).
    QString prepareSchema();
    Problem notSaved() const;
    bool insert(const QUuid& id, const QDateTime& date, std::optional<qint64> pin,
                const ClipboardSnapshot& content, const QByteArray& summary);
    bool execute(const char* sql);
    void emptyJournal();
    // Whether the file open is no longer the one at its path: another instance deleted it.
    bool wasReplaced() const;

    QString m_folder;
    sqlite3* m_db = nullptr;
    bool m_pinFileChecked = false;
    std::shared_ptr<const KeptContent> m_kept;
    // The open database file's device and inode.
    std::pair<quint64, quint64> m_openFile{};
};
