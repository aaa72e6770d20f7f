#include "PreflightText.h"

#include <QBuffer>
#include <QDir>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QRegularExpression>

namespace {
// The converter may wrap a title, and a design may set it in capitals or with ligatures.
QString folded(const QString& text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded().remove(blanks);
}

QRegularExpression wordingPattern(const QStringList& wordings)
{
    QStringList alternatives;
    for (const QString& wording : wordings) {
        QStringList words;
        for (const QString& word : wording.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            words << QRegularExpression::escape(word);
        alternatives << words.join(QStringLiteral("\\s+"));
    }
    return QRegularExpression(alternatives.join(QLatin1Char('|')), QRegularExpression::CaseInsensitiveOption);
}
} // namespace

PdfTextFacts readPdfText(const QByteArray& pdf, const QString& path, const QString& title, const QStringList& wordings)
{
    PdfTextFacts facts;
    QByteArray bytes = pdf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready) {
        facts.error = QStringLiteral("%1: not a PDF Qt's reader opens (error %2)")
                          .arg(QDir::toNativeSeparators(path))
                          .arg(int(document.error()));
        return facts;
    }
    const QString wanted = folded(title);
    const QRegularExpression pattern = wordingPattern(wordings);
    QString all;
    for (int page = 0; page < document.pageCount(); ++page) {
        const QString text = document.getAllText(page).text();
        all += text;
        const QRegularExpressionMatch match = wordings.isEmpty() ? QRegularExpressionMatch() : pattern.match(text);
        if (!facts.firstWording && match.hasMatch()) {
            const QPdfSelection found =
                document.getSelectionAtIndex(page, int(match.capturedStart()), int(match.capturedLength()));
            facts.firstWording = PagePlace{page, found.isValid() ? found.boundingRectangle().top() : 0.0};
        }
    }
    facts.titleFound = !wanted.isEmpty() && folded(all).contains(wanted);
    return facts;
}
