#pragma once

#include <QString>

namespace orvanta::page {
/**
 * What the window's text boxes give back for a text, so that the command line makes from a campaign file exactly
 * the page the window makes after opening it.
 */
namespace BoxText {
/** A multi-line box: every line break as CR LF, as the box hands its lines back; no-break spaces stay. */
QString multiLine(const QString& text);

/** A one-line box, which holds at most 32767 characters and cuts what is longer. */
QString line(const QString& text);
} // namespace BoxText
} // namespace orvanta::page
