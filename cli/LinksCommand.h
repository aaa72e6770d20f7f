#pragma once

#include "Result.h"

#include <QString>

struct CommandParameters;

/** The short links from a script: the table printed, or one link pointed elsewhere. */
namespace LinksCommand {
/** Runs --links or --repoint for the application folder @p app; the exit status. */
int run(const QString& app, const CommandParameters& parameters);
/** The table as printed: a header, then one tab-separated line per link. */
Result<QString> tableText(const QString& app);
} // namespace LinksCommand
