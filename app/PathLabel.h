#pragma once

#include <QLabel>

/**
 * A bordered label that holds a file path as its caption. A path too long for the label is shown
 * shortened in the middle, so the file name stays readable; the caption itself stays whole.
 * A single jpg, gif or png file may be dropped on it; other drops are refused.
 */
class PathLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PathLabel)

public:
    PathLabel(const QString& name, int width, QWidget* parent);

    /** Shows @p path and tells a screen reader the label's value changed. */
    void setPath(const QString& path);

Q_SIGNALS:
    /** setPath() was given another path than the one shown. */
    void pathChanged(const QString& path);
    /** An image file was dropped here; the label itself is left to the receiver. */
    void imageDropped(const QString& path);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
