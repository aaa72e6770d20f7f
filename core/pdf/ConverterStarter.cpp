#include "ConverterStarter.h"

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

ConverterStarter& ConverterStarter::direct()
{
    static DirectStarter starter;
    return starter;
}
