#include "SheetReadiness.h"

#include "Catalogue.h"
#include "CreateChecks.h"
#include "Designs.h"
#include "HelperOps.h"
#include "JobSources.h"
#include "PageBuilder.h"
#include "PdfName.h"
#include "PictureCheck.h"
#include "RunTr.h"
#include "SafeCopy.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::run;

namespace orvanta::run {
namespace {
// As the page builder takes a picture: one that is there must be a picture (an empty file stands for a missing
// one in a preview); one that is not there fails as its copy would.
QString pictureProblem(const QString& source)
{
    const QFileInfo info(source);
    if (info.exists() && !(info.isFile() && info.size() == 0))
        return checkPicture(source).error();
    return checkReadable(source).error();
}

/** Where the page builder would stop, in its order and words; designs are looked up once each. */
class BuildProblems {
public:
    explicit BuildProblems(const QString& app)
        : m_app(app)
    {
    }
    QString of(const PageFields& fields);

private:
    QString m_app;
    QHash<QString, QString> m_designProblems;
};

QString BuildProblems::of(const PageFields& fields)
{
    const auto known = m_designProblems.constFind(fields.design);
    QString problem = known != m_designProblems.cend()
                          ? *known
                          : *m_designProblems.insert(fields.design, Designs::find(m_app, fields.design).problem);
    if (problem.isEmpty())
        problem = brandProblem(fields.brand);
    if (problem.isEmpty())
        problem = pictureProblem(fields.affiliateImagePath);
    if (!problem.isEmpty())
        return problem;
    const QString bonus = fields.ownBonus
                              ? fields.ownBonusImagePath
                              : Catalogue::salesPagePath(m_app, Catalogue::cleanProductId(fields.rawProductId));
    if (!vTools::FileExists(bonus))
        return targetFileNotFound(bonus);
    // The logo was judged with the brand, first.
    return pictureProblem(bonus);
}
} // namespace

QStringList rowProblems(const Sheet& sheet, const JobSettings& settings)
{
    QStringList problems;
    // Create All's jobs claim their PDF once their checks pass, in the sheet's order; a later row of that name fails
    // even when the first then fails at its pictures.
    PdfClaims claims;
    BuildProblems buildProblems(settings.app);
    for (const SheetRow& row : sheet.rows) {
        if (!row.problem.isEmpty()) {
            problems << row.problem;
            continue;
        }
        bool entryChosen = false;
        Campaign campaign = campaignAsOpened(row.campaign, settings, &entryChosen);
        if (!settings.design.isEmpty())
            campaign.design = settings.design;
        const PageFields fields = pageFieldsOf(campaign);
        QString problem = missingInfo(fields, entryChosen);
        if (problem.isEmpty()) {
            const QString pageName = pageNameOf(fields.pdfFileName);
            const int claimed = claims.claim(pageName, row.number);
            problem = claimed >= 0
                          ? RunTr::tr("Row %1 already makes the PDF \"%2\"; please give this row another PDF name.")
                                .arg(claimed)
                                .arg(pageName)
                          : buildProblems.of(fields);
        }
        problems << problem;
    }
    QList<JobSource> jobs = sheetJobs(sheet, {});
    for (qsizetype i = 0; i < jobs.size(); ++i)
        jobs[i].problem = problems.at(i);
    claimSlugs(jobs, settings);
    for (qsizetype i = 0; i < jobs.size(); ++i)
        problems[i] = jobs.at(i).problem;
    return problems;
}
} // namespace orvanta::run
