#include "PageEscaping.h"

#include <QTest>

using namespace orvanta::page;

/** What the page writes escaped reads back as typed, and a placeholder never survives escaping. */
class TestPageEscaping final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void readsEveryReference_data();
    void readsEveryReference();
};

void TestPageEscaping::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("page");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("the five markup characters") << "<a href=\"x\">Tom's & co</a>"
                                                << "&lt;a href=&quot;x&quot;&gt;Tom&#39;s &amp; co&lt;/a&gt;";
    QTest::newRow("a placeholder") << "#CTAURL#"
                                   << "&#35;CTAURL&#35;";
    QTest::newRow("already escaped text stays text") << "&lt;b&gt; &#35;"
                                                     << "&amp;lt;b&amp;gt; &amp;&#35;35;";
    QTest::newRow("a lone ampersand") << "R&D &"
                                      << "R&amp;D &amp;";
    QTest::newRow("unicode kept") << QString::fromUtf8("Grüße — 日本語 😀 \u200F")
                                  << QString::fromUtf8("Grüße — 日本語 😀 \u200F");
}

void TestPageEscaping::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, page);
    QCOMPARE(escaped(text), page);
    QCOMPARE(unescaped(page), text);
}

void TestPageEscaping::readsEveryReference_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("text");
    QTest::newRow("no-break space is a blank") << "a&nbsp;b"
                                               << "a b";
    QTest::newRow("named") << "Keto &copy; 2026 &mdash; &euro;5" << QString::fromUtf8("Keto © 2026 — €5");
    QTest::newRow("numbered, decimal and hex") << "Keto&#8217;s &#x1F600;" << QString::fromUtf8("Keto’s 😀");
    QTest::newRow("unknown, unfinished or invalid stay as written") << "&bogus; &copy &#0; &#xD800; &#1114112; &#x;"
                                                                    << "&bogus; &copy &#0; &#xD800; &#1114112; &#x;";
}

void TestPageEscaping::readsEveryReference()
{
    QFETCH(QString, page);
    QFETCH(QString, text);
    QCOMPARE(unescaped(page), text);
}

QTEST_GUILESS_MAIN(TestPageEscaping)
#include "tst_pageescaping.moc"
