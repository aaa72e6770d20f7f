#include "BookLabels.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <vector>

using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
QPDFObjectHandle labels(int frontPages)
{
    QPDFObjectHandle numbers = QPDFObjectHandle::newArray();
    if (frontPages > 0) {
        numbers.appendItem(QPDFObjectHandle::newInteger(0));
        numbers.appendItem(QPDFObjectHandle::parse("<< /S /r >>"));
    }
    // The rest keep the numbers their footers print.
    numbers.appendItem(QPDFObjectHandle::newInteger(frontPages));
    QPDFObjectHandle decimal = QPDFObjectHandle::parse("<< /S /D >>");
    decimal.replaceKey("/St", QPDFObjectHandle::newInteger(frontPages + 1));
    numbers.appendItem(decimal);
    QPDFObjectHandle tree = QPDFObjectHandle::newDictionary();
    tree.replaceKey("/Nums", numbers);
    return tree;
}

QPDFObjectHandle outline(QPDF& pdf, const BookMarks& book, const std::vector<QPDFPageObjectHelper>& pages)
{
    QPDFObjectHandle root = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
    std::vector<QPDFObjectHandle> items;
    for (const BookMark& mark : book.marks) {
        if (mark.page < 1 || mark.page > int(pages.size()))
            continue;
        QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(mark.title.toStdString()));
        item.replaceKey("/Parent", root);
        QPDFObjectHandle dest = QPDFObjectHandle::newArray();
        dest.appendItem(pages.at(size_t(mark.page - 1)).getObjectHandle());
        dest.appendItem(QPDFObjectHandle::newName("/Fit"));
        item.replaceKey("/Dest", dest);
        if (!items.empty()) {
            item.replaceKey("/Prev", items.back());
            items.back().replaceKey("/Next", item);
        }
        items.push_back(item);
    }
    if (!items.empty()) {
        root.replaceKey("/First", items.front());
        root.replaceKey("/Last", items.back());
        root.replaceKey("/Count", QPDFObjectHandle::newInteger(qint64(items.size())));
    }
    return root;
}
} // namespace

bool writeBookLabels(QPDF& pdf, const BookMarks& book)
{
    const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    QPDFObjectHandle catalog = pdf.getRoot();
    catalog.replaceKey("/PageLabels", labels(book.frontPages));
    catalog.replaceKey("/Outlines", outline(pdf, book, pages));
    catalog.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
    return true;
}
} // namespace orvanta::finish
