#include "TrackingTags.h"

#include <QSet>
#include <QUrl>

using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace {
bool hasHost(const QString& link)
{
    const QUrl url(link, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty();
}

/** The decoded names of the parameters in @p query. */
QSet<QString> parameterNames(const QString& query)
{
    QSet<QString> names;
    for (const QString& part : query.split(QLatin1Char('&'), Qt::SkipEmptyParts))
        names.insert(QUrl::fromPercentEncoding(part.section(QLatin1Char('='), 0, 0).toUtf8()));
    return names;
}
} // namespace

QString taggedLink(const QString& link, const QList<std::pair<QString, QString>>& tags)
{
    if (tags.isEmpty() || !hasHost(link))
        return link;
    const qsizetype hash = link.indexOf(QLatin1Char('#'));
    const QString fragment = hash < 0 ? QString() : link.mid(hash);
    QString tagged = hash < 0 ? link : link.left(hash);
    const qsizetype question = tagged.indexOf(QLatin1Char('?'));
    QSet<QString> present = parameterNames(question < 0 ? QString() : tagged.mid(question + 1));
    for (const auto& [name, value] : tags) {
        if (value.isEmpty() || present.contains(name))
            continue;
        present.insert(name);
        if (!tagged.contains(QLatin1Char('?')))
            tagged += QLatin1Char('?');
        else if (!tagged.endsWith(QLatin1Char('?')) && !tagged.endsWith(QLatin1Char('&')))
            tagged += QLatin1Char('&');
        tagged += QString::fromLatin1(QUrl::toPercentEncoding(name)) + QLatin1Char('=') +
                  QString::fromLatin1(QUrl::toPercentEncoding(value));
    }
    return tagged + fragment;
}
} // namespace orvanta::campaign
