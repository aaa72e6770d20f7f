#include "JobSources.h"

#include <QCoreApplication>

namespace {
// Names the texts' context where lupdate can read it.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(JobSources)
};
} // namespace

QList<JobSource> sheetJobs(const Sheet& sheet, const QString& fileName)
{
    QList<JobSource> jobs;
    for (const SheetRow& row : sheet.rows)
        jobs << JobSource{SheetReader::rowName(fileName, row.number), {}, row.campaign, row.problem};
    return jobs;
}

QList<QStringList> linksOfSources(const QList<JobSource>& sources, const JobSettings& settings)
{
    QList<QStringList> links;
    for (const JobSource& source : sources) {
        std::optional<Campaign> campaign = source.campaign;
        if (!campaign && source.problem.isEmpty())
            campaign = CampaignFile::read(source.campaignPath).campaign;
        links << (campaign && source.problem.isEmpty() ? linksOf(*campaign, settings) : QStringList());
    }
    return links;
}

LinkReport reportLinks(const QList<QStringList>& links, const LinkCheck& check)
{
    LinkReport report;
    for (qsizetype i = 0; i < links.size(); ++i) {
        QStringList shown;
        for (const QString& link : links.at(i)) {
            const LinkJudgement judgement = check.judgement(link);
            shown << QStringLiteral("%1: %2").arg(link, LinkCheck::describe(judgement));
            if (judgement.verdict != LinkVerdict::Working)
                report.notWorking << LinkReport::Finding{i, link, judgement};
        }
        report.shown << shown;
    }
    return report;
}

QStringList LinkReport::lines(const QStringList& names) const
{
    QStringList lines;
    for (const Finding& finding : notWorking)
        lines << Text::tr("%1: the link %2 is %3.")
                     .arg(names.at(finding.source), finding.link, LinkCheck::describe(finding.judgement));
    return lines;
}

QStringList LinkReport::brokenLines(const QStringList& labels) const
{
    QStringList lines;
    for (const Finding& finding : notWorking) {
        if (finding.judgement.verdict == LinkVerdict::Broken)
            lines << Text::tr("%1: %2 is %3")
                         .arg(labels.at(finding.source), finding.link, LinkCheck::describe(finding.judgement));
    }
    return lines;
}
