#include "PreviewRender.h"

#include "Converter.h"
#include "Platform.h"
#include "PreviewPage.h"
#include "StagingFolder.h"

#include <QPdfDocument>
#include <QtConcurrent/QtConcurrentRun>

PreviewRender::PreviewRender(Platform& platform, const QString& appFolder, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_fitting(new QFutureWatcher<FitResult>(this))
    , m_document(new QPdfDocument(this))
{
    connect(m_fitting, &QFutureWatcher<FitResult>::finished, this, [this] {
        if (m_abandoned)
            deleteLater();
        else
            openPdf(); // an unfitted page still shows the page
    });
}

// The converter goes first (its destructor stops the whole process group), then the folder it wrote to.
PreviewRender::~PreviewRender()
{
    delete m_run;
    m_document->close();
}

void PreviewRender::start(const PageFields& fields, bool fitToContent, int timeLimitMs)
{
    m_folder = std::make_unique<StagingFolder>(m_appFolder, QStringLiteral("preview"));
    if (!m_folder->isValid())
        return report(false, m_folder->error());
    const BuildResult built = BuildPreviewPage(m_appFolder, fields, m_folder->target());
    if (built.status != BuildResult::Status::Built)
        return report(false, built.status == BuildResult::Status::BonusImageMissing
                                 ? tr("Target file not found.") + QLatin1Char('\n') + built.error
                                 : built.error);
    m_page = built.page;
    const WriteResult written = WritePage(m_page);
    if (!written.ok)
        return report(false, written.error);
    m_run = m_platform.startConverter(ConverterCommand(m_appFolder, m_page.htmlPath, m_page.pdfPath), m_page.pdfPath,
                                      timeLimitMs, this);
    connect(m_run, &ConverterRun::finished, this, [this, fitToContent](const RenderResult& result) {
        if (!result.ok)
            return report(false, result.error);
        if (!fitToContent)
            return openPdf();
        m_fitting->setFuture(QtConcurrent::run(FitPdfToContent, m_page.pdfPath));
    });
}

void PreviewRender::abandon()
{
    m_abandoned = true;
    if (m_fitting->isRunning())
        return;
    // Deleted at once, so its converter is stopped before the next one starts.
    delete this;
}

QPdfDocument* PreviewRender::document() const
{
    return m_document;
}

void PreviewRender::openPdf()
{
    if (m_document->load(m_page.pdfPath) != QPdfDocument::Error::None)
        return report(false, tr("The preview PDF %1 could not be opened.").arg(m_page.pdfPath));
    report(true, QString());
}

void PreviewRender::report(bool ok, const QString& error)
{
    if (!m_abandoned)
        Q_EMIT done(ok, error);
}
