#include "CommandLine.h"

#include "AppFolder.h"
#include "BatchCreate.h"
#include "CommandOptions.h"
#include "CommandReport.h"
#include "Designs.h"
#include "Leftovers.h"
#include "OrvantaConfig.h"
#include "StopSignals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("CommandLine", text);
}

constexpr int UsageError = 2;

void print(const QString& text)
{
    std::fputs(qPrintable(text), stdout);
}

int usageError(const QString& text)
{
    std::fprintf(stderr, "%s: %s\n%s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(text),
                 qPrintable(tr("Try '%1 --help' for more information.").arg(QCoreApplication::applicationName())));
    return UsageError;
}

QString noDisplay(const QString& campaignFile)
{
    if (campaignFile.isEmpty())
        return tr("There is no display to show the window on. To make the PDFs of campaign files without one, use "
                  "--create CAMPAIGN...");
    return tr("There is no display to open the campaign %1 in the window. To make its PDF without one, use "
              "--create %1")
        .arg(campaignFile);
}

std::optional<QStringList> readList(const QString& name, QString* error)
{
    QFile file;
    const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = tr("The campaign list %1 cannot be read: %2").arg(name, file.errorString());
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
        *error = tr("The campaign list %1 cannot be read: %2").arg(name, file.errorString());
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
    return settings;
}

int runBatch(QCoreApplication& app, const QStringList& campaigns, const JobSettings& settings, int jobs)
{
    int stoppedBy = 0;
    bool allMade = false;
    {
        BatchCreate batch(campaigns, settings, jobs);
        CommandReport report(batch, campaigns);
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
    if (!parameters.create)
        return usageError(tr("No command given: use --create to make PDFs of campaign files."));

    QStringList campaigns = parameters.campaigns;
    for (const QString& list : parameters.lists) {
        QString error;
        const std::optional<QStringList> listed = readList(list, &error);
        if (!listed)
            return usageError(error);
        campaigns << *listed;
    }
    if (campaigns.isEmpty())
        return usageError(tr("No campaign file given."));
    const JobSettings settings = settingsOf(parameters);
    // Said once, before any converter runs, rather than once for every campaign.
    if (!settings.design.isEmpty()) {
        const Design design = Designs::find(settings.app, settings.design);
        if (!design.usable())
            return usageError(design.problem);
    }
    // What a killed run left goes before this one starts; a living window's or job's files stay.
    Leftovers::sweep(settings.app);
    return runBatch(app, campaigns, settings, parameters.jobs);
}
} // namespace CommandLine
