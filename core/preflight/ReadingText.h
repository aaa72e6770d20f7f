#pragma once

#include <QList>
#include <QString>

#include <utility>

/** A text folded for comparing, each of its characters traced back to its page and its place there. */
struct FoldedText {
    QString text;
    QList<std::pair<int, int>> from;
};

namespace orvanta::preflight {
/**
 * Adds @p text of page @p page to @p folded as a screen reader and a search compare it: letter case, blanks,
 * hyphens and dashes, invisible marks (direction, joiners) aside, ligatures and presentation forms as their
 * letters, quotes of every form as one.
 */
void fold(FoldedText& folded, const QString& text, int page);

/**
 * Where @p wanted stands in @p folded, as start and length in its folded text: its words one after another, in any
 * order, as a PDF's reader gives the runs of a line written in two directions; a lam-alef may come either way round.
 */
QList<std::pair<qsizetype, qsizetype>> placesOf(const FoldedText& folded, const QString& wanted);
} // namespace orvanta::preflight
