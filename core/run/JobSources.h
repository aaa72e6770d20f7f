#pragma once

#include "CreateJob.h"
#include "LinkCheck.h"
#include "SheetReader.h"

#include <QList>
#include <QStringList>

namespace orvanta::run {
/** The rows of @p sheet as jobs, each named after @p fileName ("offers.csv row 4"); a row's problem fails its job. */
QList<JobSource> sheetJobs(const Sheet& sheet, const QString& fileName);

/**
 * A job per list file the rows of @p sheet name in their `list` column: the file's page with those rows as its
 * products, ranked by their `rank` (unranked ones after, in the sheet's order). Made beside the rows' own jobs.
 */
QList<JobSource> sheetListJobs(const Sheet& sheet, const QString& fileName);

/**
 * Claims each source's short link in order before any is made, as one Create claims its own: a source whose slug
 * the links table or an earlier source points elsewhere is given that as its problem, and is not made.
 */
void claimSlugs(QList<JobSource>& sources, const JobSettings& settings);

/** The links of each source, in order: none for one known to be unusable; a campaign file is read for its own. */
QList<QStringList> linksOfSources(const QList<JobSource>& sources, const JobSettings& settings);

/**
 * Per source, its short links as the links table knows them (a re-pointed one with its new target): a campaign's
 * own, a list's products'; none where the brand sets no link base or the source is unusable.
 */
QList<QList<LiveLink>> shortLinksOfSources(const QList<JobSource>& sources, const JobSettings& settings);
/** The short links of every source, in order. */
QList<LiveLink> allOf(const QList<QList<LiveLink>>& shortLinks);

/** Every link a check of the sources requests: their own links, and each short link's target as the table has it. */
QStringList linksToCheck(const QList<QStringList>& links, const QList<QList<LiveLink>>& shortLinks);
} // namespace orvanta::run

/** What a link check found among the links of many sources, in the sources' order, in the words every front end uses.
 */
struct LinkReport {
    struct Finding {
        qsizetype source = 0;
        QString link;
        LinkJudgement judgement;
    };

    /** Per source, each of its links with what was seen: "https://a.example/: working". */
    QList<QStringList> shown;
    /** Every link that is not working. */
    QList<Finding> notWorking;

    /** A line per link not working, its source named by @p names: "offers.csv row 2: the link … is broken (…)." */
    QStringList lines(const QStringList& names) const;
    /** A line per broken link, its source named by @p labels: "Row 3: … is broken (…)". */
    QStringList brokenLines(const QStringList& labels) const;
};

namespace orvanta::run {
/**
 * The report of @p check on @p links, the links of each source as linksOfSources() gives them, and on @p live, each
 * source's short link when the live short links were checked too.
 */
LinkReport reportLinks(const QList<QStringList>& links, const LinkCheck& check,
                       const QList<QList<LiveLink>>& live = {});
} // namespace orvanta::run
