#include "FileToolkit.h"
#include "SizeText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace orvanta::files;

/** The one bounded read, the one join and the one replace every file of Orvanta goes through. */
class TestFileToolkit final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boundedRead_data();
    void boundedRead();
    void resolvedBelowNeverClimbsAboveRoot_data();
    void resolvedBelowNeverClimbsAboveRoot();
    void replaceBeside_data();
    void replaceBeside();

private:
    QTemporaryDir m_dir;
};

namespace {
void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

/** A source that hands over its first bytes and then fails, as a disk or a network share can. */
class BreakingSource final : public QIODevice {
public:
    BreakingSource() { open(QIODevice::ReadOnly); }
    qint64 size() const override { return 8; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_handedOver) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        m_handedOver = true;
        const qint64 size = qMin<qint64>(maxSize, 4);
        memcpy(data, "part", size_t(size));
        return size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    bool m_handedOver = false;
};

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
} // namespace

void TestFileToolkit::boundedRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("failure");
    QTest::addColumn<qint64>("size");

    using F = ReadFailure;
    QTest::newRow("empty file") << "file" << QByteArray() << 0 << qint64(0);
    QTest::newRow("at the limit") << "file" << QByteArray(8, 'x') << 0 << qint64(8);
    QTest::newRow("one byte over") << "file" << QByteArray(9, 'x') << int(F::TooLarge) << qint64(9);
    QTest::newRow("missing") << "none" << QByteArray() << int(F::Missing) << qint64(0);
    QTest::newRow("folder") << "folder" << QByteArray() << int(F::Folder) << qint64(0);
    // A pipe would block the reader for ever; it is refused before it is opened.
    QTest::newRow("pipe") << "fifo" << QByteArray() << int(F::NotOrdinary) << qint64(0);
#ifdef Q_OS_LINUX
    // Its size says 0, as a file that grows after it was looked at: what is read counts, and is never cut.
    QTest::newRow("more than its size said") << "proc" << QByteArray() << int(F::Grew) << qint64(9);
#endif
}

void TestFileToolkit::boundedRead()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(int, failure);
    QFETCH(qint64, size);
    QString path = m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()));
    if (kind == "proc")
        path = QStringLiteral("/proc/self/status");
    else if (kind == "file")
        writeBytes(path, bytes);
    else if (kind == "folder")
        QVERIFY(QDir().mkpath(path));
    else if (kind == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);

    const Result<QByteArray> read = readBounded(path, 8);
    QCOMPARE(read.ok() ? 0 : int(read.failure().kind<ReadFailure>()), failure);
    if (read.ok())
        QCOMPARE(read.value(), bytes);
    else
        QVERIFY2(!read.error().isEmpty(), "a failed read says why");
    if (!read.ok() && read.failure().is(ReadFailure::TooLarge))
        QCOMPARE(readProblem(read.failure(), path, 8, {{}, {}, {}, "%1: %2, %3", {}, {}}),
                 quotedPath(path) + ": " + sizeOverText(size, 8) + ", " + megabytesText(8));
}

void TestFileToolkit::resolvedBelowNeverClimbsAboveRoot_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("expected");

    QTest::newRow("beside") << "/a/b"
                            << "c.png"
                            << "/a/b/c.png";
    QTest::newRow("one up") << "/a/b"
                            << "../c.png"
                            << "/a/c.png";
    QTest::newRow("above the root") << "/a"
                                    << "../../../c.png"
                                    << "/c.png";
    QTest::newRow("absolute stays") << "/a"
                                    << "/x/c.png"
                                    << "/x/c.png";
}

void TestFileToolkit::resolvedBelowNeverClimbsAboveRoot()
{
    QFETCH(QString, folder);
    QFETCH(QString, relative);
    QFETCH(QString, expected);
    QCOMPARE(resolvedBelow(folder, relative), QDir::toNativeSeparators(expected));
}

void TestFileToolkit::replaceBeside_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("source"); ///< "file", "absent" or "breaks" (fails after its first bytes)
    QTest::addColumn<int>("failure");
    QTest::addColumn<int>("permissions");

    using F = ReplaceFailure;
    const int own = QFile::ReadOwner | QFile::WriteOwner;
    QTest::newRow("new file") << "new.pdf"
                              << "file" << 0 << own;
    QTest::newRow("over an earlier file") << "earlier.pdf"
                                          << "file" << 0 << own;
    // The link is replaced; the file it points to keeps its bytes.
    QTest::newRow("over a link") << "link.pdf"
                                 << "file" << 0 << own;
    QTest::newRow("unreadable source") << "kept.pdf"
                                       << "absent" << int(F::Source) << own;
    QTest::newRow("no such folder") << "gone/x.pdf"
                                    << "file" << int(F::Target) << own;
    // A copied picture or PDF is published: others must be able to read it.
    QTest::newRow("readable by others") << "new.pdf"
                                        << "file" << 0 << (own | QFile::ReadGroup | QFile::ReadOther);
    QTest::newRow("a source failing midway is blamed") << "kept.pdf"
                                                       << "breaks" << int(F::Source) << own;
}

void TestFileToolkit::replaceBeside()
{
    QFETCH(QString, target);
    QFETCH(QString, source);
    QFETCH(int, failure);
    QFETCH(int, permissions);
    QTemporaryDir dir;
    const QString outside = dir.filePath("outside.pdf");
    writeBytes(outside, "outside");
    writeBytes(dir.filePath("earlier.pdf"), "earlier");
    writeBytes(dir.filePath("kept.pdf"), "kept");
    QVERIFY(QFile::link(outside, dir.filePath("link.pdf")));
    const QString targetPath = dir.filePath(target);
    const QByteArray before = QFileInfo(targetPath).isSymLink() ? QByteArray()
                              : QFileInfo(targetPath).exists()  ? QByteArray("kept")
                                                                : QByteArray();
    QFile file(dir.filePath("absent-source.pdf"));
    if (source == "file") {
        writeBytes(dir.filePath("source.pdf"), "new bytes");
        file.setFileName(dir.filePath("source.pdf"));
    }
    BreakingSource breaking;
    QIODevice& in = source == "breaks" ? static_cast<QIODevice&>(breaking) : file;
    const QStringList namesBefore = namesIn(dir.path());

    const Result<void> result =
        orvanta::files::replaceBeside(targetPath, in, targetPath + ".XXXXXX", QFile::Permissions(permissions));
    QCOMPARE(result.ok() ? 0 : int(result.failure().kind<ReplaceFailure>()), failure);
    QFile written(targetPath);
    if (result.ok()) {
        QVERIFY(!QFileInfo(targetPath).isSymLink());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("new bytes"));
        const int unixBits = 0x7777 & ~0x0700; // owner, group and others, not Qt's "user" mirror
        QCOMPARE(int(written.permissions()) & unixBits, permissions & unixBits);
    } else {
        QVERIFY(!result.error().isEmpty());
        QCOMPARE(namesIn(dir.path()), namesBefore); // nothing half written beside it
        if (!before.isEmpty()) {
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(written.readAll(), before);
        }
    }
    QFile pointedTo(outside);
    QVERIFY(pointedTo.open(QIODevice::ReadOnly));
    QCOMPARE(pointedTo.readAll(), QByteArray("outside"));
}

QTEST_GUILESS_MAIN(TestFileToolkit)
#include "tst_filetoolkit.moc"
