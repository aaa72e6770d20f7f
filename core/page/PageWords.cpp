#include "PageWords.h"

#include "PageLanguage.h"

#include "HelperOps.h"
#include "PageEscaping.h"
#include "PageTr.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <iterator>

using namespace orvanta::page;

namespace orvanta::page {
namespace {
struct Table {
    const char* tag;
    const char* rating;
    const char* stars;
    const char* verdict;
    const char* pros;
    const char* cons;
    const char* qrCode;
    const char* disclosure;
    /** Lower case: what the preflight finds of the disclosure in the PDF's text. */
    const char* mark;
    /** Lower case, '|' between: the words a review's title calls it by, and those joining them to the product. */
    const char* review;
    const char* reviewOf;
};

// The first is the page of any other language. French sets its colons off with a no-break space.
const Table tables[] = {
    {"en", "Rating: %1 out of 5", "%1 out of 5 stars", "Verdict:", "Pros", "Cons", "QR code of the link",
     "Disclosure: we may earn a commission if you buy through this link, at no extra cost to you.", "earn a commission",
     "review|reviews", "of"},
    {"de", "Bewertung: %1 von 5", "%1 von 5 Sternen", "Fazit:", "Vorteile", "Nachteile", "QR-Code des Links",
     "Hinweis: Wenn Sie über diesen Link kaufen, erhalten wir möglicherweise eine Provision. Für Sie entstehen "
     "dabei keine Mehrkosten.",
     "eine provision", "testbericht|erfahrungsbericht|rezension|im test|test", "zu|zum|zur|über|von"},
    {"fr", "Note\u00A0: %1 sur 5", "%1 étoiles sur 5", "Notre avis\u00A0:", "Points forts", "Points faibles",
     "Code QR du lien",
     "Transparence\u00A0: nous pouvons percevoir une commission si vous achetez via ce lien, sans frais "
     "supplémentaires pour vous.",
     "une commission", "avis|test|critique", "sur|de|du|des"},
    {"es", "Valoración: %1 de 5", "%1 de 5 estrellas", "Veredicto:", "Ventajas", "Inconvenientes",
     "Código QR del enlace",
     "Aviso: podemos recibir una comisión si compras a través de este enlace, sin ningún coste adicional para ti.",
     "una comisión", "reseña|análisis|opinión|review", "de|del|sobre"},
    {"it", "Valutazione: %1 su 5", "%1 stelle su 5", "Il nostro verdetto:", "Pro", "Contro", "Codice QR del link",
     "Informativa: potremmo ricevere una commissione se acquisti tramite questo link, senza alcun costo aggiuntivo "
     "per te.",
     "una commissione", "recensione|review", "di|del|della|su"},
    {"pt-BR", "Avaliação: %1 de 5", "%1 de 5 estrelas", "Veredito:", "Prós", "Contras", "QR code do link",
     "Aviso: podemos receber uma comissão se você comprar por meio deste link, sem nenhum custo adicional para você.",
     "uma comissão", "review|resenha|análise|avaliação", "de|do|da|sobre"},
    {"pt-PT", "Avaliação: %1 em 5", "%1 em 5 estrelas", "Veredicto:", "Vantagens", "Desvantagens",
     "Código QR da ligação",
     "Aviso: podemos receber uma comissão se comprar através desta ligação, sem qualquer custo adicional para si.",
     "uma comissão", "análise|crítica|review|avaliação", "de|do|da|sobre"},
    {"nl", "Beoordeling: %1 van 5", "%1 van 5 sterren", "Ons oordeel:", "Voordelen", "Nadelen", "QR-code van de link",
     "Transparantie: we ontvangen mogelijk een commissie als je via deze link koopt, zonder extra kosten voor jou.",
     "een commissie", "review|recensie", "van|over"},
    {"pl", "Ocena: %1 na 5", "%1 na 5 gwiazdek", "Werdykt:", "Zalety", "Wady", "Kod QR linku",
     "Informacja: możemy otrzymać prowizję, jeśli kupisz przez ten link, bez żadnych dodatkowych kosztów dla "
     "Ciebie.",
     "otrzymać prowizję", "recenzja|opinia|test", ""},
};

QString subtag(const QString& tag, int index)
{
    return tag.section(QLatin1Char('-'), index, index).toLower();
}

// By the tag's primary language; Portuguese also by its region, Portugal's where none is Brazil.
const Table& tableOf(const QString& language)
{
    QString wanted = subtag(language, 0);
    if (wanted == QLatin1String("pt"))
        wanted = language.split(QLatin1Char('-')).mid(1).contains(QLatin1String("BR"), Qt::CaseInsensitive)
                     ? QStringLiteral("pt-br")
                     : QStringLiteral("pt-pt");
    const auto* found = std::find_if(std::begin(tables), std::end(tables), [&wanted](const Table& table) {
        return wanted.compare(QLatin1String(table.tag), Qt::CaseInsensitive) == 0;
    });
    return found == std::end(tables) ? tables[0] : *found;
}

// The most particular key wins: the campaign's own tag, then the table's, then the primary language, then all.
QString overridden(const QHash<QString, QString>& overrides, const QStringList& tags, const QString& name,
                   const QString& word)
{
    for (const QString& tag : tags) {
        const QString key = QStringLiteral("word.%1.%2").arg(tag, name);
        if (overrides.contains(key))
            return overrides.value(key);
    }
    return overrides.value(QStringLiteral("word.") + name, word);
}

} // namespace
} // namespace orvanta::page

QString PageWords::number(double rating) const
{
    // English keeps the page as it always was.
    if (tag == QLatin1String("en"))
        return QString::number(rating);
    return QLocale(tag).toString(rating, 'g', 3);
}

namespace orvanta::page {
namespace PageWordTables {
QStringList names()
{
    // One literal: three of them are also campaign keys, which are spelled once.
    return QStringLiteral("rating stars verdict pros cons qrcode disclosure").split(QLatin1Char(' '));
}

PageWords of(const QString& language, const QHash<QString, QString>& overrides)
{
    const Table& table = tableOf(language);
    PageWords words;
    words.tag = QLatin1String(table.tag);
    words.rating = QString::fromUtf8(table.rating);
    words.stars = QString::fromUtf8(table.stars);
    words.verdict = QString::fromUtf8(table.verdict);
    words.pros = QString::fromUtf8(table.pros);
    words.cons = QString::fromUtf8(table.cons);
    words.qrCode = QString::fromUtf8(table.qrCode);
    words.disclosure = QString::fromUtf8(table.disclosure);
    words.review = QString::fromUtf8(table.review).split(QLatin1Char('|'));
    words.reviewOf = QString::fromUtf8(table.reviewOf).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    words.rightToLeft = PageLanguage::isRightToLeft(language);
    QStringList tags{language.toLower(), words.tag.toLower(), subtag(language, 0)};
    tags.removeAll(QString());
    tags.removeDuplicates();
    QString* const places[] = {&words.rating, &words.stars,  &words.verdict,   &words.pros,
                               &words.cons,   &words.qrCode, &words.disclosure};
    const QStringList all = names();
    for (qsizetype i = 0; i < all.size(); ++i)
        *places[i] = overridden(overrides, tags, all.at(i), *places[i]);
    return words;
}

QString overrideProblem(const QHash<QString, QString>& overrides)
{
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it) {
        const QString name = it.key().section(QLatin1Char('.'), -1);
        if (it.key().count(QLatin1Char('.')) > 2 || !names().contains(name))
            return PageTr::tr("%1 is not a word of the page; the words are %2.")
                .arg(it.key(), names().join(QStringLiteral(", ")));
        const bool takesRating = names().indexOf(name) < 2;
        if (takesRating && !it.value().contains(QLatin1String("%1")))
            return PageTr::tr("%1 lacks %2, where the rating goes.").arg(it.key(), QStringLiteral("%1"));
    }
    return {};
}

QStringList disclosureMarks()
{
    QStringList marks;
    for (const Table& table : tables)
        marks << QString::fromUtf8(table.mark);
    marks.removeDuplicates();
    return marks;
}

QString disclosurePlaceholder()
{
    return QStringLiteral("#DISCLOSURE#");
}

QString withDisclosure(QString text, const PageWords& words)
{
    return vParser::ReplaceText(std::move(text), disclosurePlaceholder(), escaped(words.disclosure));
}
} // namespace PageWordTables
} // namespace orvanta::page
