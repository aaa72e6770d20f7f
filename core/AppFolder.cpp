#include "AppFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <utility>
#include <vector>

namespace AppFolder {
QString path(const QString& app, const QString& relative)
{
    return app + QDir::separator() + QDir::toNativeSeparators(relative);
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

QString webPageFolder(const QString& app, const QString& pageName)
{
    return outputFolder(app) + QDir::separator() + pageName;
}

QString previewPagePath(const QString& app)
{
    return path(app, QStringLiteral("temp/index.html"));
}

QString previewImagePath(const QString& app)
{
    return path(app, QStringLiteral("temp/salespage.gif"));
}

QStringList unwritableFolders(const QString& app)
{
    QStringList refused;
    for (const QString& folder : {binFolder(app), outputFolder(app), tempFolder(app)}) {
        // Only a real attempt tells: permission bits know nothing of read-only mounts, and root passes them all.
        QTemporaryFile probe(folder + QDir::separator() + QStringLiteral(".orvanta-write-test-XXXXXX"));
        if (QFileInfo(folder).isDir() && !probe.open())
            refused << folder;
    }
    return refused;
}

QStringList listFolder(const QString& folder, const QString& pattern)
{
    QDir::Filters filters = QDir::Files | QDir::Hidden;
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
