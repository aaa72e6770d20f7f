#include "PdfPlacement.h"

#include "EngineShared.h"
#include "FileToolkit.h"
#include "Leftovers.h"
#include "PdfPlacing.h"
#include "RunTr.h"

#include <QFile>
#include <QFileInfo>

using namespace orvanta::files;
using namespace orvanta::engine;
using namespace orvanta::finish;

Result<void> PdfPlacement::reserve(const QString& pdfPath)
{
    discard();
    m_pdfPath = pdfPath;
    const QString folder = QFileInfo(pdfPath).absolutePath();
    const Result<void> folderMade = makeOutputFolder(folder);
    if (!folderMade)
        return folderMade;
    const Result<QString> reserved =
        reservePrivateFile(Leftovers::privateTemplate(folder, QStringLiteral("orvanta"), QStringLiteral(".pdf")));
    if (!reserved)
        return fail(RunTr::tr("The PDF %1 could not be made: %2").arg(pdfPath, reserved.error()));
    m_private = reserved.value();
    return {};
}

Result<QString> PdfPlacement::place(const QString& folder)
{
    const QString pdf = inFolder(folder, QFileInfo(m_pdfPath).fileName());
    const Result<void> folderMade = makeOutputFolder(folder);
    if (!folderMade)
        return fail(folderMade.error());
    const Result<void> moved = moveReplacing(m_private, pdf);
    if (!moved)
        return fail(RunTr::tr("The PDF could not be saved as %1: %2").arg(pdf, moved.error()));
    m_private.clear();
    m_pdfPath = pdf;
    return pdf;
}

void PdfPlacement::discard()
{
    if (!m_private.isEmpty())
        QFile::remove(m_private);
    m_private.clear();
}

QString PdfPlacement::userText(QString text) const
{
    return m_private.isEmpty() ? text : text.replace(m_private, m_pdfPath);
}
