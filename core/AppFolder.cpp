#include "AppFolder.h"

#include <QDir>

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

QStringList listFolder(const QString& folder, const QString& pattern)
{
    QDir::Filters filters = QDir::Files | QDir::Hidden;
#ifndef Q_OS_WIN
    // "*.txt" must not pick up "a.TXT": the entry name would keep ".TXT" and name no product file.
    filters |= QDir::CaseSensitive;
#endif
    return QDir(folder).entryList({pattern}, filters, QDir::Name);
}
} // namespace AppFolder
