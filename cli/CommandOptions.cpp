#include "CommandOptions.h"

#include "Campaign.h"
#include "CommandLineTr.h"
#include "EngineNames.h"
#include "PageLanguage.h"
#include "PositionalArguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <cmath>

using namespace orvanta::campaign;
using namespace orvanta::page;

namespace {
constexpr double longestTimeLimit = 24 * 3600;

QString takeHelp(const QStringList&, CommandParameters& parameters)
{
    parameters.help = true;
    return {};
}

QString takeHelpAll(const QStringList&, CommandParameters& parameters)
{
    parameters.help = parameters.helpAll = true;
    return {};
}

QString takeVersion(const QStringList&, CommandParameters& parameters)
{
    parameters.version = true;
    return {};
}

QString takeCreate(const QStringList&, CommandParameters& parameters)
{
    parameters.create = true;
    return {};
}

QString takeJobs(const QStringList& values, CommandParameters& parameters)
{
    bool ok = false;
    parameters.jobs = values.last().toInt(&ok);
    if (!ok || parameters.jobs < 1)
        return CommandLineTr::tr("--jobs needs a whole number of at least 1, not \"%1\".").arg(values.last());
    return {};
}

QString takeInstructions(const QStringList& values, CommandParameters& parameters)
{
    const QString& answer = values.last();
    if (answer != QLatin1String("yes") && answer != QLatin1String("no"))
        return CommandLineTr::tr("--instructions takes yes or no, not \"%1\".").arg(answer);
    parameters.addBuiltInInstructions = answer == QLatin1String("yes");
    return {};
}

// An empty name would make every campaign fail at its end, after all the converters ran.
QString takeOutput(const QStringList& values, CommandParameters& parameters)
{
    if (values.last().isEmpty())
        return CommandLineTr::tr("--output needs the name of a folder, not an empty one.");
    parameters.outputFolder = QDir::toNativeSeparators(QFileInfo(values.last()).absoluteFilePath());
    return {};
}

QString takeLists(const QStringList& values, CommandParameters& parameters)
{
    if (values.contains(QString()))
        return CommandLineTr::tr("--list needs the name of a file, or '-' for the standard input, not an empty one.");
    parameters.lists = values;
    return {};
}

QString takeSheets(const QStringList& values, CommandParameters& parameters)
{
    if (values.contains(QString()))
        return CommandLineTr::tr("--sheet needs the name of a CSV file, not an empty one.");
    parameters.sheets = values;
    return {};
}

QString takeBase(const QStringList& values, CommandParameters& parameters)
{
    if (values.last().isEmpty())
        return CommandLineTr::tr("--base needs the name of a campaign file, not an empty one.");
    parameters.baseCampaign = values.last();
    return {};
}

QString takeLinkChecks(const QStringList& values, CommandParameters& parameters)
{
    const QString& mode = values.last();
    QStringList words = mode.split(QLatin1Char(','));
    const bool strict = words.removeAll(QStringLiteral("strict")) == 1;
    const bool live = words.removeAll(QStringLiteral("live")) == 1;
    const bool plain = !strict && !live && words == QStringList{QStringLiteral("report")};
    if (!plain && (!words.isEmpty() || (!strict && !live)))
        return CommandLineTr::tr("--check-links takes no value or \"strict\", \"live\" or \"strict,live\", not \"%1\".")
            .arg(mode);
    parameters.linkChecks = strict ? CommandParameters::LinkChecks::Strict : CommandParameters::LinkChecks::Report;
    parameters.liveLinkChecks = live;
    return {};
}

QString takeLinks(const QStringList&, CommandParameters& parameters)
{
    parameters.links = true;
    return {};
}

QString takeClicks(const QStringList&, CommandParameters& parameters)
{
    parameters.clicks = true;
    return {};
}

QString takeCsv(const QStringList& values, CommandParameters& parameters)
{
    parameters.csvFile = QFileInfo(values.last()).absoluteFilePath();
    return {};
}

QString takeRepoint(const QStringList& values, CommandParameters& parameters)
{
    if (values.size() != 1 || values.last().isEmpty())
        return CommandLineTr::tr("--repoint needs one short link's name, followed by its new target.");
    parameters.repointSlug = values.last();
    return {};
}

QString takePreflight(const QStringList& values, CommandParameters& parameters)
{
    const QString& mode = values.last();
    if (mode != QLatin1String("report") && mode != QLatin1String("strict"))
        return CommandLineTr::tr("--preflight takes no value or \"strict\", not \"%1\".").arg(mode);
    parameters.preflight =
        mode == QLatin1String("strict") ? CommandParameters::Preflight::Strict : CommandParameters::Preflight::Report;
    return {};
}

// "nan" and "inf" read as numbers; neither is a limit, and below a second no converter even starts.
QString takeTimeLimit(const QStringList& values, CommandParameters& parameters)
{
    bool ok = false;
    const double seconds = values.last().toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 1 || seconds > longestTimeLimit)
        return CommandLineTr::tr("--time-limit needs a number of seconds from 1 up to %1 (a day), not \"%2\".")
            .arg(longestTimeLimit)
            .arg(values.last());
    parameters.timeLimitMs = int(std::lround(seconds * 1000));
    return {};
}

QString takeDesign(const QStringList& values, CommandParameters& parameters)
{
    if (values.last().trimmed().isEmpty())
        return CommandLineTr::tr("--design needs the name of a design, not an empty one.");
    parameters.design = values.last();
    return {};
}

QString takeEngine(const QStringList& values, CommandParameters& parameters)
{
    if (!EngineNames::names().contains(values.last()))
        return CommandLineTr::tr("--engine takes %1, not \"%2\".")
            .arg(EngineNames::names().join(QStringLiteral(" or ")), values.last());
    parameters.engine = values.last();
    return {};
}

QString takeLanguage(const QStringList& values, CommandParameters& parameters)
{
    if (!PageLanguage::isTag(values.last()))
        return CommandLineTr::tr("--language needs a language tag such as de or pt-BR, not \"%1\".").arg(values.last());
    parameters.language = values.last();
    return {};
}
} // namespace

bool CommandOption::isNamedBy(const QString& argument) const
{
    for (const QString& name : names) {
        if (name.size() == 1 ? argument == QLatin1Char('-') + name
                             : argument == QLatin1String("--") + name ||
                                   argument.startsWith(QLatin1String("--") + name + QLatin1Char('=')))
            return true;
    }
    return false;
}

QList<CommandOption> commandOptions()
{
    const QString processors = QString::number(QThread::idealThreadCount());
    const QString defaultSeconds = QString::number(PdfRun::DefaultTimeLimitMs / 1000);
    return {
        {{"?", "h", "help"}, {}, CommandLineTr::tr("Displays help on commandline options."), {}, takeHelp, {}},
        {{"help-all"}, {}, CommandLineTr::tr("Displays help, the window's options included."), {}, takeHelpAll, {}},
        {{"v", "version"}, {}, CommandLineTr::tr("Displays version information."), {}, takeVersion, {}},
        {{"create"},
         {},
         CommandLineTr::tr("Make the PDF of each CAMPAIGN file, as Create in the window would, and exit."),
         {},
         takeCreate,
         {}},
        {{"jobs"},
         QStringLiteral("N"),
         CommandLineTr::tr("Run up to N converters at once (default: %1, the processors).").arg(processors),
         processors,
         takeJobs,
         {}},
        {{"instructions"},
         QStringLiteral("yes|no"),
         CommandLineTr::tr(
             "For campaigns without bonus instructions: add the built-in ones (yes) or not (no, the default)."),
         QStringLiteral("no"),
         takeInstructions,
         {}},
        {{"output"},
         QStringLiteral("DIR"),
         CommandLineTr::tr("Write the PDFs to DIR (created when missing) instead of bin/output."),
         {},
         takeOutput,
         {}},
        {{"list"},
         QStringLiteral("FILE"),
         CommandLineTr::tr(
             "Also make the campaign files named in FILE, one per line ('-' reads them from the standard input). "
             "Given more than once, every list is read, in the order given."),
         {},
         takeLists,
         {}},
        {{"time-limit"},
         QStringLiteral("SECONDS"),
         CommandLineTr::tr("Stop a converter that runs longer than SECONDS, from 1 up to a day (default: %1).")
             .arg(defaultSeconds),
         defaultSeconds,
         takeTimeLimit,
         {}},
        {{"sheet"},
         QStringLiteral("FILE.csv"),
         CommandLineTr::tr(
             "Make one PDF per row of the sheet FILE.csv, whose header names campaign fields; the rows fill in the "
             "base campaign. Given more than once, every sheet is made, in the order given."),
         {},
         takeSheets,
         {}},
        {{"base"},
         QStringLiteral("CAMPAIGN"),
         CommandLineTr::tr(
             "The campaign file whose values a sheet's empty cells and missing columns keep (default: the window's "
             "start-up values)."),
         {},
         takeBase,
         {}},
        {{"check-links"},
         QStringLiteral("strict,live"),
         CommandLineTr::tr(
             "Request each affiliate link and delivery URL first and report the broken and unverified ones; the PDFs "
             "are made anyway, except with =strict, where a campaign with a broken link is not made. With =live each "
             "live short link is also asked whether it redirects to exactly its target."),
         {},
         takeLinkChecks,
         QStringLiteral("report")},
        {{"preflight"},
         QStringLiteral("strict"),
         CommandLineTr::tr(
             "Check each PDF once made (links and their tags, fonts, title, language, size, pictures, disclosure, "
             "contrast) and print one line per failed check; with =strict a failed check fails its campaign. The "
             "PDF is kept either way."),
         {},
         takePreflight,
         QStringLiteral("report")},
        {{"links"},
         {},
         CommandLineTr::tr("Print every short link: its name, target, campaign, PDF, last check and clicks."),
         {},
         takeLinks,
         {}},
        {{"csv"},
         QStringLiteral("FILE"),
         CommandLineTr::tr("With --links, write the links to FILE in the columns link managers import, and their "
                           "clicks per day beside it, as FILE's name ending in -clicks.csv."),
         {},
         takeCsv,
         {}},
        {{"clicks"},
         {},
         CommandLineTr::tr("Count the clicks on the short links in the access logs given (Apache's or nginx's, plain "
                           "or gzipped); a log read before counts once."),
         {},
         takeClicks,
         {}},
        {{"repoint"},
         QStringLiteral("SLUG"),
         CommandLineTr::tr(
             "Point the short link SLUG to the URL given after it, and rewrite the redirect files; no PDF changes."),
         {},
         takeRepoint,
         {}},
        {{"design"},
         QStringLiteral("NAME"),
         CommandLineTr::tr(
             "Make every campaign in the design NAME (Classic, or a folder below designs/) instead of its own."),
         {},
         takeDesign,
         {}},
        {{"engine"},
         QStringLiteral("NAME"),
         CommandLineTr::tr("Make every campaign with the converter NAME (%1) instead of its own.")
             .arg(EngineNames::names().join(QStringLiteral(" or "))),
         {},
         takeEngine,
         {}},
        {{"language"},
         QStringLiteral("TAG"),
         CommandLineTr::tr(
             "Declare every page and PDF in the language TAG (such as de or pt-BR) instead of the campaign's own."),
         {},
         takeLanguage,
         {}},
    };
}

bool isCommandLine(const QStringList& arguments)
{
    const QList<CommandOption> options = commandOptions();
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            return false;
        for (const CommandOption& option : options)
            if (option.isNamedBy(argument))
                return true;
    }
    return false;
}

namespace {
// QCommandLineParser knows no option whose value may be left out: a bare one is given its implicit value.
QStringList withImplicitValues(const QStringList& arguments, const QList<CommandOption>& options)
{
    QStringList given;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        optionsEnded = optionsEnded || argument == QLatin1String("--");
        QString taken = argument;
        for (const CommandOption& option : options)
            if (!optionsEnded && !option.implicitValue.isEmpty() && argument == "--" + option.names.last())
                taken += QLatin1Char('=') + option.implicitValue;
        given << taken;
    }
    return given;
}
} // namespace

ParsedCommand parseCommand(const QStringList& givenArguments)
{
    const QList<CommandOption> options = commandOptions();
    const QStringList arguments = withImplicitValues(givenArguments, options);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        CommandLineTr::tr("Makes review PDFs of campaign files without a window. Without options it "
                          "opens its window, and a campaign file given alone opens in it."));
    for (const CommandOption& option : options)
        parser.addOption(QCommandLineOption(option.names, option.help, option.valueName, option.defaultValue));
    parser.addPositionalArgument(QStringLiteral("CAMPAIGN"),
                                 CommandLineTr::tr("Campaign files (.%1) to make.").arg(CampaignFile::extension()),
                                 QStringLiteral("[CAMPAIGN...]"));
    ParsedCommand parsed;
    parsed.helpText = parser.helpText();
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    for (const CommandOption& option : options) {
        const QString& name = option.names.last();
        if (!parser.isSet(name) && option.defaultValue.isEmpty())
            continue;
        // A switch has no values to ask for, and Qt 6.8 warns on the standard error when asked.
        const QStringList values = option.valueName.isEmpty() ? QStringList() : parser.values(name);
        parsed.error = option.apply(values, parsed.parameters);
        // Help and version come first in the table and answer whatever else is given.
        if (!parsed.error.isEmpty() || parsed.parameters.help || parsed.parameters.version)
            return parsed;
    }
    parsed.error = takePositionals(parser.positionalArguments(), parsed.parameters);
    return parsed;
}
