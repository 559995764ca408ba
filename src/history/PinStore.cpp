#include "history/PinStore.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>
#include <QFile>

#include "history/BlobStore.h"

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

}  // namespace

PinStore::PinStore(QString filePath, std::function<bool()> prepareFolder)
    : m_filePath(std::move(filePath)), m_prepareFolder(std::move(prepareFolder)) {}

std::optional<QList<PinStore::Record>> PinStore::decode(const QByteArray& bytes) {
    QCborStreamReader reader(bytes);
    if (!reader.isArray() || !reader.enterContainer() || readText(reader) != formatName ||
        readInteger(reader) != formatVersion) {
        return std::nullopt;
    }
    QList<Record> records;
    while (reader.hasNext()) {
        std::optional<Record> record = readRecord(reader);
        if (!record) {
            return std::nullopt;
        }
        records.append(std::move(*record));
    }
    if (reader.lastError() != QCborError::NoError || !reader.leaveContainer() ||
        reader.currentOffset() != bytes.size()) {
        return std::nullopt;
    }
    return records;
}

PinStore::Loaded PinStore::load() const {
    if (!QFile::exists(m_filePath)) {
        return {};
    }
    const std::optional<QByteArray> bytes = BlobStore::readFile(m_filePath, maxFileSize);
    std::optional<QList<Record>> records = bytes ? decode(*bytes) : std::nullopt;
    if (!records) {
        return {Status::Unreadable, {}};
    }
    return {Status::Loaded, std::move(*records)};
}

bool PinStore::save(const QList<ClipboardItem>& pinned) const {
    if (pinned.isEmpty()) {
        // Nothing pinned leaves nothing behind.
        return !QFile::exists(m_filePath) || QFile::remove(m_filePath);
    }
    if (!m_prepareFolder || !m_prepareFolder()) {
        return false;
    }
    // One record's content in memory at a time: large ones are read back from their blobs.
    return BlobStore::writeFile(m_filePath, [&pinned](QCborStreamWriter& writer) {
        writeHeader(writer);
        qint64 total = 0;
        for (const ClipboardItem& item : pinned) {
            const PasteboardSnapshot content = item.resolvedPasteboardData();
            total += byteCount(content);
            if (content.isEmpty() || total > maxFileSize) {
                return false;
            }
            writeRecord(writer, item.date(), content);
        }
        writer.endArray();
        return true;
    });
}
