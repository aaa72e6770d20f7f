#pragma once

#include "Brand.h"
#include "Designs.h"
#include "PageBuilder.h"

#include <QWidget>

class DesignThumbnails;
class Platform;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

/**
 * The window that chooses the page's design and lays the user's brand over it. One thumbnail per design, drawn
 * from the user's own page in the background; every change goes to the wizard at once, so the page preview
 * follows it. Colours that read badly are named here and before Create, never changed.
 */
class DesignGallery final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignGallery)

public:
    DesignGallery(Platform& platform, const QString& appFolder, QWidget* parent);

    /** Shows the designs and @p brand, @p design chosen, and renders thumbnails of @p fields. */
    void showFor(const QString& design, const Brand& brand, const PageFields& fields);
    /** As showFor, for a campaign opened while the gallery is shown; the window is not raised. */
    void follow(const QString& design, const Brand& brand, const PageFields& fields);
    /** Thumbnails are drawn as wide as this. */
    static constexpr int ThumbnailWidth = 180;
    /** True while thumbnails are still being rendered. */
    bool isRendering() const;

Q_SIGNALS:
    /** The user chose @p design (empty for Classic) or changed @p brand. */
    void lookChosen(const QString& design, const Brand& brand);

private:
    void buildControls();
    void fillDesigns(const QString& chosen);
    void fillBrand(const Brand& brand);
    void onThumbnail(const QString& design, const QImage& image);
    void onEdited();
    void cmdChooseLogo_Click();
    void cmdDefaultBrand_Click();
    /** The brand as the boxes hold it; a colour box that holds no colour keeps the brand's last value. */
    Brand brandFromBoxes(QStringList* problems) const;
    QString chosenDesign() const;
    void showWarnings(const QStringList& problems);

    Platform& m_platform;
    QString m_appFolder;
    QList<Design> m_designs;
    Brand m_brand;
    bool m_filling = false;
    DesignThumbnails* m_thumbnails;
    QListWidget* m_lstDesigns;
    QLabel* m_lblDesignInfo;
    QLineEdit* m_txtAccentColor;
    QLineEdit* m_txtTextColor;
    QLineEdit* m_txtBackgroundColor;
    QComboBox* m_cboHeadingFont;
    QComboBox* m_cboBodyFont;
    QLabel* m_lblLogo;
    QPushButton* m_cmdChooseLogo;
    QPushButton* m_cmdNoLogo;
    QLineEdit* m_txtLinkBase;
    QLabel* m_lblBrandWarnings;
    QPushButton* m_cmdDefaultBrand;
};
