#pragma once

#include <QString>

/** How a link answered. Many affiliate networks refuse robots, so only a plain "not there" counts as broken. */
enum class LinkVerdict { Working, Broken, Unverified };

struct LinkJudgement {
    LinkVerdict verdict = LinkVerdict::Unverified;
    /** What was seen: "404 Not Found", "unknown host", "no answer within 5 s" ... */
    QString reason;
};
