#include "PictureCheck.h"
#include "TestAppFolder.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent/QtConcurrentRun>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray encoded(const char* format)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}
} // namespace

class TestPictureCheck final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void judgesTheContent_data();
    void judgesTheContent();
    void refusesAFolder();
    void refusesAPipeWithoutBlocking();
};

void TestPictureCheck::judgesTheContent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("refusal");

    const QString noPicture = "holds no JPG, GIF or PNG picture";
    QTest::newRow("PNG") << "logo.png" << encoded("png") << QString();
    QTest::newRow("JPG") << "photo.jpg" << encoded("jpeg") << QString();
    QTest::newRow("GIF") << "salespage.gif" << pictureBytes("tag") << QString();
    QTest::newRow("capital suffix") << "PHOTO.JPG" << encoded("jpeg") << QString();
    QTest::newRow("JPEG ending") << "photo.jpeg" << encoded("jpeg") << QString();
    QTest::newRow("JPEG ending in capitals") << "PHOTO.JPEG" << encoded("jpeg") << QString();
    QTest::newRow("mixed-case ending") << "logo.Png" << encoded("png") << QString();
    QTest::newRow("PNG named .jpg") << "photo.jpg" << encoded("png") << QString();
    QTest::newRow("BMP named .png") << "photo.png" << encoded("bmp") << noPicture;
    QTest::newRow("text named .jpg") << "notes.jpg" << QByteArray("just some words\n") << noPicture;
    // The page preview's stand-in for a missing picture is an empty file; the page builder lets it through
    // before asking this check, which never sees a picture in it.
    QTest::newRow("empty file") << "empty.png" << QByteArray() << noPicture;
    QTest::newRow("BMP named .bmp") << "photo.bmp" << encoded("bmp") << "only JPG, GIF and PNG files can";
}

void TestPictureCheck::judgesTheContent()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(name), bytes);
    const PictureResult result = checkPicture(path);
    QCOMPARE(result.ok, refusal.isEmpty());
    if (!refusal.isEmpty()) {
        QVERIFY2(result.error.contains(refusal), qPrintable(result.error));
        QVERIFY2(result.error.contains(QDir::toNativeSeparators(path)), qPrintable(result.error));
    }
}

void TestPictureCheck::refusesAFolder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("album.png"));
    const PictureResult result = checkPicture(dir.filePath("album.png"));
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains("is not an ordinary file"), qPrintable(result.error));
}

// Opening a pipe for reading waits for a writer: the check must know what it is first.
void TestPictureCheck::refusesAPipeWithoutBlocking()
{
    QTemporaryDir dir;
    const QByteArray pipe = QFile::encodeName(dir.filePath("cover.png"));
    QVERIFY(::mkfifo(pipe.constData(), 0600) == 0);
    QFuture<PictureResult> checked =
        QtConcurrent::run([path = dir.filePath("cover.png")] { return checkPicture(path); });
    const bool returned = QTest::qWaitFor([&checked] { return checked.isFinished(); }, 20000);
    if (!returned) {
        // Lets a blocked check go, so the test ends with its failure instead of hanging.
        const int writer = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK);
        ::close(writer);
        checked.waitForFinished();
    }
    QVERIFY2(returned, "the check waited for a writer of the pipe");
    QVERIFY(!checked.result().ok);
    QVERIFY2(checked.result().error.contains("is not an ordinary file"), qPrintable(checked.result().error));
}

QTEST_MAIN(TestPictureCheck)
#include "tst_picturecheck.moc"
