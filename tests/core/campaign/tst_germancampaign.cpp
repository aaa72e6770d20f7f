#include "Campaign.h"
#include "Translations.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::campaign;

/** The campaign file's messages reach a German window in German, the missing parts as the window lists them. */
class TestGermanCampaign final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCOMPARE(Translations::install({QStringLiteral("de-DE")}), QStringLiteral("de")); }
    void refusalsAreGerman_data();
    void refusalsAreGerman();
    void missingEntryIsListedOnce();
};

void TestGermanCampaign::refusalsAreGerman_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    QJsonObject root = QJsonDocument::fromJson(CampaignFile::toJson(Campaign(), QDir::tempPath())).object();
    root.insert(QStringLiteral("ownBonus"), QStringLiteral("yes"));
    QTest::newRow("not a campaign") << QByteArray(R"({"format": "keepass", "version": 1})")
                                    << "ist keine Orvanta-Kampagne";
    // The expected kind is a phrase of its own, translated where it is filled in.
    QTest::newRow("a flag as text") << QJsonDocument(root).toJson() << "sollte wahr oder falsch (true oder false) sein";
    QTest::newRow("cut off") << QByteArray(R"({"format": "orvanta-campaign", "version": 1, "mainTi)")
                             << "ist unvollständig";
}

void TestGermanCampaign::refusalsAreGerman()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::fromJson(bytes, QDir::tempPath(), "k.orvanta");
    QVERIFY(!read);
    QVERIFY2(read.error().contains(says), qPrintable(read.error()));
}

// The window adds the entry when its list lacks it; one wording in one place keeps it from being listed twice.
void TestGermanCampaign::missingEntryIsListedOnce()
{
    QTemporaryDir app;
    Campaign campaign;
    campaign.catalogueEntry = QStringLiteral("Gone");
    const QString file = app.filePath(QStringLiteral("k.orvanta"));
    QVERIFY(CampaignFile::write(file, campaign));
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(file, app.path());
    QVERIFY(read);
    QCOMPARE(read->missing, QStringList{CampaignFile::missingEntry(QStringLiteral("Gone"))});
    QCOMPARE(read->missing.constFirst(), QStringLiteral("der Cloud-Bonus „Gone“ des Katalogs"));
}

QTEST_MAIN(TestGermanCampaign)
#include "tst_germancampaign.moc"
