#include "HelperOps.h"

#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

/** File names, file tests, text decoding and replacement shared by the windows and the page builder. */
class TestHelperOps final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fileNameOf_data();
    void fileNameOf();
    void fileExists();
    void decodeText_data();
    void decodeText();
    void readTextFile();
    void replaceText_data();
    void replaceText();
};

void TestHelperOps::fileNameOf_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("slash") << "/home/a/cover.png"
                           << "cover.png";
#ifdef Q_OS_WIN
    QTest::newRow("backslash") << "C:\\pics\\cover.png"
                               << "cover.png";
    QTest::newRow("mixed separators, last one wins") << "C:\\pics/sub\\cover.png"
                                                     << "cover.png";
#else
    QTest::newRow("backslash belongs to the name") << "/home/a/back\\slash.png"
                                                   << "back\\slash.png";
    QTest::newRow("mixed, only the slash separates") << "/pics/sub\\cover.png"
                                                     << "sub\\cover.png";
#endif
    QTest::newRow("bare") << "cover.png"
                          << "cover.png";
    QTest::newRow("extension kept, dots inside") << "/a/my.cover.final.PNG"
                                                 << "my.cover.final.PNG";
    QTest::newRow("blanks kept") << "/My Pics/my cover.png"
                                 << "my cover.png";
    QTest::newRow("trailing separator") << "/home/a/"
                                        << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestHelperOps::fileNameOf()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(vFile::FileNameOf(path), name);
}

void TestHelperOps::fileExists()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = writeFile(dir.filePath("salespage.gif"), "GIF89a");
    QVERIFY(vTools::FileExists(file));
    QVERIFY(!vTools::FileExists(dir.filePath("missing.gif")));
    QVERIFY(!vTools::FileExists(QString()));
    {
        // A folder named like the image must not pass for it: copying it would fail later.
        QVERIFY(QDir(dir.path()).mkdir("folder.gif"));
        QVERIFY(!vTools::FileExists(dir.filePath("folder.gif")));
    }
    {
        QVERIFY(QFile::link(file, dir.filePath("link.gif")));
        QVERIFY(vTools::FileExists(dir.filePath("link.gif")));
        QVERIFY(QFile::link(dir.filePath("gone.gif"), dir.filePath("dangling.gif")));
        QVERIFY(!vTools::FileExists(dir.filePath("dangling.gif")));
    }
}

void TestHelperOps::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("abc") << "abc";
    QTest::newRow("utf-8 accents") << QByteArray("Caf\xC3\xA9 cr\xC3\xA8me") << QString::fromUtf8("Café crème");
    QTest::newRow("utf-8 euro") << QByteArray("5 \xE2\x82\xAC") << QString::fromUtf8("5 €");
    QTest::newRow("utf-8 beyond U+FFFF") << QByteArray("\xF0\x9F\x98\x80") << QString::fromUtf8("😀");
    QTest::newRow("bom skipped") << QByteArray("\xEF\xBB\xBF"
                                               "abc")
                                 << "abc";
    QTest::newRow("bom only") << QByteArray("\xEF\xBB\xBF") << "";
    QTest::newRow("second bom belongs to the text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                                  "a")
                                                    << QString(QChar(0xFEFF)) + QLatin1Char('a');
    QTest::newRow("bom not first stays") << QByteArray("a\xEF\xBB\xBF") << QString::fromUtf16(u"a\uFEFF");
    QTest::newRow("cp1252 euro") << QByteArray("\x80") << QString::fromUtf8("€");
    QTest::newRow("cp1252 e acute at the end") << QByteArray("caf\xE9") << QString::fromUtf8("café");
    QTest::newRow("cp1252 curly quotes") << QByteArray("\x93quoted\x94") << QString::fromUtf8("“quoted”");
    QTest::newRow("cp1252 unassigned byte") << QByteArray("\x81") << QString(QChar(0x81));
    QTest::newRow("bom then cp1252") << QByteArray("\xEF\xBB\xBF\x80") << QString::fromUtf8("€");
    QTest::newRow("one bad byte decodes the whole file as cp1252")
        << QByteArray("\xC3\xA9 \xE9") << QString::fromUtf8("Ã© é");
    QTest::newRow("overlong utf-8 is not utf-8") << QByteArray("\xC0\xAF") << QString::fromUtf8("À¯");
    QTest::newRow("line breaks kept") << QByteArray("a\r\nb\nc\rd") << "a\r\nb\nc\rd";
    QTest::newRow("NUL kept") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\0b", 3);
}

void TestHelperOps::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(vFile::decodeText(bytes), text);
}

void TestHelperOps::readTextFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    {
        const QString path = writeFile(dir.filePath("instructions.txt"), "\xEF\xBB\xBFStep 1\r\nStep \x80");
        QString text;
        QVERIFY(vFile::readTextFile(path, &text));
        QCOMPARE(text, QString::fromUtf8("Step 1\r\nStep €"));
        QCOMPARE(vFile::LoadTextFile(path), text);
    }
    {
        const QString path = writeFile(dir.filePath("empty.txt"), "");
        QString text = "old";
        QVERIFY(vFile::readTextFile(path, &text));
        QCOMPARE(text, QString());
    }
    for (const QString& unreadable : {dir.filePath("missing.txt"), dir.path()}) {
        QString text;
        QString error;
        QVERIFY(!vFile::readTextFile(unreadable, &text, &error));
        QVERIFY2(error.contains(unreadable), qPrintable(error));
        QCOMPARE(vFile::LoadTextFile(unreadable), QString());
    }
}

void TestHelperOps::replaceText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    QTest::newRow("every occurrence") << "a b c"
                                      << " "
                                      << "-"
                                      << "a-b-c";
    QTest::newRow("empty find changes nothing") << "abc"
                                                << ""
                                                << "x"
                                                << "abc";
    QTest::newRow("empty replacement removes") << "a.txt.txt"
                                               << ".txt"
                                               << ""
                                               << "a";
    QTest::newRow("case sensitive") << "Template"
                                    << "template"
                                    << "x"
                                    << "Template";
    QTest::newRow("replacement not searched again") << "#A#"
                                                    << "#A#"
                                                    << "#A##A#"
                                                    << "#A##A#";
    QTest::newRow("overlaps taken left to right") << "aaa"
                                                  << "aa"
                                                  << "b"
                                                  << "ba";
    QTest::newRow("CR LF pair only") << "a\r\nb\rc\nd"
                                     << "\r\n"
                                     << "<br>"
                                     << "a<br>b\rc\nd";
    QTest::newRow("no match") << "abc"
                              << "x"
                              << "y"
                              << "abc";
    QTest::newRow("growing, matches at both ends") << "\r\nx\r\n"
                                                   << "\r\n"
                                                   << "<br>"
                                                   << "<br>x<br>";
    QTest::newRow("growing, adjacent matches") << "aaaa"
                                               << "aa"
                                               << "xyz"
                                               << "xyzxyz";
    QTest::newRow("growing, overlaps taken left to right") << "aaa"
                                                           << "aa"
                                                           << "bbb"
                                                           << "bbba";
    QTest::newRow("growing, no match") << "abc"
                                       << "x"
                                       << "yy"
                                       << "abc";
    QTest::newRow("growing, more matches than one batch of QString::replace")
        << QString("ab\r\n").repeated(3000) << "\r\n"
        << "<br>" << QString("ab<br>").repeated(3000);
}

void TestHelperOps::replaceText()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, result);
    QCOMPARE(vParser::ReplaceText(text, find, replacement), result);
}

QTEST_GUILESS_MAIN(TestHelperOps)
#include "tst_helperops.moc"
