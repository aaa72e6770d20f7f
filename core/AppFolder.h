#pragma once

#include <QString>

/**
 * Paths below the application folder. Every path is the folder followed by a relative part,
 * joined with the platform's separator, so what the user sees matches the file system.
 */
namespace AppFolder {
/** @p relative uses '/' between its parts; it is converted to the native separator. */
QString path(const QString& app, const QString& relative);

QString binFolder(const QString& app);
QString outputFolder(const QString& app);
QString productsFolder(const QString& app);
QString tempFolder(const QString& app);
QString templatePath(const QString& app);
QString builtInInstructionsPath(const QString& app);
QString converterPath(const QString& app);
/** The page's scripts, reached from every page through "assets/...". */
QString assetsFolder(const QString& app);
/** Where "Also save the web page" puts the page named @p pageName: a folder beside the PDFs. */
QString webPageFolder(const QString& app, const QString& pageName);
/** The page the product preview shows, and the copy of the bonus image it shows. */
QString previewPagePath(const QString& app);
QString previewImagePath(const QString& app);

/** The folders the program writes to that refuse a new file; a missing folder is not reported. */
QStringList unwritableFolders(const QString& app);

/** Names of the files in @p folder matching @p pattern (like "*.txt"), ascending; a missing folder lists nothing. */
QStringList listFolder(const QString& folder, const QString& pattern);
} // namespace AppFolder
