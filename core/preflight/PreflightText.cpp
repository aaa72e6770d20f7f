#include "PreflightText.h"

#include "PreflightPdf.h"
#include "PreflightTr.h"

#include <QBuffer>
#include <QDir>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QRegularExpression>

#include <map>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
/** A text folded for comparing, each of its characters traced back to its page and place there. */
struct FoldedText {
    QString text;
    QList<std::pair<int, int>> from;
};

// The converter may wrap a title, and a design may set it in capitals or with ligatures. One character at a time,
// so that each folded one knows where it came from.
void fold(FoldedText& folded, const QString& text, int page)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString piece = text.mid(i, length).normalized(QString::NormalizationForm_KD).toCaseFolded();
        for (const QChar c : piece) {
            if (!c.isSpace()) {
                folded.text += c;
                folded.from.append({page, int(i)});
            }
        }
        i += length - 1;
    }
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

/** Qt's PDF module with each page's place counted from the top of its visible box. */
struct PdfText {
    QPdfDocument document;
    /** How far each page's box stands above its space's origin: Qt counts from the box's height instead. */
    QList<double> bottoms;
};

// Qt's PDF module counts a page's places from the height of its box, ignoring where the box starts, in some
// versions (6.4) and from the box's top in others (6.8): one raised page tells which.
bool qtCountsFromTheBoxTop()
{
    static const bool fromTop = [] {
        constexpr double bottom = 100;
        QByteArray bytes = raisedBoxPdf(bottom, bottom + 150);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QPdfDocument document;
        document.load(&buffer);
        const QRectF letter = document.getSelectionAtIndex(0, 0, 1).boundingRectangle();
        // 50 points below the box's top, or 50 above the box's height counted from 0.
        return letter.bottom() > 0;
    }();
    return fromTop;
}

void addAreas(PdfText& pdf, int page, int start, int length, FoundText& found)
{
    const QPdfSelection selection = pdf.document.getSelectionAtIndex(page, start, length);
    const double bottom = page < pdf.bottoms.size() && !qtCountsFromTheBoxTop() ? pdf.bottoms.at(page) : 0;
    for (const QPolygonF& bound : selection.bounds())
        found.areas.append({page, bound.boundingRect().translated(0, bottom)});
}

// A title may run over a page's end: each page's share of it is one stretch.
QList<FoundText> titlesIn(PdfText& pdf, const FoldedText& all, const QString& title)
{
    FoldedText wanted;
    fold(wanted, title, 0);
    QList<FoundText> titles;
    if (wanted.text.isEmpty())
        return titles;
    for (qsizetype at = all.text.indexOf(wanted.text); at >= 0; at = all.text.indexOf(wanted.text, at + 1)) {
        std::map<int, std::pair<int, int>> pages;
        for (qsizetype i = at; i < at + wanted.text.size(); ++i) {
            const auto [page, index] = all.from.at(i);
            const auto [spot, added] = pages.try_emplace(page, index, index);
            spot->second.first = std::min(spot->second.first, index);
            spot->second.second = std::max(spot->second.second, index);
        }
        FoundText found;
        for (const auto& [page, span] : pages)
            addAreas(pdf, page, span.first, span.second - span.first + 1, found);
        titles << found;
    }
    return titles;
}
} // namespace

PdfTextFacts readPdfText(const QByteArray& pdf, const QString& path, const QString& title, const QStringList& wordings)
{
    PdfTextFacts facts;
    QByteArray bytes = pdf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    PdfText pdfText;
    QPdfDocument& document = pdfText.document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready) {
        facts.error = PreflightTr::tr("%1 is not a PDF that Qt's PDF reader opens (error %2)")
                          .arg(QDir::toNativeSeparators(path))
                          .arg(int(document.error()));
        return facts;
    }
    for (const QRectF& box : pageBoxes(pdf))
        pdfText.bottoms << box.y();
    const QRegularExpression pattern = wordingPattern(wordings);
    FoldedText all;
    for (int page = 0; page < document.pageCount(); ++page) {
        const QString text = document.getAllText(page).text();
        fold(all, text, page);
        for (QRegularExpressionMatchIterator it = pattern.globalMatch(text); !wordings.isEmpty() && it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            FoundText found;
            addAreas(pdfText, page, int(match.capturedStart()), int(match.capturedLength()), found);
            facts.wordings << found;
        }
    }
    facts.titles = titlesIn(pdfText, all, title);
    return facts;
}
} // namespace orvanta::preflight
