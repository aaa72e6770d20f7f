#pragma once

#include "Campaign.h"
#include "TestAppFolder.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

/** What one run of the command left: its status, its lines, and whether it ended by a signal. */
struct CliRun {
    int exitCode = -1;
    bool crashed = false;
    QStringList lines;
    QByteArray errors;
};

/** A private application folder holding a copy of the program, and campaigns outside it. */
class CliFolder final {
public:
    CliFolder();

    bool isValid() const;
    QString program() const { return app.file(QStringLiteral("orvanta")); }
    /** A campaign that passes every check: cover outside the folder, the first catalogue bonus, PDF @p pdfName. */
    Campaign goodCampaign(const QString& pdfName) const;
    /** Writes @p campaign beside the others; returns its path. */
    QString save(const QString& name, const Campaign& campaign) const;
    /** A converter that keeps a copy of its input page in pages/, then runs @p then ("" for a small whole PDF). */
    void useRecordingConverter(const QByteArray& then = QByteArray()) const;
    QString savedPage(const QString& pageName) const;

    /** Runs the program with @p arguments and waits for its end. */
    CliRun run(const QStringList& arguments) const;
    static CliRun resultOf(QProcess& process);

    /** Files left in the job folders below temp and files in the output folder. */
    QStringList leftovers() const;

    TestAppFolder app;
    QTemporaryDir outside;
};

/** Copies the built program into @p app, where it takes that folder for its own; returns the copy's path. */
QString copyProgramInto(const TestAppFolder& app);
/** Runs @p program with @p arguments and waits for its end. */
CliRun runProgram(const QString& program, const QStringList& arguments);
/** A converter script that keeps a copy of its input page in @p pages, then runs @p then. */
QByteArray recordingConverter(const QString& pages, const QByteArray& then);

/** True while a process with @p pid exists. */
bool processExists(qint64 pid);
