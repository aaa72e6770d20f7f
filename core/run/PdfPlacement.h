#pragma once

#include "Result.h"

#include <QString>

/**
 * A run's PDF on its way to its place. The engine writes a short private name beside the PDF's place, short whatever
 * the PDF's name, and only the whole, finished PDF is renamed over the PDF in one step, so an earlier PDF of that
 * name stays until then. What is still private when the run ends goes.
 */
class PdfPlacement final {
public:
    PdfPlacement() = default;
    ~PdfPlacement() { discard(); }
    PdfPlacement(const PdfPlacement&) = delete;
    PdfPlacement& operator=(const PdfPlacement&) = delete;

    /** Makes the folder of @p pdfPath and reserves the private name beside it; a failure names the PDF. */
    Result<void> reserve(const QString& pdfPath);
    /** The private file the engine writes; empty before reserve() and once placed or discarded. */
    QString privatePath() const { return m_private; }
    bool isReserved() const { return !m_private.isEmpty(); }
    /** Moves the whole PDF into @p folder under the PDF's own name, in one step; gives where it stands. */
    Result<QString> place(const QString& folder);
    /** Removes the private file, if one stands. */
    void discard();
    /** The private name means nothing to the user: @p text with the PDF's place for it. */
    QString userText(QString text) const;

private:
    QString m_pdfPath;
    QString m_private;
};
