#include "HelperOps.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringMatcher>

#include <cstring>
#include <vector>

namespace vTools {
bool FileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}
} // namespace vTools

namespace vFile {
QString FileNameOf(const QString& path)
{
    qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    cut = std::max(cut, path.lastIndexOf(QLatin1Char('\\')));
#endif
    // Elsewhere a backslash is an ordinary character of a file name.
    return path.mid(cut + 1);
}

static QString decodeWindows1252(const QByteArray& bytes)
{
    // Qt only offers Latin-1 without ICU; cp1252 differs in 0x80-0x9F, so map those ourselves.
    static const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte < 0xA0) ? QChar(high[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QString decodeText(const QByteArray& bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray body = bytes.startsWith(bom) ? bytes.mid(bom.size()) : bytes;
    // One mark is skipped above; the decoder would otherwise drop a second one that belongs to the text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8(body);
    return utf8.hasError() ? decodeWindows1252(body) : text;
}

bool readTextFile(const QString& path, QString* text, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QCoreApplication::translate("vFile", "Could not read the file \"%1\": %2.")
                         .arg(path, file.errorString());
        return false;
    }
    *text = decodeText(file.readAll());
    return true;
}

QString LoadTextFile(const QString& path)
{
    QString text;
    readTextFile(path, &text);
    return text;
}
} // namespace vFile

namespace vParser {
namespace {
// QString::replace moves the rest of the text again for every 1,024 matches when the replacement is longer,
// which grew with the square of the line breaks in a long review. Here the text grows once and every
// character behind a match moves once, from the last match back to the first.
QString replaceGrowing(QString text, const QString& find, const QString& replacement)
{
    const QStringMatcher matcher(find);
    std::vector<qsizetype> matches;
    for (qsizetype at = matcher.indexIn(text); at >= 0; at = matcher.indexIn(text, at + find.size()))
        matches.push_back(at);
    if (matches.empty())
        return text;
    qsizetype sourceEnd = text.size();
    text.resize(sourceEnd + qsizetype(matches.size()) * (replacement.size() - find.size()));
    QChar* const chars = text.data();
    QChar* target = chars + text.size();
    for (auto match = matches.crbegin(); match != matches.crend(); ++match) {
        const qsizetype behind = *match + find.size();
        target -= sourceEnd - behind;
        std::memmove(target, chars + behind, (sourceEnd - behind) * sizeof(QChar));
        target -= replacement.size();
        std::memcpy(target, replacement.constData(), replacement.size() * sizeof(QChar));
        sourceEnd = *match;
    }
    return text;
}
} // namespace

QString ReplaceText(QString text, const QString& find, const QString& replacement)
{
    if (find.isEmpty())
        return text;
    if (replacement.size() > find.size())
        return replaceGrowing(std::move(text), find, replacement);
    return text.replace(find, replacement);
}
} // namespace vParser
