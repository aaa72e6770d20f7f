#include "AppFolder.h"
#include "ConvertedPage.h"
#include "FinishStage.h"
#include "PdfFit.h"
#include "PdfPass.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::finish;

/** Fitting real converter output: judged by other tools (pdftoppm, pdfinfo, pdftotext, qpdf), not by our own sums. */
class TestPdfFit final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fitsTheLastPage_data();
    void fitsTheLastPage();
    void untrimmablePdfStays_data();
    void untrimmablePdfStays();

private:
    BuiltPage convert(const QString& review) { return convertedPage(m_app, review); }
    TestAppFolder m_app;
};

namespace {
constexpr double MmPerPoint = 25.4 / 72.0;

// Fitting alone, through the one pass that finishes a PDF.
Result<bool> fitPdfToContent(const QString& pdfPath)
{
    PdfPass pass;
    pass.fit = true;
    const Result<PassDone> done = runPdfPass(pdfPath, pass);
    if (!done)
        return done.failure();
    if (!done->fitNote.isEmpty())
        return fail(done->fitNote);
    return done->trimmed;
}

double pageHeightMm(const QString& pdf, int page)
{
    const QString info =
        QString::fromUtf8(runTool("pdfinfo", {"-f", QString::number(page), "-l", QString::number(page), pdf}));
    const QRegularExpressionMatch size = QRegularExpression("size:\\s+[0-9.]+ x ([0-9.]+) pts").match(info);
    return size.hasMatch() ? size.captured(1).toDouble() * MmPerPoint : -1;
}

int pageCount(const QString& pdf)
{
    return QRegularExpression("Pages:\\s+(\\d+)")
        .match(QString::fromUtf8(runTool("pdfinfo", {pdf})))
        .captured(1)
        .toInt();
}

// Millimetres from the top of the page to the last row that differs from the page's foot row.
double contentBottomMm(const QString& pdf, int page)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath("page");
    const QString number = QString::number(page);
    runTool("pdftoppm", {"-r", "50", "-gray", "-f", number, "-l", number, "-singlefile", pdf, prefix});
    QImage image(prefix + ".pgm");
    if (image.isNull())
        return -1;
    image = image.convertToFormat(QImage::Format_Grayscale8);
    const auto row = [&](int y) {
        return QByteArray(reinterpret_cast<const char*>(image.constScanLine(y)), image.width());
    };
    const QByteArray foot = row(image.height() - 1);
    int y = image.height() - 1;
    while (y >= 0 && row(y) == foot)
        --y;
    return (y + 1) * 25.4 / 50.0;
}

QJsonObject objectsOf(const QString& pdf)
{
    const QJsonDocument json = QJsonDocument::fromJson(runTool("qpdf", {"--json=2", "--json-key=qpdf", pdf}));
    return json.object()["qpdf"].toArray().at(1).toObject();
}

// The link annotations of every page: rectangle and target, as qpdf reads them.
QList<QJsonObject> links(const QString& pdf)
{
    QList<QJsonObject> found;
    for (const QJsonValue& object : objectsOf(pdf)) {
        const QJsonObject value = object.toObject()["value"].toObject();
        if (value["/Subtype"].toString() == "/Link")
            found << value;
    }
    return found;
}

QJsonArray mediaBoxOfLastPage(const QString& pdf)
{
    const QJsonArray pages =
        QJsonDocument::fromJson(runTool("qpdf", {"--json=2", "--json-key=pages", pdf})).object()["pages"].toArray();
    const QString object = pages.last().toObject()["object"].toString();
    return objectsOf(pdf)["obj:" + object].toObject()["value"].toObject()["/MediaBox"].toArray();
}
} // namespace

void TestPdfFit::initTestCase()
{
    const QString missing = missingPdfTool();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QVERIFY(m_app.isValid());
}

void TestPdfFit::fitsTheLastPage_data()
{
    QTest::addColumn<QString>("review");
    QTest::addColumn<int>("pages");
    QTest::newRow("one page") << QString::fromUtf8("A short review, Café crème für 5 €.") << 1;
    QStringList lines;
    for (int i = 0; i < 1200; ++i)
        lines << QString("Review line %1 of a very long review.").arg(i);
    QTest::newRow("two pages") << lines.join("\r\n") << 2;
}

void TestPdfFit::fitsTheLastPage()
{
    QFETCH(QString, review);
    QFETCH(int, pages);
    const BuiltPage page = convert(review);
    QVERIFY(!page.pdfPath.isEmpty());
    QCOMPARE(pageCount(page.pdfPath), pages);
    const double contentBefore = contentBottomMm(page.pdfPath, pages);
    const QList<QJsonObject> linksBefore = links(page.pdfPath);
    QCOMPARE(linksBefore.size(), 1);

    const Result<bool> fitted = fitPdfToContent(page.pdfPath);
    QVERIFY2(fitted.valueOr(false), qPrintable(fitted.error()));

    QCOMPARE(pageCount(page.pdfPath), pages);
    for (int earlier = 1; earlier < pages; ++earlier)
        QVERIFY(qAbs(pageHeightMm(page.pdfPath, earlier) - 5000) < 1);
    const double height = pageHeightMm(page.pdfPath, pages);
    const double contentAfter = contentBottomMm(page.pdfPath, pages);
    QVERIFY2(qAbs(contentAfter - contentBefore) < 1.5,
             qPrintable(QString("%1 / %2").arg(contentBefore).arg(contentAfter)));
    QVERIFY2(qAbs(height - (contentAfter + FitMarginMm)) <= 3,
             qPrintable(QString("page %1 mm, content %2 mm").arg(height).arg(contentAfter)));

    // The link is the same object at the same place and inside the page.
    const QList<QJsonObject> linksAfter = links(page.pdfPath);
    QCOMPARE(linksAfter, linksBefore);
    if (pages == 1) {
        const QJsonArray box = mediaBoxOfLastPage(page.pdfPath);
        const QJsonArray rect = linksAfter.first()["/Rect"].toArray();
        QVERIFY(rect[1].toDouble() >= box[1].toDouble() && rect[3].toDouble() <= box[3].toDouble());
        QCOMPARE(linksAfter.first()["/A"].toObject()["/URI"].toString(), QString("u:https://example.com/buy?ref=fit"));
    }

    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", page.pdfPath, "-"}));
    for (const QString& expected :
         {QString("Fitted Page Check"), QString("Call To Action Title"), QString("Click Here to Buy"),
          QString("Bonus Headline Here"), QString("Forward your receipt to claim."), review.section("\r\n", -1)})
        QVERIFY2(text.contains(expected), qPrintable(expected));
}

void TestPdfFit::untrimmablePdfStays_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("not a PDF") << "garbage";
    QTest::newRow("cut short") << "truncated";
    QTest::newRow("needs a password") << "locked";
    QTest::newRow("folder refuses new files") << "unwritable";
}

void TestPdfFit::untrimmablePdfStays()
{
    QFETCH(QString, kind);
    static const BuiltPage page = convert("Short review.");
    QVERIFY(!page.pdfPath.isEmpty());
    QTemporaryDir dir;
    const QString pdf = dir.filePath("case.pdf");
    const QByteArray whole = bytesOf(page.pdfPath);
    if (kind == "garbage")
        writeFile(pdf, "%PDF-1.4\nnothing a reader could use\n%%EOF\n");
    else if (kind == "truncated")
        writeFile(pdf, whole.left(whole.size() / 2));
    else if (kind == "locked")
        runTool("qpdf", {"--encrypt", "user", "owner", "256", "--", page.pdfPath, pdf});
    else {
        writeFile(pdf, whole);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QTemporaryFile probe(dir.filePath("probe-XXXXXX"));
        if (probe.open()) {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user writes into read-only folders");
        }
    }
    const QByteArray before = bytesOf(pdf);
    QVERIFY(!before.isEmpty());
    const Result<bool> fitted = fitPdfToContent(pdf);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!fitted.ok());
    QVERIFY2(fitted.error().contains(QDir::toNativeSeparators(pdf)), qPrintable(fitted.error()));
    QCOMPARE(bytesOf(pdf), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"case.pdf"});

    // Through the job's finish the failure is a note, not a failure.
    BuiltPage copy = page;
    copy.pdfPath = pdf;
    const FinishResult finished = finishPdf(m_app.path(), copy, CreateOptions{}, AppFolder::outputFolder(m_app.path()));
    QVERIFY(finished.webPage.ok());
    QVERIFY(!finished.fitNote.isEmpty());
}

QTEST_GUILESS_MAIN(TestPdfFit)
#include "tst_pdffit.moc"
