#include "PositionalArguments.h"

#include "CommandLineTr.h"
#include "CommandOptions.h"

QString takePositionals(const QStringList& positionals, CommandParameters& parameters)
{
    if (!parameters.csvFile.isEmpty() && !parameters.links)
        return CommandLineTr::tr("--csv writes the links' table; use it with --links.");
    if (parameters.clicks) {
        parameters.logs = positionals;
        return positionals.isEmpty() ? CommandLineTr::tr("--clicks needs the access logs to read.") : QString();
    }
    parameters.campaigns = positionals;
    // The one argument after the slug is its target, not a campaign.
    if (parameters.repointSlug.isEmpty())
        return {};
    if (parameters.campaigns.size() != 1)
        return CommandLineTr::tr("--repoint needs one short link's name, followed by its new target.");
    parameters.repointTarget = parameters.campaigns.takeFirst();
    return {};
}
