#include "AppFolder.h"
#include "Catalogue.h"
#include "Converter.h"
#include "FinishStage.h"
#include "HelperOps.h"
#include "PdfFit.h"
#include "SavedWebPage.h"
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

/** Fitting real converter output: judged by other tools (pdftoppm, pdfinfo, pdftotext, qpdf), not by our own sums. */
class TestPdfFit final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fitsTheLastPage_data();
    void fitsTheLastPage();
    void untrimmablePdfStays_data();
    void untrimmablePdfStays();
    void savedWebPageWorksElsewhere();
    void webPageNeverWritesThroughALink_data();
    void webPageNeverWritesThroughALink();
    void webPageCopiesNoLinkFromAssets_data();
    void webPageCopiesNoLinkFromAssets();

private:
    /** A page named "linked", built without the converter. */
    static BuiltPage pageToSave(const TestAppFolder& app);
    BuiltPage convert(const QString& review);
    TestAppFolder m_app;
};

namespace {
constexpr double MmPerPoint = 25.4 / 72.0;

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

bool render(const QString& app, const QString& html, const QString& pdf)
{
    ConverterRun run;
    QSignalSpy finished(&run, &ConverterRun::finished);
    run.start(ConverterCommand(app, html, pdf), pdf);
    return finished.wait(120000) && finished.at(0).at(0).value<RenderResult>().ok;
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
    for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm", "qpdf", "wkhtmltopdf"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed").arg(tool)));
    }
    QVERIFY(m_app.isValid());
}

BuiltPage TestPdfFit::convert(const QString& review)
{
    const QStringList entries = Catalogue::entries(m_app.path());
    const auto idOf = [&](int entry) { return Catalogue::readProductId(m_app.path(), entries.at(entry)); };
    const QString rawId = idOf(0);
    PageFields fields;
    fields.mainTitle = "Fitted Page Check";
    fields.affiliateImagePath = Catalogue::salesPagePath(m_app.path(), Catalogue::cleanProductId(idOf(1)));
    fields.review = review;
    fields.bonusHeadline = "Bonus Headline Here";
    fields.rawProductId = rawId;
    fields.ctaTitle = "Call To Action Title";
    fields.ctaText = "Click Here to Buy";
    fields.ctaUrl = "https://example.com/buy?ref=fit";
    fields.bonusInstructions = "Forward your receipt to claim.";
    fields.pdfFileName = "fit check";
    const BuildResult built = BuildPage(m_app.path(), fields);
    QFile::remove(built.page.htmlPath);
    const bool made = built.status == BuildResult::Status::Built && WritePage(built.page).ok &&
                      render(m_app.path(), built.page.htmlPath, built.page.pdfPath);
    return made ? built.page : BuiltPage();
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

    const FitResult fitted = fitPdfToContent(page.pdfPath);
    QVERIFY2(fitted.ok && fitted.trimmed, qPrintable(fitted.error));

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
    const FitResult fitted = fitPdfToContent(pdf);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!fitted.ok);
    QVERIFY2(fitted.error.contains(QDir::toNativeSeparators(pdf)), qPrintable(fitted.error));
    QCOMPARE(bytesOf(pdf), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"case.pdf"});

    // Through the job's finish the failure is a note, not a failure.
    BuiltPage copy = page;
    copy.pdfPath = pdf;
    const FinishResult finished = finishPdf(m_app.path(), copy, CreateOptions{}, AppFolder::outputFolder(m_app.path()));
    QVERIFY(finished.ok);
    QVERIFY(!finished.fitNote.isEmpty());
}

// A copy of the saved folder moved elsewhere still shows both images: its PDF holds as many pictures as Create's.
void TestPdfFit::savedWebPageWorksElsewhere()
{
    const BuiltPage page = convert("Review for the web page.");
    QVERIFY(!page.pdfPath.isEmpty());
    const WebPageResult saved = saveWebPage(m_app.path(), page, AppFolder::outputFolder(m_app.path()));
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QCOMPARE(saved.folder, m_app.file("bin/output/fit-check"));
    const QString index = bytesOf(saved.folder + "/index.html");
    QVERIFY(!index.contains(m_app.path()));
    QVERIFY(!index.contains("file:///"));

    QTemporaryDir elsewhere;
    const QString moved = elsewhere.filePath("site");
    QVERIFY(QDir().rename(saved.folder, moved));
    QVERIFY(!QFileInfo(moved + "/assets").isSymLink());
    const QString pdf = elsewhere.filePath("moved.pdf");
    QVERIFY(render(m_app.path(), moved + "/index.html", pdf));
    const auto imagesIn = [](const QString& file) {
        const QString list = QString::fromUtf8(runTool("pdfimages", {"-list", file}));
        return list.split('\n').filter(QRegularExpression("^\\s*\\d+\\s+\\d+\\s+image")).size();
    };
    QVERIFY(imagesIn(page.pdfPath) >= 2);
    QCOMPARE(imagesIn(pdf), imagesIn(page.pdfPath));
}

void TestPdfFit::webPageNeverWritesThroughALink_data()
{
    // Relative to the saved folder; "" is the folder itself. Folders link to a folder, files to a file.
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("no link: saved") << QString() << false;
    QTest::newRow("the page's folder") << "" << true;
    QTest::newRow("index.html") << "index.html" << false;
    QTest::newRow("a picture") << "salespage.gif" << false;
    QTest::newRow("assets") << "assets" << true;
    QTest::newRow("a folder in assets") << "assets/js" << true;
    QTest::newRow("a script in assets") << "assets/js/stylish-portfolio.js" << false;
}

// The folder is uploaded as it is; a link in it, left by anyone, must not carry the page's files elsewhere.
void TestPdfFit::webPageNeverWritesThroughALink()
{
    QFETCH(QString, link);
    QFETCH(bool, isFolder);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = pageToSave(app);
    QVERIFY(!page.htmlPath.isEmpty());
    const QString folder = app.file("bin/output/linked");
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(isFolder ? "folder" : "file");
    if (!link.isNull()) {
        if (isFolder)
            QVERIFY(QDir().mkpath(target));
        else
            writeFile(target, "the user's own");
        const QString at = link.isEmpty() ? folder : folder + "/" + link;
        QVERIFY(QDir().mkpath(QFileInfo(at).absolutePath()));
        QVERIFY(QFile::link(target, at));
    }

    const WebPageResult saved = saveWebPage(app.path(), page, AppFolder::outputFolder(app.path()));
    QCOMPARE(saved.ok, link.isNull());
    if (link.isNull()) {
        QVERIFY(QFileInfo(folder + "/index.html").isFile());
        return;
    }
    const QString at = QDir::toNativeSeparators(link.isEmpty() ? folder : folder + "/" + link);
    QVERIFY2(saved.error.contains(at), qPrintable(saved.error));
    QVERIFY(QFileInfo(at).isSymLink());
    if (isFolder)
        QCOMPARE(QDir(target).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    else
        QCOMPARE(bytesOf(target), QByteArray("the user's own"));
}

BuiltPage TestPdfFit::pageToSave(const TestAppFolder& app)
{
    const QStringList entries = Catalogue::entries(app.path());
    PageFields fields;
    fields.affiliateImagePath = Catalogue::salesPagePath(
        app.path(), Catalogue::cleanProductId(Catalogue::readProductId(app.path(), entries.at(1))));
    fields.rawProductId = Catalogue::readProductId(app.path(), entries.at(0));
    fields.pdfFileName = "linked";
    const BuildResult built = BuildPage(app.path(), fields);
    return built.status == BuildResult::Status::Built ? built.page : BuiltPage();
}

void TestPdfFit::webPageCopiesNoLinkFromAssets_data()
{
    // Relative to bin/assets; folders link to a folder, files to a file, both outside the application folder.
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("a file, in assets") << "notes.txt" << false;
    QTest::newRow("a folder, in assets/js") << "js/private" << true;
}

// The scripts are published with the page: a link left among them must not publish what it points to.
void TestPdfFit::webPageCopiesNoLinkFromAssets()
{
    QFETCH(QString, link);
    QFETCH(bool, isFolder);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = pageToSave(app);
    QVERIFY(!page.htmlPath.isEmpty());
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("secret");
    if (isFolder)
        writeFile(target + "/key.txt", "the user's own");
    else
        writeFile(target, "the user's own");
    const QString at = AppFolder::assetsFolder(app.path()) + '/' + link;
    QVERIFY(QFile::link(target, at));

    CreateOptions options;
    options.saveWebPage = true;
    FinishExtras extras;
    extras.pdfFinished = true;
    const FinishResult finished = finishPdf(app.path(), page, options, AppFolder::outputFolder(app.path()), extras);
    QVERIFY(!finished.ok);
    QVERIFY2(finished.error.contains(QDir::toNativeSeparators(at)), qPrintable(finished.error));
    // Refused before the first script is copied: nothing of the link, nor half the scripts.
    QVERIFY(!QFileInfo::exists(app.file("bin/output/linked/assets")));
    QVERIFY(!QFileInfo::exists(app.file("bin/output/linked/index.html")));
}

QTEST_GUILESS_MAIN(TestPdfFit)
#include "tst_pdffit.moc"
