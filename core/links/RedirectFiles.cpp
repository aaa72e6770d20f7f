#include "RedirectFiles.h"

#include "FileToolkit.h"
#include "LinkRules.h"
#include "LinksTr.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <algorithm>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::links;

namespace orvanta::links {
namespace {
constexpr QFileDevice::Permissions Readable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

QByteArray header(const char* comment)
{
    return QByteArrayLiteral("# Short links made by Orvanta; this file is rewritten whenever a link changes.\n# ") +
           comment + '\n';
}

// Longest path first, so that no server that reads the file in order lets a shorter one answer for a longer.
QList<LinkEntry> longestFirst(QList<LinkEntry> links)
{
    std::stable_sort(links.begin(), links.end(), [](const LinkEntry& a, const LinkEntry& b) {
        return RedirectFiles::pathOf(a).size() > RedirectFiles::pathOf(b).size();
    });
    return links;
}

// The folders that exist on the way from @p folder down to @p below, canonical: none may lead elsewhere.
bool staysBelow(const QString& site, const QString& folder)
{
    const QString canonicalSite = QFileInfo(site).canonicalFilePath();
    for (QString step = folder; step.size() > site.size(); step = QFileInfo(step).path()) {
        const QString canonical = QFileInfo(step).canonicalFilePath();
        if (!canonical.isEmpty())
            return !canonicalSite.isEmpty() && canonical.startsWith(canonicalSite + QLatin1Char('/'));
    }
    return true;
}

// A link's own path, then its channels': a path that is another link's own (a nested base's slug "p") stays that
// link's, so no link shadows another.
QStringList answeredPaths(const LinkEntry& link, const QSet<QString>& ownPaths)
{
    const QString own = RedirectFiles::pathOf(link);
    QStringList paths{own};
    for (const LinkRules::Channel channel : LinkRules::Channels)
        if (const QString path = own + LinkRules::channelSuffix(channel); !ownPaths.contains(path))
            paths << path;
    return paths;
}

QSet<QString> ownPathsOf(const QList<LinkEntry>& links)
{
    QSet<QString> paths;
    for (const LinkEntry& link : links)
        paths.insert(RedirectFiles::pathOf(link));
    return paths;
}

Result<void> writeOne(const QString& path, const QByteArray& bytes)
{
    const Result<void> written = replaceBeside(path, bytes, path + QStringLiteral(".XXXXXX"), Readable);
    if (written.ok())
        return {};
    return fail(LinksTr::tr("The redirect file %1 could not be written: %2").arg(quotedPath(path), written.error()),
                RedirectFailure::ServerFile);
}
} // namespace

namespace RedirectFiles {
QString pathOf(const LinkEntry& link)
{
    return QUrl(link.link).path();
}

// Anchored, so that "/go/x/" reaches the target as it is and "/go/x/y" no link. mod_rewrite's NE keeps the target's
// escapes as they are ("%" is escaped for its own expansion); without it, RedirectMatch, which encodes a "%" in the
// path once more. A target holds no quote, backslash or "$".
QByteArray htaccess(const QList<LinkEntry>& links)
{
    QByteArray text = header("Apache: put it in the site's root folder (needs AllowOverride FileInfo, and mod_rewrite "
                             "or mod_alias).");
    QByteArray rewrite = "<IfModule mod_rewrite.c>\nRewriteEngine On\n";
    QByteArray alias = "<IfModule !mod_rewrite.c>\n";
    const QSet<QString> own = ownPathsOf(links);
    for (const LinkEntry& link : longestFirst(links)) {
        const QByteArray target = link.target.toUtf8();
        for (const QString& answered : answeredPaths(link, own)) {
            // A path holds only A-Z a-z 0-9 . _ ~ / - : of those, only the dot means more to a pattern.
            const QByteArray path = answered.toUtf8().replace('.', "\\.");
            rewrite += "RewriteRule \"^" + path.mid(1) + "/?$\" \"" + QByteArray(target).replace('%', "\\%") +
                       "\" [R=302,L,NE]\n";
            alias += "RedirectMatch 302 \"^" + path + "/?$\" \"" + target + "\"\n";
        }
    }
    return text + rewrite + "</IfModule>\n" + alias + "</IfModule>\n";
}

// The locations answer by themselves; the map file stays, empty, since servers include it.
QByteArray nginxMap(const QList<LinkEntry>&)
{
    return header(
        "nginx: no longer needed (the locations file answers by itself); kept so that an include of it works.");
}

// Exact locations: one for the link and one with "/"; a map's hash would need a bucket size for long paths.
QByteArray nginxLocations(const QList<LinkEntry>& links)
{
    QByteArray text = header("nginx: include it in the server block.");
    const QSet<QString> own = ownPathsOf(links);
    for (const LinkEntry& link : links) {
        const QByteArray answer = " { return 302 \"" + link.target.toUtf8() + "\"; }\n";
        for (const QString& answered : answeredPaths(link, own)) {
            const QByteArray path = answered.toUtf8();
            text += "location = " + path + answer + "location = " + path + '/' + answer;
        }
    }
    return text;
}

QByteArray staticHostRedirects(const QList<LinkEntry>& links)
{
    QByteArray text = header("Static hosts (Netlify, Cloudflare Pages and others): put it in the site's root folder.");
    const QSet<QString> own = ownPathsOf(links);
    for (const LinkEntry& link : links)
        for (const QString& path : answeredPaths(link, own))
            text += path.toUtf8() + ' ' + link.target.toUtf8() + " 302\n";
    return text;
}

QByteArray redirectPage(const LinkEntry& link)
{
    const QByteArray target = link.target.toHtmlEscaped().toUtf8();
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"robots\" content=\"noindex\">\n<meta http-equiv=\"refresh\" content=\"0; url=" +
           target + "\">\n<link rel=\"canonical\" href=\"" + target +
           "\">\n<title>Redirecting</title>\n</head>\n<body>\n<p>On to the offer: <a href=\"" + target +
           "\" rel=\"nofollow sponsored\">" + target + "</a></p>\n</body>\n</html>\n";
}

QString htaccessName()
{
    return QStringLiteral(".htaccess");
}
QString nginxMapName()
{
    return QStringLiteral("nginx-map.conf");
}
QString nginxLocationsName()
{
    return QStringLiteral("nginx-locations.conf");
}
QString staticHostName()
{
    return QStringLiteral("_redirects");
}
QString pagesFolderName()
{
    return QStringLiteral("site");
}

Result<QString> pageFolderOf(const QString& folder, const LinkEntry& link, const QString& path)
{
    const QString site = QDir::cleanPath(QDir(folder).absoluteFilePath(pagesFolderName()));
    const QString page = QDir::cleanPath(site + QLatin1Char('/') + (path.isEmpty() ? pathOf(link) : path));
    if (page.startsWith(site + QLatin1Char('/')) && staysBelow(site, page))
        return QDir::toNativeSeparators(page);
    return fail(LinksTr::tr("The short link \"%1\" (%2) would put its redirect page outside the folder %3; give it a "
                            "link base on your own site, like https://example.com/go/.")
                    .arg(link.slug, link.link, quotedPath(site)));
}

void removeLeftovers(const QString& folder)
{
    static const QRegularExpression privateName(QStringLiteral("^(index\\.html|links\\.json|\\.htaccess|_redirects|"
                                                               "nginx-[a-z]+\\.conf)\\.[A-Za-z0-9]{6}\\z"));
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (privateName.match(files.fileName()).hasMatch())
            QFile::remove(path);
    }
}

namespace {
Result<void> writePage(const QString& folder, const LinkEntry& link, const QString& path)
{
    const Result<QString> pageFolder = pageFolderOf(folder, link, path);
    if (!pageFolder)
        return pageFolder.failure();
    if (!QDir().mkpath(*pageFolder))
        return fail(LinksTr::tr("The folder %1 for the redirect page of the short link \"%2\" could not be made.")
                        .arg(quotedPath(*pageFolder), link.slug));
    // Most pages stay as they were when one link changes; they are left alone.
    const QString page = inFolder(*pageFolder, QStringLiteral("index.html"));
    const QByteArray bytes = redirectPage(link);
    const Result<QByteArray> before = readBounded(page, bytes.size());
    return before && before.value() == bytes ? Result<void>() : writeOne(page, bytes);
}
} // namespace

// The server files first, then the pages; one page that cannot be written holds back none of the others.
Result<void> write(const QString& folder, const QList<LinkEntry>& links)
{
    if (!QDir().mkpath(folder))
        return fail(LinksTr::tr("The folder %1 for the redirect files could not be made.").arg(quotedPath(folder)),
                    RedirectFailure::ServerFile);
    const std::pair<QString, QByteArray> files[] = {{htaccessName(), htaccess(links)},
                                                    {nginxMapName(), nginxMap(links)},
                                                    {nginxLocationsName(), nginxLocations(links)},
                                                    {staticHostName(), staticHostRedirects(links)}};
    for (const auto& [name, bytes] : files) {
        const Result<void> written = writeOne(inFolder(folder, name), bytes);
        if (!written)
            return written;
    }
    QStringList failures;
    const QSet<QString> own = ownPathsOf(links);
    for (const LinkEntry& link : links) {
        for (const QString& path : answeredPaths(link, own)) {
            const Result<void> written = writePage(folder, link, path);
            if (!written) {
                failures << written.error();
                break;
            }
        }
    }
    if (failures.isEmpty())
        return {};
    return fail(failures.join(QLatin1Char(' ')), RedirectFailure::Page);
}
} // namespace RedirectFiles
} // namespace orvanta::links
