#include "PlainText.h"

#include "PageEscaping.h"

#include <QRegularExpression>

using namespace orvanta::page;

namespace orvanta::page {
QString plainTitle(const QString& html)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString text = html;
    text.remove(tag);
    return unescaped(text).simplified();
}
} // namespace orvanta::page
