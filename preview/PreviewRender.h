#pragma once

#include "PageBuilder.h"

#include <QObject>

class PagePipeline;
class Platform;
class QPdfDocument;

/**
 * One render of the page preview: the page pipeline in a staging folder of its own that lives as long as this
 * object, then the PDF opened. Destroying it stops its converter. A render abandoned while its PDF is being
 * fitted goes once the fitting is done, so the window never waits for it.
 */
class PreviewRender final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreviewRender)

public:
    PreviewRender(Platform& platform, const QString& appFolder, QObject* parent);
    ~PreviewRender() override;

    void start(const PageFields& fields, bool fitToContent, int timeLimitMs);
    /** Nothing of this render will be reported any more; it removes itself as soon as it may. */
    void abandon();
    QPdfDocument* document() const;

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
