#include "LinksCommand.h"

#include "CommandLineTr.h"
#include "CommandOptions.h"
#include "ShortLink.h"
#include "ShortLinks.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
// Tabs and line breaks in a campaign's name would shift the columns a script reads.
QString cell(QString text)
{
    return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}
} // namespace

namespace LinksCommand {
QString tableText(const QString& app, QString* error)
{
    const LinksTable::ReadResult read = ShortLinks::read(app);
    *error = read.error;
    QString text = QStringLiteral("slug\tshort link\ttarget\tcampaign\tpdf\tlast check\n");
    for (const LinkEntry& entry : read.table.entries())
        text += QStringList{entry.slug,           entry.link,      entry.target,
                            cell(entry.campaign), cell(entry.pdf), cell(entry.lastCheck)}
                    .join(QLatin1Char('\t')) +
                QLatin1Char('\n');
    return text;
}

int run(const QString& app, const CommandParameters& parameters)
{
    QString error;
    if (!parameters.repointSlug.isEmpty()) {
        error = ShortLinks::repoint(app, parameters.repointSlug, parameters.repointTarget);
        if (error.isEmpty())
            std::fputs(
                qPrintable(
                    CommandLineTr::tr("The short link \"%1\" now points to %2; the redirect files are rewritten.\n")
                        .arg(parameters.repointSlug, ShortLink::targetOf(parameters.repointTarget).valueOr({}))),
                stdout);
    } else {
        const QString text = tableText(app, &error);
        if (error.isEmpty())
            std::fputs(qPrintable(text), stdout);
    }
    if (!error.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return error.isEmpty() ? 0 : 1;
}
} // namespace LinksCommand
