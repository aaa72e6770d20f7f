#include "GuardedRun.h"
#include "WindowTestCase.h"

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

/** The window asks the checks of "Create" and shows the first failure, with nothing made. */
class TestCreateFailures final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void checksInOrder_data();
    void checksInOrder();
};

void TestCreateFailures::checksInOrder_data()
{
    QTest::addColumn<WizardInput>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("a check's message") << with([](WizardInput& i) {
        i.cloudBonus = false;
        i.ctaText.clear();
    }) << "Please select a bonus from the list or enable the option to use your own bonus.";
    // Pasted: key events cannot carry control characters or NUL, and the name must reach the check whole.
    QTest::newRow("a pasted name with NUL")
        << named(QString("guide") + QChar(0)) << "The pdf name may not contain these characters: U+0000";
    QTest::newRow("complete") << WizardInput() << QString();
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
        QCOMPARE(f.platform.startedPages().size(), 1);
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
