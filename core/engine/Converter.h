#pragma once

#include "PdfRun.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

namespace orvanta::engine {
/** The converter's command line: quoted executable, two blanks, the fixed options, quoted page and PDF. */
QString ConverterCommand(const QString& app, const QString& htmlPath, const QString& pdfPath);
} // namespace orvanta::engine

/**
 * One run of the converter. It never blocks: finished() arrives once, after the process ended or
 * was stopped at the time limit, and success is judged by the PDF it wrote, not by its exit code.
 * The PDF's path is a private one its caller made for this run alone, so whatever stands there
 * afterwards was written by this run; a run that fails or is cancelled leaves nothing there. The
 * converter never outlives the program: it goes with a stop, and with its parent's death.
 */
class ConverterRun final : public PdfRun {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConverterRun)

public:
    explicit ConverterRun(QObject* parent = nullptr);
    ~ConverterRun() override;

    /** Starts @p commandLine; its program falls back to "wkhtmltopdf" on PATH when missing. */
    void start(const QString& commandLine, const QString& pdfPath, int timeLimitMs = DefaultTimeLimitMs);
    bool isRunning() const override;
    /** Stops the converter and all it started and removes what it wrote; no finished(). */
    void cancel() override;

    /** What a run is told besides the page's paths, and which program it is: the same for the same PDF. */
    static QString fingerprint(const QString& app);

private:
    /** A page larger than this is read no further for the names of what it loads. */
    static constexpr qint64 MaxPageBytes = 64 * 1024 * 1024;

    void onProcessFinished(int exitCode, QProcess::ExitStatus status);
    void onTimeLimit();
    void finish(const RenderResult& result);
    RenderResult judge(int exitCode, QProcess::ExitStatus status);
    QString startFailure() const;
    /** The names of files the page loads from outside its folders, for the blocks the converter names none of. */
    QStringList unnamedRefusals() const;
    bool pdfWritten() const;
    static QString lastOutputLines(const QString& output);
    void startProcess(const QStringList& arguments);
    void stopProcessTree();

    QProcess m_process;
    QTimer m_timeLimit;
    QString m_program;
    QString m_pdfPath;
    QString m_htmlPath;
    QStringList m_allowed;
    bool m_sandboxed = false;
    bool m_started = false;
    bool m_done = false;
};
