// Holds the identifier rules, the PDF name rules and the text codecs against their promises on
// arbitrary text: the first input byte picks UTF-8 or raw UTF-16 (with lone surrogates), the rest is the text.
#include "Catalogue.h"
#include "FuzzInput.h"
#include "HelperOps.h"
#include "ModUtf8.h"
#include "PageBuilder.h"
#include "PdfName.h"
#include "Utf8Rules.h"

#include <QFile>

#include <algorithm>

using namespace orvanta::campaign;
using namespace orvanta::page;

using FuzzInput::require;

namespace {
// The longest name a file system takes, in bytes.
constexpr qsizetype MaxFileNameBytes = 255;

// The same rule as the catalogue's, read in a single pass: every CR and every LF goes.
QString cleanIdReference(const QString& raw)
{
    QString clean;
    for (const QChar c : raw) {
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            clean += c;
    }
    return clean;
}

void checkProductId(const QString& raw)
{
    const QString clean = Catalogue::cleanProductId(raw);
    require(!clean.contains(QLatin1Char('\r')) && !clean.contains(QLatin1Char('\n')),
            "a clean identifier holds no line break", raw);
    require(Catalogue::cleanProductId(clean) == clean, "cleaning an identifier twice changes nothing", raw);
    require(clean == cleanIdReference(raw), "clean identifier = raw minus every CR and LF", raw);
}

void checkDeliveryUrl(const QString& raw)
{
    const QString url = DeliveryUrl::forProduct(raw);
    const QString id = Catalogue::cleanProductId(raw);
    if (id.isEmpty()) {
        require(url == QLatin1String("Not Available Yet"), "an empty identifier has no delivery URL");
        return;
    }
    const QString base = DeliveryUrl::baseUrl();
    require(base.startsWith(QLatin1String("https://")) && base.endsWith(QLatin1String("/dld/")),
            "the delivery base URL is https and ends in /dld/", base);
    require(url == base + id + QLatin1String(".html"),
            "delivery URL = base URL + identifier without line breaks + .html", raw);
}

bool forbiddenInFileNames(QChar c)
{
    const char16_t u = c.unicode();
    const bool turnsDirection =
        (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F || u == 0x061C;
    return u < 0x20 || u == 0x7F || turnsDirection || QStringLiteral("/\\:*?\"<>|").contains(c);
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name.size() <= 100 && std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c.isLetterOrNumber() && c.unicode() < 0x80) || c == QLatin1Char(' ') || c == QLatin1Char('-');
    });
}

void checkForbiddenList(const QString& name)
{
    const QString listed = forbiddenCharactersIn(name);
    for (qsizetype i = 0; i < listed.size(); ++i)
        require(forbiddenInFileNames(listed[i]) && listed.indexOf(listed[i]) == i, "forbidden characters: each once",
                name);
    for (const QChar c : name)
        require(!forbiddenInFileNames(c) || listed.contains(c), "forbidden characters: none missed", name);
}

void checkPdfName(const QString& name)
{
    const QString page = pageNameOf(name);
    QString dashed = name;
    std::replace(dashed.begin(), dashed.end(), QChar(QLatin1Char(' ')), QChar(QLatin1Char('-')));
    require(page == dashed && !page.contains(QLatin1Char(' ')), "page name = PDF name with every blank a dash", name);

    const QString problem = pdfNameProblem(name);
    const bool leavesOrBreaks = std::any_of(name.begin(), name.end(), forbiddenInFileNames) ||
                                page == QLatin1String(".") || page == QLatin1String("..");
    require(!leavesOrBreaks || !problem.isEmpty(), "refused: separators, reserved and control characters, . and ..",
            name);
    if (problem.isEmpty()) {
        const QByteArray longestFile = QFile::encodeName(QStringLiteral("e") + page + QStringLiteral(".html"));
        require(longestFile.size() <= MaxFileNameBytes, "an accepted name fits a file name", name);
    }
    require(!isPlainName(name) || problem.isEmpty(), "letters, digits, blanks and dashes are accepted", name);
    checkForbiddenList(name);
}

void checkFileNameOf(const QString& path)
{
    const QString name = vFile::FileNameOf(path);
#ifdef Q_OS_WIN
    const bool separated = name.contains(QLatin1Char('\\'));
#else
    const bool separated = false;
#endif
    require(path.endsWith(name) && !name.contains(QLatin1Char('/')) && !separated,
            "a file name is the path's last part, without separators", path);
}

void checkDecode(const QByteArray& bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    const QString text = vFile::decodeText(bytes);
    const QByteArray body = bytes.startsWith(bom) ? bytes.mid(bom.size()) : bytes;
    if (Utf8Rules::isValid(body))
        require(Utf8Rules::encode(text) == body, "valid UTF-8 after one BOM reads back unchanged", text);
    else
        require(text.size() == body.size(), "other bytes read as Windows-1252, one character each", text);
}

void checkUtf8Bytes(const QString& text)
{
    const QByteArray bytes = modUTF8::utf8Bytes(text, false);
    require(Utf8Rules::isValid(bytes), "UTF-8 output is well-formed", text);
    require(bytes == Utf8Rules::encode(text), "UTF-8 output is the text's encoding, U+FFFD for lone surrogates", text);
    require(modUTF8::utf8Bytes(text, true) == bytes + "\r\n", "a requested line break is CR LF after the text", text);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput::Flags flags = FuzzInput::flagsOf(data, size);
    const QByteArray body = FuzzInput::bodyOf(data, size);
    const QString text = FuzzInput::textOf(body, flags);
    checkDecode(body);
    checkProductId(text);
    checkDeliveryUrl(text);
    checkPdfName(text);
    checkFileNameOf(text);
    checkUtf8Bytes(text);
    return 0;
}
