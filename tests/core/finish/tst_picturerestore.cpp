#include "PictureRestore.h"

#include "PdfPictures.h"
#include "TestAppFolder.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::finish;

/** The converted PDF gets its pictures' own pixels back. */
class TestPictureRestore final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void restoresSourcePictures_data();
    void restoresSourcePictures();
    void picksTheDrawnOneOfSameSizeSources_data();
    void picksTheDrawnOneOfSameSizeSources();
};

void TestPictureRestore::restoresSourcePictures_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("colours"); // the colour space, or the base of an indexed one
    QImage drawing(240, 120, QImage::Format_RGB32);
    drawing.fill(Qt::white);
    QPainter(&drawing).drawText(drawing.rect(), Qt::AlignCenter, "Logo 42");
    QTest::newRow("PNG drawing") << drawing << "logo.png" << QByteArray("/DeviceRGB");
    QTest::newRow("palette picture") << drawing.convertToFormat(QImage::Format_Indexed8) << "logo.png"
                                     << QByteArray("/Indexed");
    // A grey photo's own bytes hold one channel: declared as three, viewers would show it garbled.
    QTest::newRow("grey JPEG") << photo(120, 80).convertToFormat(QImage::Format_Grayscale8) << "grey.jpg"
                               << QByteArray("/DeviceGray");
}

// The picture in the PDF holds the source's very pixels: no JPEG blur on text in pictures.
void TestPictureRestore::restoresSourcePictures()
{
    QFETCH(QImage, picture);
    QFETCH(QString, file);
    QFETCH(QByteArray, colours);
    const bool jpeg = file.endsWith(".jpg");
    QTemporaryDir dir;
    const QString source = saved(dir, file, picture, jpeg ? "jpeg" : "png");
    QCOMPARE(QImageReader(source).imageFormat(), picture.format());
    const QString other = saved(dir, "other.png", photo(50, 50), "png");
    QPDF pdf;
    readPdf(pdf, pdfShowing(dir, picture.convertToFormat(QImage::Format_RGB32)));
    QVERIFY(imagesOf(pdf).front().getDict().getKey("/Filter").isNameAndEquals("/DCTDecode"));
    QCOMPARE(restoreSourcePictures(pdf, {other, source}), 1);
    writePdf(pdf, dir.filePath("out.pdf"));

    QPDF back;
    readPdf(back, dir.filePath("out.pdf"));
    QPDFObjectHandle image = imagesOf(back).front();
    QPDFObjectHandle space = image.getDict().getKey("/ColorSpace");
    QVERIFY((space.isArray() ? space.getArrayItem(0) : space).isNameAndEquals(colours.toStdString()));
    if (jpeg) {
        std::shared_ptr<Buffer> raw = image.getRawStreamData();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(raw->getBuffer()), qsizetype(raw->getSize())),
                 bytesOf(source));
        if (QStandardPaths::findExecutable("pdfimages").isEmpty())
            return;
        const QString list = QString::fromUtf8(runTool("pdfimages", {"-list", dir.filePath("out.pdf")}));
        QVERIFY2(list.contains(QRegularExpression("image\\s+120\\s+80\\s+gray\\s+1\\s+8\\s+jpeg")), qPrintable(list));
        return;
    }
    QVERIFY(image.getDict().getKey("/Filter").isNameAndEquals("/FlateDecode"));
    // The PNG's own compressed rows, read through the predictor, not decoded and compressed again.
    QVERIFY(image.getDict().getKey("/DecodeParms").getKey("/Predictor").isInteger());
    std::shared_ptr<Buffer> data = image.getStreamData();
    if (space.isArray()) {
        QCOMPARE(qsizetype(data->getSize()), qsizetype(picture.width()) * picture.height());
        return;
    }
    const QImage expected = QImage(source).convertToFormat(QImage::Format_RGB888);
    QCOMPARE(qsizetype(data->getSize()), qsizetype(expected.width()) * expected.height() * 3);
    for (int y = 0; y < expected.height(); ++y)
        QVERIFY(memcmp(data->getBuffer() + size_t(y) * expected.width() * 3, expected.constScanLine(y),
                       size_t(expected.width()) * 3) == 0);
}

void TestPictureRestore::picksTheDrawnOneOfSameSizeSources_data()
{
    QTest::addColumn<bool>("storedAsFile");
    QTest::addColumn<bool>("drawnFirst");
    QTest::addColumn<int>("replaced");
    QTest::newRow("re-encoded, as the classic converter draws") << false << false << 1;
    QTest::newRow("re-encoded, listed first") << false << true << 1;
    // Nothing to decode and nothing to write back.
    QTest::newRow("the file's own bytes, as Chromium stores") << true << false << 0;
}

void TestPictureRestore::picksTheDrawnOneOfSameSizeSources()
{
    QFETCH(bool, storedAsFile);
    QFETCH(bool, drawnFirst);
    QFETCH(int, replaced);
    QTemporaryDir dir;
    const QImage drawnPicture = photo(120, 80).mirrored(true, false);
    const QString other = saved(dir, "other.jpg", photo(120, 80), "jpeg");
    const QString drawn = saved(dir, "drawn.jpg", drawnPicture, "jpeg");
    QPDF pdf;
    readPdf(pdf, pdfShowing(dir, drawnPicture));
    if (storedAsFile)
        imagesOf(pdf).front().replaceStreamData(bytesOf(drawn).toStdString(), QPDFObjectHandle::newName("/DCTDecode"),
                                                QPDFObjectHandle::newNull());
    QCOMPARE(restoreSourcePictures(pdf, drawnFirst ? QStringList{drawn, other} : QStringList{other, drawn}), replaced);
    std::shared_ptr<Buffer> raw = imagesOf(pdf).front().getRawStreamData();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(raw->getBuffer()), qsizetype(raw->getSize())), bytesOf(drawn));
}

QTEST_MAIN(TestPictureRestore)
#include "tst_picturerestore.moc"
