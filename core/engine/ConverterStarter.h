#pragma once

#include <QString>

class ConverterRun;
class PdfRun;
class QObject;

/**
 * Starts converter runs for the page pipeline. The desktop's seam is one, so window tests can watch and script
 * the runs; the command line uses the direct one.
 */
class ConverterStarter {
public:
    /** Starts the converter; the run reports through its finished signal and belongs to @p parent. */
    virtual ConverterRun* startConverter(const QString& commandLine, const QString& pdfPath, int timeLimitMs,
                                         QObject* parent) = 0;
    /** Prints @p htmlPath with the shared Chromium, confined to its folder and @p app's page scripts. */
    virtual PdfRun* startChromium(const QString& app, const QString& htmlPath, const QString& pdfPath, int timeLimitMs,
                                  QObject* parent);

    /** Starts every run as it is, with nobody watching. */
    static ConverterStarter& direct();

protected:
    ~ConverterStarter() = default;
};
