#include "DrawingState.h"

#include "Brand.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

using namespace orvanta::campaign;
using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
using Tokens = std::vector<QPDFTokenizer::Token>;

// Where a run's letters stand above its baseline, as a share of the font's size: the point whose background counts.
constexpr double LetterMiddle = 0.35;

PaintColour colourOf(const std::vector<double>& n, int components)
{
    if (int(n.size()) != components)
        return {0, 0, 0, false};
    switch (components) {
    case 1:
        return {n[0], n[0], n[0], true};
    case 3:
        return {n[0], n[1], n[2], true};
    case 4:
        return {(1 - n[0]) * (1 - n[3]), (1 - n[1]) * (1 - n[3]), (1 - n[2]) * (1 - n[3]), true};
    default:
        return {0, 0, 0, false};
    }
}

// How many numbers a colour of @p space takes; 0 for a space whose colours are not plain (patterns, spot colours).
int componentsOf(QPDFObjectHandle space, QPDFObjectHandle resources, int depth = 0)
{
    if (space.isName()) {
        const std::string name = space.getName();
        if (name == "/DeviceGray" || name == "/G" || name == "/CalGray")
            return 1;
        if (name == "/DeviceRGB" || name == "/RGB")
            return 3;
        if (name == "/DeviceCMYK" || name == "/CMYK")
            return 4;
        QPDFObjectHandle named = resources.isDictionary() ? resources.getKey("/ColorSpace") : QPDFObjectHandle();
        return depth < 2 && named.isDictionary() && named.hasKey(name)
                   ? componentsOf(named.getKey(name), resources, depth + 1)
                   : 0;
    }
    if (!space.isArray() || space.getArrayNItems() < 1 || !space.getArrayItem(0).isName())
        return 0;
    const std::string family = space.getArrayItem(0).getName();
    if (family == "/CalRGB")
        return 3;
    if (family == "/CalGray")
        return 1;
    QPDFObjectHandle profile = space.getArrayNItems() > 1 ? space.getArrayItem(1) : QPDFObjectHandle();
    if (family == "/ICCBased" && profile.isStream() && profile.getDict().getKey("/N").isInteger())
        return int(profile.getDict().getKey("/N").getIntValue());
    return 0;
}

PaintColour blended(const PaintColour& over, double alpha, const PaintColour& under)
{
    if (!over.known || !under.known)
        return {0, 0, 0, false};
    const auto mix = [alpha](double a, double b) { return alpha * a + (1 - alpha) * b; };
    return {mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b), true};
}

QString hexOf(const PaintColour& colour)
{
    const auto channel = [](double value) { return qBound(0, qRound(value * 255), 255); };
    return QStringLiteral("#%1%2%3")
        .arg(channel(colour.r), 2, 16, QLatin1Char('0'))
        .arg(channel(colour.g), 2, 16, QLatin1Char('0'))
        .arg(channel(colour.b), 2, 16, QLatin1Char('0'));
}
} // namespace
} // namespace orvanta::preflight

DrawingState::DrawingState(PdfFacts& facts)
    : m_facts(facts)
{
}

QTransform DrawingState::matrixOf(const std::vector<double>& m)
{
    // Six numbers, else no move at all: a broken matrix is the file's fault, not a reason to stop reading.
    return m.size() == 6 ? QTransform(m[0], m[1], m[2], m[3], m[4], m[5]) : QTransform();
}

std::vector<double> DrawingState::numbersOf(const Tokens& tokens)
{
    std::vector<double> numbers;
    numbers.reserve(tokens.size());
    for (const QPDFTokenizer::Token& token : tokens) {
        if (token.getType() != QPDFTokenizer::tt_integer && token.getType() != QPDFTokenizer::tt_real)
            continue;
        // A real may start with a sign or a point ("+.5", "-.5"); from_chars takes neither a '+' nor a locale.
        const std::string& text = token.getValue();
        const char* begin = text.data() + (text.size() > 1 && text[0] == '+' ? 1 : 0);
        double value = 0;
        if (std::from_chars(begin, text.data() + text.size(), value).ec == std::errc())
            numbers.push_back(value);
    }
    return numbers;
}

void DrawingState::startPage(int index, const QRectF& box)
{
    m_page = index;
    m_box = box;
    m_state = {};
    m_saved.clear();
    m_floors.clear();
    m_path.clear();
    m_clipPending = false;
    m_painted.clear();
}

void DrawingState::save()
{
    m_saved.push_back(m_state);
    m_floors.push_back(m_saved.size());
}

// A form's own Q never reaches its caller's saved states.
void DrawingState::restore()
{
    if (m_floors.empty())
        return;
    m_saved.resize(m_floors.back());
    m_floors.pop_back();
    m_state = m_saved.back();
    m_saved.pop_back();
}

void DrawingState::enterGroup()
{
    m_state.groupAlpha *= m_state.fillAlpha;
    m_state.fillAlpha = m_state.strokeAlpha = 1;
}

void DrawingState::operate(const std::string& op, const Tokens& operands, QPDFObjectHandle resources)
{
    if (op == "q") {
        m_saved.push_back(m_state);
    } else if (op == "Q") {
        if (m_saved.size() > (m_floors.empty() ? 0 : m_floors.back())) {
            m_state = m_saved.back();
            m_saved.pop_back();
        }
    } else if (op == "cm" && operands.size() == 6) {
        concat(matrixOf(numbersOf(operands)));
    } else if (const std::vector<double> n = numbersOf(operands); !colour(op, operands, n, resources) && !text(op, n)) {
        path(op, n);
    }
}

bool DrawingState::colour(const std::string& op, const Tokens& operands, const std::vector<double>& n,
                          QPDFObjectHandle resources)
{
    const bool stroke = !op.empty() && std::isupper(static_cast<unsigned char>(op[0]));
    PaintColour& paint = stroke ? m_state.stroke : m_state.fill;
    int& components = stroke ? m_state.strokeComponents : m_state.fillComponents;
    if (op == "g" || op == "G" || op == "rg" || op == "RG" || op == "k" || op == "K") {
        components = op.size() == 2 ? 3 : (op == "g" || op == "G") ? 1 : 4;
        paint = colourOf(n, components);
    } else if ((op == "cs" || op == "CS") && operands.size() == 1) {
        components = componentsOf(QPDFObjectHandle::newName(operands.front().getValue()), resources);
        paint = {0, 0, 0, components > 0};
    } else if (op == "sc" || op == "scn" || op == "SC" || op == "SCN") {
        paint = colourOf(n, components);
    } else if (op == "gs" && operands.size() == 1 && resources.isDictionary()) {
        QPDFObjectHandle state = resources.getKey("/ExtGState").isDictionary()
                                     ? resources.getKey("/ExtGState").getKey(operands.front().getValue())
                                     : QPDFObjectHandle();
        if (state.isDictionary() && state.getKey("/ca").isNumber())
            m_state.fillAlpha = state.getKey("/ca").getNumericValue();
        if (state.isDictionary() && state.getKey("/CA").isNumber())
            m_state.strokeAlpha = state.getKey("/CA").getNumericValue();
    } else {
        return false;
    }
    return true;
}

bool DrawingState::text(const std::string& op, const std::vector<double>& n)
{
    if (op == "BT") {
        m_textMatrix = m_lineMatrix = QTransform();
    } else if (op == "Tf" && !n.empty()) {
        m_state.fontSize = n.back();
    } else if (op == "Tr" && n.size() == 1) {
        m_state.renderMode = int(n[0]);
    } else if (op == "TL" && n.size() == 1) {
        m_state.leading = n[0];
    } else if (op == "Ts" && n.size() == 1) {
        m_state.rise = n[0];
    } else if ((op == "Td" || op == "TD") && n.size() == 2) {
        if (op == "TD")
            m_state.leading = -n[1];
        moveLine(n[0], n[1]);
    } else if (op == "Tm" && n.size() == 6) {
        m_textMatrix = m_lineMatrix = matrixOf(n);
    } else if (op == "T*") {
        moveLine(0, -m_state.leading);
    } else if (op == "Tj" || op == "TJ") {
        showText();
    } else if (op == "'" || op == "\"") {
        moveLine(0, -m_state.leading);
        showText();
    } else {
        return op == "ET";
    }
    return true;
}

bool DrawingState::path(const std::string& op, const std::vector<double>& n)
{
    if (op == "m" || op == "l" || op == "c" || op == "v" || op == "y") {
        for (size_t i = 0; i + 1 < n.size(); i += 2)
            m_path.emplace_back(n[i], n[i + 1]);
        return true;
    }
    if (op == "re" && n.size() == 4) {
        m_path.insert(m_path.end(), {{n[0], n[1]}, {n[0] + n[2], n[1] + n[3]}});
        return true;
    }
    if (op == "W" || op == "W*") {
        m_clipPending = true;
        return true;
    }
    if (op == "sh") {
        paint(m_state.clipped ? m_state.clip : m_box, {0, 0, 0, false}, 1);
        return true;
    }
    const bool fills = op == "f" || op == "F" || op == "f*" || op == "B" || op == "B*" || op == "b" || op == "b*";
    if (!fills && op != "S" && op != "s" && op != "n")
        return false;
    const QRectF area = pathArea();
    if (fills)
        paint(area, m_state.fill, m_state.fillAlpha * m_state.groupAlpha);
    if (m_clipPending) {
        m_state.clip = m_state.clipped ? m_state.clip.intersected(area) : area;
        m_state.clipped = true;
    }
    m_clipPending = false;
    m_path.clear();
    return true;
}

// Curves count by their control points: their bounds hold the shape, a rounded box's are the box.
QRectF DrawingState::pathArea() const
{
    if (m_path.empty())
        return {};
    double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
    for (const QPointF& point : m_path) {
        const QPointF on = m_state.ctm.map(point);
        left = std::min(left, on.x());
        right = std::max(right, on.x());
        top = std::min(top, on.y());
        bottom = std::max(bottom, on.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void DrawingState::paint(const QRectF& area, const PaintColour& colour, double alpha)
{
    const QRectF shown = m_state.clipped ? area.intersected(m_state.clip) : area;
    if (!shown.isEmpty() && alpha > 0)
        m_painted.push_back({shown, colour, alpha});
}

void DrawingState::paintPicture()
{
    paint(m_state.ctm.mapRect(QRectF(0, 0, 1, 1)), {0, 0, 0, false}, 1);
}

void DrawingState::moveLine(double x, double y)
{
    m_lineMatrix = QTransform::fromTranslate(x, y) * m_lineMatrix;
    m_textMatrix = m_lineMatrix;
}

// The newest paint under the point that hides what lies below it; the page itself is white.
PaintColour DrawingState::backgroundAt(const QPointF& point, qsizetype below) const
{
    for (qsizetype i = below - 1; i >= 0; --i) {
        const Painted& painted = m_painted[size_t(i)];
        if (!painted.area.contains(point))
            continue;
        if (!painted.colour.known || painted.alpha >= 1)
            return painted.colour;
        return blended(painted.colour, painted.alpha, backgroundAt(point, i));
    }
    return {1, 1, 1, true};
}

double DrawingState::contrastOf(PaintColour colour, double alpha, const QPointF& probe)
{
    const PaintColour under = backgroundAt(probe, qsizetype(m_painted.size()));
    const PaintColour seen = blended(colour, qBound(0.0, alpha, 1.0), under);
    if (!seen.known)
        return 21;
    // Runs of one colour on one background follow each other; the converter draws each letter as a run.
    const auto same = [](const PaintColour& a, const PaintColour& b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    if (!same(seen, m_lastText) || !same(under, m_lastBackground)) {
        m_lastText = seen;
        m_lastBackground = under;
        m_lastContrast = contrastRatio(hexOf(seen), hexOf(under));
    }
    return m_lastContrast;
}

// Render modes 3 and 7 paint nothing; 1 and 5 only outline the letters, in the stroke's colour.
void DrawingState::showText()
{
    const GraphicsState& s = m_state;
    const QTransform m = m_textMatrix * s.ctm;
    const QPointF origin = m.map(QPointF(0, s.rise));
    const QPointF probe = m.map(QPointF(0, s.rise + LetterMiddle * s.fontSize));
    const bool outlined = s.renderMode == 1 || s.renderMode == 5;
    const auto near = [&origin](const QRectF& area) { return area.adjusted(-1, -1, 1, 1).contains(origin); };
    PdfTextRun run;
    run.page = m_page;
    run.origin = QPointF(origin.x(), m_box.y() + m_box.height() - origin.y());
    run.sizePt = std::abs(s.fontSize) * std::hypot(m.m21(), m.m22());
    run.contrast = outlined ? contrastOf(s.stroke, s.strokeAlpha * s.groupAlpha, probe)
                            : contrastOf(s.fill, s.fillAlpha * s.groupAlpha, probe);
    run.shown = s.renderMode != 3 && s.renderMode != 7 && near(m_box) && (!s.clipped || near(s.clip));
    m_facts.textRuns.append(run);
}
