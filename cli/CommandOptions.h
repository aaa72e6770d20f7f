#pragma once

#include "PdfRun.h"

#include <QList>
#include <QString>
#include <QStringList>

/** What a command line asks for, once every value given has passed its option's check. */
struct CommandParameters {
    bool help = false;
    /** Help that also names the window's options. */
    bool helpAll = false;
    bool version = false;
    bool create = false;
    /** The campaign files named on the command line, in the order given. */
    QStringList campaigns;
    /** The campaign lists in the order given; read when the run begins, '-' being the standard input. */
    QStringList lists;
    /** Absolute; empty for the application folder's output folder. */
    QString outputFolder;
    bool addBuiltInInstructions = false;
    int timeLimitMs = PdfRun::DefaultTimeLimitMs;
    int jobs = 1;
    /** The design every campaign is made in; empty keeps each campaign's own. */
    QString design;
    /** The converter every campaign is made with; empty keeps each campaign's own. */
    QString engine;
    /** The language every page declares; empty keeps each campaign's own. */
    QString language;
    /** Sheets of offers, one campaign per row, in the order given. */
    QStringList sheets;
    /** The campaign a sheet's rows fill in; empty for the window's start-up values. */
    QString baseCampaign;
    enum class LinkChecks { None, Report, Strict };
    LinkChecks linkChecks = LinkChecks::None;
    /** Also ask each live short link whether it redirects to its target. */
    bool liveLinkChecks = false;
    enum class Preflight { None, Report, Strict };
    Preflight preflight = Preflight::None;
    /** Print the short links' table. */
    bool links = false;
    /** The short link to point elsewhere; its new target is the one positional argument. */
    QString repointSlug;
    QString repointTarget;
    /** Count the clicks in the access logs given as the positional arguments. */
    bool clicks = false;
    QStringList logs;
    /** With --links: the CSV file the links are written to; empty prints them. */
    QString csvFile;
};

/**
 * One option of the command, declared once: its names, the name of its value, its help line and the check that
 * turns its values into parameters. The help, the parsing and the question whether a start is a command at all
 * read the same table.
 */
struct CommandOption {
    /** Takes every value given (or the default) into @p parameters; returns an error naming the option, or "". */
    using Apply = QString (*)(const QStringList& values, CommandParameters& parameters);

    QStringList names;
    QString valueName; ///< empty for a switch
    QString help;
    QString defaultValue;
    Apply apply = nullptr;
    /** For an option whose value may be left out: the value it then takes. */
    QString implicitValue;

    /** True when @p argument is this option, alone or with its value joined by '='. */
    bool isNamedBy(const QString& argument) const;
};

/** Every option of the command, help and version included. */
QList<CommandOption> commandOptions();

/** True when one of @p arguments (the program first) is an option of the command; "--" ends the options. */
bool isCommandLine(const QStringList& arguments);

struct ParsedCommand {
    CommandParameters parameters;
    /** A usage error, or empty. */
    QString error;
    QString helpText;
};

/** Parses @p arguments (the program first) and checks every value given. */
ParsedCommand parseCommand(const QStringList& arguments);
