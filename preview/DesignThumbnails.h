#pragma once

#include "PageBuilder.h"

#include <QImage>
#include <QObject>
#include <QStringList>

class Platform;
class PreviewRender;

/**
 * Renders one thumbnail per design from the user's own page, in the background with the real converter: each in
 * a staging folder of its own, at most two at once, the top of the PDF's first page as a picture.
 */
class DesignThumbnails final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignThumbnails)

public:
    /** Renders at once; more would take the processors from the page preview and Create. */
    static constexpr int MaxRunning = 2;

    DesignThumbnails(Platform& platform, const QString& appFolder, QObject* parent);
    ~DesignThumbnails() override;

    /** Renders @p designs with @p fields, dropping whatever was still waiting or running. */
    void render(const PageFields& fields, const QStringList& designs, int width);
    int running() const { return int(m_running.size()); }

Q_SIGNALS:
    void thumbnailReady(const QString& design, const QImage& image);
    /** A design that could not be rendered keeps its shipped picture; @p error says why. */
    void thumbnailFailed(const QString& design, const QString& error);

private:
    void startNext();
    void onDone(PreviewRender* render, const QString& design, bool ok, const QString& error);
    void dropAll();

    Platform& m_platform;
    QString m_appFolder;
    PageFields m_fields;
    QStringList m_waiting;
    int m_width = 240;
    QList<PreviewRender*> m_running;
};
