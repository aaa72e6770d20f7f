#include "Brand.h"
#include "CampaignFields.h"
#include "SheetReader.h"
#include "TestConfig.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QtTest>

using namespace orvanta::campaign;

namespace {
const QString picture = QStringLiteral(ORVANTA_TEST_SOURCE_DIR "/appfolder/campaigns/keto-cookbook-cover.png");

// A value other than the field's default that its checks accept: a brand value must be a colour or a font.
QString changedText(const CampaignField& field)
{
    if (CampaignFields::isPicture(field))
        return QDir::toNativeSeparators(picture);
    if (!CampaignFields::isBrandField(field))
        return QStringLiteral("changed ") + QLatin1String(field.key);
    for (const QString& value :
         {QStringLiteral("#123456"), brandFonts().last(), QStringLiteral("https://me.example/go/")}) {
        Campaign campaign;
        *CampaignFields::textIn(campaign, field) = value;
        if (brandProblem(campaign.brand).isEmpty())
            return value;
    }
    return {};
}

Campaign changed(const CampaignField& field)
{
    Campaign campaign;
    if (field.flag)
        campaign.*field.flag = !field.flagDefault;
    else
        *CampaignFields::textIn(campaign, field) = changedText(field);
    return campaign;
}

QJsonObject holderIn(const QByteArray& json, const CampaignField& field)
{
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    return CampaignFields::isBrandField(field) ? root.value(CampaignFields::brandKey()).toObject() : root;
}
} // namespace

class TestCampaignFields : public QObject {
    Q_OBJECT

private slots:
    void everyFieldHasOneKeyAndOnePlace();
    void fieldIsStored_data();
    void fieldIsStored();
    void fieldIsTakenFromItsColumn_data();
    void fieldIsTakenFromItsColumn();
};

void TestCampaignFields::everyFieldHasOneKeyAndOnePlace()
{
    QSet<QString> keys;
    for (const CampaignField& field : campaignFields) {
        QVERIFY2(!keys.contains(QLatin1String(field.key)), field.key);
        keys.insert(QLatin1String(field.key));
        const int members = int(field.text != nullptr) + int(field.flag != nullptr) + int(field.brand != nullptr);
        QVERIFY2(members == 1, field.key);
        QCOMPARE(field.flag != nullptr, field.kind == FieldKind::Flag);
        QCOMPARE(CampaignFields::isBrandField(field),
                 field.kind == FieldKind::BrandText || field.kind == FieldKind::BrandImage);
    }
}

void TestCampaignFields::fieldIsStored_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(campaignFields.size()); ++i)
        QTest::newRow(campaignFields.at(i).key) << i;
}

// Changed, a field survives its file and sets its version; kept, it is left out only where earlier files lacked it.
void TestCampaignFields::fieldIsStored()
{
    QFETCH(int, index);
    const CampaignField& field = campaignFields.at(index);
    const QString folder = QFileInfo(picture).absolutePath();
    const Campaign campaign = changed(field);
    QVERIFY(campaign != Campaign());
    const QByteArray json = CampaignFile::toJson(campaign, folder);
    const Result<CampaignFile::OpenedCampaign> read =
        CampaignFile::fromJson(json, folder, QStringLiteral("field.orvanta"));
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QVERIFY(read->campaign == campaign);
    QVERIFY(read->missing.isEmpty());
    QCOMPARE(requiredFormatVersion(campaign), field.version);
    const bool keptWritten = holderIn(CampaignFile::toJson(Campaign(), folder), field).contains(field.key);
    QCOMPARE(keptWritten, field.stored == Stored::Always);
}

void TestCampaignFields::fieldIsTakenFromItsColumn_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(campaignFields.size()); ++i)
        if (campaignFields.at(i).places & SheetColumn)
            QTest::newRow(campaignFields.at(i).key) << i;
}

void TestCampaignFields::fieldIsTakenFromItsColumn()
{
    QFETCH(int, index);
    const CampaignField& field = campaignFields.at(index);
    const Campaign campaign = changed(field);
    const QString cell = field.flag ? QString::fromLatin1(campaign.*field.flag ? "yes" : "no")
                         : CampaignFields::isPicture(field)
                             ? QFileInfo(*CampaignFields::textIn(campaign, field)).fileName()
                             : *CampaignFields::textIn(campaign, field);
    const QString folder = QFileInfo(picture).absolutePath();
    const QString text = QLatin1String(field.key) + QStringLiteral("\n\"") + cell + QStringLiteral("\"\n");
    const Sheet sheet = SheetReader::fromBytes(text.toUtf8(), Campaign(), folder, QStringLiteral("fields.csv"));
    QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
    QCOMPARE(sheet.rows.size(), 1);
    QVERIFY2(sheet.rows.first().problem.isEmpty(), qPrintable(sheet.rows.first().problem));
    QVERIFY(sheet.rows.first().campaign == campaign);
}

QTEST_GUILESS_MAIN(TestCampaignFields)
#include "tst_campaignfields.moc"
