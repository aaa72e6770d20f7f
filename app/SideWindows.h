#pragma once

#include "PagePipeline.h"

#include <QObject>
#include <QString>

class BonusPage;
class CreatePage;
class DesignGallery;
class MainWindow;
class PagePreview;
class Platform;

/**
 * The windows the main window opens beside itself: the page preview and the design gallery, each made once and
 * brought back, and the product viewer, one for each look at a product.
 */
class SideWindows final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SideWindows)

public:
    /** The windows open over @p window and follow its fields. */
    SideWindows(MainWindow& window, Platform& platform, const QString& appFolder, BonusPage& bonusPage,
                CreatePage& createPage);

    /** The page preview's PDF, when there is one that Create may take. */
    ReusablePdf reusablePdf() const;
    /** Closes the page preview for good, and its converter with it. */
    void closePagePreview();

    /** Opens the page preview, or brings it to the front (Ctrl+Shift+P). */
    void cmdPagePreview_Click();
    void cmdDesign_Click();
    void cmdProductPreview_Click();

private:
    MainWindow& m_window;
    Platform& m_platform;
    QString m_appFolder;
    BonusPage& m_bonusPage;
    CreatePage& m_createPage;
    PagePreview* m_pagePreview = nullptr;
    DesignGallery* m_designGallery = nullptr;
};
