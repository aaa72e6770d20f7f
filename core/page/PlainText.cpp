#include "PlainText.h"

#include "PageEscaping.h"

#include <QRegularExpression>

QString plainTitle(const QString& html)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString text = html;
    text.remove(tag);
    return unescaped(text).simplified();
}
