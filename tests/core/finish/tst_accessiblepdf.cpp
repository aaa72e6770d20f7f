#include "AccessibleRules.h"
#include "ArtifactMarking.h"
#include "MarkedContent.h"
#include "PdfMetadata.h"

#include <QtTest>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

using namespace orvanta::finish;
using namespace orvanta::preflight;

/** A tagged one-page PDF built with qpdf, with one fault planted per row, judged after artifacts are marked. */
class TestAccessiblePdf : public QObject {
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("headings");
        QTest::addColumn<bool>("undescribedLink");
        QTest::addColumn<QString>("failed");
        const QByteArray tagged = "/P <</MCID 0>> BDC BT /F1 9 Tf (x) Tj ET EMC\n";
        QTest::newRow("sound") << tagged << QByteArray("/H1 /H2") << false << QString();
        QTest::newRow("decoration becomes an artifact")
            << QByteArray("q 1 0 0 RG 0 0 m 9 9 l S Q BT /F1 9 Tf (y) Tj ET BI /W 1 /H 1 /BPC 8 /CS /G ID x EI\n") +
                   tagged
            << QByteArray("/H1") << false << QString();
        QTest::newRow("skipped heading") << tagged << QByteArray("/H1 /H3") << false
                                         << QString("headings from level 1 without a skip");
        QTest::newRow("first heading below one")
            << tagged << QByteArray("/H2") << false << QString("headings from level 1 without a skip");
        QTest::newRow("link without text")
            << tagged << QByteArray("/H1") << true << QString("every link tagged and described");
    }

    void rules()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, headings);
        QFETCH(bool, undescribedLink);
        QFETCH(QString, failed);
        QPDF pdf;
        pdf.emptyPDF();
        QPDFObjectHandle page = QPDFObjectHandle::parse(
            "<< /Type /Page /MediaBox [0 0 200 200] /Tabs /S /Resources << /Font << /F1 << /Type /Font /Subtype "
            "/Type3 >> >> >> >>");
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content.toStdString()));
        QPDFObjectHandle link = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Annot /Subtype /Link /Rect [0 0 9 9] /Contents (Buy) /A << /S /URI /URI (https://x.test) >> "
            ">>"));
        if (undescribedLink)
            link.removeKey("/Contents");
        page.replaceKey("/Annots", QPDFObjectHandle::newArray({link}));
        QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
        QPDFObjectHandle kids = QPDFObjectHandle::newArray();
        for (const QByteArray& type : headings.split(' '))
            kids.appendItem(QPDFObjectHandle::parse("<< /S " + type.toStdString() + " /K 0 >>"));
        QPDFObjectHandle linkElement = QPDFObjectHandle::parse("<< /S /Link /K [<< /Type /OBJR >>] >>");
        linkElement.getKey("/K").getArrayItem(0).replaceKey("/Obj", link);
        kids.appendItem(linkElement);
        QPDFObjectHandle tree = QPDFObjectHandle::parse("<< /Type /StructTreeRoot >>");
        tree.replaceKey("/K", kids);
        pdf.getRoot().replaceKey("/StructTreeRoot", pdf.makeIndirectObject(tree));
        pdf.getRoot().replaceKey("/MarkInfo", QPDFObjectHandle::parse("<< /Marked true >>"));
        writeMetadata(pdf, {QStringLiteral("Title"), QString(), QStringLiteral("en")});

        markArtifacts(pdf);
        QPDFPageObjectHelper first = QPDFPageDocumentHelper(pdf).getAllPages().front();
        QCOMPARE(paintedOutsideMarkedContent(first), 0);
        QCOMPARE(accessibleFailures(pdf).join(QLatin1Char(';')), failed);
    }
};

QTEST_GUILESS_MAIN(TestAccessiblePdf)
#include "tst_accessiblepdf.moc"
