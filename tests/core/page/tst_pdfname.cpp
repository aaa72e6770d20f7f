#include "PdfName.h"

#include "PageFixture.h"

#include <QTest>

using namespace orvanta::page;

/** Which PDF file names can become a page and a PDF in the application folder, and the names they give. */
class TestPdfName final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusedNames_data();
    void refusedNames();
    void acceptedNames_data();
    void acceptedNames();
    void pageNames_data();
    void pageNames();
};

void TestPdfName::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mentioned");
    const QString refused = QStringLiteral("The pdf name may not contain these characters: ");
    const QString dots = QStringLiteral("The pdf name may not be \".\" or \"..\".");
    const QString tooLong = QStringLiteral("The pdf name is too long. Please use a shorter name.");
    QTest::newRow("slash") << "a/b" << refused + "/";
    QTest::newRow("slash into a sub-folder") << "guides/guide" << refused + "/";
    QTest::newRow("absolute path") << "/tmp/guide" << refused + "/";
    QTest::newRow("backslash") << "a\\b" << refused + "\\";
    QTest::newRow("backslash parent folder") << "..\\guide" << refused + "\\";
    QTest::newRow("colon") << "a:b"
                           << ":";
    QTest::newRow("star") << "a*b"
                          << "*";
    QTest::newRow("question mark") << "a?b"
                                   << "?";
    QTest::newRow("double quote") << "a\"b"
                                  << "\"";
    QTest::newRow("less than") << "a<b"
                               << "<";
    QTest::newRow("greater than") << "a>b"
                                  << ">";
    QTest::newRow("pipe") << "a|b"
                          << "|";
    QTest::newRow("U+0001") << QString("a") + QChar(1) << "U+0001";
    QTest::newRow("tab") << "a\tb"
                         << "U+0009";
    QTest::newRow("line feed") << "a\nb"
                               << "U+000A";
    QTest::newRow("delete") << QString("a") + QChar(0x7F) << "U+007F";
    QTest::newRow("reserved characters, each once") << "a<b>c:d\"e|f?g*h<" << refused + "< > : \" | ? *";
    QTest::newRow("tab and line feed") << "a\tb\nc" << refused + "U+0009 U+000A";
    QTest::newRow("escape and delete") << QString("a") + QChar(0x1B) + QChar(0x7F) << refused + "U+001B U+007F";
    QTest::newRow("NUL") << QString("guide") + QChar(0) << refused + "U+0000";
    QTest::newRow("right-to-left override hides the extension") << QString("guide") + QChar(0x202E) + "fdp.exe"
                                                                << "U+202E";
    QTest::newRow("left-to-right embedding") << QString("a") + QChar(0x202A) << "U+202A";
    QTest::newRow("first strong isolate") << QString("a") + QChar(0x2068) << "U+2068";
    QTest::newRow("pop directional isolate") << QString("a") + QChar(0x2069) << "U+2069";
    QTest::newRow("right-to-left mark") << QString("a") + QChar(0x200F) << "U+200F";
    QTest::newRow("arabic letter mark") << QString("a") + QChar(0x061C) << "U+061C";
    QTest::newRow("each character once, in order") << "../a:b/c"
                                                   << "/ :";
    QTest::newRow("leaving the folder") << "../../etc/page"
                                        << "/";
    QTest::newRow("dot") << "." << dots;
    QTest::newRow("dot dot") << ".." << dots;
    QTest::newRow("250 ascii bytes") << QString(250, 'a') << tooLong;
    QTest::newRow("125 x e acute = 250 bytes") << QString(125, QChar(0xE9)) << tooLong;
    QTest::newRow("84 CJK = 252 bytes") << QString(84, QChar(0x6307)) << tooLong;
    QTest::newRow("63 emoji = 252 bytes") << QString::fromUtf8("😀").repeated(63) << tooLong;
    QTest::newRow("84 lone surrogates = 252 bytes on disk") << QString(84, QChar(0xD800)) << tooLong;
}

void TestPdfName::refusedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, mentioned);
    const QString problem = pdfNameProblem(name);
    // A row with the whole message asks for it word for word.
    if (mentioned.startsWith(QLatin1String("The pdf name")))
        QCOMPARE(problem, mentioned);
    QVERIFY2(problem.contains(mentioned), qPrintable(problem));
}

void TestPdfName::acceptedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("blanks") << "My first guide";
    QTest::newRow("only blanks") << "   ";
    QTest::newRow("template") << "template";
    QTest::newRow("three dots") << "...";
    QTest::newRow("dots around a name") << "..guide..";
    QTest::newRow("punctuation") << "Guide (v2) & more, 100% #1 'best'!";
    QTest::newRow("accents") << QString::fromUtf8("Café crème für 5 €");
    QTest::newRow("cyrillic") << QString::fromUtf8("Руководство");
    QTest::newRow("chinese") << QString::fromUtf8("推广指南");
    QTest::newRow("arabic") << QString::fromUtf8("دليل الترويج");
    QTest::newRow("hebrew beside latin") << QString::fromUtf8("מדריך guide 2");
    QTest::newRow("zero width joiner beside the marks") << QString("a") + QChar(0x200D) + "b";
    QTest::newRow("narrow no-break space after the marks") << QString("a") + QChar(0x202F) + "b";
    QTest::newRow("emoji beyond U+FFFF") << QString::fromUtf8("guide 😀");
    QTest::newRow("249 ascii bytes") << QString(249, 'a');
    QTest::newRow("124 x e acute + a = 249 bytes") << QString(124, QChar(0xE9)) + 'a';
    QTest::newRow("83 CJK = 249 bytes") << QString(83, QChar(0x6307));
}

void TestPdfName::acceptedNames()
{
    QFETCH(QString, name);
    QCOMPARE(pdfNameProblem(name), QString());
}

void TestPdfName::pageNames_data()
{
    QTest::addColumn<QString>("pdfFileName");
    QTest::addColumn<QString>("pageName");
    QTest::addColumn<QString>("htmlName");
    QTest::addColumn<QString>("pdfName");
    QTest::newRow("blanks become dashes") << "My first guide"
                                          << "My-first-guide"
                                          << "My-first-guide.html"
                                          << "My-first-guide.pdf";
    QTest::newRow("only blanks") << "  "
                                 << "--"
                                 << "--.html"
                                 << "--.pdf";
    QTest::newRow("template") << "template"
                              << "template"
                              << "etemplate.html"
                              << "template.pdf";
    QTest::newRow("Template") << "Template"
                              << "Template"
                              << "eTemplate.html"
                              << "Template.pdf";
    QTest::newRow("TEMPLATE") << "TEMPLATE"
                              << "TEMPLATE"
                              << "eTEMPLATE.html"
                              << "TEMPLATE.pdf";
    QTest::newRow("templates") << "templates"
                               << "templates"
                               << "templates.html"
                               << "templates.pdf";
    QTest::newRow("my template") << "my template"
                                 << "my-template"
                                 << "my-template.html"
                                 << "my-template.pdf";
    QTest::newRow("ends in .html") << "template.html"
                                   << "template.html"
                                   << "template.html.html"
                                   << "template.html.pdf";
    const auto row = [](const char* name, const QString& pdfFileName, const QString& pageName, const QString& html) {
        QTest::newRow(name) << pdfFileName << pageName << html << pageName + ".pdf";
    };
    row("leading and trailing blanks", "  guide  ", "--guide--", "--guide--.html");
    row("leading and trailing dots", "..guide..", "..guide..", "..guide...html");
    row("leading dot, a hidden page", ".guide", ".guide", ".guide.html");
    row("only dots", "...", "...", "....html");
    row("dot dot between blanks", " .. ", "-..-", "-..-.html");
    row("249 letters, the longest", QString(249, 'a'), QString(249, 'a'), QString(249, 'a') + ".html");
    const QString emoji = QString::fromUtf8("😀").repeated(62);
    row("62 emoji, 248 bytes", emoji, emoji, emoji + ".html");
    const QString russian = QString::fromUtf8("Руководство-партнёра");
    row("Cyrillic", QString::fromUtf8("Руководство партнёра"), russian, russian + ".html");
    row("Chinese", QString::fromUtf8("推广 指南"), QString::fromUtf8("推广-指南"), QString::fromUtf8("推广-指南.html"));
    const QString arabic = QString::fromUtf8("دليل-الترويج");
    row("Arabic", QString::fromUtf8("دليل الترويج"), arabic, arabic + ".html");
    row("Greek", QString::fromUtf8("Οδηγός"), QString::fromUtf8("Οδηγός"), QString::fromUtf8("Οδηγός.html"));
    row("tEmPlAtE", "tEmPlAtE", "tEmPlAtE", "etEmPlAtE.html");
    row("template and a blank", "template ", "template-", "template-.html");
}

void TestPdfName::pageNames()
{
    QFETCH(QString, pdfFileName);
    QFETCH(QString, pageName);
    QFETCH(QString, htmlName);
    QFETCH(QString, pdfName);
    PageFixture fixture;
    QVERIFY(fixture.isValid());
    PageFields fields = fixture.typicalFields();
    fields.pdfFileName = pdfFileName;
    const Result<BuiltPage> result = fixture.build(fields);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(result->pageName, pageName);
    QCOMPARE(result->htmlPath, fixture.bin(htmlName));
    QCOMPARE(result->pdfPath, fixture.bin("output/" + pdfName));
}

QTEST_GUILESS_MAIN(TestPdfName)
#include "tst_pdfname.moc"
