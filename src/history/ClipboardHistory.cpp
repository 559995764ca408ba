// SPDX-License-Identifier: MIT
#include "history/ClipboardHistory.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>

#include <algorithm>
#include <limits>

#include "core/AppLogger.h"
#include "history/BlobStore.h"
#include "history/ClipboardContent.h"
#include "history/RecordingGate.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardTypeKey.h"

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

// Whether `newer` offers only part of what `older` holds, byte for byte: what a desktop's keeper
// puts on the clipboard when the program of the newest copy quits (mutter keeps the text alone).
bool offersLessOf(const ClipboardItem& newer, const ClipboardItem& older) {
    const auto& less = newer.inlineData();
    const auto& more = older.inlineData();
    if (!less || !more || less->size() != more->size()) {
        return false;
    }
    bool fewer = false;
    for (qsizetype i = 0; i < less->size(); ++i) {
        const StoredItem& part = less->at(i);
        const StoredItem& whole = more->at(i);
        for (auto it = part.cbegin(); it != part.cend(); ++it) {
            if (whole.value(it.key()) != it.value() || !whole.contains(it.key())) {
                return false;
            }
        }
        fewer = fewer || whole.size() > part.size();
    }
    return fewer;
}

// Password managers mark their copies so that clipboard histories leave them alone.
bool isConcealed(const ClipboardSnapshot& snapshot) {
    return std::any_of(snapshot.cbegin(), snapshot.cend(), [](const StoredItem& item) {
        QByteArrayView hint(item.value(QString(ClipboardTypeKey::passwordManagerHint)));
        while (hint.endsWith('\0')) {
            hint.chop(1);
        }
        return hint.trimmed() == "secret";
    });
}

}  // namespace

ClipboardHistory::ClipboardHistory(Clipboard& clipboard, Scheduler& scheduler,
                                   QString blobDirectory, std::function<Limits()> limits,
                                   HistoryStorage* storage, const RecordingGate* gate,
                                   QObject* parent)
    : QObject(parent),
      m_clipboard(clipboard),
      m_scheduler(scheduler),
      m_blobDirectory(std::move(blobDirectory)),
      m_limits(std::move(limits)),
      m_storage(storage),
      m_gate(gate) {}

ClipboardHistory::~ClipboardHistory() {
    m_clipboard.setOwnerLostHandler({});
    if (m_pollTimer != 0) {
        m_scheduler.cancelTimer(m_pollTimer);
    }
    if (m_autoDeleteTimer != 0) {
        m_scheduler.cancelTimer(m_autoDeleteTimer);
    }
}

void ClipboardHistory::startMonitoring() {
    wipeBlobDirectory();
    loadKept();
    m_lastChangeCount = m_clipboard.changeCount();
    ingestCurrentClipboard();
    m_clipboard.setOwnerLostHandler([this] { keepClipboardFilled(); });
    if (m_pollTimer != 0) {
        m_scheduler.cancelTimer(m_pollTimer);
    }
    const std::weak_ptr<bool> alive = m_alive;
    if (m_clipboard.notifiesChanges()) {
        // Each copy is taken in as its notification arrives, so none is lost to a later one;
        // nothing runs while nothing changes, so an idle history never wakes the process.
        m_clipboard.setChangeHandler([this, alive] {
            if (alive.lock() && !m_writing) {
                checkClipboard();
            }
        });
    } else {
        m_pollTimer = m_scheduler.startRepeating(pollIntervalMs, [this, alive] {
            if (alive.lock()) {
                checkClipboard();
            }
        });
    }
    restartAutoDeleteTimer();
}

void ClipboardHistory::judgeCurrentCopy() {
    if (!m_gate) {
        return;
    }
    const qint64 count = m_clipboard.changeCount();
    if (count != m_judgedChangeCount) {
        m_judgedChangeCount = count;
        m_currentCopyRefused = !m_gate->admitsCopy();
    }
}

void ClipboardHistory::checkClipboard() {
    const qint64 count = m_clipboard.changeCount();
    if (count == m_lastChangeCount) {
        return;
    }
    m_lastChangeCount = count;
    ingestCurrentClipboard();
}

void ClipboardHistory::keepClipboardFilled() {
    const QScopedValueRollback writing(m_writing, true);
    if (m_clipboard.changeCount() != m_lastChangeCount) {
        // The owner left before its copy was taken in: that copy is the newest, record it and
        // offer the bytes read from it while its record is still being built.
        m_lastChangeCount = m_clipboard.changeCount();
        const ClipboardSnapshot taken = ingestCurrentClipboard();
        if (!taken.isEmpty()) {
            m_clipboard.write(ClipboardContent::mergedItems(taken));
            m_lastChangeCount = m_clipboard.changeCount();
        }
    } else if (!m_newestCopyConcealed) {
        // A copy whose record is still being built is newer than every record.
        const ClipboardSnapshot unbuilt = newestUnbuiltCopy();
        if (unbuilt.isEmpty()) {
            restoreToClipboard(newestIndex());
        } else {
            m_clipboard.write(ClipboardContent::mergedItems(unbuilt));
            m_lastChangeCount = m_clipboard.changeCount();
        }
    }
}

ClipboardSnapshot ClipboardHistory::newestUnbuiltCopy() const {
    return m_waiting.isEmpty() ? m_building : m_waiting.last().snapshot;
}

qsizetype ClipboardHistory::newestIndex() const {
    // The unpinned records first: among equal dates, the one on top of them.
    qsizetype newest = -1;
    for (qsizetype step = 0; step < m_items.size(); ++step) {
        const qsizetype index = (m_pinnedCount + step) % m_items.size();
        if (newest < 0 || m_items.at(index).date() > m_items.at(newest).date()) {
            newest = index;
        }
    }
    return newest;
}

ClipboardSnapshot ClipboardHistory::ingestCurrentClipboard() {
    const ClipboardSnapshot current = m_clipboard.items();
    // From here the record being built holds the only copy a large copy needs.
    m_clipboard.releaseContent();
    judgeCurrentCopy();
    if (isConcealed(current) || (m_gate && m_currentCopyRefused)) {
        m_newestCopyConcealed = true;
        return {};
    }
    ClipboardSnapshot snapshot;
    for (const StoredItem& item : current) {
        // Only a PNG that actually arrived replaces the TIFF; otherwise the image would be lost.
        const bool hasPng = !item.value(ClipboardTypeKey::png).isEmpty();
        StoredItem stored;
        for (auto it = item.cbegin(); it != item.cend(); ++it) {
            if ((hasPng && it.key() == ClipboardTypeKey::tiff) || it.value().isEmpty()) {
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
    queueRecord(snapshot);
    return snapshot;
}

void ClipboardHistory::queueRecord(ClipboardSnapshot snapshot) {
    WaitingCopy taken{std::move(snapshot), m_scheduler.now()};
    if (m_building.isEmpty()) {
        buildRecord(std::move(taken.snapshot), taken.takenAt);
    } else if (m_waiting.size() < maxWaitingCopies) {
        m_waiting.append(std::move(taken));
    } else {
        // Only while builds lag this far behind does a copy go unrecorded: the one that was on
        // the clipboard the shortest time, so that a copy the user could have seen is kept
        // through a flood of others, and the newest always waits.
        qsizetype shortest = 0;
        qint64 shortestMs = std::numeric_limits<qint64>::max();
        for (qsizetype i = 0; i < m_waiting.size(); ++i) {
            const QDateTime& replacedAt =
                i + 1 < m_waiting.size() ? m_waiting.at(i + 1).takenAt : taken.takenAt;
            const qint64 heldMs = m_waiting.at(i).takenAt.msecsTo(replacedAt);
            if (heldMs < shortestMs) {
                shortest = i;
                shortestMs = heldMs;
            }
        }
        m_waiting.removeAt(shortest);
        m_waiting.append(std::move(taken));
    }
}

void ClipboardHistory::buildRecord(ClipboardSnapshot snapshot, const QDateTime& takenAt) {
    m_building = snapshot;
    const QString blobName = BlobStore::newFileName();
    m_pendingBlobNames.insert(blobName);
    const std::weak_ptr<bool> alive = m_alive;
    Scheduler& scheduler = m_scheduler;
    // A copy to be kept goes to the store, not to a blob file of this run.
    const QString blobDirectory = m_storage && m_keepingAll ? QString() : m_blobDirectory;
    m_scheduler.runInBackground([this, alive, &scheduler, snapshot = std::move(snapshot),
                                 blobDirectory, blobName, takenAt] {
        if (alive.expired()) {
            return;
        }
        std::optional<ClipboardItem> item =
            ClipboardItem::make(snapshot, blobDirectory, ClipboardItem::defaultInlineByteLimit,
                                ClipboardItem::defaultThumbnailMaxSide, takenAt, blobName);
        scheduler.post([this, alive, blobName, item = std::move(item)] {
            if (!alive.lock()) {
                if (item) {
                    item->deleteBlob();
                }
                return;
            }
            m_pendingBlobNames.remove(blobName);
            m_building.clear();
            if (item) {
                insert(*item);
            }
            if (!m_waiting.isEmpty()) {
                const WaitingCopy next = m_waiting.takeFirst();
                buildRecord(next.snapshot, next.takenAt);
            }
        });
    });
}

void ClipboardHistory::insert(const ClipboardItem& copied) {
    // Less of the newest copy again keeps all of it, so its types outlive the program.
    const bool lessOfNewest =
        m_items.size() > m_pinnedCount && offersLessOf(copied, m_items.at(m_pinnedCount));
    const ClipboardItem item =
        lessOfNewest ? m_items.at(m_pinnedCount).redated(copied.date()) : copied;
    // A pinned record is never superseded: the copy is recorded beside it.
    QList<ClipboardItem> list = m_items.first(m_pinnedCount);
    list.reserve(m_items.size() + 1);
    list.append(item);
    const QSet<QUrl> files = urlSet(item.fileURLs());
    for (qsizetype i = m_pinnedCount; i < m_items.size(); ++i) {
        if (!supersedes(item, files, m_items.at(i))) {
            list.append(m_items.at(i));
        }
    }
    const qint64 limit = std::max<qint64>(0, m_limits().historySize);
    if (list.size() - m_pinnedCount > limit) {
        list.erase(list.begin() + m_pinnedCount + limit, list.end());
    }
    assignItems(std::move(list), m_pinnedCount);
    sweepOrphanBlobs();
}

void ClipboardHistory::applyLimit() {
    const qint64 limit = std::max<qint64>(0, m_limits().historySize);
    if (m_items.size() - m_pinnedCount <= limit) {
        return;
    }
    assignItems(m_items.first(m_pinnedCount + qsizetype(limit)), m_pinnedCount);
    sweepOrphanBlobs();
}

void ClipboardHistory::removeItem(qsizetype index) {
    if (index < 0 || index >= m_items.size()) {
        return;
    }
    QList<ClipboardItem> list = m_items;
    const ClipboardItem removed = list.takeAt(index);
    assignItems(std::move(list), m_pinnedCount - (index < m_pinnedCount ? 1 : 0));
    removed.deleteBlob();
    sweepOrphanBlobs();
}

void ClipboardHistory::setPinned(qsizetype index, bool pinned) {
    if (index < 0 || index >= m_items.size() || (index < m_pinnedCount) == pinned) {
        return;
    }
    QList<ClipboardItem> list = m_items;
    const ClipboardItem item = list.takeAt(index);
    if (pinned) {
        list.insert(m_pinnedCount, item);
        assignItems(std::move(list), m_pinnedCount + 1);
        return;
    }
    const qsizetype pinnedCount = m_pinnedCount - 1;
    qsizetype at = pinnedCount;
    while (at < list.size() && list.at(at).date() >= item.date()) {
        ++at;
    }
    list.insert(at, item);
    assignItems(std::move(list), pinnedCount);
}

void ClipboardHistory::togglePinned(qsizetype index) {
    setPinned(index, index >= m_pinnedCount);
}

void ClipboardHistory::clearAll(Pinned pinned) {
    const qsizetype kept = pinned == Pinned::Keep ? m_pinnedCount : 0;
    const qsizetype count = m_items.size() - kept;
    assignItems(m_items.first(kept), kept);
    if (kept > 0) {
        sweepOrphanBlobs();  // the pinned records' blobs stay
    } else {
        wipeBlobDirectory();
    }
    log(QStringLiteral("clearAll: removed %1 items, kept %2 pinned").arg(count).arg(kept));
}

void ClipboardHistory::loadKept() {
    if (m_storage == nullptr) {
        m_pinsLoaded = true;
        return;
    }
    if (m_pinsRequested) {
        return;
    }
    m_pinsRequested = true;
    m_keepingAll = m_limits().keepHistory;
    const std::weak_ptr<bool> alive = m_alive;
    Scheduler& scheduler = m_scheduler;
    m_scheduler.runInBackground(
        [this, alive, &scheduler, storage = m_storage, everything = m_keepingAll] {
            if (alive.expired()) {
                return;
            }
            QList<ClipboardItem> items;
            qsizetype pinned = 0;
            QList<HistoryStorage::Problem> told =
                storage->load(everything, [&](HistoryStorage::Record record) {
                    items.append(std::move(record.item));
                    pinned += record.pinned ? 1 : 0;
                });
            scheduler.post([this, alive, told = std::move(told), items = std::move(items), pinned] {
                if (!alive.lock()) {
                    return;
                }
                for (const HistoryStorage::Problem& problem : told) {
                    tell(problem);
                }
                m_pinsLoaded = true;
                adoptKept(items, pinned);
                Q_EMIT pinsLoaded();
            });
        });
}

void ClipboardHistory::adoptKept(QList<ClipboardItem> loaded, qsizetype loadedPins) {
    for (const ClipboardItem& item : std::as_const(loaded)) {
        m_stored.insert(item.id());
    }
    QList<QUuid> pins;
    for (qsizetype i = 0; i < loadedPins; ++i) {
        pins.append(loaded.at(i).id());
    }
    m_storedPins = pins;
    // Pins made before the store was read came later than those in it; the other records go
    // by date, and the limit and expiry apply to them as to any.
    QList<ClipboardItem> others = m_items.mid(m_pinnedCount) + loaded.mid(loadedPins);
    std::stable_sort(
        others.begin(), others.end(),
        [](const ClipboardItem& a, const ClipboardItem& b) { return a.date() > b.date(); });
    others = others.first(
        std::min<qsizetype>(others.size(), qsizetype(std::max<qint64>(0, m_limits().historySize))));
    const qsizetype pinnedCount = loadedPins + m_pinnedCount;
    QList<ClipboardItem> list = loaded.first(loadedPins) + m_items.first(m_pinnedCount) + others;
    assignItems(std::move(list), pinnedCount);
    removeExpiredItems();
    sweepOrphanBlobs();
    log(QStringLiteral("kept: %1 restored, %2 pinned").arg(loaded.size()).arg(loadedPins));
}

void ClipboardHistory::applyKeepHistory() {
    const bool keepAll = m_limits().keepHistory;
    if (m_storage == nullptr || !m_pinsLoaded || m_storeSettling || keepAll == m_keepingAll) {
        return;
    }
    m_keepingAll = keepAll;
    if (keepAll) {
        syncStorage();
        return;
    }
    // The whole file goes, whatever it held; what this run still shows moves out of it first,
    // and the pins are written into a new one.
    m_storeSettling = true;
    const QList<Relocation> moving = relocationsOf(m_items);
    const std::weak_ptr<bool> alive = m_alive;
    Scheduler& scheduler = m_scheduler;
    m_scheduler.runInBackground([this, alive, &scheduler, storage = m_storage, moving] {
        QList<ClipboardItem> moved = relocate(moving);
        storage->erase();
        scheduler.post([this, alive, moving, moved = std::move(moved)] {
            if (!alive.lock()) {
                return;
            }
            adoptRelocated(moving, moved);
            m_stored.clear();
            m_storedPins.reset();
            m_storeSettling = false;
            syncStorage();
            applyKeepHistory();
        });
    });
}

QList<ClipboardHistory::Relocation> ClipboardHistory::relocationsOf(
    const QList<ClipboardItem>& items) {
    QList<Relocation> moving;
    for (const ClipboardItem& item : items) {
        if (!item.isReadFromKept()) {
            continue;
        }
        if (m_blobDirectory.isEmpty()) {
            moving.append({item, {}});  // no blob folder: held in memory instead
            continue;
        }
        const QString name = BlobStore::newFileName();
        m_pendingBlobNames.insert(name);
        moving.append({item, m_blobDirectory + QLatin1Char('/') + name});
    }
    return moving;
}

QList<ClipboardItem> ClipboardHistory::relocate(const QList<Relocation>& moving) {
    QList<ClipboardItem> moved;
    for (const Relocation& relocation : moving) {
        const ClipboardSnapshot content = relocation.item.resolvedClipboardData();
        if (content.isEmpty()) {
            moved.append(relocation.item);
        } else if (!relocation.path.isEmpty() && BlobStore::write(relocation.path, content)) {
            moved.append(relocation.item.inBlob(relocation.path));
        } else {
            moved.append(*ClipboardItem::make(content, {}, ClipboardItem::defaultInlineByteLimit,
                                              ClipboardItem::defaultThumbnailMaxSide,
                                              relocation.item.date(), {}, relocation.item.id()));
        }
    }
    return moved;
}

void ClipboardHistory::adoptRelocated(const QList<Relocation>& moving,
                                      const QList<ClipboardItem>& moved) {
    for (const Relocation& relocation : moving) {
        if (!relocation.path.isEmpty()) {
            m_pendingBlobNames.remove(QFileInfo(relocation.path).fileName());
        }
    }
    replaceItems(moved);
}

void ClipboardHistory::replaceItems(const QList<ClipboardItem>& replacements) {
    for (const ClipboardItem& replacement : replacements) {
        const qsizetype at = m_items.indexOf(replacement);
        if (at >= 0) {
            m_items[at] = replacement;
        } else {
            replacement.deleteBlob();  // removed meanwhile
        }
    }
}

void ClipboardHistory::syncStorage() {
    if (m_storage == nullptr || !m_pinsLoaded || m_storeSettling) {
        return;  // the records read from the store are taken in first
    }
    HistoryStorage::Change change;
    const qsizetype keptCount = m_keepingAll ? m_items.size() : m_pinnedCount;
    QList<QUuid> pins;
    for (qsizetype i = 0; i < m_pinnedCount; ++i) {
        pins.append(m_items.at(i).id());
    }
    const bool pinsChanged = m_storedPins != pins;
    if (pinsChanged) {
        change.pinned = pins;
    }
    QSet<QUuid> kept;
    for (qsizetype i = 0; i < keptCount; ++i) {
        const ClipboardItem& item = m_items.at(i);
        kept.insert(item.id());
        if (pinsChanged && i >= m_pinnedCount) {
            change.unpinned.append(item.id());
        }
        if (!m_stored.contains(item.id())) {
            change.added.append(item);
        }
    }
    for (const QUuid& id : std::as_const(m_stored)) {
        if (!kept.contains(id)) {
            change.removed.append(id);
        }
    }
    if (change.isEmpty()) {
        return;
    }
    // Records leaving the store while this run still shows them take their content with them.
    QList<ClipboardItem> leaving;
    for (qsizetype i = keptCount; i < m_items.size(); ++i) {
        if (change.removed.contains(m_items.at(i).id())) {
            leaving.append(m_items.at(i));
        }
    }
    const QList<Relocation> moving = relocationsOf(leaving);
    m_stored = std::move(kept);
    m_storedPins = std::move(pins);
    const std::weak_ptr<bool> alive = m_alive;
    Scheduler& scheduler = m_scheduler;
    m_scheduler.runInBackground([this, alive, &scheduler, storage = m_storage, change, moving] {
        QList<ClipboardItem> moved = relocate(moving);
        std::optional<HistoryStorage::Problem> failure = storage->apply(change);
        scheduler.post([this, alive, change, moving, moved = std::move(moved),
                        kept = storage->keptContent(), failure = std::move(failure)] {
            if (!alive.lock()) {
                return;
            }
            adoptRelocated(moving, moved);
            if (failure && failure->kind == HistoryStorage::Problem::Kind::Replaced) {
                // Another instance deleted the store: what this one keeps is written anew.
                m_stored.clear();
                m_storedPins.reset();
                syncStorage();
                return;
            }
            if (!failure) {
                readLargeFromKept(change.added, kept);
            }
            if (failure) {
                // Not kept: the next change writes it again, and removes what is still there.
                for (const ClipboardItem& item : change.added) {
                    m_stored.remove(item.id());
                }
                for (const QUuid& id : change.removed) {
                    m_stored.insert(id);
                }
                if (change.pinned) {
                    m_storedPins.reset();
                }
                tell(*failure);
            }
            m_storageProblemTold = failure;
        });
    });
}

void ClipboardHistory::readLargeFromKept(const QList<ClipboardItem>& written,
                                         const std::shared_ptr<const KeptContent>& kept) {
    QList<ClipboardItem> large;
    QStringList blobs;
    for (const ClipboardItem& item : written) {
        const qsizetype at = m_items.indexOf(item);
        // Only while still kept: a later change may already be taking it out of the store.
        if (at < 0 || !m_stored.contains(item.id()) || m_items.at(at).isReadFromKept()) {
            continue;
        }
        const ClipboardItem& shown = m_items.at(at);
        const bool isLarge = shown.blobPath().has_value() ||
                             (shown.inlineData() && byteCount(*shown.inlineData()) >
                                                        ClipboardItem::defaultInlineByteLimit);
        if (isLarge) {
            if (shown.blobPath()) {
                blobs.append(*shown.blobPath());
            }
            large.append(shown.keptIn(kept));
        }
    }
    replaceItems(large);
    if (!blobs.isEmpty()) {
        // Behind any read of them already queued.
        m_scheduler.runInBackground([blobs] {
            for (const QString& path : blobs) {
                QFile::remove(path);
            }
        });
    }
}

void ClipboardHistory::tell(const HistoryStorage::Problem& told) {
    // Said once; the next change tries again.
    if (m_storageProblemTold == told) {
        return;
    }
    m_storageProblemTold = told;
    using Kind = HistoryStorage::Problem::Kind;
    switch (told.kind) {
        case Kind::Refused:
            // Left alone: it may be someone else's, or the user's own on purpose.
            Q_EMIT problem(QStringLiteral(QT_TRANSLATE_NOOP(
                               "ProblemNotices",
                               "History and pins cannot be kept: %1 %2. It was left alone; move "
                               "it away to keep them again.")),
                           {told.path, told.reason});
            break;
        case Kind::SetAside:
            Q_EMIT problem(QStringLiteral(QT_TRANSLATE_NOOP(
                               "ProblemNotices",
                               "The kept history and pins were not restored: %1 %2. It was "
                               "renamed to %3.")),
                           {told.path, told.reason, told.setAsideAs});
            break;
        case Kind::PinsSetAside:
            Q_EMIT problem(
                QStringLiteral(QT_TRANSLATE_NOOP(
                    "ProblemNotices", "No pins were restored: %1 %2. It was renamed to %3.")),
                {told.path, told.reason, told.setAsideAs});
            break;
        case Kind::NotSaved:
            Q_EMIT problem(QStringLiteral(QT_TRANSLATE_NOOP(
                               "ProblemNotices",
                               "History and pins could not be saved: %1 %2. They are kept for "
                               "this session and saved again at the next change.")),
                           {told.path, told.reason});
            break;
        case Kind::Replaced:
            break;  // not a problem: written anew
    }
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
    const bool wanted = m_limits().autoDeleteMinutes >= 1 && m_items.size() > m_pinnedCount;
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
    QList<ClipboardItem> kept = m_items.first(m_pinnedCount);
    kept.reserve(m_items.size());
    for (qsizetype i = m_pinnedCount; i < m_items.size(); ++i) {
        if (m_items.at(i).date().msecsTo(now) <= maxAgeMs) {
            kept.append(m_items.at(i));
        }
    }
    const qsizetype removed = m_items.size() - kept.size();
    if (removed == 0) {
        return;
    }
    assignItems(std::move(kept), m_pinnedCount);
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

bool ClipboardHistory::restoreToClipboard(qsizetype index, RestoreAs as) {
    if (index < 0 || index >= m_items.size()) {
        return false;
    }
    const ClipboardItem item = m_items.at(index);
    const QScopedValueRollback writing(m_writing, true);
    m_newestCopyConcealed = false;
    bool written = false;
    if (!item.fileURLs().isEmpty()) {
        written = m_clipboard.write(ClipboardContent::fileListItem(item.fileURLs()));
        log(QStringLiteral("restoreToClipboard index=%1 fileURLs=%2")
                .arg(index)
                .arg(item.fileURLs().size()));
    } else {
        // Read before taking the clipboard: content that cannot be had must not cost the user
        // what the clipboard holds now.
        ClipboardSnapshot snapshot = item.resolvedClipboardData();
        log(QStringLiteral("restoreToClipboard index=%1 items=%2%3")
                .arg(index)
                .arg(snapshot.size())
                .arg(as == RestoreAs::PlainText ? QStringLiteral(" as plain text") : QString()));
        if (snapshot.isEmpty()) {
            log(QStringLiteral("restoreToClipboard index=%1: its content is no longer there")
                    .arg(index));
            m_unavailable.insert(item.id());
            Q_EMIT recordUnavailable(item.id());
            return false;
        }
        const std::optional<QString> text =
            as == RestoreAs::PlainText && !item.imageFingerprint()
                ? ClipboardContent::anyTextFromItem(snapshot.first())
                : std::nullopt;
        if (text && !text->trimmed().isEmpty()) {
            snapshot = {ClipboardContent::plainTextItem(*text)};
        } else {
            snapshot.first() = ClipboardContent::withPlainText(std::move(snapshot.first()));
        }
        written = m_clipboard.write(ClipboardContent::mergedItems(snapshot));
    }
    m_lastChangeCount = m_clipboard.changeCount();
    return written;
}

void ClipboardHistory::assignItems(QList<ClipboardItem> items, qsizetype pinnedCount) {
    m_items = std::move(items);
    if (!m_unavailable.isEmpty()) {
        QSet<QUuid> kept;
        for (const ClipboardItem& item : std::as_const(m_items)) {
            if (m_unavailable.contains(item.id())) {
                kept.insert(item.id());
            }
        }
        m_unavailable = std::move(kept);
    }
    m_pinnedCount = pinnedCount;
    syncStorage();
    updateAutoDeleteTimer();
    Q_EMIT itemsChanged();
}
