#include "ConversionKey.h"

#include "EngineFingerprint.h"
#include "FileToolkit.h"
#include "PdfMetadata.h"
#include "PictureSizing.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace orvanta::files;
using namespace orvanta::engine;
using namespace orvanta::finish;
using namespace orvanta::run;

namespace orvanta::run {
namespace {
void addFile(QCryptographicHash& hash, const QString& path, bool* ok)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        *ok = false;
}

void addText(QCryptographicHash& hash, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    hash.addData(QByteArray::number(bytes.size()) + ':' + bytes);
}
} // namespace

QByteArray fileDigest(const QString& path)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    bool ok = true;
    addFile(hash, path, &ok);
    return ok ? hash.result() : QByteArray();
}

QByteArray conversionKey(const QString& app, const BuiltPage& page, const CreateOptions& options, PdfEngine engine)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    bool ok = true;
    // The paths differ between a preview's folder and bin; what the engine is told besides them may not.
    addText(hash, engineFingerprint(app, engine));
    addText(hash, QStringLiteral("%1 %2 %3 %4")
                      .arg(options.fitToContent)
                      .arg(options.optimiseImages)
                      .arg(SizedPictureWidthPx)
                      .arg(pdfCreatorName()));
    addFile(hash, page.htmlPath, &ok);
    const QString folder = QFileInfo(page.htmlPath).absolutePath();
    for (const QString& name : page.imageNames + page.assetNames) {
        addText(hash, name);
        addFile(hash, inFolder(folder, name), &ok);
    }
    return ok ? hash.result() : QByteArray();
}
} // namespace orvanta::run
