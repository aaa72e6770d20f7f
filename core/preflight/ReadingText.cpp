#include "ReadingText.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
constexpr char16_t Lam = 0x0644;

bool isAlef(QChar c)
{
    return c.unicode() == 0x0627 || c.unicode() == 0x0671;
}

// Madda and hamza, as a decomposed alef carries them.
bool isAlefMark(QChar c)
{
    return c.unicode() >= 0x0653 && c.unicode() <= 0x0655;
}

// What a reader does not tell apart: the extractor drops or adds hyphens where it breaks lines, and an engine
// leaves out the marks that only steer the layout.
bool isIgnored(QChar c)
{
    const QChar::Category category = c.category();
    return c.isSpace() || category == QChar::Other_Format || category == QChar::Other_Control ||
           category == QChar::Punctuation_Dash || c.unicode() == 0x2212;
}

QChar quoteFolded(QChar c)
{
    switch (c.unicode()) {
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2032:
    case 0x02BC:
        return QLatin1Char('\'');
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033:
        return QLatin1Char('"');
    default:
        return c;
    }
}

// A lam and the alef after it are one glyph; the reader may give its two letters in the line's order.
bool matchesAt(const QString& text, qsizetype at, const QString& word)
{
    if (at + word.size() > text.size())
        return false;
    for (qsizetype i = 0; i < word.size();) {
        if (word.at(i) == Lam && i + 1 < word.size() && isAlef(word.at(i + 1))) {
            qsizetype end = i + 2;
            while (end < word.size() && isAlefMark(word.at(end)))
                ++end;
            const QStringView alef = QStringView(word).mid(i + 1, end - i - 1);
            const QStringView there = QStringView(text).mid(at + i, end - i);
            if (there != QStringView(word).mid(i, end - i) && !(there.startsWith(alef) && there.back() == Lam))
                return false;
            i = end;
            continue;
        }
        if (text.at(at + i) != word.at(i))
            return false;
        ++i;
    }
    return true;
}

struct Word {
    QString text;
    int count = 0;
};

// Whether the words left cover the text from @p at to @p end, each once, in some order. Bounded: a title's words
// are few, but repeated ones could make the tries many.
bool tiles(const QString& text, qsizetype at, qsizetype end, std::vector<Word>& words, int& budget)
{
    if (at == end)
        return true;
    for (Word& word : words) {
        if (word.count == 0 || --budget < 0 || !matchesAt(text, at, word.text))
            continue;
        --word.count;
        const bool rest = tiles(text, at + word.text.size(), end, words, budget);
        ++word.count;
        if (rest)
            return true;
    }
    return false;
}
} // namespace

void fold(FoldedText& folded, const QString& text, int page)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString piece = text.mid(i, length).normalized(QString::NormalizationForm_KD).toCaseFolded();
        for (const QChar c : piece) {
            if (!isIgnored(c)) {
                folded.text += quoteFolded(c);
                folded.from.append({page, int(i)});
            }
        }
        i += length - 1;
    }
}

QList<std::pair<qsizetype, qsizetype>> placesOf(const FoldedText& folded, const QString& wanted)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::vector<Word> words;
    qsizetype length = 0;
    for (const QString& each : wanted.split(blanks, Qt::SkipEmptyParts)) {
        FoldedText word;
        fold(word, each, 0);
        if (word.text.isEmpty())
            continue;
        length += word.text.size();
        const auto same =
            std::find_if(words.begin(), words.end(), [&word](const Word& w) { return w.text == word.text; });
        if (same != words.end())
            ++same->count;
        else
            words.push_back({word.text, 1});
    }
    QList<std::pair<qsizetype, qsizetype>> places;
    for (qsizetype at = 0; length > 0 && at + length <= folded.text.size(); ++at) {
        int budget = 4096;
        if (tiles(folded.text, at, at + length, words, budget))
            places.append({at, length});
    }
    return places;
}
} // namespace orvanta::preflight
