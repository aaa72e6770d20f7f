#pragma once

#include "PageFields.h"
#include "Result.h"
#include "ShareKit.h"

#include <QString>
#include <QStringList>

/** A filled page, ready to be written and converted. */
struct BuiltPage {
    QString pageName;
    QString htmlPath;
    QString pdfPath;
    QString filledText;
    /** Where the filled text's head ends, as the template placed it; tags of our own go there. */
    qsizetype headEnd = 0;
    /** The image copies the page shows, by their names in the page's folder. */
    QStringList imageNames;
    /** The design's own files beside the page, relative to its folder. */
    QStringList assetNames;
    /** What the saved web page tells the sites that show it. */
    ShareKit share;
    /** Each button's link as the page holds it, and what the saved web page holds in its place. */
    QList<std::pair<QString, QString>> webLinks;
    /** The disclosure line the page's words give, where its design shows one; in the design's own words, if any. */
    QString disclosure;
};

/**
 * Why a page was not built, as its Failure's kind: the message names the failing file for FileError, and is the
 * missing image's path for BonusImageMissing.
 */
enum class BuildFailure { BonusImageMissing = 1, FileError };

/**
 * Where a page is built: the folder that receives the page and its image copies, and the PDF's folder.
 * Create in the window builds into bin and bin/output; other jobs build into a private folder of their own.
 */
struct PageTarget {
    QString pageFolder;
    QString pdfFolder;

    /** The application folder's bin and bin/output. */
    static PageTarget ofApp(const QString& app);
};

namespace orvanta::page {
/** The page name for a PDF file name: every blank becomes "-". */
QString pageNameOf(const QString& pdfFileName);

/** The page's file name in its folder: page name + ".html", guarded against naming the template. */
QString pageFileNameOf(const QString& pageName);

/** The longest page name, in bytes as the file system stores it, whose page file still fits a file name. */
int maxPageNameBytes();

/** The fixed script tags and closing tags every page ends with. */
QString pageTail();

/** The addresses of the page tail's scripts, as its tags give them: behaviour for a browser, nothing a PDF draws. */
const QStringList& pageTailScripts();

/** The picture of the page's bonus: its own image, or the catalogue entry's sales page picture. */
QString bonusImageSource(const QString& app, const PageFields& fields);

/** Copies the images into the application's bin folder and fills the template. */
Result<BuiltPage> BuildPage(const QString& app, const PageFields& fields);

/** Like BuildPage, into @p target's folders; the template, catalogue and file-name rules stay the application's. */
Result<BuiltPage> BuildPage(const QString& app, const PageFields& fields, const PageTarget& target);

/** Writes the page text and its tail as UTF-8 behind whatever the page file holds; a failed write leaves it as it was.
 */
Result<void> WritePage(const BuiltPage& page);
} // namespace orvanta::page
