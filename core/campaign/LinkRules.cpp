#include "LinkRules.h"

#include "CampaignTr.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace {
bool isWebAddress(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty() &&
           (text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
            text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive));
}

// What a URL may hold as it is in every format written: the rest is percent-encoded.
constexpr int MaxSegmentBytes = 255;

bool keptAsIs(char c)
{
    static const QByteArray kept = QByteArrayLiteral("-._~:/?#[]@!&()*+,;=%");
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || kept.contains(c);
}

// Browsers resolve "." and ".." before asking, so such a link would never reach its directive; on disk they, and an
// empty segment, would put the redirect page outside the links' site folder.
QString pathProblem(const QString& base, const QString& path)
{
    const QString folder = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
    const QStringList segments = folder.mid(1).chopped(1).split(QLatin1Char('/'));
    const bool dots = base.contains(QLatin1String("%2e"), Qt::CaseInsensitive) ||
                      std::any_of(segments.cbegin(), segments.cend(), [](const QString& segment) {
                          return segment.isEmpty() || segment == QLatin1String(".") || segment == QLatin1String("..");
                      });
    if (folder == QLatin1String("/"))
        return CampaignTr::tr("The link base \"%1\" cannot hold short links: it is the site's root, where a short link "
                              "would take the place of the site's own pages; give them a folder, like "
                              "https://example.com/go/.")
            .arg(base);
    if (dots)
        return CampaignTr::tr("The link base \"%1\" cannot hold short links: its path holds \"//\", \".\" or "
                              "\"..\", plainly or percent-encoded; write the folder plainly, like "
                              "https://example.com/go/.")
            .arg(base);
    for (const QString& segment : segments)
        if (segment.toUtf8().size() > MaxSegmentBytes)
            return CampaignTr::tr("The link base \"%1\" cannot hold short links: a folder of its path is longer than "
                                  "%2 bytes, more than a file system takes; shorten it.")
                .arg(base)
                .arg(MaxSegmentBytes);
    return {};
}
} // namespace

namespace LinkRules {
QString slugFromName(const QString& name)
{
    const QString plain = name.normalized(QString::NormalizationForm_KD).toLower();
    QString slug;
    for (const QChar c : plain) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            slug += c;
        else if (c.category() != QChar::Mark_NonSpacing && !slug.endsWith(QLatin1Char('-')))
            slug += QLatin1Char('-');
    }
    slug = slug.left(MaxSlugLength);
    while (slug.startsWith(QLatin1Char('-')))
        slug.remove(0, 1);
    while (slug.endsWith(QLatin1Char('-')))
        slug.chop(1);
    return slug.isEmpty() ? QStringLiteral("offer") : slug;
}

QString slugProblem(const QString& slug)
{
    // "\z", not "$": "$" also matches before a last line break, which would end a directive in a server's file.
    static const QRegularExpression pattern(QStringLiteral("^[a-z0-9]+(-[a-z0-9]+)*\\z"));
    if (slug.isEmpty() || (slug.size() <= MaxSlugLength && pattern.match(slug).hasMatch()))
        return {};
    return CampaignTr::tr(
               "The short link's name \"%1\" cannot be used: use at most %2 lower-case letters a-z, digits and single "
               "hyphens between them, like \"my-offer-2\".")
        .arg(slug)
        .arg(MaxSlugLength);
}

// The base's path is written into server files as it is, so it holds only characters that need no quoting.
QString linkBaseProblem(const QString& base)
{
    static const QRegularExpression path(QStringLiteral("^/[A-Za-z0-9._~/-]*\\z"));
    if (base.isEmpty())
        return {};
    const QUrl url(base, QUrl::StrictMode);
    if (!isWebAddress(base) || !url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment() ||
        !path.match(url.path().isEmpty() ? QStringLiteral("/") : url.path()).hasMatch())
        return CampaignTr::tr(
                   "The link base \"%1\" cannot hold short links: write an address on your own site that begins with "
                   "http:// or https://, without \"?\" or \"#\", like https://example.com/go/.")
            .arg(base);
    return pathProblem(base, url.path());
}

bool isSiteRoot(const QString& base)
{
    const QString path = QUrl(base, QUrl::StrictMode).path();
    return (path.isEmpty() || path == QLatin1String("/")) &&
           linkBaseProblem(normalBase(base) + QLatin1String("go/")).isEmpty();
}

QString printable(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = QLatin1Char(' ');
    return text;
}

QString normalBase(const QString& base)
{
    return base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
}

QString linkOf(const QString& base, const QString& slug)
{
    return normalBase(base) + slug;
}

QString channelSuffix(Channel channel)
{
    switch (channel) {
    case Channel::Button:
        return QStringLiteral("/p");
    case Channel::Qr:
        return QStringLiteral("/q");
    case Channel::Web:
        break;
    }
    return QStringLiteral("/w");
}

QString channelLink(const QString& link, Channel channel)
{
    return link + channelSuffix(channel);
}

QString slugOr(const QString& slug, const QString& pdfName)
{
    return slug.isEmpty() ? slugFromName(pdfName) : slug;
}

Result<QString> targetOf(const QString& link)
{
    const QString trimmed = link.trimmed();
    for (const QChar c : trimmed)
        if (c.category() == QChar::Other_Control || c == QLatin1Char('$'))
            return fail(
                CampaignTr::tr(
                    "The link \"%1\" cannot be a short link's target: it holds a line break, a control character "
                    "or a \"$\", which a server's redirect file would read as its own.")
                    .arg(QString(trimmed).replace(QLatin1Char('\n'), QLatin1String("\\n"))));
    QByteArray encoded;
    for (const char c : trimmed.toUtf8()) {
        if (keptAsIs(c))
            encoded += c;
        else
            encoded += '%' + QByteArray::number(uchar(c), 16).toUpper().rightJustified(2, '0');
    }
    const QString url = QString::fromLatin1(encoded);
    if (encoded.size() > MaxTargetBytes)
        return fail(CampaignTr::tr("The link \"%1…\" cannot be a short link's target: it is %2 bytes long, more than "
                                   "the %3 every server's redirect file takes; shorten it.")
                        .arg(trimmed.left(80))
                        .arg(encoded.size())
                        .arg(MaxTargetBytes));
    if (!isWebAddress(url))
        return fail(
            CampaignTr::tr(
                "The link \"%1\" cannot be a short link's target: it is no web address beginning with http:// or "
                "https://.")
                .arg(trimmed));
    return url;
}
} // namespace LinkRules
} // namespace orvanta::campaign
