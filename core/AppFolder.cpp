#include "AppFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace AppFolder {
QString path(const QString& app, const QString& relative)
{
    return app + QDir::separator() + QDir::toNativeSeparators(relative);
}

QString binFolder(const QString& app) { return path(app, QStringLiteral("bin")); }
QString outputFolder(const QString& app) { return path(app, QStringLiteral("bin/output")); }
QString productsFolder(const QString& app) { return path(app, QStringLiteral("products")); }
QString tempFolder(const QString& app) { return path(app, QStringLiteral("temp")); }
QString templatePath(const QString& app) { return path(app, QStringLiteral("bin/template.html")); }
QString builtInInstructionsPath(const QString& app) { return path(app, QStringLiteral("bin/bonusdownloadinstructions.txt")); }

QString converterPath(const QString& app)
{
#ifdef Q_OS_WIN
    return path(app, QStringLiteral("bin/wkhtmltopdf.exe"));
#else
    return path(app, QStringLiteral("bin/wkhtmltopdf"));
#endif
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
    // Alphabetical as the user reads it: "apple" before "Banana".
    return QDir(folder).entryList({pattern}, filters, QDir::Name | QDir::IgnoreCase);
}
} // namespace AppFolder
