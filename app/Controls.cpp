#include "Controls.h"

#include "BoxText.h"
#include "FullTextTip.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidgetItem>
#include <QTextDocument>

using namespace orvanta::page;

namespace {
constexpr int ButtonMinimumWidth = 88;
constexpr int ButtonMinimumHeight = 28;
constexpr int ButtonExtraWidth = 16;
constexpr int LineEditMinimumHeight = 26;
} // namespace

namespace Controls {
QString arrayName(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    auto* control = new QLabel(text, parent);
    control->setObjectName(name);
    // Captions and paths are shown as they are, never read as markup.
    control->setTextFormat(Qt::PlainText);
    return control;
}

QLabel* wrappedLabel(QWidget* parent, const QString& name, const QString& text, int width)
{
    QLabel* control = label(parent, name, text);
    control->setWordWrap(true);
    control->setFixedWidth(width);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
}

QLabel* heading(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* control = label(parent, name, text);
    QFont font = control->font();
    font.setBold(true);
    control->setFont(font);
    return control;
}

QLineEdit* lineEdit(QWidget* parent, const QString& name, const QString& text)
{
    auto* control = new QLineEdit(text, parent);
    control->setObjectName(name);
    control->setMinimumHeight(LineEditMinimumHeight);
    control->setCursorPosition(0);
    FullTextTip::attach(control);
    return control;
}

QLineEdit* hiddenLineEdit(QWidget* parent, const QString& name)
{
    QLineEdit* control = lineEdit(parent, name);
    control->hide();
    return control;
}

QPlainTextEdit* multiLineEdit(QWidget* parent, const QString& name)
{
    auto* control = new QPlainTextEdit(parent);
    control->setObjectName(name);
    control->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    control->setTabChangesFocus(true);
    return control;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text)
{
    auto* control = new QPushButton(text, parent);
    control->setObjectName(name);
    // One button size across the pages, with room around the caption.
    control->setMinimumSize(qMax(ButtonMinimumWidth, control->sizeHint().width() + ButtonExtraWidth),
                            ButtonMinimumHeight);
    control->setAutoDefault(false);
    control->setAccessibleName(spokenCaption(text));
    return control;
}

QTableWidgetItem* tableCell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    return item;
}

void bindLabel(QLabel* label, QWidget* field)
{
    label->setBuddy(field);
    if (field->accessibleName().isEmpty())
        field->setAccessibleName(spokenCaption(label->text()));
    // A combo box's popup list is a control of its own to a screen reader, and Qt 6.8 leaves it unnamed.
    if (auto* box = qobject_cast<QComboBox*>(field))
        box->view()->setAccessibleName(field->accessibleName());
}

QString spokenCaption(const QString& caption)
{
    QString spoken;
    for (int i = 0; i < caption.size(); ++i) {
        // '&' marks the next letter as the mnemonic; "&&" stands for one literal '&'.
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        spoken += caption[i];
    }
    spoken = spoken.trimmed();
    if (spoken.endsWith(QLatin1Char(':')))
        spoken.chop(1);
    return spoken;
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void setBackgroundColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

// Not toPlainText(): it turns no-break spaces into plain ones, which the user typed on purpose.
QString textWithCrLf(const QPlainTextEdit* box)
{
    return BoxText::multiLine(box->document()->toRawText());
}

void setTextFromCrLf(QPlainTextEdit* box, const QString& text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setPlainText(lines);
}

void setLine(QLineEdit* box, const QString& text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

// A tooltip has no text format of its own: Qt takes it for rich text when it looks like markup. Such a text goes
// escaped, its blanks and line breaks kept; any other stays as it is, so it shows exactly as before.
QString plainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(text.toHtmlEscaped());
}
} // namespace Controls
