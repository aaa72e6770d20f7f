#pragma once

#include <QByteArrayView>

namespace orvanta::links {
/**
 * The crawlers and link previews a click count leaves out, known by a word of their user agent. Debian ships no
 * maintained list, so this one is small and built in: the search engines and the apps that fetch a link to show
 * its preview, and any agent that calls itself a bot, crawler or spider.
 */
namespace CrawlerAgents {
/** Whether @p agent is one of them, letter case aside. */
bool isCrawler(QByteArrayView agent);
} // namespace CrawlerAgents
} // namespace orvanta::links
