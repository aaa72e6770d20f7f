#include "AccessibleRules.h"

#include "MarkedContent.h"
#include "PreflightTr.h"
#include "StructureFacts.h"

#include <QCoreApplication>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
bool headingsInOrder(const QList<int>& levels)
{
    int last = 0;
    for (int level : levels) {
        if (level > last + 1)
            return false;
        last = level;
    }
    return true;
}

bool embedded(QPDFObjectHandle font)
{
    if (font.getKey("/Subtype").isNameAndEquals("/Type3"))
        return true;
    QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
    if (descendants.isArray() && descendants.getArrayNItems() > 0)
        font = descendants.getArrayItem(0);
    QPDFObjectHandle descriptor = font.getKey("/FontDescriptor");
    return descriptor.isDictionary() &&
           (descriptor.getKey("/FontFile").isStream() || descriptor.getKey("/FontFile2").isStream() ||
            descriptor.getKey("/FontFile3").isStream());
}

QString xmpText(QPDF& pdf)
{
    QPDFObjectHandle metadata = pdf.getRoot().getKey("/Metadata");
    if (!metadata.isStream())
        return {};
    const std::shared_ptr<Buffer> data = metadata.getStreamData();
    return QString::fromUtf8(reinterpret_cast<const char*>(data->getBuffer()), qsizetype(data->getSize()));
}

void readPages(QPDF& pdf, const StructureFacts& structure, QStringList& failed)
{
    bool tabs = true, fonts = true, links = true;
    int unmarked = 0;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        tabs = tabs && page.getObjectHandle().getKey("/Tabs").isNameAndEquals("/S");
        unmarked += paintedOutsideMarkedContent(page);
        QPDFObjectHandle fontSet = page.getAttribute("/Resources", false).getKey("/Font");
        if (fontSet.isDictionary())
            for (auto& [name, font] : fontSet.ditems())
                fonts = fonts && embedded(font);
        for (QPDFAnnotationObjectHelper& link : page.getAnnotations("/Link")) {
            QPDFObjectHandle annotation = link.getObjectHandle();
            const bool described =
                annotation.getKey("/Contents").isString() && !annotation.getKey("/Contents").getUTF8Value().empty();
            links = links && described && structure.linkAlts.count(annotation.getObjGen()) > 0;
        }
    }
    if (!tabs)
        failed << PreflightTr::tr("tab order by structure");
    if (unmarked > 0)
        failed << PreflightTr::tr("%1 marks neither tagged nor an artifact").arg(unmarked);
    if (!fonts)
        failed << PreflightTr::tr("fonts embedded");
    if (!links)
        failed << PreflightTr::tr("every link tagged and described");
}
} // namespace

QStringList accessibleFailures(QPDF& pdf)
{
    QStringList failed;
    QPDFObjectHandle root = pdf.getRoot();
    const StructureFacts structure = readStructure(pdf);
    if (!structure.tagged || !root.getKey("/MarkInfo").getKey("/Marked").isBool() ||
        !root.getKey("/MarkInfo").getKey("/Marked").getBoolValue())
        failed << PreflightTr::tr("tagged structure");
    if (!root.getKey("/Lang").isString() || root.getKey("/Lang").getUTF8Value().empty())
        failed << PreflightTr::tr("the document's language");
    QPDFObjectHandle shown = root.getKey("/ViewerPreferences").getKey("/DisplayDocTitle");
    if (!shown.isBool() || !shown.getBoolValue())
        failed << PreflightTr::tr("title shown");
    if (!xmpText(pdf).contains(QLatin1String("<dc:title>")))
        failed << PreflightTr::tr("title in the XMP");
    if (structure.figuresWithoutAlt > 0)
        failed << PreflightTr::tr("%1 figures without alt text").arg(structure.figuresWithoutAlt);
    if (!headingsInOrder(structure.headingLevels))
        failed << PreflightTr::tr("headings from level 1 without a skip");
    if (structure.headersWithoutScope > 0)
        failed << PreflightTr::tr("table header cells with a scope");
    readPages(pdf, structure, failed);
    return failed;
}
} // namespace orvanta::preflight
