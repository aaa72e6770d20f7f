#include "Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTest>

using namespace orvanta::files;

/** Which catalogue the user's languages choose, and what installing it changes. */
class TestTranslations final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void chosenLanguage_data();
    void chosenLanguage();
    void germanInstalled();
};

void TestTranslations::chosenLanguage_data()
{
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QStringList>("catalogues");
    QTest::addColumn<QString>("chosen");

    const QStringList german{QStringLiteral("de")};
    const QStringList two{QStringLiteral("de"), QStringLiteral("pt_BR")};
    QTest::newRow("German") << QStringList{"de"} << german << QString("de");
    QTest::newRow("a region of German") << QStringList{"de-AT", "de"} << german << QString("de");
    QTest::newRow("English first wins over German") << QStringList{"en", "de"} << german << QString();
    QTest::newRow("English of a region first") << QStringList{"en-GB", "de-DE"} << german << QString();
    QTest::newRow("German first, English after") << QStringList{"de-DE", "en-US"} << german << QString("de");
    QTest::newRow("an uncovered language passes to the next")
        << QStringList{"fr-FR", "fr", "de"} << german << QString("de");
    QTest::newRow("no language covered") << QStringList{"fr", "it"} << german << QString();
    QTest::newRow("no catalogue embedded") << QStringList{"de"} << QStringList() << QString();
    QTest::newRow("a region's own catalogue") << QStringList{"pt-BR"} << two << QString("pt_BR");
    QTest::newRow("a region without its own") << QStringList{"pt-PT", "pt"} << two << QString();
    QTest::newRow("tags in upper case") << QStringList{"DE-de"} << two << QString("de");
}

void TestTranslations::chosenLanguage()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(QStringList, catalogues);
    QFETCH(QString, chosen);

    QCOMPARE(Translations::chosenLanguage(uiLanguages, catalogues), chosen);
}

// The embedded catalogue reaches Orvanta's texts, and Qt's own reaches its standard buttons.
void TestTranslations::germanInstalled()
{
    QVERIFY(Translations::catalogues().contains(QStringLiteral("de")));
    QCOMPARE(Translations::install({QStringLiteral("en-US"), QStringLiteral("de-DE")}), QString());
    QCOMPARE(QCoreApplication::translate("MainWindow", "Step 3: Create Affiliate PDF"),
             QStringLiteral("Step 3: Create Affiliate PDF"));
    QCOMPARE(Translations::install({QStringLiteral("de-DE")}), QStringLiteral("de"));
    QCOMPARE(QCoreApplication::translate("MainWindow", "Step 3: Create Affiliate PDF"),
             QStringLiteral("Schritt 3: Affiliate-PDF erstellen"));
    const QString qtCatalogue = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
    if (!QFileInfo::exists(qtCatalogue))
        QSKIP("Qt's German catalogue is not installed (qt6-translations-l10n)");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
