#pragma once

#include <QLabel>
#include <QString>

/**
 * A one-line label that shows as much of its text as its room allows, cut in the middle so both ends of a link stay
 * visible; its owner puts the whole text in the tooltip and the accessible name.
 */
class ElidedLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ElidedLabel)

public:
    explicit ElidedLabel(QWidget* parent);

    void setFullText(const QString& text);
    const QString& fullText() const { return m_fullText; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void elide();

    QString m_fullText;
};
