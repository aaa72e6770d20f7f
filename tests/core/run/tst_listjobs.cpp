#include "Catalogue.h"
#include "CreateJob.h"
#include "JobSources.h"
#include "ListJobs.h"
#include "SheetReader.h"
#include "TestAppFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace orvanta::campaign;
using namespace orvanta::run;

/** A list's products read as their own Creates read them: the first that cannot be made names the list and item. */
class TestListJobs final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void badItem_data();
    void badItem();
    void sheetFillsAList_data();
    void sheetFillsAList();
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

void TestListJobs::sheetFillsAList_data()
{
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<bool>("ownRow"); ///< the list file has a row of its own values
    QTest::addColumn<QStringList>("ranked");
    QTest::addColumn<QString>("says"); ///< empty: ready to be made
    const QByteArray header("mainTitle,pdfFileName,list,rank,badge\n");
    QTest::newRow("ranked first, then the unranked in the sheet's order, other lists apart")
        << header + "A,a,top.orvantalist,2,\nB,b,top.orvantalist,,\nX,x,,,\nC,c,top.orvantalist, 1 ,Best overall\n"
                    "D,d,other.orvantalist,1,\nE,e,top.orvantalist,,\n"
        << false << QStringList{"C", "A", "B", "E"} << "";
    QTest::newRow("two rows in one place")
        << header + "A,a,top.orvantalist,1,\nB,b,top.orvantalist,1,\n"
        << false << QStringList() << "offers.csv row 2 and offers.csv row 3 both take the place 1";
    QTest::newRow("a rank that is no place")
        << header + "A,a,top.orvantalist,1,\nB,b,top.orvantalist,0.5,\n"
        << false << QStringList() << "item 2 (\"offers.csv row 3\"): In this row the column rank takes";
    QTest::newRow("a list with its own row's values") << header + "A,a,top.orvantalist,,\nB,b,top.orvantalist,,\n"
                                                      << true << QStringList() << "has rows of its own";
    QTest::newRow("a list file that is not there") << header + "A,a,gone.orvantalist,,\nB,b,gone.orvantalist,,\n"
                                                   << false << QStringList() << "does not exist";
}

// A sheet's rows are the products of the lists they name, in their ranks; the list file gives the rest.
void TestListJobs::sheetFillsAList()
{
    QFETCH(QByteArray, sheet);
    QFETCH(bool, ownRow);
    QFETCH(QStringList, ranked);
    QFETCH(QString, says);
    TestAppFolder app;
    QVERIFY(app.isValid());
    JobSettings settings;
    settings.app = app.path();
    const QStringList entries = Catalogue::entries(app.path());
    settings.catalogueEntries = QSet<QString>(entries.cbegin(), entries.cend());
    ProductList top;
    top.title = QStringLiteral("Top picks");
    top.kind = ProductList::Kind::Top;
    for (const char* name : {"keto-cookbook", "video-course"}) {
        ListItem item;
        item.campaignPath = app.file(QStringLiteral("campaigns/%1.orvanta").arg(QLatin1String(name)));
        top.items << item;
    }
    if (ownRow)
        top.rows << ListRow{
            ListRow::Kind::Own, QStringLiteral("Format"), {QStringLiteral("PDF"), QStringLiteral("Video")}};
    QVERIFY(ListFile::write(app.file("campaigns/top.orvantalist"), top).ok());
    QVERIFY(ListFile::write(app.file("campaigns/other.orvantalist"), top).ok());
    const Campaign base = CampaignFile::read(app.file("campaigns/keto-cookbook.orvanta"))->campaign;
    const Sheet read = SheetReader::fromBytes(sheet, base, app.file("campaigns"), QStringLiteral("offers.csv"));
    const QList<JobSource> jobs = sheetListJobs(read, QStringLiteral("offers.csv"));
    QVERIFY(!jobs.isEmpty());
    const JobSource& job = jobs.first();
    QCOMPARE(job.name, QStringLiteral("offers.csv list %1").arg(QFileInfo(job.campaignPath).fileName()));
    if (!job.problem.isEmpty() || !job.list) {
        QVERIFY2(!says.isEmpty() && job.problem.contains(says), qPrintable(job.problem));
        return;
    }
    const Result<ListRun> run = ListJobs::prepareList(*job.list, job.campaignPath, settings);
    if (!says.isEmpty()) {
        QVERIFY2(!run && run.error().contains(says), qPrintable(run.error()));
        return;
    }
    QVERIFY2(run.ok(), qPrintable(run.error()));
    QStringList titles;
    for (const ListProduct& product : run->products)
        titles << product.fields.mainTitle;
    QCOMPARE(titles, ranked);
    QCOMPARE(run->products.first().badge, QStringLiteral("Best overall"));
    QCOMPARE(run->list.title, top.title);
    QCOMPARE(jobs.size(), 2);
}

QTEST_GUILESS_MAIN(TestListJobs)
#include "tst_listjobs.moc"
