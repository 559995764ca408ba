#pragma once

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>

#include <sys/stat.h>

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
