#pragma once

#include "PreflightPdf.h"

#include <QRectF>
#include <QTransform>

#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFTokenizer.hh>

#include <string>
#include <vector>

/** A colour as the drawing sets it; one the preflight cannot tell (a pattern, a spot colour) is not known. */
struct PaintColour {
    double r = 0;
    double g = 0;
    double b = 0;
    bool known = true;
};

/**
 * The state one page's drawing is in: its graphics state and text state, and what it has painted so far, so that
 * each run of text is noted with its size and its contrast against what lies under it.
 */
class DrawingState final {
public:
    explicit DrawingState(PdfFacts& facts);

    void startPage(int index, const QRectF& box);
    /** Follows operator @p op of the state, the colours, the text or the paths; other operators change nothing. */
    void operate(const std::string& op, const std::vector<QPDFTokenizer::Token>& operands, QPDFObjectHandle resources);

    const QTransform& ctm() const { return m_state.ctm; }
    /** Around a form, which is drawn in its caller's state and leaves it as it was. */
    void save();
    void restore();
    void concat(const QTransform& matrix) { m_state.ctm = matrix * m_state.ctm; }
    /** A transparency group is painted whole, at the alpha it is drawn with; within it the alphas start afresh. */
    void enterGroup();
    /** A picture fills the unit square of the current space with colours not told apart here. */
    void paintPicture();

    static QTransform matrixOf(const std::vector<double>& numbers);
    static std::vector<double> numbersOf(const std::vector<QPDFTokenizer::Token>& tokens);

private:
    struct GraphicsState {
        QTransform ctm;
        PaintColour fill;
        PaintColour stroke;
        int fillComponents = 1;
        int strokeComponents = 1;
        double fillAlpha = 1;
        double strokeAlpha = 1;
        /** The alpha of the groups being drawn, one within the other. */
        double groupAlpha = 1;
        double fontSize = 0;
        int renderMode = 0;
        double leading = 0;
        double rise = 0;
        /** In the page's space, while something clips. */
        QRectF clip;
        bool clipped = false;
    };
    struct Painted {
        QRectF area;
        PaintColour colour;
        double alpha = 1;
    };

    bool colour(const std::string& op, const std::vector<QPDFTokenizer::Token>& operands, const std::vector<double>& n,
                QPDFObjectHandle resources);
    bool text(const std::string& op, const std::vector<double>& n);
    bool path(const std::string& op, const std::vector<double>& n);
    void moveLine(double x, double y);
    void showText();
    void paint(const QRectF& area, const PaintColour& colour, double alpha);
    QRectF pathArea() const;
    PaintColour backgroundAt(const QPointF& point, qsizetype below) const;
    double contrastOf(PaintColour colour, double alpha, const QPointF& probe);

    PdfFacts& m_facts;
    int m_page = 0;
    QRectF m_box;
    GraphicsState m_state;
    std::vector<GraphicsState> m_saved;
    /** For each form being drawn, how many states its caller had saved. */
    std::vector<size_t> m_floors;
    QTransform m_textMatrix;
    QTransform m_lineMatrix;
    std::vector<QPointF> m_path;
    bool m_clipPending = false;
    std::vector<Painted> m_painted;
    PaintColour m_lastText{-1, -1, -1, true};
    PaintColour m_lastBackground{-1, -1, -1, true};
    double m_lastContrast = 21;
};
