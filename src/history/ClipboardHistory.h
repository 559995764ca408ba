// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QUuid>

#include <functional>
#include <memory>

#include "core/Scheduler.h"
#include "history/ClipboardItem.h"
#include "history/HistoryStorage.h"

class Clipboard;
class RecordingGate;

// The list of copies: the pinned ones first, in the order they were pinned, then the others
// newest first. Main thread; records are built, and pins read and written, on the background
// queue. Every operation assigns items() at most once, so observers see one itemsChanged per
// change. Pinned records are spared by the limit, the expiry and a plain clearAll(). What is
// kept across runs (the pins, and every record when the history is kept) follows items()
// through the storage, on the background queue, in order.
class ClipboardHistory : public QObject {
    Q_OBJECT
  public:
    struct Limits {
        qint64 historySize = 50;       // records kept
        qint64 autoDeleteMinutes = 0;  // 0: never
        bool keepHistory = false;      // every record kept across runs, not just the pins
    };

    // Only a clipboard that cannot tell of its changes is polled.
    static constexpr int pollIntervalMs = 500;
    // Copies waiting for their record at most; beyond it the newest replaces the last waiting.
    static constexpr qsizetype maxWaitingCopies = 16;
    static constexpr int autoDeleteIntervalMs = 30000;

    enum class RestoreAs { Copied, PlainText };
    enum class Pinned { Keep, Remove };

    // blobDirectory: the private blob folder, or empty when none could be had (copies then stay
    // in memory). The limits are read through the function on every use, and count the records
    // that are not pinned. storage: where records are kept across runs; none: for this run
    // only. gate: which copies are recorded (none: all).
    ClipboardHistory(Clipboard& clipboard, Scheduler& scheduler, QString blobDirectory,
                     std::function<Limits()> limits, HistoryStorage* storage = nullptr,
                     const RecordingGate* gate = nullptr, QObject* parent = nullptr);
    ~ClipboardHistory() override;

    const QList<ClipboardItem>& items() const { return m_items; }
    const QString& blobDirectory() const { return m_blobDirectory; }
    // items() begins with this many pinned records.
    qsizetype pinnedCount() const { return m_pinnedCount; }
    // The records an earlier run kept have been read (or there are none to read).
    bool arePinsLoaded() const { return m_pinsLoaded; }

    // Starts watching the clipboard and reads the records kept by an earlier run.
    void startMonitoring();
    // Puts the record's stored content back on the clipboard, without recording it again. As
    // plain text, a record with text offers only that text; the others are restored as copied.
    // False, with the clipboard untouched and the record marked, when its content is gone
    // (a blob file deleted, truncated or replaced behind our back); false as well when the
    // clipboard takes no write (its display has gone).
    bool restoreToClipboard(qsizetype index, RestoreAs as = RestoreAs::Copied);
    bool isUnavailable(const QUuid& id) const { return m_unavailable.contains(id); }
    void removeItem(qsizetype index);
    // Pinning puts the record after the pinned ones; unpinning puts it back among the others by
    // its date, where the limit and the expiry apply to it again from the next copy or tick.
    void setPinned(qsizetype index, bool pinned);
    void togglePinned(qsizetype index);
    void clearAll(Pinned pinned = Pinned::Keep);
    void applyLimit();
    // Keeps every record across runs, or (turned off) deletes the kept ones but the pins.
    void applyKeepHistory();
    void restartAutoDeleteTimer();
    // Removes every blob file not owned by a record still being built; at exit, after the
    // background queue has drained, that is all of them.
    void wipeBlobDirectory();

  Q_SIGNALS:
    void itemsChanged();
    void pinsLoaded();
    // Something the user must hear of, in English (ProblemNotices translates it when it tells
    // it), and what fills its %1, %2, ... (a refusal in English too, such as PrivateFiles gives).
    void problem(const QString& english, const QStringList& arguments);
    void recordUnavailable(const QUuid& id);

  private:
    void checkClipboard();
    // What was taken in: the usable content of a copy that will be recorded, else nothing.
    ClipboardSnapshot ingestCurrentClipboard();
    // The clipboard's owner left it empty: offer the newest copy again, as a restore does.
    void keepClipboardFilled();
    // Asks the gate about the clipboard's copy once, as soon as it is seen.
    void judgeCurrentCopy();
    // One record is built at a time; copies taken in meanwhile wait, in order, at most
    // maxWaitingCopies of them, so a flood costs bounded work and memory.
    void queueRecord(ClipboardSnapshot snapshot);
    void buildRecord(ClipboardSnapshot snapshot, const QDateTime& takenAt);
    // The newest copy taken in whose record is not built yet; empty when none.
    ClipboardSnapshot newestUnbuiltCopy() const;
    // The expiry timer runs only while there is something that could expire.
    void updateAutoDeleteTimer();
    void insert(const ClipboardItem& item);
    void removeExpiredItems();
    void sweepOrphanBlobs();
    // Hands the storage what changed in what is kept.
    void assignItems(QList<ClipboardItem> items, qsizetype pinnedCount);
    void loadKept();
    void adoptKept(QList<ClipboardItem> loaded, qsizetype loadedPins);
    void syncStorage();
    // A large record's content moving between a blob file of this run and the store.
    struct Relocation {
        ClipboardItem item;
        QString path;  // its blob file to be
    };
    QList<Relocation> relocationsOf(const QList<ClipboardItem>& items);
    // On the background queue: the records with their content in their blob files.
    static QList<ClipboardItem> relocate(const QList<Relocation>& moving);
    void adoptRelocated(const QList<Relocation>& moving, const QList<ClipboardItem>& moved);
    // Each record in items() with the same id is replaced; one no longer there loses its blob.
    void replaceItems(const QList<ClipboardItem>& replacements);
    // Large records just written to the store are read from it from now on, their blob files
    // removed, so that a kept copy is held once.
    void readLargeFromKept(const QList<ClipboardItem>& written,
                           const std::shared_ptr<const KeptContent>& kept);
    void tell(const HistoryStorage::Problem& told);
    // The record of the latest copy still kept, by date; -1 when there is none.
    qsizetype newestIndex() const;
    // Blob files of records still being built: written, but not yet in items().
    bool isPendingBlob(const QString& fileName) const;

    Clipboard& m_clipboard;
    Scheduler& m_scheduler;
    QString m_blobDirectory;
    std::function<Limits()> m_limits;
    HistoryStorage* m_storage = nullptr;

    QList<ClipboardItem> m_items;
    qsizetype m_pinnedCount = 0;
    bool m_pinsRequested = false;
    bool m_pinsLoaded = false;
    // What the storage holds once its queued changes are done, as far as this instance knows:
    // another instance sharing it keeps its own records there.
    QSet<QUuid> m_stored;
    std::optional<QList<QUuid>> m_storedPins;  // none: to be written whatever they are
    bool m_keepingAll = false;
    // The store is being emptied: changes wait until it is done.
    bool m_storeSettling = false;
    // The problem last told, so that a failing save says it once.
    std::optional<HistoryStorage::Problem> m_storageProblemTold;
    qint64 m_lastChangeCount = -1;
    // The latest copy seen was a password manager's: once it goes, the clipboard stays empty.
    bool m_newestCopyConcealed = false;
    const RecordingGate* m_gate;
    qint64 m_judgedChangeCount = -1;
    bool m_currentCopyRefused = false;
    Scheduler::TimerId m_pollTimer = 0;
    Scheduler::TimerId m_autoDeleteTimer = 0;
    struct WaitingCopy {
        ClipboardSnapshot snapshot;
        QDateTime takenAt;
    };
    QList<WaitingCopy> m_waiting;
    // The copy whose record is being built; empty while none is.
    ClipboardSnapshot m_building;
    // Our own writes: their change notifications are not copies to record.
    bool m_writing = false;
    QSet<QString> m_pendingBlobNames;
    QSet<QUuid> m_unavailable;
    // Weak handle for callbacks that may outlive this object.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
