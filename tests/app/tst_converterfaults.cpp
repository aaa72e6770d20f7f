#include "GuardedRun.h"
#include "WindowTestCase.h"

#include "AppFolder.h"
#include "CreateCommand.h"
#include "MainWindow.h"

#include <QFile>
#include <QTest>

namespace {
using Arrange = void (*)(WindowFixture&);

const QByteArray WholePdf("%PDF-1.4\n1 0 obj\nendobj\n%%EOF\n");
const QString Failed = QStringLiteral("Error: The converter @APP@/bin/wkhtmltopdf ");
const QString Ready = QStringLiteral("Done: Ready. Do you want to open the output folder?");

// The stand-in's last argument is the PDF.
void standIn(WindowFixture& f, const QByteArray& body)
{
    f.app.useStandInConverter("for pdf; do :; done\n" + body);
}
} // namespace

Q_DECLARE_METATYPE(Arrange)

/** A converter that is absent, broken, slow or dishonest about its result. */
class TestConverterFaults final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void converterFaults_data();
    void converterFaults();
};

void TestConverterFaults::converterFaults_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("pdfChanges");
    QTest::newRow("missing, and none on PATH, nor Chromium")
        << Arrange([](WindowFixture& f) {
               QFile::remove(AppFolder::converterPath(f.app.path()));
               qputenv("PATH", QFile::encodeName(f.outside.path()));
               qputenv("ORVANTA_CHROMIUM", QFile::encodeName(f.outside.filePath("no-chromium")));
           })
        << "Error: No PDF engine is installed: neither @APP@/bin/wkhtmltopdf nor Chromium was found. Install the "
           "package \"wkhtmltopdf\", \"chromium-headless-shell\" or \"chromium\"."
        << QStringList();
    QTest::newRow("not executable") << Arrange([](WindowFixture& f) {
        // Removed first: writing through the shipped link would change the system's converter.
        QFile::remove(AppFolder::converterPath(f.app.path()));
        f.app.write("bin/wkhtmltopdf", "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(AppFolder::converterPath(f.app.path()), QFile::ReadOwner | QFile::WriteOwner);
    }) << "Error: The converter could not be started: @APP@/bin/wkhtmltopdf is not executable."
                                    << QStringList();
    QTest::newRow("exits with an error, no PDF")
        << Arrange([](WindowFixture& f) {
               standIn(f, "echo 'Loading pages (1/6)'\necho 'Error: Failed loading page' >&2\nexit 3");
           })
        << Failed + "wrote no PDF to @APP@/bin/output/guide.pdf (exit code 3).\nIts last output:\n"
                    "Loading pages (1/6)\nError: Failed loading page"
        << QStringList();
    QTest::newRow("exits 1 with a whole PDF, as offline") << Arrange([](WindowFixture& f) {
        standIn(f, "printf '%%PDF-1.4\\n1 0 obj\\nendobj\\n%%%%EOF\\n' > \"$pdf\"\n"
                   "echo 'Warning: Failed to load https://cdnjs.cloudflare.com/ajax/libs/jquery-easing' >&2\nexit 1");
    }) << Ready << QStringList{"+bin/output/guide.pdf"};
    QTest::newRow("writes an empty PDF") << Arrange([](WindowFixture& f) { standIn(f, ": > \"$pdf\""); })
                                         << Failed + "wrote no PDF to @APP@/bin/output/guide.pdf (exit code 0)."
                                         << QStringList();
    QTest::newRow("writes half a PDF, exits 1")
        << Arrange([](WindowFixture& f) {
               standIn(
                   f, "printf '%%PDF-1.4\\n1 0 obj' > \"$pdf\"\necho 'Exit with code 1 due to network error' \nexit 1");
           })
        << Failed + "wrote an incomplete PDF to @APP@/bin/output/guide.pdf (exit code 1); the incomplete file was "
                    "removed.\nIts last output:\nExit with code 1 due to network error"
        << QStringList();
    QTest::newRow("crashes") << Arrange([](WindowFixture& f) { standIn(f, "echo 'Loading pages'\nkill -s SEGV $$"); })
                             << Failed + "crashed.\nIts last output:\nLoading pages" << QStringList();
    QTest::newRow("writes half a PDF, then crashes")
        << Arrange([](WindowFixture& f) { standIn(f, "printf '%%PDF-1.4\\n1 0 obj' > \"$pdf\"\nkill -s SEGV $$"); })
        << Failed + "crashed." << QStringList();
    QTest::newRow("hangs past the limit") << Arrange([](WindowFixture& f) {
        standIn(f, "exec sleep 30");
        f.window().createCommand().setTimeLimitMs(500);
    }) << Failed + "did not finish within 0.5 seconds and was stopped."
                                          << QStringList();
    QTest::newRow("hangs after half a PDF") << Arrange([](WindowFixture& f) {
        standIn(f, "printf '%%PDF-1.4\\n1 0 obj' > \"$pdf\"\nexec sleep 30");
        f.window().createCommand().setTimeLimitMs(500);
    }) << Failed + "did not finish within 0.5 seconds and was stopped."
                                            << QStringList();
    QTest::newRow("writes nothing, the earlier PDF stays") << Arrange([](WindowFixture& f) {
        f.app.write("bin/output/guide.pdf", WholePdf);
        QFile pdf(f.app.file("bin/output/guide.pdf"));
        pdf.open(QIODevice::ReadWrite);
        pdf.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
        standIn(f, "exit 0");
    }) << Failed + "wrote no PDF to @APP@/bin/output/guide.pdf (exit code 0)."
                                                           << QStringList();
}

void TestConverterFaults::converterFaults()
{
    QFETCH(Arrange, arrange);
    QFETCH(QString, message);
    QFETCH(QStringList, pdfChanges);
    WindowFixture& f = fx();
    f.fill(WizardInput());
    f.app.write("bin/old.html", "<p>earlier</p>");
    arrange(f);
    GuardedRun run(f);

    QVERIFY(f.create());
    QCOMPARE(run.messages(), QStringList{expand(f, message)});
    QVERIFY(f.isIdle() && run.idleAtEveryMessage() && run.busyEntered());
    const QStringList pageAndImages{"-bin/old.html", "+bin/cover.png", "+bin/salespage.gif", "+bin/guide.html"};
    QCOMPARE(run.appChanges(), sorted(pageAndImages + pdfChanges));
    QCOMPARE(run.outsideChanges(), QStringList());
}

QTEST_MAIN(TestConverterFaults)
#include "tst_converterfaults.moc"
