#include "ClickImport.h"

#include "AppFolder.h"
#include "FileToolkit.h"
#include "LinksTr.h"
#include "ShortLinkStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

using namespace orvanta::files;
using namespace orvanta::links;

namespace {

ClickImportSummary::Log readLog(AccessLogReader& reader, const QString& path)
{
    ClickImportSummary::Log log{path, {}, {}};
    // zlib opens a folder and fails only on reading it, with a reason that would call it damaged.
    if (!QFileInfo(path).isFile() && QFileInfo::exists(path)) {
        log.problem = LinksTr::tr("The access log %1 is not a file.").arg(quotedPath(path));
        return log;
    }
    const Result<AccessLogReader::Reading> reading = reader.read(path);
    if (!reading) {
        log.problem = reading.error();
        return log;
    }
    log.tally = reading->tally;
    log.problem = reading->problem;
    return log;
}
} // namespace

QStringList ClickImportSummary::problems() const
{
    QStringList found;
    for (const Log& log : logs)
        if (!log.problem.isEmpty())
            found << log.problem;
    return found;
}

namespace {
// What @p t left out, a reason a line; the reasons with none are not named.
QStringList leftOutLines(const ClickTally& t)
{
    const QList<std::pair<qint64, QString>> reasons{
        {t.earlier, LinksTr::tr("%1 counted by an earlier import")},
        {t.crawler, LinksTr::tr("%1 from crawlers, link previews or scripts")},
        {t.checker, LinksTr::tr("%1 from Orvanta's link check")},
        {t.repeat, LinksTr::tr("%1 repeated within 30 s by the same visitor")},
        {t.otherMethod, LinksTr::tr("%1 not GET (HEAD and others)")},
        {t.otherPath, LinksTr::tr("%1 for other paths than the short links")},
        {t.notAnswered, LinksTr::tr("%1 answered with an error or another status")},
        {t.unreadable, LinksTr::tr("%1 in another format or not UTF-8")},
        {t.tooLong, LinksTr::tr("%1 too long to be a request")}};
    QStringList lines;
    for (const auto& [count, text] : reasons)
        if (count > 0)
            lines << QStringLiteral("  ") + text.arg(count);
    return lines;
}
} // namespace

QStringList ClickImportSummary::report() const
{
    QStringList lines;
    for (const Log& log : logs)
        lines << LinksTr::tr("%1: %2 lines, %3 clicks counted")
                     .arg(quotedPath(log.path))
                     .arg(log.tally.lines)
                     .arg(log.tally.counted);
    lines << LinksTr::tr("Counted %1 clicks in %2 lines; left out:").arg(total.counted).arg(total.lines);
    const QStringList leftOut = leftOutLines(total);
    lines << (leftOut.isEmpty() ? QStringList{LinksTr::tr("  nothing")} : leftOut);
    return lines;
}

namespace orvanta::links {
namespace ClickImport {
Result<ClickImportSummary> run(const QString& app, const QStringList& logs)
{
    // The table's own lock: a PDF recording its link, a re-point and another import wait for this one.
    const Result<std::unique_ptr<QLockFile>> lock = ShortLinkStore::lockTable(app);
    if (!lock)
        return lock.failure();
    const Result<LinksTable> table = ShortLinkStore::read(app);
    if (!table)
        return table.failure();
    // A log counted with no links would be marked as read, and its clicks lost for links made later.
    if (table->entries().isEmpty())
        return fail(LinksTr::tr("There are no short links in %1 yet, so no clicks to count; the logs are left unread.")
                        .arg(quotedPath(AppFolder::linksTablePath(app))));
    Result<ClickCounts> counts = ClickCounts::read(AppFolder::clicksPath(app));
    if (!counts)
        return counts.failure();
    const ClickPaths paths(table->entries());
    AccessLogReader reader(paths, counts.value());
    ClickImportSummary summary;
    for (const QString& path : logs) {
        summary.logs << readLog(reader, path);
        summary.total.add(summary.logs.last().tally);
    }
    const Result<void> written = counts->write(AppFolder::clicksPath(app));
    if (!written)
        return written.failure();
    return summary;
}
} // namespace ClickImport
} // namespace orvanta::links
