// SPDX-License-Identifier: MIT
#include "history/PinStore.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>
#include <QFile>

#include "history/BlobStore.h"
#include "platform/freedesktop/PrivateFiles.h"

namespace {

constexpr QLatin1StringView formatName{"quillstack-pins"};
constexpr qint64 formatVersion = 1;

void writeHeader(QCborStreamWriter& writer) {
    writer.startArray();
    writer.append(formatName);
    writer.append(formatVersion);
}

void writeRecord(QCborStreamWriter& writer, const QDateTime& date,
                 const PasteboardSnapshot& content) {
    writer.startArray(2);
    writer.append(date.toMSecsSinceEpoch());
    BlobStore::writeSnapshot(writer, content);
    writer.endArray();
}

std::optional<QString> readText(QCborStreamReader& reader) {
    if (!reader.isString()) {
        return std::nullopt;
    }
    QString text;
    for (auto chunk = reader.readString(); chunk.status == QCborStreamReader::Ok;
         chunk = reader.readString()) {
        text += chunk.data;
    }
    return reader.lastError() == QCborError::NoError ? std::optional(text) : std::nullopt;
}

std::optional<qint64> readInteger(QCborStreamReader& reader) {
    if (!reader.isInteger()) {
        return std::nullopt;
    }
    const qint64 value = reader.toInteger();
    return reader.next() ? std::optional(value) : std::nullopt;
}

std::optional<PinStore::Record> readRecord(QCborStreamReader& reader) {
    if (!reader.isArray() || !reader.enterContainer()) {
        return std::nullopt;
    }
    const std::optional<qint64> ms = readInteger(reader);
    std::optional<PasteboardSnapshot> content = ms ? BlobStore::readSnapshot(reader) : std::nullopt;
    if (!content || content->isEmpty() || reader.hasNext() || !reader.leaveContainer()) {
        return std::nullopt;
    }
    return PinStore::Record{QDateTime::fromMSecsSinceEpoch(*ms), std::move(*content)};
}

// Reads records from a stream: the file's content is never held whole, so a huge file that is
// not ours is given up at its first wrong byte.
std::optional<QList<PinStore::Record>> readPinFile(QCborStreamReader& reader, qint64 size) {
    if (!reader.isArray() || !reader.enterContainer() || readText(reader) != formatName ||
        readInteger(reader) != formatVersion) {
        return std::nullopt;
    }
    QList<PinStore::Record> records;
    while (reader.hasNext()) {
        std::optional<PinStore::Record> record = readRecord(reader);
        if (!record) {
            return std::nullopt;
        }
        records.append(std::move(*record));
    }
    if (reader.lastError() != QCborError::NoError || !reader.leaveContainer() ||
        reader.currentOffset() != size) {
        return std::nullopt;
    }
    return records;
}

}  // namespace

PinStore::PinStore(QString folder) : m_folder(std::move(folder)) {}

QString PinStore::filePath() const {
    return m_folder + QLatin1Char('/') + fileName;
}

PinStore::Loaded PinStore::load() const {
    const PrivateFiles::Folder folder = PrivateFiles::openFolder(m_folder, false);
    PrivateFiles::removeTemporaries(folder, fileName);
    PrivateFiles::FileRead opened;
    const std::unique_ptr<QFile> file =
        PrivateFiles::openFile(folder, fileName, maxFileSize, &opened);
    Loaded loaded;
    loaded.problem = opened.problem;
    loaded.path = folder.refusal().isEmpty() ? filePath() : m_folder;
    switch (opened.status) {
        case PrivateFiles::FileRead::Status::Missing:
            return loaded;
        case PrivateFiles::FileRead::Status::Refused:
            loaded.status = Status::Refused;
            return loaded;
        case PrivateFiles::FileRead::Status::Failed:
        case PrivateFiles::FileRead::Status::Read:
            break;
    }
    if (file) {
        QCborStreamReader reader(file.get());
        if (std::optional<QList<Record>> records = readPinFile(reader, file->size())) {
            loaded.status = Status::Loaded;
            loaded.records = std::move(*records);
            return loaded;
        }
        loaded.problem = file->error() != QFileDevice::NoError
                             ? QStringLiteral("cannot be read")
                             : QStringLiteral("is not a pin file");
    }
    // Kept for the user to look at, out of the way of the next save.
    loaded.status = Status::SetAside;
    loaded.setAsideAs = PrivateFiles::moveAside(
        folder, fileName,
        QStringLiteral(".unreadable-") +
            QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    if (loaded.setAsideAs.isEmpty()) {
        // It could not be moved: leave it, and write no pins over it.
        loaded.status = Status::Refused;
    }
    return loaded;
}

QString PinStore::save(const QList<ClipboardItem>& pinned) const {
    const PrivateFiles::Folder folder = PrivateFiles::openFolder(m_folder, !pinned.isEmpty());
    if (pinned.isEmpty()) {
        // Nothing pinned leaves nothing behind.
        return PrivateFiles::removeFile(folder, fileName) ? QString()
               : folder.refusal().isEmpty()               ? QStringLiteral("cannot be written")
                                                          : folder.refusal();
    }
    // One record's content in memory at a time: large ones are read back from their blobs.
    QString tooLarge;
    const QString problem =
        PrivateFiles::writeFile(folder, fileName, [&pinned, &tooLarge](QIODevice& device) {
            QCborStreamWriter writer(&device);
            writeHeader(writer);
            qint64 total = 0;
            for (const ClipboardItem& item : pinned) {
                const PasteboardSnapshot content = item.resolvedPasteboardData();
                total += byteCount(content);
                if (total > maxFileSize) {
                    tooLarge = QStringLiteral("is too large");
                    return false;
                }
                if (content.isEmpty()) {
                    return false;
                }
                writeRecord(writer, item.date(), content);
            }
            writer.endArray();
            return true;
        });
    return tooLarge.isEmpty() ? problem : tooLarge;
}
