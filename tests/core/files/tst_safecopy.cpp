#include "SafeCopy.h"

#include "TestAppFolder.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::files;

/** What a failed copy says: the file that failed, as a picture or a file, and the system's reason. */
class TestSafeCopy final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void failureNamesTheFile_data();
    void failureNamesTheFile();
};

void TestSafeCopy::failureNamesTheFile_data()
{
    // Relative to a fresh folder, which holds "cover.png" and "script.js"; "%1" is the path the message names.
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::newRow("a picture into a folder that is gone")
        << "cover.png"
        << "gone/cover.png"
        << "Could not copy the image to \"%1\": No such file or directory.";
    QTest::newRow("a script into a folder that is gone")
        << "script.js"
        << "gone/script.js"
        << "Could not copy the file to \"%1\": No such file or directory.";
    QTest::newRow("a picture that is gone") << "gone.png"
                                            << "copy.png"
                                            << "Could not read the image \"%1\": No such file or directory.";
    QTest::newRow("a script that is gone") << "gone.js"
                                           << "copy.js"
                                           << "Could not read the file \"%1\": No such file or directory.";
}

void TestSafeCopy::failureNamesTheFile()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir.filePath("cover.png"), pictureBytes("cover"));
    writeFile(dir.filePath("script.js"), "let x;");
    const Result<void> copied = safeCopy(dir.filePath(source), dir.filePath(target));
    QVERIFY(!copied.ok());
    const QString named = message.startsWith("Could not read") ? dir.filePath(source) : dir.filePath(target);
    QCOMPARE(copied.error(), message.arg(named));
    QVERIFY(!QFileInfo::exists(dir.filePath(target)));
}

QTEST_GUILESS_MAIN(TestSafeCopy)
#include "tst_safecopy.moc"
