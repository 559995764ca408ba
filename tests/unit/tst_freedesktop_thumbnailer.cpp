#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include "platform/freedesktop/FreedesktopThumbnailer.h"

namespace {

QImage solid(int width, int height, Qt::GlobalColor color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
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
        qputenv("XDG_CACHE_HOME", home.path().toUtf8());
        QCOMPARE(FreedesktopThumbnailer::defaultCacheDirectory(), home.path() + "/thumbnails");

        const QString picture = home.filePath("photo one.png");
        QVERIFY(solid(1000, 500, Qt::blue).save(picture, "png"));
        const qint64 mtime = QFileInfo(picture).lastModified().toSecsSinceEpoch();
        const QByteArray uri = QUrl::fromLocalFile(picture).toEncoded();
        QVERIFY(QDir(home.path()).mkpath("thumbnails/large"));
        const QString cached =
            home.filePath("thumbnails/large/" +
                          QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png");
        const auto writeCached = [&](qint64 stamp) {
            QImageWriter writer(cached, "png");
            writer.setText("Thumb::URI", QString::fromUtf8(uri));
            writer.setText("Thumb::MTime", QString::number(stamp));
            QVERIFY(writer.write(solid(256, 128, Qt::red)));
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

    void nonImagesGetNothing() {
        QTemporaryDir dir;
        FreedesktopThumbnailer thumbnailer(dir.filePath("thumbnails"));
        QFile text(dir.filePath("notes.png"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("just some words, whatever the name says");
        text.close();
        for (const QString& path : {text.fileName(), dir.filePath("missing.png"), dir.path()}) {
            const Answer answer = ask(thumbnailer, path);
            QCOMPARE(answer.calls, 1);
            QVERIFY(!answer.png);
        }
    }
};

QTEST_GUILESS_MAIN(TestFreedesktopThumbnailer)
#include "tst_freedesktop_thumbnailer.moc"
