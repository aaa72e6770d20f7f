#pragma once

#include "WindowDriver.h"

#include <QObject>
#include <QString>

class MainWindow;
class PagePreview;
class QImage;
class QWidget;
class ScriptedPlatform;

/**
 * Fills the main window with a realistic example and saves it as a campaign, saves a picture of each
 * wizard step, the product preview, the open Campaign menu and the page preview beside the window, then
 * runs "Create" for real and reports the PDF it made.
 */
class ScreenshotTour final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScreenshotTour)

public:
    /** @p coverImage is the review's product image, chosen through the picker. */
    ScreenshotTour(MainWindow& window, ScriptedPlatform& platform, const QString& coverImage,
                   const QString& outputFolder);

    void start();

Q_SIGNALS:
    /** The tour ended; @p pdfPath is empty when something went wrong (already reported). */
    void finished(const QString& pdfPath);

private:
    void fillExample();
    bool photographSteps();
    bool photographPreview();
    bool saveCampaign();
    bool photographCampaignMenu();
    bool photographSheet();
    void photographPagePreview();
    void photographRenderedPreview(PagePreview& preview);
    void photographDesigns();
    void create();
    void onCreated();
    bool save(QWidget& widget, const QString& fileName);
    bool save(const QImage& image, const QString& fileName);

    MainWindow& m_window;
    ScriptedPlatform& m_platform;
    WindowDriver m_driver;
    QString m_coverImage;
    QString m_outputFolder;
};
