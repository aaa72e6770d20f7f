#include "RedirectFiles.h"

#include "FileToolkit.h"
#include "RunTr.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <QUrl>

using namespace orvanta::files;
using namespace orvanta::run;

namespace orvanta::run {
namespace {
constexpr QFileDevice::Permissions Readable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

QByteArray header(const char* comment)
{
    return QByteArrayLiteral("# Short links made by Orvanta; this file is rewritten whenever a link changes.\n# ") +
           comment + '\n';
}

// Each distinct folder of short links, like "/go/", in the order first met.
QStringList folders(const QList<LinkEntry>& links)
{
    QStringList seen;
    for (const LinkEntry& link : links) {
        const QString path = RedirectFiles::pathOf(link);
        const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
        if (!seen.contains(folder))
            seen << folder;
    }
    return seen;
}

Result<void> writeOne(const QString& path, const QByteArray& bytes)
{
    const Result<void> written = replaceBeside(path, bytes, path + QStringLiteral(".XXXXXX"), Readable);
    if (written.ok())
        return {};
    return fail(RunTr::tr("The redirect file %1 could not be written: %2").arg(quotedPath(path), written.error()));
}
} // namespace

namespace RedirectFiles {
QString pathOf(const LinkEntry& link)
{
    return QUrl(link.link).path();
}

// Quoted, since a target holds neither a quote nor a backslash; Redirect keeps a query and a fragment as given.
QByteArray htaccess(const QList<LinkEntry>& links)
{
    QByteArray text = header("Apache: put it in the site's root folder (needs mod_alias and AllowOverride FileInfo).");
    for (const LinkEntry& link : links)
        text += "Redirect 302 " + pathOf(link).toUtf8() + " \"" + link.target.toUtf8() + "\"\n";
    return text;
}

// A map's value may name variables, which is why no target holds a "$".
QByteArray nginxMap(const QList<LinkEntry>& links)
{
    QByteArray text = header("nginx: include it in the http block, and the locations file in the server block.");
    text += "map $uri $orvanta_short_link {\n    default \"\";\n";
    for (const LinkEntry& link : links)
        text += "    " + pathOf(link).toUtf8() + " \"" + link.target.toUtf8() + "\";\n";
    return text + "}\n";
}

QByteArray nginxLocations(const QList<LinkEntry>& links)
{
    QByteArray text = header("nginx: include it in the server block, and the map file in the http block.");
    for (const QString& folder : folders(links))
        text += "location ^~ " + folder.toUtf8() +
                " {\n    if ($orvanta_short_link) {\n        return 302 $orvanta_short_link;\n    }\n"
                "    return 404;\n}\n";
    return text;
}

QByteArray staticHostRedirects(const QList<LinkEntry>& links)
{
    QByteArray text = header("Static hosts (Netlify, Cloudflare Pages and others): put it in the site's root folder.");
    for (const LinkEntry& link : links)
        text += pathOf(link).toUtf8() + ' ' + link.target.toUtf8() + " 302\n";
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

Result<void> write(const QString& folder, const QList<LinkEntry>& links)
{
    if (!QDir().mkpath(folder))
        return fail(RunTr::tr("The folder %1 for the redirect files could not be made.").arg(quotedPath(folder)));
    const std::pair<QString, QByteArray> files[] = {{htaccessName(), htaccess(links)},
                                                    {nginxMapName(), nginxMap(links)},
                                                    {nginxLocationsName(), nginxLocations(links)},
                                                    {staticHostName(), staticHostRedirects(links)}};
    for (const auto& [name, bytes] : files) {
        const Result<void> written = writeOne(inFolder(folder, name), bytes);
        if (!written)
            return written;
    }
    const QString site = inFolder(folder, pagesFolderName());
    for (const LinkEntry& link : links) {
        // The slug and the base's path hold only safe characters, so the page stays below the site folder.
        const QString pageFolder = resolvedBelow(site, pathOf(link).mid(1));
        if (!QDir().mkpath(pageFolder))
            return fail(RunTr::tr("The folder %1 for a redirect page could not be made.").arg(quotedPath(pageFolder)));
        // Most pages stay as they were when one link changes; they are left alone.
        const QString page = inFolder(pageFolder, QStringLiteral("index.html"));
        const QByteArray bytes = redirectPage(link);
        const Result<QByteArray> before = readBounded(page, bytes.size());
        const Result<void> written = before && before.value() == bytes ? Result<void>() : writeOne(page, bytes);
        if (!written)
            return written;
    }
    return {};
}
} // namespace RedirectFiles
} // namespace orvanta::run
