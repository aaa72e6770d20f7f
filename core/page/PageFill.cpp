#include "PageFill.h"

#include "Designs.h"
#include "HelperOps.h"
#include "LinkRules.h"
#include "PageEscaping.h"
#include "PlainText.h"
#include "ReviewBlocks.h"

#include <QRegularExpression>
#include <QUrl>

#include <iterator>

using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
// The copy keeps its name; the page refers to it by a relative URL, in which a '#', '?' or '%' of the name would
// start a fragment, a query or an escape, and a quote or '&' would end or change the attribute.
QString imageReference(const QString& fileName)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(fileName));
}

// Off, the placeholder leaves nothing behind. On, a design without one shows the code at the page's end rather
// than not at all.
QString withQrCode(QString text, const QString& block)
{
    const QString placeholder = Designs::qrCodePlaceholder();
    if (!block.isEmpty() && !text.contains(placeholder))
        return text + block;
    return vParser::ReplaceText(std::move(text), placeholder, block);
}

// In the order of the placeholders' list.
QStringList nineValues(const PageFields& fields, const PagePictures& pictures)
{
    return {fields.mainTitle,
            imageReference(pictures.affiliateImage),
            vParser::ReplaceText(fields.review, QStringLiteral("\r\n"), QStringLiteral("<br>")),
            fields.bonusHeadline,
            imageReference(pictures.bonusImage),
            fields.ctaTitle,
            fields.ctaText,
            PageFill::pageLink(fields.ctaUrl),
            fields.bonusInstructions};
}

// A title element holds text only: markup there would end it and go on as the page's own.
QString withPlainTitles(QString text, const QStringList& values)
{
    static const QRegularExpression title(QStringLiteral("(<title\\b[^>]*>)(.*?)(</title\\s*>)"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QStringList names = Designs::placeholders();
    QString result;
    qsizetype done = 0;
    for (QRegularExpressionMatchIterator it = title.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QString inner = match.captured(2);
        for (qsizetype i = 0; i < names.size(); ++i)
            inner = vParser::ReplaceText(std::move(inner), names.at(i), escaped(plainTitle(values.at(i))));
        result += text.mid(done, match.capturedStart(2) - done) + inner;
        done = match.capturedEnd(2);
    }
    return result + text.mid(done);
}

// The same rule as a page without a head of its own: the tags go before its body, else at its start.
qsizetype headEndOf(const QString& text)
{
    const qsizetype head = text.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    const qsizetype body = head < 0 ? text.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive) : head;
    return qMax<qsizetype>(body, 0);
}

// Every optional value is escaped, so none brings a placeholder of its own; the nine, which are not, come after.
QString filledPart(QString text, const QStringList& nine, const QStringList& optional)
{
    const QStringList optionalNames = Designs::optionalPlaceholders();
    Q_ASSERT(optionalNames.size() == optional.size());
    for (qsizetype i = 0; i < optionalNames.size(); ++i)
        text = vParser::ReplaceText(std::move(text), optionalNames.at(i), optional.at(i));
    const QStringList names = Designs::placeholders();
    Q_ASSERT(names.size() == nine.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        text = vParser::ReplaceText(std::move(text), names.at(i), nine.at(i));
    return text;
}

// A description stands in a quoted attribute; the title and headline it falls back to may hold markup of their own.
QString altText(const QString& description, const QString& fallback)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    const QString text = description.trimmed().isEmpty() ? QString(fallback).remove(tags) : description;
    return escaped(text.simplified());
}

constexpr int firstBlock = 2;
} // namespace

namespace PageFill {
// The link stands inside a quoted attribute: what a URL cannot hold is percent-encoded as a browser would, so a
// quote or '<' can neither end the attribute nor open markup of its own. Everything else stays as typed.
QString qrLink(const PageFields& fields)
{
    return fields.shortLink.isEmpty() ? fields.ctaUrl
                                      : LinkRules::channelLink(fields.shortLink, LinkRules::Channel::Qr);
}

QList<std::pair<QString, QString>> webLinks(const PageFields& fields)
{
    if (fields.shortLink.isEmpty())
        return {};
    return {{pageLink(fields.ctaUrl), pageLink(LinkRules::channelLink(fields.shortLink, LinkRules::Channel::Web))}};
}

QString pageLink(const QString& link)
{
    QString safe;
    safe.reserve(link.size());
    for (const QChar c : link) {
        const char16_t u = c.unicode();
        if (u <= 0x20 || u == 0x7F || QStringLiteral("\"'<>`").contains(c))
            safe += QLatin1Char('%') + QStringLiteral("%1").arg(int(u), 2, 16, QLatin1Char('0')).toUpper();
        else
            safe += c;
    }
    return safe;
}

QStringList optionalValues(const PageFields& fields, const PageWords& words)
{
    return {altText(fields.affiliateImageAlt, fields.mainTitle),
            altText(fields.bonusImageAlt, fields.bonusHeadline),
            ReviewBlocks::ratingBlock(fields.rating, words),
            ReviewBlocks::verdictBlock(fields.verdict, words),
            ReviewBlocks::prosAndConsBlock(fields.pros, fields.cons, words),
            ReviewBlocks::prosBlock(fields.pros, words),
            ReviewBlocks::consBlock(fields.cons, words)};
}

// The blocks' style comes only with a block the design shows, so a page without one stays as it always was.
bool showsBlock(const QString& text, const QStringList& optional)
{
    const QStringList names = Designs::optionalPlaceholders();
    for (qsizetype i = firstBlock; i < names.size(); ++i)
        if (!optional.at(i).isEmpty() && text.contains(names.at(i)))
            return true;
    return false;
}

// The head and the rest are filled apart: no placeholder spans the head's end, so the text is the same as filled
// whole, and the head's end is the template's own, not one a value brought.
FilledText filled(QString templateText, const PageFields& fields, const PagePictures& pictures, const PageWords& words)
{
    const QStringList nine = nineValues(fields, pictures);
    const QStringList optional = optionalValues(fields, words);
    // Before the values go in: a placeholder's text typed into one of them stays as typed.
    QString text = PageWordTables::withDisclosure(withQrCode(std::move(templateText), pictures.qrCode), words);
    text = withPlainTitles(std::move(text), nine);
    const qsizetype headEnd = headEndOf(text);
    FilledText result;
    result.text = filledPart(text.left(headEnd), nine, optional);
    result.headEnd = result.text.size();
    result.text += filledPart(text.mid(headEnd), nine, optional);
    return result;
}
} // namespace PageFill
} // namespace orvanta::page
