#include "ConverterStarter.h"

#include "ChromiumRun.h"
#include "Converter.h"

namespace {
class DirectStarter final : public ConverterStarter {
public:
    ConverterRun* startConverter(const QString& commandLine, const QString& pdfPath, int timeLimitMs,
                                 QObject* parent) override
    {
        auto* run = new ConverterRun(parent);
        run->start(commandLine, pdfPath, timeLimitMs);
        return run;
    }
};
} // namespace

PdfRun* ConverterStarter::startChromium(const QString& app, const QString& htmlPath, const QString& pdfPath,
                                        int timeLimitMs, QObject* parent)
{
    auto* run = new ChromiumRun(parent);
    run->start(app, htmlPath, pdfPath, timeLimitMs);
    return run;
}

ConverterStarter& ConverterStarter::direct()
{
    static DirectStarter starter;
    return starter;
}
