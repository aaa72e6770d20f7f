#pragma once

#include <QFrame>

class QLabel;

/**
 * One button of the step bar: an icon and a caption in a frame. A click on the frame or on its
 * caption reports the step's index; the icon takes no clicks. The current step is drawn filled.
 */
class StepButton final : public QFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StepButton)
    Q_PROPERTY(bool NotCurrent READ notCurrent WRITE setNotCurrent)

public:
    StepButton(int index, const QString& iconName, const QString& iconFile, const QString& caption, QWidget* parent);

    bool notCurrent() const;
    void setNotCurrent(bool notCurrent);
    /** What a click does: reports the step's index. */
    void press();

Q_SIGNALS:
    void clicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_index;
    bool m_notCurrent = true;
    QLabel* m_icon;
    QLabel* m_caption;
};

/** The row that holds the step buttons; a screen reader sees it as their list of page tabs. */
class StepBar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StepBar)

public:
    explicit StepBar(QWidget* parent);
};
