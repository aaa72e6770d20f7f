#pragma once

#include <QList>
#include <QString>

#include <qpdf/QPDFObjGen.hh>

#include <map>

class QPDF;

/** What a PDF's structure tree says of its headings, tables, figures and links, read in one walk. */
struct StructureFacts {
    bool tagged = false;
    /** The level of each numbered heading, in reading order. */
    QList<int> headingLevels;
    int headersWithoutScope = 0;
    int figuresWithoutAlt = 0;
    /** Each link annotation a Link element holds, with the picture's alt text inside that element, if any. */
    std::map<QPDFObjGen, QString> linkAlts;
};

namespace orvanta::preflight {
/** Walks @p pdf's structure tree; a tree that loops or runs deep is read only so far. */
StructureFacts readStructure(QPDF& pdf);
} // namespace orvanta::preflight
