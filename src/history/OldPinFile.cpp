// SPDX-License-Identifier: MIT
#include "history/OldPinFile.h"

#include <QCborStreamReader>
#include <QFile>

#include "history/BlobStore.h"
#include "platform/freedesktop/PrivateFiles.h"

namespace {

constexpr QLatin1StringView formatName{"quillstack-pins"};
constexpr qint64 formatVersion = 1;

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

std::optional<OldPinFile::Record> readRecord(QCborStreamReader& reader) {
    if (!reader.isArray() || !reader.enterContainer()) {
        return std::nullopt;
    }
    const std::optional<qint64> ms = readInteger(reader);
    std::optional<ClipboardSnapshot> content = ms ? BlobStore::readSnapshot(reader) : std::nullopt;
    if (!content || content->isEmpty() || reader.hasNext() || !reader.leaveContainer()) {
        return std::nullopt;
    }
    return OldPinFile::Record{QDateTime::fromMSecsSinceEpoch(*ms), std::move(*content)};
}

// Reads records from a stream: the file's content is never held whole, so a huge file that is
// not ours is given up at its first wrong byte.
std::optional<QList<OldPinFile::Record>> readPinFile(QCborStreamReader& reader, qint64 size) {
    if (!reader.isArray() || !reader.enterContainer() || readText(reader) != formatName ||
        readInteger(reader) != formatVersion) {
        return std::nullopt;
    }
    QList<OldPinFile::Record> records;
    while (reader.hasNext()) {
        std::optional<OldPinFile::Record> record = readRecord(reader);
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

OldPinFile::OldPinFile(QString folder) : m_folder(std::move(folder)) {}

QString OldPinFile::filePath() const {
    return m_folder + QLatin1Char('/') + fileName;
}

OldPinFile::Loaded OldPinFile::load() const {
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
        loaded.problem =
            file->error() != QFileDevice::NoError
                ? QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "cannot be read"))
                : QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is not a pin file"));
    }
    // Kept for the user to look at.
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
