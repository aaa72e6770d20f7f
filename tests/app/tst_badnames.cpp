#include "GuardedRun.h"
#include "WindowTestCase.h"

#include "MainWindow.h"

#include <QFile>
#include <QTest>

/** An odd PDF name through the window: the page and PDF it names are made, and made again over the first. */
class TestBadNames final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void acceptedNames_data();
    void acceptedNames();
};

void TestBadNames::acceptedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pageName");
    QTest::addColumn<QString>("htmlFile");
    QTest::newRow("leading and trailing blanks") << "  guide  "
                                                 << "--guide--"
                                                 << "--guide--.html";
}

void TestBadNames::acceptedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, pageName);
    QFETCH(QString, htmlFile);
    WindowFixture& f = fx();
    f.useQuickConverter();
    f.fill(WizardInput());
    f.paste("txtPDFFilename", name);
    const QByteArray templateBefore = bytesOf(f.app.file("bin/template.html"));
    GuardedRun run(f);

    // Twice: the second Create replaces the first one's page and PDF, at any allowed length of name.
    QVERIFY(f.create());
    f.paste("txtPDFFilename", name);
    QVERIFY(f.create());
    QCOMPARE(run.messages(), QStringList(2, "Done: Ready. Do you want to open the output folder?"));
    QVERIFY(f.isIdle() && run.idleAtEveryMessage());
    const QString pdfFile = "bin/output/" + pageName + ".pdf";
    QCOMPARE(run.appChanges(), sorted({"+bin/cover.png", "+bin/" + htmlFile, "+" + pdfFile, "+bin/salespage.gif"}));
    QCOMPARE(run.outsideChanges(), QStringList());
    QCOMPARE(f.window().pageFields().pdfFileName, pageName);
    QVERIFY(bytesOf(f.app.file("bin/" + htmlFile)).endsWith("</body></html>"));
    QVERIFY(bytesOf(f.app.file(pdfFile)).startsWith("%PDF-"));
    QCOMPARE(bytesOf(f.app.file("bin/template.html")), templateBefore);
}

QTEST_MAIN(TestBadNames)
#include "tst_badnames.moc"
