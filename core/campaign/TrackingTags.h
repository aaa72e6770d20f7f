#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace orvanta::campaign {
/**
 * @p link with the query parameters @p tags (name, value) added: the link's own query stays byte for byte, the
 * fragment stays last, and a parameter the link already names is left as the link has it. A link without a host
 * ("http://", a typo) is returned as it is, so the checks still see what was typed.
 */
QString taggedLink(const QString& link, const QList<std::pair<QString, QString>>& tags);
} // namespace orvanta::campaign
