#pragma once

#include <QBuffer>
#include <QFile>
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

// The type and permission bits of `path` itself (a link is not followed); 0 when it is missing.
inline mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

// A JPEG whose EXIF block says "rotate 90 degrees clockwise to display".
inline QByteArray jpegWithOrientation6(const QImage& image) {
    QByteArray jpeg = encodeImage(image, "jpeg");
    const QByteArray tiff(
        "MM\x00\x2A\x00\x00\x00\x08"
        "\x00\x01"
        "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00"
        "\x00\x00\x00\x00",
        26);
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const int length = payload.size() + 2;
    QByteArray app1("\xFF\xE1");
    app1.append(char(length >> 8)).append(char(length & 0xFF)).append(payload);
    return jpeg.insert(2, app1);
}

// A deflate-compressed 8-bit grey TIFF of side x side pixels, a few kilobytes on the wire: every
// strip points at the same compressed block of zeros.
inline QByteArray deflateTiff(quint32 side) {
    const quint32 rowsPerStrip = 100;
    const quint32 strips = (side + rowsPerStrip - 1) / rowsPerStrip;
    const QByteArray block = qCompress(QByteArray(qsizetype(side) * rowsPerStrip, '\0')).mid(4);
    QByteArray out("II*\0", 4);
    const auto u16 = [&out](quint16 v) { out.append(reinterpret_cast<const char*>(&v), 2); };
    const auto u32 = [&out](quint32 v) { out.append(reinterpret_cast<const char*>(&v), 4); };
    const quint32 offsets = 8 + 2 + 9 * 12 + 4;
    const quint32 counts = offsets + 4 * strips;
    const quint32 data = counts + 4 * strips;
    u32(8);
    u16(9);
    const auto entry = [&](quint16 tag, quint16 type, quint32 count, quint32 value) {
        u16(tag);
        u16(type);
        u32(count);
        u32(value);
    };
    entry(256, 4, 1, side);          // width
    entry(257, 4, 1, side);          // height
    entry(258, 3, 1, 8);             // bits per sample
    entry(259, 3, 1, 8);             // deflate
    entry(262, 3, 1, 1);             // black is zero
    entry(273, 4, strips, offsets);  // strip offsets
    entry(277, 3, 1, 1);             // samples per pixel
    entry(278, 4, 1, rowsPerStrip);  // rows per strip
    entry(279, 4, strips, counts);   // strip byte counts
    u32(0);
    for (quint32 i = 0; i < strips; ++i) {
        u32(data);
    }
    for (quint32 i = 0; i < strips; ++i) {
        u32(quint32(block.size()));
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
        if (value) {
            qputenv(m_name, *value);
        } else {
            qunsetenv(m_name);
        }
    }
    const char* m_name;
    std::optional<QByteArray> m_old;
};
