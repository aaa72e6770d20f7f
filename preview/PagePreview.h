#pragma once

#include "CreateOptions.h"
#include "PageBuilder.h"
#include "PagePipeline.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class Platform;
class PreviewRender;
class QLabel;
class QPdfDocument;
class QPdfView;
class QTimer;
class QToolButton;

/**
 * "Page Preview": the page as Create will make it, from the same page builder and converter, built in a
 * private folder so that nothing of Create's is touched. It follows the user's edits: a quiet spell after
 * the last change starts a new render and stops one still running. Problems show inside the window.
 */
class PagePreview final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PagePreview)

public:
    /** How long the user must pause before the page is rendered again. */
    static constexpr int QuietMs = 700;

    using FieldsSource = std::function<PageFields()>;
    using OptionsSource = std::function<CreateOptions()>;

    /** A page of its own (a list's) as it is to be rendered, or why it cannot be. */
    using OrderSource = std::function<Result<PageOrder>()>;

    /** @p fields and @p options are read when a render starts. */
    PagePreview(Platform& platform, const QString& appFolder, FieldsSource fields, OptionsSource options,
                QWidget* parent = nullptr);
    ~PagePreview() override;

    /** Something the page shows changed: render again once the user pauses. Ignored while hidden. */
    void scheduleRender();
    /** Stops any render and starts one for the values now. */
    void renderNow();
    bool isRendering() const;
    /** The problem shown instead of an up-to-date page, or an empty string. */
    QString message() const;
    /** The PDF on show, or null. */
    QPdfDocument* document() const;
    /** The PDF on show when it is up to date and nothing is pending; otherwise empty. */
    ReusablePdf reusablePdf() const;
    void setTimeLimitMs(int ms);
    /** Renders what @p source gives in place of the fields and options. */
    void setOrderSource(OrderSource source);

Q_SIGNALS:
    /** A render ended and its page or its problem is on show. */
    void renderShown();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildLayout();
    void stopRender();
    void onRenderDone(bool ok, const QString& error);
    void showMessage(const QString& text);
    void zoomBy(qreal factor);
    void fitWidth();

    Platform& m_platform;
    QString m_appFolder;
    FieldsSource m_fields;
    OptionsSource m_options;
    OrderSource m_order;
    int m_timeLimitMs;
    QTimer* m_quiet;
    QLabel* m_lblStatus;
    QLabel* m_lblMessage;
    QToolButton* m_cmdFitWidth;
    QToolButton* m_cmdZoomIn;
    QToolButton* m_cmdZoomOut;
    QPdfView* m_view;
    /** The render under way, and the one whose PDF is on show (it keeps its folder while shown). */
    QPointer<PreviewRender> m_running;
    QPointer<PreviewRender> m_shown;
};
