#include "GuardedRun.h"
#include "WindowTestCase.h"

#include "MainWindow.h"
#include "PageBuilder.h"

#include <QTest>

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

QString withChar(const char* before, char32_t c, const char* after)
{
    return QString::fromUtf8(before) + QString::fromUcs4(&c, 1) + QString::fromUtf8(after);
}
} // namespace

/** Text from the far corners of Unicode, NUL, broken UTF-16, placeholder names and sheer size. */
class TestBadText final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void pageBytes_data();
    void pageBytes();
    void tenMegabyteReview();

private:
    void createPage(WindowFixture& f, bool realConverter);
};

void TestBadText::createPage(WindowFixture& f, bool realConverter)
{
    GuardedRun run(f);
    QVERIFY(f.create());
    QCOMPARE(run.messages(), QStringList{"Done: Ready. Do you want to open the output folder?"});
    QVERIFY(f.isIdle() && run.idleAtEveryMessage());
    QCOMPARE(run.appChanges(),
             sorted({"+bin/cover.png", "+bin/salespage.gif", "+bin/guide.html", "+bin/output/guide.pdf"}));
    QCOMPARE(run.outsideChanges(), QStringList());
    if (realConverter)
        QVERIFY(bytesOf(f.app.file("bin/output/guide.pdf")).startsWith("%PDF-"));
}

void TestBadText::pageBytes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("realConverter");
    const QString planes = QString::fromUtf8("A é 中 😀 𠀀 𰀀 ") + withChar("", 0xE0041, " ") +
                           withChar("", 0xF0000, " ") + withChar("", 0x10FFFD, "");
    const QByteArray planeBytes("A \xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80 \xF0\xA0\x80\x80 \xF0\xB0\x80\x80 "
                                "\xF3\xA0\x81\x81 \xF3\xB0\x80\x80 \xF4\x8F\xBF\xBD");
    QTest::newRow("every plane in the review, real converter") << "txtReview" << planes << 2 << planeBytes << true;
    QTest::newRow("no-break spaces in the review")
        << "txtReview" << QString::fromUtf8("5\u00A0€\nend\u00A0\u00A0") << 2
        << QByteArray("5\xC2\xA0\xE2\x82\xAC<br>end\xC2\xA0\xC2\xA0") << false;
    QTest::newRow("no-break space in the instructions") << "txtInstructions" << QString::fromUtf8("Nr.\u00A07") << 8
                                                        << QByteArray("Nr.\xC2\xA0"
                                                                      "7")
                                                        << false;
    QTest::newRow("every plane in the instructions") << "txtInstructions" << planes << 8 << planeBytes << false;
    QTest::newRow("emoji in the title, real converter")
        << "txtMainTitle" << QString::fromUtf8("Top 😀 pick") << 0 << QByteArray("Top \xF0\x9F\x98\x80 pick") << true;
    QTest::newRow("lone high surrogate in the title") << "txtMainTitle" << QString("a") + QChar(0xD83D) + "b" << 0
                                                      << QByteArray("a\xEF\xBF\xBD"
                                                                    "b")
                                                      << false;
    QTest::newRow("lone low surrogate in the review") << "txtReview" << QString(QChar(0xDE00)) + "end" << 2
                                                      << QByteArray("\xEF\xBF\xBD"
                                                                    "end")
                                                      << false;
    QTest::newRow("reversed pair in the link") << "txtCTAURL" << QString("https://x/u") + QChar(0xDE00) + QChar(0xD83D)
                                               << 7 << QByteArray("https://x/u\xEF\xBF\xBD\xEF\xBF\xBD") << false;
    QTest::newRow("NUL in the title") << "txtMainTitle" << QString::fromUtf16(u"a\0b", 3) << 0 << QByteArray("a\0b", 3)
                                      << false;
    QTest::newRow("NUL in the review") << "txtReview" << QString::fromUtf16(u"x\0\0y", 4) << 2
                                       << QByteArray("x\0\0y", 4) << false;
    QTest::newRow("title naming a later placeholder")
        << "txtMainTitle"
        << "#CTAURL# & #CTATEXT#" << 0 << QByteArray("https://example.com/buy & Buy it now") << false;
    QTest::newRow("link naming an earlier placeholder")
        << "txtCTAURL"
        << "https://x/#OPENINGTITLE#" << 7 << QByteArray("https://x/#OPENINGTITLE#") << false;
    QTest::newRow("review naming itself and the next") << "txtReview"
                                                       << "#REVIEW# #BONUSTITLE#" << 2
                                                       << QByteArray("#REVIEW#  Get Your Copy with Our Private Bonus! "
                                                                     "Take a Look:")
                                                       << false;
    QTest::newRow("instructions naming every placeholder")
        << "txtInstructions"
        << "#OPENINGTITLE##SALESPAGE#" << 8 << QByteArray("#OPENINGTITLE##SALESPAGE#") << false;
}

void TestBadText::pageBytes()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, slot);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, realConverter);
    QCOMPARE(SlotFields.at(slot), field);
    WindowFixture& f = fx();
    if (!realConverter)
        f.useQuickConverter();
    f.app.write("bin/template.html", SlotTemplate);
    f.fill(WizardInput());
    f.paste(field, text);

    createPage(f, realConverter);
    QByteArrayList values = defaultSlots();
    values[slot] = bytes;
    QCOMPARE(bytesOf(f.app.file("bin/guide.html")), pageOf(values));
}

void TestBadText::tenMegabyteReview()
{
    WindowFixture& f = fx();
    f.useQuickConverter();
    f.app.write("bin/template.html", SlotTemplate);
    f.fill(WizardInput());
    const QString line = QString::fromUtf8("Zeile mit Umlauten äöü und 😀, damit jedes Byte zählt. ").repeated(2);
    QStringList lines;
    for (qsizetype size = 0; size < 10 * 1024 * 1024; size += line.toUtf8().size() + 1)
        lines << line;
    f.paste("txtReview", lines.join('\n'));

    createPage(f, false);
    QByteArrayList values = defaultSlots();
    values[2] = lines.join("<br>").toUtf8();
    QVERIFY(values[2].size() > 10 * 1024 * 1024);
    const QByteArray page = bytesOf(f.app.file("bin/guide.html"));
    QCOMPARE(page.size(), pageOf(values).size());
    QVERIFY(page == pageOf(values));
}

QTEST_MAIN(TestBadText)
#include "tst_badtext.moc"
