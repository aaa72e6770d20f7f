#include "WindowTestCase.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

class TestImageDrop final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void drop_data();
    void drop();

private:
    QLabel* imageLabel(int index) const;
    QString lastPath() const;

    QTemporaryDir m_pictures;
};

void TestImageDrop::initTestCase()
{
    WindowTestCase::initTestCase();
    QVERIFY(m_pictures.isValid());
    QVERIFY(QDir(m_pictures.path()).mkpath(QStringLiteral("album.png")));
}

QLabel* TestImageDrop::imageLabel(int index) const
{
    return fx().control<QLabel>(QStringLiteral("lblImage(%1)").arg(index));
}

QString TestImageDrop::lastPath() const
{
    return fx().control<QLineEdit>(QStringLiteral("txtLastPath"))->text();
}

void TestImageDrop::drop_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QStringList>("files"); // relative to the pictures folder, or full URLs
    QTest::addColumn<bool>("accepted");

    QTest::newRow("png on the product image") << 0 << QStringList{"shots/cover.png"} << true;
    QTest::newRow("upper-case JPG on the bonus image") << 1 << QStringList{"BONUS.JPG"} << true;
    QTest::newRow("gif in mixed case") << 0 << QStringList{"anim.Gif"} << true;
    QTest::newRow("text file refused") << 0 << QStringList{"notes.txt"} << false;
    QTest::newRow("no suffix refused") << 1 << QStringList{"png"} << false;
    QTest::newRow("two images refused") << 0 << QStringList{"a.png", "b.png"} << false;
    QTest::newRow("web address refused") << 1 << QStringList{"https://example.com/cover.png"} << false;
    QTest::newRow("folder named like an image refused") << 0 << QStringList{"album.png"} << false;
}

void TestImageDrop::drop()
{
    QFETCH(int, target);
    QFETCH(QStringList, files);
    QFETCH(bool, accepted);

    // An earlier choice through the picker, which a refused drop must leave alone.
    const QString earlier = QDir::toNativeSeparators(QStringLiteral("/earlier/old.gif"));
    for (int index : {0, 1}) {
        fx().platform.pickedFiles << earlier;
        fx().window().ShowStep(index);
        fx().click(QStringLiteral("cmdCoverSelect(%1)").arg(index));
    }
    QList<QUrl> urls;
    for (const QString& file : files) {
        const QUrl url(file);
        urls << (url.scheme().isEmpty() ? QUrl::fromLocalFile(m_pictures.filePath(file)) : url);
    }
    QMimeData data;
    data.setUrls(urls);
    fx().window().ShowStep(target);
    QLabel* label = imageLabel(target);
    const QPoint middle = label->rect().center();

    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    QDropEvent dropped(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (accepted) {
        QCoreApplication::sendEvent(label, &dropped);
    } else {
        // No drop follows a refused enter; handed one anyway, the label still refuses it.
        static_cast<QObject*>(label)->event(&dropped);
    }
    QCOMPARE(dropped.isAccepted(), accepted);

    const QString path = accepted ? QDir::toNativeSeparators(m_pictures.filePath(files.first())) : earlier;
    const QString fileName = QFileInfo(path).fileName();
    QCOMPARE(label->text(), path);
    QCOMPARE(label->property("tag").toString(), fileName);
    QCOMPARE(lastPath(), path.left(path.size() - fileName.size()));
    QCOMPARE(imageLabel(1 - target)->text(), earlier);
    QCOMPARE(fx().platform.filePicks.size(), 2);
    QVERIFY(fx().platform.messages.isEmpty());
}

QTEST_MAIN(TestImageDrop)
#include "tst_imagedrop.moc"
