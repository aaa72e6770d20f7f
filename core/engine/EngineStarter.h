#pragma once

#include "PdfEngine.h"
#include "PdfRun.h"

#include <QString>

class QObject;

/** What a run is asked for, whichever engine makes it. */
struct PdfRunOrder {
    QString app;
    /** The written page. */
    QString htmlPath;
    /** The private path made for this run alone; whatever stands there afterwards is the run's. */
    QString pdfPath;
    int timeLimitMs = PdfRun::DefaultTimeLimitMs;
    /** Printed on pages the page's own CSS sizes, as a book is; Chromium only. */
    bool paged = false;
};

namespace orvanta::engine {
/** Starts @p engine on @p order with its real program; the run belongs to @p parent. */
PdfRun* startPdfRun(PdfEngine engine, const PdfRunOrder& order, QObject* parent);
} // namespace orvanta::engine

/**
 * Starts the engines' runs for the page pipeline. The desktop's seam is one, so window tests can watch and script
 * both engines; the command line uses the direct one.
 */
class EngineStarter {
public:
    /** Starts @p engine; the run reports through its finished signal and belongs to @p parent. */
    virtual PdfRun* start(PdfEngine engine, const PdfRunOrder& order, QObject* parent) = 0;
    /** Whether @p engine stands ready for @p app: its program is installed, unless a double says otherwise. */
    virtual bool isInstalled(const QString& app, PdfEngine engine) const;
    /** The engine a run of @p app uses, as @ref chooseEngine says with this starter's engines. */
    Result<ChosenEngine> choose(const QString& app, PdfEngine wanted, bool rightToLeft = false) const;

    /** Starts every run with the real programs, with nobody watching. */
    static EngineStarter& direct();

protected:
    ~EngineStarter() = default;
};
