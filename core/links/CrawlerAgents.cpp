#include "CrawlerAgents.h"

#include <QByteArray>

#include <algorithm>
#include <array>

namespace {
// Lower case; "bot" covers Googlebot, bingbot, Twitterbot, LinkedInBot, Slackbot, Discordbot, TelegramBot and more.
constexpr std::array<const char*, 17> words{
    "bot",     "crawler", "spider", "slurp",   "facebookexternalhit", "facebot", "whatsapp", "preview",
    "embedly", "curl/",   "wget/",  "python-", "go-http-client",      "okhttp",  "headless", "lighthouse",
    "pingdom",
};
} // namespace

namespace orvanta::links {
namespace CrawlerAgents {
bool isCrawler(QByteArrayView agent)
{
    if (agent.isEmpty() || agent == QByteArrayView("-"))
        return true;
    // Lowered into a buffer of its own: an allocation per click would be the reader's biggest cost.
    std::array<char, 512> buffer;
    const qsizetype size = std::min<qsizetype>(agent.size(), buffer.size());
    std::transform(agent.begin(), agent.begin() + size, buffer.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    const QByteArrayView lower(buffer.data(), size);
    QByteArray rest;
    // An agent longer than the buffer is rare enough to pay for its copy.
    if (agent.size() > size)
        rest = agent.toByteArray().toLower();
    const QByteArrayView searched = rest.isEmpty() ? lower : QByteArrayView(rest);
    for (const char* word : words)
        if (searched.contains(QByteArrayView(word)))
            return true;
    return false;
}
} // namespace CrawlerAgents
} // namespace orvanta::links
