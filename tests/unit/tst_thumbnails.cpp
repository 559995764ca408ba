#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include "TestHelpers.h"
#include "core/ImageCodec.h"
#include "platform/freedesktop/FreedesktopThumbnailer.h"

namespace {

quint32 crc32(QByteArrayView bytes) {
    quint32 crc = 0xFFFFFFFF;
    for (const char ch : bytes) {
        crc ^= static_cast<quint8>(ch);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
        }
    }
    return ~crc;
}

// Qt's PNG writer mangles keys that contain ':', so the tEXt chunks of a cached thumbnail are
// spliced in by hand, after the image data as ImageMagick writes them.
QByteArray withTextChunks(const QImage& image,
                          const QList<std::pair<QByteArray, QByteArray>>& texts) {
    QByteArray png = encodeImage(image);
    QByteArray chunks;
    for (const auto& [key, value] : texts) {
        const QByteArray body = "tEXt" + key + '\0' + value;
        QByteArray chunk;
        QDataStream stream(&chunk, QIODevice::WriteOnly);
        stream << quint32(body.size() - 4);
        stream.writeRawData(body.constData(), int(body.size()));
        stream << crc32(body);
        chunks += chunk;
    }
    return png.insert(png.size() - 12, chunks);
}

// The picture for a file, asked at 128 points on a 2x screen (null when there is none); none
// unless answered once, off this thread.
std::optional<QImage> ask(FreedesktopThumbnailer& thumbnailer, const QString& path) {
    QList<std::optional<QByteArray>> answers;
    QThread* const mainThread = QThread::currentThread();
    thumbnailer.request(path, QSize(128, 128), 2.0, [&](std::optional<QByteArray> png) {
        answers << (QThread::currentThread() != mainThread ? png : QByteArray("on main"));
    });
    thumbnailer.waitForDone();
    if (answers.size() != 1 || answers[0] == QByteArray("on main")) {
        return std::nullopt;
    }
    return answers[0] ? QImage::fromData(*answers[0], "png") : QImage();
}

}  // namespace

// Pictures of copied images and of copied files: the codec, and the desktop's thumbnail cache.
class TestThumbnails : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void thumbnails_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("made");  // invalid: nothing
        const QByteArray wide = encodeImage(solidImage(1000, 500));
        QByteArray broken = encodeImage(solidImage(64, 64));
        broken.truncate(40);
        QTest::newRow("scaled down") << wide << QSize(256, 256) << QSize(256, 128);
        QTest::newRow("never scaled up")
            << encodeImage(solidImage(30, 20)) << QSize(256, 256) << QSize(30, 20);
        QTest::newRow("orientation applied")
            << jpegWithOrientation6(solidImage(1000, 500)) << QSize(256, 256) << QSize(128, 256);
        QTest::newRow("small deflate TIFF")
            << deflateTiff(300) << QSize(512, 512) << QSize(300, 300);
        // A few kilobytes that declare gigabytes of pixels are refused unread.
        QTest::newRow("decode bomb") << deflateTiff(15000) << QSize(256, 256) << QSize();
        QTest::newRow("truncated") << broken << QSize(256, 256) << QSize();
        QTest::newRow("empty box") << wide << QSize(0, 0) << QSize();
    }
    void thumbnails() {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, box);
        QFETCH(QSize, made);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QImageReader reader(&buffer);
        const std::optional<QByteArray> png = ImageCodec::thumbnailPng(reader, box);
        QCOMPARE(png ? QImage::fromData(*png, "png").size() : QSize(), made);
    }

    // 32 bits a pixel: a 6144-pixel square fills the budget exactly, one more pixel a side does
    // not.
    void decodeBudgetBoundary() {
        for (const auto& [side, fits] : {std::pair{6144u, true}, std::pair{6145u, false}}) {
            QByteArray bytes = deflateTiff(side);
            QBuffer buffer(&bytes);
            QVERIFY(buffer.open(QIODevice::ReadOnly));
            QImageReader reader(&buffer, "tiff");
            QCOMPARE(ImageCodec::fitsDecodeBudget(reader), fits);
        }
        QCOMPARE(ImageCodec::encodePng(QImage()), std::nullopt);
    }

    void cacheThenDecode() {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        // The default folder follows the cache home: the entry below is found there.
        const ScopedEnv cacheHome("XDG_CACHE_HOME", QFile::encodeName(home.path()));

        const QString picture = home.filePath("photo one.png");
        QVERIFY(solidImage(1000, 500, Qt::blue).save(picture, "png"));
        const qint64 mtime = QFileInfo(picture).lastModified().toSecsSinceEpoch();
        const QByteArray uri = QUrl::fromLocalFile(picture).toEncoded();
        QVERIFY(QDir(home.path()).mkpath("thumbnails/large"));
        const QString cached =
            home.filePath("thumbnails/large/" +
                          QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png");
        const auto writeCached = [&](qint64 stamp) {
            QFile file(cached);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(
                withTextChunks(solidImage(256, 128, Qt::red),
                               {{"Thumb::URI", uri}, {"Thumb::MTime", QByteArray::number(stamp)}}));
        };

        FreedesktopThumbnailer thumbnailer;
        // A cache entry with the file's MTime is used as is; a stale one is ignored, and the
        // file itself is decoded and scaled to 256 pixels.
        writeCached(mtime);
        QCOMPARE(ask(thumbnailer, picture).value_or(QImage()).pixelColor(5, 5), QColor(Qt::red));
        writeCached(mtime - 10);
        const QImage image = ask(thumbnailer, picture).value_or(QImage());
        QCOMPARE(std::pair(image.size(), image.pixelColor(5, 5)),
                 std::pair(QSize(256, 128), QColor(Qt::blue)));
    }

    // Neither words, a missing file, a folder nor a decode bomb get a picture.
    void nonImagesGetNothing() {
        QTemporaryDir dir;
        FreedesktopThumbnailer thumbnailer(dir.filePath("thumbnails"));
        for (const auto& [name, bytes] : {std::pair{"notes.png", QByteArray("just some words")},
                                          std::pair{"bomb.tiff", deflateTiff(15000)}}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        for (const QString& path : {dir.filePath("notes.png"), dir.filePath("bomb.tiff"),
                                    dir.filePath("missing.png"), dir.path()}) {
            const std::optional<QImage> answer = ask(thumbnailer, path);
            QVERIFY(answer && answer->isNull());
        }
    }
};

QTEST_GUILESS_MAIN(TestThumbnails)
#include "tst_thumbnails.moc"
