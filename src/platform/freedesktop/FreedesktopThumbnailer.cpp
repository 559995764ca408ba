// SPDX-License-Identifier: MIT
#include "platform/freedesktop/FreedesktopThumbnailer.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QUrl>

#include "core/ImageCodec.h"
#include "platform/freedesktop/XdgFolders.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Bounds the pixel box so that absurd sizes or scales cannot overflow it.
constexpr int kMaxSidePoints = 4096;

struct CacheFolder {
    const char* name;
    int pixels;
};

// Sizes of the thumbnail cache folders.
constexpr CacheFolder kFolders[] = {
    {"normal", 128}, {"large", 256}, {"x-large", 512}, {"xx-large", 1024}};

// Folders holding at least the wanted size come first, smallest first; smaller ones follow as a
// fallback, largest first.
QList<const CacheFolder*> foldersFor(int pixels) {
    QList<const CacheFolder*> fitting;
    QList<const CacheFolder*> smaller;
    for (const CacheFolder& folder : kFolders) {
        (folder.pixels >= pixels ? fitting : smaller).append(&folder);
    }
    std::reverse(smaller.begin(), smaller.end());
    return fitting + smaller;
}

bool mtimeMatches(const QString& text, qint64 fileMtime) {
    bool ok = false;
    const qint64 whole = text.trimmed().toLongLong(&ok);
    if (ok) {
        return whole == fileMtime;
    }
    // Some writers store fractional seconds.
    const double seconds = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(seconds) && static_cast<qint64>(std::floor(seconds)) == fileMtime;
}

std::optional<QByteArray> fromCache(const QString& cacheDirectory, const QByteArray& uri,
                                    qint64 fileMtime, QSize box) {
    const QString fileName =
        QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
        QStringLiteral(".png");
    for (const CacheFolder* folder : foldersFor(std::max(box.width(), box.height()))) {
        const QString path =
            cacheDirectory + u'/' + QLatin1StringView(folder->name) + u'/' + fileName;
        if (!QFileInfo(path).isFile()) {
            continue;
        }
        // Text chunks may follow the image data, so they are known only after reading it.
        QImageReader reader(path, "png");
        const QImage image = ImageCodec::fitsDecodeBudget(reader) ? reader.read() : QImage();
        if (image.isNull() ||
            !mtimeMatches(image.text(QStringLiteral("Thumb::MTime")), fileMtime)) {
            continue;
        }
        const QString cachedUri = image.text(QStringLiteral("Thumb::URI"));
        if (!cachedUri.isEmpty() && cachedUri.toUtf8() != uri) {
            continue;
        }
        if (std::optional<QByteArray> png = ImageCodec::fittedPng(image, box)) {
            return png;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> makeThumbnail(const QString& cacheDirectory, const QString& path,
                                        QSize box) {
    const QFileInfo info(path);
    // Regular files only: opening a FIFO or device would block the worker.
    if (!info.isFile() || box.isEmpty()) {
        return std::nullopt;
    }
    const QString absolute = info.absoluteFilePath();
    const QByteArray uri = QUrl::fromLocalFile(absolute).toEncoded();
    const qint64 mtime = info.lastModified().toSecsSinceEpoch();
    if (std::optional<QByteArray> cached = fromCache(cacheDirectory, uri, mtime, box)) {
        return cached;
    }
    QImageReader reader(absolute);
    return ImageCodec::thumbnailPng(reader, box);
}

}  // namespace

QString FreedesktopThumbnailer::defaultCacheDirectory() {
    return XdgFolders::cacheHome() + QStringLiteral("/thumbnails");
}

FreedesktopThumbnailer::FreedesktopThumbnailer(QString cacheDirectory)
    : m_cacheDirectory(std::move(cacheDirectory)) {
    m_pool.setMaxThreadCount(1);
    m_pool.setThreadPriority(QThread::LowPriority);
    // An idle worker that expires wakes once more to end; parked, it sleeps until needed.
    m_pool.setExpiryTimeout(-1);
}

FreedesktopThumbnailer::~FreedesktopThumbnailer() {
    m_pool.clear();
    m_pool.waitForDone();
}

void FreedesktopThumbnailer::request(const QString& path, QSize pointSize, qreal scale,
                                     Callback callback) {
    const qreal factor = scale > 0 ? std::min<qreal>(scale, 16.0) : 1.0;
    const auto pixels = [factor](int points) {
        return static_cast<int>(std::ceil(std::clamp(points, 0, kMaxSidePoints) * factor));
    };
    const QSize box(pixels(pointSize.width()), pixels(pointSize.height()));
    m_pool.start([cacheDirectory = m_cacheDirectory, path, box, callback = std::move(callback)] {
        std::optional<QByteArray> png = makeThumbnail(cacheDirectory, path, box);
        if (callback) {
            callback(std::move(png));
        }
    });
}

void FreedesktopThumbnailer::waitForDone() {
    m_pool.waitForDone();
}
