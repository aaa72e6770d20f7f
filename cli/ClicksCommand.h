#pragma once

#include <QString>
#include <QStringList>

/** Clicks counted from access logs from a script, and what it read and left out. */
namespace ClicksCommand {
/** Runs --clicks over @p logs for the application folder @p app; the exit status, 1 when a log was not read whole. */
int run(const QString& app, const QStringList& logs);
} // namespace ClicksCommand
