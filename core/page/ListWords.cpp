#include "ListWords.h"

#include <QLocale>

#include <algorithm>
#include <iterator>

using namespace orvanta::page;

namespace orvanta::page {
namespace {
struct Table {
    const char* tag;
    const char* product;
    const char* rating;
    const char* price;
    const char* bestFor;
    const char* buy;
    const char* howWeRanked;
    const char* checkedOn;
};

// By the page words' tags; the first is the page of any other language.
const Table tables[] = {
    {"en", "Product", "Rating", "Price", "Best for", "Buy %1", "How we ranked", "Checked on %1"},
    {"de", "Produkt", "Bewertung", "Preis", "Am besten für", "%1 kaufen", "So haben wir bewertet", "Geprüft am %1"},
    {"fr", "Produit", "Note", "Prix", "Idéal pour", "Acheter %1", "Notre méthode de classement", "Vérifié le %1"},
    {"es", "Producto", "Valoración", "Precio", "Ideal para", "Comprar %1", "Cómo lo clasificamos", "Comprobado el %1"},
    {"it", "Prodotto", "Valutazione", "Prezzo", "Ideale per", "Acquista %1", "Come abbiamo stilato la classifica",
     "Verificato il %1"},
    {"pt-BR", "Produto", "Avaliação", "Preço", "Ideal para", "Comprar %1", "Como classificamos", "Verificado em %1"},
    {"pt-PT", "Produto", "Avaliação", "Preço", "Ideal para", "Comprar %1", "Como classificámos", "Verificado em %1"},
    {"nl", "Product", "Beoordeling", "Prijs", "Het best voor", "%1 kopen", "Zo hebben we gerangschikt",
     "Gecontroleerd op %1"},
    {"pl", "Produkt", "Ocena", "Cena", "Najlepszy dla", "Kup %1", "Jak ustaliliśmy ranking", "Sprawdzono %1"},
};
} // namespace
} // namespace orvanta::page

// English keeps one spelling of a date wherever the machine stands; the others take their language's long form.
QString ListWords::checkedOnText(const QDate& date) const
{
    if (tag == QLatin1String("en"))
        return checkedOn.arg(QLocale(QLocale::English).toString(date, QStringLiteral("d MMMM yyyy")));
    return checkedOn.arg(QLocale(tag).toString(date, QLocale::LongFormat));
}

namespace orvanta::page {
namespace ListWordTables {
ListWords of(const QString& tag)
{
    const auto* found = std::find_if(std::begin(tables), std::end(tables), [&tag](const Table& table) {
        return tag.compare(QLatin1String(table.tag), Qt::CaseInsensitive) == 0;
    });
    const Table& table = found == std::end(tables) ? tables[0] : *found;
    ListWords words;
    words.tag = QLatin1String(table.tag);
    words.product = QString::fromUtf8(table.product);
    words.rating = QString::fromUtf8(table.rating);
    words.price = QString::fromUtf8(table.price);
    words.bestFor = QString::fromUtf8(table.bestFor);
    words.buy = QString::fromUtf8(table.buy);
    words.howWeRanked = QString::fromUtf8(table.howWeRanked);
    words.checkedOn = QString::fromUtf8(table.checkedOn);
    words.noValue = QStringLiteral("\u2013");
    return words;
}
} // namespace ListWordTables
} // namespace orvanta::page
