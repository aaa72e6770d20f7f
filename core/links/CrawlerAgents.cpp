#include "CrawlerAgents.h"

#include <QByteArray>

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
    const QByteArray lower = agent.toByteArray().toLower();
    for (const char* word : words)
        if (lower.contains(word))
            return true;
    return false;
}
} // namespace CrawlerAgents
} // namespace orvanta::links
