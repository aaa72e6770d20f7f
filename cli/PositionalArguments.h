#pragma once

#include <QString>
#include <QStringList>

struct CommandParameters;

/**
 * Takes the arguments after the options into @p parameters: campaign files, a re-pointed link's target, or the
 * access logs to count. Returns a usage error, or "".
 */
QString takePositionals(const QStringList& positionals, CommandParameters& parameters);
