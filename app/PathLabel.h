#pragma once

#include <QLabel>

/**
 * A bordered label that holds a file path as its caption. A path too long for the label is shown
 * shortened in the middle, so the file name stays readable; the caption itself stays whole.
 */
class PathLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PathLabel)

public:
    PathLabel(const QString& name, int width, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
