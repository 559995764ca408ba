// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <optional>

class QImageReader;

// PNG encoding and guarded decoding, shared by every path that turns image bytes into a
// picture. Any thread.
namespace ImageCodec {
// Images whose decoded pixels would take more than this are not decoded; their bytes are still
// kept. Enough for an 8K RGBA picture.
inline constexpr qint64 maxDecodedBytes = qint64(144) << 20;

// Whether decoding what the reader declares stays within maxDecodedBytes. A compressed image of
// a few hundred kilobytes can declare gigabytes of pixels; an image whose size cannot be told
// before decoding is left to the process-wide allocation limit, which this also sets.
bool fitsDecodeBudget(QImageReader& reader);
// PNG bytes of an image; nothing for a null image or a failed encoding.
std::optional<QByteArray> encodePng(const QImage& image);
// The image scaled down to fit box (never up), as PNG; nothing for a null image.
std::optional<QByteArray> fittedPng(QImage image, QSize box);
// Reads within the budget, orientation applied, scaled down to fit box while decoding where the
// format allows it, as PNG; nothing when the image is refused or does not decode.
std::optional<QByteArray> thumbnailPng(QImageReader& reader, QSize box);
}  // namespace ImageCodec
