#include "ProductViewer.h"

#include "WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <memory>

class TestProductViewer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void showsTheChosenBonus();
    void secondPreviewShowsTheSecondImage();
    void missingImageOpensAnEmptyViewThatCloses();
    void previewButtonOfTheMainWindow();

private:
    /** Opens the viewer as the main window does, and waits until it is on screen. */
    QPointer<ProductViewer> open(const QString& rawProductId);
    QImage shownImage(ProductViewer* viewer) const;
    static QImage imageOf(const QString& path);

    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<TestAppFolder> m_app;
};

void TestProductViewer::init()
{
    m_platform = std::make_unique<ScriptedPlatform>();
    m_app = std::make_unique<TestAppFolder>();
    QVERIFY(m_app->isValid());
}

void TestProductViewer::cleanup()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        delete window;
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

QPointer<ProductViewer> TestProductViewer::open(const QString& rawProductId)
{
    auto* viewer = new ProductViewer(*m_platform, m_app->path(), rawProductId);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setWindowModality(Qt::ApplicationModal);
    viewer->show();
    if (!QTest::qWaitForWindowExposed(viewer))
        qWarning("The viewer was not exposed");
    return viewer;
}

QImage TestProductViewer::shownImage(ProductViewer* viewer) const
{
    auto* browser = viewer->findChild<QTextBrowser*>(QStringLiteral("vBrowser1"));
    const QVariant shown =
        browser->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("salespage.gif")));
    const QImage image = shown.userType() == QMetaType::QByteArray ? QImage::fromData(shown.toByteArray())
                                                                   : shown.value<QPixmap>().toImage();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage TestProductViewer::imageOf(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

// The identifier as its product file holds it; cleaning it is the catalogue's rule.
void TestProductViewer::showsTheChosenBonus()
{
    const QByteArray image = bytesOf(m_app->file(QStringLiteral("products/seo2026/salespage.gif")));
    QVERIFY(!image.isEmpty());

    QPointer<ProductViewer> viewer = open(QStringLiteral("seo2026\r\n"));
    QVERIFY(m_platform->messages.isEmpty());
    QCOMPARE(viewer->objectName(), QStringLiteral("frmProductViewer"));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Product Viewer"));
    auto* browser = viewer->findChild<QTextBrowser*>(QStringLiteral("vBrowser1"));
    QCOMPARE(browser->source(), QUrl::fromLocalFile(m_app->file(QStringLiteral("temp/index.html"))));
    QCOMPARE(bytesOf(m_app->file(QStringLiteral("temp/salespage.gif"))), image);
    QCOMPARE(shownImage(viewer), imageOf(m_app->file(QStringLiteral("temp/salespage.gif"))));
}

void TestProductViewer::secondPreviewShowsTheSecondImage()
{
    const QString secondSource = m_app->file(QStringLiteral("products/elb2024/salespage.gif"));
    const QByteArray second = bytesOf(secondSource);
    QPointer<ProductViewer> first = open(QStringLiteral("seo2026"));
    QVERIFY(shownImage(first) != imageOf(secondSource));
    first->close();
    QTRY_VERIFY(first.isNull());

    QPointer<ProductViewer> viewer = open(QStringLiteral("elb2024"));
    QCOMPARE(bytesOf(m_app->file(QStringLiteral("temp/salespage.gif"))), second);
    QCOMPARE(shownImage(viewer), imageOf(secondSource));
}

void TestProductViewer::missingImageOpensAnEmptyViewThatCloses()
{
    const QStringList before = m_app->snapshot();
    QPointer<ProductViewer> viewer = open(QStringLiteral("no-such-bonus"));

    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages[0].text,
             "Target file not found.\n" + m_app->file(QStringLiteral("products/no-such-bonus/salespage.gif")));
    QCOMPARE(m_platform->messages[0].title, QStringLiteral("Error"));
    QCOMPARE(m_platform->messages[0].icon, MessageIcon::Exclamation);
    auto* browser = viewer->findChild<QTextBrowser*>(QStringLiteral("vBrowser1"));
    QVERIFY(browser->source().isEmpty());
    QVERIFY(browser->toPlainText().isEmpty());
    QCOMPARE(m_app->snapshot(), before);

    QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
    QTRY_VERIFY(viewer.isNull());
}

void TestProductViewer::previewButtonOfTheMainWindow()
{
    MainWindow window(*m_platform, m_app->path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.ShowStep(1);
    auto* previewButton = window.findChild<QPushButton*>(QStringLiteral("cmdProductPreview"));

    QTest::mouseClick(previewButton, Qt::LeftButton);
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages[0].text, QStringLiteral("Please select a product first."));
    QCOMPARE(m_platform->messages[0].title, QStringLiteral("Info"));
    QCOMPARE(m_platform->messages[0].icon, MessageIcon::Information);
    QVERIFY(!window.findChild<ProductViewer*>());

    auto* list = window.findChild<QListWidget*>(QStringLiteral("lstProductItems"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(previewButton, Qt::LeftButton);
    QPointer<ProductViewer> viewer = window.findChild<ProductViewer*>();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible() && viewer->isModal());
    QCOMPARE(viewer->windowModality(), Qt::ApplicationModal);
    QCOMPARE(m_platform->messages.size(), 1);
    QVERIFY(viewer->findChild<QTextBrowser*>(QStringLiteral("vBrowser1"))->source().isValid());
    viewer->close();
    QTRY_VERIFY(viewer.isNull());
}

QTEST_MAIN(TestProductViewer)
#include "tst_productviewer.moc"
