#pragma once

#include <QLabel>

class QColor;

/** A link-styled label (underlined, pointing-hand cursor) that reports a left click, or Space or Enter once tabbed to.
 */
class LinkLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkLabel)

public:
    LinkLabel(const QString& name, const QString& text, const QColor& color, bool bold, QWidget* parent);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
