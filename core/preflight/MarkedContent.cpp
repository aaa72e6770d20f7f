#include "MarkedContent.h"

#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <set>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
/** Counts what is painted while no marked content is open; writes nothing. */
class UnmarkedCount final : public QPDFObjectHandle::TokenFilter {
public:
    int count = 0;

    void handleToken(const QPDFTokenizer::Token& token) override
    {
        if (token.getType() == QPDFTokenizer::tt_inline_image) {
            count += m_depth == 0 ? 1 : 0;
            return;
        }
        if (token.getType() != QPDFTokenizer::tt_word)
            return;
        const std::string& op = token.getValue();
        if (op == "BMC" || op == "BDC")
            ++m_depth;
        else if (op == "EMC")
            m_depth = m_depth > 0 ? m_depth - 1 : 0;
        else if (m_depth == 0 && isPaintingOperator(op))
            ++count;
    }

private:
    int m_depth = 0;
};
} // namespace

bool isPaintingOperator(const std::string& op)
{
    static const std::set<std::string> painting{"S",  "s",  "f",  "F", "f*", "B",  "B*", "b",
                                                "b*", "Tj", "TJ", "'", "\"", "Do", "sh"};
    return painting.count(op) > 0;
}

bool isPathOperator(const std::string& op)
{
    static const std::set<std::string> path{"m", "l", "c", "v", "y", "h", "re", "W", "W*"};
    return path.count(op) > 0;
}

int paintedOutsideMarkedContent(QPDFPageObjectHelper& page)
{
    UnmarkedCount counter;
    page.filterContents(&counter);
    return counter.count;
}
} // namespace orvanta::preflight
