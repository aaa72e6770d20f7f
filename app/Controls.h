#pragma once

#include <QString>

class QColor;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidgetItem;
class QWidget;

/** Makers for the named controls of the wizard pages, so every page builds them alike. */
namespace Controls {
/** The name of a control-array member, index in brackets, like "frPage(0)". */
QString arrayName(const char* name, int index);

QLabel* label(QWidget* parent, const QString& name, const QString& text);
/** A label that wraps its text within @p width pixels. */
QLabel* wrappedLabel(QWidget* parent, const QString& name, const QString& text, int width);
QLabel* heading(QWidget* parent, const QString& name, const QString& text);
QLineEdit* lineEdit(QWidget* parent, const QString& name, const QString& text = QString());
/** A box that holds a value for the commands but is never shown. */
QLineEdit* hiddenLineEdit(QWidget* parent, const QString& name);
QPlainTextEdit* multiLineEdit(QWidget* parent, const QString& name);
QPushButton* button(QWidget* parent, const QString& name, const QString& text);
/** A table cell that shows @p text, and all of it in its tip. */
QTableWidgetItem* tableCell(const QString& text);

/**
 * Makes @p label's mnemonic move the focus to @p field, and names a field that has no accessible
 * name yet after the caption, so a screen reader announces what the field is for; a combo box's popup list
 * takes the field's name.
 */
void bindLabel(QLabel* label, QWidget* field);
/** A caption as read aloud: without the mnemonic marker and the trailing colon. */
QString spokenCaption(const QString& caption);

void setTextColor(QWidget* widget, const QColor& color);
void setBackgroundColor(QWidget* widget, const QColor& color);

/** The text box's text with CR LF line breaks, as the page builder expects them. */
QString textWithCrLf(const QPlainTextEdit* box);
/** Fills the text box from a text with CR LF line breaks. */
void setTextFromCrLf(QPlainTextEdit* box, const QString& text);
/** Sets the box's text and shows its beginning. */
void setLine(QLineEdit* box, const QString& text);

/** A tooltip that shows @p text as typed, even when it looks like markup ("<b>", "&lt;"). */
QString plainToolTip(const QString& text);
} // namespace Controls
