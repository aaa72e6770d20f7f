#include "DesignThumbnails.h"

#include "PdfRun.h"
#include "PreviewRender.h"

#include <QPdfDocument>

namespace {
// A thumbnail shows the page's top, as wide as it is tall and a quarter more.
QImage topOf(QPdfDocument* document, int width)
{
    const QSizeF page = document->pagePointSize(0);
    if (page.isEmpty())
        return {};
    const int height = int(width * page.height() / page.width());
    const QImage whole = document->render(0, QSize(width, height));
    return whole.copy(0, 0, width, qMin(height, width * 5 / 4));
}
} // namespace

DesignThumbnails::DesignThumbnails(Platform& platform, const QString& appFolder, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_appFolder(appFolder)
{
}

DesignThumbnails::~DesignThumbnails()
{
    dropAll();
}

void DesignThumbnails::render(const PageFields& fields, const QStringList& designs, int width)
{
    dropAll();
    m_fields = fields;
    m_waiting = designs;
    m_width = width;
    while (running() < MaxRunning && !m_waiting.isEmpty())
        startNext();
}

void DesignThumbnails::startNext()
{
    const QString design = m_waiting.takeFirst();
    PageFields fields = m_fields;
    fields.design = design;
    auto* render = new PreviewRender(m_platform, m_appFolder, this);
    m_running << render;
    connect(render, &PreviewRender::done, this,
            [this, render, design](bool ok, const QString& error) { onDone(render, design, ok, error); });
    render->start(fields, CreateOptions{}, PdfRun::DefaultTimeLimitMs);
}

void DesignThumbnails::onDone(PreviewRender* render, const QString& design, bool ok, const QString& error)
{
    m_running.removeOne(render);
    const QImage image = ok ? topOf(render->document(), m_width) : QImage();
    // Its PDF and staging folder go once this report has returned.
    render->deleteLater();
    if (image.isNull())
        Q_EMIT thumbnailFailed(design, ok ? tr("The thumbnail could not be drawn.") : error);
    else
        Q_EMIT thumbnailReady(design, image);
    if (!m_waiting.isEmpty())
        startNext();
}

void DesignThumbnails::dropAll()
{
    m_waiting.clear();
    for (PreviewRender* render : std::exchange(m_running, {}))
        render->abandon();
}
