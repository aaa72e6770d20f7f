#pragma once

#include "Result.h"

#include <QString>

#include <functional>
#include <optional>

/** What turns a page folder into a PDF: the designed converter, or Chromium. */
enum class PdfEngine { Converter, Chromium };

namespace orvanta::engine {
/** "wkhtmltopdf" or "chromium", as campaign files and the command line name them. */
QString engineKey(PdfEngine engine);
std::optional<PdfEngine> engineFromKey(const QString& key);
/** The engine a campaign names; an empty name is the converter, and Create has refused any other. */
PdfEngine engineNamed(const QString& key);

/**
 * Chromium as set in ORVANTA_CHROMIUM, else Debian's "chromium-headless-shell", else "chromium" (each from
 * /usr/lib/chromium first, then PATH); empty when none names a program.
 */
QString chromiumProgram();

/** The converter stands in the application's bin or on PATH; Chromium is found as @ref chromiumProgram says. */
bool isInstalled(const QString& app, PdfEngine engine);
} // namespace orvanta::engine

/** The engine a run uses: the one asked for, else the other with a note. */
struct ChosenEngine {
    PdfEngine engine = PdfEngine::Converter;
    /** Set when the other engine stands in; said once, with the run's result. */
    QString note;
};
/** Whether an engine stands ready; @ref isInstalled when none is given. */
using InstalledCheck = std::function<bool(PdfEngine)>;
namespace orvanta::engine {
/**
 * Fails when neither engine is installed. A page written right to left goes to Chromium where it is installed: the
 * converter cannot wrap such lines.
 */
Result<ChosenEngine> chooseEngine(const QString& app, PdfEngine wanted, bool rightToLeft = false,
                                  const InstalledCheck& installed = {});
} // namespace orvanta::engine
