#include "PdfName.h"

#include "PageBuilder.h"
#include "PageTr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace orvanta::page;

namespace orvanta::page {
namespace {
bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// Marks that turn the text's direction: "guide\u202Efdp.exe" shows as "guideexe.pdf".
bool isDirectionMark(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F || u == 0x061C;
}

bool isForbidden(QChar c)
{
    return isControl(c) || isDirectionMark(c) || QStringLiteral("/\\:*?\"<>|").contains(c);
}

QString describe(QChar c)
{
    if (isControl(c) || isDirectionMark(c))
        return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return c;
}
} // namespace

QString forbiddenCharactersIn(const QString& name)
{
    QString found;
    for (const QChar c : name) {
        if (isForbidden(c) && !found.contains(c))
            found += c;
    }
    return found;
}

QString pdfNameProblem(const QString& pdfFileName)
{
    const QString forbidden = forbiddenCharactersIn(pdfFileName);
    if (!forbidden.isEmpty()) {
        QStringList shown;
        for (const QChar c : forbidden)
            shown << describe(c);
        return PageTr::tr("The pdf name may not contain these characters: %1").arg(shown.join(QLatin1Char(' ')));
    }
    const QString pageName = pageNameOf(pdfFileName);
    if (pageName == QLatin1String(".") || pageName == QLatin1String(".."))
        return PageTr::tr("The pdf name may not be \".\" or \"..\".");
    // Measured as the file system stores it: toUtf8() writes a lone surrogate as one byte, the file name as three.
    if (QFile::encodeName(pageName).size() > maxPageNameBytes())
        return PageTr::tr("The pdf name is too long. Please use a shorter name.");
    return QString();
}
} // namespace orvanta::page

int PdfClaims::claim(const QString& pdfPath, int claimant)
{
    QString key = QDir::cleanPath(QDir::fromNativeSeparators(pdfPath));
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    key = key.toCaseFolded();
#endif
    const auto claimed = m_claimed.constFind(key);
    if (claimed != m_claimed.cend())
        return *claimed;
    m_claimed.insert(key, claimant);
    return -1;
}
