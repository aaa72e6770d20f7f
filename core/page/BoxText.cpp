#include "BoxText.h"

#include <QLatin1String>

using namespace orvanta::page;

namespace orvanta::page {
namespace BoxText {
// The box keeps every line break as a block and hands them back as LF, which the window turns into CR LF; line
// and paragraph separators and frame marks come back as LF too.
QString multiLine(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        if (c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1)
            result += QLatin1String("\r\n");
        else
            result += text.at(i);
    }
    return result;
}

QString line(const QString& text)
{
    return text.left(32767);
}
} // namespace BoxText
} // namespace orvanta::page
