#include "ShortLinks.h"

#include "AppFolder.h"
#include "PlainText.h"
#include "RedirectFiles.h"
#include "RunTr.h"
#include "ShortLink.h"

#include <QCoreApplication>

namespace ShortLinks {
Prepared prepare(const QString& app, const PageFields& fields, bool checkTable)
{
    Prepared prepared{fields, {}, {}, {}};
    const QString base = fields.brand.linkBase;
    if (base.isEmpty())
        return prepared;
    prepared.missingInfo = ShortLink::slugProblem(fields.slug);
    const Result<QString> target = ShortLink::targetOf(fields.ctaUrl);
    if (prepared.missingInfo.isEmpty())
        prepared.missingInfo = target.error();
    if (!prepared.missingInfo.isEmpty())
        return prepared;
    const QString campaign = plainTitle(fields.mainTitle);
    SlugClaim claim{ShortLink::slugOr(fields.slug, fields.pdfFileName), {}};
    if (checkTable) {
        const LinksTable::ReadResult table = read(app);
        claim = table.error.isEmpty() ? table.table.claim(fields.slug, fields.pdfFileName, campaign, target.value())
                                      : SlugClaim{{}, table.error};
    }
    prepared.error = claim.error;
    prepared.entry = {
        claim.slug, ShortLink::linkOf(base, claim.slug), target.value(), campaign, fields.pdfFileName, {}, {}, {}};
    prepared.shown.ctaUrl = prepared.entry.link;
    return prepared;
}

LinksTable::ReadResult read(const QString& app)
{
    return LinksTable::read(AppFolder::linksTablePath(app));
}

QString publish(const QString& app, const LinksTable& table)
{
    const QString error = table.write(AppFolder::linksTablePath(app));
    return error.isEmpty() ? RedirectFiles::write(AppFolder::linksFolder(app), table.entries()) : error;
}

QString record(const QString& app, const LinkEntry& entry)
{
    LinksTable::ReadResult read = ShortLinks::read(app);
    if (!read.error.isEmpty())
        return read.error;
    const SlugClaim claim = read.table.claim(entry.slug, entry.pdf, entry.campaign, entry.target);
    if (!claim.error.isEmpty())
        return claim.error;
    LinkEntry made = entry;
    made.made = QDateTime::currentDateTimeUtc();
    read.table.record(made);
    return publish(app, read.table);
}

QString repoint(const QString& app, const QString& slug, const QString& target)
{
    LinksTable::ReadResult read = ShortLinks::read(app);
    if (read.error.isEmpty())
        read.error = read.table.repoint(slug, target, QDateTime::currentDateTimeUtc());
    return read.error.isEmpty() ? publish(app, read.table) : read.error;
}

QString lastCheckText(const QDate& day, const LinkJudgement& target, const LinkJudgement* live)
{
    QString text = RunTr::tr("%1: target %2").arg(day.toString(Qt::ISODate), LinkCheck::describe(target));
    if (live)
        text += RunTr::tr("; short link %1").arg(LinkCheck::describe(*live));
    return text;
}

QString recordChecks(const QString& app, const QList<LiveLink>& links, const LinkCheck& check, bool liveChecked)
{
    LinksTable::ReadResult read = ShortLinks::read(app);
    if (!read.error.isEmpty())
        return read.error;
    bool changed = false;
    const QDate today = QDate::currentDate();
    for (const LiveLink& live : links) {
        const LinkEntry* entry = read.table.find(live.slug);
        const LinkJudgement target = check.judgement(live.target);
        const LinkJudgement shortLink = check.liveJudgement(live.link);
        // Re-pointed while the check ran: what was judged is no longer what the link leads to.
        if (!entry || entry->link != live.link || entry->target != live.target || target.reason.isEmpty() ||
            (liveChecked && shortLink.reason.isEmpty()))
            continue;
        read.table.setLastCheck(live.slug, lastCheckText(today, target, liveChecked ? &shortLink : nullptr));
        changed = true;
    }
    return changed ? read.table.write(AppFolder::linksTablePath(app)) : QString();
}
} // namespace ShortLinks
