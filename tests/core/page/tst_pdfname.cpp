#include "PdfName.h"

#include <QTest>

/** Which PDF file names can become a page and a PDF in the application folder. */
class TestPdfName final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusedNames_data();
    void refusedNames();
    void acceptedNames_data();
    void acceptedNames();
};

void TestPdfName::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mentioned");
    QTest::newRow("slash") << "a/b"
                           << "/";
    QTest::newRow("backslash") << "a\\b"
                               << "\\";
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
    QTest::newRow("dot") << "."
                         << "\".\"";
    QTest::newRow("dot dot") << ".."
                             << "\"..\"";
    QTest::newRow("250 ascii bytes") << QString(250, 'a') << "too long";
    QTest::newRow("125 x e acute = 250 bytes") << QString(125, QChar(0xE9)) << "too long";
    QTest::newRow("84 CJK = 252 bytes") << QString(84, QChar(0x6307)) << "too long";
    QTest::newRow("84 lone surrogates = 252 bytes on disk") << QString(84, QChar(0xD800)) << "too long";
}

void TestPdfName::refusedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, mentioned);
    const QString problem = pdfNameProblem(name);
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

QTEST_GUILESS_MAIN(TestPdfName)
#include "tst_pdfname.moc"
