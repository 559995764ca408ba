// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "history/ClipboardItem.h"
#include "platform/Pasteboard.h"

// The records the user pinned, kept across runs in one file: the only copies ever written to
// disk on purpose. CBOR: an array of the format's name, its version, then one array per record
// in pin order, holding the copy's date (milliseconds since the epoch) and its content in the
// form of BlobStore. The file and its folder are held to the rule of PrivateFiles, and the file
// is read as untrusted input. Any thread, one call at a time.
class PinStore {
  public:
    // More than the largest copy the clipboard readers take, a few times over; a larger file is
    // neither written nor read.
    static constexpr qint64 maxFileSize = qint64(4) << 30;
    static inline const QString fileName = QStringLiteral("pinned");

    struct Record {
        QDateTime date;
        PasteboardSnapshot content;
    };
    enum class Status {
        Missing,  // no file, or no folder yet
        Loaded,
        SetAside,  // not a pin file, or cut short: renamed beside it, nothing restored
        Refused,   // a link, a FIFO, someone else's: left alone, nothing restored or saved
    };
    struct Loaded {
        Status status = Status::Missing;
        QList<Record> records;  // empty unless Loaded
        QString problem;        // why it was set aside or refused: an English key of the tables
        QString setAsideAs;     // the name it was given beside the folder's others
        QString path;           // what the problem is about: the file, or its folder
    };

    explicit PinStore(QString folder);

    QString filePath() const;

    // Also removes what a save killed halfway left behind.
    Loaded load() const;
    // Replaces the file atomically with these records' full content, in order; on failure the
    // file is left as it was and the result says why (an English key of the string tables).
    // No records: no file.
    QString save(const QList<ClipboardItem>& pinned) const;

  private:
    QString m_folder;
};
