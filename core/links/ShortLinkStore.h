#pragma once

#include "LinkCheck.h"
#include "LinksTable.h"

#include "PageFields.h"
#include "Result.h"

#include <QDate>
#include <QString>

#include <memory>

class QLockFile;

namespace orvanta::links {
/** The short links of an application folder: its table and the redirect files made from it. */
namespace ShortLinkStore {
/** What a run's page links to, and the short link it adds to the table once its PDF is made. */
struct Prepared {
    PageFields shown; ///< the fields the page is built from: the offer links are the short link's channels
    LinkEntry entry;  ///< empty slug when the brand sets no link base
};

/** Why a page's short link cannot be made: the campaign lacks what it needs, or the table refuses it. */
enum class PrepareFailure { MissingInfo = 1, Refused };

/**
 * The page's links for @p fields: unchanged without a link base, else the short link, with the affiliate link
 * (tags and all) as its target. With @p checkTable the slug is claimed against the links table, which refuses a
 * slug another campaign points elsewhere.
 */
Result<Prepared> prepare(const QString& app, const PageFields& fields, bool checkTable);

Result<LinksTable> read(const QString& app);
/**
 * The table's own lock, held while the returned lock lives: recording, re-pointing and counting clicks wait for each
 * other; a failure says the table is in use.
 */
Result<std::unique_ptr<QLockFile>> lockTable(const QString& app);
/** Writes @p table and every redirect file from it; a failure names the file. */
Result<void> publish(const QString& app, const LinksTable& table);
/** Adds @p entry, claimed once more (a sheet's other rows may have taken its slug since), and publishes. */
Result<void> record(const QString& app, const LinkEntry& entry);
/** Points @p slug to @p target and rewrites the redirect files; no PDF changes. */
Result<void> repoint(const QString& app, const QString& slug, const QString& target);

/** What the links table keeps of one check: "2026-12-09: target working; short link working". */
QString lastCheckText(const QDate& day, const LinkJudgement& target, const LinkJudgement* live);
/**
 * Keeps in the links table what @p check found of each short link of @p links that the table holds with the target
 * checked: its target's judgement, and with @p liveChecked its own. Links not judged (a stopped check) keep theirs.
 * A failure names the table.
 */
Result<void> recordChecks(const QString& app, const QList<LiveLink>& links, const LinkCheck& check, bool liveChecked);
} // namespace ShortLinkStore
} // namespace orvanta::links
