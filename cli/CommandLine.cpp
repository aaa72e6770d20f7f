#include "CommandLine.h"

#include "AppFolder.h"
#include "BatchCreate.h"
#include "ClicksCommand.h"
#include "CommandLineTr.h"
#include "CommandOptions.h"
#include "CommandReport.h"
#include "Designs.h"
#include "EngineStarter.h"
#include "JobSources.h"
#include "Leftovers.h"
#include "LinkCheck.h"
#include "LinksCommand.h"
#include "OrvantaConfig.h"
#include "SheetReader.h"
#include "ShortLinkStore.h"
#include "StopSignals.h"
#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <optional>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::links;
using namespace orvanta::run;

namespace {
constexpr int UsageError = 2;

void print(const QString& text)
{
    std::fputs(qPrintable(text), stdout);
}

int usageError(const QString& text)
{
    std::fprintf(
        stderr, "%s: %s\n%s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(text),
        qPrintable(
            CommandLineTr::tr("Try '%1 --help' for more information.").arg(QCoreApplication::applicationName())));
    return UsageError;
}

QString noDisplay(const QString& campaignFile)
{
    if (campaignFile.isEmpty())
        return CommandLineTr::tr(
            "There is no display to show the window on. To make the PDFs of campaign files without one, use "
            "--create CAMPAIGN...");
    return CommandLineTr::tr(
               "There is no display to open the campaign %1 in the window. To make its PDF without one, use "
               "--create %1")
        .arg(campaignFile);
}

std::optional<QStringList> readList(const QString& name, QString* error)
{
    QFile file;
    const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = CommandLineTr::tr("The campaign list %1 cannot be read: %2").arg(name, file.errorString());
        return std::nullopt;
    }
    QStringList campaigns;
    // Names as the shell would pass them; only a line end from another system goes.
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            campaigns << QFile::decodeName(line);
    }
    if (file.error() != QFile::NoError) {
        *error = CommandLineTr::tr("The campaign list %1 cannot be read: %2").arg(name, file.errorString());
        return std::nullopt;
    }
    return campaigns;
}

JobSettings settingsOf(const CommandParameters& parameters)
{
    JobSettings settings;
    settings.app = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    settings.outputFolder =
        parameters.outputFolder.isEmpty() ? AppFolder::outputFolder(settings.app) : parameters.outputFolder;
    settings.addBuiltInInstructions = parameters.addBuiltInInstructions;
    settings.timeLimitMs = parameters.timeLimitMs;
    settings.design = parameters.design;
    settings.preflight = parameters.preflight != CommandParameters::Preflight::None;
    settings.strictPreflight = parameters.preflight == CommandParameters::Preflight::Strict;
    settings.engine = parameters.engine;
    settings.language = parameters.language;
    return settings;
}

void printError(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

/** Every row of every sheet as a job; a refused sheet is one job that fails with the reason. */
std::optional<QList<JobSource>> sheetSources(const CommandParameters& parameters, QString* error)
{
    Campaign base;
    if (!parameters.baseCampaign.isEmpty()) {
        const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(parameters.baseCampaign);
        if (!read.ok()) {
            *error = read.error();
            return std::nullopt;
        }
        base = read->campaign;
    }
    QList<JobSource> sources;
    for (const QString& path : parameters.sheets) {
        const Sheet sheet = SheetReader::read(path, base);
        if (!sheet.error.isEmpty())
            sources << JobSource{path, {}, std::nullopt, sheet.error, {}};
        if (!sheet.unknownColumns.isEmpty())
            printError(CommandLineTr::tr("%1: the columns %2 are no campaign fields; their cells were left out.")
                           .arg(path, sheet.unknownColumns.join(QStringLiteral(", "))));
        sources << sheetJobs(sheet, path) << sheetListJobs(sheet, path);
    }
    return sources;
}

/**
 * Checks the links of every source that has a campaign, with @p live its live short link too, and keeps what was
 * found in the links table; with @p strict, one with a broken link is not made.
 */
void checkLinks(QCoreApplication& app, QList<JobSource>& sources, const JobSettings& settings, bool strict, bool live)
{
    const QList<QStringList> links = linksOfSources(sources, settings);
    const QList<QList<LiveLink>> shortLinks = shortLinksOfSources(sources, settings);
    LinkCheck check;
    check.start(linksToCheck(links, shortLinks), live ? allOf(shortLinks) : QList<LiveLink>());
    // With nothing to ask the check ends at once; a quit queued then would end the run that follows instead.
    if (check.isRunning()) {
        QObject::connect(&check, &LinkCheck::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        app.exec();
    }
    const Result<void> kept = ShortLinkStore::recordChecks(settings.app, allOf(shortLinks), check, live);
    if (!kept)
        printError(kept.error());
    const LinkReport report = reportLinks(links, check, live ? shortLinks : QList<QList<LiveLink>>());
    QStringList names;
    for (const JobSource& source : std::as_const(sources))
        names << source.name;
    for (const QString& line : report.lines(names))
        printError(line);
    if (!strict)
        return;
    for (const LinkReport::Finding& finding : report.notWorking) {
        QString& problem = sources[finding.source].problem;
        // A short link goes live when its redirect files are uploaded, after its PDF is made: it holds no PDF back.
        const QList<LiveLink>& own = shortLinks.at(finding.source);
        const bool isShort = std::any_of(own.cbegin(), own.cend(),
                                         [&finding](const LiveLink& live) { return live.link == finding.link; });
        if (finding.judgement.verdict == LinkVerdict::Broken && problem.isEmpty() && !isShort)
            problem = CommandLineTr::tr("Not made: the link %1 is %2 (--check-links=strict).")
                          .arg(finding.link, LinkJudging::describe(finding.judgement));
    }
}

int runBatch(QCoreApplication& app, const QList<JobSource>& sources, const JobSettings& settings, int jobs)
{
    int stoppedBy = 0;
    bool allMade = false;
    {
        BatchCreate batch(EngineStarter::direct(), sources, settings, jobs);
        QStringList names;
        QList<bool> rows;
        for (const JobSource& source : sources) {
            names << source.name;
            rows << (source.campaignPath.isEmpty() || source.list);
        }
        CommandReport report(batch, names, rows);
        StopSignals stopSignals;
        QObject::connect(&stopSignals, &StopSignals::stopRequested, &batch, &BatchCreate::stop);
        QObject::connect(&batch, &BatchCreate::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        QTimer::singleShot(0, &batch, &BatchCreate::start);
        app.exec();
        report.end();
        stoppedBy = stopSignals.received();
        allMade = batch.allMade();
    }
    // Only now, with every job and its private folder gone.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (stoppedBy != 0)
        return StopSignals::endAsStopped(stoppedBy);
    return allMade ? 0 : 1;
}
} // namespace

namespace CommandLine {
int run(int argc, char* argv[], const FrontEnd::Choice& choice)
{
    QCoreApplication app(argc, argv);
    // The command line speaks the window's language: both install the one loader's catalogues.
    Translations::install(QLocale::system().uiLanguages());
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    if (choice.kind == FrontEnd::Kind::WindowWithoutDisplay)
        return usageError(noDisplay(choice.campaignFile));
    const ParsedCommand parsed = parseCommand(choice.commandArguments);
    if (!parsed.error.isEmpty())
        return usageError(parsed.error);
    const CommandParameters& parameters = parsed.parameters;
    if (parameters.help) {
        print(parsed.helpText);
        if (parameters.helpAll)
            print(QLatin1Char('\n') + FrontEnd::windowOptionsHelp());
        return 0;
    }
    if (parameters.version) {
        print(QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion() +
              QLatin1Char('\n'));
        return 0;
    }
    if (parameters.clicks)
        return ClicksCommand::run(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()), parameters.logs);
    if (parameters.links || !parameters.repointSlug.isEmpty())
        return LinksCommand::run(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()), parameters);
    if (!parameters.create && parameters.sheets.isEmpty())
        return usageError(
            CommandLineTr::tr("No command given: use --create to make PDFs of campaign files, or --sheet for the "
                              "rows of a sheet."));

    QStringList campaigns = parameters.campaigns;
    for (const QString& list : parameters.lists) {
        QString error;
        const std::optional<QStringList> listed = readList(list, &error);
        if (!listed)
            return usageError(error);
        campaigns << *listed;
    }
    if (campaigns.isEmpty() && parameters.sheets.isEmpty())
        return usageError(CommandLineTr::tr("No campaign file given."));
    // A base without a sheet would be ignored without a word.
    if (!parameters.baseCampaign.isEmpty() && parameters.sheets.isEmpty())
        return usageError(
            CommandLineTr::tr("--base names the campaign a sheet's rows fill in; give the sheet with --sheet."));
    QList<JobSource> sources;
    for (const QString& campaign : std::as_const(campaigns))
        sources << JobSource::file(campaign);
    QString error;
    const std::optional<QList<JobSource>> rows = sheetSources(parameters, &error);
    if (!rows) {
        printError(error);
        return 1;
    }
    sources << *rows;
    const JobSettings settings = settingsOf(parameters);
    // Said once, before any converter runs, rather than once for every campaign.
    if (!settings.design.isEmpty()) {
        const Design design = Designs::find(settings.app, settings.design);
        if (!design.usable())
            return usageError(design.problem);
    }
    // Two rows with one slug: the second is refused before its PDF carries the first one's link.
    claimSlugs(sources, settings);
    if (parameters.linkChecks != CommandParameters::LinkChecks::None)
        checkLinks(app, sources, settings, parameters.linkChecks == CommandParameters::LinkChecks::Strict,
                   parameters.liveLinkChecks);
    // What a killed run left goes before this one starts; a living window's or job's files stay.
    Leftovers::sweep(settings.app);
    return runBatch(app, sources, settings, parameters.jobs);
}
} // namespace CommandLine
