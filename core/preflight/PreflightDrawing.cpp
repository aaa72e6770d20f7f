#include "PreflightDrawing.h"

#include "DrawingState.h"
#include "PreflightTr.h"

#include <QCoreApplication>

#include <qpdf/BufferInputSource.hh>
#include <qpdf/Pl_Buffer.hh>

#include <algorithm>
#include <cmath>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
// "ABCDEF+DejaVuSans" is a subset of DejaVuSans: the reader wants the family.
QString fontName(QPDFObjectHandle font)
{
    QString name = font.getKey("/BaseFont").isName() ? QString::fromStdString(font.getKey("/BaseFont").getName()).mid(1)
                                                     : QString();
    if (name.size() > 7 && name.at(6) == QLatin1Char('+'))
        name = name.mid(7);
    return name.isEmpty() ? PreflightTr::tr("(unnamed)") : name;
}

bool isEmbedded(QPDFObjectHandle font)
{
    if (font.getKey("/Subtype").isNameAndEquals("/Type3"))
        return true;
    if (font.getKey("/Subtype").isNameAndEquals("/Type0")) {
        QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
        if (!descendants.isArray() || descendants.getArrayNItems() < 1)
            return false;
        font = descendants.getArrayItem(0);
    }
    QPDFObjectHandle descriptor = font.getKey("/FontDescriptor");
    return descriptor.isDictionary() &&
           (descriptor.getKey("/FontFile").isStream() || descriptor.getKey("/FontFile2").isStream() ||
            descriptor.getKey("/FontFile3").isStream());
}

QTransform matrixOf(std::vector<QPDFObjectHandle> objects)
{
    std::vector<double> numbers;
    for (QPDFObjectHandle& object : objects)
        if (object.isNumber())
            numbers.push_back(object.getNumericValue());
    return DrawingState::matrixOf(numbers);
}
} // namespace
} // namespace orvanta::preflight

DrawingWalk::DrawingWalk(PdfFacts& facts)
    : m_facts(facts)
    , m_state(std::make_unique<DrawingState>(facts))
{
}

DrawingWalk::~DrawingWalk() = default;

void DrawingWalk::walkPage(QPDFPageObjectHelper& page, int index, const QRectF& box)
{
    m_state->startPage(index, box);
    walk(page.getObjectHandle(), page.getAttribute("/Resources", false), 0);
}

void DrawingWalk::walk(QPDFObjectHandle content, QPDFObjectHandle resources, int depth)
{
    if (depth > 8)
        return;
    noteFonts(resources);
    std::shared_ptr<Buffer> data;
    if (content.isStream()) {
        data = content.getStreamData(qpdf_dl_generalized);
    } else {
        Pl_Buffer pages("page contents");
        QPDFPageObjectHelper(content).pipeContents(&pages);
        data = pages.getBufferSharedPointer();
    }
    read(std::make_shared<BufferInputSource>("contents", data.get()), resources, depth);
}

void DrawingWalk::read(const std::shared_ptr<InputSource>& input, QPDFObjectHandle resources, int depth)
{
    QPDFTokenizer tokenizer;
    tokenizer.allowEOF();
    std::vector<QPDFTokenizer::Token> operands;
    for (;;) {
        const qpdf_offset_t before = input->tell();
        const QPDFTokenizer::Token token = tokenizer.readToken(input, "contents", true);
        if (token.getType() == QPDFTokenizer::tt_eof || input->tell() == before)
            return;
        if (token.getType() != QPDFTokenizer::tt_word) {
            operands.push_back(token);
            continue;
        }
        const std::string& op = token.getValue();
        // An inline picture's bytes are no tokens.
        if (op == "ID") {
            tokenizer.expectInlineImage(input);
            tokenizer.readToken(input, "contents", true);
            m_state->paintPicture();
        } else if (op == "Do" && operands.size() == 1 && operands.front().getType() == QPDFTokenizer::tt_name) {
            draw(operands.front().getValue(), resources, depth);
        } else {
            m_state->operate(op, operands, resources);
        }
        operands.clear();
    }
}

void DrawingWalk::noteFonts(QPDFObjectHandle resources)
{
    if (!resources.isDictionary() || !resources.getKey("/Font").isDictionary())
        return;
    QPDFObjectHandle fonts = resources.getKey("/Font");
    for (const std::string& key : fonts.getKeys()) {
        QPDFObjectHandle font = fonts.getKey(key);
        if (!font.isDictionary() || (font.isIndirect() && !m_fonts.insert(font.getObjGen()).second))
            continue;
        const QString name = fontName(font);
        if (!isEmbedded(font) && !m_facts.unembeddedFonts.contains(name))
            m_facts.unembeddedFonts << name;
    }
}

// A form is drawn inside its caller's state, which goes on after it as it was.
void DrawingWalk::draw(const std::string& key, QPDFObjectHandle resources, int depth)
{
    if (!resources.isDictionary() || !resources.getKey("/XObject").isDictionary())
        return;
    QPDFObjectHandle xObject = resources.getKey("/XObject").getKey(key);
    if (!xObject.isStream())
        return;
    QPDFObjectHandle dict = xObject.getDict();
    if (dict.getKey("/Subtype").isNameAndEquals("/Form")) {
        QPDFObjectHandle own = dict.getKey("/Resources");
        m_state->save();
        if (dict.getKey("/Matrix").isArray())
            m_state->concat(matrixOf(dict.getKey("/Matrix").getArrayAsVector()));
        QPDFObjectHandle group = dict.getKey("/Group");
        if (group.isDictionary() && group.getKey("/S").isNameAndEquals("/Transparency"))
            m_state->enterGroup();
        walk(xObject, own.isDictionary() ? own : resources, depth + 1);
        m_state->restore();
    } else if (dict.getKey("/Subtype").isNameAndEquals("/Image")) {
        placePicture(xObject);
        m_state->paintPicture();
    }
}

void DrawingWalk::placePicture(QPDFObjectHandle image)
{
    QPDFObjectHandle dict = image.getDict();
    const QSize pixels(dict.getKey("/Width").isInteger() ? int(dict.getKey("/Width").getIntValue()) : 0,
                       dict.getKey("/Height").isInteger() ? int(dict.getKey("/Height").getIntValue()) : 0);
    const double shown = std::hypot(m_state->ctm().m11(), m_state->ctm().m12());
    auto [at, added] = m_pictureIndex.try_emplace(image.getObjGen(), int(m_facts.pictures.size()));
    if (added)
        m_facts.pictures.append({pixels, shown});
    else
        m_facts.pictures[at->second].shownWidthPt = std::max(m_facts.pictures[at->second].shownWidthPt, shown);
}
