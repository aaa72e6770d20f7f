#include "AppFolder.h"

#include "FileToolkit.h"
#include "OrvantaConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <utility>
#include <vector>

using namespace orvanta::files;

namespace orvanta::files {
namespace AppFolder {
QString path(const QString& app, const QString& relative)
{
    // Paths end up in messages: one separator between parts, even for an empty part or a folder ending in one.
    return QDir::toNativeSeparators(QDir::cleanPath(app + QLatin1Char('/') + relative));
}

QString binFolder(const QString& app)
{
    return path(app, QStringLiteral("bin"));
}
QString outputFolder(const QString& app)
{
    return path(app, QStringLiteral("bin/output"));
}
QString productsFolder(const QString& app)
{
    return path(app, QStringLiteral("products"));
}
QString tempFolder(const QString& app)
{
    return path(app, QStringLiteral("temp"));
}
QString recoveryFolder(const QString& app)
{
    return path(app, QStringLiteral("temp/recovery"));
}
QString engineCopiesFolder(const QString& app)
{
    return path(app, QStringLiteral("temp/.pages %1 root").arg(QCoreApplication::applicationPid()));
}
QString recentCampaignsPath(const QString& app)
{
    return path(app, QStringLiteral("temp/recent-campaigns.ini"));
}
QString defaultBrandPath(const QString& app)
{
    return path(app, QStringLiteral("temp/default-brand.json"));
}
QString linksFolder(const QString& app)
{
    return path(app, QStringLiteral("bin/output/links"));
}
QString linksTablePath(const QString& app)
{
    return path(app, QStringLiteral("bin/output/links/links.json"));
}
QString clicksPath(const QString& app)
{
    return path(app, QStringLiteral("bin/output/links/clicks.json"));
}
QString templatePath(const QString& app)
{
    return path(app, QStringLiteral("bin/template.html"));
}
QString builtInInstructionsPath(const QString& app)
{
    return path(app, QStringLiteral("bin/bonusdownloadinstructions.txt"));
}

QString converterPath(const QString& app)
{
#ifdef Q_OS_WIN
    return path(app, QStringLiteral("bin/wkhtmltopdf.exe"));
#else
    return path(app, QStringLiteral("bin/wkhtmltopdf"));
#endif
}

QString assetsFolder(const QString& app)
{
    return path(app, QStringLiteral("bin/assets"));
}

QString previewPagePath(const QString& app)
{
    return path(app, QStringLiteral("temp/index.html"));
}

QString previewImagePath(const QString& app)
{
    return path(app, QStringLiteral("temp/salespage.gif"));
}

// The launcher's own rule for where the per-user copy lives.
bool isPackagedInstall(const QString& app)
{
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    const QString home = qEnvironmentVariable("HOME");
    const QString userCopy = !dataHome.isEmpty() ? dataHome + QStringLiteral("/orvanta")
                             : !home.isEmpty()   ? home + QStringLiteral("/.local/share/orvanta")
                                                 : QString();
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(app));
    const QString installed = QDir::cleanPath(QStringLiteral(ORVANTA_PACKAGE_DIR));
    return folder == installed || folder.startsWith(installed + QLatin1Char('/')) ||
           (!userCopy.isEmpty() && folder == QDir::cleanPath(userCopy));
}

QStringList unwritableFolders(const QString& app)
{
    QStringList refused;
    for (const QString& folder : {binFolder(app), outputFolder(app), tempFolder(app)}) {
        // Only a real attempt tells: permission bits know nothing of read-only mounts, and root passes them all.
        QTemporaryFile probe(inFolder(folder, QStringLiteral(".orvanta-write-test-XXXXXX")));
        if (QFileInfo(folder).isDir() && !probe.open())
            refused << folder;
    }
    return refused;
}

QStringList listFolder(const QString& folder, const QString& pattern, bool withHidden)
{
    QDir::Filters filters = QDir::Files;
    if (withHidden)
        filters |= QDir::Hidden;
#ifndef Q_OS_WIN
    // "*.txt" must not pick up "a.TXT": the entry name would keep ".TXT" and name no product file.
    filters |= QDir::CaseSensitive;
#endif
    // Names only, and each name folded once: QDir's own sort stats every file and folds the letter case again at
    // every comparison, which took most of the start-up with a large catalogue.
    std::vector<std::pair<QString, QString>> byFoldedName;
    QDirIterator files(folder, {pattern}, filters);
    while (files.hasNext()) {
        files.next();
        const QString name = files.fileName();
        byFoldedName.emplace_back(name.toCaseFolded(), name);
    }
    // Alphabetical as the user reads it: "apple" before "Banana"; names equal but for case keep a fixed order.
    std::sort(byFoldedName.begin(), byFoldedName.end());
    QStringList names;
    names.reserve(qsizetype(byFoldedName.size()));
    for (auto& entry : byFoldedName)
        names.append(std::move(entry.second));
    return names;
}
} // namespace AppFolder
} // namespace orvanta::files
