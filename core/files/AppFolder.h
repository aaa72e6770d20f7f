#pragma once

#include <QString>

namespace orvanta::files {
/**
 * Paths below the application folder. Every path is the folder followed by a relative part,
 * joined with the platform's separator, so what the user sees matches the file system.
 */
namespace AppFolder {
/** @p relative uses '/' between its parts; the result is cleaned (no doubled or trailing separators) and native. */
QString path(const QString& app, const QString& relative);

QString binFolder(const QString& app);
QString outputFolder(const QString& app);
QString productsFolder(const QString& app);
QString tempFolder(const QString& app);
/** Autosaved copies of unsaved campaigns, one per open window. */
QString recoveryFolder(const QString& app);
/**
 * This process's folder for the pages as the engines read them, one private folder per job below it: a browser that
 * may read it prints every job's page without starting again. Named as a leftover, so a later start removes it.
 */
QString engineCopiesFolder(const QString& app);
/** The list of recently used campaigns. */
QString recentCampaignsPath(const QString& app);
/** The brand "Use as my default brand" keeps for new campaigns. */
QString defaultBrandPath(const QString& app);
QString templatePath(const QString& app);
/** The short links' table and the redirect files made from it, for the user's own site. */
QString linksFolder(const QString& app);
QString linksTablePath(const QString& app);
/** The clicks counted from the site's access logs, beside the links' table. */
QString clicksPath(const QString& app);
QString builtInInstructionsPath(const QString& app);
QString converterPath(const QString& app);
/** The page's scripts, reached from every page through "assets/...". */
QString assetsFolder(const QString& app);
/** The page the product preview shows, and the copy of the bonus image it shows. */
QString previewPagePath(const QString& app);
QString previewImagePath(const QString& app);

/** True for the package's installed folder and for the per-user copy its launcher runs. */
bool isPackagedInstall(const QString& app);

/** The folders the program writes to that refuse a new file; a missing folder is not reported. */
QStringList unwritableFolders(const QString& app);

/**
 * Names of the files in @p folder matching @p pattern (like "*.txt"), ascending; a missing folder lists nothing.
 * Hidden files (".name", or the hidden attribute) only @p withHidden.
 */
QStringList listFolder(const QString& folder, const QString& pattern, bool withHidden = false);
} // namespace AppFolder
} // namespace orvanta::files
