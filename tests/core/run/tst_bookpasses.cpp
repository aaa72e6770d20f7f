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
    QPDFObjectHandle blank = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 100 100] >>");
    for (int i = 0; i < 12; ++i)
        pages.addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(blank.shallowCopy())), false);
    const std::vector<QPDFPageObjectHelper> all = pages.getAllPages();
    QPDFObjectHandle root = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
    const QList<int> marks = QList<int>{2} + chapters;
    std::vector<QPDFObjectHandle> items;
    for (qsizetype i = 0; i < marks.size(); ++i) {
        const QString title = i == 0 ? QStringLiteral("Contents") : QStringLiteral("Chapter %1").arg(i);
        const int page = marks.at(i);
        items.push_back(pdf.makeIndirectObject(QPDFObjectHandle::newDictionary()));
        items.back().replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title.toStdString()));
        items.back().replaceKey("/Dest", QPDFObjectHandle::newArray({all.at(size_t(page - 1)).getObjectHandle(),
                                                                     QPDFObjectHandle::newName("/Fit")}));
        if (items.size() > 1)
            items.at(items.size() - 2).replaceKey("/Next", items.back());
    }
    root.replaceKey("/First", items.front());
    root.replaceKey("/Last", items.back());
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
        const int second = prints.at(i).at(1);
        QVERIFY(bytesOf(html).contains(QStringLiteral("id=\"toc-page-2\">%1<").arg(second).toUtf8()));
        if (!again.value()) {
            QCOMPARE(ends, QStringLiteral("settled"));
            QCOMPARE(i, prints.size() - 1);
            QCOMPARE(passes.marks().marks.last().page, second);
            return;
        }
    }
    QFAIL("the book never ended");
}

QTEST_GUILESS_MAIN(TestBookPasses)
#include "tst_bookpasses.moc"
