#include "GuardedRun.h"
#include "WindowTestCase.h"

#include "PdfName.h"

#include <QTest>

Q_DECLARE_METATYPE(WizardInput)

namespace {
WizardInput with(void (*change)(WizardInput&))
{
    WizardInput input;
    change(input);
    return input;
}

WizardInput named(const QString& pdfName)
{
    WizardInput input;
    input.pdfName = pdfName;
    return input;
}
} // namespace

/** The checks of "Create", in the order the user meets them, and refused PDF names; only the first failure is shown. */
class TestCreateFailures final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void checksInOrder_data();
    void checksInOrder();
};

void TestCreateFailures::checksInOrder_data()
{
    const QString fields = QStringLiteral("Please complete all the required fields.");
    QTest::addColumn<WizardInput>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("all empty") << with([](WizardInput& i) {
        i = {QString(), false, false, false, false, QStringLiteral("http://"), {}, {}, {}, {}};
    }) << "Please enter a name for the pdf.";
    QTest::newRow("forbidden characters") << with([](WizardInput& i) {
        i.pdfName = "a:b*c";
        i.affiliateImage = false;
    }) << pdfNameProblem("a:b*c");
    QTest::newRow("no affiliate image") << with([](WizardInput& i) {
        i.affiliateImage = false;
        i.cloudBonus = false;
    })
                                        << "Please select an image of the affiliate product that you want to promote "
                                           "(like a product cover etc). You can do this from the first tab. ";
    QTest::newRow("no bonus") << with([](WizardInput& i) {
        i.cloudBonus = false;
        i.ctaText.clear();
    }) << "Please select a bonus from the list or enable the option to use your own bonus.";
    QTest::newRow("link left at http://") << with([](WizardInput& i) { i.ctaUrl = "http://"; }) << fields;
    QTest::newRow("empty link") << with([](WizardInput& i) { i.ctaUrl.clear(); }) << fields;
    QTest::newRow("empty button text") << with([](WizardInput& i) {
        i.ctaText.clear();
        i.ownBonus = true;
    }) << fields;
    QTest::newRow("empty title") << with([](WizardInput& i) { i.adTitle.clear(); }) << fields;
    const QString ownImage =
        QStringLiteral("If you want to use your own bonus, please provide an image for it to use as description.");
    QTest::newRow("own bonus without image") << with([](WizardInput& i) { i.ownBonus = true; }) << ownImage;
    QTest::newRow("own bonus only, without image") << with([](WizardInput& i) {
        i.ownBonus = true;
        i.cloudBonus = false;
    }) << ownImage;
    // The name is pasted: key events cannot carry control characters or NUL.
    const QString refused = QStringLiteral("The pdf name may not contain these characters: ");
    const QString dots = QStringLiteral("The pdf name may not be \".\" or \"..\".");
    const QString tooLong = QStringLiteral("The pdf name is too long. Please use a shorter name.");
    QTest::newRow("slash into a sub-folder") << named("guides/guide") << refused + "/";
    QTest::newRow("absolute path") << named("/tmp/guide") << refused + "/";
    QTest::newRow("parent folders") << named("../../../tmp/guide") << refused + "/";
    QTest::newRow("backslash parent folder") << named("..\\guide") << refused + "\\";
    QTest::newRow("dot") << named(".") << dots;
    QTest::newRow("dot dot") << named("..") << dots;
    QTest::newRow("reserved characters, each once") << named("a<b>c:d\"e|f?g*h<") << refused + "< > : \" | ? *";
    QTest::newRow("tab and line feed") << named("a\tb\nc") << refused + "U+0009 U+000A";
    QTest::newRow("escape and delete") << named(QString("a") + QChar(0x1B) + QChar(0x7F)) << refused + "U+001B U+007F";
    QTest::newRow("NUL") << named(QString("guide") + QChar(0)) << refused + "U+0000";
    QTest::newRow("250 letters") << named(QString(250, 'a')) << tooLong;
    QTest::newRow("84 CJK characters, 252 bytes") << named(QString(84, QChar(0x6307))) << tooLong;
    QTest::newRow("63 emoji, 252 bytes") << named(QString::fromUtf8("😀").repeated(63)) << tooLong;
    QTest::newRow("complete") << WizardInput() << QString();
    QTest::newRow("name of blanks") << with([](WizardInput& i) { i.pdfName = "   "; }) << QString();
    QTest::newRow("link https:// only") << with([](WizardInput& i) { i.ctaUrl = "https://"; }) << QString();
    QTest::newRow("link HTTP:// in capitals") << with([](WizardInput& i) { i.ctaUrl = "HTTP://"; }) << QString();
    QTest::newRow("own bonus with image") << with([](WizardInput& i) {
        i.cloudBonus = false;
        i.ownBonus = i.ownImage = true;
    }) << QString();
}

void TestCreateFailures::checksInOrder()
{
    QFETCH(WizardInput, input);
    QFETCH(QString, message);
    WindowFixture& f = fx();
    f.useQuickConverter();
    WizardInput typed = input;
    typed.pdfName.clear();
    f.fill(typed);
    f.paste("txtPDFFilename", input.pdfName);
    GuardedRun run(f);

    QVERIFY(f.create());
    if (message.isEmpty()) {
        QCOMPARE(f.messageTitles(), QStringList{"Done"});
        QCOMPARE(f.platform.commandLines.size(), 1);
        return;
    }
    QCOMPARE(run.messages(), QStringList{"Missing Info: " + message});
    QVERIFY(f.platform.messages.first().icon == MessageIcon::Information && !f.platform.messages.first().yesNo);
    QVERIFY(f.isIdle() && run.idleAtEveryMessage() && !run.busyEntered());
    QCOMPARE(run.appChanges(), QStringList());
    QCOMPARE(run.outsideChanges(), QStringList());
    QCOMPARE(f.window().pageFields().pdfFileName, input.pdfName);
}

QTEST_MAIN(TestCreateFailures)
#include "tst_createfailures.moc"
