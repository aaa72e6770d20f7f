#include "ScriptedRun.h"

#include <QFile>
#include <QTimer>

using namespace orvanta::files;

EngineScript EngineScript::writes(const QByteArray& pdf, const QStringList& refused)
{
    EngineScript script;
    script.pdf = pdf;
    script.refused = refused;
    return script;
}

EngineScript EngineScript::fails(const QString& error)
{
    EngineScript script;
    script.act = Act::Fail;
    script.error = error;
    return script;
}

EngineScript EngineScript::hangs()
{
    EngineScript script;
    script.act = Act::Hang;
    return script;
}

ScriptedRun::ScriptedRun(const EngineScript& script, const QString& pdfPath, QObject* parent)
    : PdfRun(parent)
    , m_script(script)
    , m_pdfPath(pdfPath)
{
    setSandboxNote(script.sandboxNote);
    // A real run reports after its caller has connected.
    if (script.act != EngineScript::Act::Hang)
        QTimer::singleShot(0, this, &ScriptedRun::act);
}

ScriptedRun::~ScriptedRun()
{
    cancel();
}

void ScriptedRun::cancel()
{
    if (!m_done)
        QFile::remove(m_pdfPath);
    m_done = true;
}

void ScriptedRun::release()
{
    if (m_done)
        return;
    m_script.act = EngineScript::Act::Write;
    act();
}

void ScriptedRun::act()
{
    if (m_done)
        return;
    if (m_script.act == EngineScript::Act::Fail)
        return finish(fail(m_script.error));
    QFile file(m_pdfPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_script.pdf) != m_script.pdf.size())
        return finish(fail(QStringLiteral("The scripted run could not write %1.").arg(m_pdfPath)));
    file.close();
    finish(RenderedPdf{m_script.refused});
}

void ScriptedRun::finish(const RenderResult& result)
{
    if (m_done)
        return;
    m_done = true;
    if (!result)
        QFile::remove(m_pdfPath);
    Q_EMIT finished(result);
}
