#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace orvanta::page {
/** The language a page declares, which the PDF's /Lang follows; a campaign without one keeps the design's own. */
namespace PageLanguage {
/** True for a BCP 47 tag's shape: letters first, then parts of letters and digits joined by '-'. */
bool isTag(const QString& tag);
/** Why @p tag cannot be the page's language, as Create tells it; empty when it can or is empty. */
QString problem(const QString& tag);

/** @p text with its html element's lang set to @p tag; an empty tag leaves the text as it is. */
QString withLanguage(QString text, const QString& tag);
/** True when @p tag's language is written right to left (Arabic, Hebrew, Persian, Urdu…). */
bool isRightToLeft(const QString& tag);
/** @p text with dir="rtl" on its html element when @p rightToLeft; else as it is. */
QString withDirection(QString text, bool rightToLeft);

/** The tags offered to choose from, @p system's language first, each once. */
QStringList choices(const QLocale& system);
} // namespace PageLanguage
} // namespace orvanta::page
