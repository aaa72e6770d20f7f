#include "CliFolder.h"

#include "AppFolder.h"
#include "TestConfig.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <csignal>

CliFolder::CliFolder()
{
    if (app.isValid())
        copyProgramInto(app);
    // Whatever an earlier run left in the built folder is no work of this test.
    QDir output(AppFolder::outputFolder(app.path()));
    for (const QString& pdf : output.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        output.remove(pdf);
    QFile::copy(QStringLiteral(ORVANTA_TEST_APP_DIR "/campaigns/keto-cookbook-cover.png"),
                outside.filePath("cover.png"));
    QDir().mkpath(outside.filePath("pages"));
}

bool CliFolder::isValid() const
{
    return app.isValid() && outside.isValid() && QFile::exists(program()) &&
           QFile::exists(outside.filePath("cover.png"));
}

Campaign CliFolder::goodCampaign(const QString& pdfName) const
{
    Campaign campaign;
    campaign.review = QStringLiteral("Line one\r\nLine two");
    campaign.affiliateImagePath = outside.filePath("cover.png");
    campaign.ctaUrl = QStringLiteral("https://example.com/buy");
    campaign.catalogueEntry = QStringLiteral("Email List Blueprint");
    campaign.bonusInstructions = QStringLiteral("Mail us your receipt");
    campaign.pdfFileName = pdfName;
    return campaign;
}

QString CliFolder::save(const QString& name, const Campaign& campaign) const
{
    const QString path = outside.filePath(name);
    CampaignFile::write(path, campaign);
    return path;
}

void CliFolder::useRecordingConverter(const QByteArray& then) const
{
    app.useStandInConverter(recordingConverter(
        outside.filePath("pages"), then.isEmpty() ? QByteArray("printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$pdf\"") : then));
}

QString CliFolder::savedPage(const QString& pageName) const
{
    return outside.filePath("pages/" + pageName + ".html");
}

CliRun CliFolder::run(const QStringList& arguments) const
{
    return runProgram(program(), arguments);
}

QString copyProgramInto(const TestAppFolder& app)
{
    const QString built = QStringLiteral(ORVANTA_TEST_APP_DIR "/orvanta");
    const QString copy = app.file(QStringLiteral("orvanta"));
    // A copy, not a link: the program finds its folder through its own resolved path.
    if (QFile::copy(built, copy))
        QFile::setPermissions(copy, QFile::permissions(built));
    return copy;
}

CliRun runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    return CliFolder::resultOf(process);
}

QByteArray recordingConverter(const QString& pages, const QByteArray& then)
{
    return "for a; do html=$pdf; pdf=$a; done\ncp \"$html\" '" + pages.toUtf8() + "/'\n" + then;
}

CliRun CliFolder::resultOf(QProcess& process)
{
    CliRun result;
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    result.errors = process.readAllStandardError();
    return result;
}

QStringList CliFolder::leftovers() const
{
    QStringList found;
    QDirIterator temp(AppFolder::tempFolder(app.path()), {QStringLiteral(".job-*")},
                      QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    while (temp.hasNext())
        found << temp.next();
    QDirIterator output(AppFolder::outputFolder(app.path()), {QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden);
    while (output.hasNext())
        found << output.next();
    return found;
}

// A zombie has ended; whether this system's first process reaps it soon is not the program's doing.
bool processExists(qint64 pid)
{
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
        return false;
    const QByteArray stat = bytesOf(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.isEmpty() || !stat.mid(stat.lastIndexOf(')') + 2).startsWith('Z');
}
