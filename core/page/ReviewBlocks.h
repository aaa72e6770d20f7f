#pragma once

#include "PageWords.h"
#include "Rating.h"

#include <QString>

namespace orvanta::page {
/**
 * The review's optional blocks on the page: a rating, a verdict and lists of pros and cons. Each block is whole
 * markup that its placeholder takes, so a design shows nothing of a block left empty.
 */
namespace ReviewBlocks {
/** "Rating: 4.5 out of 5" in @p words, with the stars as text characters; empty without a rating. */
QString ratingBlock(const QString& rating, const PageWords& words);
QString verdictBlock(const QString& verdict, const PageWords& words);
/** Both lists side by side; one alone takes the width. Lines are CR LF; blank ones are left out. */
QString prosAndConsBlock(const QString& pros, const QString& cons, const PageWords& words);
QString prosBlock(const QString& pros, const PageWords& words);
QString consBlock(const QString& cons, const PageWords& words);

/**
 * The blocks' look in @p accent, laid before the design's own rules so that a design may restyle them; mirrored
 * for a page written right to left.
 */
QString styleSheet(const QString& accent, bool rightToLeft);
/** @p text with the blocks' style sheet at the start of its head. */
QString withStyleSheet(QString text, const QString& accent, bool rightToLeft);
} // namespace ReviewBlocks
} // namespace orvanta::page
