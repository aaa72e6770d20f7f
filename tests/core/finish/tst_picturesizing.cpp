#include "PictureSizing.h"

#include "PdfPictures.h"
#include "TestAppFolder.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::finish;

/** Pictures sized for the converter: the size rule, and a picture sized or passed on as it is. */
class TestPictureSizing final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sizeRule_data();
    void sizeRule();
    void sizesOrPassesOn_data();
    void sizesOrPassesOn();
    void sizesAPictureChangedInPlaceAgain();
};

void TestPictureSizing::sizeRule_data()
{
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("small enough") << QSize(800, 600) << QSize();
    QTest::newRow("exactly twice the page") << QSize(SizedPictureWidthPx, 10) << QSize();
    QTest::newRow("landscape photo") << QSize(2400, 1600) << QSize(SizedPictureWidthPx, 864);
    QTest::newRow("tall portrait") << QSize(2600, 13000) << QSize(SizedPictureWidthPx, 6480);
    QTest::newRow("thin strip keeps a row") << QSize(40000, 2) << QSize(SizedPictureWidthPx, 1);
    QTest::newRow("no size") << QSize() << QSize();
}

void TestPictureSizing::sizeRule()
{
    QFETCH(QSize, shown);
    QFETCH(QSize, expected);
    QCOMPARE(sizedPictureSize(shown), expected);
}

void TestPictureSizing::sizesOrPassesOn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("scaled");
    QTest::addColumn<QByteArray>("format");

    const auto encoded = [](const QImage& image, const char* format, int quality = -1) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format, quality);
        return bytes;
    };
    QImage clear(3000, 1000, QImage::Format_ARGB32);
    clear.fill(qRgba(0, 128, 255, 60));
    // A header that promises 20000 x 20000 pixels and holds none: never decoded whole.
    QByteArray huge = encoded(photo(8, 8), "png");
    huge[16] = 0, huge[17] = 0, huge[18] = 0x4E, huge[19] = 0x20;
    huge[20] = 0, huge[21] = 0, huge[22] = 0x4E, huge[23] = 0x20;
    QByteArray cmyk("\xFF\xD8\xFF\xC0\x00\x14\x08\x10\x00\x10\x00\x04", 12);
    cmyk += QByteArray(4000, '\x01');

    QTest::newRow("large photo") << "photo.jpg" << encoded(photo(2400, 1600), "jpeg", 95) << true << QByteArray("jpeg");
    QTest::newRow("small photo") << "small.jpg" << encoded(photo(600, 400), "jpeg") << false << QByteArray("jpeg");
    QTest::newRow("large drawing with transparency")
        << "clear.png" << encoded(clear, "png") << true << QByteArray("png");
    QTest::newRow("not a picture") << "broken.jpg" << QByteArray("\xFF\xD8 no picture at all") << false << QByteArray();
    QTest::newRow("huge header") << "huge.png" << huge << false << QByteArray("png");
    QTest::newRow("CMYK JPEG") << "cmyk.jpg" << cmyk << false << QByteArray("jpeg");
    QTest::newRow("phone photo turned upright is narrow")
        << "phone.jpg" << withOrientation(encoded(photo(3000, 1000), "jpeg"), 6) << false << QByteArray("jpeg");
}

void TestPictureSizing::sizesOrPassesOn()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, scaled);
    QFETCH(QByteArray, format);
    QTemporaryDir dir;
    const QString source = writeFile(dir.filePath(name), bytes);
    const QString target = dir.filePath("sized-" + name);
    const SizedPicture sized = sizePicture(source, target);
    QCOMPARE(bytesOf(source), bytes);
    QCOMPARE(sized.outcome, scaled ? SizedPicture::Outcome::Scaled : SizedPicture::Outcome::Kept);
    if (!scaled) {
        QCOMPARE(bytesOf(target), bytes);
        return;
    }
    QImageReader reader(target);
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.size().width(), SizedPictureWidthPx);
    const QImage image = reader.read();
    QCOMPARE(image.hasAlphaChannel(), format == "png");
    QVERIFY(bytesOf(target).size() < bytes.size());
}

// A copy kept from an earlier Create must not stand in for the new pixels under the old name and size.
void TestPictureSizing::sizesAPictureChangedInPlaceAgain()
{
    QTemporaryDir dir;
    // Uncompressed, so the new pixels come in as many bytes as the old.
    const QString source = dir.filePath("photo.bmp");
    QImage image = photo(2400, 1600);
    QVERIFY(image.save(source, "bmp"));
    QCOMPARE(sizePicture(source, dir.filePath("before.png")).outcome, SizedPicture::Outcome::Scaled);
    image.invertPixels();
    QVERIFY(image.save(source, "bmp"));
    QCOMPARE(sizePicture(source, dir.filePath("after.png")).outcome, SizedPicture::Outcome::Scaled);
    QVERIFY(bytesOf(dir.filePath("before.png")) != bytesOf(dir.filePath("after.png")));
}

QTEST_MAIN(TestPictureSizing)
#include "tst_picturesizing.moc"
