#include "PlainText.h"

#include <QRegularExpression>

#include <utility>

QString plainTitle(const QString& html)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString text = html;
    text.remove(tag);
    const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"},  {"&gt;", ">"},   {"&quot;", "\""},
                                                            {"&#39;", "'"}, {"&nbsp;", " "}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities)
        text.replace(QLatin1String(entity), QLatin1String(character));
    return text.simplified();
}
