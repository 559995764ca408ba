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

}  // namespace

void BlobStore::writeSnapshot(QCborStreamWriter& writer, const PasteboardSnapshot& snapshot) {
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

QByteArray BlobStore::encode(const PasteboardSnapshot& snapshot) {
    QByteArray out;
    QCborStreamWriter writer(&out);
    writeSnapshot(writer, snapshot);
    return out;
}

std::optional<PasteboardSnapshot> BlobStore::readSnapshot(QCborStreamReader& reader) {
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
    return snapshot;
}

std::optional<PasteboardSnapshot> BlobStore::decode(const QByteArray& bytes) {
    QCborStreamReader reader(bytes);
    std::optional<PasteboardSnapshot> snapshot = readSnapshot(reader);
    // Trailing bytes mean the file is not one of ours.
    if (!snapshot || reader.currentOffset() != bytes.size()) {
        return std::nullopt;
    }
    return snapshot;
}

bool BlobStore::write(const QString& path, const PasteboardSnapshot& snapshot) {
    return writeFile(path, [&snapshot](QCborStreamWriter& writer) {
        writeSnapshot(writer, snapshot);
        return true;
    });
}

bool BlobStore::writeFile(const QString& path,
                          const std::function<bool(QCborStreamWriter&)>& body) {
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
    bool complete = false;
    {
        QCborStreamWriter writer(&checked);
        complete = body(writer);
    }
    // A truncated file under its final name would read back as nothing; the unnamed temporary
    // is removed when the save is cancelled.
    if (!complete || checked.failed() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QByteArray> BlobStore::readFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxBytes) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<PasteboardSnapshot> BlobStore::read(const QString& path) {
    const std::optional<QByteArray> bytes = readFile(path);
    return bytes ? decode(*bytes) : std::nullopt;
}

QString BlobStore::newFileName() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".blob");
}
