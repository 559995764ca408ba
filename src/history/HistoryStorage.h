// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

#include "history/ClipboardItem.h"
#include "platform/Clipboard.h"

// Where records are kept across runs: the pinned ones always, the others when the user keeps
// the history. Every call runs on the history's serial background queue, in the order made, so
// an implementation may block on the disk; nothing here is ever called on the main thread.
class HistoryStorage {
  public:
    // A kept record: its content inline when small, else read from keptContent() on demand.
    struct Record {
        ClipboardItem item;
        bool pinned = false;
    };
    // What the user must hear of. reason: in English, as PrivateFiles words it.
    struct Problem {
        enum class Kind {
            Refused,       // a link, someone else's, not a regular file: left alone
            SetAside,      // damaged, not a history, of a newer version: renamed to setAsideAs
            PinsSetAside,  // the old pin file, unreadable: renamed to setAsideAs
            NotSaved,      // a write failed (a full disk): the change is not kept
            Replaced,      // another instance deleted the store: the change went into the one
                           // there now, which holds none of this instance's other records
        };
        Kind kind = Kind::NotSaved;
        QString path;
        QString reason;
        QString setAsideAs;
        bool operator==(const Problem&) const = default;
    };
    // One change of what is kept, applied whole or not at all. Another instance may share the
    // store: only records named here are touched.
    struct Change {
        QList<ClipboardItem> added;  // written with their full content
        QList<QUuid> removed;        // their bytes gone from the disk, not just unlinked
        // When the pins changed: the pinned records in order, and the kept ones not pinned.
        std::optional<QList<QUuid>> pinned;
        QList<QUuid> unpinned;
        bool isEmpty() const { return added.isEmpty() && removed.isEmpty() && !pinned; }
    };

    virtual ~HistoryStorage() = default;

    // Where the content of the records it hands over, and of those it keeps, is read back.
    virtual std::shared_ptr<const KeptContent> keptContent() const = 0;

    // Hands over every kept record (everything: else the pinned ones only, the others being
    // deleted), the pinned first in pin order, then the others newest first, one at a time so
    // that their content is never all in memory; returns what the user must be told.
    virtual QList<Problem> load(bool everything, const std::function<void(Record)>& take) = 0;
    // Nothing when done, else why not: the store is then as it was before.
    virtual std::optional<Problem> apply(const Change& change) = 0;
    // Deletes every kept record and the store's files; the next apply starts a new store.
    virtual std::optional<Problem> erase() = 0;
};
