#include "BookWords.h"

#include <algorithm>
#include <iterator>

using namespace orvanta::page;

namespace orvanta::page {
namespace {
struct Table {
    const char* tag;
    const char* contents;
    const char* introduction;
    const char* pageOf;
};

// By the page words' tags; the first is the book of any other language.
const Table tables[] = {
    {"en", "Contents", "Introduction", "Page %1 of %2"},  {"de", "Inhalt", "Einleitung", "Seite %1 von %2"},
    {"fr", "Sommaire", "Introduction", "Page %1 sur %2"}, {"es", "Índice", "Introducción", "Página %1 de %2"},
    {"it", "Indice", "Introduzione", "Pagina %1 di %2"},  {"pt-BR", "Sumário", "Introdução", "Página %1 de %2"},
    {"pt-PT", "Índice", "Introdução", "Página %1 de %2"}, {"nl", "Inhoud", "Inleiding", "Pagina %1 van %2"},
    {"pl", "Spis treści", "Wstęp", "Strona %1 z %2"},
};
} // namespace

// Hex escapes for all but letters, digits and blanks: a quote, a backslash, a line break or "</style" stay text.
QString cssString(const QString& text)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c.isLetterOrNumber() || c == u' ')
            quoted += c;
        else
            quoted += QStringLiteral("\\%1 ").arg(uint(c.unicode()), 0, 16);
    }
    return quoted + QLatin1Char('"');
}
} // namespace orvanta::page

QString BookWords::footerContent() const
{
    const qsizetype number = pageOf.indexOf(QLatin1String("%1"));
    const qsizetype count = pageOf.indexOf(QLatin1String("%2"));
    if (number < 0 || count < number)
        return cssString(pageOf);
    return QStringLiteral("%1 counter(page) %2 counter(pages) %3")
        .arg(cssString(pageOf.left(number)), cssString(pageOf.mid(number + 2, count - number - 2)),
             cssString(pageOf.mid(count + 2)));
}

namespace orvanta::page {
namespace BookWordTables {
BookWords of(const QString& tag)
{
    const auto* found = std::find_if(std::begin(tables), std::end(tables), [&tag](const Table& table) {
        return tag.compare(QLatin1String(table.tag), Qt::CaseInsensitive) == 0;
    });
    const Table& table = found == std::end(tables) ? tables[0] : *found;
    return {QString::fromUtf8(table.contents), QString::fromUtf8(table.introduction), QString::fromUtf8(table.pageOf)};
}
} // namespace BookWordTables
} // namespace orvanta::page
