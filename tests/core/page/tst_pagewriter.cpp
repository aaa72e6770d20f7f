#include "PageBuilder.h"

#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::page;

namespace {
BuiltPage pageAt(const QString& htmlPath)
{
    BuiltPage page;
    page.pageName = QStringLiteral("guide");
    page.htmlPath = htmlPath;
    page.filledText = QString::fromUtf8("<p>Café crème für 5 €</p>\r\n");
    return page;
}
} // namespace

/** WritePage: the page text and its tail as UTF-8, and no half-written page on failure. */
class TestPageWriter final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writesTextThenTail();
    void writesEveryCharacter_data();
    void writesEveryCharacter();
    void appendsToWhatIsThere();
    void refusesUnwritablePaths();
    void failedWriteLeavesNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPageWriter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPageWriter::writesTextThenTail()
{
    const BuiltPage page = pageAt(m_dir->filePath("guide.html"));
    const Result<void> result = WritePage(page);
    QVERIFY2(result.ok(), qPrintable(result.error()));

    const QByteArray bytes = bytesOf(page.htmlPath);
    QVERIFY(bytes.startsWith(page.filledText.toUtf8())); // no byte order mark
    const QString tail = QString::fromUtf8(bytes.mid(page.filledText.toUtf8().size()));
    QCOMPARE(tail, pageTail());
    static const QRegularExpression expectedTail(
        "^<script src= assets/js/jquery\\.min\\.js ></script>"
        "<script src= assets/bootstrap/js/bootstrap\\.min\\.js ></script>"
        "<script src= https://[a-z0-9.-]+/ajax/libs/jquery-easing/1\\.4\\.1/jquery\\.easing\\.min\\.js ></script>"
        "<script src= assets/js/stylish-portfolio\\.js ></script>"
        "</body></html>$");
    QVERIFY2(expectedTail.match(tail).hasMatch(), qPrintable(tail));
}

void TestPageWriter::writesEveryCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    const char32_t tag = 0xE0041, privateUse = 0xF0000, last = 0x10FFFD;
    QTest::newRow("every plane") << QString::fromUtf8("A é 中 😀 𠀀 𰀀 ") + QString::fromUcs4(&tag, 1) + ' ' +
                                        QString::fromUcs4(&privateUse, 1) + ' ' + QString::fromUcs4(&last, 1)
                                 << QByteArray("A \xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80 \xF0\xA0\x80\x80 "
                                               "\xF0\xB0\x80\x80 \xF3\xA0\x81\x81 \xF3\xB0\x80\x80 \xF4\x8F\xBF\xBD");
    QTest::newRow("no-break spaces") << QString::fromUtf8("5\u00A0€ end\u00A0\u00A0")
                                     << QByteArray("5\xC2\xA0\xE2\x82\xAC end\xC2\xA0\xC2\xA0");
    QTest::newRow("lone high surrogate") << QString("a") + QChar(0xD83D) + "b"
                                         << QByteArray("a\xEF\xBF\xBD"
                                                       "b");
    QTest::newRow("lone low surrogate") << QString(QChar(0xDE00)) + "end"
                                        << QByteArray("\xEF\xBF\xBD"
                                                      "end");
    QTest::newRow("reversed pair") << QString("u") + QChar(0xDE00) + QChar(0xD83D)
                                   << QByteArray("u\xEF\xBF\xBD\xEF\xBF\xBD");
    QTest::newRow("NUL") << QString::fromUtf16(u"a\0b", 3) << QByteArray("a\0b", 3);
    QTest::newRow("two NULs") << QString::fromUtf16(u"x\0\0y", 4) << QByteArray("x\0\0y", 4);
}

// Whatever the boxes held reaches the page as UTF-8; a broken surrogate becomes U+FFFD, never a lost page.
void TestPageWriter::writesEveryCharacter()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    BuiltPage page = pageAt(m_dir->filePath("guide.html"));
    page.filledText = text;
    const Result<void> result = WritePage(page);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(bytesOf(page.htmlPath), bytes + pageTail().toUtf8());
}

void TestPageWriter::appendsToWhatIsThere()
{
    const BuiltPage page = pageAt(m_dir->filePath("guide.html"));
    {
        QFile old(page.htmlPath);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old page");
    }
    QVERIFY(WritePage(page).ok());
    QCOMPARE(bytesOf(page.htmlPath), "old page" + (page.filledText + pageTail()).toUtf8());
}

void TestPageWriter::refusesUnwritablePaths()
{
    QVERIFY(QDir(m_dir->path()).mkdir("folder.html"));
    for (const QString& path : {m_dir->filePath("missing/guide.html"), m_dir->filePath("folder.html")}) {
        const Result<void> result = WritePage(pageAt(path));
        QVERIFY(!result.ok());
        QVERIFY2(result.error().contains(path), qPrintable(result.error()));
    }
    QVERIFY(!QFileInfo::exists(m_dir->filePath("missing")));
    QVERIFY(QFileInfo(m_dir->filePath("folder.html")).isDir());
}

void TestPageWriter::failedWriteLeavesNothing()
{
    if (!QFileInfo::exists("/dev/full"))
        QSKIP("needs /dev/full, a device on which every write fails");
    const QString path = m_dir->filePath("guide.html");
    QVERIFY(QFile::link("/dev/full", path));
    const Result<void> result = WritePage(pageAt(path));
    QVERIFY(!result.ok());
    QVERIFY2(result.error().contains(path), qPrintable(result.error()));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    QVERIFY(QFileInfo::exists("/dev/full"));
}

QTEST_GUILESS_MAIN(TestPageWriter)
#include "tst_pagewriter.moc"
