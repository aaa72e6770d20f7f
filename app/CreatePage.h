#pragma once

#include "Brand.h"
#include "CreateOptions.h"
#include "WizardPage.h"

class LinkLabel;
class Platform;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct Campaign;

/** Step 3: the PDF file name, the bonus delivery URL and the Create command's buttons. */
class CreatePage final : public WizardPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CreatePage)

public:
    CreatePage(Platform& platform, QWidget* parent);

    void setDeliveryUrl(const QString& url);
    void setPdfFileName(const QString& name);
    void showOwnBonusWarning(bool show);
    void setCreateButtonsEnabled(bool enabled);
    /** The values a campaign keeps of this page. */
    void readInto(Campaign& campaign) const;
    void writeFrom(const Campaign& campaign);
    /** What Create does around the converter: size the pictures, fit the PDF, save the web page. */
    CreateOptions createOptions() const;
    void setCreateOptions(const CreateOptions& options);
    /** The page's design and brand, as the design gallery chose them; a change counts as an edit. */
    void setLook(const QString& design, const Brand& brand);
    QString design() const { return m_design; }
    Brand brand() const { return m_brand; }
    QWidgetList tabChain() const override;

    QLineEdit* lastPathBox() const;
    QPushButton* createButton() const;
    QPushButton* outputButton() const;

Q_SIGNALS:
    /** A campaign brought its own design and brand, which the gallery, when open, must show. */
    void lookLoaded();

private:
    void connectEdits();
    void buildLayout();
    void setUpOptions();
    /** The converters to choose from, each named by what it gives. */
    void setUpEngines();
    void setEngine(const QString& engine);
    /** The user's standing choice to make PDFs where the engines' sandbox cannot start; stored at once. */
    void setUpSandboxChoice();
    void chkRunWithoutSandbox_Toggled(bool allowed);
    void setUpKeyboardAccess();
    void cmdCopyUrlToClipboard_Click();
    void lblBonusDeliveryHelp_Click();

    Platform& m_platform;
    QLabel* m_pdfNameCaption;
    QLineEdit* m_txtPDFFilename;
    QLabel* m_pdfSuffix;
    QLabel* m_deliveryUrlCaption;
    QLineEdit* m_txtBonusDeliveryUrl;
    QPushButton* m_cmdCopyUrlToClipboard;
    LinkLabel* m_lblBonusDeliveryHelp;
    QLabel* m_lblOwnBonus;
    QPushButton* m_cmdCreate;
    QPushButton* m_cmdOutput;
    QLineEdit* m_txtLastPath;
    QCheckBox* m_chkFitToContent;
    QCheckBox* m_chkSaveWebPage;
    QCheckBox* m_chkOptimiseImages;
    QCheckBox* m_chkQrCode;
    QLabel* m_engineCaption;
    QComboBox* m_cboEngine;
    QCheckBox* m_chkRunWithoutSandbox;
    QString m_design;
    Brand m_brand;
};
