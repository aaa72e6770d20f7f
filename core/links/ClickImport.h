#pragma once

#include "AccessLogReader.h"

#include "Result.h"

#include <QList>
#include <QString>
#include <QStringList>

/** What one import of access logs read and left out, log by log. */
struct ClickImportSummary {
    struct Log {
        QString path;
        ClickTally tally;
        QString problem; ///< why the log was not read, or not to its end; empty when it was
    };
    QList<Log> logs;
    ClickTally total;

    /** Every log's problem, in the order given. */
    QStringList problems() const;
    /** What was read, log by log, then the total and each reason a line was left out, as the user is told. */
    QStringList report() const;
};

namespace orvanta::links {
/** Access logs counted into the application folder's click counts, as one change. */
namespace ClickImport {
/**
 * Counts @p logs, in the order given, for the short links of @p app's table, and writes the counts once at the end.
 * A log that cannot be read is named in the summary while the others are counted; a failure means nothing was
 * kept (the table in use, damaged, or empty, or the counts not saved).
 */
Result<ClickImportSummary> run(const QString& app, const QStringList& logs);
} // namespace ClickImport
} // namespace orvanta::links
