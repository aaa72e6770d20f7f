#include "ClicksCommand.h"

#include "ClickImport.h"
#include "CommandLineTr.h"
#include "FileToolkit.h"

#include <cstdio>

using namespace orvanta::files;
using namespace orvanta::links;

namespace {
void print(const QString& text, FILE* stream = stdout)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
}

} // namespace

namespace ClicksCommand {
int run(const QString& app, const QStringList& logs)
{
    const Result<ClickImportSummary> summary = ClickImport::run(app, logs);
    if (!summary) {
        print(summary.error(), stderr);
        return 1;
    }
    print(summary->report().join(QLatin1Char('\n')));
    for (const QString& problem : summary->problems())
        print(problem, stderr);
    return summary->problems().isEmpty() ? 0 : 1;
}
} // namespace ClicksCommand
