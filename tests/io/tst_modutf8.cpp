#include "ModUtf8.h"

#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
bool appendText(const QString& path, const QString& text, bool lineBreak)
{
    std::unique_ptr<QFile> file = modUTF8::OpenForAppend(path);
    return file && modUTF8::writeUtf8(*file, text, lineBreak);
}
} // namespace

/** The appending UTF-8 writer: exact bytes, never truncating, failures reported. */
class TestModUtf8 final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writesExactBytes_data();
    void writesExactBytes();
    void appendsBehindExistingBytes();
    void newPathAndEmptyText();
    void reportsOpenFailures();
    void reportsWriteFailure();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestModUtf8::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestModUtf8::writesExactBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("lineBreak");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("ascii, no bom, no line break") << "abc" << false << QByteArray("616263");
    QTest::newRow("line break asked for") << "abc" << true << QByteArray("6162630d0a");
    QTest::newRow("e acute") << QString(QChar(0xE9)) << false << QByteArray("c3a9");
    QTest::newRow("euro") << QString(QChar(0x20AC)) << false << QByteArray("e282ac");
    QTest::newRow("surrogate pair is one character")
        << QString::fromUtf16(u"\U0001F600") << false << QByteArray("f09f9880");
    QTest::newRow("lone high surrogate at the end") << QString(QChar(0xD800)) << false << QByteArray("efbfbd");
    QTest::newRow("lone low surrogate first")
        << QString(QChar(0xDC00)) + QLatin1Char('a') << false << QByteArray("efbfbd61");
    QTest::newRow("NUL kept") << QString::fromUtf16(u"a\0b", 3) << false << QByteArray("610062");
    QTest::newRow("line breaks untranslated") << "a\nb\r" << false << QByteArray("610a620d");
    QTest::newRow("empty text with line break") << "" << true << QByteArray("0d0a");
}

void TestModUtf8::writesExactBytes()
{
    QFETCH(QString, text);
    QFETCH(bool, lineBreak);
    QFETCH(QByteArray, hex);
    QCOMPARE(modUTF8::utf8Bytes(text, lineBreak).toHex(), hex);

    const QString path = m_dir->filePath("page.html");
    QVERIFY(appendText(path, text, lineBreak));
    QCOMPARE(bytesOf(path).toHex(), hex);
}

void TestModUtf8::appendsBehindExistingBytes()
{
    const QString path = m_dir->filePath("page.html");
    const QByteArray tenBytes("0123456789");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(tenBytes);
    }
    QVERIFY(appendText(path, "abc", false));
    QCOMPARE(bytesOf(path), tenBytes + "abc");
    {
        // Two writes through one handle follow each other.
        std::unique_ptr<QFile> file = modUTF8::OpenForAppend(path);
        QVERIFY(file);
        QVERIFY(modUTF8::writeUtf8(*file, "one", true));
        QVERIFY(modUTF8::writeUtf8(*file, "two", false));
    }
    QCOMPARE(bytesOf(path), tenBytes + "abcone\r\ntwo");
}

void TestModUtf8::newPathAndEmptyText()
{
    const QString path = m_dir->filePath("new.html");
    std::unique_ptr<QFile> file = modUTF8::OpenForAppend(path);
    QVERIFY(file);
    QVERIFY(QFile::exists(path));
    QVERIFY(modUTF8::writeUtf8(*file, QString(), false));
    file->close();
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestModUtf8::reportsOpenFailures()
{
    QVERIFY(QDir(m_dir->path()).mkdir("folder.html"));
    for (const QString& path : {m_dir->filePath("missing/page.html"), m_dir->filePath("folder.html")}) {
        QString error;
        QVERIFY(!modUTF8::OpenForAppend(path, &error));
        QVERIFY2(error.contains(path), qPrintable(error));
    }
    QVERIFY(!QFile::exists(m_dir->filePath("missing")));
}

void TestModUtf8::reportsWriteFailure()
{
    if (!QFile::exists("/dev/full"))
        QSKIP("needs /dev/full, a device on which every write fails");
    std::unique_ptr<QFile> file = modUTF8::OpenForAppend("/dev/full");
    QVERIFY(file);
    QString error;
    QVERIFY(!modUTF8::writeUtf8(*file, "abc", false, &error));
    QVERIFY2(error.contains("/dev/full"), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestModUtf8)
#include "tst_modutf8.moc"
