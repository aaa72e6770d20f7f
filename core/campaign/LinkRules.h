#pragma once

#include "Result.h"

#include <QString>

namespace orvanta::campaign {
/**
 * A stable link on the marketer's own site that stands for an offer: the brand's link base followed by the
 * campaign's slug. What it points to can change later without touching a PDF that carries it.
 */
namespace LinkRules {
/** The most characters a slug may have; a longer PDF name is cut. */
constexpr int MaxSlugLength = 60;
/** The longest target, encoded: nginx takes at most 4 KB in one token, Apache 8 KB in one line. */
constexpr int MaxTargetBytes = 4000;

/** A slug made from @p name: lower case, a-z 0-9 and single hyphens, accents dropped; "offer" when nothing is left. */
QString slugFromName(const QString& name);
/** Why @p slug cannot name a short link, naming it; empty when it can (an empty slug is made from the PDF name). */
QString slugProblem(const QString& slug);
/**
 * Why @p base cannot hold short links, naming it; empty when it can or is empty. Its path is a folder below the
 * site's root, written plainly: no empty, "." or ".." segment, no encoded dot.
 */
QString linkBaseProblem(const QString& base);

/** Whether @p base is a sound address at its site's root: refused for new links, kept in a table made before. */
bool isSiteRoot(const QString& base);

/** @p text with every control and format character (C0, C1, bidi marks) as a blank: what a terminal shows as is. */
QString printable(QString text);

/** @p base with the one trailing slash a slug follows. */
QString normalBase(const QString& base);
/** The short link of @p slug below @p base. */
QString linkOf(const QString& base, const QString& slug);
/** Where a reader meets a short link; each has a path of its own below it, so the site's log tells them apart. */
enum class Channel { Button, Qr, Web };
/** Every channel, in the order the redirect files list them. */
constexpr Channel Channels[] = {Channel::Button, Channel::Qr, Channel::Web};
/** What follows the short link's path for @p channel: "/p", "/q" or "/w". */
QString channelSuffix(Channel channel);
/** @p link as @p channel carries it. */
QString channelLink(const QString& link, Channel channel);
/** @p slug, or the one made from @p pdfName when it is empty. */
QString slugOr(const QString& slug, const QString& pdfName);

/**
 * @p link as a redirect's target: a web address whose spaces, quotes (an apostrophe too: browsers encode it), angle
 * brackets, backslashes and letters beyond ASCII are percent-encoded. Control characters (a line break ends a
 * directive) and "$" (a variable for nginx) are refused, so no target can add a directive to a server's file. A
 * failure says why it cannot be one.
 */
Result<QString> targetOf(const QString& link);
} // namespace LinkRules
} // namespace orvanta::campaign
