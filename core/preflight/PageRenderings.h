#pragma once

#include "PreflightText.h"

#include <QImage>

#include <map>

class QPdfDocument;

/** The least contrast a rendered letter shows against what lies around it, where anything is seen there at all. */
constexpr double MinRenderedContrast = 1.5;

/** The pages of a PDF as a viewer shows them, each rendered once when first asked for. */
class PageRenderings final {
public:
    explicit PageRenderings(QPdfDocument& document);

    /**
     * Whether the rendering shows letters at each stretch of @p found: some of its pixels stand out from the colour
     * around them. Text covered by a box of the background's colour, or faded out, shows none.
     */
    bool showsInk(const FoundText& found);

private:
    const QImage& page(int index);

    QPdfDocument& m_document;
    std::map<int, QImage> m_pages;
};
