#include "CreateFixture.h"
#include "GuardedRun.h"

#include "AppFolder.h"
#include "CreateCommand.h"
#include "MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace {
using Arrange = void (*)(CreateFixture&);

const QByteArray WholePdf("%PDF-1.4\n1 0 obj\nendobj\n%%EOF\n");
const QString Failed = QStringLiteral("Error: The converter @APP@/bin/wkhtmltopdf ");
const QString Ready = QStringLiteral("Done: Ready. Do you want to open the output folder?");

// The stand-in's last argument is the PDF.
void standIn(CreateFixture& f, const QByteArray& body)
{
    f.app.useStandInConverter("for pdf; do :; done\n" + body);
}
} // namespace

Q_DECLARE_METATYPE(Arrange)

/** A converter that is absent, broken, slow or dishonest about its result. */
class TestConverterFaults final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void converterFaults_data();
    void converterFaults();

private:
    QByteArray m_path;
};

void TestConverterFaults::init()
{
    m_path = qgetenv("PATH");
}

void TestConverterFaults::cleanup()
{
    qputenv("PATH", m_path);
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestConverterFaults::converterFaults_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("pdfChanges");
    QTest::newRow("missing, and none on PATH") << Arrange([](CreateFixture& f) {
        QFile::remove(AppFolder::converterPath(f.app.path()));
        qputenv("PATH", QFile::encodeName(f.outside.path()));
    }) << "Error: The converter could not be started: @APP@/bin/wkhtmltopdf was not found."
                                               << QStringList();
    QTest::newRow("not executable") << Arrange([](CreateFixture& f) {
        // Removed first: writing through the shipped link would change the system's converter.
        QFile::remove(AppFolder::converterPath(f.app.path()));
        f.app.write("bin/wkhtmltopdf", "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(AppFolder::converterPath(f.app.path()), QFile::ReadOwner | QFile::WriteOwner);
    }) << "Error: The converter could not be started: @APP@/bin/wkhtmltopdf is not executable."
                                    << QStringList();
    QTest::newRow("exits with an error, no PDF")
        << Arrange([](CreateFixture& f) {
               standIn(f, "echo 'Loading pages (1/6)'\necho 'Error: Failed loading page' >&2\nexit 3");
           })
        << Failed + "wrote no PDF to @APP@/bin/output/guide.pdf (exit code 3).\nIts last output:\n"
                    "Loading pages (1/6)\nError: Failed loading page"
        << QStringList();
    QTest::newRow("exits 1 with a whole PDF, as offline") << Arrange([](CreateFixture& f) {
        standIn(f, "printf '%%PDF-1.4\\n1 0 obj\\nendobj\\n%%%%EOF\\n' > \"$pdf\"\n"
                   "echo 'Warning: Failed to load https://cdnjs.cloudflare.com/ajax/libs/jquery-easing' >&2\nexit 1");
    }) << Ready << QStringList{"+bin/output/guide.pdf"};
    QTest::newRow("writes an empty PDF") << Arrange([](CreateFixture& f) { standIn(f, ": > \"$pdf\""); })
                                         << Failed +
                                                "wrote an incomplete PDF to @APP@/bin/output/guide.pdf (exit code 0)"
                                                "; the incomplete file was removed."
                                         << QStringList();
    QTest::newRow("writes half a PDF, exits 1")
        << Arrange([](CreateFixture& f) {
               standIn(
                   f, "printf '%%PDF-1.4\\n1 0 obj' > \"$pdf\"\necho 'Exit with code 1 due to network error' \nexit 1");
           })
        << Failed + "wrote an incomplete PDF to @APP@/bin/output/guide.pdf (exit code 1); the incomplete file was "
                    "removed.\nIts last output:\nExit with code 1 due to network error"
        << QStringList();
    QTest::newRow("crashes") << Arrange([](CreateFixture& f) { standIn(f, "echo 'Loading pages'\nkill -s SEGV $$"); })
                             << Failed + "crashed.\nIts last output:\nLoading pages" << QStringList();
    QTest::newRow("hangs past the limit") << Arrange([](CreateFixture& f) {
        standIn(f, "exec sleep 30");
        f.window().createCommand().setTimeLimitMs(500);
    }) << Failed + "did not finish within 0.5 seconds and was stopped."
                                          << QStringList();
    QTest::newRow("hangs after half a PDF") << Arrange([](CreateFixture& f) {
        standIn(f, "printf '%%PDF-1.4\\n1 0 obj' > \"$pdf\"\nexec sleep 30");
        f.window().createCommand().setTimeLimitMs(500);
    }) << Failed + "did not finish within 0.5 seconds and was stopped."
                                            << QStringList();
    QTest::newRow("writes nothing, the earlier PDF stays") << Arrange([](CreateFixture& f) {
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
    CreateFixture f;
    QVERIFY(f.isValid());
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
