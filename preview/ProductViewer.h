#pragma once

#include <QDialog>

class Platform;
class QPushButton;
class QTextBrowser;

/** "Product Viewer": the sales-page image of a catalogue bonus, through the shipped preview page. */
class ProductViewer final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProductViewer)

public:
    /** Loads the preview of @p rawProductId at once; a missing image is reported and leaves the view empty. */
    ProductViewer(Platform& platform, const QString& appFolder, const QString& rawProductId, QWidget* parent = nullptr);

private:
    void loadPreview(const QString& rawProductId);
    void showError(const QString& text);

    Platform& m_platform;
    QString m_appFolder;
    QTextBrowser* m_browser;
    QPushButton* m_closeButton;
};
