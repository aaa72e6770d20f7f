#include "CreateFixture.h"
#include "GuardedRun.h"

#include "MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {
const QString Refused = QStringLiteral("The pdf name may not contain these characters: ");
const QString Dots = QStringLiteral("The pdf name may not be \".\" or \"..\".");
const QString TooLong = QStringLiteral("The pdf name is too long. Please use a shorter name.");

QString repeated(const QString& piece, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}
} // namespace

/** PDF names a user may type or paste: refused before anything is touched, or turned into files in bin. */
class TestBadNames final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void refusedNames_data();
    void refusedNames();
    void acceptedNames_data();
    void acceptedNames();

private:
    /** Pasted rather than typed: key events cannot carry control characters or NUL. */
    static void pasteName(CreateFixture& f, const QString& name);
};

void TestBadNames::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestBadNames::pasteName(CreateFixture& f, const QString& name)
{
    f.window().ShowStep(2);
    f.window().findChild<QLineEdit*>(QStringLiteral("txtPDFFilename"))->setText(name);
}

void TestBadNames::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("slash into a sub-folder") << "guides/guide" << Refused + "/";
    QTest::newRow("absolute path") << "/tmp/guide" << Refused + "/";
    QTest::newRow("parent folders") << "../../../tmp/guide" << Refused + "/";
    QTest::newRow("backslash parent folder") << "..\\guide" << Refused + "\\";
    QTest::newRow("dot") << "." << Dots;
    QTest::newRow("dot dot") << ".." << Dots;
    QTest::newRow("reserved characters, each once") << "a<b>c:d\"e|f?g*h<" << Refused + "< > : \" | ? *";
    QTest::newRow("tab and line feed") << "a\tb\nc" << Refused + "U+0009 U+000A";
    QTest::newRow("escape and delete") << QString("a") + QChar(0x1B) + QChar(0x7F) << Refused + "U+001B U+007F";
    QTest::newRow("NUL") << QString("guide") + QChar(0) << Refused + "U+0000";
    QTest::newRow("250 letters") << QString(250, 'a') << TooLong;
    QTest::newRow("84 CJK characters, 252 bytes") << QString(84, QChar(0x6307)) << TooLong;
    QTest::newRow("63 emoji, 252 bytes") << repeated(QString::fromUtf8("😀"), 63) << TooLong;
}

void TestBadNames::refusedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    CreateFixture f;
    QVERIFY(f.isValid());
    f.useQuickConverter();
    f.fill(WizardInput());
    f.app.write("bin/old.html", "<p>earlier</p>");
    pasteName(f, name);
    GuardedRun run(f);

    QVERIFY(f.create());
    QCOMPARE(run.messages(), QStringList{"Missing Info: " + message});
    QVERIFY(f.isIdle() && run.idleAtEveryMessage() && !run.busyEntered());
    QCOMPARE(run.appChanges(), QStringList());
    QCOMPARE(run.outsideChanges(), QStringList());
    QCOMPARE(f.window().pageFields().pdfFileName, name);
    QVERIFY(f.platform.commandLines.isEmpty());
}

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
    QTest::newRow("only dots") << "..."
                               << "..."
                               << "....html" << false;
    QTest::newRow("dot dot between blanks") << " .. "
                                            << "-..-"
                                            << "-..-.html" << false;
    QTest::newRow("249 letters, the longest")
        << QString(249, 'a') << QString(249, 'a') << QString(249, 'a') + ".html" << false;
    const QString emoji = repeated(QString::fromUtf8("😀"), 62);
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
    CreateFixture f;
    QVERIFY(f.isValid());
    if (!realConverter)
        f.useQuickConverter();
    f.fill(WizardInput());
    pasteName(f, name);
    const QByteArray templateBefore = bytesOf(f.app.file("bin/template.html"));
    GuardedRun run(f);

    QVERIFY(f.create());
    QCOMPARE(run.messages(), QStringList{"Done: Ready. Do you want to open the output folder?"});
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
