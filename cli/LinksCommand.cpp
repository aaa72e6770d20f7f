#include "LinksCommand.h"

#include "AppFolder.h"
#include "ClickCounts.h"
#include "CommandLineTr.h"
#include "CommandOptions.h"
#include "FileToolkit.h"
#include "LinkRules.h"
#include "LinksExport.h"
#include "ShortLinkStore.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::links;

namespace {
// Tabs and line breaks would shift the columns a script reads, and a terminal obeys escape sequences; a table
// written before names were kept plain may hold them.
QString cell(const QString& text)
{
    return LinkRules::printable(text);
}

// "button 3, link 2": the channels a link's clicks came by.
QString channelsText(const QMap<QString, ClickDays>& channels)
{
    QStringList parts;
    for (auto channel = channels.cbegin(); channel != channels.cend(); ++channel) {
        qint64 sum = 0;
        for (const qint64 clicks : *channel)
            sum += clicks;
        parts << cell(channel.key()) + QLatin1Char(' ') + QString::number(sum);
    }
    return parts.join(QStringLiteral(", "));
}
} // namespace

namespace LinksCommand {
Result<QString> tableText(const QString& app)
{
    const Result<LinksTable> read = ShortLinkStore::read(app);
    if (!read)
        return read.failure();
    const Result<ClickCounts> counts = ClickCounts::read(AppFolder::clicksPath(app));
    if (!counts)
        return counts.failure();
    // The last 30 days, today's included, in UTC as the logs' days are.
    const QDate since = QDateTime::currentDateTimeUtc().date().addDays(-29);
    QString text =
        QStringLiteral("slug\tshort link\ttarget\tcampaign\tpdf\tlast check\tclicks\tlast 30 days\tby channel\n");
    for (const LinkEntry& entry : read->entries())
        text += QStringList{cell(entry.slug),
                            cell(entry.link),
                            cell(entry.target),
                            cell(entry.campaign),
                            cell(entry.pdf),
                            cell(entry.lastCheck),
                            QString::number(counts->total(entry.slug)),
                            QString::number(counts->total(entry.slug, since)),
                            channelsText(counts->of(entry.slug))}
                    .join(QLatin1Char('\t')) +
                QLatin1Char('\n');
    return text;
}

int run(const QString& app, const CommandParameters& parameters)
{
    Result<void> done;
    if (!parameters.repointSlug.isEmpty()) {
        done = ShortLinkStore::repoint(app, parameters.repointSlug, parameters.repointTarget);
        if (done)
            std::fputs(
                qPrintable(
                    CommandLineTr::tr("The short link \"%1\" now points to %2; the redirect files are rewritten.\n")
                        .arg(parameters.repointSlug, LinkRules::targetOf(parameters.repointTarget).valueOr({}))),
                stdout);
    } else if (!parameters.csvFile.isEmpty()) {
        done = LinksExport::write(app, parameters.csvFile);
        if (done)
            std::fputs(qPrintable(CommandLineTr::tr("The short links are written to %1, their clicks per day to %2.\n")
                                      .arg(quotedPath(parameters.csvFile),
                                           quotedPath(LinksExport::clicksFileOf(parameters.csvFile)))),
                       stdout);
    } else {
        const Result<QString> text = tableText(app);
        if (text)
            std::fputs(qPrintable(*text), stdout);
        else
            done = text.failure();
    }
    if (!done)
        std::fprintf(stderr, "%s\n", qPrintable(done.error()));
    return done ? 0 : 1;
}
} // namespace LinksCommand
