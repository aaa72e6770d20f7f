#include "StructureFacts.h"

#include <qpdf/QPDF.hh>

#include <set>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
QString textOf(QPDFObjectHandle object)
{
    return object.isString() ? QString::fromStdString(object.getUTF8Value()).simplified() : QString();
}

/** One walk of the tree, bound in depth and in repeats: the tree is the file's own word and may loop. */
class StructureWalk final {
public:
    StructureWalk(QPDFObjectHandle roleMap, StructureFacts& facts)
        : m_roleMap(roleMap)
        , m_facts(facts)
    {
    }

    void walk(QPDFObjectHandle node, int depth, std::vector<QPDFObjGen>* link)
    {
        if (depth > 96 || (node.isIndirect() && !m_seen.insert(node.getObjGen()).second))
            return;
        if (node.isArray()) {
            for (QPDFObjectHandle& item : node.getArrayAsVector())
                walk(item, depth + 1, link);
            return;
        }
        if (!node.isDictionary())
            return;
        if (node.getKey("/Type").isNameAndEquals("/OBJR")) {
            if (link && node.getKey("/Obj").isIndirect())
                link->push_back(node.getKey("/Obj").getObjGen());
            return;
        }
        element(node, depth, link);
    }

private:
    std::string typeOf(QPDFObjectHandle element)
    {
        QPDFObjectHandle type = element.getKey("/S");
        if (type.isName() && m_roleMap.isDictionary() && m_roleMap.getKey(type.getName()).isName())
            type = m_roleMap.getKey(type.getName());
        return type.isName() ? type.getName() : std::string();
    }

    static bool hasScope(QPDFObjectHandle attributes)
    {
        if (attributes.isDictionary())
            return attributes.getKey("/Scope").isName();
        if (attributes.isArray())
            for (QPDFObjectHandle& each : attributes.getArrayAsVector())
                if (each.isDictionary() && each.getKey("/Scope").isName())
                    return true;
        return false;
    }

    void element(QPDFObjectHandle node, int depth, std::vector<QPDFObjGen>* link)
    {
        const std::string type = typeOf(node);
        const QString alt = textOf(node.getKey("/Alt"));
        if (type.size() == 3 && type.compare(0, 2, "/H") == 0 && type[2] >= '1' && type[2] <= '6')
            m_facts.headingLevels << type[2] - '0';
        else if (type == "/TH" && !hasScope(node.getKey("/A")))
            ++m_facts.headersWithoutScope;
        else if (type == "/Figure" && alt.isEmpty())
            ++m_facts.figuresWithoutAlt;
        if (!alt.isEmpty() && m_linkAlt && m_linkAlt->isEmpty())
            *m_linkAlt = alt;
        if (type != "/Link") {
            walk(node.getKey("/K"), depth + 1, link);
            return;
        }
        std::vector<QPDFObjGen> annotations;
        QString linkAlt = alt;
        QString* outer = m_linkAlt;
        m_linkAlt = &linkAlt;
        walk(node.getKey("/K"), depth + 1, &annotations);
        m_linkAlt = outer;
        for (const QPDFObjGen& annotation : annotations)
            m_facts.linkAlts[annotation] = linkAlt;
    }

    QPDFObjectHandle m_roleMap;
    StructureFacts& m_facts;
    std::set<QPDFObjGen> m_seen;
    QString* m_linkAlt = nullptr;
};
} // namespace

StructureFacts readStructure(QPDF& pdf)
{
    StructureFacts facts;
    QPDFObjectHandle tree = pdf.getRoot().getKey("/StructTreeRoot");
    facts.tagged = tree.isDictionary();
    if (facts.tagged)
        StructureWalk(tree.getKey("/RoleMap"), facts).walk(tree.getKey("/K"), 0, nullptr);
    return facts;
}
} // namespace orvanta::preflight
