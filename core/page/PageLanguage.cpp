#include "PageLanguage.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("PageLanguage", text);
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
    return tr("The language \"%1\" is not a language tag: give one like de or pt-BR, letters and digits joined "
              "by '-'.")
        .arg(named);
}

QString withLanguage(QString text, const QString& tag)
{
    if (tag.isEmpty())
        return text;
    static const QRegularExpression element(QStringLiteral("<html\\b[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression lang(QStringLiteral("(?<=\\s)lang\\s*=\\s*(\"[^\"]*\"|'[^']*'|[^\\s>]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QString value = QStringLiteral("lang=\"%1\"").arg(tag);
    const QRegularExpressionMatch html = element.match(text);
    if (!html.hasMatch()) {
        static const QRegularExpression doctype(QStringLiteral("^\\s*<!DOCTYPE[^>]*>"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch declared = doctype.match(text);
        return text.insert(declared.hasMatch() ? declared.capturedEnd() : 0, QStringLiteral("<html %1>").arg(value));
    }
    QString tagText = html.captured();
    const QRegularExpressionMatch old = lang.match(tagText, 5);
    if (old.hasMatch())
        tagText.replace(old.capturedStart(), old.capturedLength(), value);
    else
        tagText.insert(5, QLatin1Char(' ') + value);
    return text.replace(html.capturedStart(), html.capturedLength(), tagText);
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
