#include "SharePicture.h"

#include "FinishTr.h"
#include "ShareKit.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfDocumentRenderOptions>
#include <QSaveFile>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
// Only the top is drawn: a fitted page may be many screens long.
QImage pageTop(QPdfDocument& document)
{
    const QSize size(Sharing::pictureWidth, Sharing::pictureHeight);
    const QSizeF points = document.pagePointSize(0);
    if (points.width() <= 0 || points.height() <= 0)
        return {};
    const int fullHeight = qMax(1, qRound(points.height() * size.width() / points.width()));
    QPdfDocumentRenderOptions options;
    options.setScaledSize(QSize(size.width(), fullHeight));
    options.setScaledClipRect(QRect(QPoint(0, 0), QSize(size.width(), qMin(fullHeight, size.height()))));
    const QImage top = document.render(0, QSize(size.width(), qMin(fullHeight, size.height())), options);
    if (top.isNull())
        return {};
    // A page shorter than the picture sits on white, as it does in a viewer.
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, top);
    return picture;
}
} // namespace

Result<bool> saveSharePicture(const QString& pdfPath, const QString& pngPath)
{
    QPdfDocument document;
    document.load(pdfPath);
    const QImage picture =
        document.status() == QPdfDocument::Status::Ready && document.pageCount() > 0 ? pageTop(document) : QImage();
    if (picture.isNull())
        return false;
    QSaveFile file(pngPath);
    QImageWriter writer(&file, "png");
    // Qt's 50 is zlib's fourth level: half the time of its default on a page of photos, for a few per cent more
    // bytes at most.
    writer.setQuality(50);
    if (file.open(QIODevice::WriteOnly) && writer.write(picture) && file.commit())
        return true;
    return fail(FinishTr::tr("%1 could not be written: %2").arg(pngPath, file.errorString()));
}
} // namespace orvanta::finish
