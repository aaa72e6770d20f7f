#include "LinksCommand.h"

#include "CommandLineTr.h"
#include "CommandOptions.h"
#include "LinkRules.h"
#include "ShortLinkStore.h"

#include <QCoreApplication>

#include <cstdio>

using namespace orvanta::campaign;
using namespace orvanta::links;

namespace {
// Tabs and line breaks would shift the columns a script reads, and a terminal obeys escape sequences; a table
// written before names were kept plain may hold them.
QString cell(const QString& text)
{
    return LinkRules::printable(text);
}
} // namespace

namespace LinksCommand {
Result<QString> tableText(const QString& app)
{
    const Result<LinksTable> read = ShortLinkStore::read(app);
    if (!read)
        return read.failure();
    QString text = QStringLiteral("slug\tshort link\ttarget\tcampaign\tpdf\tlast check\n");
    for (const LinkEntry& entry : read->entries())
        text += QStringList{cell(entry.slug),     cell(entry.link), cell(entry.target),
                            cell(entry.campaign), cell(entry.pdf),  cell(entry.lastCheck)}
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
