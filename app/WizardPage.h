#pragma once

#include <QGroupBox>

class QLayout;

/**
 * The frame of one wizard step. Its controls sit in a fixed-size area at the frame's top-left,
 * so resizing the frame never moves them and a small frame clips them.
 */
class WizardPage : public QGroupBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WizardPage)

public:
    WizardPage(int index, const QString& title, QWidget* parent);

    /** The page's focusable controls in the order Tab visits them. */
    virtual QWidgetList tabChain() const = 0;

Q_SIGNALS:
    /** A value the page holds was changed, by the user or by a command; a cancelled pick changes none. */
    void edited();

protected:
    /** The parent for the page's controls. */
    QWidget* content() const;
    void setContentLayout(QLayout* layout);
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_content;
};
