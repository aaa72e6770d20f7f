#include "Converter.h"

#include "AppFolder.h"
#include "ChildTie.h"
#include "EngineFingerprint.h"
#include "EngineReport.h"
#include "EngineShared.h"
#include "FileToolkit.h"
#include "Sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>

using namespace orvanta::files;
using namespace orvanta::engine;
#endif

namespace orvanta::engine {
namespace {
QString resolveProgram(const QString& program)
{
    if (QFileInfo(program).isFile())
        return program;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("wkhtmltopdf"));
    return onPath.isEmpty() ? program : onPath;
}

// Signals that stop a program on purpose, as a user, a service manager or the system's memory guard sends them; a
// crash raises others.
bool isStopSignal(int signal)
{
#ifdef Q_OS_UNIX
    return signal == SIGTERM || signal == SIGKILL || signal == SIGINT || signal == SIGHUP || signal == SIGQUIT;
#else
    Q_UNUSED(signal);
    return false;
#endif
}

QByteArray readPdfEnds(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(8);
    if (file.size() > 64)
        file.seek(file.size() - 64);
    return head + "..." + file.readAll();
}
} // namespace

// The page's values come verbatim from whoever wrote the campaign, and the converter runs their scripts: with
// the whole disk open, a script could copy any of the user's files into the PDF. The page may read its own
// folder, and the real assets folder, since a private folder's "assets" is a link and the converter checks
// where a link leads.
// The network is shut the same way: no page needs it for its PDF (the page's remote script changes nothing in
// it), and a request to a local or intranet server would print that server's answer into the PDF.
QString ConverterCommand(const QString& app, const QString& htmlPath, const QString& pdfPath)
{
    const QString pageFolder = QDir::toNativeSeparators(QFileInfo(htmlPath).absolutePath());
    return quotedPath(AppFolder::converterPath(app)) + QStringLiteral("  --disable-local-file-access --allow ") +
           quotedPath(pageFolder) + QStringLiteral(" --allow ") + quotedPath(AppFolder::assetsFolder(app)) +
           QStringLiteral(" --proxy ") + refusingProxy() + QStringLiteral(" --page-width 210mm --page-height 5000mm ") +
           quotedPath(htmlPath) + QLatin1Char(' ') + quotedPath(pdfPath);
}
} // namespace orvanta::engine

ConverterRun::ConverterRun(QObject* parent)
    : PdfRun(parent)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
#ifdef Q_OS_UNIX
    // A group of its own, so a stop ends whatever the converter started too; tied to this program's life, so a
    // killed or crashed Orvanta leaves no converter writing on.
    m_process.setChildProcessModifier([parent = long(::getpid())] { tieChildToParent(parent); });
#endif
    m_timeLimit.setSingleShot(true);
    connect(&m_process, &QProcess::finished, this, &ConverterRun::onProcessFinished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        // QProcess may report this from inside start(), before the caller has connected to finished().
        if (error == QProcess::FailedToStart)
            QTimer::singleShot(0, this, [this] { finish(fail(startFailure())); });
    });
    connect(&m_timeLimit, &QTimer::timeout, this, &ConverterRun::onTimeLimit);
}

// A run dropped midway (its window closed) leaves no half PDF behind.
ConverterRun::~ConverterRun()
{
    cancel();
}

void ConverterRun::start(const QString& commandLine, const QString& pdfPath, int timeLimitMs)
{
    QStringList arguments = splitCommandLine(commandLine);
    m_program = arguments.isEmpty() ? QString() : resolveProgram(arguments.takeFirst());
    m_pdfPath = pdfPath;
    m_started = true;
    const QString folder = QFileInfo(pdfPath).absolutePath();
    // The converter reports success without writing anything into a missing folder.
    const Result<void> made = makeOutputFolder(folder);
    if (!made) {
        QTimer::singleShot(0, this, [this, error = made.error()] { finish(fail(error)); });
        return;
    }
    m_timeLimit.start(timeLimitMs);
    startProcess(arguments);
}

// The converter reads the folders it is allowed and its page's, and writes only the PDF's folder. A program that
// is missing or cannot run is started bare, so its failure names it rather than the sandbox.
void ConverterRun::startProcess(const QStringList& arguments)
{
    const QFileInfo program(m_program);
    if (!program.isFile() || !program.isExecutable())
        return m_process.start(m_program, arguments);
    SandboxBinds binds;
    for (qsizetype at = arguments.indexOf(QStringLiteral("--allow")); at >= 0 && at + 1 < arguments.size();
         at = arguments.indexOf(QStringLiteral("--allow"), at + 2))
        binds.readable << arguments.at(at + 1);
    m_allowed = binds.readable;
    if (arguments.size() >= 2) {
        m_htmlPath = arguments.at(arguments.size() - 2);
        binds.readable << QFileInfo(m_htmlPath).absolutePath();
    }
    binds.writable << QFileInfo(m_pdfPath).absolutePath();
    const SandboxedCommand command = Sandbox::wrap(m_program, arguments, binds);
    if (command.refused()) {
        QTimer::singleShot(0, this, [this, why = command.refusal] { finish(fail(why)); });
        return;
    }
    m_sandboxed = command.sandboxed();
    setSandboxNote(command.note);
    m_process.start(command.program, command.arguments);
}

bool ConverterRun::isRunning() const
{
    return m_started && !m_done;
}

void ConverterRun::cancel()
{
    const bool midway = isRunning();
    m_done = true;
    m_timeLimit.stop();
    if (m_process.state() != QProcess::NotRunning) {
        stopProcessTree();
        m_process.waitForFinished(1000);
    }
    // Whatever a stopped converter wrote is unfinished.
    if (midway)
        QFile::remove(m_pdfPath);
}

void ConverterRun::onProcessFinished(int exitCode, QProcess::ExitStatus status)
{
    if (!m_done)
        finish(judge(exitCode, status));
}

void ConverterRun::onTimeLimit()
{
    stopProcessTree();
    finish(fail(tr("The converter %1 did not finish within %2 seconds and was stopped.")
                    .arg(m_program)
                    .arg(m_timeLimit.interval() / 1000.0)));
}

// The page's remote script usually fails offline; only the bytes on disk tell whether the PDF is whole. A page
// that went elsewhere is no PDF of its own, whatever was written.
RenderResult ConverterRun::judge(int exitCode, QProcess::ExitStatus status)
{
    const QString output = QString::fromLocal8Bit(m_process.readAll());
    const ConverterLeave leave = converterLeave(output);
    if (leave.left)
        return fail(leftItselfMessage(leave.page, leave.address));
    const bool written = pdfWritten();
    if (written && isWholePdf(readPdfEnds(m_pdfPath)))
        return RenderedPdf{converterRefusals(output, unnamedRefusals())};

    QString what;
    const int signal = status == QProcess::CrashExit                     ? exitCode
                       : m_sandboxed && Sandbox::endedBySignal(exitCode) ? exitCode - 128
                                                                         : 0;
    if (isStopSignal(signal))
        what = tr("The converter %1 was stopped from outside Orvanta (signal %2) before it finished: by another "
                  "program, the system or a user. Create again to make the PDF.")
                   .arg(m_program)
                   .arg(signal);
    else if (signal > 0 || status == QProcess::CrashExit)
        what = tr("The converter %1 crashed.").arg(m_program);
    else if (!written)
        what = tr("The converter %1 wrote no PDF to %2 (exit code %3).").arg(m_program, m_pdfPath).arg(exitCode);
    else if (QFile::remove(m_pdfPath))
        what = tr("The converter %1 wrote an incomplete PDF to %2 (exit code %3); the incomplete file was "
                  "removed.")
                   .arg(m_program, m_pdfPath)
                   .arg(exitCode);
    else
        what = tr("The converter %1 wrote an incomplete PDF to %2 (exit code %3).")
                   .arg(m_program, m_pdfPath)
                   .arg(exitCode);
    const QString last = lastOutputLines(output);
    return fail(last.isEmpty() ? what : what + QLatin1Char('\n') + tr("Its last output:") + QLatin1Char('\n') + last);
}

// The converter reads the page's folder as well as those it is allowed.
QStringList ConverterRun::unnamedRefusals() const
{
    if (!m_sandboxed || m_htmlPath.isEmpty())
        return {};
    const Result<QByteArray> page = readBounded(m_htmlPath, MaxPageBytes);
    if (!page)
        return {};
    return outsideFilesNamed(QString::fromUtf8(*page), QUrl::fromLocalFile(QFileInfo(m_htmlPath).absoluteFilePath()),
                             m_allowed + QStringList{QFileInfo(m_htmlPath).absolutePath()});
}

// "Missing" and "not executable" need different remedies, so the message tells them apart.
QString ConverterRun::startFailure() const
{
    const QFileInfo program(m_program);
    if (!program.exists())
        return tr("The converter could not be started: %1 was not found.").arg(m_program);
    if (!program.isExecutable())
        return tr("The converter could not be started: %1 is not executable.").arg(m_program);
    return tr("The converter could not be started: %1 (%2)").arg(m_program, m_process.errorString());
}

// The caller made the file empty for this run: anything in it now came from the converter.
bool ConverterRun::pdfWritten() const
{
    return QFileInfo(m_pdfPath).size() > 0;
}

QString ConverterRun::lastOutputLines(const QString& output)
{
    QStringList lines = output.trimmed().split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    while (lines.size() > 5)
        lines.removeFirst();
    return lines.join(QLatin1Char('\n'));
}

void ConverterRun::stopProcessTree()
{
#ifdef Q_OS_UNIX
    const qint64 pid = m_process.processId();
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
#endif
    m_process.kill();
}

void ConverterRun::finish(const RenderResult& result)
{
    if (m_done)
        return;
    m_done = true;
    m_timeLimit.stop();
    // A failed run's file is no PDF of anyone's.
    if (!result)
        QFile::remove(m_pdfPath);
    Q_EMIT finished(result);
}

QString ConverterRun::fingerprint(const QString& app)
{
    return ConverterCommand(app, QStringLiteral("PAGE/PAGE.html"), QStringLiteral("PDF")) + QLatin1Char(' ') +
           programStamp(AppFolder::converterPath(app));
}
