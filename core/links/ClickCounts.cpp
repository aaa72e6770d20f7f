#include "ClickCounts.h"

#include "FileToolkit.h"
#include "LinksTr.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace orvanta::files;

namespace {
const QString FormatName = QStringLiteral("orvanta-clicks");
constexpr int KnownVersion = 1;
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

QJsonObject clicksJson(const QMap<QString, QMap<QString, ClickDays>>& clicks)
{
    QJsonObject slugs;
    for (auto slug = clicks.cbegin(); slug != clicks.cend(); ++slug) {
        QJsonObject channels;
        for (auto channel = slug->cbegin(); channel != slug->cend(); ++channel) {
            QJsonObject days;
            for (auto day = channel->cbegin(); day != channel->cend(); ++day)
                days.insert(day.key().toString(Qt::ISODate), day.value());
            channels.insert(channel.key(), days);
        }
        slugs.insert(slug.key(), channels);
    }
    return slugs;
}

QJsonArray logsJson(const QList<LogMark>& logs)
{
    QJsonArray array;
    for (const LogMark& mark : logs)
        array.append(QJsonObject{{QStringLiteral("head"), QString::fromLatin1(mark.head.toHex())},
                                 {QStringLiteral("headBytes"), mark.headBytes},
                                 {QStringLiteral("counted"), mark.counted},
                                 {QStringLiteral("firstLine"), QString::fromLatin1(mark.firstLine.toHex())}});
    return array;
}

bool readClicks(const QJsonObject& slugs, ClickCounts& counts)
{
    for (auto slug = slugs.begin(); slug != slugs.end(); ++slug) {
        const QJsonObject channels = slug->toObject();
        for (auto channel = channels.begin(); channel != channels.end(); ++channel) {
            const QJsonObject days = channel->toObject();
            for (auto day = days.begin(); day != days.end(); ++day) {
                const QDate date = QDate::fromString(day.key(), Qt::ISODate);
                const qint64 clicks = day->toInteger(-1);
                if (!date.isValid() || clicks < 0)
                    return false;
                counts.add(slug.key(), channel.key(), date, clicks);
            }
        }
    }
    return true;
}

bool readLogs(const QJsonArray& logs, ClickCounts& counts)
{
    for (const QJsonValue& value : logs) {
        const QJsonObject log = value.toObject();
        LogMark mark{QByteArray::fromHex(log.value(QStringLiteral("head")).toString().toLatin1()),
                     log.value(QStringLiteral("headBytes")).toInteger(-1),
                     log.value(QStringLiteral("counted")).toInteger(-1),
                     QByteArray::fromHex(log.value(QStringLiteral("firstLine")).toString().toLatin1())};
        if (mark.head.size() != 32 || mark.headBytes < 0 || mark.counted < 0 ||
            (!mark.firstLine.isEmpty() && mark.firstLine.size() != 32))
            return false;
        counts.remember(mark, -1);
    }
    return true;
}
} // namespace

Result<ClickCounts> ClickCounts::read(const QString& path)
{
    ClickCounts counts;
    if (!QFileInfo::exists(path))
        return counts;
    const Result<QByteArray> bytes = readBounded(path, MaxFileBytes);
    if (!bytes)
        return bytes.failure();
    const QJsonObject root = QJsonDocument::fromJson(*bytes).object();
    const bool known = root.value(QStringLiteral("format")).toString() == FormatName &&
                       root.value(QStringLiteral("version")).toInt() == KnownVersion;
    if (!known || !readClicks(root.value(QStringLiteral("clicks")).toObject(), counts) ||
        !readLogs(root.value(QStringLiteral("logs")).toArray(), counts))
        return fail(LinksTr::tr("The click counts %1 are damaged or from a newer Orvanta; they are left as they are.")
                        .arg(quotedPath(path)));
    return counts;
}

Result<void> ClickCounts::write(const QString& path) const
{
    const QJsonObject root{{QStringLiteral("format"), FormatName},
                           {QStringLiteral("version"), KnownVersion},
                           {QStringLiteral("clicks"), clicksJson(m_clicks)},
                           {QStringLiteral("logs"), logsJson(m_logs)}};
    QDir().mkpath(QFileInfo(path).absolutePath());
    const Result<void> written = replaceBeside(
        path, QJsonDocument(root).toJson(QJsonDocument::Indented), path + QStringLiteral(".XXXXXX"),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (written)
        return {};
    return fail(LinksTr::tr("The click counts could not be saved as %1: %2").arg(quotedPath(path), written.error()));
}

void ClickCounts::add(const QString& slug, const QString& channel, const QDate& day, qint64 clicks)
{
    m_clicks[slug][channel][day] += clicks;
}

qint64 ClickCounts::total(const QString& slug, const QDate& since) const
{
    qint64 sum = 0;
    const QMap<QString, ClickDays> channels = m_clicks.value(slug);
    for (const ClickDays& days : channels)
        for (auto day = since.isValid() ? days.lowerBound(since) : days.cbegin(); day != days.cend(); ++day)
            sum += day.value();
    return sum;
}

ClickDays ClickCounts::daysOf(const QString& slug, const QString& channel) const
{
    const QMap<QString, ClickDays> channels = m_clicks.value(slug);
    if (!channel.isEmpty())
        return channels.value(channel);
    ClickDays sum;
    for (const ClickDays& days : channels)
        for (auto day = days.cbegin(); day != days.cend(); ++day)
            sum[day.key()] += day.value();
    return sum;
}

void ClickCounts::remember(const LogMark& mark, int replacing)
{
    if (replacing >= 0 && replacing < m_logs.size()) {
        LogMark& kept = m_logs[replacing];
        // A copy cut shorter than the head says less of the log than what was kept of it.
        if (mark.headBytes >= kept.headBytes) {
            kept.head = mark.head;
            kept.headBytes = mark.headBytes;
            kept.firstLine = mark.firstLine;
        }
        kept.counted = std::max(kept.counted, mark.counted);
    } else
        m_logs.append(mark);
}
