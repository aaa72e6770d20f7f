#include "Campaign.h"
#include "Catalogue.h"
#include "CreateJob.h"
#include "ListJobs.h"
#include "TestAppFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <functional>

using namespace orvanta::campaign;
using namespace orvanta::run;

using Spoil = std::function<void(const TestAppFolder&)>;
Q_DECLARE_METATYPE(Spoil)

/** A list's products read as their own Creates read them: the first that cannot be made names the list and item. */
class TestListJobs final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void badItem_data();
    void badItem();
};

void TestListJobs::badItem_data()
{
    QTest::addColumn<Spoil>("spoil");
    QTest::addColumn<QString>("says"); ///< empty: ready to be made
    const auto campaignWith = [](const char* name, std::function<void(Campaign&)> change) {
        return [=](const TestAppFolder& app) {
            const QString path = app.file(QStringLiteral("campaigns/%1.orvanta").arg(name));
            Campaign campaign = CampaignFile::read(path).value().campaign;
            change(campaign);
            QVERIFY(CampaignFile::write(path, campaign).ok());
        };
    };
    QTest::newRow("the sample") << Spoil([](const TestAppFolder&) {}) << "";
    QTest::newRow("a campaign gone")
        << Spoil([](const TestAppFolder& app) { QFile::remove(app.file("campaigns/video-course.orvanta")); })
        << "item 3 (\"@APP@/campaigns/video-course.orvanta\"): The campaign \"@APP@/campaigns/video-course.orvanta\" "
           "does not exist.";
    QTest::newRow("a campaign cut off") << Spoil([](const TestAppFolder& app) {
        app.write("campaigns/budget-planner.orvanta", "{\"format\": \"or");
    }) << "item 2 (\"@APP@/campaigns/budget-planner.orvanta\"): The campaign";
    QTest::newRow("a campaign failing its own checks")
        << Spoil(campaignWith("keto-cookbook", [](Campaign& c) { c.ctaUrl = "javascript:alert(1)"; }))
        << "item 1 (\"@APP@/campaigns/keto-cookbook.orvanta\"): Your Affiliate Link must be a web address";
    QTest::newRow("a rating that is none")
        << Spoil(campaignWith("video-course", [](Campaign& c) { c.rating = "7"; })) << "item 3";
}

void TestListJobs::badItem()
{
    QFETCH(Spoil, spoil);
    QFETCH(QString, says);
    TestAppFolder app;
    QVERIFY(app.isValid());
    spoil(app);
    JobSettings settings;
    settings.app = app.path();
    const QStringList entries = Catalogue::entries(app.path());
    settings.catalogueEntries = QSet<QString>(entries.cbegin(), entries.cend());
    const QString list = app.file("campaigns/keto-and-budget.orvantalist");
    const Result<ListRun> run = ListJobs::prepare(list, settings);
    if (says.isEmpty()) {
        QVERIFY2(run.ok(), qPrintable(run.error()));
        QCOMPARE(run->products.size(), 3);
        QCOMPARE(run->fields.pdfFileName, QStringLiteral("Three guides compared"));
        return;
    }
    QVERIFY(!run.ok());
    QVERIFY2(run.error().startsWith(QStringLiteral("The list \"%1\", ").arg(list)), qPrintable(run.error()));
    QVERIFY2(run.error().contains(QString(says).replace("@APP@", app.path())), qPrintable(run.error()));
}

QTEST_GUILESS_MAIN(TestListJobs)
#include "tst_listjobs.moc"
