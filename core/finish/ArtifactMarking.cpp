#include "ArtifactMarking.h"

#include "MarkedContent.h"

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <vector>

using namespace orvanta::preflight;
using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
/**
 * Rewrites a content stream with what it paints outside marked content wrapped. A path is held from its first
 * operator to the one that paints it, an inline picture from BI to its end, so each artifact is whole and closes
 * where it opened: inside the same text object and graphics state.
 */
class ArtifactFilter final : public QPDFObjectHandle::TokenFilter {
public:
    int wrapped = 0;

    void handleToken(const QPDFTokenizer::Token& token) override
    {
        m_operands.push_back(token);
        if (token.getType() == QPDFTokenizer::tt_inline_image) {
            m_inlineImage = false;
            wrap();
            return;
        }
        if (token.getType() != QPDFTokenizer::tt_word || m_inlineImage)
            return;
        const std::string& op = token.getValue();
        if (m_depth > 0 || op == "BMC" || op == "BDC" || op == "EMC")
            marked(op);
        else if (op == "BI")
            m_inlineImage = true;
        else if (isPathOperator(op))
            hold();
        else if (isPaintingOperator(op))
            wrap();
        else
            pass();
    }

    void handleEOF() override { pass(); }

private:
    void marked(const std::string& op)
    {
        if (op == "BMC" || op == "BDC")
            ++m_depth;
        else if (op == "EMC" && m_depth > 0)
            --m_depth;
        pass();
    }

    void hold()
    {
        m_path.insert(m_path.end(), m_operands.begin(), m_operands.end());
        m_operands.clear();
    }

    void wrap()
    {
        write("\n/Artifact BMC\n");
        pass();
        write("\nEMC\n");
        ++wrapped;
    }

    void pass()
    {
        for (const QPDFTokenizer::Token& held : m_path)
            writeToken(held);
        for (const QPDFTokenizer::Token& held : m_operands)
            writeToken(held);
        m_path.clear();
        m_operands.clear();
    }

    std::vector<QPDFTokenizer::Token> m_path;
    std::vector<QPDFTokenizer::Token> m_operands;
    int m_depth = 0;
    bool m_inlineImage = false;
};
} // namespace

int markArtifacts(QPDF& pdf)
{
    int wrapped = 0;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        ArtifactFilter filter;
        Pl_Buffer buffer("artifacts");
        page.filterContents(&filter, &buffer);
        if (filter.wrapped == 0)
            continue;
        std::unique_ptr<Buffer> bytes(buffer.getBuffer());
        const std::string content(reinterpret_cast<const char*>(bytes->getBuffer()), bytes->getSize());
        page.getObjectHandle().replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
        wrapped += filter.wrapped;
    }
    return wrapped;
}
} // namespace orvanta::finish
