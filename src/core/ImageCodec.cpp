// SPDX-License-Identifier: MIT
#include "core/ImageCodec.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>

namespace {

// Backstop for readers that cannot tell their size up front; the explicit budget check refuses
// known oversized images before any decoding.
constexpr int kImageAllocationLimitMb = 256;

void ensureAllocationLimit() {
    static const bool applied = [] {
        QImageReader::setAllocationLimit(kImageAllocationLimitMb);
        return true;
    }();
    Q_UNUSED(applied);
}

}  // namespace

namespace ImageCodec {

bool fitsDecodeBudget(QImageReader& reader) {
    ensureAllocationLimit();
    const QSize size = reader.size();
    if (!size.isValid()) {
        return true;
    }
    const QImage::Format format = reader.imageFormat();
    // Decoders usually hand out at least 32 bits per pixel, whatever the file stores.
    const qint64 bitsPerPixel =
        format == QImage::Format_Invalid
            ? 32
            : std::max<qint64>(32, QImage::toPixelFormat(format).bitsPerPixel());
    return qint64(size.width()) * size.height() * bitsPerPixel / 8 <= maxDecodedBytes;
}

std::optional<QByteArray> encodePng(const QImage& image) {
    if (image.isNull()) {
        return std::nullopt;
    }
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return std::nullopt;
    }
    QImageWriter writer(&buffer, "png");
    // Low zlib effort: a converted screenshot encodes several times faster for a slightly larger
    // buffer, and it is only kept until the copy leaves the history.
    writer.setQuality(85);
    if (!writer.write(image) || png.isEmpty()) {
        return std::nullopt;
    }
    return png;
}

std::optional<QByteArray> fittedPng(QImage image, QSize box) {
    if (image.isNull()) {
        return std::nullopt;
    }
    if (image.width() > box.width() || image.height() > box.height()) {
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return encodePng(image);
}

std::optional<QByteArray> thumbnailPng(QImageReader& reader, QSize box) {
    reader.setAutoTransform(true);
    if (box.isEmpty() || !fitsDecodeBudget(reader)) {
        return std::nullopt;
    }
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > box.width() || size.height() > box.height())) {
        // Lets decoders that can (JPEG) produce the small image directly. Orientation does not
        // matter for a square box: the longer side fits whichever way it points.
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    }
    return fittedPng(reader.read(), box);
}

}  // namespace ImageCodec
