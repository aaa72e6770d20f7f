#include "PdfMetadata.h"

#include "OrvantaConfig.h"

#include <QRegularExpression>

#include <qpdf/QPDF.hh>

using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString xmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// The converter's date "D:YYYYMMDDHHmmSS" with an optional zone, as XMP writes it.
QString xmpDate(const QString& pdfDate)
{
    static const QRegularExpression date(
        QStringLiteral("^D:(\\d{4})(\\d{2})(\\d{2})(\\d{2})(\\d{2})(\\d{2})(Z|[+-]\\d{2}'?\\d{2}'?)?"));
    const QRegularExpressionMatch m = date.match(pdfDate);
    if (!m.hasMatch())
        return {};
    QString zone = m.captured(7);
    zone.remove(QLatin1Char('\''));
    if (zone.size() == 5)
        zone.insert(3, QLatin1Char(':'));
    return QStringLiteral("%1-%2-%3T%4:%5:%6%7")
        .arg(m.captured(1), m.captured(2), m.captured(3), m.captured(4), m.captured(5), m.captured(6), zone);
}

QByteArray xmpPacket(const PdfMetadata& metadata, const QString& created)
{
    const QString creator = xmlEscaped(pdfCreatorName());
    QString xml =
        QStringLiteral("<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                       "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                       " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                       "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\n"
                       "    xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
                       "   <dc:format>application/pdf</dc:format>\n"
                       "   <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n"
                       "   <dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">%2</rdf:li></rdf:Alt>"
                       "</dc:description>\n"
                       "   <dc:language><rdf:Bag><rdf:li>%3</rdf:li></rdf:Bag></dc:language>\n"
                       "   <xmp:CreatorTool>%4</xmp:CreatorTool>\n"
                       "   <pdf:Producer>%4</pdf:Producer>\n")
            .arg(xmlEscaped(metadata.title), xmlEscaped(metadata.subject), xmlEscaped(metadata.language), creator);
    if (metadata.accessible)
        xml += QStringLiteral("   <pdfuaid:part xmlns:pdfuaid=\"http://www.aiim.org/pdfua/ns/id/\">1</pdfuaid:part>\n");
    if (!created.isEmpty())
        xml += QStringLiteral("   <xmp:CreateDate>%1</xmp:CreateDate>\n").arg(created);
    xml += QStringLiteral("  </rdf:Description>\n </rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>");
    return xml.toUtf8();
}
} // namespace

QString pdfCreatorName()
{
    return QStringLiteral("Orvanta " ORVANTA_VERSION);
}

// The first lang attribute of its own; an xml:lang is another attribute.
QString pageLanguage(const QString& pageText)
{
    static const QRegularExpression html(
        QStringLiteral("<html\\b[^>]*?\\slang\\s*=\\s*[\"']?([A-Za-z]{1,8}(?:-[A-Za-z0-9]{1,8})*)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = html.match(pageText);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("en");
}

void writeMetadata(QPDF& pdf, const PdfMetadata& metadata)
{
    QPDFObjectHandle trailer = pdf.getTrailer();
    QPDFObjectHandle info = trailer.getKey("/Info");
    if (!info.isDictionary()) {
        info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        trailer.replaceKey("/Info", info);
    }
    info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(utf8(metadata.title)));
    info.replaceKey("/Subject", QPDFObjectHandle::newUnicodeString(utf8(metadata.subject)));
    info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(utf8(pdfCreatorName())));
    info.replaceKey("/Producer", QPDFObjectHandle::newUnicodeString(utf8(pdfCreatorName())));
    const QString created = info.getKey("/CreationDate").isString()
                                ? xmpDate(QString::fromStdString(info.getKey("/CreationDate").getUTF8Value()))
                                : QString();
    if (created.isEmpty())
        info.removeKey("/CreationDate");

    QPDFObjectHandle root = pdf.getRoot();
    root.replaceKey("/Lang", QPDFObjectHandle::newUnicodeString(utf8(metadata.language)));
    QPDFObjectHandle preferences = root.getKey("/ViewerPreferences");
    if (!preferences.isDictionary()) {
        preferences = QPDFObjectHandle::newDictionary();
        root.replaceKey("/ViewerPreferences", preferences);
    }
    preferences.replaceKey("/DisplayDocTitle", QPDFObjectHandle::newBool(true));
    QPDFObjectHandle xmp = QPDFObjectHandle::newStream(&pdf, xmpPacket(metadata, created).toStdString());
    xmp.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
    xmp.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
    root.replaceKey("/Metadata", xmp);
}
} // namespace orvanta::finish
