#pragma once

#include "CreateOptions.h"
#include "PageBuilder.h"
#include "PagePipeline.h"

#include <QObject>

class PagePipeline;
class Platform;
class QPdfDocument;

/**
 * One render of the page preview: the page pipeline in a staging folder of its own that lives as long as this
 * object, then the PDF opened. Destroying it stops its engine. A render abandoned while its PDF is being
 * fitted goes once the fitting is done, so the window never waits for it.
 */
class PreviewRender final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreviewRender)

public:
    PreviewRender(Platform& platform, const QString& appFolder, QObject* parent);
    ~PreviewRender() override;

    /** Renders with Create's own @p options, so that Create may take the PDF; no web page is saved. */
    void start(const PageFields& fields, const CreateOptions& options, int timeLimitMs);
    /** Renders a page of its own (a list's), which @p order's builder makes from its fields. */
    void start(PageOrder order, int timeLimitMs);
    /** Nothing of this render will be reported any more; it removes itself as soon as it may. */
    void abandon();
    QPdfDocument* document() const;
    /** The rendered PDF as Create may take it; empty unless the render made one. */
    ReusablePdf reusablePdf() const;

Q_SIGNALS:
    /** Once, unless abandoned: the PDF is open in document(), or @p error says what failed. */
    void done(bool ok, const QString& error);

private:
    void onPipelineFinished();
    void report(bool ok, const QString& error);

    QString m_appFolder;
    PagePipeline* m_pipeline;
    QPdfDocument* m_document;
    bool m_abandoned = false;
};
