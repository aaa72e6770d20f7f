#include "AccessLine.h"

using namespace orvanta::links;

namespace {
// Reads a line left to right; any field that is not where the format puts it makes the whole line another format.
class Cursor final {
public:
    explicit Cursor(QByteArrayView line)
        : m_line(line)
    {
    }
    bool take(char c)
    {
        if (m_at >= m_line.size() || m_line[m_at] != c)
            return false;
        ++m_at;
        return true;
    }
    QByteArrayView word()
    {
        const qsizetype start = m_at;
        while (m_at < m_line.size() && m_line[m_at] != ' ')
            ++m_at;
        return m_line.sliced(start, m_at - start);
    }
    // A quoted field; both servers escape a quote inside it with a backslash.
    std::optional<QByteArrayView> quoted()
    {
        if (!take('"'))
            return std::nullopt;
        const qsizetype start = m_at;
        for (; m_at < m_line.size(); ++m_at) {
            if (m_line[m_at] == '\\')
                ++m_at;
            else if (m_line[m_at] == '"')
                return m_line.sliced(start, m_at++ - start);
        }
        return std::nullopt;
    }
    std::optional<QByteArrayView> until(char c)
    {
        const qsizetype end = m_line.indexOf(c, m_at);
        if (end < 0)
            return std::nullopt;
        const QByteArrayView field = m_line.sliced(m_at, end - m_at);
        m_at = end + 1;
        return field;
    }

private:
    QByteArrayView m_line;
    qsizetype m_at = 0;
};

int number(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > 4)
        return -1;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int monthOf(QByteArrayView name)
{
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    for (int month = 0; month < 12; ++month)
        if (name == QByteArrayView(months + 3 * month, 3))
            return month + 1;
    return 0;
}

// Days since 1970-01-01 of a civil date, valid for every Gregorian year.
qint64 daysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// "10/Dec/2026:03:12:58 +0100" as seconds since 1970 in UTC.
std::optional<qint64> timeOf(QByteArrayView t)
{
    if (t.size() != 26 || t[2] != '/' || t[6] != '/' || t[11] != ':' || t[14] != ':' || t[17] != ':' || t[20] != ' ' ||
        (t[21] != '+' && t[21] != '-'))
        return std::nullopt;
    const int day = number(t.sliced(0, 2)), month = monthOf(t.sliced(3, 3)), year = number(t.sliced(7, 4));
    const int hour = number(t.sliced(12, 2)), minute = number(t.sliced(15, 2)), second = number(t.sliced(18, 2));
    const int zoneHours = number(t.sliced(22, 2)), zoneMinutes = number(t.sliced(24, 2));
    if (day < 1 || day > 31 || month == 0 || year < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 60 || zoneHours < 0 || zoneHours > 14 || zoneMinutes < 0 || zoneMinutes > 59)
        return std::nullopt;
    const qint64 zone = (zoneHours * 3600 + zoneMinutes * 60) * (t[21] == '-' ? -1 : 1);
    return daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - zone;
}

int utf8Length(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}
} // namespace

namespace orvanta::links {
namespace AccessLines {
std::optional<AccessLine> parse(QByteArrayView line)
{
    Cursor cursor(line);
    AccessLine request;
    request.address = cursor.word();
    if (request.address.isEmpty() || !cursor.take(' ') || cursor.word().isEmpty() || !cursor.take(' ') ||
        cursor.word().isEmpty() || !cursor.take(' ') || !cursor.take('['))
        return std::nullopt;
    const std::optional<QByteArrayView> time = cursor.until(']');
    const std::optional<qint64> seconds = time ? timeOf(*time) : std::nullopt;
    if (!seconds || !cursor.take(' '))
        return std::nullopt;
    request.utcSeconds = *seconds;
    const std::optional<QByteArrayView> requestLine = cursor.quoted();
    if (!requestLine || !cursor.take(' '))
        return std::nullopt;
    request.status = number(cursor.word());
    if (request.status < 100 || !cursor.take(' ') || cursor.word().isEmpty() || !cursor.take(' ') || !cursor.quoted() ||
        !cursor.take(' '))
        return std::nullopt;
    const std::optional<QByteArrayView> agent = cursor.quoted();
    if (!agent)
        return std::nullopt;
    request.agent = *agent;
    const qsizetype space = requestLine->indexOf(' ');
    request.method = space < 0 ? *requestLine : requestLine->first(space);
    const QByteArrayView rest = space < 0 ? QByteArrayView() : requestLine->sliced(space + 1);
    const qsizetype end = rest.indexOf(' ');
    request.path = end < 0 ? rest : rest.first(end);
    return request;
}

bool isUtf8(QByteArrayView bytes)
{
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = at + bytes.size();
    while (at < end) {
        if (*at < 0x80) {
            ++at;
            continue;
        }
        const int length = utf8Length(*at);
        if (length == 0 || end - at < length)
            return false;
        // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
        const unsigned char low = *at == 0xE0 ? 0xA0 : *at == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = *at == 0xED ? 0x9F : *at == 0xF4 ? 0x8F : 0xBF;
        if (at[1] < low || at[1] > high)
            return false;
        for (int i = 2; i < length; ++i)
            if ((at[i] & 0xC0) != 0x80)
                return false;
        at += length;
    }
    return true;
}
} // namespace AccessLines
} // namespace orvanta::links
