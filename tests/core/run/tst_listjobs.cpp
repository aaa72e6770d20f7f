#include "Catalogue.h"
#include "CreateJob.h"
#include "ListJobs.h"
#include "TestAppFolder.h"

#include <QFile>
#include <QTest>

using namespace orvanta::campaign;
using namespace orvanta::run;

/** A list's products read as their own Creates read them: the first that cannot be made names the list and item. */
class TestListJobs final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void badItem_data();
    void badItem();
};

void TestListJobs::badItem_data()
{
    QTest::addColumn<QString>("campaign"); ///< the sample campaign spoilt
    QTest::addColumn<QByteArray>("from");  ///< empty: the whole file becomes "to", or goes when that is empty too
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("says"); ///< empty: ready to be made
    QTest::newRow("the sample") << "" << QByteArray() << QByteArray() << "";
    QTest::newRow("a campaign gone") << "video-course" << QByteArray() << QByteArray()
                                     << "item 3 (\"@APP@/campaigns/video-course.orvanta\"): The campaign "
                                        "\"@APP@/campaigns/video-course.orvanta\" does not exist.";
    QTest::newRow("a campaign cut off") << "budget-planner" << QByteArray() << QByteArray("{\"format\": \"or")
                                        << "item 2 (\"@APP@/campaigns/budget-planner.orvanta\"): The campaign";
    QTest::newRow("a campaign failing its own checks")
        << "keto-cookbook" << QByteArray("https://example.com/aff/keto-made-easy") << QByteArray("javascript:x")
        << "item 1 (\"@APP@/campaigns/keto-cookbook.orvanta\"): Your Affiliate Link must be a web address";
}

void TestListJobs::badItem()
{
    QFETCH(QString, campaign);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, says);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const QString path = app.file(QStringLiteral("campaigns/%1.orvanta").arg(campaign));
    if (!campaign.isEmpty() && from.isEmpty() && to.isEmpty())
        QVERIFY(QFile::remove(path));
    else if (!campaign.isEmpty())
        writeFile(path, from.isEmpty() ? to : bytesOf(path).replace(from, to));
    JobSettings settings;
    settings.app = app.path();
    const QStringList entries = Catalogue::entries(app.path());
    settings.catalogueEntries = QSet<QString>(entries.cbegin(), entries.cend());
    const QString list = app.file("campaigns/keto-and-budget.orvantalist");
    const Result<ListRun> run = ListJobs::prepare(list, settings);
    if (says.isEmpty()) {
        QVERIFY2(run.ok(), qPrintable(run.error()));
        QCOMPARE(run->products.size(), 3);
        return;
    }
    QVERIFY2(!run && run.error().startsWith(QStringLiteral("The list \"%1\", ").arg(list)) &&
                 run.error().contains(QString(says).replace("@APP@", app.path())),
             qPrintable(run.error()));
}

QTEST_GUILESS_MAIN(TestListJobs)
#include "tst_listjobs.moc"
