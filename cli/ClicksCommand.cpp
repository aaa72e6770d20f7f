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

// What @p t left out, a reason a line; the reasons with none are not named.
QStringList leftOutLines(const ClickTally& t)
{
    const QList<std::pair<qint64, QString>> reasons{
        {t.earlier, CommandLineTr::tr("%1 counted by an earlier import")},
        {t.crawler, CommandLineTr::tr("%1 from crawlers, link previews or scripts")},
        {t.checker, CommandLineTr::tr("%1 from Orvanta's link check")},
        {t.repeat, CommandLineTr::tr("%1 repeated within 30 s by the same visitor")},
        {t.otherMethod, CommandLineTr::tr("%1 not GET (HEAD and others)")},
        {t.otherPath, CommandLineTr::tr("%1 for other paths than the short links")},
        {t.notAnswered, CommandLineTr::tr("%1 answered with an error or another status")},
        {t.unreadable, CommandLineTr::tr("%1 in another format or not UTF-8")},
        {t.tooLong, CommandLineTr::tr("%1 too long to be a request")}};
    QStringList lines;
    for (const auto& [count, text] : reasons)
        if (count > 0)
            lines << QStringLiteral("  ") + text.arg(count);
    return lines;
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
    for (const ClickImportSummary::Log& log : summary->logs)
        print(CommandLineTr::tr("%1: %2 lines, %3 clicks counted")
                  .arg(quotedPath(log.path))
                  .arg(log.tally.lines)
                  .arg(log.tally.counted));
    print(CommandLineTr::tr("Counted %1 clicks in %2 lines; left out:")
              .arg(summary->total.counted)
              .arg(summary->total.lines));
    const QStringList leftOut = leftOutLines(summary->total);
    print(leftOut.isEmpty() ? CommandLineTr::tr("  nothing") : leftOut.join(QLatin1Char('\n')));
    for (const QString& problem : summary->problems())
        print(problem, stderr);
    return summary->problems().isEmpty() ? 0 : 1;
}
} // namespace ClicksCommand
