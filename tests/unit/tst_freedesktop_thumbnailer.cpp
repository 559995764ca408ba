#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include "TestHelpers.h"
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

struct Answer {
    int calls = 0;
    std::optional<QByteArray> png;
    bool onWorker = false;
};

Answer ask(FreedesktopThumbnailer& thumbnailer, const QString& path) {
    Answer answer;
    QThread* const mainThread = QThread::currentThread();
    thumbnailer.request(path, QSize(128, 128), 2.0, [&](std::optional<QByteArray> png) {
        ++answer.calls;
        answer.png = std::move(png);
        answer.onWorker = QThread::currentThread() != mainThread;
    });
    thumbnailer.waitForDone();
    return answer;
}

}  // namespace

class TestFreedesktopThumbnailer : public QObject {
    Q_OBJECT
  private Q_SLOTS:
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
        // A cache entry with the file's MTime is used as is.
        writeCached(mtime);
        Answer answer = ask(thumbnailer, picture);
        QCOMPARE(answer.calls, 1);
        QVERIFY(answer.onWorker);
        QImage image = QImage::fromData(answer.png.value_or(QByteArray()), "png");
        QCOMPARE(image.size(), QSize(256, 128));
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::red));

        // A stale entry is ignored: the file itself is decoded and scaled to 256 pixels.
        writeCached(mtime - 10);
        answer = ask(thumbnailer, picture);
        image = QImage::fromData(answer.png.value_or(QByteArray()), "png");
        QCOMPARE(image.size(), QSize(256, 128));
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::blue));
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
            const Answer answer = ask(thumbnailer, path);
            QCOMPARE(answer.calls, 1);
            QVERIFY(!answer.png);
        }
    }
};

QTEST_GUILESS_MAIN(TestFreedesktopThumbnailer)
#include "tst_freedesktop_thumbnailer.moc"
