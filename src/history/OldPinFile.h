// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "platform/Clipboard.h"

// The pin file of earlier versions, read once for the history's store to take over. CBOR: an
// array of the format's name, its version, then one array per record in pin order, holding the
// copy's date (milliseconds since the epoch) and its content in the form of BlobStore. The file
// and its folder are held to the rule of PrivateFiles, and the file is read as untrusted input.
class OldPinFile {
  public:
    // More than the largest copy the clipboard readers took, a few times over; a larger file is
    // not read.
    static constexpr qint64 maxFileSize = qint64(4) << 30;
    static inline const QString fileName = QStringLiteral("pinned");

    struct Record {
        QDateTime date;
        ClipboardSnapshot content;
    };
    enum class Status {
        Missing,  // no file, or no folder yet
        Loaded,
        SetAside,  // not a pin file, or cut short: renamed beside it, nothing restored
        Refused,   // a link, a FIFO, someone else's: left alone, nothing restored
    };
    struct Loaded {
        Status status = Status::Missing;
        QList<Record> records;  // empty unless Loaded
        QString problem;        // why it was set aside or refused, as PrivateFiles words it
        QString setAsideAs;     // the name it was given beside the folder's others
        QString path;           // what the problem is about: the file, or its folder
    };

    explicit OldPinFile(QString folder);

    QString filePath() const;

    // Also removes what a save killed halfway left behind.
    Loaded load() const;

  private:
    QString m_folder;
};
