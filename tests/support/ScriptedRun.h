#pragma once

#include "PdfRun.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

/** What a scripted engine run does in place of the engine's program. */
struct EngineScript {
    enum class Act {
        /** Writes @c pdf to the run's PDF path and succeeds. */
        Write,
        /** Fails with @c error. */
        Fail,
        /** Runs until cancelled, or released to write as Write would. */
        Hang,
    };

    Act act = Act::Write;
    QByteArray pdf = "%PDF-1.4\n%%EOF\n";
    QString error;
    /** What the run says it did not load. */
    QStringList refused;
    QString sandboxNote;

    static EngineScript writes(const QByteArray& pdf = "%PDF-1.4\n%%EOF\n", const QStringList& refused = {});
    static EngineScript fails(const QString& error);
    static EngineScript hangs();
};

/**
 * A run that follows its script instead of starting a program. It keeps a real run's promises: finished() never
 * from inside the constructor, once at most, and nothing left at the PDF's path after a failure or a cancel.
 */
class ScriptedRun final : public PdfRun {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScriptedRun)

public:
    ScriptedRun(const EngineScript& script, const QString& pdfPath, QObject* parent = nullptr);
    ~ScriptedRun() override;

    bool isRunning() const override { return !m_done; }
    void cancel() override;
    /** A hanging run writes its PDF now and succeeds. */
    void release();

private:
    void act();
    void finish(const RenderResult& result);

    EngineScript m_script;
    QString m_pdfPath;
    bool m_done = false;
};
