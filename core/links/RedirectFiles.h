#pragma once

#include "LinksTable.h"
#include "Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

/** Which of the redirect files failed, as its Failure's kind: a server's file, or only some links' pages. */
enum class RedirectFailure { ServerFile = 1, Page };

namespace orvanta::links {
/**
 * The links table in the formats the common web servers and static hosts read, so the user's own site answers each
 * short link with a temporary redirect to its target. Targets come checked by LinkRules::targetOf. Each link answers
 * at its own path and at its channels' ("/go/x/p", "/go/x/q", "/go/x/w"), all with its one target.
 */
namespace RedirectFiles {
/**
 * Apache's ".htaccess": per link and path, an anchored exact match ("/go/x" and "/go/x/"), longest link first; a
 * RewriteRule with mod_rewrite, else a RedirectMatch (AllowOverride FileInfo).
 */
QByteArray htaccess(const QList<LinkEntry>& links);
/** What once was nginx's map, for the http block: now only a note, kept so that an include of it still works. */
QByteArray nginxMap(const QList<LinkEntry>& links);
/** nginx's exact locations, two per link ("/go/x" and "/go/x/"), for the server block. */
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

/**
 * The folder of @p link's redirect page below the links @p folder's site folder, at @p path (one of its channels')
 * or its own; a failure names the link when the page, its folders' links followed, would land anywhere else.
 */
Result<QString> pageFolderOf(const QString& folder, const LinkEntry& link, const QString& path = QString());
/** Removes what writes that ended early left in @p folder: the private copies beside its files. */
void removeLeftovers(const QString& folder);

/**
 * Writes every file into @p folder, each whole or not at all; a failure names the file, or each link whose page
 * could not be written (the others are).
 */
Result<void> write(const QString& folder, const QList<LinkEntry>& links);
} // namespace RedirectFiles
} // namespace orvanta::links
