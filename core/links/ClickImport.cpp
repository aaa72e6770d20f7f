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
constexpr int LockWaitMs = 20000;

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

namespace orvanta::links {
namespace ClickImport {
Result<ClickImportSummary> run(const QString& app, const QStringList& logs)
{
    // The table's own lock: a PDF recording its link, a re-point and another import wait for this one.
    const QString tablePath = AppFolder::linksTablePath(app);
    QDir().mkpath(QFileInfo(tablePath).absolutePath());
    QLockFile lock(tablePath + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(LockWaitMs))
        return fail(LinksTr::tr("The short links' table %1 is in use by another Orvanta; try again once it has "
                                "finished.")
                        .arg(quotedPath(tablePath)));
    const Result<LinksTable> table = ShortLinkStore::read(app);
    if (!table)
        return table.failure();
    // A log counted with no links would be marked as read, and its clicks lost for links made later.
    if (table->entries().isEmpty())
        return fail(LinksTr::tr("There are no short links in %1 yet, so no clicks to count; the logs are left unread.")
                        .arg(quotedPath(tablePath)));
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
