// SPDX-License-Identifier: MIT
#pragma once

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include <sys/stat.h>
#include <optional>

inline QImage solidImage(int width, int height, Qt::GlobalColor color = Qt::blue) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

inline QByteArray encodeImage(const QImage& image, const char* format = "png") {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

// Writes the file (and the folders above it); whether all of it was written.
inline bool writeFile(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | mode) && file.write(bytes) == bytes.size();
}

// The file's bytes; none when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The type and permission bits of `path` itself (a link is not followed); 0 when it is missing.
inline mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

// A JPEG whose EXIF block says "rotate 90 degrees clockwise to display".
inline QByteArray jpegWithOrientation6(const QImage& image) {
    const QByteArray payload(
        "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 32);
    QByteArray app1("\xFF\xE1");
    app1.append(char((payload.size() + 2) >> 8)).append(char(payload.size() + 2)).append(payload);
    return encodeImage(image, "jpeg").insert(2, app1);
}

// A deflate-compressed 8-bit grey TIFF of side x side pixels, a few kilobytes on the wire: every
// strip points at the same compressed block of zeros.
inline QByteArray deflateTiff(quint32 side) {
    const quint32 rows = 100;
    const quint32 strips = (side + rows - 1) / rows;
    const QByteArray block = qCompress(QByteArray(qsizetype(side) * rows, '\0')).mid(4);
    const quint32 offsets = 8 + 2 + 9 * 12 + 4;
    const quint32 counts = offsets + 4 * strips;
    QByteArray out("II*\0\x08\0\0\0\x09\0", 10);
    const auto put = [&out](quint32 v, int size) {
        out.append(reinterpret_cast<const char*>(&v), size);
    };
    // Width, height, 8 bits, deflate, black is zero, strip offsets, one sample, rows per strip,
    // strip sizes.
    const quint32 entries[][4] = {{256, 4, 1, side}, {257, 4, 1, side}, {258, 3, 1, 8},
                                  {259, 3, 1, 8},    {262, 3, 1, 1},    {273, 4, strips, offsets},
                                  {277, 3, 1, 1},    {278, 4, 1, rows}, {279, 4, strips, counts}};
    for (const auto& [tag, type, count, value] : entries) {
        put(tag, 2), put(type, 2), put(count, 4), put(value, 4);
    }
    put(0, 4);
    for (quint32 i = 0; i < 2 * strips; ++i) {
        put(i < strips ? counts + 4 * strips : quint32(block.size()), 4);
    }
    return out + block;
}

// Sets or clears an environment variable for one scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::optional<QByteArray>& value)
        : m_name(name),
          m_old(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        set(value);
    }
    ~ScopedEnv() { set(m_old); }

  private:
    void set(const std::optional<QByteArray>& value) {
        value ? void(qputenv(m_name, *value)) : void(qunsetenv(m_name));
    }
    const char* m_name;
    std::optional<QByteArray> m_old;
};
