// SPDX-License-Identifier: MIT
#include "history/BlobStore.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>
#include <QFileInfo>
#include <QUuid>

#include "platform/freedesktop/PrivateFiles.h"

void BlobStore::writeSnapshot(QCborStreamWriter& writer, const ClipboardSnapshot& snapshot) {
    writer.startArray(quint64(snapshot.size()));
    for (const StoredItem& item : snapshot) {
        writer.startMap(quint64(item.size()));
        for (auto it = item.cbegin(); it != item.cend(); ++it) {
            writer.append(it.key());
            writer.append(it.value());
        }
        writer.endMap();
    }
    writer.endArray();
}

namespace {

// Reads a whole text or byte string, chunked or not; false on any error.
template <typename Result, typename Chunk>
bool readWhole(QCborStreamReader& reader, Result& out, Chunk readChunk) {
    out.clear();
    for (;;) {
        auto chunk = readChunk(reader);
        if (chunk.status == QCborStreamReader::Error) {
            return false;
        }
        if (chunk.status == QCborStreamReader::EndOfString) {
            return true;
        }
        out += chunk.data;
    }
}

std::optional<StoredItem> readItem(QCborStreamReader& reader) {
    if (!reader.isMap() || !reader.enterContainer()) {
        return std::nullopt;
    }
    StoredItem item;
    while (reader.hasNext()) {
        if (!reader.isString()) {
            return std::nullopt;
        }
        QString key;
        if (!readWhole(reader, key, [](QCborStreamReader& r) { return r.readString(); })) {
            return std::nullopt;
        }
        if (!reader.isByteArray()) {
            return std::nullopt;
        }
        QByteArray value;
        if (!readWhole(reader, value, [](QCborStreamReader& r) { return r.readByteArray(); })) {
            return std::nullopt;
        }
        item.insert(key, value);
    }
    if (reader.lastError() != QCborError::NoError || !reader.leaveContainer()) {
        return std::nullopt;
    }
    return item;
}

}  // namespace

QByteArray BlobStore::encode(const ClipboardSnapshot& snapshot) {
    QByteArray out;
    QCborStreamWriter writer(&out);
    writeSnapshot(writer, snapshot);
    return out;
}

std::optional<ClipboardSnapshot> BlobStore::readSnapshot(QCborStreamReader& reader) {
    if (!reader.isArray() || !reader.enterContainer()) {
        return std::nullopt;
    }
    ClipboardSnapshot snapshot;
    while (reader.hasNext()) {
        std::optional<StoredItem> item = readItem(reader);
        if (!item) {
            return std::nullopt;
        }
        snapshot.append(std::move(*item));
    }
    if (reader.lastError() != QCborError::NoError || !reader.leaveContainer()) {
        return std::nullopt;
    }
    return snapshot;
}

std::optional<ClipboardSnapshot> BlobStore::decode(const QByteArray& bytes) {
    QCborStreamReader reader(bytes);
    std::optional<ClipboardSnapshot> snapshot = readSnapshot(reader);
    // Trailing bytes mean the file is not one of ours.
    if (!snapshot || reader.currentOffset() != bytes.size()) {
        return std::nullopt;
    }
    return snapshot;
}

bool BlobStore::write(const QString& path, const ClipboardSnapshot& snapshot) {
    const QFileInfo info(path);
    // The blob folder was made by this run; it is checked again since anything may have
    // happened to it since.
    const PrivateFiles::Folder folder = PrivateFiles::openFolder(info.path(), false);
    return PrivateFiles::writeFile(folder, info.fileName(),
                                   [&snapshot](QIODevice& device) {
                                       QCborStreamWriter writer(&device);
                                       writeSnapshot(writer, snapshot);
                                       return true;
                                   })
        .isEmpty();
}

std::optional<ClipboardSnapshot> BlobStore::read(const QString& path) {
    const QFileInfo info(path);
    const PrivateFiles::FileRead file = PrivateFiles::readFile(
        PrivateFiles::openFolder(info.path(), false), info.fileName(), maxFileSize);
    return file.status == PrivateFiles::FileRead::Status::Read ? decode(file.bytes) : std::nullopt;
}

QString BlobStore::newFileName() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".blob");
}
