#include "history/BlobStore.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>
#include <QFile>
#include <QSaveFile>
#include <QUuid>

namespace {

// Passes every write through to the file and remembers whether any of them fell short: a full
// disk makes write() store only part of a buffer without reporting an error, and the CBOR
// writer ignores what write() returns.
class CheckedWriter final : public QIODevice {
  public:
    explicit CheckedWriter(QIODevice& target) : m_target(target) { open(QIODevice::WriteOnly); }
    bool failed() const { return m_failed; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        if (m_failed) {
            return -1;
        }
        if (m_target.write(data, length) != length) {
            m_failed = true;
            return -1;
        }
        return length;
    }

  private:
    QIODevice& m_target;
    bool m_failed = false;
};

void writeSnapshot(QCborStreamWriter& writer, const PasteboardSnapshot& snapshot) {
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

QByteArray BlobStore::encode(const PasteboardSnapshot& snapshot) {
    QByteArray out;
    QCborStreamWriter writer(&out);
    writeSnapshot(writer, snapshot);
    return out;
}

std::optional<PasteboardSnapshot> BlobStore::decode(const QByteArray& bytes) {
    QCborStreamReader reader(bytes);
    if (!reader.isArray() || !reader.enterContainer()) {
        return std::nullopt;
    }
    PasteboardSnapshot snapshot;
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
    // Trailing bytes mean the file is not one of ours.
    if (reader.currentOffset() != bytes.size()) {
        return std::nullopt;
    }
    return snapshot;
}

bool BlobStore::write(const QString& path, const PasteboardSnapshot& snapshot) {
    QSaveFile file(path);
    // Unbuffered, so a short write shows in the return value of the very call that made it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    // Owner-only before the first byte lands, whatever the umask.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return false;
    }
    CheckedWriter checked(file);
    {
        QCborStreamWriter writer(&checked);
        writeSnapshot(writer, snapshot);
    }
    // A truncated blob under its final name would restore to nothing; the unnamed temporary is
    // removed when the save is cancelled.
    if (checked.failed() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<PasteboardSnapshot> BlobStore::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxFileSize) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() > maxFileSize || file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return decode(bytes);
}

QString BlobStore::newFileName() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".blob");
}
