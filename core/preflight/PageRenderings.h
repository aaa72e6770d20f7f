#pragma once

#include "PreflightText.h"

#include <QImage>

#include <map>

class QPdfDocument;

/** The least contrast a rendered letter shows against what lies around it, where anything is seen there at all. */
constexpr double MinRenderedContrast = 1.5;

/** The pages of a PDF as a viewer shows them, each rendered once when first asked for, no further down than asked. */
class PageRenderings final {
public:
    explicit PageRenderings(QPdfDocument& document);

    /**
     * Whether the rendering shows letters at each stretch of @p found: some of its pixels stand out from the colour
     * around them. Text covered by a box of the background's colour, or faded out, shows none.
     */
    bool showsInk(const FoundText& found);
    /**
     * Renders each page only down to the lowest stretch of @p found, with a margin: an unfitted page is mostly blank
     * tail, which costs most of its rendering. Asked before the first showsInk() of a page.
     */
    void reach(const QList<FoundText>& found);

private:
    const QImage& page(int index);
    QImage rendered(int index) const;
    static QImage greyPart(const QImage& drawn, const QRect& part);

    QPdfDocument& m_document;
    std::map<int, QImage> m_pages;
    /** How far down each page is rendered, in points from its top; a page not named is rendered whole. */
    std::map<int, double> m_depths;
};
