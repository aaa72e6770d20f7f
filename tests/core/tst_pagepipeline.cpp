#include "PagePipeline.h"

#include "AppFolder.h"
#include "ConverterStarter.h"
#include "Leftovers.h"
#include "PageFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

namespace {
const QByteArray EarlierPdf("%PDF-1.4\nearlier\n%%EOF\n");
constexpr int Patience = 30000;
// The stand-in takes the PDF as its last argument, whatever options come before.
const QByteArray LastArgument = "for a; do pdf=$a; done; ";
const QByteArray WritePdf = LastArgument + "printf '%%PDF-1.4\\n1 0 obj\\nendobj\\n%%%%EOF\\n' > \"$pdf\"";

QStringList entriesOf(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral(".keep"));
    return names;
}

// A process that has ended, so its id names no living owner.
qint64 deadPid()
{
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    gone.waitForFinished();
    return gone.processId() > 0 ? gone.processId() : 999999;
}
} // namespace

/** The one pipeline from page to PDF: an earlier PDF stays until a whole new one replaces it, at any stop. */
class TestPagePipeline final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void earlierPdfStaysUntilReplaced_data();
    void earlierPdfStaysUntilReplaced();
    void secondRunAtTheLongestName_data();
    void secondRunAtTheLongestName();
    void stopsSafelyAtEveryStage_data();
    void stopsSafelyAtEveryStage();
    void sweepTakesOnlyWhatDeadRunsLeft();

private:
    PageOrder order(PageOrder::Place place) const;
    PageResult runToEnd(const PageOrder& order);
    QString output(const QString& name = QString()) const
    {
        return name.isEmpty() ? AppFolder::outputFolder(m_page->app().path())
                              : AppFolder::outputFolder(m_page->app().path()) + '/' + name;
    }

    std::unique_ptr<PageFixture> m_page;
};

void TestPagePipeline::init()
{
    m_page = std::make_unique<PageFixture>();
    QVERIFY(m_page->isValid());
}

PageOrder TestPagePipeline::order(PageOrder::Place place) const
{
    PageOrder order;
    order.app = m_page->app().path();
    order.fields = m_page->typicalFields();
    order.catalogueEntryChosen = true;
    order.options.fitToContent = false;
    order.place = place;
    order.outputFolder = output();
    return order;
}

PageResult TestPagePipeline::runToEnd(const PageOrder& order)
{
    PagePipeline pipeline(ConverterStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    [&] { QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, Patience); }();
    return pipeline.result();
}

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
    QVERIFY2(!result.error.contains(".orvanta-"), qPrintable(result.error));
    QCOMPARE(entriesOf(output()), QStringList{"guide.pdf"});
    QCOMPARE(entriesOf(AppFolder::tempFolder(m_page->app().path())).filter(".job-"), QStringList());
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
    PagePipeline pipeline(ConverterStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    // The finishing ends meanwhile, so its report is already queued when the stop comes.
    connect(&pipeline, &PagePipeline::converterEnded, this, [&pipeline] {
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
    QCOMPARE(entriesOf(AppFolder::tempFolder(m_page->app().path())).filter(".job-"), QStringList());
}

void TestPagePipeline::sweepTakesOnlyWhatDeadRunsLeft()
{
    const QString app = m_page->app().path();
    const QString temp = AppFolder::tempFolder(app);
    const QString dead = QString::number(deadPid());
    const QString living = QString::number(QCoreApplication::applicationPid());
    writeFile(temp + "/.job-" + dead + "-AbC123/page.html", "left by a killed job");
    writeFile(temp + "/.preview-" + living + "-XyZ789/page.html", "a living window's preview");
    writeFile(output(".orvanta-" + dead + "-QwE456.pdf"), "half");
    writeFile(output(".orvanta-" + dead + "-QwE456.pdf.aBcDeF"), "a fitting cut short");
    writeFile(output(".orvanta-" + living + "-RtY012.pdf"), "being converted");
    // What an older version set aside: put back where its PDF is gone, dropped where a newer one stands.
    writeFile(output(".lost.pdf.earlier-Ab12Cd"), EarlierPdf);
    writeFile(output(".kept.pdf.earlier-Ef34Gh"), "older");
    writeFile(output("kept.pdf"), "newer");
    Leftovers::sweep(app);
    QCOMPARE(entriesOf(temp).filter(QRegularExpression("^\\.")), QStringList{".preview-" + living + "-XyZ789"});
    QCOMPARE(entriesOf(output()), (QStringList{".orvanta-" + living + "-RtY012.pdf", "kept.pdf", "lost.pdf"}));
    QCOMPARE(bytesOf(output("lost.pdf")), EarlierPdf);
    QCOMPARE(bytesOf(output("kept.pdf")), QByteArray("newer"));
}

QTEST_GUILESS_MAIN(TestPagePipeline)
#include "tst_pagepipeline.moc"
