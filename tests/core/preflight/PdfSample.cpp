#include "PdfSample.h"

#include <QFile>
#include <QRandomGenerator>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

const QString SampleLink = QStringLiteral("https://example.com/buy?utm_source=orvanta&utm_campaign=spring");
const QString SampleTitle = QStringLiteral("Keto Cookbook Review");
const QString SampleFontFile = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

namespace {

QPDFObjectHandle parsed(QPDF& pdf, const QString& text)
{
    return QPDFObjectHandle::parse(&pdf, text.toStdString());
}

QPDFObjectHandle font(QPDF& pdf, Sample::FontFile file)
{
    QString widths;
    for (int i = 32; i <= 126; ++i)
        widths += QStringLiteral("600 ");
    QPDFObjectHandle descriptor =
        parsed(pdf, "<< /Type /FontDescriptor /FontName /DejaVuSans /Flags 32 /FontBBox [-1021 -463 1793 1232] "
                    "/ItalicAngle 0 /Ascent 928 /Descent -236 /CapHeight 729 /StemV 80 >>");
    if (file == Sample::FontFile::TrueType) {
        QFile truetype(SampleFontFile);
        truetype.open(QIODevice::ReadOnly);
        descriptor.replaceKey("/FontFile2", QPDFObjectHandle::newStream(&pdf, truetype.readAll().toStdString()));
    } else if (file == Sample::FontFile::Cff) {
        // Only the font's presence is judged, not its glyphs.
        QPDFObjectHandle cff = QPDFObjectHandle::newStream(&pdf, std::string("\x01\x00\x04\x01", 4));
        cff.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/Type1C"));
        descriptor.replaceKey("/FontFile3", cff);
    }
    QPDFObjectHandle dict = parsed(pdf, "<< /Type /Font /Subtype /TrueType /BaseFont /ABCDEF+DejaVuSans /FirstChar 32 "
                                        "/LastChar 126 /Encoding /WinAnsiEncoding /Widths [" +
                                            widths + "] >>");
    dict.replaceKey("/FontDescriptor", pdf.makeIndirectObject(descriptor));
    return pdf.makeIndirectObject(dict);
}

QPDFObjectHandle picture(QPDF& pdf, QSize pixels)
{
    QPDFObjectHandle image =
        QPDFObjectHandle::newStream(&pdf, std::string(size_t(pixels.width()) * size_t(pixels.height()), '\x80'));
    image.replaceDict(parsed(pdf, QStringLiteral("<< /Type /XObject /Subtype /Image /Width %1 /Height %2 "
                                                 "/ColorSpace /DeviceGray /BitsPerComponent 8 >>")
                                      .arg(pixels.width())
                                      .arg(pixels.height())));
    return image;
}

QString disclosureText(const Sample& sample)
{
    QString content;
    double y = sample.disclosureY;
    for (const QString& line : sample.disclosure) {
        content += QStringLiteral("q BT %1 /F1 %2 Tf 72 %3 Td (%4) Tj ET Q\n")
                       .arg(sample.disclosureStyle)
                       .arg(sample.disclosureSize)
                       .arg(y)
                       .arg(line);
        y -= 14;
    }
    return content;
}

// A browser draws an element with an opacity as a group: the alpha is set outside it, and reset inside.
QString groupedDisclosure(QPDF& pdf, const Sample& sample, QPDFObjectHandle resources)
{
    QPDFObjectHandle form = QPDFObjectHandle::newStream(&pdf, ("/Opaque gs\n" + disclosureText(sample)).toStdString());
    form.replaceDict(parsed(pdf, "<< /Type /XObject /Subtype /Form /BBox [0 0 595 842] /Group << /S /Transparency "
                                 ">> /Resources << /ExtGState << /Opaque << /ca 1 >> >> >> >>"));
    form.getDict().getKey("/Resources").replaceKey("/Font", resources.getKey("/Font"));
    resources.getKey("/ExtGState")
        .replaceKey("/Grouped", parsed(pdf, QStringLiteral("<< /ca %1 >>").arg(sample.disclosureGroupAlpha)));
    resources.getKey("/XObject").replaceKey("/Fm2", pdf.makeIndirectObject(form));
    return QStringLiteral("q /Grouped gs /Fm2 Do Q\n");
}

// A letter of the PDF's string is one character or an escape ("\\222").
QString titleShown(const Sample& sample)
{
    if (!sample.titleByLetter)
        return QStringLiteral("(%1) Tj").arg(sample.drawnTitle);
    QString shown;
    for (qsizetype i = 0; i < sample.drawnTitle.size();) {
        const qsizetype length = sample.drawnTitle.at(i) == QLatin1Char('\\') ? 4 : 1;
        shown += QStringLiteral("(%1) Tj %2 0 Td ").arg(sample.drawnTitle.mid(i, length)).arg(0.6 * sample.titleSize);
        i += length;
    }
    return shown;
}

QString drawnText(QPDF& pdf, const Sample& sample, QPDFObjectHandle resources)
{
    QString content = QStringLiteral("q %1\nBT %2 /F1 %3 Tf %4 780 Td %5 ET Q\n")
                          .arg(sample.underTitle, sample.titleStyle)
                          .arg(sample.titleSize)
                          .arg(sample.titleX)
                          .arg(titleShown(sample));
    content += sample.disclosureGroupAlpha < 1 ? groupedDisclosure(pdf, sample, resources) : disclosureText(sample);
    content += sample.overDisclosure + QLatin1Char('\n');
    return content + QStringLiteral("BT /F1 18 Tf 80 560 Td (Buy now) Tj ET\n");
}

void addPicture(QPDF& pdf, const Sample& sample, QPDFObjectHandle resources, QString& content)
{
    const QString place = QStringLiteral("%1 0 0 %2 72 200").arg(sample.pictureWidthPt).arg(sample.pictureWidthPt / 2);
    QPDFObjectHandle image = pdf.makeIndirectObject(picture(pdf, sample.picture));
    if (!sample.pictureInForm) {
        resources.getKey("/XObject").replaceKey("/Im1", image);
        content += QStringLiteral("q %1 cm /Im1 Do Q\n").arg(place);
        return;
    }
    QPDFObjectHandle form = QPDFObjectHandle::newStream(&pdf, "/Im1 Do");
    form.replaceDict(parsed(pdf, QStringLiteral("<< /Type /XObject /Subtype /Form /BBox [0 0 1 1] /Matrix [%1] "
                                                "/Resources << /XObject << >> >> >>")
                                     .arg(place)));
    form.getDict().getKey("/Resources").getKey("/XObject").replaceKey("/Im1", image);
    resources.getKey("/XObject").replaceKey("/Fm1", pdf.makeIndirectObject(form));
    content += QStringLiteral("q /Fm1 Do Q\n");
}

void addDocumentFacts(QPDF& pdf, const Sample& sample)
{
    QPDFObjectHandle info = pdf.makeIndirectObject(parsed(pdf, "<< >>"));
    if (!sample.infoTitle.isEmpty())
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(sample.infoTitle.toStdString()));
    pdf.getTrailer().replaceKey("/Info", info);
    QPDFObjectHandle root = pdf.getRoot();
    if (!sample.language.isEmpty())
        root.replaceKey("/Lang", QPDFObjectHandle::newUnicodeString(sample.language.toStdString()));
    if (sample.tags != Sample::Tags::None)
        root.replaceKey("/StructTreeRoot",
                        parsed(pdf, sample.tags == Sample::Tags::Described
                                        ? "<< /Type /StructTreeRoot /K [<< /S /Document /K [<< /S /Figure "
                                          "/Alt (Cover) >>] >>] >>"
                                        : "<< /Type /StructTreeRoot /K [<< /S /Document /K [<< /S /Figure >>] >>] >>"));
    if (sample.paddingBytes > 0) {
        QByteArray noise(sample.paddingBytes, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        root.replaceKey("/OrvantaTestPadding", QPDFObjectHandle::newStream(&pdf, noise.toStdString()));
    }
}

} // namespace

void writeSample(const Sample& sample, const QString& path)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle resources = parsed(pdf, "<< /Font << >> /XObject << >> /ExtGState << /Faded << /ca 0 >> >> >>");
    resources.getKey("/Font").replaceKey("/F1", font(pdf, sample.font));
    QString content = drawnText(pdf, sample, resources);
    if (sample.inlinePictureFirst)
        content.prepend(QStringLiteral("BI /W 14 /H 1 /CS /G /BPC 8 ID 0 0 0 0 0 0 cm EI\n"));
    addPicture(pdf, sample, resources, content);
    QPDFObjectHandle page = pdf.makeIndirectObject(
        parsed(pdf, QStringLiteral("<< /Type /Page /MediaBox [0 %1 595 842] >>").arg(sample.boxBottom)));
    page.replaceKey("/Resources", resources);
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content.toStdString()));
    const QRectF& r = sample.linkRect;
    QPDFObjectHandle annotation = parsed(pdf, QStringLiteral("<< /Type /Annot /Subtype /Link /Rect [%1 %2 %3 %4] "
                                                             "/Border [0 0 0] >>")
                                                  .arg(r.left())
                                                  .arg(r.top())
                                                  .arg(r.right())
                                                  .arg(r.bottom()));
    if (sample.linkAction)
        annotation.replaceKey("/A", parsed(pdf, "<< /S /URI >>"));
    if (sample.linkAction)
        annotation.getKey("/A").replaceKey("/URI", QPDFObjectHandle::newString(sample.linkUri.toStdString()));
    page.replaceKey("/Annots", QPDFObjectHandle::newArray({pdf.makeIndirectObject(annotation)}));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(page), false);
    addDocumentFacts(pdf, sample);
    // The writer keeps the name it was given until it writes.
    const QByteArray fileName = QFile::encodeName(path);
    QPDFWriter writer(pdf, fileName.constData());
    writer.write();
}
