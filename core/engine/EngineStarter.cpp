#include "EngineStarter.h"

#include "ChromiumRun.h"
#include "Converter.h"

using namespace orvanta::engine;

namespace orvanta::engine {
namespace {
class DirectStarter final : public EngineStarter {
public:
    PdfRun* start(PdfEngine engine, const PdfRunOrder& order, QObject* parent) override
    {
        return startPdfRun(engine, order, parent);
    }
};
} // namespace

PdfRun* startPdfRun(PdfEngine engine, const PdfRunOrder& order, QObject* parent)
{
    if (engine == PdfEngine::Chromium) {
        auto* run = new ChromiumRun(parent);
        run->setPaged(order.paged);
        run->start(order.app, order.htmlPath, order.pdfPath, order.timeLimitMs);
        return run;
    }
    auto* run = new ConverterRun(parent);
    run->start(ConverterCommand(order.app, order.htmlPath, order.pdfPath), order.pdfPath, order.timeLimitMs);
    return run;
}
} // namespace orvanta::engine

bool EngineStarter::isInstalled(const QString& app, PdfEngine engine) const
{
    return orvanta::engine::isInstalled(app, engine);
}

Result<ChosenEngine> EngineStarter::choose(const QString& app, PdfEngine wanted, bool rightToLeft) const
{
    return chooseEngine(app, wanted, rightToLeft, [this, &app](PdfEngine engine) { return isInstalled(app, engine); });
}

EngineStarter& EngineStarter::direct()
{
    static DirectStarter starter;
    return starter;
}
