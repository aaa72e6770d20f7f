#include "ShortLinkStore.h"

#include "AppFolder.h"
#include "FileToolkit.h"
#include "LinkRules.h"
#include "LinksTr.h"
#include "PlainText.h"
#include "RedirectFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <functional>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::links;

namespace orvanta::links {
namespace {
constexpr int LockWaitMs = 20000;

// The server files and pages first, the table last: it is the one that says what was done.
Result<void> publishLocked(const QString& app, const LinksTable& table)
{
    const QString folder = AppFolder::linksFolder(app);
    RedirectFiles::removeLeftovers(folder);
    const Result<void> files = RedirectFiles::write(folder, table.entries());
    if (!files && !files.failure().is(RedirectFailure::Page))
        return files;
    const Result<void> written = table.write(AppFolder::linksTablePath(app));
    return written ? files : written;
}

} // namespace

Result<std::unique_ptr<QLockFile>> ShortLinkStore::lockTable(const QString& app)
{
    const QString path = AppFolder::linksTablePath(app);
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    // Writing a thousand pages takes a while; only a gone process makes the lock stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(LockWaitMs))
        return fail(LinksTr::tr("The short links' table %1 is in use by another Orvanta; try again once it has "
                                "finished.")
                        .arg(quotedPath(path)));
    return lock;
}

namespace {
// Read, change and write as one step: another Orvanta recording or re-pointing at the same time waits for it.
// The change says whether there is anything to write.
Result<void> changeTable(const QString& app, const std::function<Result<bool>(LinksTable&)>& change,
                         bool tableOnly = false)
{
    const Result<std::unique_ptr<QLockFile>> lock = ShortLinkStore::lockTable(app);
    if (!lock)
        return lock.failure();
    Result<LinksTable> table = ShortLinkStore::read(app);
    if (!table)
        return table.failure();
    const Result<bool> changed = change(table.value());
    if (!changed)
        return changed.failure();
    if (!*changed)
        return {};
    return tableOnly ? table->write(AppFolder::linksTablePath(app)) : publishLocked(app, *table);
}
} // namespace

namespace ShortLinkStore {
Result<Prepared> prepare(const QString& app, const PageFields& fields, bool checkTable)
{
    const QString base = fields.brand.linkBase;
    if (base.isEmpty())
        return Prepared{fields, {}};
    const QString badSlug = LinkRules::slugProblem(fields.slug);
    if (!badSlug.isEmpty())
        return fail(badSlug, PrepareFailure::MissingInfo);
    const Result<QString> target = LinkRules::targetOf(fields.ctaUrl);
    if (!target)
        return fail(target.error(), PrepareFailure::MissingInfo);
    // A terminal would obey what a title holds of control sequences when the table is listed.
    const QString campaign = LinkRules::printable(plainTitle(fields.mainTitle));
    Result<QString> slug = LinkRules::slugOr(fields.slug, fields.pdfFileName);
    if (checkTable) {
        const Result<LinksTable> table = read(app);
        slug = table ? table->claim(fields.slug, fields.pdfFileName, campaign, target.value()) : table.failure();
    }
    if (!slug)
        return fail(slug.error(), PrepareFailure::Refused);
    Prepared prepared{
        fields, {*slug, LinkRules::linkOf(base, *slug), target.value(), campaign, fields.pdfFileName, {}, {}, {}}};
    // The plain link stays the one the user copies; the page's places each carry a channel of it.
    prepared.shown.shortLink = prepared.entry.link;
    prepared.shown.ctaUrl = LinkRules::channelLink(prepared.entry.link, LinkRules::Channel::Button);
    return prepared;
}

Result<LinksTable> read(const QString& app)
{
    Result<LinksTable> table = LinksTable::read(AppFolder::linksTablePath(app));
    if (!table)
        return table;
    for (const LinkEntry& entry : table->entries()) {
        const Result<QString> page = RedirectFiles::pageFolderOf(AppFolder::linksFolder(app), entry);
        if (!page)
            return fail(LinksTr::tr("The short links' table %1 is damaged: %2")
                            .arg(quotedPath(AppFolder::linksTablePath(app)), page.error()));
    }
    return table;
}

Result<void> publish(const QString& app, const LinksTable& table)
{
    return changeTable(app, [&table](LinksTable& stored) {
        stored = table;
        return Result<bool>(true);
    });
}

Result<void> record(const QString& app, const LinkEntry& entry)
{
    const Result<QString> page = RedirectFiles::pageFolderOf(AppFolder::linksFolder(app), entry);
    if (!page)
        return page.failure();
    return changeTable(app, [&entry](LinksTable& table) {
        const Result<QString> claim = table.claim(entry.slug, entry.pdf, entry.campaign, entry.target);
        if (!claim)
            return Result<bool>(claim.failure());
        LinkEntry made = entry;
        made.made = QDateTime::currentDateTimeUtc();
        table.record(made);
        return Result<bool>(true);
    });
}

Result<void> repoint(const QString& app, const QString& slug, const QString& target)
{
    return changeTable(app, [&](LinksTable& table) {
        const Result<void> repointed = table.repoint(slug, target, QDateTime::currentDateTimeUtc());
        return repointed ? Result<bool>(true) : Result<bool>(repointed.failure());
    });
}

QString lastCheckText(const QDate& day, const LinkJudgement& target, const LinkJudgement* live)
{
    QString text = LinksTr::tr("%1: target %2").arg(day.toString(Qt::ISODate), LinkJudging::describe(target));
    if (live)
        text += LinksTr::tr("; short link %1").arg(LinkJudging::describe(*live));
    return text;
}

Result<void> recordChecks(const QString& app, const QList<LiveLink>& links, const LinkCheck& check, bool liveChecked)
{
    const QDate today = QDate::currentDate();
    if (std::all_of(links.cbegin(), links.cend(), [](const LiveLink& live) { return live.slug.isEmpty(); }))
        return {};
    return changeTable(
        app,
        [&](LinksTable& table) {
            bool changed = false;
            for (const LiveLink& live : links) {
                const LinkEntry* entry = table.find(live.slug);
                const LinkJudgement target = check.judgement(live.target);
                const LinkJudgement shortLink = check.liveJudgement(live.link);
                // Re-pointed while the check ran: what was judged is no longer what the link leads to.
                if (!entry || entry->link != live.link || entry->target != live.target || target.reason.isEmpty() ||
                    (liveChecked && shortLink.reason.isEmpty()))
                    continue;
                table.setLastCheck(live.slug, lastCheckText(today, target, liveChecked ? &shortLink : nullptr));
                changed = true;
            }
            return Result<bool>(changed);
        },
        true);
}
} // namespace ShortLinkStore
} // namespace orvanta::links
