#include "PipelineTestCase.h"

#include "AppFolder.h"
#include "EngineStarter.h"
#include "StageClock.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QMutex>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::engine;
using namespace orvanta::preflight;
using namespace orvanta::finish;

namespace {
constexpr int Patience = 30000;

// The stages a run said, in order; finishing speaks from the pool's threads.
QMutex saidLock;
QStringList said;
QtMessageHandler otherMessages = nullptr;

void hearStage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (qstrcmp(context.category, "orvanta.stages") != 0)
        return otherMessages(type, context, text);
    const QMutexLocker locker(&saidLock);
    said << text.section(QLatin1Char(' '), 1, 1);
}
} // namespace

/** The one pipeline from page to PDF: an earlier PDF stays until a whole new one replaces it, at any stop. */
class TestPagePipeline final : public PipelineTestCase {
    Q_OBJECT

private Q_SLOTS:
    void earlierPdfStaysUntilReplaced_data();
    void earlierPdfStaysUntilReplaced();
    void secondRunAtTheLongestName_data();
    void secondRunAtTheLongestName();
    void stopsSafelyAtEveryStage_data();
    void stopsSafelyAtEveryStage();
    void failedPlacingLeavesNoPrivateFile_data();
    void failedPlacingLeavesNoPrivateFile();
    void saysEachStage_data();
    void saysEachStage();
    void shortLinkOutcome_data();
    void shortLinkOutcome();
};

void TestPagePipeline::earlierPdfStaysUntilReplaced_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("replaced");
    const int bin = int(PageOrder::Place::AppFolder), staging = int(PageOrder::Place::Staging);
    QTest::newRow("whole pdf") << bin << WritePdf << true;
    QTest::newRow("whole pdf, exit 1") << bin << WritePdf + "; exit 1" << true;
    // Coarse clocks (FAT, exFAT) give two runs within one tick the same time; the new PDF must still count.
    QTest::newRow("whole pdf within one clock tick") << bin << WritePdf + "; touch -m -d @1767225600 \"$pdf\"" << true;
    QTest::newRow("no pdf") << bin << QByteArray("exit 0") << false;
    QTest::newRow("half a pdf") << bin << LastArgument + "printf '%%PDF-1.4\\n1 0 obj' > \"$pdf\"" << false;
    QTest::newRow("crash after half a pdf")
        << bin << LastArgument + "printf '%%PDF-1.4\\n1 0' > \"$pdf\"; kill -s SEGV $$" << false;
    QTest::newRow("job: whole pdf") << staging << WritePdf << true;
    QTest::newRow("job: half a pdf") << staging << LastArgument + "printf '%%PDF-1.4\\n1 0 obj' > \"$pdf\"" << false;
}

void TestPagePipeline::earlierPdfStaysUntilReplaced()
{
    QFETCH(int, place);
    QFETCH(QByteArray, script);
    QFETCH(bool, replaced);
    m_page->app().useStandInConverter(script);
    writeFile(output("guide.pdf"), EarlierPdf);
    QFile(output("guide.pdf")).setFileTime(QDateTime::fromSecsSinceEpoch(1767225600), QFile::FileModificationTime);
    const PageResult result = runToEnd(order(PageOrder::Place(place)));
    QVERIFY2(result.ok() == replaced, qPrintable(result.error));
    QCOMPARE(bytesOf(output("guide.pdf")) == EarlierPdf, !replaced);
    // A new PDF is readable as any program's file would be, not only by its owner.
    if (replaced)
        QVERIFY(QFile::permissions(output("guide.pdf")) & QFileDevice::ReadOther);
    QCOMPARE(result.pdfPath, replaced ? QDir::toNativeSeparators(output("guide.pdf")) : QString());
    // The private name never shows in a message: the user looks for the PDF's own place.
    QVERIFY2(!result.error.contains(".orvanta "), qPrintable(result.error));
    QCOMPARE(entriesOf(output()), QStringList{"guide.pdf"});
    QCOMPARE(entriesOf(AppFolder::tempFolder(m_page->app().path())).filter(".job "), QStringList());
}

void TestPagePipeline::secondRunAtTheLongestName_data()
{
    QTest::addColumn<QString>("letter");
    QTest::newRow("ascii") << "g";
    QTest::newRow("two-byte letters") << QString::fromUtf8("é");
    QTest::newRow("three-byte letters") << QString::fromUtf8("書");
}

// The converter's private name does not grow with the PDF's, so the longest allowed name works every time.
void TestPagePipeline::secondRunAtTheLongestName()
{
    QFETCH(QString, letter);
    m_page->app().useStandInConverter(WritePdf);
    PageOrder longest = order(PageOrder::Place::AppFolder);
    longest.fields.pdfFileName = letter.repeated(maxPageNameBytes() / letter.toUtf8().size());
    for (int run = 0; run < 2; ++run) {
        const PageResult result = runToEnd(longest);
        QVERIFY2(result.ok(), qPrintable(QString("run %1: %2").arg(run + 1).arg(result.error)));
    }
    QCOMPARE(entriesOf(output()), QStringList{longest.fields.pdfFileName + ".pdf"});
}

void TestPagePipeline::stopsSafelyAtEveryStage_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<bool>("whileFinishing");
    QTest::newRow("converting in bin") << int(PageOrder::Place::AppFolder) << false;
    QTest::newRow("finishing in bin") << int(PageOrder::Place::AppFolder) << true;
    QTest::newRow("converting a job") << int(PageOrder::Place::Staging) << false;
    QTest::newRow("finishing a job") << int(PageOrder::Place::Staging) << true;
}

// A stop may meet the finishing's report already on its way; nothing of the run may arrive after it.
void TestPagePipeline::stopsSafelyAtEveryStage()
{
    QFETCH(int, place);
    QFETCH(bool, whileFinishing);
    m_page->app().useStandInConverter(whileFinishing ? WritePdf : QByteArray("sleep 30"));
    writeFile(output("guide.pdf"), EarlierPdf);
    PageOrder stopped = order(PageOrder::Place(place));
    stopped.options = {true, true};
    PagePipeline pipeline(EngineStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    // The finishing ends meanwhile, so its report is already queued when the stop comes.
    connect(&pipeline, &PagePipeline::engineEnded, this, [&pipeline] {
        QThread::msleep(500);
        pipeline.stop();
    });
    pipeline.start(stopped);
    if (!whileFinishing) {
        QTest::qWait(200);
        pipeline.stop();
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, Patience);
    QTest::qWait(300);
    QCOMPARE(finished.count(), 1);
    // A PDF already converted is whole: it is finished and delivered; one still converting never replaces.
    QCOMPARE(pipeline.result().status, whileFinishing ? PageResult::Status::Made : PageResult::Status::Stopped);
    QCOMPARE(bytesOf(output("guide.pdf")) == EarlierPdf, !whileFinishing);
    const QStringList left = whileFinishing ? QStringList{"guide", "guide.pdf"} : QStringList{"guide.pdf"};
    QCOMPARE(entriesOf(output()), left);
    QCOMPARE(entriesOf(AppFolder::tempFolder(m_page->app().path())).filter(".job "), QStringList());
}

void TestPagePipeline::failedPlacingLeavesNoPrivateFile_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<bool>("webPage");
    QTest::newRow("in bin") << int(PageOrder::Place::AppFolder) << false;
    QTest::newRow("in bin, with the web page") << int(PageOrder::Place::AppFolder) << true;
    QTest::newRow("a job") << int(PageOrder::Place::Staging) << false;
}

// The PDF is converted, but its place is a folder of someone else's: the run fails and leaves nothing of its own.
void TestPagePipeline::failedPlacingLeavesNoPrivateFile()
{
    QFETCH(int, place);
    QFETCH(bool, webPage);
    m_page->app().useStandInConverter(WritePdf);
    writeFile(output("guide.pdf/keep.txt"), "not a PDF");
    PageOrder blocked = order(PageOrder::Place(place));
    blocked.options.saveWebPage = webPage;
    const PageResult result = runToEnd(blocked);
    QCOMPARE(result.status, PageResult::Status::Failed);
    QVERIFY2(result.error.contains("guide.pdf"), qPrintable(result.error));
    QCOMPARE(privateNamesBelow(m_page->app().path()), QStringList());
    QCOMPARE(bytesOf(output("guide.pdf/keep.txt")), QByteArray("not a PDF"));
}

void TestPagePipeline::saysEachStage_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<bool>("preflight");
    QTest::addColumn<QStringList>("stages");
    const QStringList plain{"page", "key", "sizing", "convert", "finish.pass", "finish", "placing"};
    QTest::newRow("off unless turned on") << false << true << QStringList();
    QTest::newRow("every stage once, in order") << true << false << plain;
    QTest::newRow("the preflight inside finishing")
        << true << true
        << QStringList{"page", "key", "sizing", "convert", "finish.pass", "finish.preflight", "finish", "placing"};
}

// The benchmark's stage table adds these up against the whole Create: a stage said twice or not at all skews it.
void TestPagePipeline::saysEachStage()
{
    QFETCH(bool, listening);
    QFETCH(bool, preflight);
    QFETCH(QStringList, stages);
    m_page->app().useStandInConverter(WritePdf);
    said.clear();
    otherMessages = qInstallMessageHandler(hearStage);
    QLoggingCategory::setFilterRules(listening ? "orvanta.stages.debug=true" : "");
    PageOrder stageOrder = order(PageOrder::Place::Staging);
    stageOrder.preflight = preflight;
    const PageResult result = runToEnd(stageOrder);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(otherMessages);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(said.join(QLatin1Char(' ')), stages.join(QLatin1Char(' ')));
}

void TestPagePipeline::shortLinkOutcome_data()
{
    QTest::addColumn<QString>("slug");
    QTest::addColumn<bool>("serverFileBlocked");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("words");
    QTest::newRow("a bad slug is missing info, nothing made")
        << "Bad Slug" << false << int(PageResult::Status::missingInfo) << "\"Bad Slug\"";
    QTest::newRow("a link not recorded: made, and said")
        << "guide" << true << int(PageResult::Status::Made) << ".htaccess";
}

// What the short link's table says reaches the run's result in the right kind: the PDF stands only once claimed.
void TestPagePipeline::shortLinkOutcome()
{
    QFETCH(QString, slug);
    QFETCH(bool, serverFileBlocked);
    QFETCH(int, status);
    QFETCH(QString, words);
    m_page->app().useStandInConverter(WritePdf);
    if (serverFileBlocked)
        QVERIFY(QDir().mkpath(AppFolder::linksFolder(m_page->app().path()) + "/.htaccess/x"));
    PageOrder linked = order(PageOrder::Place::Staging);
    linked.fields.brand.linkBase = QStringLiteral("https://me.example/go/");
    linked.fields.slug = slug;
    const PageResult result = runToEnd(linked);
    QCOMPARE(int(result.status), status);
    QVERIFY2(result.error.contains(words), qPrintable(result.error));
    QCOMPARE(QFile::exists(output("guide.pdf")), status == int(PageResult::Status::Made));
}

QTEST_GUILESS_MAIN(TestPagePipeline)
#include "tst_pagepipeline.moc"
