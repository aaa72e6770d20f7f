#pragma once

#include "PageBuilder.h"
#include "PdfFit.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>

#include <memory>

class ConverterRun;
class Platform;
class QPdfDocument;
class StagingFolder;

/**
 * One render of the page preview, in a staging folder of its own that lives as long as this object:
 * build, convert, fit when asked, open the PDF. Destroying it stops its converter. A render abandoned
 * while its PDF is being fitted waits for the fitting before it removes its folder.
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
    void openPdf();
    void report(bool ok, const QString& error);

    Platform& m_platform;
    QString m_appFolder;
    std::unique_ptr<StagingFolder> m_folder;
    BuiltPage m_page;
    QPointer<ConverterRun> m_run;
    QFutureWatcher<FitResult>* m_fitting;
    QPdfDocument* m_document;
    bool m_abandoned = false;
};
