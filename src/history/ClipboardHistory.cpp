#include "history/ClipboardHistory.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <limits>

#include "core/AppLogger.h"
#include "history/BlobStore.h"
#include "history/RecordingGate.h"
#include "platform/Pasteboard.h"
#include "platform/PasteboardTypeKey.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

// Order and repetition do not matter when comparing copied file sets.
QSet<QUrl> urlSet(const QList<QUrl>& urls) {
    return QSet<QUrl>(urls.cbegin(), urls.cend());
}

bool supersedes(const ClipboardItem& newer, const QSet<QUrl>& newerFiles,
                const ClipboardItem& older) {
    if (!newer.fileURLs().isEmpty()) {
        return !older.fileURLs().isEmpty() && urlSet(older.fileURLs()) == newerFiles;
    }
    if (!newer.imageFingerprint()) {
        return !newer.contentKey().isEmpty() && !older.imageFingerprint() &&
               older.fileURLs().isEmpty() && older.contentKey() == newer.contentKey();
    }
    return older.imageFingerprint() == newer.imageFingerprint();
}

// Password managers mark their copies so that clipboard histories leave them alone.
bool isConcealed(const PasteboardSnapshot& snapshot) {
    return std::any_of(snapshot.cbegin(), snapshot.cend(), [](const StoredItem& item) {
        QByteArrayView hint(item.value(QString(PasteboardTypeKey::passwordManagerHint)));
        while (hint.endsWith('\0')) {
            hint.chop(1);
        }
        return hint.trimmed() == "secret";
    });
}

}  // namespace

ClipboardHistory::ClipboardHistory(Pasteboard& pasteboard, Scheduler& scheduler,
                                   QString blobDirectory, std::function<Limits()> limits,
                                   const RecordingGate* gate, QObject* parent)
    : QObject(parent),
      m_pasteboard(pasteboard),
      m_scheduler(scheduler),
      m_blobDirectory(std::move(blobDirectory)),
      m_limits(std::move(limits)),
      m_gate(gate) {}

ClipboardHistory::~ClipboardHistory() {
    m_pasteboard.setOwnerLostHandler({});
    if (m_pollTimer != 0) {
        m_scheduler.cancelTimer(m_pollTimer);
    }
    if (m_autoDeleteTimer != 0) {
        m_scheduler.cancelTimer(m_autoDeleteTimer);
    }
}

void ClipboardHistory::startMonitoring() {
    wipeBlobDirectory();
    m_lastChangeCount = m_pasteboard.changeCount();
    ingestCurrentPasteboard();
    m_pasteboard.setOwnerLostHandler([this] { keepClipboardFilled(); });
    if (m_pollTimer != 0) {
        m_scheduler.cancelTimer(m_pollTimer);
    }
    const std::weak_ptr<bool> alive = m_alive;
    if (m_pasteboard.notifiesChanges()) {
        // Nothing runs while nothing changes: an idle history never wakes the process.
        m_pasteboard.setChangeHandler([this, alive] {
            if (alive.lock()) {
                judgeCurrentCopy();
                armCheck();
            }
        });
    } else {
        m_pollTimer = m_scheduler.startRepeating(pollIntervalMs, [this, alive] {
            if (alive.lock()) {
                checkPasteboard();
            }
        });
    }
    restartAutoDeleteTimer();
}

void ClipboardHistory::armCheck() {
    // Waiting a whole interval keeps the poll's rule: copies closer together than that are
    // one change, and checks are at least an interval apart.
    if (m_checkArmed) {
        return;
    }
    m_checkArmed = true;
    const std::weak_ptr<bool> alive = m_alive;
    m_scheduler.postDelayed(pollIntervalMs, [this, alive] {
        if (alive.lock()) {
            m_checkArmed = false;
            checkPasteboard();
        }
    });
}

void ClipboardHistory::judgeCurrentCopy() {
    if (!m_gate) {
        return;
    }
    const qint64 count = m_pasteboard.changeCount();
    if (count != m_judgedChangeCount) {
        m_judgedChangeCount = count;
        m_currentCopyRefused = !m_gate->admitsCopy();
    }
}

void ClipboardHistory::checkPasteboard() {
    const qint64 count = m_pasteboard.changeCount();
    if (count == m_lastChangeCount) {
        return;
    }
    m_lastChangeCount = count;
    ingestCurrentPasteboard();
}

void ClipboardHistory::keepClipboardFilled() {
    if (m_pasteboard.changeCount() != m_lastChangeCount) {
        // The owner left before its copy was taken in: that copy is the newest, record it and
        // offer the bytes read from it while its record is still being built.
        m_lastChangeCount = m_pasteboard.changeCount();
        const PasteboardSnapshot taken = ingestCurrentPasteboard();
        if (!taken.isEmpty()) {
            m_pasteboard.prepareForNewContents();
            m_pasteboard.writeItems(taken);
            m_lastChangeCount = m_pasteboard.changeCount();
        }
        return;
    }
    if (m_newestCopyConcealed) {
        return;
    }
    restoreToClipboard(0);
}

PasteboardSnapshot ClipboardHistory::ingestCurrentPasteboard() {
    const PasteboardSnapshot current = m_pasteboard.items();
    // From here the record being built holds the only copy a large copy needs.
    m_pasteboard.releaseContent();
    judgeCurrentCopy();
    if (isConcealed(current) || (m_gate && m_currentCopyRefused)) {
        m_newestCopyConcealed = true;
        return {};
    }
    PasteboardSnapshot snapshot;
    for (const StoredItem& item : current) {
        // Only a PNG that actually arrived replaces the TIFF; otherwise the image would be lost.
        const bool hasPng = !item.value(PasteboardTypeKey::png).isEmpty();
        StoredItem stored;
        for (auto it = item.cbegin(); it != item.cend(); ++it) {
            if ((hasPng && it.key() == PasteboardTypeKey::tiff) || it.value().isEmpty()) {
                continue;
            }
            stored.insert(it.key(), it.value());
        }
        if (!stored.isEmpty()) {
            snapshot.append(std::move(stored));
        }
    }
    if (snapshot.isEmpty()) {
        return {};
    }
    m_newestCopyConcealed = false;

    const QString blobName = BlobStore::newFileName();
    m_pendingBlobNames.insert(blobName);
    const std::weak_ptr<bool> alive = m_alive;
    Scheduler& scheduler = m_scheduler;
    m_scheduler.runInBackground([this, alive, &scheduler, snapshot, blobDirectory = m_blobDirectory,
                                 blobName] {
        if (alive.expired()) {
            return;
        }
        std::optional<ClipboardItem> item =
            ClipboardItem::make(snapshot, blobDirectory, ClipboardItem::defaultInlineByteLimit,
                                ClipboardItem::defaultThumbnailMaxSide, scheduler.now(), blobName);
        scheduler.post([this, alive, blobName, item = std::move(item)] {
            if (!alive.lock()) {
                if (item) {
                    item->deleteBlob();
                }
                return;
            }
            m_pendingBlobNames.remove(blobName);
            if (item) {
                insert(*item);
            }
        });
    });
    return snapshot;
}

void ClipboardHistory::insert(const ClipboardItem& item) {
    QList<ClipboardItem> list;
    list.reserve(m_items.size() + 1);
    list.append(item);
    const QSet<QUrl> files = urlSet(item.fileURLs());
    for (const ClipboardItem& existing : std::as_const(m_items)) {
        if (!supersedes(item, files, existing)) {
            list.append(existing);
        }
    }
    const qint64 limit = std::max<qint64>(0, m_limits().bufferLimit);
    if (list.size() > limit) {
        list.erase(list.begin() + limit, list.end());
    }
    assignItems(std::move(list));
    sweepOrphanBlobs();
}

void ClipboardHistory::applyLimit() {
    const qint64 limit = std::max<qint64>(0, m_limits().bufferLimit);
    if (m_items.size() <= limit) {
        return;
    }
    assignItems(m_items.first(qsizetype(limit)));
    sweepOrphanBlobs();
}

void ClipboardHistory::removeItem(qsizetype index) {
    if (index < 0 || index >= m_items.size()) {
        return;
    }
    QList<ClipboardItem> list = m_items;
    const ClipboardItem removed = list.takeAt(index);
    assignItems(std::move(list));
    removed.deleteBlob();
    sweepOrphanBlobs();
}

void ClipboardHistory::clearAll() {
    const qsizetype count = m_items.size();
    assignItems({});
    wipeBlobDirectory();
    log(QStringLiteral("clearAll: removed %1 items").arg(count));
}

void ClipboardHistory::restartAutoDeleteTimer() {
    if (m_autoDeleteTimer != 0) {
        m_scheduler.cancelTimer(m_autoDeleteTimer);
        m_autoDeleteTimer = 0;
    }
    updateAutoDeleteTimer();
    removeExpiredItems();
}

void ClipboardHistory::updateAutoDeleteTimer() {
    const bool wanted = m_limits().autoDeleteMinutes >= 1 && !m_items.isEmpty();
    if (wanted == (m_autoDeleteTimer != 0)) {
        return;
    }
    if (!wanted) {
        m_scheduler.cancelTimer(m_autoDeleteTimer);
        m_autoDeleteTimer = 0;
        return;
    }
    const std::weak_ptr<bool> alive = m_alive;
    m_autoDeleteTimer = m_scheduler.startRepeating(autoDeleteIntervalMs, [this, alive] {
        if (alive.lock()) {
            removeExpiredItems();
        }
    });
}

void ClipboardHistory::removeExpiredItems() {
    const qint64 minutes = m_limits().autoDeleteMinutes;
    if (minutes < 1) {
        return;
    }
    // A period from a hand-edited file may not fit in milliseconds: it then keeps everything.
    constexpr qint64 kMsPerMinute = 60 * 1000;
    const qint64 maxAgeMs = minutes > std::numeric_limits<qint64>::max() / kMsPerMinute
                                ? std::numeric_limits<qint64>::max()
                                : minutes * kMsPerMinute;
    const QDateTime now = m_scheduler.now();
    QList<ClipboardItem> kept;
    kept.reserve(m_items.size());
    for (const ClipboardItem& item : std::as_const(m_items)) {
        if (item.date().msecsTo(now) <= maxAgeMs) {
            kept.append(item);
        }
    }
    const qsizetype removed = m_items.size() - kept.size();
    if (removed == 0) {
        return;
    }
    assignItems(std::move(kept));
    sweepOrphanBlobs();
    log(QStringLiteral("autoDelete: removed %1 items older than %2 min").arg(removed).arg(minutes));
}

void ClipboardHistory::sweepOrphanBlobs() {
    if (m_blobDirectory.isEmpty()) {
        return;
    }
    QSet<QString> owned;
    for (const ClipboardItem& item : std::as_const(m_items)) {
        if (item.blobPath()) {
            owned.insert(QFileInfo(*item.blobPath()).fileName());
        }
    }
    QDir dir(m_blobDirectory);
    if (!dir.exists()) {
        return;
    }
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : entries) {
        if (!owned.contains(name) && !isPendingBlob(name)) {
            QFile::remove(dir.filePath(name));
        }
    }
}

void ClipboardHistory::wipeBlobDirectory() {
    if (m_blobDirectory.isEmpty()) {
        return;
    }
    QDir dir(m_blobDirectory);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : entries) {
        // A record still being built is inserted after the wipe and must find its blob.
        if (isPendingBlob(name)) {
            continue;
        }
        const QString path = dir.filePath(name);
        const QFileInfo info(path);
        if (info.isDir() && !info.isSymLink()) {
            QDir(path).removeRecursively();
        } else {
            QFile::remove(path);
        }
    }
}

bool ClipboardHistory::isPendingBlob(const QString& fileName) const {
    // QSaveFile's temporary file carries the final name as its prefix.
    return std::any_of(
        m_pendingBlobNames.cbegin(), m_pendingBlobNames.cend(),
        [&fileName](const QString& pending) { return fileName.startsWith(pending); });
}

void ClipboardHistory::restoreToClipboard(qsizetype index) {
    if (index < 0 || index >= m_items.size()) {
        return;
    }
    const ClipboardItem item = m_items.at(index);
    m_newestCopyConcealed = false;
    if (!item.fileURLs().isEmpty()) {
        m_pasteboard.prepareForNewContents();
        m_pasteboard.writeFileUrls(item.fileURLs());
        log(QStringLiteral("restoreToClipboard index=%1 fileURLs=%2")
                .arg(index)
                .arg(item.fileURLs().size()));
    } else {
        // Read before taking the clipboard: content that cannot be had must not cost the user
        // what the clipboard holds now.
        const PasteboardSnapshot snapshot = item.resolvedPasteboardData();
        log(QStringLiteral("restoreToClipboard index=%1 items=%2").arg(index).arg(snapshot.size()));
        if (snapshot.isEmpty()) {
            return;
        }
        m_pasteboard.prepareForNewContents();
        m_pasteboard.writeItems(snapshot);
    }
    m_lastChangeCount = m_pasteboard.changeCount();
}

void ClipboardHistory::assignItems(QList<ClipboardItem> items) {
    m_items = std::move(items);
    updateAutoDeleteTimer();
    Q_EMIT itemsChanged();
}
