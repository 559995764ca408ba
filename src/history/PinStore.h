#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

#include "history/ClipboardItem.h"
#include "platform/Pasteboard.h"

// The records the user pinned, kept across runs in one file: the only copies ever written to
// disk on purpose. CBOR: an array of the format's name, its version, then one array per record
// in pin order, holding the copy's date (milliseconds since the epoch) and its content in the
// form of BlobStore. The file is read as untrusted input. Any thread, one call at a time.
class PinStore {
  public:
    // More than the largest copy the clipboard readers take, a few times over; a larger file is
    // neither written nor read.
    static constexpr qint64 maxFileSize = qint64(4) << 30;

    struct Record {
        QDateTime date;
        PasteboardSnapshot content;
    };
    enum class Status { Missing, Loaded, Unreadable };
    struct Loaded {
        Status status = Status::Missing;
        QList<Record> records;  // empty unless Loaded
    };

    // prepareFolder makes the file's folder, private, before each save; false when it cannot
    // be had or trusted.
    PinStore(QString filePath, std::function<bool()> prepareFolder);

    const QString& filePath() const { return m_filePath; }

    Loaded load() const;
    // Replaces the file atomically with these records' full content, in order; false, leaving
    // the file as it was, when any of it cannot be had or written. No records: no file.
    bool save(const QList<ClipboardItem>& pinned) const;

    // Nothing unless the bytes are exactly one well-formed pin file.
    static std::optional<QList<Record>> decode(const QByteArray& bytes);

  private:
    QString m_filePath;
    std::function<bool()> m_prepareFolder;
};
