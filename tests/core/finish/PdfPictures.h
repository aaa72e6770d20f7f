#pragma once

#include <QImage>
#include <QString>

#include <qpdf/QPDF.hh>

#include <vector>

class QTemporaryDir;

/** A photo-like picture: a smooth gradient that any lossy encoding changes. */
QImage photo(int width, int height);

/** @p image saved as @p name in @p dir; empty when it could not be. */
QString saved(const QTemporaryDir& dir, const QString& name, const QImage& image, const char* format);

/** A PDF drawn by Qt, as the converter draws one: the picture re-encoded as JPEG. */
QString pdfShowing(const QTemporaryDir& dir, const QImage& picture);

/** A JPEG as a phone stores it: the sensor's pixels, with an EXIF tag saying how to turn them upright. */
QByteArray withOrientation(const QByteArray& jpeg, char orientation);

/** Every image the PDF's pages draw. */
std::vector<QPDFObjectHandle> imagesOf(QPDF& pdf);

void readPdf(QPDF& pdf, const QString& path);
void writePdf(QPDF& pdf, const QString& path);
