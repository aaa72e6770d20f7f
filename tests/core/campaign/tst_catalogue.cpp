#include "Catalogue.h"

#include "AppFolder.h"
#include "HelperOps.h"
#include "OrvantaConfig.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::campaign;

/** Catalogue listing, identifier rules and the delivery URL. */
class TestCatalogue final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanProductId_data();
    void cleanProductId();
    void entries_data();
    void entries();
    void missingCatalogueFolderListsNothing();
    void readProductId_data();
    void readProductId();
    void shippedCatalogueLeadsToSalesPages();
    void deliveryUrl_data();
    void deliveryUrl();
};

void TestCatalogue::cleanProductId_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("clean");
    QTest::newRow("plain") << "AB12"
                           << "AB12";
    QTest::newRow("CR LF at the end") << "AB12\r\n"
                                      << "AB12";
    QTest::newRow("CR LF inside") << "AB\r\n12"
                                  << "AB12";
    QTest::newRow("several CR LF") << "\r\nAB12\r\n\r\n"
                                   << "AB12";
    QTest::newRow("lone CR") << "AB12\r"
                             << "AB12";
    QTest::newRow("lone LF, as Linux editors end a file") << "AB12\n"
                                                          << "AB12";
    QTest::newRow("LF CR") << "AB12\n\r"
                           << "AB12";
    QTest::newRow("CR CR LF") << "AB\r\r\n12"
                              << "AB12";
    QTest::newRow("mixed") << "\r\nA\rB\nC\r\n"
                           << "ABC";
    QTest::newRow("tab and no-break space kept") << "AB\t\u00A012"
                                                 << "AB\t\u00A012";
    QTest::newRow("blanks kept") << " AB 12 "
                                 << " AB 12 ";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCatalogue::cleanProductId()
{
    QFETCH(QString, raw);
    QFETCH(QString, clean);
    QCOMPARE(Catalogue::cleanProductId(raw), clean);
}

void TestCatalogue::entries_data()
{
    // A name ending in '/' is made a folder.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("text files only") << QStringList{"Alpha.txt", "Beta.txt", "readme.pdf"}
                                     << QStringList{"Alpha", "Beta"};
    QTest::newRow("every .txt removed") << QStringList{"a.txt.txt", "b.txt.bak.txt"} << QStringList{"a", "b.bak"};
    QTest::newRow("other letter case of the extension not listed")
        << QStringList{"Upper.TXT", "Lower.txt"} << QStringList{"Lower"};
    QTest::newRow("ascending, letter case ignored") << QStringList{"gamma.txt", "Beta.txt", "alpha.txt", "Delta.txt"}
                                                    << QStringList{"alpha", "Beta", "Delta", "gamma"};
    QTest::newRow("letter case folded beyond ASCII")
        << QStringList{"\u00C4pfel.txt", "\u00E4b.txt", "Zebra.txt"} << QStringList{"Zebra", "\u00E4b", "\u00C4pfel"};
    QTest::newRow("names equal but for case in a fixed order")
        << QStringList{"ab.txt", "Ab.txt", "AB.txt"} << QStringList{"AB", "Ab", "ab"};
    QTest::newRow("blanks in names") << QStringList{"SEO Traffic Toolkit.txt"} << QStringList{"SEO Traffic Toolkit"};
    QTest::newRow("hidden files are no entries")
        << QStringList{"._Alpha.txt", "Alpha.txt", ".hidden.txt"} << QStringList{"Alpha"};
    QTest::newRow("folders are no entries") << QStringList{"Folder.txt/", "File.txt"} << QStringList{"File"};
    QTest::newRow("empty folder") << QStringList{} << QStringList{};
}

void TestCatalogue::entries()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, entries);
    QTemporaryDir app;
    QVERIFY(app.isValid());
    const QString products = AppFolder::productsFolder(app.path());
    QVERIFY(QDir().mkpath(products));
    for (const QString& name : files) {
        if (name.endsWith('/')) {
            QVERIFY(QDir(products).mkdir(name.chopped(1)));
            continue;
        }
        QFile file(products + '/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(Catalogue::entries(app.path()), entries);
}

void TestCatalogue::missingCatalogueFolderListsNothing()
{
    QTemporaryDir app;
    QVERIFY(app.isValid());
    QCOMPARE(Catalogue::entries(app.path()), QStringList());
}

void TestCatalogue::readProductId_data()
{
    // Product files come from other editors and other systems; the identifier names a folder and a web page.
    QTest::addColumn<bool>("written");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("rawId");
    QTest::newRow("UTF-8") << true << QByteArray("caf\xC3\xA9\r\n") << QString::fromUtf8("café\r\n");
    QTest::newRow("Windows-1252") << true << QByteArray("caf\xE9\r\n") << QString::fromUtf8("café\r\n");
    QTest::newRow("byte order mark skipped") << true
                                             << QByteArray("\xEF\xBB\xBF"
                                                           "elb2024")
                                             << "elb2024";
    QTest::newRow("empty file") << true << QByteArray() << "";
    QTest::newRow("no file") << false << QByteArray() << "";
}

void TestCatalogue::readProductId()
{
    QFETCH(bool, written);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, rawId);
    QTemporaryDir app;
    QVERIFY(app.isValid());
    if (written)
        writeFile(Catalogue::productFilePath(app.path(), "Entry"), bytes);
    QCOMPARE(Catalogue::readProductId(app.path(), "Entry"), rawId);
}

void TestCatalogue::shippedCatalogueLeadsToSalesPages()
{
    // Every entry that ships must reach its sales-page image through its identifier.
    TestAppFolder app;
    QVERIFY(app.isValid());
    const QStringList entries = Catalogue::entries(app.path());
    QVERIFY(!entries.isEmpty());
    for (const QString& entry : entries) {
        const QString productFile = Catalogue::productFilePath(app.path(), entry);
        QCOMPARE(productFile, app.file("products/" + entry + ".txt"));
        const QString cleanId = Catalogue::cleanProductId(vFile::LoadTextFile(productFile));
        QVERIFY2(!cleanId.isEmpty(), qPrintable(entry));
        const QString salesPage = Catalogue::salesPagePath(app.path(), cleanId);
        QCOMPARE(salesPage, app.file("products/" + cleanId + "/salespage.gif"));
        QVERIFY2(vTools::FileExists(salesPage), qPrintable(salesPage));
    }
}

void TestCatalogue::deliveryUrl_data()
{
    const QString base = QStringLiteral("https://" ORVANTA_DELIVERY_HOST "/dld/");
    QTest::addColumn<QString>("rawId");
    QTest::addColumn<QString>("url");
    QTest::newRow("no identifier") << ""
                                   << "Not Available Yet";
    QTest::newRow("identifier") << "AB12" << base + "AB12.html";
    QTest::newRow("without CR LF") << "AB12\r\n" << base + "AB12.html";
    QTest::newRow("without LF") << "seo2026\n" << base + "seo2026.html";
    QTest::newRow("line breaks only") << "\r\n\n"
                                      << "Not Available Yet";
    QTest::newRow("blank is an identifier") << " " << base + " .html";
}

void TestCatalogue::deliveryUrl()
{
    QFETCH(QString, rawId);
    QFETCH(QString, url);
    QCOMPARE(DeliveryUrl::forProduct(rawId), url);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
