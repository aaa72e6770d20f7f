#include "PdfPictures.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

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

QString pdfShowing(const QTemporaryDir& dir, const QImage& picture)
{
    const QString path = dir.filePath("drawn.pdf");
    QPdfWriter writer(path);
    QPainter painter(&writer);
    painter.drawImage(QRect(0, 0, 2000, 1500), picture);
    painter.drawText(QPoint(100, 2500), "selectable text");
    return path;
}

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
