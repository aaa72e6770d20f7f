#include "EngineFingerprint.h"

#include "ChromiumRun.h"
#include "Converter.h"

#include <QDateTime>
#include <QFileInfo>

using namespace orvanta::engine;

namespace orvanta::engine {
QString engineFingerprint(const QString& app, PdfEngine engine)
{
    return engineKey(engine) + QLatin1Char(' ') +
           (engine == PdfEngine::Chromium ? ChromiumRun::fingerprint() : ConverterRun::fingerprint(app));
}

QString programStamp(const QString& program)
{
    const QFileInfo info(program);
    return QString::number(info.size()) + QLatin1Char(' ') + QString::number(info.lastModified().toMSecsSinceEpoch());
}
} // namespace orvanta::engine
