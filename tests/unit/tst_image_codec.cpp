#include <QBuffer>
#include <QImageReader>
#include <QTest>

#include "TestHelpers.h"
#include "core/ImageCodec.h"

class TestImageCodec : public QObject {
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
        QTest::newRow("into a tall box") << wide << QSize(100, 300) << QSize(100, 50);
        QTest::newRow("never scaled up")
            << encodeImage(solidImage(30, 20)) << QSize(256, 256) << QSize(30, 20);
        QTest::newRow("orientation applied")
            << jpegWithOrientation6(solidImage(1000, 500)) << QSize(256, 256) << QSize(128, 256);
        QTest::newRow("small deflate TIFF")
            << deflateTiff(300) << QSize(512, 512) << QSize(300, 300);
        // A few kilobytes that declare gigabytes of pixels are refused unread.
        QTest::newRow("decode bomb") << deflateTiff(15000) << QSize(256, 256) << QSize();
        QTest::newRow("truncated") << broken << QSize(256, 256) << QSize();
        QTest::newRow("not an image") << QByteArray("words") << QSize(256, 256) << QSize();
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
        QCOMPARE(png.has_value(), made.isValid());
        if (png) {
            QVERIFY(png->startsWith("\x89PNG"));
            QCOMPARE(QImage::fromData(*png, "png").size(), made);
        }
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
};

QTEST_GUILESS_MAIN(TestImageCodec)
#include "tst_image_codec.moc"
