#include "ShortLinks.h"

#include "AppFolder.h"
#include "PlainText.h"
#include "RedirectFiles.h"
#include "RunTr.h"
#include "ShortLink.h"

#include <QCoreApplication>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::run;

namespace orvanta::run {
namespace ShortLinks {
Result<Prepared> prepare(const QString& app, const PageFields& fields, bool checkTable)
{
    const QString base = fields.brand.linkBase;
    if (base.isEmpty())
        return Prepared{fields, {}};
    const QString badSlug = ShortLink::slugProblem(fields.slug);
    if (!badSlug.isEmpty())
        return fail(badSlug, PrepareFailure::MissingInfo);
    const Result<QString> target = ShortLink::targetOf(fields.ctaUrl);
    if (!target)
        return fail(target.error(), PrepareFailure::MissingInfo);
    const QString campaign = plainTitle(fields.mainTitle);
    Result<QString> slug = ShortLink::slugOr(fields.slug, fields.pdfFileName);
    if (checkTable) {
        const Result<LinksTable> table = read(app);
        slug = table ? table->claim(fields.slug, fields.pdfFileName, campaign, target.value()) : table.failure();
    }
    if (!slug)
        return fail(slug.error(), PrepareFailure::Refused);
    Prepared prepared{
        fields, {*slug, ShortLink::linkOf(base, *slug), target.value(), campaign, fields.pdfFileName, {}, {}, {}}};
    prepared.shown.ctaUrl = prepared.entry.link;
    return prepared;
}

Result<LinksTable> read(const QString& app)
{
    return LinksTable::read(AppFolder::linksTablePath(app));
}

Result<void> publish(const QString& app, const LinksTable& table)
{
    const Result<void> written = table.write(AppFolder::linksTablePath(app));
    return written ? RedirectFiles::write(AppFolder::linksFolder(app), table.entries()) : written;
}

Result<void> record(const QString& app, const LinkEntry& entry)
{
    Result<LinksTable> table = ShortLinks::read(app);
    if (!table)
        return table.failure();
    const Result<QString> claim = table->claim(entry.slug, entry.pdf, entry.campaign, entry.target);
    if (!claim)
        return claim.failure();
    LinkEntry made = entry;
    made.made = QDateTime::currentDateTimeUtc();
    table->record(made);
    return publish(app, *table);
}

Result<void> repoint(const QString& app, const QString& slug, const QString& target)
{
    Result<LinksTable> table = ShortLinks::read(app);
    if (!table)
        return table.failure();
    const Result<void> repointed = table->repoint(slug, target, QDateTime::currentDateTimeUtc());
    return repointed ? publish(app, *table) : repointed;
}

QString lastCheckText(const QDate& day, const LinkJudgement& target, const LinkJudgement* live)
{
    QString text = RunTr::tr("%1: target %2").arg(day.toString(Qt::ISODate), LinkCheck::describe(target));
    if (live)
        text += RunTr::tr("; short link %1").arg(LinkCheck::describe(*live));
    return text;
}

Result<void> recordChecks(const QString& app, const QList<LiveLink>& links, const LinkCheck& check, bool liveChecked)
{
    Result<LinksTable> table = ShortLinks::read(app);
    if (!table)
        return table.failure();
    bool changed = false;
    const QDate today = QDate::currentDate();
    for (const LiveLink& live : links) {
        const LinkEntry* entry = table->find(live.slug);
        const LinkJudgement target = check.judgement(live.target);
        const LinkJudgement shortLink = check.liveJudgement(live.link);
        // Re-pointed while the check ran: what was judged is no longer what the link leads to.
        if (!entry || entry->link != live.link || entry->target != live.target || target.reason.isEmpty() ||
            (liveChecked && shortLink.reason.isEmpty()))
            continue;
        table->setLastCheck(live.slug, lastCheckText(today, target, liveChecked ? &shortLink : nullptr));
        changed = true;
    }
    return changed ? table->write(AppFolder::linksTablePath(app)) : Result<void>();
}
} // namespace ShortLinks
} // namespace orvanta::run
