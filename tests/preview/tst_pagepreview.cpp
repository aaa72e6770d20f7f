#include "WindowTestCase.h"

#include "AppFolder.h"
#include "PagePreview.h"
#include "Sandbox.h"

#include <QDir>
#include <QPdfDocument>
#include <QSignalSpy>
#include <QTest>

#include <signal.h>

using namespace orvanta::engine;

/** The page preview's wiring: its own folder, one converter at a time, problems shown inside. */
class TestPagePreview final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void rendersBesideWhatCreateOwns();
    void newChangeStopsTheRunningRender();
    void converterFailureShownInside();
    void rendersAfterThePauseOnlyWhileOpen();

private:
    PagePreview* openPreview();
    QStringList binFiles() const { return fx().app.snapshot().filter(fx().app.file("bin")); }
};

namespace {
bool processAlive(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0;
}

QList<qint64> pidsIn(const QString& path)
{
    QList<qint64> pids;
    for (const QByteArray& line : bytesOf(path).split('\n'))
        if (!line.isEmpty())
            pids << line.toLongLong();
    return pids;
}
} // namespace

PagePreview* TestPagePreview::openPreview()
{
    fx().click("cmdPagePreview");
    return fx().window().findChild<PagePreview*>();
}

void TestPagePreview::rendersBesideWhatCreateOwns()
{
    WindowFixture& f = fx();
    f.fill(WizardInput());
    f.app.write("bin/output/earlier.pdf", "%PDF-1.4\n%%EOF\n");
    const QStringList before = binFiles();

    PagePreview* preview = openPreview();
    QVERIFY(preview && preview->isVisible());
    QSignalSpy shown(preview, &PagePreview::renderShown);
    QVERIFY(shown.wait(60000));
    QCOMPARE(preview->message(), QString());
    QVERIFY(preview->document() && preview->document()->pageCount() == 1);
    const QStringList staged = QDir(f.app.file("temp")).entryList({".preview *"}, QDir::Dirs | QDir::Hidden);
    QCOMPARE(staged.size(), 1);
    QVERIFY(QFileInfo::exists(f.app.file("temp/" + staged.first() + "/preview.pdf")));

    // An edit renders again after the pause; the old render's folder goes once the new page is on show.
    f.type("txtMainTitle", "A new title");
    QVERIFY(shown.wait(60000));
    QTRY_COMPARE(QDir(f.app.file("temp")).entryList({".preview *"}, QDir::Dirs | QDir::Hidden).size(), 1);
    QCOMPARE(binFiles(), before);
    QCOMPARE(f.platform.messages.size(), 0);
}

// The stand-in's shell and its child both note their process ids; the child proves the whole group is stopped.
void TestPagePreview::newChangeStopsTheRunningRender()
{
    WindowFixture& f = fx();
    const QString pids = f.outside.filePath("pids");
    f.app.useStandInConverter(QString("echo $$ >> '%1'\nsleep 30 &\necho $! >> '%1'\nwait").arg(pids).toUtf8());
    // The stand-in notes its process ids outside, where the sandbox would not let it write.
    Sandbox::useProgram(writeOpenSandbox(f.outside.filePath("bwrap")));
    f.fill(WizardInput());
    PagePreview* preview = openPreview();
    QSignalSpy shown(preview, &PagePreview::renderShown);
    QTRY_COMPARE(pidsIn(pids).size(), 2);
    const QList<qint64> first = pidsIn(pids);

    f.type("txtReview", " and more");
    QTRY_COMPARE_WITH_TIMEOUT(pidsIn(pids).size(), 4, 10000);
    for (qint64 pid : first)
        QTRY_VERIFY(!processAlive(pid));
    QVERIFY(preview->isRendering());
    QCOMPARE(shown.size(), 0);
    for (qint64 pid : pidsIn(pids).mid(2))
        QVERIFY(processAlive(pid));

    preview->close();
    for (qint64 pid : pidsIn(pids))
        QTRY_VERIFY(!processAlive(pid));
    QCOMPARE(shown.size(), 0);
}

void TestPagePreview::converterFailureShownInside()
{
    WindowFixture& f = fx();
    f.app.useStandInConverter("echo 'Error: Failed loading page' >&2\nexit 3");
    f.fill(WizardInput());
    PagePreview* preview = openPreview();
    QSignalSpy shown(preview, &PagePreview::renderShown);
    QVERIFY(shown.wait(20000));
    QVERIFY2(preview->message().contains("wrote no PDF"), qPrintable(preview->message()));
    QVERIFY2(preview->message().contains("Error: Failed loading page"), qPrintable(preview->message()));
    QCOMPARE(f.platform.messages.size(), 0);
}

// Each keystroke within the pause waits for the next; a closed preview starts no converter at all.
void TestPagePreview::rendersAfterThePauseOnlyWhileOpen()
{
    WindowFixture& f = fx();
    f.useQuickConverter();
    f.fill(WizardInput());
    PagePreview* preview = openPreview();
    QSignalSpy shown(preview, &PagePreview::renderShown);
    QVERIFY(shown.wait(20000));
    const qsizetype starts = f.platform.startedPages().size();
    for (const char* letter : {"a", "b", "c", "d", "e"}) {
        f.type("txtMainTitle", letter);
        QTest::qWait(150);
    }
    QVERIFY(shown.wait(20000));
    QCOMPARE(f.platform.startedPages().size(), starts + 1);

    preview->close();
    f.type("txtMainTitle", "f");
    QTest::qWait(1500);
    QCOMPARE(f.platform.startedPages().size(), starts + 1);
}

QTEST_MAIN(TestPagePreview)
#include "tst_pagepreview.moc"
