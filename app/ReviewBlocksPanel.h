#pragma once

#include <QWidget>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
struct Campaign;

/** The review's optional blocks in Step 1: a rating in halves, a verdict, and pros and cons one per line. */
class ReviewBlocksPanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReviewBlocksPanel)

public:
    explicit ReviewBlocksPanel(QWidget* parent);

    void readInto(Campaign& campaign) const;
    void writeFrom(const Campaign& campaign);
    QWidgetList tabChain() const;

Q_SIGNALS:
    void edited();

private:
    void buildLayout();

    QLabel* m_ratingCaption;
    QDoubleSpinBox* m_spnRating;
    QLabel* m_verdictCaption;
    QLineEdit* m_txtVerdict;
    QLabel* m_prosCaption;
    QPlainTextEdit* m_txtPros;
    QLabel* m_consCaption;
    QPlainTextEdit* m_txtCons;
};
