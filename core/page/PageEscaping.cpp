#include "PageEscaping.h"

#include <libxml/HTMLparser.h>

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
constexpr char32_t NoBreakSpace = 0xA0;
// "&CounterClockwiseContourIntegral;" is the longest name HTML knows; a longer run is no reference.
constexpr qsizetype LongestReference = 34;

char32_t numbered(QStringView digits)
{
    const bool hex = digits.startsWith(u'x') || digits.startsWith(u'X');
    bool ok = false;
    const uint point = (hex ? digits.mid(1) : digits).toUInt(&ok, hex ? 16 : 10);
    // What a browser would replace: nothing, a surrogate half or past Unicode is left as written.
    const bool valid = ok && point != 0 && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
    return valid ? char32_t(point) : 0;
}

// The character a reference's name (without '&' and ';') stands for, or 0.
char32_t referenced(QStringView name)
{
    if (name.startsWith(u'#'))
        return numbered(name.mid(1));
    const QByteArray latin = name.toLatin1();
    const htmlEntityDesc* entity = htmlEntityLookup(reinterpret_cast<const xmlChar*>(latin.constData()));
    return entity ? char32_t(entity->value) : 0;
}
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
        const qsizetype end = text.at(i) == u'&' ? text.indexOf(u';', i + 1) : -1;
        const char32_t point =
            end > i && end - i <= LongestReference ? referenced(QStringView(text).mid(i + 1, end - i - 1)) : 0;
        if (point == 0) {
            plain += text.at(i);
            continue;
        }
        plain += point == NoBreakSpace ? QString(QLatin1Char(' ')) : QString::fromUcs4(&point, 1);
        i = end;
    }
    return plain;
}
} // namespace orvanta::page
