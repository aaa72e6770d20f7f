#include "CreateCommand.h"
#include "WindowLayout.h"
#include "WindowTestCase.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
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
} // namespace

/** The window at start-up: its captions and state, and what it says when its folders are missing or locked. */
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
    void iconsDraw();

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

// The icons are SVG: without Qt's SVG image plugin (its own package on Debian 13) the window shows none.
void TestMainWindow::iconsDraw()
{
    const QStringList icons = QDir(QStringLiteral(":/icons")).entryList(QDir::Files);
    QVERIFY(!icons.isEmpty());
    for (const QString& name : icons)
        QVERIFY2(!QIcon(QStringLiteral(":/icons/") + name).pixmap(32, 32).isNull(), qPrintable(name));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
