#include "GuardedRun.h"
#include "WindowTestCase.h"

#include "MainWindow.h"

#include <QFile>
#include <QTest>

/** Odd PDF names that still become files in bin; the refused ones are among the checks of "Create". */
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
    QTest::addColumn<bool>("realConverter");
    QTest::newRow("leading and trailing blanks") << "  guide  "
                                                 << "--guide--"
                                                 << "--guide--.html" << false;
    QTest::newRow("leading and trailing dots") << "..guide.."
                                               << "..guide.."
                                               << "..guide...html" << false;
    QTest::newRow("leading dot, a hidden page") << ".guide"
                                                << ".guide"
                                                << ".guide.html" << false;
    QTest::newRow("only dots") << "..."
                               << "..."
                               << "....html" << false;
    QTest::newRow("dot dot between blanks") << " .. "
                                            << "-..-"
                                            << "-..-.html" << false;
    QTest::newRow("249 letters, the longest")
        << QString(249, 'a') << QString(249, 'a') << QString(249, 'a') + ".html" << false;
    const QString emoji = QString::fromUtf8("😀").repeated(62);
    QTest::newRow("62 emoji, 248 bytes") << emoji << emoji << emoji + ".html" << false;
    const QString russian = QString::fromUtf8("Руководство партнёра");
    const QString russianPage = QString::fromUtf8("Руководство-партнёра");
    QTest::newRow("Cyrillic, real converter") << russian << russianPage << russianPage + ".html" << true;
    const QString chinesePage = QString::fromUtf8("推广-指南");
    QTest::newRow("Chinese, real converter")
        << QString::fromUtf8("推广 指南") << chinesePage << chinesePage + ".html" << true;
    const QString arabicPage = QString::fromUtf8("دليل-الترويج");
    QTest::newRow("Arabic") << QString::fromUtf8("دليل الترويج") << arabicPage << arabicPage + ".html" << false;
    const QString greek = QString::fromUtf8("Οδηγός");
    QTest::newRow("Greek") << greek << greek << greek + ".html" << false;
    QTest::newRow("template") << "template"
                              << "template"
                              << "etemplate.html" << false;
    QTest::newRow("Template") << "Template"
                              << "Template"
                              << "eTemplate.html" << false;
    QTest::newRow("TEMPLATE") << "TEMPLATE"
                              << "TEMPLATE"
                              << "eTEMPLATE.html" << false;
    QTest::newRow("tEmPlAtE") << "tEmPlAtE"
                              << "tEmPlAtE"
                              << "etEmPlAtE.html" << false;
    QTest::newRow("template and a blank") << "template "
                                          << "template-"
                                          << "template-.html" << false;
    QTest::newRow("template.html") << "template.html"
                                   << "template.html"
                                   << "template.html.html" << false;
}

void TestBadNames::acceptedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, pageName);
    QFETCH(QString, htmlFile);
    QFETCH(bool, realConverter);
    WindowFixture& f = fx();
    if (!realConverter)
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
