#include "CreateCommand.h"
#include "WindowLayout.h"
#include "WindowTestCase.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {
QString captionOf(const QWidget* control)
{
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(control))
        return box->toPlainText();
    // A label's '&' marks its mnemonic letter; the user reads the caption without it.
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->buddy() ? label->text().remove(QLatin1Char('&')) : label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    return QString();
}

QColor meanColour(const QImage& image)
{
    // Smooth scaling to one pixel averages every pixel of the image.
    return image.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
}

int colourDistance(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
}
} // namespace

class TestMainWindow final : public WindowTestCase {
    Q_OBJECT

public:
    TestMainWindow()
        : WindowTestCase(false)
    {
    }

private Q_SLOTS:
    void startUpCaptions();
    void startUpState();
    void startUpWithoutCatalogueFolder();
    void startUpWarnsOfUnwritableFolder();
    void navigation_data();
    void navigation();
    void textKeptAcrossPages();
    void resizeFigures();
    void aboutGesture_data();
    void aboutGesture();
    void pleaseWaitBlinksUntilSwitchedOff();
    void busyButtonsLookDisabled();

private:
    int px(int twips) const;
    QWidget* page(int index) const;
};

int TestMainWindow::px(int twips) const
{
    return WindowLayout::toPixels(twips, fx().window().screen()->logicalDotsPerInch());
}

QWidget* TestMainWindow::page(int index) const
{
    return fx().control(QStringLiteral("frPage(%1)").arg(index));
}

void TestMainWindow::startUpCaptions()
{
    // Every control of the window, found by its name, with its text at start-up.
    const QList<QPair<const char*, const char*>> rows = {
        {"Picture2", ""},
        {"lblAppName", "Orvanta"},
        {"lblBy", " "},
        {"lblPleaseWait", "Please Wait"},
        {"vButton(0)", ""},
        {"Image2", ""},
        {"lblButton(0)", "Step 1: Make a Quick Affiliate Review"},
        {"Image4", ""},
        {"Image6", ""},
        {"lblButton(1)", "Step 2: Select A Bonus"},
        {"lblButton(2)", "Step 3: Create Affiliate PDF"},
        {"frPage(0)", "Step 1: Enter the Affiliate Offer Info"},
        {"frPage(1)", "  Step 2: Select a Bonus  "},
        {"frPage(2)", "  Create   "},
        {"Label1", "Main Title:"},
        {"txtMainTitle", "Product XYZ Review"},
        {"Label3", "Affiliate Offer Image (Product Cover etc):"},
        {"lblImage(0)", ""},
        {"cmdCoverSelect(0)", "Select Image"},
        {"Label30", "Quick Affiliate Review:"},
        {"txtReview", ""},
        {"cmdBold", "Bold"},
        {"cmdItalics", "Italics"},
        {"cmdUnderline", "Underline"},
        {"Label31", "Comment: In general you don't need to spend a lot of time with the review. One or two paragraphs "
                    "should be enough and then it's time to move to the bonus (the incentive that you're giving to "
                    "those who buy through your affiliate link)."},
        {"Label14", "Your Affiliate Link:"},
        {"txtCTAURL", "http://"},
        {"txtReviewHTML", ""},
        {"Frame5", ""},
        {"Frame4", ""},
        {"lstProductItems", ""},
        {"Label17", "Select a Bonus to Offer For the Affiliate Offer:"},
        {"Label24", "Bonus Headline:"},
        {"txtBonusHeadline", " Get Your Copy with Our Private Bonus! Take a Look:"},
        {"Label29", "Bonus to Offer (Select a Cloud Bonus from the List):"},
        {"cmdProductPreview", "Product Preview"},
        {"Label32", "Want to Use Your Own Bonus?"},
        {"lblCloudvsSelfHostedBonuses", "Using a Cloud Based Bonus vs Your Own Bonus"},
        {"chkUseMyOwnBonus", "Use My Own Bonus"},
        {"Label16(2)", "Bonus Image:"},
        {"lblImage(1)", ""},
        {"cmdCoverSelect(1)", "Select Bonus Image"},
        {"txtProductID", ""},
        {"Label15", "Call to Action Area:"},
        {"Label8", "Title:"},
        {"txtAdTitle", "Yes, Get Your Copy with Our Private Bonus when Buying XYZ Through Our Link:"},
        {"Label9", "Call to Action Button Text:"},
        {"txtCTAText", "Click Here to Buy the XYZ (Includes Our Bonus)"},
        {"Label18", "How to Get Your Bonus - Instructions"},
        {"txtInstructions", ""},
        {"cmdBuiltInBonusInstructions", "Add Built-In Instructions"},
        {"Label2", "PDF Filename:"},
        {"txtPDFFilename", ""},
        {"Label19", ".pdf"},
        {"Label25", "Your Bonus Delivery Url:"},
        {"txtBonusDeliveryUrl", "http://"},
        {"cmdCopyUrlToClipboard", "Copy Url to Clipboard"},
        {"lblBonusDeliveryHelp", "Help"},
        {"lblOwnBonus",
         "Important: You're Using a Custom Bonus. You Need to Use Your Own Delivery Url (not the previous "
         "url - which is for a Cloud Based Bonus)."},
        {"cmdCreate", "Create"},
        {"cmdOutput", "Open Output Folder"},
        {"txtLastPath", ""},
    };
    fx().open();
    for (const auto& row : rows) {
        const QString name = QString::fromLatin1(row.first);
        const QString shown = captionOf(fx().control(name));
        QVERIFY2(shown == QLatin1String(row.second), qPrintable(name + QStringLiteral(" shows \"") + shown + '"'));
    }
}

void TestMainWindow::startUpState()
{
    MainWindow& window = fx().open();
    QCOMPARE(window.objectName(), QStringLiteral("frmMass"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Orvanta 2.4  "));
    QCOMPARE(window.size(), QSize(px(WindowLayout::ClientWidth), px(WindowLayout::ClientHeight)));
    {
        // Page 0 shown, its step marked current; the pages share one top-left corner.
        const QList<bool> notCurrent = {false, true, true};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(page(i)->isVisible(), i == 0);
            QCOMPARE(page(i)->pos(), QPoint(px(WindowLayout::PageLeft), px(WindowLayout::PageTop)));
            QCOMPARE(fx().control(QStringLiteral("vButton(%1)").arg(i))->property("NotCurrent").toBool(),
                     notCurrent[i]);
        }
    }
    QCOMPARE(window.selectedBonusIndex(), -1);
    {
        QVERIFY(fx().control(QStringLiteral("lblPleaseWait"))->isHidden());
        QVERIFY(fx().control(QStringLiteral("lblOwnBonus"))->isHidden());
        QVERIFY(fx().control(QStringLiteral("txtProductID"))->isHidden());
        auto* timer = window.findChild<QTimer*>(QStringLiteral("tmrPleaseWait"));
        QVERIFY(timer);
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 300);
    }
    QVERIFY(fx().platform.messages.isEmpty());
}

void TestMainWindow::startUpWithoutCatalogueFolder()
{
    QVERIFY(QDir(fx().app.file(QStringLiteral("products"))).removeRecursively());
    QVERIFY(QDir(fx().app.file(QStringLiteral("bin"))).removeRecursively());
    fx().open();
    QCOMPARE(fx().control<QListWidget>(QStringLiteral("lstProductItems"))->count(), 0);
    QVERIFY(page(0)->isVisible());
    QVERIFY(fx().platform.messages.isEmpty());
}

void TestMainWindow::startUpWarnsOfUnwritableFolder()
{
    fx().open();
    QTest::qWait(100); // the window's own check, once it has painted itself
    fx().window().warnIfFolderUnwritable();
    QVERIFY2(fx().platform.messages.isEmpty(), "a writable folder is no reason to warn");

    // sysfs refuses new files even to root, which ignores permission bits. The temp folder alone, then bin too.
    const QString bin = fx().app.file(QStringLiteral("bin"));
    const QString temp = fx().app.file(QStringLiteral("temp"));
    for (const QString& refused : {temp, bin}) {
        QVERIFY(QDir(refused).removeRecursively());
        QVERIFY(QFile::link(QStringLiteral("/sys"), refused));
        fx().window().warnIfFolderUnwritable();
        QCOMPARE(fx().platform.messages.last().title, QStringLiteral("Error"));
        QVERIFY(fx().platform.messages.last().text.contains(refused + '\n'));
    }
    QCOMPARE(fx().platform.messages.size(), 2);
    QVERIFY(!fx().platform.messages[0].text.contains(bin));
    // Not started from the package, so its launcher is no remedy.
    QVERIFY(fx().platform.messages[0].text.endsWith(
        QStringLiteral("Copy the folder %1 to a place where you may write and start Orvanta there.")
            .arg(fx().app.path())));

    // A window started on such a folder says so by itself, once it is on show.
    fx().platform.messages.clear();
    fx().open();
    QTRY_COMPARE(fx().platform.messages.size(), 1);
    QVERIFY(fx().platform.messages.first().text.contains(bin + '\n'));
}

void TestMainWindow::navigation_data()
{
    QTest::addColumn<int>("startPage");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("onFrameEdge");
    QTest::addColumn<int>("expectedPage");
    QTest::addColumn<QString>("expectedFocus"); // empty: not checked

    QTest::newRow("step 2 button") << 0 << "vButton(1)" << true << 1 << "txtAdTitle";
    QTest::newRow("step 3 caption") << 0 << "lblButton(2)" << false << 2 << "";
    QTest::newRow("step 1 button from step 3") << 2 << "vButton(0)" << true << 0 << "";
    QTest::newRow("step 3 button again") << 2 << "vButton(2)" << true << 2 << "txtPDFFilename";
    QTest::newRow("step 2 caption again") << 1 << "lblButton(1)" << false << 1 << "txtAdTitle";
    QTest::newRow("step 3 icon does nothing") << 0 << "Image6" << false << 0 << "txtMainTitle";
    QTest::newRow("step 1 icon does nothing") << 1 << "Image2" << false << 1 << "txtCTAText";
}

void TestMainWindow::navigation()
{
    QFETCH(int, startPage);
    QFETCH(QString, target);
    QFETCH(bool, onFrameEdge);
    QFETCH(int, expectedPage);
    QFETCH(QString, expectedFocus);

    MainWindow& window = fx().open();
    window.ShowStep(startPage);
    const QStringList focusedBefore = {"txtMainTitle", "txtCTAText", "txtPDFFilename"};
    fx().control(focusedBefore[startPage])->setFocus();
    QWidget* clicked = fx().control(target);
    // The right edge of a step button is the frame itself, not its caption.
    const QPoint where = onFrameEdge ? QPoint(clicked->width() - 3, clicked->height() / 2) : clicked->rect().center();
    QTest::mouseClick(clicked, Qt::LeftButton, {}, where);

    for (int i = 0; i < 3; ++i) {
        QCOMPARE(page(i)->isVisible(), i == expectedPage);
        QCOMPARE(fx().control(QStringLiteral("vButton(%1)").arg(i))->property("NotCurrent").toBool(),
                 i != expectedPage);
    }
    if (!expectedFocus.isEmpty())
        QCOMPARE(QApplication::focusWidget(), fx().control(expectedFocus));

    // Indexes outside the three pages change nothing.
    window.ShowStep(3);
    window.ShowStep(-1);
    QVERIFY(page(expectedPage)->isVisible());
}

void TestMainWindow::textKeptAcrossPages()
{
    MainWindow& window = fx().open();
    QTest::keyClick(fx().control(QStringLiteral("txtMainTitle")), Qt::Key_End);
    QTest::keyClicks(fx().control(QStringLiteral("txtMainTitle")), QStringLiteral(" 2026"));
    QTest::keyClicks(fx().control(QStringLiteral("txtReview")), QStringLiteral("Good"));
    QTest::keyClick(fx().control(QStringLiteral("txtReview")), Qt::Key_Return);
    QTest::keyClicks(fx().control(QStringLiteral("txtReview")), QStringLiteral("tool"));
    fx().click(QStringLiteral("lblButton(1)"));
    QTest::keyClicks(fx().control(QStringLiteral("txtInstructions")), QStringLiteral("Mail us"));
    fx().click(QStringLiteral("lblButton(2)"));
    QTest::keyClicks(fx().control(QStringLiteral("txtPDFFilename")), QStringLiteral("my review"));
    fx().click(QStringLiteral("lblButton(0)"));
    fx().click(QStringLiteral("lblButton(2)"));

    const PageFields fields = window.pageFields();
    QCOMPARE(fields.mainTitle, QStringLiteral("Product XYZ Review 2026"));
    QCOMPARE(fields.review, QStringLiteral("Good\r\ntool"));
    QCOMPARE(fields.bonusInstructions, QStringLiteral("Mail us"));
    QCOMPARE(fields.pdfFileName, QStringLiteral("my review"));
    QCOMPARE(fields.ctaTitle,
             QStringLiteral("Yes, Get Your Copy with Our Private Bonus when Buying XYZ Through Our Link:"));
    QCOMPARE(fields.ctaUrl, QStringLiteral("http://"));
    QVERIFY(!fields.ownBonus);
    QVERIFY(fields.rawProductId.isEmpty());
}

void TestMainWindow::resizeFigures()
{
    MainWindow& window = fx().open();
    // The figures are for the outer size, frame included.
    const QSize frame = window.frameGeometry().size() - window.size();
    const auto resizeOuter = [&](int widthTwips, int heightTwips) {
        window.resize(px(widthTwips) - frame.width(), px(heightTwips) - frame.height());
    };
    QWidget* title = fx().control(QStringLiteral("txtMainTitle"));
    const QRect titleBefore(title->mapTo(page(0), QPoint()), title->size());
    QLabel* notice = fx().control<QLabel>(QStringLiteral("lblPleaseWait"));
    window.switchPleaseWaitOn();
    window.ShowStep(2);
    {
        resizeOuter(15000, 9000);
        for (int i = 0; i < 3; ++i)
            QTRY_COMPARE(page(i)->size(), QSize(px(14200), px(5410)));
        QCOMPARE(notice->geometry(), QRect(px(8245), px(315), px(5955), px(330)));
    }
    {
        resizeOuter(25500, 12000);
        QTRY_COMPARE(page(0)->size(), QSize(px(24700), px(8410)));
        QCOMPARE(QRect(title->mapTo(page(0), QPoint()), title->size()), titleBefore);
        QCOMPARE(fx().control(QStringLiteral("Picture2"))->width(), window.width());
    }
    {
        // Too small for the pages: they keep their size; the notice moves regardless.
        resizeOuter(600, 3000);
        QTRY_COMPARE(notice->x(), px(600 - 5955 - 800));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(page(i)->size(), QSize(px(24700), px(8410)));
    }
    window.switchPleaseWaitOff();
}

void TestMainWindow::aboutGesture_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("keys");
    QTest::addColumn<bool>("shown");

    QTest::newRow("shift right") << "lblAppName" << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("shift left") << "lblAppName" << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    QTest::newRow("right alone") << "lblAppName" << Qt::RightButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("shift ctrl right") << "lblAppName" << Qt::RightButton
                                      << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier) << false;
    QTest::newRow("shift alt right") << "lblAppName" << Qt::RightButton
                                     << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::AltModifier) << false;
    QTest::newRow("by-line") << "lblBy" << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
}

void TestMainWindow::aboutGesture()
{
    QFETCH(QString, target);
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, keys);
    QFETCH(bool, shown);

    MainWindow& window = fx().open();
    for (int step = 0; step < 3; ++step) {
        window.ShowStep(step);
        QTest::mouseClick(fx().control(target), button, keys);
    }
    const QList<ScriptedPlatform::Message>& messages = fx().platform.messages;
    QCOMPARE(messages.size(), shown ? 3 : 0);
    for (const ScriptedPlatform::Message& message : messages) {
        QCOMPARE(message.text,
                 QStringLiteral("Orvanta 2.4\n\nLicensed to you under a non-exclusive reseller license."));
        QCOMPARE(message.title, QStringLiteral("Non Exclusive Reseller License."));
        QCOMPARE(message.icon, MessageIcon::Information);
        QVERIFY(!message.yesNo);
    }
}

void TestMainWindow::pleaseWaitBlinksUntilSwitchedOff()
{
    MainWindow& window = fx().open();
    QLabel* notice = fx().control<QLabel>(QStringLiteral("lblPleaseWait"));
    auto* timer = window.findChild<QTimer*>(QStringLiteral("tmrPleaseWait"));

    window.switchPleaseWaitOn();
    QVERIFY(timer->isActive());
    QVERIFY(notice->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(notice->isHidden(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 10000);

    // Switching off while the notice shows still leaves it hidden.
    window.switchPleaseWaitOff();
    QVERIFY(!timer->isActive());
    QVERIFY(notice->isHidden());
}

void TestMainWindow::busyButtonsLookDisabled()
{
    // Disabled is not enough: a palette set for every state kept "Create" looking ready for a click.
    MainWindow& window = fx().open();
    window.ShowStep(2);
    const auto look = [&](const char* name) { return fx().button(name)->grab().toImage(); };
    const QImage createEnabled = look("cmdCreate");
    const QImage outputEnabled = look("cmdOutput");
    Q_EMIT window.createCommand().busyChanged(true);
    const QImage createDisabled = look("cmdCreate");
    const QImage outputDisabled = look("cmdOutput");
    Q_EMIT window.createCommand().busyChanged(false);
    QVERIFY(outputDisabled != outputEnabled);
    // Busy, "Create" looks like its disabled neighbour rather than like itself.
    QVERIFY(colourDistance(meanColour(createDisabled), meanColour(outputDisabled)) < 30);
    QVERIFY(colourDistance(meanColour(createEnabled), meanColour(createDisabled)) > 150);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
