#include "GuardedRun.h"
#include "WindowTestCase.h"

#include "MainWindow.h"
#include "PageBuilder.h"

#include <QTest>

using namespace orvanta::page;

namespace {
// One slot per placeholder, in the order they are filled, so a page's bytes can be predicted whole.
const QByteArray SlotTemplate("[#OPENINGTITLE#][#AFFILIATEIMAGE#][#REVIEW#][#BONUSTITLE#][#SALESPAGE#][#CTATITLE#]"
                              "[#CTATEXT#][#CTAURL#][#BONUSINSTRUCTIONS#]");
const QStringList SlotFields{"txtMainTitle", "",           "txtReview", "txtBonusHeadline", "",
                             "txtAdTitle",   "txtCTAText", "txtCTAURL", "txtInstructions"};

QByteArrayList defaultSlots()
{
    return {
        "Orvanta Test Review", "cover.png",     "A fine product", " Get Your Copy with Our Private Bonus! Take a Look:",
        "salespage.gif",       "Get the bonus", "Buy it now",     "https://example.com/buy",
        "Mail us your receipt"};
}

QByteArray pageOf(const QByteArrayList& values)
{
    QByteArray page;
    for (const QByteArray& value : values)
        page += '[' + value + ']';
    return page + pageTail().toUtf8();
}

} // namespace

/** What a box holds reaches the page's bytes through the window: a line feed as a break, every character kept. */
class TestBadText final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void pageBytes_data();
    void pageBytes();

private:
    void createPage(WindowFixture& f);
};

void TestBadText::createPage(WindowFixture& f)
{
    GuardedRun run(f);
    QVERIFY(f.create());
    QCOMPARE(run.messages(), QStringList{"Done: Ready. Do you want to open the output folder?"});
    QVERIFY(f.isIdle() && run.idleAtEveryMessage());
    QCOMPARE(run.appChanges(),
             sorted({"+bin/cover.png", "+bin/salespage.gif", "+bin/guide.html", "+bin/output/guide.pdf"}));
    QCOMPARE(run.outsideChanges(), QStringList());
}

void TestBadText::pageBytes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no-break spaces and a line feed in the review")
        << "txtReview" << QString::fromUtf8("5\u00A0€\nend\u00A0\u00A0") << 2
        << QByteArray("5\xC2\xA0\xE2\x82\xAC<br>end\xC2\xA0\xC2\xA0");
}

void TestBadText::pageBytes()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, slot);
    QFETCH(QByteArray, bytes);
    QCOMPARE(SlotFields.at(slot), field);
    WindowFixture& f = fx();
    f.useQuickConverter();
    f.app.write("bin/template.html", SlotTemplate);
    f.fill(WizardInput());
    f.paste(field, text);

    createPage(f);
    QByteArrayList values = defaultSlots();
    values[slot] = bytes;
    QCOMPARE(bytesOf(f.app.file("bin/guide.html")), pageOf(values));
}

QTEST_MAIN(TestBadText)
#include "tst_badtext.moc"
