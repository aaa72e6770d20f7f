#include "RealEngine.h"

#include "ChromiumBrowser.h"
#include "HelperOps.h"
#include "SpiedArgument.h"
#include "StagingFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QSignalSpy>
#include <QStandardPaths>

#include <memory>

#include <signal.h>

using namespace orvanta::page;
using namespace orvanta::engine;

namespace {
enum class Fault { None, EndlessScript, BrowserKilled, PageProcessKilled, SpareProcessKilled, Cancelled };

/** Kills the page processes the browser @p browser started, as the kernel does when memory runs out. */
int killPageProcessesNow(qint64 browser)
{
    QHash<qint64, qint64> parents;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        const QByteArray stat = bytesOf("/proc/" + pid + "/stat");
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && pid.toLongLong() > 0)
            parents.insert(pid.toLongLong(), fields.at(1).toLongLong());
    }
    int killed = 0;
    for (auto it = parents.cbegin(); it != parents.cend(); ++it) {
        qint64 up = it.value();
        while (up > 1 && up != browser)
            up = parents.value(up, 0);
        if (up == browser && bytesOf(QString("/proc/%1/cmdline").arg(it.key())).contains("--type=renderer"))
            killed += ::kill(pid_t(it.key()), SIGKILL) == 0 ? 1 : 0;
    }
    return killed;
}

/** The tabs the browser holds, by id: Chromium's own word, asked for over its pipe. */
QStringList openTabs()
{
    ChromiumBrowser& browser = ChromiumBrowser::instance();
    QStringList tabs;
    bool answered = false;
    int asked = 0;
    const QMetaObject::Connection heard =
        QObject::connect(&browser, &ChromiumBrowser::replied, [&](const DevToolsMessage& reply) {
            if (reply.id != asked)
                return;
            answered = true;
            for (const QJsonValue& target : reply.data.value("targetInfos").toArray()) {
                if (target.toObject().value("type").toString() == "page")
                    tabs << target.toObject().value("targetId").toString();
            }
        });
    asked = browser.send("Target.getTargets");
    static_cast<void>(QTest::qWaitFor([&answered] { return answered; }, 60000));
    QObject::disconnect(heard);
    tabs.sort();
    return tabs;
}

/** Kills them once the browser has any, waiting up to a minute for one. */
bool killPageProcesses(qint64 browser)
{
    int killed = 0;
    return QTest::qWaitFor([&] { return (killed = killPageProcessesNow(browser)) > 0; }, 60000);
}

/** True once the spy on the browser's events heard @p method, after its first @p after. */
bool heard(const QSignalSpy& events, const QString& method, qsizetype after = 0)
{
    for (qsizetype i = after; i < events.size(); ++i) {
        if (spiedArgument<DevToolsMessage>(events.at(i).at(0)).method == method)
            return true;
    }
    return false;
}
} // namespace

Q_DECLARE_METATYPE(Fault)

/** Chromium's runs in its one browser: faults and stops, pages side by side, colour emoji. */
class TestChromiumRuns final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void chromiumRunFaults_data();
    void chromiumRunFaults();
    void chromiumPrintsPagesAtOnce();
    void chromiumShowsColourEmoji();
    void chromiumKeepsAPrintedTabUntilItsRunGoes();
    void chromiumLeavesTailScriptsOut();
    void chromiumClosesATabStillOpening();
    void chromiumPrintsAnotherFoldersPageAfterwards();
    void chromiumCountsLostSparesFromTheLastTaken();
};

void TestChromiumRuns::initTestCase()
{
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    for (const char* tool : {"pdftotext", "pdffonts"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed").arg(tool)));
    }
}

// The browser's profile lies below the test's application folder, which goes now.
void TestChromiumRuns::cleanup()
{
    if (ChromiumBrowser* browser = ChromiumBrowser::existing())
        browser->stop();
}

void TestChromiumRuns::chromiumRunFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("standing");   // a file stands at the PDF's path, as the pipeline reserves it
    QTest::addColumn<QString>("message"); // empty: the PDF is made
    QTest::newRow("a script that never ends")
        << Fault::EndlessScript << false << "Chromium did not print @PAGE@ within 3 seconds and was stopped.";
    QTest::newRow("a script that never ends, a file standing at the PDF's path")
        << Fault::EndlessScript << true << "within 3 seconds";
    QTest::newRow("the browser killed while printing") << Fault::BrowserKilled << false << "ended unexpectedly";
    QTest::newRow("the page's process killed while printing") << Fault::PageProcessKilled << true << "@PAGE@";
    QTest::newRow("the spare tab's process killed before the run") << Fault::SpareProcessKilled << false << "";
    QTest::newRow("cancelled midway") << Fault::Cancelled << false << "";
    QTest::newRow("cancelled midway, a file standing at the PDF's path") << Fault::Cancelled << true << "";
}

// A run that fails or is stopped leaves nothing at its PDF's path, and the next page prints as ever: in the same
// browser, or in one started again after its crash.
void TestChromiumRuns::chromiumRunFaults()
{
    QFETCH(Fault, fault);
    QFETCH(bool, standing);
    QFETCH(QString, message);
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    TestAppFolder app;
    QVERIFY(app.isValid());
    const bool endless = fault == Fault::EndlessScript || fault == Fault::PageProcessKilled;
    const BuiltPage page = writtenPage(app, endless ? "<script>for(;;){}</script>" : "Fine");
    QVERIFY(!page.htmlPath.isEmpty());
    if (standing)
        writeFile(page.pdfPath, QByteArray());
    const QSignalSpy events(&ChromiumBrowser::instance(), &ChromiumBrowser::notified);
    const bool killing = fault == Fault::SpareProcessKilled || fault == Fault::PageProcessKilled;
    // Each killed page process is reported, and its tab replaced, before the next page takes one.
    const auto killsHeard = [&events, killing] {
        return !killing || (heard(events, "Target.targetCrashed") && openTabs().size() == 1);
    };
    if (fault == Fault::SpareProcessKilled) {
        QCOMPARE(ChromiumBrowser::instance().ensureRunning(app.path(), QFileInfo(page.htmlPath).absolutePath()).error(),
                 QString());
        // The spare tab's page process, once it stands.
        QVERIFY(killPageProcesses(ChromiumBrowser::instance().processId()));
        QTRY_VERIFY_WITH_TIMEOUT(killsHeard(), 60000);
    }
    {
        ChromiumRun run;
        QSignalSpy finished(&run, &PdfRun::finished);
        // Long enough that only a crash noticed ends the run before its limit.
        run.start(app.path(), page.htmlPath, page.pdfPath, fault == Fault::EndlessScript ? 3000 : 30000);
        if (fault == Fault::BrowserKilled)
            ::kill(-pid_t(ChromiumBrowser::instance().processId()), SIGKILL);
        // Until the run ends: its page's process, once its script runs, is among them.
        while (fault == Fault::PageProcessKilled && finished.isEmpty() &&
               killPageProcesses(ChromiumBrowser::instance().processId()))
            finished.wait(500);
        if (fault == Fault::Cancelled) {
            // Midway: as the page asks for its first file.
            qsizetype before = -1;
            const QMetaObject::Connection midway = connect(
                &ChromiumBrowser::instance(), &ChromiumBrowser::notified, &run, [&](const DevToolsMessage& event) {
                    if (before < 0 && event.method == "Fetch.requestPaused") {
                        before = events.size();
                        run.cancel();
                    }
                });
            QTRY_VERIFY_WITH_TIMEOUT(before >= 0 && heard(events, "Target.targetDestroyed", before), 60000);
            disconnect(midway);
            QCOMPARE(finished.count(), 0);
        } else {
            QVERIFY(!finished.isEmpty() || finished.wait(60000));
            const RenderResult result = spiedArgument<RenderResult>(finished.at(0).at(0));
            QVERIFY2(result.ok() == message.isEmpty(), qPrintable(result.error()));
            QVERIFY2(result.error().contains(QString(message).replace("@PAGE@", page.htmlPath)),
                     qPrintable(result.error()));
            // Crashed, or cut off while it opened: said at once, never at the time limit.
            QVERIFY2(fault != Fault::PageProcessKilled || !result.error().contains("within"),
                     qPrintable(result.error()));
        }
        QCOMPARE(QFile::exists(page.pdfPath), fault == Fault::SpareProcessKilled);
    }
    QTRY_VERIFY_WITH_TIMEOUT(killsHeard(), 60000);
    const BuiltPage next = writtenPage(app, "Next page", "next");
    const RenderResult rendered = convert(app, next, PdfEngine::Chromium);
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    QVERIFY(runTool("pdftotext", {next.pdfPath, "-"}).contains("Next page"));
}

// Jobs run side by side in one browser, each page in a tab of its own, none getting another's PDF.
void TestChromiumRuns::chromiumPrintsPagesAtOnce()
{
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    TestAppFolder app;
    QVERIFY(app.isValid());
    std::vector<std::unique_ptr<ChromiumRun>> runs;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    QList<BuiltPage> pages;
    for (int n = 0; n < 3; ++n) {
        pages << writtenPage(app, QString("Page number %1").arg(n), QString("page%1").arg(n));
        runs.push_back(std::make_unique<ChromiumRun>());
        spies.push_back(std::make_unique<QSignalSpy>(runs.back().get(), &PdfRun::finished));
        runs.back()->start(app.path(), pages[n].htmlPath, pages[n].pdfPath);
    }
    const qint64 browser = ChromiumBrowser::instance().processId();
    for (int n = 0; n < 3; ++n) {
        QVERIFY(spies[n]->count() == 1 || spies[n]->wait(60000));
        QVERIFY2(spiedArgument<RenderResult>(spies[n]->at(0).at(0)).ok(),
                 qPrintable(spiedArgument<RenderResult>(spies[n]->at(0).at(0)).error()));
        QVERIFY(runTool("pdftotext", {pages[n].pdfPath, "-"}).contains(QString("Page number %1").arg(n).toUtf8()));
    }
    QCOMPARE(ChromiumBrowser::instance().processId(), browser);
}

// A printed page's tab stays open while its caller finishes the PDF, so that the next spare's page process does
// not start beside that work; it closes when its run goes, or at once when another page wants a tab. That page
// then takes the spare the closing opened rather than opening a second tab beside it.
void TestChromiumRuns::chromiumKeepsAPrintedTabUntilItsRunGoes()
{
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage firstPage = writtenPage(app, "First page", "first");
    const BuiltPage secondPage = writtenPage(app, "Second page", "second");
    QCOMPARE(
        ChromiumBrowser::instance().ensureRunning(app.path(), QFileInfo(firstPage.htmlPath).absolutePath()).error(),
        QString());
    QTRY_COMPARE_WITH_TIMEOUT(openTabs().size(), 1, 60000);
    const QStringList spare = openTabs();
    const auto print = [&app](ChromiumRun& run, const BuiltPage& page) {
        QSignalSpy finished(&run, &PdfRun::finished);
        run.start(app.path(), page.htmlPath, page.pdfPath);
        return finished.wait(60000) && spiedArgument<RenderResult>(finished.at(0).at(0)).ok();
    };
    auto first = std::make_unique<ChromiumRun>();
    QVERIFY(print(*first, firstPage));
    // The list comes after whatever the browser was sent before it: a tab closed or opened would show.
    QCOMPARE(openTabs(), spare);
    auto second = std::make_unique<ChromiumRun>();
    QVERIFY(print(*second, secondPage));
    QTRY_COMPARE_WITH_TIMEOUT(openTabs().size(), 1, 60000);
    const QStringList secondTab = openTabs();
    QVERIFY(secondTab != spare);
    second.reset();
    QTRY_VERIFY_WITH_TIMEOUT(openTabs().size() == 1 && openTabs() != secondTab, 60000);
}

// The page names a black-and-white emoji font among its own; Chromium shows emoji in colour all the same.
void TestChromiumRuns::chromiumShowsColourEmoji()
{
    if (chromiumProgram().isEmpty() || runTool("fc-list", {}).indexOf("Noto Color Emoji") < 0)
        QSKIP("needs chromium and fonts-noto-color-emoji");
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = writtenPage(app, QString::fromUtf8("Smile \xF0\x9F\x98\x80 and \xE2\x9C\x85 done"));
    const RenderResult rendered = convert(app, page, PdfEngine::Chromium);
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    const QByteArray fonts = runTool("pdffonts", {page.pdfPath});
    // Colour glyphs are drawn pictures, a Type 3 font; the black-and-white ones would come from Symbola.
    QVERIFY2(fonts.contains("Type 3") && !fonts.contains("Symbola"), fonts.constData());
}

// The tail's scripts only answer clicks in a browser; Chromium neither loads nor runs them for the PDF.
void TestChromiumRuns::chromiumLeavesTailScriptsOut()
{
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    TestAppFolder app;
    QVERIFY(app.isValid());
    app.write("bin/assets/js/jquery.min.js", "document.body.appendChild(document.createTextNode('Tail script ran'));");
    const BuiltPage page = writtenPage(app, "The review itself");
    const RenderResult rendered = convert(app, page, PdfEngine::Chromium);
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    const QByteArray text = runTool("pdftotext", {page.pdfPath, "-"});
    QVERIFY(text.contains("The review itself"));
    QVERIFY2(!text.contains("Tail script ran"), text.constData());
    QCOMPARE(rendered->refused, QStringList());
}

// A run that goes while its tab is still being opened leaves no tab behind: the browser closes it once it stands.
void TestChromiumRuns::chromiumClosesATabStillOpening()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = writtenPage(app, "Never printed");
    ChromiumBrowser& browser = ChromiumBrowser::instance();
    QCOMPARE(browser.ensureRunning(app.path(), QFileInfo(page.htmlPath).absolutePath()).error(), QString());
    {
        // It takes the spare tab, which is still being opened.
        ChromiumRun run;
        run.start(app.path(), page.htmlPath, page.pdfPath);
    }
    QTRY_VERIFY_WITH_TIMEOUT(openTabs().isEmpty(), 60000);
}

// The browser reads one folder of pages: a page of another waits until the pages it prints are done, then has it
// started again for its own, and no run is cut off by that start.
void TestChromiumRuns::chromiumPrintsAnotherFoldersPageAfterwards()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    const StagingFolder staging(app.path(), "job");
    PageFields fields = twoPictures(app);
    fields.review = "In a job's folder";
    const Result<BuiltPage> inJob = BuildPage(app.path(), fields, staging.target());
    QVERIFY(inJob.ok() && WritePage(inJob.value()).ok());
    const QList<BuiltPage> pages{writtenPage(app, "In the page folder", "first"), inJob.value()};
    std::vector<std::unique_ptr<ChromiumRun>> runs;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const BuiltPage& page : pages) {
        runs.push_back(std::make_unique<ChromiumRun>());
        spies.push_back(std::make_unique<QSignalSpy>(runs.back().get(), &PdfRun::finished));
        runs.back()->start(app.path(), page.htmlPath, page.pdfPath);
    }
    for (const auto& spy : spies) {
        QVERIFY(spy->count() == 1 || spy->wait(60000));
        QVERIFY2(spiedArgument<RenderResult>(spy->at(0).at(0)).ok(),
                 qPrintable(spiedArgument<RenderResult>(spy->at(0).at(0)).error()));
    }
}

// Spare tabs whose page processes die one after another stop being replaced after three; a spare taken, even one
// still being opened, starts that count again, so the next lost one is replaced.
void TestChromiumRuns::chromiumCountsLostSparesFromTheLastTaken()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = writtenPage(app, "Printed on a spare");
    ChromiumBrowser& browser = ChromiumBrowser::instance();
    QCOMPARE(browser.ensureRunning(app.path(), QFileInfo(page.htmlPath).absolutePath()).error(), QString());
    std::unique_ptr<ChromiumRun> run;
    QString printed = "not yet";
    int crashes = 0;
    // Said after the browser opened the next spare: the run takes it before it stands.
    const QMetaObject::Connection heard =
        connect(&browser, &ChromiumBrowser::notified, this, [&](const DevToolsMessage& event) {
            if (event.method == "Target.targetCrashed" && ++crashes == 3) {
                run = std::make_unique<ChromiumRun>();
                connect(run.get(), &PdfRun::finished, this,
                        [&printed](const RenderResult& result) { printed = result.ok() ? "" : result.error(); });
                run->start(app.path(), page.htmlPath, page.pdfPath);
            }
        });
    QStringList earlier;
    for (int lost = 1; lost <= 4; ++lost) {
        if (lost == 4) {
            QTRY_VERIFY_WITH_TIMEOUT(run && !run->isRunning(), 60000);
            QCOMPARE(printed, QString());
            // Its tab closes and the next spare opens.
            earlier = openTabs();
            run.reset();
        }
        // Only a spare that stands is killed: one still being opened is the browser's to notice once it stands.
        QTRY_VERIFY_WITH_TIMEOUT(openTabs().size() == 1 && openTabs() != earlier, 60000);
        earlier = openTabs();
        // Until the browser hears of it: a page process killed may be one that hosts no tab any more.
        QVERIFY(QTest::qWaitFor(
            [&] {
                if (crashes < lost)
                    killPageProcessesNow(browser.processId());
                return crashes >= lost;
            },
            60000));
    }
    disconnect(heard);
    QTRY_COMPARE_WITH_TIMEOUT(openTabs().size(), 1, 60000);
}

QTEST_GUILESS_MAIN(TestChromiumRuns)
#include "tst_chromiumruns.moc"
