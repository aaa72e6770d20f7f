#include "CreateChecks.h"

#include "PageFixture.h"
#include "PdfName.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace orvanta::page;

namespace {
/** Changes typical fields; the flag is whether a catalogue bonus is chosen. */
using Change = std::function<void(PageFields&, bool&)>;

const QString Fields = QStringLiteral("Please complete all the required fields.");
const QString OwnImage =
    QStringLiteral("If you want to use your own bonus, please provide an image for it to use as description.");
} // namespace

Q_DECLARE_METATYPE(Change)

/** The checks of "Create", in the order the user meets them (only the first failure is said), and old pages removed. */
class TestCreateChecks final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void checksInOrder_data();
    void checksInOrder();
    void removesOldPages_data();
    void removesOldPages();
};

void TestCreateChecks::checksInOrder_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("message");
    QTest::newRow("all empty") << Change([](PageFields& f, bool& chosen) {
        f = PageFields();
        f.ctaUrl = "http://";
        chosen = false;
    }) << "Please enter a name for the pdf.";
    QTest::newRow("forbidden characters before a missing image") << Change([](PageFields& f, bool&) {
        f.pdfFileName = "a:b*c";
        f.affiliateImagePath.clear();
    }) << pdfNameProblem("a:b*c");
    QTest::newRow("no affiliate image before no bonus")
        << Change([](PageFields& f, bool& chosen) {
               f.affiliateImagePath.clear();
               chosen = false;
           })
        << "Please select an image of the affiliate product that you want to promote (like a product cover etc). "
           "You can do this from the first tab. ";
    QTest::newRow("no bonus before empty button text") << Change([](PageFields& f, bool& chosen) {
        chosen = false;
        f.ctaText.clear();
    }) << "Please select a bonus from the list or enable the option to use your own bonus.";
    QTest::newRow("link left at http://") << Change([](PageFields& f, bool&) { f.ctaUrl = "http://"; }) << Fields;
    QTest::newRow("empty link") << Change([](PageFields& f, bool&) { f.ctaUrl.clear(); }) << Fields;
    QTest::newRow("empty button text before own bonus without image") << Change([](PageFields& f, bool&) {
        f.ctaText.clear();
        f.ownBonus = true;
        f.ownBonusImagePath.clear();
    }) << Fields;
    QTest::newRow("empty title") << Change([](PageFields& f, bool&) { f.ctaTitle.clear(); }) << Fields;
    QTest::newRow("own bonus without image") << Change([](PageFields& f, bool&) {
        f.ownBonus = true;
        f.ownBonusImagePath.clear();
    }) << OwnImage;
    QTest::newRow("own bonus only, without image") << Change([](PageFields& f, bool& chosen) {
        f.ownBonus = true;
        f.ownBonusImagePath.clear();
        chosen = false;
    }) << OwnImage;
    QTest::newRow("complete") << Change([](PageFields&, bool&) {}) << QString();
    QTest::newRow("name of blanks") << Change([](PageFields& f, bool&) { f.pdfFileName = "   "; }) << QString();
    QTest::newRow("link https:// only") << Change([](PageFields& f, bool&) { f.ctaUrl = "https://"; }) << QString();
    QTest::newRow("link HTTP:// in capitals")
        << Change([](PageFields& f, bool&) { f.ctaUrl = "HTTP://"; }) << QString();
    QTest::newRow("own bonus with image, no catalogue bonus") << Change([](PageFields& f, bool& chosen) {
        f.ownBonus = true;
        chosen = false;
    }) << QString();
}

void TestCreateChecks::checksInOrder()
{
    QFETCH(Change, change);
    QFETCH(QString, message);
    PageFixture fixture;
    QVERIFY(fixture.isValid());
    PageFields fields = fixture.typicalFields();
    bool catalogueEntryChosen = true;
    change(fields, catalogueEntryChosen);
    QCOMPARE(missingInfo(fields, catalogueEntryChosen), message);
}

void TestCreateChecks::removesOldPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("removed");
    QTest::newRow("an old page") << "old.html" << true;
    QTest::newRow("another page") << "Other.html" << true;
    QTest::newRow("the page named for the template") << "etemplate.html" << true;
    QTest::newRow("a hidden page") << ".hidden.html" << true;
    QTest::newRow("the template") << "template.html" << false;
    // Where letter case does not count, this is the template itself.
    QTest::newRow("the template in capitals") << "Template.html" << false;
    QTest::newRow("no page") << "notes.txt" << false;
    QTest::newRow("a page in the output folder") << "output/kept.html" << false;
}

// The page writer appends: a page an earlier Create left must go first, the template and all else stay.
void TestCreateChecks::removesOldPages()
{
    QFETCH(QString, file);
    QFETCH(bool, removed);
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QString path = writeFile(bin.filePath(file), "earlier");
    const Result<void> result = removeOldPages(bin.path());
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(QFile::exists(path), !removed);
}

QTEST_GUILESS_MAIN(TestCreateChecks)
#include "tst_createchecks.moc"
