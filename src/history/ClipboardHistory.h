#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QUuid>

#include <functional>
#include <memory>

#include "core/Scheduler.h"
#include "history/ClipboardItem.h"

class Pasteboard;
class RecordingGate;

// The newest-first list of copies. Main thread; records are built on the background queue.
// Every operation assigns items() at most once, so observers see one itemsChanged per change.
class ClipboardHistory : public QObject {
    Q_OBJECT
  public:
    struct Limits {
        qint64 bufferLimit = 50;       // records kept
        qint64 autoDeleteMinutes = 0;  // 0: never
    };

    static constexpr int pollIntervalMs = 500;
    static constexpr int autoDeleteIntervalMs = 30000;

    // blobDirectory: the private blob folder, or empty when none could be had (copies then stay
    // in memory). The limits are read through the function on every use. gate: which copies
    // are recorded (none: all).
    ClipboardHistory(Pasteboard& pasteboard, Scheduler& scheduler, QString blobDirectory,
                     std::function<Limits()> limits, const RecordingGate* gate = nullptr,
                     QObject* parent = nullptr);
    ~ClipboardHistory() override;

    const QList<ClipboardItem>& items() const { return m_items; }
    qint64 lastChangeCount() const { return m_lastChangeCount; }
    const QString& blobDirectory() const { return m_blobDirectory; }

    void startMonitoring();
    // Puts the record's stored content back on the clipboard, without recording it again.
    void restoreToClipboard(qsizetype index);
    void removeItem(qsizetype index);
    void clearAll();
    void applyLimit();
    void restartAutoDeleteTimer();
    // Removes every blob file not owned by a record still being built; at exit, after the
    // background queue has drained, that is all of them.
    void wipeBlobDirectory();

  Q_SIGNALS:
    void itemsChanged();

  private:
    void checkPasteboard();
    // What was taken in: the usable content of a copy that will be recorded, else nothing.
    PasteboardSnapshot ingestCurrentPasteboard();
    // The clipboard's owner left it empty: offer the newest copy again, as a restore does.
    void keepClipboardFilled();
    // One check pollIntervalMs after a change notification; later ones until then join it.
    void armCheck();
    // Asks the gate about the clipboard's copy once, as soon as it is seen.
    void judgeCurrentCopy();
    // The expiry timer runs only while there is something that could expire.
    void updateAutoDeleteTimer();
    void insert(const ClipboardItem& item);
    void removeExpiredItems();
    void sweepOrphanBlobs();
    void assignItems(QList<ClipboardItem> items);
    // Blob files of records still being built: written, but not yet in items().
    bool isPendingBlob(const QString& fileName) const;

    Pasteboard& m_pasteboard;
    Scheduler& m_scheduler;
    QString m_blobDirectory;
    std::function<Limits()> m_limits;

    QList<ClipboardItem> m_items;
    qint64 m_lastChangeCount = -1;
    // The latest copy seen was a password manager's: once it goes, the clipboard stays empty.
    bool m_newestCopyConcealed = false;
    const RecordingGate* m_gate;
    qint64 m_judgedChangeCount = -1;
    bool m_currentCopyRefused = false;
    Scheduler::TimerId m_pollTimer = 0;
    Scheduler::TimerId m_autoDeleteTimer = 0;
    bool m_checkArmed = false;
    QSet<QString> m_pendingBlobNames;
    // Weak handle for callbacks that may outlive this object.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
