#include "PagePreview.h"

#include "PdfRun.h"
#include "PreviewRender.h"
#include "WindowColors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr qreal ZoomStep = 1.25;
constexpr qreal MinZoom = 0.1;
constexpr qreal MaxZoom = 8.0;

QToolButton* toolButton(QWidget* parent, const QString& name, const QString& text, const QString& spoken)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setAccessibleName(spoken);
    button->setToolTip(spoken);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}
} // namespace

PagePreview::PagePreview(Platform& platform, const QString& appFolder, FieldsSource fields, OptionsSource options,
                         QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_fields(std::move(fields))
    , m_options(std::move(options))
    , m_timeLimitMs(PdfRun::DefaultTimeLimitMs)
    , m_quiet(new QTimer(this))
    , m_lblStatus(new QLabel(this))
    , m_lblMessage(new QLabel(this))
    , m_cmdFitWidth(toolButton(this, QStringLiteral("cmdFitWidth"), tr("Fit &Width"), tr("Fit width")))
    , m_cmdZoomIn(toolButton(this, QStringLiteral("cmdZoomIn"), tr("+"), tr("Zoom in")))
    , m_cmdZoomOut(toolButton(this, QStringLiteral("cmdZoomOut"), tr("\u2212"), tr("Zoom out")))
    , m_view(new QPdfView(this))
{
    setObjectName(QStringLiteral("frmPagePreview"));
    setWindowTitle(tr("Page Preview"));
    m_quiet->setSingleShot(true);
    m_quiet->setInterval(QuietMs);
    connect(m_quiet, &QTimer::timeout, this, &PagePreview::renderNow);
    buildLayout();
    connect(m_cmdFitWidth, &QToolButton::clicked, this, &PagePreview::fitWidth);
    connect(m_cmdZoomIn, &QToolButton::clicked, this, [this] { zoomBy(ZoomStep); });
    connect(m_cmdZoomOut, &QToolButton::clicked, this, [this] { zoomBy(1 / ZoomStep); });
    new QShortcut(QKeySequence::ZoomIn, this, [this] { zoomBy(ZoomStep); });
    new QShortcut(QKeySequence::ZoomOut, this, [this] { zoomBy(1 / ZoomStep); });
    new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { close(); });
    resize(720, 900);
}

PagePreview::~PagePreview()
{
    stopRender();
}

void PagePreview::scheduleRender()
{
    if (isVisible())
        m_quiet->start();
}

void PagePreview::renderNow()
{
    m_quiet->stop();
    stopRender();
    m_lblStatus->setText(tr("Rendering the page\u2026"));
    auto* render = new PreviewRender(m_platform, m_appFolder, this);
    m_running = render;
    connect(render, &PreviewRender::done, this, &PagePreview::onRenderDone);
    if (!m_order)
        return render->start(m_fields(), m_options(), m_timeLimitMs);
    const Result<PageOrder> order = m_order();
    if (!order) {
        render->abandon();
        return onRenderDone(false, order.error());
    }
    render->start(order.value(), m_timeLimitMs);
}

void PagePreview::setOrderSource(OrderSource source)
{
    m_order = std::move(source);
}

bool PagePreview::isRendering() const
{
    return m_running != nullptr;
}

QString PagePreview::message() const
{
    return m_lblMessage->isHidden() ? QString() : m_lblMessage->text();
}

QPdfDocument* PagePreview::document() const
{
    return m_view->document();
}

// A pending edit, a render under way or a failed last render: the shown PDF may not be what Create makes.
ReusablePdf PagePreview::reusablePdf() const
{
    if (!m_shown || m_running || m_quiet->isActive() || !m_lblMessage->isHidden())
        return {};
    return m_shown->reusablePdf();
}

void PagePreview::setTimeLimitMs(int ms)
{
    m_timeLimitMs = ms;
}

void PagePreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    renderNow();
}

// A hidden preview has nothing to show, so no converter runs for it.
void PagePreview::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_quiet->stop();
    stopRender();
}

void PagePreview::buildLayout()
{
    m_lblStatus->setObjectName(QStringLiteral("lblPreviewStatus"));
    m_lblMessage->setObjectName(QStringLiteral("lblPreviewMessage"));
    m_lblMessage->setWordWrap(true);
    m_lblMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblMessage->setTextFormat(Qt::PlainText);
    m_lblMessage->setStyleSheet(QStringLiteral("color: %1;").arg(WindowColors::PreviewProblem.name()));
    m_lblMessage->hide();
    m_view->setObjectName(QStringLiteral("pdfPagePreview"));
    m_view->setAccessibleName(tr("Page preview"));
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_view->setFocusPolicy(Qt::StrongFocus);

    auto* tools = new QHBoxLayout;
    tools->addWidget(m_lblStatus, 1);
    tools->addWidget(m_cmdZoomOut);
    tools->addWidget(m_cmdZoomIn);
    tools->addWidget(m_cmdFitWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_lblMessage);
    layout->addWidget(m_view, 1);
}

void PagePreview::stopRender()
{
    if (m_running)
        m_running->abandon();
    m_running = nullptr;
}

// The failed render's folder goes; the page on show, if any, stays under the message.
void PagePreview::onRenderDone(bool ok, const QString& error)
{
    PreviewRender* render = m_running;
    m_running = nullptr;
    if (!ok) {
        showMessage(tr("The preview could not be updated:") + QLatin1Char('\n') + error);
        m_lblStatus->setText(tr("Not up to date"));
        if (render)
            render->deleteLater();
        Q_EMIT renderShown();
        return;
    }
    m_lblMessage->hide();
    m_lblStatus->setText(tr("Up to date"));
    m_view->setDocument(render->document());
    if (m_shown)
        m_shown->deleteLater();
    m_shown = render;
    Q_EMIT renderShown();
}

void PagePreview::showMessage(const QString& text)
{
    m_lblMessage->setText(text);
    m_lblMessage->show();
}

void PagePreview::zoomBy(qreal factor)
{
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(qBound(MinZoom, m_view->zoomFactor() * factor, MaxZoom));
}

void PagePreview::fitWidth()
{
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
}
