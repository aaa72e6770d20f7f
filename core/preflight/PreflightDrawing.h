#pragma once

#include "PreflightPdf.h"

#include <QRectF>

#include <qpdf/QPDFPageObjectHelper.hh>

#include <map>
#include <memory>
#include <set>

class DrawingState;

/**
 * Follows the drawing of a PDF's pages: the fonts it names, where each picture lands, and each run of text with its
 * size and its colour against what was painted under it. The drawing is read as tokens, without building objects.
 */
class DrawingWalk final {
public:
    explicit DrawingWalk(PdfFacts& facts);
    ~DrawingWalk();
    DrawingWalk(const DrawingWalk&) = delete;
    DrawingWalk& operator=(const DrawingWalk&) = delete;

    /** Walks page @p index, whose visible box is @p box in the page's own space. */
    void walkPage(QPDFPageObjectHelper& page, int index, const QRectF& box);

private:
    void walk(QPDFObjectHandle content, QPDFObjectHandle resources, int depth);
    void read(const std::shared_ptr<InputSource>& input, QPDFObjectHandle resources, int depth);
    void draw(const std::string& key, QPDFObjectHandle resources, int depth);
    void placePicture(QPDFObjectHandle image);
    void noteFonts(QPDFObjectHandle resources);

    PdfFacts& m_facts;
    std::map<QPDFObjGen, int> m_pictureIndex;
    std::set<QPDFObjGen> m_fonts;
    std::unique_ptr<DrawingState> m_state;
};
