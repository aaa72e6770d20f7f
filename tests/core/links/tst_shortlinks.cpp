#include "AppFolder.h"
#include "LinkRules.h"
#include "LinksTable.h"
#include "PageFixture.h"
#include "QrCode.h"
#include "RedirectFiles.h"
#include "ShortLinkStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::links;

namespace {
LinkEntry entry(const QString& slug, const QString& target, const QString& pdf = QStringLiteral("guide"))
{
    return {slug, "https://example.com/go/" + slug, target, QStringLiteral("Guide"), pdf, {}, {}, {}};
}
} // namespace

/** Short links: their names, bases and targets, the links table and the redirect files written from it. */
class TestShortLinks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void slugs_data();
    void slugs();
    void bases_data();
    void bases();
    void targets_data();
    void targets();
    void redirectFormats();
    void claims_data();
    void claims();
    void pageLinks();
};

void TestShortLinks::slugs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("slug");
    QTest::addColumn<bool>("usableAsGiven");
    QTest::newRow("plain") << "guide"
                           << "guide" << true;
    QTest::newRow("upper case and blanks") << "My Big  Guide"
                                           << "my-big-guide" << false;
    QTest::newRow("accents dropped") << "Café Crème"
                                     << "cafe-creme" << false;
    QTest::newRow("edges trimmed") << "--guide!!"
                                   << "guide" << false;
    QTest::newRow("nothing left") << "???"
                                  << "offer" << false;
    QTest::newRow("path climbing") << "../x"
                                   << "x" << false;
    QTest::newRow("too long cut") << QString(70, 'a') << QString(60, 'a') << false;
    QTest::newRow("last line break") << "guide\n"
                                     << "guide" << false;
    QTest::newRow("directive after a line break") << "guide\nRedirect 302 / x"
                                                  << "guide-redirect-302-x" << false;
}

void TestShortLinks::slugs()
{
    QFETCH(QString, name);
    QFETCH(QString, slug);
    QFETCH(bool, usableAsGiven);
    QCOMPARE(LinkRules::slugFromName(name), slug);
    QVERIFY(LinkRules::slugProblem(slug).isEmpty());
    QCOMPARE(LinkRules::slugProblem(name).isEmpty(), usableAsGiven);
    if (!usableAsGiven)
        QVERIFY(LinkRules::slugProblem(name).contains(name));
}

void TestShortLinks::bases_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<QString>("path");
    QTest::newRow("folder") << "https://example.com/go/" << true << "/go/";
    QTest::newRow("slash added") << "https://example.com/go" << true << "/go/";
    QTest::newRow("site root") << "http://example.com" << false << "";
    QTest::newRow("site root, slash") << "http://example.com/" << false << "";
    QTest::newRow("absolute folder") << "https://example.com//home/me/site/" << false << "";
    QTest::newRow("empty segment") << "https://example.com/go//deals/" << false << "";
    QTest::newRow("dot segment") << "https://example.com/go/./" << false << "";
    QTest::newRow("climbing") << "https://example.com/go/../../x/" << false << "";
    QTest::newRow("encoded dots") << "https://example.com/%2e%2e/" << false << "";
    QTest::newRow("encoded dot, upper case") << "https://example.com/go/%2E/" << false << "";
    QTest::newRow("folder too long") << "https://example.com/" + QString(256, 'a') + "/" << false << "";
    QTest::newRow("dots inside a name") << "https://example.com/go.to/..x/" << true << "/go.to/..x/";
    QTest::newRow("no web address") << "ftp://example.com/go/" << false << "";
    QTest::newRow("query") << "https://example.com/go/?x=1" << false << "";
    QTest::newRow("space in path") << "https://example.com/my go/" << false << "";
    QTest::newRow("quote in path") << "https://example.com/go\"/" << false << "";
    QTest::newRow("user info") << "https://a:b@example.com/go/" << false << "";
}

void TestShortLinks::bases()
{
    QFETCH(QString, base);
    QFETCH(bool, usable);
    QFETCH(QString, path);
    QCOMPARE(LinkRules::linkBaseProblem(base).isEmpty(), usable);
    if (!usable)
        QVERIFY(LinkRules::linkBaseProblem(base).contains(base));
    Brand brand;
    brand.linkBase = base;
    QCOMPARE(brandProblem(brand).isEmpty(), usable);
    LinkEntry link;
    link.link = LinkRules::linkOf(base, "s");
    if (usable)
        QCOMPARE(RedirectFiles::pathOf(link), path + "s");
}

void TestShortLinks::targets_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("target"); // empty when refused
    QTest::newRow("tags and fragment kept") << "https://shop.example/p?a=1&utm_source=x#buy"
                                            << "https://shop.example/p?a=1&utm_source=x#buy";
    QTest::newRow("blank trimmed, inner encoded") << " https://shop.example/a b "
                                                  << "https://shop.example/a%20b";
    QTest::newRow("quote and backslash encoded") << "https://shop.example/\"x\\"
                                                 << "https://shop.example/%22x%5C";
    QTest::newRow("apostrophe encoded") << "https://shop.example/?q=it's"
                                        << "https://shop.example/?q=it%27s";
    QTest::newRow("angle brackets encoded") << "https://shop.example/<b>"
                                            << "https://shop.example/%3Cb%3E";
    QTest::newRow("letters beyond ASCII") << "https://shop.example/é"
                                          << "https://shop.example/%C3%A9";
    QTest::newRow("line break refused") << "https://shop.example/\nRedirect 302 / https://evil"
                                        << "";
    QTest::newRow("dollar refused") << "https://shop.example/$host"
                                    << "";
    QTest::newRow("script refused") << "javascript:alert(1)"
                                    << "";
    const QString bound = "https://shop.example/?" + QString(LinkRules::MaxTargetBytes - 22, 'x');
    QTest::newRow("longest kept") << bound << bound;
    QTest::newRow("longer refused") << bound + "x"
                                    << "";
    QTest::newRow("longer once encoded") << bound.chopped(1) + "é"
                                         << "";
}

void TestShortLinks::targets()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    const Result<QString> made = LinkRules::targetOf(link);
    QCOMPARE(made.valueOr({}), target);
    QCOMPARE(made.ok(), !target.isEmpty());
}

// Each format names every link and channel once, anchored, by its path; a target never leaves its quotes or line.
void TestShortLinks::redirectFormats()
{
    const QString target = LinkRules::targetOf("https://shop.example/p a?a=1&b='x';}#top \"q\"").valueOr({});
    QVERIFY(!target.isEmpty());
    QByteArray escaped = target.toUtf8();
    escaped.replace('%', "\\%");
    LinkEntry nested = entry("keto", "https://other.example/");
    nested.link = "https://example.com/go/deals/keto";
    const QList<LinkEntry> links{entry("guide", target), nested};
    const QByteArray apache = RedirectFiles::htaccess(links);
    QVERIFY(apache.contains("\nRewriteRule \"^go/deals/keto/w/?$\" \"https://other.example/\" [R=302,L,NE]\n"
                            "RewriteRule \"^go/guide/?$\" \"" +
                            escaped + "\" [R=302,L,NE]\n"));
    QVERIFY(apache.contains("\nRedirectMatch 302 \"^/go/deals/keto/w/?$\" \"https://other.example/\"\n"
                            "RedirectMatch 302 \"^/go/guide/?$\" \"" +
                            target.toUtf8() + "\"\n"));
    QCOMPARE(apache.count('"'), 64);
    QVERIFY(!RedirectFiles::nginxMap(links).contains("map"));
    const QByteArray nginx = RedirectFiles::nginxLocations(links);
    for (const QByteArray path : {"/go/guide", "/go/guide/"})
        QVERIFY(nginx.contains("\nlocation = " + path + " { return 302 \"" + target.toUtf8() + "\"; }\n"));
    QCOMPARE(nginx.count("location"), 16);
    QCOMPARE(nginx.count('"'), 32);
    const QByteArray hosts = RedirectFiles::staticHostRedirects(links);
    QVERIFY(hosts.contains("\n/go/guide " + target.toUtf8() + " 302\n"));
    QVERIFY(hosts.contains("\n/go/guide/q " + target.toUtf8() + " 302\n"));
    QCOMPARE(hosts.count('\n'), 10);
    const QByteArray page = RedirectFiles::redirectPage(entry("guide", "https://shop.example/?a=1&b=2"));
    const QByteArray html = "https://shop.example/?a=1&amp;b=2";
    QVERIFY(page.contains("<meta http-equiv=\"refresh\" content=\"0; url=" + html + "\">"));
    QVERIFY(page.contains("<link rel=\"canonical\" href=\"" + html + "\">"));
    QVERIFY(page.contains("<a href=\"" + html + "\" rel=\"nofollow sponsored\">"));
    QVERIFY(!page.contains("a=1&b"));
}

void TestShortLinks::claims_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("pdf");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("slug"); // empty when refused
    const auto row = [](const char* name, const char* chosen, const char* pdf, const char* target, const char* slug) {
        QTest::newRow(name) << QString(chosen) << QString(pdf) << QString(target) << QString(slug);
    };
    row("free slug", "new", "other", "https://b.example/", "new");
    row("own slug again", "guide", "guide", "https://b.example/", "guide");
    row("shared, same target", "guide", "other", "https://a.example/", "guide");
    row("taken elsewhere", "guide", "other", "https://b.example/", "");
    row("made from the PDF", "", "My Book", "https://a.example/", "my-book");
    row("made, numbered", "", "Guide!!", "https://a.example/", "guide-2");
    row("made, numbered past others", "", "guide?", "https://a.example/", "guide-3");
    row("made, own", "", "guide", "https://b.example/", "guide");
}

void TestShortLinks::claims()
{
    QFETCH(QString, chosen);
    QFETCH(QString, pdf);
    QFETCH(QString, target);
    QFETCH(QString, slug);
    LinksTable table;
    table.record(entry("guide", "https://a.example/"));
    table.record(entry("guide-2", "https://a.example/", "Guide!!"));
    const Result<QString> claim = table.claim(chosen, pdf, "Other", target);
    QCOMPARE(claim.valueOr({}), slug);
    if (slug.isEmpty()) {
        for (const QString& named : {QStringLiteral("\"guide\""), QStringLiteral("\"Guide\""),
                                     QStringLiteral("\"Other\""), QStringLiteral("https://a.example/"), target})
            QVERIFY2(claim.error().contains(named), qPrintable(claim.error()));
    }
}

// Without a base the page is the same, byte for byte; with one each offer link is a channel of the short one.
void TestShortLinks::pageLinks()
{
    PageFixture fixture;
    QVERIFY(fixture.isValid());
    PageFields fields = fixture.typicalFields();
    fields.ctaUrl = QStringLiteral("https://shop.example/offer?aff=7&utm_source=pdf");
    fields.qrCode = true;
    fields.slug = QStringLiteral("my-offer");
    const QString plain = fixture.build(fields)->filledText;
    const Result<ShortLinkStore::Prepared> none = ShortLinkStore::prepare(fixture.app().path(), fields, true);
    QVERIFY(none.ok() && none->entry.slug.isEmpty());
    QCOMPARE(fixture.build(none->shown)->filledText, plain);

    fields.brand.linkBase = QStringLiteral("https://me.example/go");
    fields.mainTitle = QString::fromUtf8("Nice\x1b]0;X\x07\xc2\x9b"
                                         "2J\u202eTitle");
    const Result<ShortLinkStore::Prepared> made = ShortLinkStore::prepare(fixture.app().path(), fields, true);
    QVERIFY(made.ok());
    QVERIFY2(!made->entry.campaign.contains(QRegularExpression("\\p{Cc}|\\p{Cf}")), qPrintable(made->entry.campaign));
    QVERIFY(made->entry.campaign.startsWith("Nice") && made->entry.campaign.endsWith("Title"));
    QCOMPARE(made->entry.link, QStringLiteral("https://me.example/go/my-offer"));
    QCOMPARE(made->entry.target, fields.ctaUrl);
    const QString page = fixture.build(made->shown)->filledText;
    QVERIFY(page.contains("https://me.example/go/my-offer/p"));
    QVERIFY(!page.contains("shop.example"));
    QVERIFY(page.endsWith(QrCode::pageBlock(made->entry.link + "/q").value()));

    fields.slug = QStringLiteral("Bad Slug");
    const Result<ShortLinkStore::Prepared> bad = ShortLinkStore::prepare(fixture.app().path(), fields, true);
    QVERIFY(bad.failure().is(ShortLinkStore::PrepareFailure::MissingInfo) && bad.error().contains("Bad Slug"));

    // Create claims its slug before the PDF carries it: another campaign's link is refused.
    fields.slug = QStringLiteral("my-offer");
    QVERIFY(
        ShortLinkStore::record(fixture.app().path(), entry("my-offer", "https://elsewhere.example/", "other")).ok());
    const Result<ShortLinkStore::Prepared> taken = ShortLinkStore::prepare(fixture.app().path(), fields, true);
    QVERIFY(taken.failure().is(ShortLinkStore::PrepareFailure::Refused) && taken.error().contains("\"my-offer\""));
}

QTEST_GUILESS_MAIN(TestShortLinks)
#include "tst_shortlinks.moc"
