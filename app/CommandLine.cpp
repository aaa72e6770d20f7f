#include "CommandLine.h"

#include "AppFolder.h"
#include "BatchCreate.h"
#include "Branding.h"
#include "CommandReport.h"
#include "StopSignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("CommandLine", text);
}

constexpr int UsageError = 2;

const char* const commandOptions[] = {"--create", "--jobs",       "--instructions", "--output",
                                      "--list",   "--time-limit", "--help",         "-h",
                                      "-?",       "--help-all",   "--version",      "-v"};

struct Options {
    QCommandLineOption create{QStringLiteral("create"),
                              tr("Make the PDF of each CAMPAIGN file, as Create in the window would, and exit.")};
    QCommandLineOption jobs{
        QStringLiteral("jobs"),
        tr("Run up to N converters at once (default: %1, the processors).").arg(QThread::idealThreadCount()),
        QStringLiteral("N"), QString::number(QThread::idealThreadCount())};
    QCommandLineOption instructions{
        QStringLiteral("instructions"),
        tr("For campaigns without bonus instructions: add the built-in ones (yes) or not (no, the default)."),
        QStringLiteral("yes|no"), QStringLiteral("no")};
    QCommandLineOption output{QStringLiteral("output"),
                              tr("Write the PDFs to DIR (created when missing) instead of bin/output."),
                              QStringLiteral("DIR")};
    QCommandLineOption list{QStringLiteral("list"),
                            tr("Also make the campaign files named in FILE, one per line ('-' reads them from the "
                               "standard input)."),
                            QStringLiteral("FILE")};
    QCommandLineOption timeLimit{QStringLiteral("time-limit"),
                                 tr("Stop a converter that runs longer than SECONDS (default: %1).")
                                     .arg(ConverterRun::DefaultTimeLimitMs / 1000),
                                 QStringLiteral("SECONDS"), QString::number(ConverterRun::DefaultTimeLimitMs / 1000)};
};

int usageError(const QString& text)
{
    std::fprintf(stderr, "%s: %s\n%s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(text),
                 qPrintable(tr("Try '%1 --help' for more information.").arg(QCoreApplication::applicationName())));
    return UsageError;
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

/** The settings the parsed options ask for, or an error text. */
QString settingsFrom(const QCommandLineParser& parser, const Options& options, JobSettings* settings, int* jobs)
{
    bool ok = false;
    *jobs = parser.value(options.jobs).toInt(&ok);
    if (!ok || *jobs < 1)
        return tr("--jobs needs a whole number of at least 1, not \"%1\".").arg(parser.value(options.jobs));
    const QString answer = parser.value(options.instructions);
    if (answer != QLatin1String("yes") && answer != QLatin1String("no"))
        return tr("--instructions takes yes or no, not \"%1\".").arg(answer);
    settings->addBuiltInInstructions = answer == QLatin1String("yes");
    const double seconds = parser.value(options.timeLimit).toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 24 * 3600)
        return tr("--time-limit needs a number of seconds above 0 and up to a day, not \"%1\".")
            .arg(parser.value(options.timeLimit));
    settings->timeLimitMs = qRound(seconds * 1000);
    settings->app = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    settings->outputFolder = parser.isSet(options.output)
                                 ? QDir::toNativeSeparators(QFileInfo(parser.value(options.output)).absoluteFilePath())
                                 : AppFolder::outputFolder(settings->app);
    return {};
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
bool isCommand(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            return false;
        for (const char* option : commandOptions)
            if (argument == option || argument.startsWith(QByteArray(option) + '='))
                return true;
    }
    return false;
}

int run(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(Branding::version());
    Options options;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("%1 makes review PDFs. Without options it opens its window.").arg(Branding::applicationName()));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(
        {options.create, options.jobs, options.instructions, options.output, options.list, options.timeLimit});
    parser.addPositionalArgument(QStringLiteral("CAMPAIGN"),
                                 tr("Campaign files (.%1) to make.").arg(CampaignFile::extension()),
                                 QStringLiteral("[CAMPAIGN...]"));
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (!parser.isSet(options.create))
        return usageError(tr("No command given: use --create to make PDFs of campaign files."));

    QStringList campaigns = parser.positionalArguments();
    QString error;
    if (parser.isSet(options.list)) {
        const std::optional<QStringList> listed = readList(parser.value(options.list), &error);
        if (!listed)
            return usageError(error);
        campaigns << *listed;
    }
    if (campaigns.isEmpty())
        return usageError(tr("No campaign file given."));
    JobSettings settings;
    int jobs = 1;
    error = settingsFrom(parser, options, &settings, &jobs);
    if (!error.isEmpty())
        return usageError(error);
    return runBatch(app, campaigns, settings, jobs);
}
} // namespace CommandLine
