#include "EngineReport.h"

#include "EngineTr.h"
#include "PageBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

using namespace orvanta::page;
using namespace orvanta::engine;

namespace orvanta::engine {
namespace {
constexpr int ShownRefusals = 5;
// A data address may be megabytes long; its start says enough.
constexpr int LongestShown = 200;

// Only what the converter says about loads counts; its progress bars share the lines.
QStringList reportLines(const QString& output)
{
    static const QRegularExpression breaks(QStringLiteral("[\r\n]+"));
    QStringList lines;
    for (const QString& line : output.split(breaks, Qt::SkipEmptyParts)) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("Error: ")) || trimmed.startsWith(QLatin1String("Warning: ")))
            lines << trimmed;
    }
    return lines;
}

QString blockedUnnamed()
{
    return EngineTr::tr("a file outside the page's folder");
}

bool isInside(const QString& path, const QStringList& folders)
{
    const QFileInfo file(path);
    const QString real = file.exists() ? file.canonicalFilePath() : QDir::cleanPath(file.absoluteFilePath());
    for (const QString& folder : folders) {
        const QString inside = QFileInfo(folder).canonicalFilePath();
        if (!inside.isEmpty() && real.startsWith(inside + QLatin1Char('/')))
            return true;
    }
    return false;
}

// The address a line names as not loaded; empty when it names none. A blocked file makes the converter fail an
// about:blank in its place, which is no load of the page's. Inside the sandbox a file outside the page's folders
// does not exist, so the converter blocks it without a name.
QString refusedIn(const QString& line)
{
    if (line == QLatin1String("Warning: Blocked access to file"))
        return blockedUnnamed();
    static const QRegularExpression patterns[] = {
        QRegularExpression(QStringLiteral("^Warning: Blocked access to file (.+)$")),
        QRegularExpression(QStringLiteral("^Error: Failed to load (.+), with network status code")),
        QRegularExpression(QStringLiteral("^Warning: Failed to load (.+) \\(ignore\\)$"))};
    for (const QRegularExpression& pattern : patterns) {
        const QRegularExpressionMatch match = pattern.match(line);
        if (match.hasMatch())
            return match.captured(1) == QLatin1String("about:blank") ? QString() : match.captured(1);
    }
    return {};
}
} // namespace

QString leftItselfMessage(const QString& htmlPath, const QString& address)
{
    if (address.isEmpty())
        return EngineTr::tr("The page %1 tried to leave itself for another address, so no PDF was made.").arg(htmlPath);
    return EngineTr::tr("The page %1 tried to leave itself for %2, so no PDF was made.")
        .arg(htmlPath, refusedName(address));
}

bool isPageTailScript(const QString& url)
{
    return url.contains(QLatin1String("://")) && !url.startsWith(QLatin1String("file:")) && pageTail().contains(url);
}

bool isPageTailScriptOf(const QUrl& page, const QString& url)
{
    const QUrl asked(url);
    for (const QString& script : pageTailScripts()) {
        if (page.resolved(QUrl(script)) == asked)
            return true;
    }
    return false;
}

QString refusedName(const QString& url)
{
    const QUrl parsed(url);
    const QString name = parsed.isLocalFile() && parsed.host().isEmpty() ? parsed.toLocalFile() : url;
    return name.size() > LongestShown ? name.left(LongestShown) + QStringLiteral("…") : name;
}

QStringList outsideFilesNamed(const QString& html, const QUrl& page, const QStringList& folders)
{
    static const QRegularExpression loads(
        QStringLiteral("<(?:img|script|iframe|frame|embed|source|video|audio|track|input|object|link)\\b[^>]*?\\s"
                       "(?:src|href|data|poster)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))|"
                       "url\\(\\s*[\"']?([^\"')]+)"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList files;
    for (const QRegularExpressionMatch& match : loads.globalMatch(html)) {
        QString asked;
        for (int group = 1; group <= 4 && asked.isEmpty(); ++group)
            asked = match.captured(group).trimmed();
        const QUrl url = page.resolved(QUrl(asked));
        if (asked.isEmpty() || !url.isLocalFile() || !url.host().isEmpty())
            continue;
        const QString path = url.toLocalFile();
        if (!isInside(path, folders) && !files.contains(path))
            files << path;
    }
    return files;
}

QStringList converterRefusals(const QString& output, const QStringList& unnamed)
{
    QStringList refused;
    qsizetype nextName = 0;
    for (const QString& line : reportLines(output)) {
        QString address = refusedIn(line);
        if (address == blockedUnnamed()) {
            while (nextName < unnamed.size() && refused.contains(unnamed.at(nextName)))
                ++nextName;
            if (nextName < unnamed.size())
                address = unnamed.at(nextName++);
        }
        if (!address.isEmpty() && !isPageTailScript(address) && !refused.contains(address))
            refused << address;
    }
    return refused;
}

// The converter names its own page as failed when the page went elsewhere: the page was written whole for it. The
// address it went for fails just before, or is a file blocked just before its stand-in about:blank.
ConverterLeave converterLeave(const QString& output)
{
    static const QRegularExpression failedPage(QStringLiteral("^Error: Failed loading page (\\S+)"));
    const QStringList lines = reportLines(output);
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = failedPage.match(lines.at(i));
        if (!match.hasMatch())
            continue;
        ConverterLeave leave{true, refusedName(match.captured(1)), {}};
        const QString before = i > 0 ? refusedIn(lines.at(i - 1)) : QString();
        const bool standIn = i > 0 && lines.at(i - 1).startsWith(QLatin1String("Error: Failed to load about:blank"));
        if (!before.isEmpty() && lines.at(i - 1).startsWith(QLatin1String("Error: ")))
            leave.address = before;
        else if (standIn && i > 1 && lines.at(i - 2).startsWith(QLatin1String("Warning: Blocked access to file ")))
            leave.address = refusedIn(lines.at(i - 2));
        return leave;
    }
    return {};
}

QStringList refusedLines(const QStringList& refused)
{
    if (refused.isEmpty())
        return {};
    QStringList lines{EngineTr::tr("The page asked for what was not loaded; the PDF is without it:")};
    for (const QString& url : refused.mid(0, ShownRefusals))
        lines << QStringLiteral("  ") + refusedName(url);
    if (refused.size() > ShownRefusals)
        lines << EngineTr::tr("  and %n more", nullptr, int(refused.size() - ShownRefusals));
    return lines;
}

QStringList engineSaid(const QString& engineNote, const QStringList& refused)
{
    QStringList lines = refusedLines(refused);
    if (!engineNote.isEmpty())
        lines.prepend(engineNote);
    return lines;
}
} // namespace orvanta::engine
