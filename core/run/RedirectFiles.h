#pragma once

#include "LinksTable.h"
#include "Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace orvanta::run {
/**
 * The links table in the formats the common web servers and static hosts read, so the user's own site answers each
 * short link with a temporary redirect to its target. Targets come checked by ShortLink::targetOf.
 */
namespace RedirectFiles {
/** Apache's ".htaccess": one "Redirect 302" per link (mod_alias, with AllowOverride FileInfo). */
QByteArray htaccess(const QList<LinkEntry>& links);
/** nginx's map of short paths to targets, for the http block. */
QByteArray nginxMap(const QList<LinkEntry>& links);
/** nginx's locations that answer from the map, for the server block. */
QByteArray nginxLocations(const QList<LinkEntry>& links);
/** The "_redirects" file static hosts read: path, target, status. */
QByteArray staticHostRedirects(const QList<LinkEntry>& links);
/** A page that sends its reader on, for a host that runs no redirects. */
QByteArray redirectPage(const LinkEntry& link);
/** The short link's path on its site, like "/go/my-offer". */
QString pathOf(const LinkEntry& link);

/** The files' names in the links folder; the pages go below "site/" by their paths. */
QString htaccessName();
QString nginxMapName();
QString nginxLocationsName();
QString staticHostName();
QString pagesFolderName();

/** Writes every file into @p folder, each whole or not at all; a failure names the file. */
Result<void> write(const QString& folder, const QList<LinkEntry>& links);
} // namespace RedirectFiles
} // namespace orvanta::run
