#include "AccessLogReader.h"

#include "AccessLine.h"
#include "CrawlerAgents.h"
#include "FileToolkit.h"
#include "LinkJudgement.h"
#include "LinksTr.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>

#include <zlib.h>

#include <cstring>
#include <memory>

using namespace orvanta::files;
using namespace orvanta::links;

namespace {
constexpr qsizetype ChunkBytes = 1024 * 1024;

QByteArray digest(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QByteArray firstLineDigest(QByteArrayView head)
{
    const qsizetype end = head.indexOf('\n');
    return end < 0 ? QByteArray() : digest(head.first(end + 1));
}

bool isAnswered(int status)
{
    return status == 200 || status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

QDate utcDay(qint64 seconds)
{
    return QDate::fromJulianDay(2440588 + (seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400));
}

struct GzClose {
    void operator()(gzFile_s* file) const { gzclose(file); }
};

// The lines of a stream, whole, with where each ends; what follows the last line break is no line yet.
class LineSplitter final {
public:
    template <typename Take> qsizetype split(QByteArray& buffer, qsizetype filled, bool& skipping, Take take)
    {
        qsizetype start = 0;
        while (const char* end =
                   static_cast<const char*>(std::memchr(buffer.constData() + start, '\n', size_t(filled - start)))) {
            const qsizetype length = end - buffer.constData() - start;
            take(QByteArrayView(buffer.constData() + start, length), skipping, start + length + 1);
            skipping = false;
            start += length + 1;
        }
        return start;
    }
};
} // namespace

void ClickTally::add(const ClickTally& other)
{
    lines += other.lines;
    earlier += other.earlier;
    counted += other.counted;
    tooLong += other.tooLong;
    unreadable += other.unreadable;
    otherMethod += other.otherMethod;
    otherPath += other.otherPath;
    notAnswered += other.notAnswered;
    checker += other.checker;
    crawler += other.crawler;
    repeat += other.repeat;
}

AccessLogReader::AccessLogReader(const ClickPaths& paths, ClickCounts& counts)
    : m_paths(paths)
    , m_counts(counts)
{
}

void AccessLogReader::takeLine(QByteArrayView text, ClickTally& tally)
{
    if (text.endsWith('\r'))
        text.chop(1);
    const std::optional<AccessLine> line = AccessLines::isUtf8(text) ? AccessLines::parse(text) : std::nullopt;
    if (!line) {
        ++tally.unreadable;
        return;
    }
    if (line->method != QByteArrayView("GET")) {
        ++tally.otherMethod;
        return;
    }
    const ClickPaths::Click click = m_paths.find(line->path);
    if (click.link < 0)
        ++tally.otherPath;
    else if (!isAnswered(line->status))
        ++tally.notAnswered;
    else if (line->agent == QByteArrayView(LinkJudging::CheckerAgent))
        ++tally.checker;
    else if (CrawlerAgents::isCrawler(line->agent))
        ++tally.crawler;
    else if (m_repeats.isRepeat(line->address, line->agent, click.link, line->utcSeconds))
        ++tally.repeat;
    else {
        ++tally.counted;
        m_counts.add(m_paths.slugs().at(click.link), click.channel, utcDay(line->utcSeconds), 1);
    }
}

// The remembered log whose start @p head begins with, the longest such start; -1 for a new log. A head shorter
// than a remembered one is that log's when its first line is: a copy cut short, which holds nothing new.
int AccessLogReader::knownLog(QByteArrayView head) const
{
    int found = -1;
    const QByteArray line = firstLineDigest(head);
    const QList<LogMark>& logs = m_counts.logs();
    for (int i = 0; i < logs.size(); ++i) {
        const LogMark& mark = logs.at(i);
        const bool same = mark.headBytes <= head.size() ? digest(head.first(mark.headBytes)) == mark.head
                                                        : !line.isEmpty() && line == mark.firstLine;
        if (same && (found < 0 || mark.headBytes > logs.at(found).headBytes))
            found = i;
    }
    return found;
}

Result<AccessLogReader::Reading> AccessLogReader::read(const QString& path)
{
    const std::unique_ptr<gzFile_s, GzClose> file(gzopen(QFile::encodeName(path).constData(), "rb"));
    if (!file)
        return fail(LinksTr::tr("The access log %1 could not be opened: %2")
                        .arg(quotedPath(path), QString::fromLocal8Bit(std::strerror(errno))));
    gzbuffer(file.get(), 256 * 1024);
    Reading reading;
    QByteArray buffer(ChunkBytes + MaxLineBytes + 1, Qt::Uninitialized);
    QByteArray head;
    int known = -1;
    qint64 skipTo = 0, streamAt = 0, countedTo = 0;
    qsizetype filled = 0;
    bool skipping = false;
    LineSplitter splitter;
    int got = 0;
    while ((got = gzread(file.get(), buffer.data() + filled, unsigned(ChunkBytes))) > 0) {
        if (head.isEmpty()) {
            head = buffer.left(std::min<qsizetype>(got, HeadBytes));
            known = knownLog(head);
            skipTo = known < 0 ? 0 : m_counts.logs().at(known).counted;
        }
        filled += got;
        const qsizetype used =
            splitter.split(buffer, filled, skipping, [&](QByteArrayView line, bool tooLong, qsizetype end) {
                ++reading.tally.lines;
                if (streamAt + end <= skipTo)
                    ++reading.tally.earlier;
                else if (tooLong || line.size() > MaxLineBytes)
                    ++reading.tally.tooLong;
                else
                    takeLine(line, reading.tally);
                countedTo = streamAt + end;
            });
        std::memmove(buffer.data(), buffer.constData() + used, size_t(filled - used));
        streamAt += used;
        filled -= used;
        // A line longer than the bound is dropped as it comes, so the buffer never grows.
        if (filled > MaxLineBytes) {
            streamAt += filled;
            filled = 0;
            skipping = true;
        }
    }
    int error = Z_OK;
    const char* why = gzerror(file.get(), &error);
    if (got < 0 || (error != Z_OK && error != Z_STREAM_END))
        reading.problem = LinksTr::tr("The access log %1 is damaged or cut short (%2); the %n line(s) before that are "
                                      "counted, the rest is not.",
                                      nullptr, int(reading.tally.lines))
                              .arg(quotedPath(path), QString::fromLocal8Bit(why));
    if (!head.isEmpty())
        m_counts.remember({digest(head), head.size(), std::max(countedTo, skipTo), firstLineDigest(head)}, known);
    return reading;
}
