#include "WindowTestCase.h"

#include "CreatePage.h"

#include <QCheckBox>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace orvanta::finish;

/** Step 3's options reach the Create job: the PDF fitted or not, the web page saved and kept. */
class TestCreateOptions final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void fitToContent_data();
    void fitToContent();
    void savedWebPageSurvivesTheNextCreate();
    void qrCodeReachesThePage();
};

void TestCreateOptions::fitToContent_data()
{
    QTest::addColumn<bool>("fit");
    QTest::newRow("fitted, as by default") << true;
    QTest::newRow("option off") << false;
}

void TestCreateOptions::fitToContent()
{
    QFETCH(bool, fit);
    if (QStandardPaths::findExecutable("wkhtmltopdf").isEmpty() || QStandardPaths::findExecutable("pdfinfo").isEmpty())
        QSKIP("wkhtmltopdf and pdfinfo are needed");
    WindowFixture& f = fx();
    QCOMPARE(f.window().createOptions().fitToContent, true);
    f.fill(WizardInput());
    if (!fit)
        f.clickTickBox("chkFitToContent");
    f.platform.answers.enqueue(false);
    QVERIFY(f.create());
    QCOMPARE(f.messagesTitled("Done"), QStringList{"Ready. Do you want to open the output folder?"});
    const QString info = QString::fromUtf8(runTool("pdfinfo", {f.app.file("bin/output/guide.pdf")}));
    const double height = QRegularExpression("size:\\s+[0-9.]+ x ([0-9.]+) pts").match(info).captured(1).toDouble();
    QVERIFY2(fit ? height > 100 && height < 5000 : qAbs(height - 14173) < 1, qPrintable(info));
}

void TestCreateOptions::savedWebPageSurvivesTheNextCreate()
{
    WindowFixture& f = fx();
    f.useQuickConverter();
    QCOMPARE(f.window().createOptions().saveWebPage, false);
    f.fill(WizardInput());
    f.clickTickBox("chkSaveWebPage");
    QVERIFY(f.create());
    const QStringList saved{"index.html", "cover.png", "salespage.gif", "assets"};
    for (const QString& name : saved)
        QVERIFY2(QFileInfo::exists(f.app.file("bin/output/guide/" + name)), qPrintable(name));

    f.clickTickBox("chkSaveWebPage");
    f.app.write("bin/old.html", "<p>earlier</p>");
    QVERIFY(f.create());
    QVERIFY(!QFileInfo::exists(f.app.file("bin/old.html")));
    for (const QString& name : saved)
        QVERIFY2(QFileInfo::exists(f.app.file("bin/output/guide/" + name)), qPrintable(name));
    QCOMPARE(f.messagesTitled("Error"), QStringList());

    // A file where the web page's folder goes: the PDF stands, and the failure is said, never "Ready".
    f.clickTickBox("chkSaveWebPage");
    QVERIFY(QDir(f.app.file("bin/output/guide")).removeRecursively());
    f.app.write("bin/output/guide", "a file in the folder's place");
    const int ready = f.messagesTitled("Done").size();
    QVERIFY(f.create());
    QCOMPARE(f.messagesTitled("Done").size(), ready);
    const QStringList errors = f.messagesTitled("Error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QDir::toNativeSeparators(f.app.file("bin/output/guide.pdf"))) &&
                 errors.first().contains("web page"),
             qPrintable(errors.first()));
}

// Off by default; ticked, Create's page shows the code and the campaign keeps it.
void TestCreateOptions::qrCodeReachesThePage()
{
    WindowFixture& f = fx();
    f.useQuickConverter();
    f.fill(WizardInput());
    QVERIFY(!f.window().pageFields().qrCode);
    f.clickTickBox("chkQrCode");
    f.platform.answers.enqueue(false);
    QVERIFY(f.create());
    QCOMPARE(f.messagesTitled("Error"), QStringList());
    QVERIFY(QString::fromUtf8(bytesOf(f.app.file("bin/guide.html"))).contains("<svg"));
}

QTEST_MAIN(TestCreateOptions)
#include "tst_createoptions.moc"
