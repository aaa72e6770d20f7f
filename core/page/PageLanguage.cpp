#include "PageLanguage.h"

#include "PageTr.h"

#include <QCoreApplication>
#include <QRegularExpression>

using namespace orvanta::page;

namespace orvanta::page {
namespace {
// The attribute @p name of the page's first html element set to @p value, a plain token; a page without one gets one
// after its doctype.
QString withAttribute(QString text, const QString& name, const QString& value)
{
    static const QRegularExpression element(QStringLiteral("<html\\b[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression old(QStringLiteral("(?<=\\s)%1\\s*=\\s*(\"[^\"]*\"|'[^']*'|[^\\s>]*)").arg(name),
                                 QRegularExpression::CaseInsensitiveOption);
    const QString attribute = QStringLiteral("%1=\"%2\"").arg(name, value);
    const QRegularExpressionMatch html = element.match(text);
    if (!html.hasMatch()) {
        static const QRegularExpression doctype(QStringLiteral("^\\s*<!DOCTYPE[^>]*>"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch declared = doctype.match(text);
        return text.insert(declared.hasMatch() ? declared.capturedEnd() : 0,
                           QStringLiteral("<html %1>").arg(attribute));
    }
    QString tagText = html.captured();
    const QRegularExpressionMatch found = old.match(tagText, 5);
    if (found.hasMatch())
        tagText.replace(found.capturedStart(), found.capturedLength(), attribute);
    else
        tagText.insert(5, QLatin1Char(' ') + attribute);
    return text.replace(html.capturedStart(), html.capturedLength(), tagText);
}
} // namespace

namespace PageLanguage {
// The value stands in a quoted attribute and the PDF's /Lang: nothing but the tag's own characters may reach them.
bool isTag(const QString& tag)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z]{1,8}(-[A-Za-z0-9]{1,8})*$"));
    return shape.match(tag).hasMatch();
}

QString problem(const QString& tag)
{
    if (tag.isEmpty() || isTag(tag))
        return {};
    // A sheet's cell may hold anything; the message shows enough to find it, never a page of text.
    constexpr qsizetype shown = 40;
    const QString named = tag.size() > shown ? tag.left(shown) + QChar(0x2026) : tag;
    return PageTr::tr("The language \"%1\" is not a language tag: give one like de or pt-BR, letters and digits joined "
                      "by '-'.")
        .arg(named);
}

QString withLanguage(QString text, const QString& tag)
{
    return tag.isEmpty() ? text : withAttribute(std::move(text), QStringLiteral("lang"), tag);
}

// Only a page written right to left says so: any other keeps the design's own, byte for byte. Chromium prints a
// zoomed page whose root runs right to left shifted off the paper's left edge, so the root keeps its origin and the
// body runs right to left; first in the head, so that a design's own rules win.
bool isRightToLeft(const QString& tag)
{
    return !tag.isEmpty() && QLocale(tag).textDirection() == Qt::RightToLeft;
}

QString withDirection(QString text, bool rightToLeft)
{
    if (!rightToLeft)
        return text;
    text = withAttribute(std::move(text), QStringLiteral("dir"), QStringLiteral("rtl"));
    static const QRegularExpression opening(QStringLiteral("<(head|body)\\b[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch found = opening.match(text);
    return text.insert(found.hasMatch() ? found.capturedEnd() : text.size(),
                       QStringLiteral("\n<style>\nhtml[dir=rtl] { direction: ltr; }\nhtml[dir=rtl] body { direction: "
                                      "rtl; }\n</style>"));
}

QStringList choices(const QLocale& system)
{
    QStringList tags{system.bcp47Name()};
    for (const char* tag : {"en", "de", "fr", "es", "it", "pt", "pt-BR", "nl", "sv", "da", "nb", "fi", "pl", "cs",
                            "hu", "ro", "el", "tr", "ru", "uk", "ar",    "he", "hi", "id", "ja", "ko", "zh"})
        tags << QLatin1String(tag);
    tags.removeAll(QString());
    tags.removeDuplicates();
    return tags;
}
} // namespace PageLanguage
} // namespace orvanta::page
