#include "PreviewRender.h"

#include "PagePipeline.h"
#include "Platform.h"

#include <QPdfDocument>

using namespace orvanta::finish;

PreviewRender::PreviewRender(Platform& platform, const QString& appFolder, QObject* parent)
    : QObject(parent)
    , m_appFolder(appFolder)
    , m_pipeline(new PagePipeline(platform, this))
    , m_document(new QPdfDocument(this))
{
    connect(m_pipeline, &PagePipeline::finished, this, &PreviewRender::onPipelineFinished);
}

// The document lets go of the PDF before the pipeline, a child, stops its engine and removes its folder.
PreviewRender::~PreviewRender()
{
    m_document->close();
}

void PreviewRender::start(const PageFields& fields, const CreateOptions& options, int timeLimitMs)
{
    PageOrder order;
    order.fields = fields;
    order.options = options;
    start(order, timeLimitMs);
}

void PreviewRender::start(PageOrder order, int timeLimitMs)
{
    order.app = m_appFolder;
    order.options.saveWebPage = false;
    order.place = PageOrder::Place::Staging;
    order.preview = true;
    order.timeLimitMs = timeLimitMs;
    m_pipeline->start(order);
}

void PreviewRender::abandon()
{
    m_abandoned = true;
    if (m_pipeline->stage() == PagePipeline::Stage::Finishing)
        return; // the fitting is short, and stopping would wait for it on the window's thread
    // Deleted at once, so its engine is stopped before the next one starts.
    delete this;
}

QPdfDocument* PreviewRender::document() const
{
    return m_document;
}

ReusablePdf PreviewRender::reusablePdf() const
{
    return m_pipeline->result().status == PageResult::Status::Made ? m_pipeline->reusablePdf() : ReusablePdf();
}

void PreviewRender::onPipelineFinished()
{
    if (m_abandoned) {
        deleteLater();
        return;
    }
    const PageResult& result = m_pipeline->result();
    if (result.status != PageResult::Status::Made)
        return report(false, result.error);
    if (m_document->load(result.pdfPath) != QPdfDocument::Error::None)
        return report(false, tr("The preview PDF %1 could not be opened.").arg(result.pdfPath));
    report(true, QString());
}

void PreviewRender::report(bool ok, const QString& error)
{
    if (!m_abandoned)
        Q_EMIT done(ok, error);
}
