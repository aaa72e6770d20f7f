#pragma once

#include "Result.h"

#include <QObject>
#include <QString>
#include <QStringList>

/** What a run made besides the PDF. */
struct RenderedPdf {
    /** What the page asked for and the engine did not load, in order, each once; the PDF is without it. */
    QStringList refused;
};

/** A whole PDF at the run's private path, or why there is none. */
using RenderResult = Result<RenderedPdf>;

/**
 * One engine's run from a written page to a whole PDF at a private path its caller made for this run alone.
 * finished() comes once, after the run ended or was stopped at its time limit; a run that fails or is cancelled
 * leaves nothing at that path. What the engine tidies up after a run may wait until the run is deleted, so that a
 * caller who still works on the PDF deletes it afterwards and need not share the machine with that tidying.
 */
class PdfRun : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PdfRun)

public:
    static constexpr int DefaultTimeLimitMs = 120000;

    explicit PdfRun(QObject* parent = nullptr)
        : QObject(parent)
    {
    }

    virtual bool isRunning() const = 0;
    /** Stops the run and removes what it wrote; no finished(). */
    virtual void cancel() = 0;
    /** Empty when the engine ran inside its sandbox; else the note that it did not, said with the result. */
    QString sandboxNote() const { return m_sandboxNote; }

Q_SIGNALS:
    void finished(const RenderResult& result);

protected:
    void setSandboxNote(const QString& note) { m_sandboxNote = note; }

private:
    QString m_sandboxNote;
};
