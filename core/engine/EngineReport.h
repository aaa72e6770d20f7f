#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace orvanta::engine {
/** A page that navigated its main frame away: what either engine says, naming @p address when it is known. */
QString leftItselfMessage(const QString& htmlPath, const QString& address);

/** True for the page tail's remote script: it is refused on every run and changes nothing in the PDF. */
bool isPageTailScript(const QString& url);

/** True for any script of the page tail, as the page at @p page asks for it. */
bool isPageTailScriptOf(const QUrl& page, const QString& url);

/** A refused address as the user reads it: a local file by its path, anything else as it was asked for. */
QString refusedName(const QString& url);

/**
 * The files outside @p folders that the markup of the page at @p page loads (pictures, frames, scripts, style
 * sheets, media), by path, in order, each once. Inside its sandbox the converter cannot name a file it blocked,
 * since the file is not there for it; these are the names its report gives such a file.
 */
QStringList outsideFilesNamed(const QString& html, const QUrl& page, const QStringList& folders);

/**
 * What the classic converter's output says it could not load: blocked files and failed addresses, in order, each
 * once; the page tail's remote script left out. A file blocked without a name takes the next of @p unnamed not yet
 * said, else a plain description.
 */
QStringList converterRefusals(const QString& output, const QStringList& unnamed = {});
} // namespace orvanta::engine

/** The converter's output says its page navigated away: the page's path, and the address when it is known. */
struct ConverterLeave {
    bool left = false;
    QString page;
    QString address;
};
namespace orvanta::engine {
ConverterLeave converterLeave(const QString& output);

/** The lines below a made PDF that name what was refused: a heading, at most five, then how many more. */
QStringList refusedLines(const QStringList& refused);

/** What every front end says of the engine beside a made PDF: which one stood in, then what it did not load. */
QStringList engineSaid(const QString& engineNote, const QStringList& refused);
} // namespace orvanta::engine
