#include "Campaign.h"
#include "ConverterStarter.h"
#include "PagePipeline.h"
#include "PdfMetadata.h"
#include "PictureRestore.h"
#include "PictureSizing.h"
#include "TestAppFolder.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace {
QImage photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) % 256));
    return image;
}

QString saved(const QTemporaryDir& dir, const QString& name, const QImage& image, const char* format)
{
    const QString path = dir.filePath(name);
    return image.save(path, format) ? path : QString();
}

/** A PDF drawn by Qt, as the converter draws one: the picture re-encoded as JPEG. */
QString pdfShowing(const QTemporaryDir& dir, const QImage& picture)
{
    const QString path = dir.filePath("drawn.pdf");
    QPdfWriter writer(path);
    QPainter painter(&writer);
    painter.drawImage(QRect(0, 0, 2000, 1500), picture);
    painter.drawText(QPoint(100, 2500), "selectable text");
    return path;
}

// A JPEG as a phone stores it: the sensor's pixels, with an EXIF tag saying how to turn them upright.
QByteArray withOrientation(const QByteArray& jpeg, char orientation)
{
    QByteArray exif("\xFF\xE1\x00\x22"
                    "Exif\0\0"
                    "MM\x00\x2A\x00\x00\x00\x08"
                    "\x00\x01"
                    "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x00\x00\x00"
                    "\x00\x00\x00\x00",
                    36);
    exif[29] = orientation;
    return jpeg.left(2) + exif + jpeg.mid(2);
}

std::vector<QPDFObjectHandle> imagesOf(QPDF& pdf)
{
    std::vector<QPDFObjectHandle> found;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
        for (auto& [key, image] : page.getImages())
            found.push_back(image);
    return found;
}

void readPdf(QPDF& pdf, const QString& path)
{
    pdf.processFile(QFile::encodeName(path).constData());
}

// The writer keeps the name it is given until it writes: the bytes must outlive it.
void writePdf(QPDF& pdf, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    QPDFWriter writer(pdf, name.constData());
    writer.write();
}
} // namespace

class TestLeanPdf final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sizeRule_data();
    void sizeRule();
    void sizesOrPassesOn_data();
    void sizesOrPassesOn();
    void pageLanguage_data();
    void pageLanguage();
    void readsTitleText_data();
    void readsTitleText();
    void writesAgreeingMetadata_data();
    void writesAgreeingMetadata();
    void restoresSourcePictures_data();
    void restoresSourcePictures();
    void conversionKeyFollowsEveryInput_data();
    void conversionKeyFollowsEveryInput();
    void realConverter_data();
    void realConverter();
};

void TestLeanPdf::sizeRule_data()
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

void TestLeanPdf::sizeRule()
{
    QFETCH(QSize, shown);
    QFETCH(QSize, expected);
    QCOMPARE(sizedPictureSize(shown), expected);
}

void TestLeanPdf::sizesOrPassesOn_data()
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

void TestLeanPdf::sizesOrPassesOn()
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

void TestLeanPdf::pageLanguage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("expected");
    QTest::newRow("template") << "<!DOCTYPE html>\n<html lang=\"en\">"
                              << "en";
    QTest::newRow("region") << "<HTML class=x LANG='de-CH'>"
                            << "de-CH";
    QTest::newRow("none") << "<html><body lang=\"fr\">"
                          << "en";
    QTest::newRow("script in the value") << "<html lang=\"en\" onload=\"x\">"
                                         << "en";
}

void TestLeanPdf::pageLanguage()
{
    QFETCH(QString, page);
    QFETCH(QString, expected);
    QCOMPARE(::pageLanguage(page), expected);
}

void TestLeanPdf::readsTitleText_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tags and blanks") << "<b>Tom</b>\n  <i>Review</i> "
                                     << "Tom Review";
    QTest::newRow("entity read once") << "A &amp;amp; B"
                                      << "A &amp; B";
    QTest::newRow("escaped tag stays text") << "&amp;lt;b&amp;gt;"
                                            << "&lt;b&gt;";
    QTest::newRow("common entities") << "&lt;5 &quot;x&quot; &#39;y&#39;&nbsp;&gt;"
                                     << "<5 \"x\" 'y' >";
}

void TestLeanPdf::readsTitleText()
{
    QFETCH(QString, html);
    QFETCH(QString, expected);
    QCOMPARE(::plainTitle(html), expected);
}

void TestLeanPdf::writesAgreeingMetadata_data()
{
    QTest::addColumn<QString>("title"); // as the page holds it
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("pdfDate");
    QTest::addColumn<QString>("xmpDate"); // empty: dropped from both
    const QString bonus = QString::fromUtf8("Bonus f\u00fcr dich");
    QTest::newRow("marked-up title, accented subject, zoned date")
        << "<b>Tom &amp; Jerry</b>  Review" << bonus << "D:20240102030405+01'00'"
        << "2024-01-02T03:04:05+01:00";
    QTest::newRow("zoned west, no apostrophes") << "Title"
                                                << "Subject"
                                                << "D:20240102030405-0530"
                                                << "2024-01-02T03:04:05-05:30";
    QTest::newRow("universal") << "Title"
                               << "Subject"
                               << "D:20240102030405Z"
                               << "2024-01-02T03:04:05Z";
    QTest::newRow("no zone") << "Title"
                             << "Subject"
                             << "D:20240102030405"
                             << "2024-01-02T03:04:05";
    QTest::newRow("unreadable date: dropped") << "Title"
                                              << "Subject"
                                              << "yesterday"
                                              << "";
}

// The document information and the XMP copy must name the same title and moment, or checkers call the PDF
// inconsistent.
void TestLeanPdf::writesAgreeingMetadata()
{
    QFETCH(QString, title);
    QFETCH(QString, subject);
    QFETCH(QString, pdfDate);
    QFETCH(QString, xmpDate);
    QTemporaryDir dir;
    QPDF pdf;
    readPdf(pdf, pdfShowing(dir, photo(30, 20)));
    pdf.getTrailer().getKey("/Info").replaceKey("/CreationDate", QPDFObjectHandle::newString(pdfDate.toStdString()));
    const QString plain = plainTitle(title);
    writeMetadata(pdf, {plain, subject, "de"});
    writePdf(pdf, dir.filePath("out.pdf"));

    QPDF back;
    readPdf(back, dir.filePath("out.pdf"));
    QPDFObjectHandle info = back.getTrailer().getKey("/Info");
    QCOMPARE(QString::fromStdString(info.getKey("/Title").getUTF8Value()), plain);
    QCOMPARE(QString::fromStdString(info.getKey("/Subject").getUTF8Value()), subject);
    QCOMPARE(QString::fromStdString(info.getKey("/Creator").getUTF8Value()), "Orvanta 2.4");
    QPDFObjectHandle root = back.getRoot();
    QCOMPARE(QString::fromStdString(root.getKey("/Lang").getUTF8Value()), "de");
    QVERIFY(root.getKey("/ViewerPreferences").getKey("/DisplayDocTitle").getBoolValue());
    std::shared_ptr<Buffer> xmp = root.getKey("/Metadata").getStreamData();
    const QString xml = QString::fromUtf8(reinterpret_cast<const char*>(xmp->getBuffer()), int(xmp->getSize()));
    QVERIFY2(xml.contains(plain.toHtmlEscaped()), qPrintable(xml));
    QVERIFY2(xml.contains(subject), qPrintable(xml));
    QVERIFY2(xml.contains("<xmp:CreatorTool>Orvanta 2.4</xmp:CreatorTool>"), qPrintable(xml));
    QPDFObjectHandle created = info.getKey("/CreationDate");
    if (xmpDate.isEmpty()) {
        QVERIFY2(!xml.contains("CreateDate"), qPrintable(xml));
        QVERIFY(created.isNull());
    } else {
        QVERIFY2(xml.contains("<xmp:CreateDate>" + xmpDate + "</xmp:CreateDate>"), qPrintable(xml));
        QCOMPARE(QString::fromStdString(created.getUTF8Value()), pdfDate);
    }
    if (!QStandardPaths::findExecutable("qpdf").isEmpty()) {
        const QString check = QString::fromUtf8(runTool("qpdf", {"--check", dir.filePath("out.pdf")}));
        QVERIFY2(check.contains("No syntax or stream encoding errors"), qPrintable(check));
    }
}

void TestLeanPdf::restoresSourcePictures_data()
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
void TestLeanPdf::restoresSourcePictures()
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

void TestLeanPdf::conversionKeyFollowsEveryInput_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("nothing") << "";
    QTest::newRow("page byte") << "page";
    QTest::newRow("picture byte") << "picture";
    QTest::newRow("design file byte") << "design";
    QTest::newRow("fitting") << "fit";
    QTest::newRow("sizing") << "size";
}

void TestLeanPdf::conversionKeyFollowsEveryInput()
{
    QFETCH(QString, change);
    TestAppFolder app;
    QVERIFY(app.isValid());
    BuiltPage page;
    page.htmlPath = app.write("bin/guide.html", "<html lang=\"en\"><img src=\"a.png\"></html>");
    page.imageNames = {"a.png"};
    page.assetNames = {"css/look.css"};
    app.write("bin/a.png", "picture bytes");
    app.write("bin/css/look.css", "p{}");
    CreateOptions options;
    const QByteArray before = conversionKey(app.path(), page, options);
    QVERIFY(!before.isEmpty());
    if (change == "page")
        app.write("bin/guide.html", "<html lang=\"en\"><img src=\"a.png\"></html> ");
    if (change == "picture")
        app.write("bin/a.png", "picture byteS");
    if (change == "design")
        app.write("bin/css/look.css", "p{ }");
    options.fitToContent = change != "fit";
    options.optimiseImages = change != "size";
    options.saveWebPage = true; // made after the PDF, from the page itself
    QCOMPARE(conversionKey(app.path(), page, options) == before, change.isEmpty());
    QFile::remove(app.file("bin/a.png"));
    QVERIFY(conversionKey(app.path(), page, options).isEmpty());
}

void TestLeanPdf::realConverter_data()
{
    QTest::addColumn<bool>("optimise");
    QTest::newRow("sized pictures") << true;
    QTest::newRow("pictures as they are") << false;
}

// One page through the pipeline and the installed converter: pictures, metadata, and a second Create that takes
// the first PDF.
void TestLeanPdf::realConverter()
{
    QFETCH(bool, optimise);
    if (QStandardPaths::findExecutable("wkhtmltopdf").isEmpty())
        QSKIP("wkhtmltopdf is not installed");
    TestAppFolder app;
    QVERIFY(app.isValid());
    QTemporaryDir dir;
    QImage logo(300, 100, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter(&logo).drawText(logo.rect(), Qt::AlignCenter, "Sharp logo");
    PageFields fields;
    fields.mainTitle = "Lean <i>Check</i>";
    fields.bonusHeadline = "The bonus";
    fields.affiliateImagePath = saved(dir, "cover.jpg", photo(2400, 1600), "jpeg");
    fields.ownBonus = true;
    fields.ownBonusImagePath = saved(dir, "logo.png", logo, "png");
    fields.ctaUrl = "https://example.com/buy";
    fields.ctaText = "Buy";
    fields.ctaTitle = "Get it";
    fields.pdfFileName = "lean";
    fields.bonusInstructions = "Mail us.";
    const QByteArray coverBytes = bytesOf(fields.affiliateImagePath);

    PageOrder order;
    order.app = app.path();
    order.fields = fields;
    order.catalogueEntryChosen = true;
    order.options.optimiseImages = optimise;
    order.outputFolder = app.file("bin/output");
    PagePipeline first(ConverterStarter::direct());
    QSignalSpy firstDone(&first, &PagePipeline::finished);
    first.start(order);
    QVERIFY(firstDone.count() || firstDone.wait(120000));
    QVERIFY2(first.result().ok(), qPrintable(first.result().error));
    QVERIFY(!first.reusedOfferedPdf());
    const QString pdf = first.result().pdfPath;
    QCOMPARE(bytesOf(app.file("bin/cover.jpg")), coverBytes);
    QVERIFY(QDir(app.file("bin")).entryList({".orvanta *"}, QDir::AllEntries | QDir::Hidden).isEmpty());

    const QString list = QString::fromUtf8(runTool("pdfimages", {"-list", pdf}));
    QVERIFY2(list.contains(QRegularExpression(optimise ? "image\\s+1296\\s+864\\s.*jpeg" : "image\\s+2400\\s+1600")),
             qPrintable(list));
    QVERIFY2(list.contains(QRegularExpression("image\\s+300\\s+100\\s+rgb\\s+3\\s+8\\s+image")), qPrintable(list));
    const QString info = QString::fromUtf8(runTool("pdfinfo", {pdf}));
    QVERIFY2(info.contains(QRegularExpression("Title:\\s+Lean Check\\n")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Creator:\\s+Orvanta 2.4")), qPrintable(info));
    QVERIFY2(QString::fromUtf8(runTool("qpdf", {"--check", pdf})).contains("No syntax or stream encoding errors"),
             qPrintable(pdf));
    QVERIFY(QString::fromUtf8(runTool("pdftotext", {pdf, "-"})).contains("Mail us."));

    // The same inputs again take the PDF; a changed picture does not.
    for (const bool changed : {false, true}) {
        if (changed)
            saved(dir, "logo.png", logo.mirrored(), "png");
        PagePipeline again(ConverterStarter::direct());
        QSignalSpy againDone(&again, &PagePipeline::finished);
        PageOrder next = order;
        next.reusable = first.reusablePdf();
        again.start(next);
        QVERIFY(againDone.count() || againDone.wait(120000));
        QVERIFY2(again.result().ok(), qPrintable(again.result().error));
        QCOMPARE(again.reusedOfferedPdf(), !changed);
    }
}

QTEST_MAIN(TestLeanPdf)
#include "tst_leanpdf.moc"
