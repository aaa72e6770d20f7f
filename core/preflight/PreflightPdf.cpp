#include "PreflightPdf.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTransform>

#include <qpdf/BufferInputSource.hh>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFTokenizer.hh>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>

namespace {
QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString stringOf(QPDFObjectHandle object)
{
    return object.isString() ? fromUtf8(object.getUTF8Value()).trimmed() : QString();
}

// "ABCDEF+DejaVuSans" is a subset of DejaVuSans: the reader wants the family.
QString fontName(QPDFObjectHandle font)
{
    QString name = font.getKey("/BaseFont").isName() ? fromUtf8(font.getKey("/BaseFont").getName()).mid(1) : QString();
    if (name.size() > 7 && name.at(6) == QLatin1Char('+'))
        name = name.mid(7);
    return name.isEmpty() ? QCoreApplication::translate("Preflight", "(unnamed)") : name;
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

/**
 * Follows the drawing of one page: the fonts it names and where each picture lands. Only the operators that move
 * pictures matter, so the drawing is read as tokens: text, the bulk of a page, is skipped without building objects.
 */
class PageWalk final {
public:
    PageWalk(PdfFacts& facts, std::map<QPDFObjGen, int>& pictureIndex, std::set<QPDFObjGen>& fonts)
        : m_facts(facts)
        , m_pictureIndex(pictureIndex)
        , m_fonts(fonts)
    {
    }

    void walk(QPDFObjectHandle content, QPDFObjectHandle resources, const QTransform& start, int depth)
    {
        if (depth > 8)
            return;
        noteFonts(resources);
        // A form is drawn inside its caller's state, which goes on after it.
        const Frame caller = m_frame;
        m_frame = {resources, start, {}, {}, depth};
        std::shared_ptr<Buffer> data;
        if (content.isStream()) {
            data = content.getStreamData(qpdf_dl_generalized);
        } else {
            Pl_Buffer pages("page contents");
            QPDFPageObjectHelper(content).pipeContents(&pages);
            data = pages.getBufferSharedPointer();
        }
        read(std::make_shared<BufferInputSource>("contents", data.get()));
        m_frame = caller;
    }

private:
    struct Frame {
        QPDFObjectHandle resources;
        QTransform ctm;
        std::vector<QTransform> stack;
        std::vector<QPDFTokenizer::Token> operands;
        int depth = 0;
    };

    void read(const std::shared_ptr<InputSource>& input)
    {
        QPDFTokenizer tokenizer;
        tokenizer.allowEOF();
        for (;;) {
            const qpdf_offset_t before = input->tell();
            const QPDFTokenizer::Token token = tokenizer.readToken(input, "contents", true);
            if (token.getType() == QPDFTokenizer::tt_eof || input->tell() == before)
                return;
            if (token.getType() != QPDFTokenizer::tt_word) {
                m_frame.operands.push_back(token);
                continue;
            }
            // An inline picture's bytes are no tokens.
            if (token.getValue() == "ID") {
                tokenizer.expectInlineImage(input);
                tokenizer.readToken(input, "contents", true);
            }
            operate(token.getValue());
            m_frame.operands.clear();
        }
    }

    void operate(const std::string& op)
    {
        Frame& f = m_frame;
        if (op == "q") {
            f.stack.push_back(f.ctm);
        } else if (op == "Q" && !f.stack.empty()) {
            f.ctm = f.stack.back();
            f.stack.pop_back();
        } else if (op == "cm" && f.operands.size() == 6) {
            f.ctm = matrixOf(f.operands) * f.ctm;
        } else if (op == "Do" && f.operands.size() == 1 && f.operands.front().getType() == QPDFTokenizer::tt_name) {
            draw(f.operands.front().getValue());
        }
    }

    // Six numbers, else no move at all: a broken matrix is the file's fault, not a reason to stop reading.
    static QTransform matrixOf(const std::vector<double>& m)
    {
        return m.size() == 6 ? QTransform(m[0], m[1], m[2], m[3], m[4], m[5]) : QTransform();
    }

    static QTransform matrixOf(const std::vector<QPDFTokenizer::Token>& tokens)
    {
        std::vector<double> numbers;
        for (const QPDFTokenizer::Token& token : tokens) {
            bool ok = token.getType() == QPDFTokenizer::tt_integer || token.getType() == QPDFTokenizer::tt_real;
            const double value = ok ? QByteArray::fromStdString(token.getValue()).toDouble(&ok) : 0;
            if (ok)
                numbers.push_back(value);
        }
        return matrixOf(numbers);
    }

    static QTransform matrixOf(std::vector<QPDFObjectHandle> objects)
    {
        std::vector<double> numbers;
        for (QPDFObjectHandle& object : objects)
            if (object.isNumber())
                numbers.push_back(object.getNumericValue());
        return matrixOf(numbers);
    }

    void noteFonts(QPDFObjectHandle resources)
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

    void draw(const std::string& key)
    {
        QPDFObjectHandle resources = m_frame.resources;
        if (!resources.isDictionary() || !resources.getKey("/XObject").isDictionary())
            return;
        QPDFObjectHandle xObject = resources.getKey("/XObject").getKey(key);
        if (!xObject.isStream())
            return;
        QPDFObjectHandle dict = xObject.getDict();
        if (dict.getKey("/Subtype").isNameAndEquals("/Form")) {
            QPDFObjectHandle own = dict.getKey("/Resources");
            const QTransform form =
                dict.getKey("/Matrix").isArray() ? matrixOf(dict.getKey("/Matrix").getArrayAsVector()) : QTransform();
            walk(xObject, own.isDictionary() ? own : resources, form * m_frame.ctm, m_frame.depth + 1);
        } else if (dict.getKey("/Subtype").isNameAndEquals("/Image")) {
            placePicture(xObject);
        }
    }

    void placePicture(QPDFObjectHandle image)
    {
        QPDFObjectHandle dict = image.getDict();
        const QSize pixels(dict.getKey("/Width").isInteger() ? int(dict.getKey("/Width").getIntValue()) : 0,
                           dict.getKey("/Height").isInteger() ? int(dict.getKey("/Height").getIntValue()) : 0);
        const double shown = std::hypot(m_frame.ctm.m11(), m_frame.ctm.m12());
        auto [at, added] = m_pictureIndex.try_emplace(image.getObjGen(), int(m_facts.pictures.size()));
        if (added)
            m_facts.pictures.append({pixels, shown});
        else
            m_facts.pictures[at->second].shownWidthPt = std::max(m_facts.pictures[at->second].shownWidthPt, shown);
    }

    PdfFacts& m_facts;
    std::map<QPDFObjGen, int>& m_pictureIndex;
    std::set<QPDFObjGen>& m_fonts;
    Frame m_frame;
};

void readLinks(QPDFPageObjectHelper& page, int index, PdfFacts& facts)
{
    const QPDFObjectHandle::Rectangle box = page.getMediaBox().getArrayAsRectangle();
    for (QPDFAnnotationObjectHelper& annotation : page.getAnnotations("/Link")) {
        QPDFObjectHandle action = annotation.getObjectHandle().getKey("/A");
        if (!action.isDictionary() || !action.getKey("/S").isNameAndEquals("/URI"))
            continue;
        const QString uri = stringOf(action.getKey("/URI"));
        const QPDFObjectHandle::Rectangle rect = annotation.getRect();
        if (!uri.isEmpty())
            facts.links.append({uri, {index, box.ury - std::max(rect.ury, rect.lly)}});
    }
}

bool isFigure(QPDFObjectHandle element, QPDFObjectHandle roleMap)
{
    QPDFObjectHandle type = element.getKey("/S");
    if (type.isName() && roleMap.isDictionary() && roleMap.getKey(type.getName()).isName())
        type = roleMap.getKey(type.getName());
    return type.isNameAndEquals("/Figure");
}

// Depth- and repeat-bound: a structure tree is the file's own word and may loop.
void countUndescribedFigures(QPDFObjectHandle node, QPDFObjectHandle roleMap, std::set<QPDFObjGen>& seen, int depth,
                             int& count)
{
    if (depth > 64 || (node.isIndirect() && !seen.insert(node.getObjGen()).second))
        return;
    if (node.isArray()) {
        for (QPDFObjectHandle& item : node.getArrayAsVector())
            countUndescribedFigures(item, roleMap, seen, depth + 1, count);
        return;
    }
    if (!node.isDictionary())
        return;
    if (isFigure(node, roleMap) && stringOf(node.getKey("/Alt")).isEmpty())
        ++count;
    countUndescribedFigures(node.getKey("/K"), roleMap, seen, depth + 1, count);
}

void readDocument(QPDF& pdf, PdfFacts& facts)
{
    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    facts.title = info.isDictionary() ? stringOf(info.getKey("/Title")) : QString();
    QPDFObjectHandle root = pdf.getRoot();
    facts.language = stringOf(root.getKey("/Lang"));
    QPDFObjectHandle tree = root.getKey("/StructTreeRoot");
    facts.tagged = tree.isDictionary();
    if (facts.tagged) {
        std::set<QPDFObjGen> seen;
        countUndescribedFigures(tree.getKey("/K"), tree.getKey("/RoleMap"), seen, 0, facts.figuresWithoutDescription);
    }
}
} // namespace

PdfFacts readPdfFacts(const QString& path)
{
    PdfFacts facts;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(path).constData());
        readDocument(pdf, facts);
        std::map<QPDFObjGen, int> pictureIndex;
        std::set<QPDFObjGen> fonts;
        PageWalk walk(facts, pictureIndex, fonts);
        int index = 0;
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            readLinks(page, index++, facts);
            walk.walk(page.getObjectHandle(), page.getAttribute("/Resources", false), QTransform(), 0);
        }
    } catch (const std::exception& failure) {
        facts.error = QString::fromLocal8Bit(failure.what());
    }
    return facts;
}
