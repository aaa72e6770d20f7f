#include "BookPrint.h"

#include "TestAppFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

/** A book is printed again until its contents' numbers stand, and never delivered with numbers that moved. */
class TestBookPasses final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void settles_data();
    void settles();
};

namespace {
// A print whose outline puts the contents on page 2 and each chapter where @p chapters says.
void writePrint(const QString& path, const QList<int>& chapters)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper pages(pdf);
    for (int i = 0; i < 12; ++i)
        pages.addPage(QPDFPageObjectHelper(
                          pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 100 100] >>"))),
                      false);
    const std::vector<QPDFPageObjectHelper> all = pages.getAllPages();
    QPDFObjectHandle root = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
    QList<std::pair<QString, int>> marks{{"Contents", 2}};
    for (qsizetype i = 0; i < chapters.size(); ++i)
        marks << std::pair{QStringLiteral("Chapter %1").arg(i + 1), chapters.at(i)};
    QPDFObjectHandle previous;
    for (const auto& [title, page] : marks) {
        QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title.toStdString()));
        item.replaceKey("/Parent", root);
        item.replaceKey("/Dest", QPDFObjectHandle::newArray(
                                     {all.at(size_t(page - 1)).getObjectHandle(), QPDFObjectHandle::newName("/Fit")}));
        if (previous.isInitialized()) {
            previous.replaceKey("/Next", item);
            item.replaceKey("/Prev", previous);
        } else {
            root.replaceKey("/First", item);
        }
        previous = item;
    }
    root.replaceKey("/Last", previous);
    pdf.getRoot().replaceKey("/Outlines", root);
    const QByteArray name = QFile::encodeName(path);
    QPDFWriter writer(pdf, name.constData());
    writer.write();
}
} // namespace

void TestBookPasses::settles_data()
{
    QTest::addColumn<QList<QList<int>>>("prints");
    QTest::addColumn<QString>("ends"); ///< "settled", or the failure's words
    QTest::newRow("the second print confirms the first") << QList<QList<int>>{{3, 5}, {3, 5}} << "settled";
    QTest::newRow("a chapter moved once, the third print confirms")
        << QList<QList<int>>{{3, 5}, {3, 6}, {3, 6}} << "settled";
    QTest::newRow("still moving at the third print") << QList<QList<int>>{{3, 5}, {3, 6}, {3, 7}} << "did not settle";
    QTest::newRow("a chapter missing from the outline") << QList<QList<int>>{{3}} << "no heading \"Chapter 2\"";
}

void TestBookPasses::settles()
{
    QFETCH(QList<QList<int>>, prints);
    QFETCH(QString, ends);
    QTemporaryDir dir;
    const QString html = writeFile(dir.filePath("book.html"), "<span class=\"toc-page\" id=\"toc-page-1\">?</span>"
                                                              "<span class=\"toc-page\" id=\"toc-page-2\">?</span>");
    BookPasses passes({"Contents", QString(), {"Chapter 1", "Chapter 2"}});
    for (qsizetype i = 0; i < prints.size(); ++i) {
        writePrint(dir.filePath("book.pdf"), prints.at(i));
        const Result<bool> again = passes.afterPrint(dir.filePath("book.pdf"), html);
        if (!again) {
            QVERIFY2(again.error().contains(ends), qPrintable(again.error()));
            return;
        }
        const QList<int> shown = prints.at(i);
        QVERIFY(bytesOf(html).contains(QStringLiteral("id=\"toc-page-2\">%1<").arg(shown.at(1)).toUtf8()));
        if (!again.value()) {
            QCOMPARE(ends, QStringLiteral("settled"));
            QCOMPARE(i, prints.size() - 1);
            QCOMPARE(passes.marks().marks.last().page, shown.at(1));
            return;
        }
    }
    QFAIL("the book never ended");
}

QTEST_GUILESS_MAIN(TestBookPasses)
#include "tst_bookpasses.moc"
