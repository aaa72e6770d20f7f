#pragma once

#include <QString>
#include <QStringList>

namespace orvanta::files {
/**
 * The window's and the command line's language. Every text is written in English; a catalogue of another
 * language is embedded beside the program (":/i18n/orvanta_LANG.qm"), and Qt's own texts come from Qt's.
 */
namespace Translations {
/**
 * The catalogue for the first of @p uiLanguages (most wanted first, as QLocale::uiLanguages gives them) that
 * English or one of @p catalogues covers: empty when English comes first or none is covered.
 */
QString chosenLanguage(const QStringList& uiLanguages, const QStringList& catalogues);
/** The languages of the embedded catalogues, such as "de" or "pt_BR". */
QStringList catalogues();
/**
 * Installs Orvanta's catalogue and Qt's own for @p uiLanguages into the running application; returns the
 * catalogue's language, empty for English. A missing Qt catalogue leaves only Qt's standard texts in English.
 */
QString install(const QStringList& uiLanguages);
} // namespace Translations
} // namespace orvanta::files
