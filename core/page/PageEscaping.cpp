#include "PageEscaping.h"

#include <algorithm>
#include <iterator>
#include <utility>

using namespace orvanta::page;

namespace orvanta::page {
namespace {
// Placeholders are filled one after another; a '#' of a value must not start one.
const std::pair<char16_t, QLatin1String> escapes[] = {{u'&', QLatin1String("&amp;")},  {u'<', QLatin1String("&lt;")},
                                                      {u'>', QLatin1String("&gt;")},   {u'"', QLatin1String("&quot;")},
                                                      {u'\'', QLatin1String("&#39;")}, {u'#', QLatin1String("&#35;")}};
// Titles typed as markup often hold one; a plain title shows it as a blank.
const QLatin1String noBreakSpace("&nbsp;");
} // namespace

QString escaped(const QString& text)
{
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        const auto* escape = std::find_if(std::begin(escapes), std::end(escapes),
                                          [c](const auto& each) { return each.first == c.unicode(); });
        if (escape == std::end(escapes))
            safe += c;
        else
            safe += escape->second;
    }
    return safe;
}

QString unescaped(const QString& text)
{
    // One pass: what a reference gave back is never read again, so "&amp;lt;" stays "&lt;".
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QStringView rest = QStringView(text).mid(i);
        const auto* escape = std::find_if(std::begin(escapes), std::end(escapes),
                                          [rest](const auto& each) { return rest.startsWith(each.second); });
        if (escape != std::end(escapes)) {
            plain += QChar(escape->first);
            i += escape->second.size() - 1;
        } else if (rest.startsWith(noBreakSpace)) {
            plain += QLatin1Char(' ');
            i += noBreakSpace.size() - 1;
        } else {
            plain += text.at(i);
        }
    }
    return plain;
}
} // namespace orvanta::page
