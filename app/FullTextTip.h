#pragma once

#include <QObject>

class QLineEdit;

/**
 * Keeps a line edit's tooltip on its whole text while the text is wider than the field, and clears it once the
 * text fits again. Looks again whenever the text, the field's size, font or style change.
 */
class FullTextTip final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FullTextTip)

public:
    /** Watches @p field and is owned by it. */
    static void attach(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FullTextTip(QLineEdit* field);
    /** Whether @p field shows all of its text. */
    static bool showsWholeText(const QLineEdit& field);
    void update();

    QLineEdit* m_field;
};
