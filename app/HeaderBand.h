#pragma once

#include <QWidget>

class Platform;
class QLabel;
class QToolButton;

/**
 * The navy band across the top of the window: the application name, the by-line and the
 * "Please Wait" notice. Shift with the right button on the name shows the licence message.
 */
class HeaderBand final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeaderBand)

public:
    HeaderBand(Platform& platform, QWidget* parent);

    void setCaptions(const QString& appName, const QString& byLine);
    QLabel* pleaseWaitLabel() const;
    /** Puts the campaign's name and menu after the by-line, clear of the "Please Wait" notice at the right. */
    void addCampaignControls(QWidget* controls);
    /** Opens the page preview; on the band, so every step shows it. */
    QToolButton* pagePreviewButton() const;
    /** Opens the design gallery; beside the page preview. */
    QToolButton* designButton() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void lblAppName_MouseDown(int button, int shift);

    Platform& m_platform;
    QLabel* m_logo;
    QLabel* m_lblAppName;
    QLabel* m_lblBy;
    QLabel* m_lblPleaseWait;
    QToolButton* m_cmdPagePreview;
    QToolButton* m_cmdDesign;
};
