#include "ChangeWatch.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

// Every edit box counts, the hidden ones too: the chosen bonus reaches the page through one.
void WatchForChanges(QWidget* root, const std::function<void()>& onChange)
{
    for (QLineEdit* box : root->findChildren<QLineEdit*>())
        QObject::connect(box, &QLineEdit::textChanged, root, onChange);
    for (QPlainTextEdit* box : root->findChildren<QPlainTextEdit*>())
        QObject::connect(box, &QPlainTextEdit::textChanged, root, onChange);
    for (QCheckBox* box : root->findChildren<QCheckBox*>())
        QObject::connect(box, &QCheckBox::toggled, root, onChange);
}
