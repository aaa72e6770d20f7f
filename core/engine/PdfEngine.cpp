#include "PdfEngine.h"

#include "AppFolder.h"
#include "EngineNames.h"
#include "EngineTr.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::engine;

namespace orvanta::engine {
namespace {
QString displayName(PdfEngine engine)
{
    return engine == PdfEngine::Chromium ? QStringLiteral("Chromium") : QStringLiteral("wkhtmltopdf");
}
} // namespace

QString engineKey(PdfEngine engine)
{
    return engine == PdfEngine::Chromium ? EngineNames::chromium() : EngineNames::converter();
}

std::optional<PdfEngine> engineFromKey(const QString& key)
{
    for (PdfEngine engine : {PdfEngine::Converter, PdfEngine::Chromium}) {
        if (key == engineKey(engine))
            return engine;
    }
    return std::nullopt;
}

PdfEngine engineNamed(const QString& key)
{
    return engineFromKey(key).value_or(PdfEngine::Converter);
}

// A path set on purpose is taken as it is, so a wrong one is reported rather than quietly replaced. Otherwise the
// headless build comes first: the same engine, in a third of the memory and started in a third of the time. The
// programs themselves are preferred to the launch scripts on PATH, so an upgrade is seen in their size and date.
QString chromiumProgram()
{
    const QString chosen = qEnvironmentVariable("ORVANTA_CHROMIUM");
    if (!chosen.isEmpty())
        return QFileInfo(chosen).isExecutable() ? chosen : QString();
    const QStringList debianPrograms{QStringLiteral("/usr/lib/chromium")};
    for (const QString& name : {QStringLiteral("chromium-headless-shell"), QStringLiteral("chromium")}) {
        for (const QStringList& places : {debianPrograms, QStringList()}) {
            const QString found = QStandardPaths::findExecutable(name, places);
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

// A converter in bin that cannot be run still counts: its run says why, which tells the user more than a silent
// change of engine.
bool isInstalled(const QString& app, PdfEngine engine)
{
    if (engine == PdfEngine::Chromium)
        return !chromiumProgram().isEmpty();
    return QFileInfo(AppFolder::converterPath(app)).isFile() ||
           !QStandardPaths::findExecutable(QStringLiteral("wkhtmltopdf")).isEmpty();
}

Result<ChosenEngine> chooseEngine(const QString& app, PdfEngine wanted, bool rightToLeft,
                                  const InstalledCheck& installed)
{
    const auto there = [&](PdfEngine engine) { return installed ? installed(engine) : isInstalled(app, engine); };
    if (rightToLeft && wanted == PdfEngine::Converter && there(PdfEngine::Chromium))
        return ChosenEngine{PdfEngine::Chromium,
                            EngineTr::tr("%1 cannot lay out text written right to left; the PDF was made with %2.")
                                .arg(displayName(wanted), displayName(PdfEngine::Chromium))};
    if (there(wanted))
        return ChosenEngine{wanted, {}};
    const PdfEngine other = wanted == PdfEngine::Chromium ? PdfEngine::Converter : PdfEngine::Chromium;
    if (there(other))
        return ChosenEngine{other, EngineTr::tr("%1 is not installed; the PDF was made with %2.")
                                       .arg(displayName(wanted), displayName(other))};
    return fail(EngineTr::tr("No PDF engine is installed: neither %1 nor Chromium was found. Install the package "
                             "\"wkhtmltopdf\", \"chromium-headless-shell\" or \"chromium\".")
                    .arg(AppFolder::converterPath(app)));
}
} // namespace orvanta::engine
