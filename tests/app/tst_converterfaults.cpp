#include "GuardedRun.h"
#include "WindowTestCase.h"

#include "MainWindow.h"

#include <QTest>

namespace {
using Arrange = void (*)(WindowFixture&);

const QString Failed = QStringLiteral("Error: The converter @APP@/bin/wkhtmltopdf ");

// The stand-in's last argument is the PDF.
void standIn(WindowFixture& f, const QByteArray& body)
{
    f.app.useStandInConverter("for pdf; do :; done\n" + body);
}
} // namespace

Q_DECLARE_METATYPE(Arrange)

/** A converter that fails: the window shows its judgement whole, and keeps the page it made. */
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
    QTest::newRow("exits with an error, no PDF")
        << Arrange([](WindowFixture& f) {
               standIn(f, "echo 'Loading pages (1/6)'\necho 'Error: Failed loading page' >&2\nexit 3");
           })
        << Failed + "wrote no PDF to @APP@/bin/output/guide.pdf (exit code 3).\nIts last output:\n"
                    "Loading pages (1/6)\nError: Failed loading page"
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
