#include "CampaignWindowCase.h"

#include "Campaign.h"
#include "CampaignMenu.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

using namespace orvanta::campaign;
using namespace orvanta::finish;

Q_DECLARE_METATYPE(SaveAnswer)

/** The campaign commands as the window wires them: menu, questions, recent campaigns and the messages. */
class TestCampaignWindow final : public CampaignWindowCase {
    Q_OBJECT

private Q_SLOTS:
    void everyFieldSurvivesSaveNewOpen();
    void changeNotice_data();
    void changeNotice();
    void editKeptSavedOrLeft_data();
    void editKeptSavedOrLeft();
    void unknownEngineKeptAndRefused();
    void listFieldsKeptBySaving();
    void openNamesWhatFailed_data();
    void openNamesWhatFailed();
    void missingRecentIsMarkedAndRemovable_data();
    void missingRecentIsMarkedAndRemovable();
    void recentListInMemory();
};

void TestCampaignWindow::everyFieldSurvivesSaveNewOpen()
{
    fx().open();
    fx().fill(WizardInput());
    fx().paste("txtMainTitle", QStringLiteral("Woche \u65E5\u672C"));
    fx().type("txtReview", QStringLiteral("first line\nsecond line"));
    fx().clickTickBox("chkUseMyOwnBonus");
    fx().chooseImage(1, fx().makeImage("own bonus.png", Qt::red));
    fx().type("txtBonusDeliveryUrl", QStringLiteral("https://example.org/mine"));
    fx().clickTickBox("chkFitToContent");
    fx().clickTickBox("chkSaveWebPage");
    fx().clickTickBox("chkQrCode");
    fx().type("txtAffiliateImageAlt", QStringLiteral("The cover"));
    fx().type("txtBonusImageAlt", QStringLiteral("The checklist"));
    auto* language = fx().control<QComboBox>("cboLanguage");
    language->setCurrentIndex(language->findData(QStringLiteral("pt-BR")));
    fx().click("cmdShowReviewBlocks");
    QVERIFY(!fx().control("frReviewBlocks")->isHidden() && fx().control("txtReview")->isHidden());
    fx().control<QDoubleSpinBox>("spnRating")->setValue(4.5);
    fx().type("txtPros", QStringLiteral("fast\ncheap"));
    fx().type("txtCons", QStringLiteral("thin"));
    fx().type("txtVerdict", QStringLiteral("Buy it."));
    auto* engine = fx().control<QComboBox>("cboEngine");
    engine->setCurrentIndex(engine->findText(QStringLiteral("Chromium: accessible, tagged PDF")));
    const Campaign typed = campaigns().campaign();
    QVERIFY(!typed.catalogueEntry.isEmpty() && !typed.productId.isEmpty() && typed.ownBonus);
    QVERIFY(!typed.fitToContent && typed.saveWebPage && typed.qrCode);
    QVERIFY(headerText().contains("unsaved"));

    const QString file = fx().outside.filePath(QStringLiteral("my campaign"));
    fx().platform.pickedFiles.enqueue(file);
    trigger("actSaveCampaignAs");
    QCOMPARE(campaigns().campaignPath(), file + ".orvanta");
    QCOMPARE(headerText(), QStringLiteral("my campaign"));

    trigger("actNewCampaign");
    QVERIFY(campaigns().campaign() == Campaign());
    QVERIFY(fx().control("lblOwnBonus")->isHidden());

    fx().platform.pickedFiles.enqueue(file + ".orvanta");
    trigger("actOpenCampaign");
    QVERIFY(campaigns().campaign() == typed);
    QVERIFY(!campaigns().isModified());
    QVERIFY(!fx().control("lblOwnBonus")->isHidden());
    QCOMPARE(fx().window().pageFields().review, QStringLiteral("first line\r\nsecond line"));
    const PageFields shown = fx().window().pageFields();
    const QStringList blocks{
        shown.affiliateImageAlt, shown.bonusImageAlt, shown.language, shown.rating, shown.pros, shown.cons,
        shown.verdict,           shown.engine};
    QCOMPARE(blocks, QStringList({"The cover", "The checklist", "pt-BR", "4.5", "fast\r\ncheap", "thin", "Buy it.",
                                  "chromium"}));
    QCOMPARE(fx().platform.messages.size(), 0);
}

void TestCampaignWindow::changeNotice_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("changes");
    QTest::newRow("image picked") << "pick" << true;
    QTest::newRow("image pick cancelled") << "cancel" << false;
    QTest::newRow("the saved image picked again") << "pick again" << false;
    QTest::newRow("image dropped") << "drop" << true;
    QTest::newRow("catalogue bonus chosen") << "bonus" << true;
    // 0 is the lowest rating, not "no rating".
    QTest::newRow("a rating of 0") << "rating 0" << true;
}

// The campaign and the page preview follow one notice: what marks the campaign also renders the preview again.
void TestCampaignWindow::changeNotice()
{
    QFETCH(QString, step);
    QFETCH(bool, changes);
    fx().open();
    const QString image = fx().makeImage("cover.png", Qt::blue);
    if (step == "pick again") {
        fx().chooseImage(0, image);
        fx().platform.pickedFiles.enqueue(fx().outside.filePath("with cover.orvanta"));
        trigger("actSaveCampaignAs");
        QVERIFY(!campaigns().isModified());
    }
    QSignalSpy notices(&fx().window(), &MainWindow::fieldsChanged);
    if (step == "pick" || step == "pick again") {
        fx().chooseImage(0, image);
    } else if (step == "cancel") {
        fx().click("cmdCoverSelect(0)");
    } else if (step == "drop") {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(image)});
        QWidget* label = fx().control("lblImage(0)");
        QDragEnterEvent enter(label->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &enter);
        QDropEvent dropped(label->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &dropped);
    } else if (step == "rating 0") {
        fx().click("cmdShowReviewBlocks");
        fx().control<QDoubleSpinBox>("spnRating")->setValue(0);
        QCOMPARE(campaigns().campaign().rating, QStringLiteral("0"));
    } else {
        fx().window().ShowStep(1);
        fx().selectBonus(WindowFixture::BonusRow);
    }
    QCOMPARE(!notices.isEmpty(), changes);
    QCOMPARE(campaigns().isModified(), changes);
    QCOMPARE(headerText().contains("unsaved"), changes);
}

void TestCampaignWindow::editKeptSavedOrLeft_data()
{
    QTest::addColumn<QString>("command");   // "close", or the menu command
    QTest::addColumn<SaveAnswer>("answer"); // to "save the changes?", which leaving the campaign asks
    QTest::addColumn<QString>("typed");     // the name given in the file dialog; empty: cancelled
    QTest::addColumn<QString>("existing");  // a file there before, or none
    QTest::addColumn<bool>("replace");      // the answer to "replace it?"
    QTest::addColumn<QString>("savedAs");   // the file written, or none
    QTest::addColumn<bool>("leaves");       // the window closes or the campaign is left
    QTest::addColumn<QString>("header");    // while the window shows the campaign
    const QString unsaved = QStringLiteral("Untitled  \u2022 unsaved changes");
    const SaveAnswer save = SaveAnswer::Save;
    const SaveAnswer discard = SaveAnswer::Discard;
    const SaveAnswer cancel = SaveAnswer::Cancel;
    QTest::newRow("close, Save") << "close" << save << "closing"
                                 << "" << false << "closing.orvanta" << true << "";
    QTest::newRow("close, Save, then the file dialog cancelled") << "close" << save << ""
                                                                 << "" << false << "" << false << unsaved;
    QTest::newRow("close, Discard") << "close" << discard << ""
                                    << "" << false << "" << true << "";
    QTest::newRow("close, Cancel") << "close" << cancel << ""
                                   << "" << false << "" << false << unsaved;
    QTest::newRow("New, Discard") << "actNewCampaign" << discard << ""
                                  << "" << false << "" << true << "";
    QTest::newRow("New, Cancel") << "actNewCampaign" << cancel << ""
                                 << "" << false << "" << false << unsaved;
    const QString saveAs = QStringLiteral("actSaveCampaignAs");
    QTest::newRow("Save As taken, Yes replaces") << saveAs << save << "taken"
                                                 << "taken.orvanta" << true << "taken.orvanta" << false << "taken";
    QTest::newRow("Save As taken, No leaves it") << saveAs << save << "taken"
                                                 << "taken.orvanta" << false << "" << false << unsaved;
    QTest::newRow("Save As, upper-case suffix kept") << saveAs << save << "Upper.ORVANTA"
                                                     << "" << false << "Upper.ORVANTA" << false << "Upper";
    QTest::newRow("Save As, a name like markup shown as typed")
        << saveAs << save << "<b>Sale"
        << "" << false << "<b>Sale.orvanta" << false << "<b>Sale";
}

void TestCampaignWindow::editKeptSavedOrLeft()
{
    QFETCH(QString, command);
    QFETCH(SaveAnswer, answer);
    QFETCH(QString, typed);
    QFETCH(QString, existing);
    QFETCH(bool, replace);
    QFETCH(QString, savedAs);
    QFETCH(bool, leaves);
    QFETCH(QString, header);
    fx().open();
    const QByteArray before = "not to be lost";
    if (!existing.isEmpty())
        writeFile(fx().outside.filePath(existing), before);
    fx().type("txtMainTitle", QStringLiteral("edited"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(campaigns().recoveryCopyPath()), 10000);
    const bool asking = command != "actSaveCampaignAs";
    if (asking)
        fx().platform.saveAnswers.enqueue(answer);
    fx().platform.answers.enqueue(replace);
    if (!typed.isEmpty())
        fx().platform.pickedFiles.enqueue(fx().outside.filePath(typed));

    if (command == "close") {
        QCOMPARE(fx().window().close(), leaves);
        QCOMPARE(fx().window().isVisible(), !leaves);
    } else {
        trigger(command);
    }
    QCOMPARE(fx().platform.saveQuestions.size(), asking ? 1 : 0);
    QCOMPARE(fx().platform.messages.size(), existing.isEmpty() ? 0 : 1);
    QStringList files{existing, savedAs};
    files.removeAll(QString());
    files.removeDuplicates();
    QCOMPARE(QDir(fx().outside.path()).entryList(QDir::Files), files);
    if (savedAs.isEmpty()) {
        if (!existing.isEmpty())
            QCOMPARE(bytesOf(fx().outside.filePath(existing)), before);
        QCOMPARE(campaigns().campaignPath(), QString());
    } else {
        QCOMPARE(CampaignFile::read(fx().outside.filePath(savedAs))->campaign.mainTitle, QStringLiteral("edited"));
        QCOMPARE(campaigns().campaignPath(), fx().outside.filePath(savedAs));
    }
    // Work saved or left behind leaves nothing in the recovery folder, no note and no lock; work kept keeps its copy.
    const bool kept = !leaves && savedAs.isEmpty();
    QCOMPARE(recoveryFiles().isEmpty(), !kept);
    QCOMPARE(QFileInfo::exists(campaigns().recoveryCopyPath()), kept);
    QCOMPARE(campaigns().campaign().mainTitle == QStringLiteral("edited"), !leaves || command == "close");
    if (!leaves) {
        QCOMPARE(campaigns().isModified(), savedAs.isEmpty());
        QCOMPARE(headerText(), header);
    }
}

// The window keeps a name its list lacks, so saving gives it back and Create says what is wrong with it.
void TestCampaignWindow::unknownEngineKeptAndRefused()
{
    fx().open();
    fx().fill(WizardInput());
    Campaign campaign = campaigns().campaign();
    campaign.engine = QStringLiteral("prince");
    const QString file = fx().outside.filePath("prince.orvanta");
    QVERIFY(CampaignFile::write(file, campaign).ok());
    fx().platform.saveAnswers.enqueue(SaveAnswer::Discard);
    fx().platform.pickedFiles.enqueue(file);
    trigger("actOpenCampaign");
    QCOMPARE(fx().window().pageFields().engine, QStringLiteral("prince"));
    trigger("actSaveCampaign");
    QCOMPARE(CampaignFile::read(file)->campaign.engine, QStringLiteral("prince"));
    QVERIFY(fx().create());
    QCOMPARE(fx().messagesTitled("Missing Info"),
             QStringList{"The engine \"prince\" is unknown: a campaign is made with wkhtmltopdf or chromium."});
}

// No page shows what a list reads of a campaign; saving in the window keeps it all the same.
void TestCampaignWindow::listFieldsKeptBySaving()
{
    fx().open();
    fx().fill(WizardInput());
    Campaign campaign = campaigns().campaign();
    campaign.price = "$29", campaign.bestFor = "cooks";
    const QString file = fx().outside.filePath("priced.orvanta");
    QVERIFY(CampaignFile::write(file, campaign).ok());
    fx().platform.saveAnswers.enqueue(SaveAnswer::Discard);
    fx().platform.pickedFiles.enqueue(file);
    trigger("actOpenCampaign");
    fx().type("txtMainTitle", QStringLiteral("edited"));
    trigger("actSaveCampaign");
    const Campaign saved = CampaignFile::read(file)->campaign;
    QCOMPARE(QStringList({saved.mainTitle, saved.price, saved.bestFor}), QStringList({"edited", "$29", "cooks"}));
}

void TestCampaignWindow::openNamesWhatFailed_data()
{
    QTest::addColumn<bool>("broken");
    QTest::addColumn<QStringList>("named"); // besides the file
    QTest::newRow("not a campaign: the window keeps its own") << true << QStringList();
    QTest::newRow("parts missing: the rest filled, each named in one message")
        << false << QStringList{"No Such Bonus", "gone cover.png", "gone bonus.png"};
}

void TestCampaignWindow::openNamesWhatFailed()
{
    QFETCH(bool, broken);
    QFETCH(QStringList, named);
    fx().open();
    fx().type("txtMainTitle", QStringLiteral("mine"));
    const Campaign before = campaigns().campaign();
    const QString file = fx().outside.filePath("old.orvanta");
    if (broken) {
        writeFile(file, "{\"format\": \"orvanta-campaign\", ");
    } else {
        Campaign campaign;
        campaign.mainTitle = QStringLiteral("still filled");
        campaign.catalogueEntry = named.at(0);
        campaign.affiliateImagePath = fx().outside.filePath(named.at(1));
        campaign.ownBonusImagePath = fx().outside.filePath(named.at(2));
        QVERIFY(CampaignFile::write(file, campaign).ok());
    }
    fx().platform.saveAnswers.enqueue(SaveAnswer::Discard);
    fx().platform.pickedFiles.enqueue(file);
    trigger("actOpenCampaign");
    QCOMPARE(fx().platform.messages.size(), 1);
    const QString text = fx().platform.messages.first().text;
    for (const QString& part : named + QStringList{file})
        QVERIFY2(text.contains(part), qPrintable(text));
    if (broken) {
        QVERIFY(campaigns().campaign() == before);
        QCOMPARE(campaigns().campaignPath(), QString());
    } else {
        QCOMPARE(campaigns().campaign().mainTitle, QStringLiteral("still filled"));
        QCOMPARE(fx().window().selectedBonusIndex(), -1);
    }
}

void TestCampaignWindow::missingRecentIsMarkedAndRemovable_data()
{
    QTest::addColumn<bool>("remove");
    QTest::newRow("Yes removes it") << true;
    QTest::newRow("No keeps it") << false;
}

void TestCampaignWindow::missingRecentIsMarkedAndRemovable()
{
    QFETCH(bool, remove);
    fx().open();
    const QString file = fx().outside.filePath(QStringLiteral("week 7 & more.orvanta"));
    fx().platform.pickedFiles.enqueue(file);
    trigger("actSaveCampaignAs");
    QVERIFY(QFile::remove(file));
    fx().open(); // the list is read again at start-up
    auto* recent = fx().window().findChild<QMenu*>(QStringLiteral("mnuRecentCampaigns"));
    Q_EMIT recent->aboutToShow();
    QAction* entry = recent->actions().first();
    QVERIFY2(entry->text().contains("week 7 && more") && entry->text().contains("missing"), qPrintable(entry->text()));
    fx().platform.answers.enqueue(remove);
    entry->trigger();
    QCOMPARE(fx().platform.messages.size(), 1);
    QCOMPARE(campaigns().campaign().mainTitle, Campaign().mainTitle);
    // Also as the next start reads it.
    for (int start = 0; start < 2; ++start) {
        Q_EMIT recent->aboutToShow();
        QCOMPARE(recent->actions().first()->isEnabled(), !remove); // or "No recent campaigns"
        if (!remove)
            QVERIFY(recent->actions().first()->text().contains("week 7 && more"));
        fx().open();
        recent = fx().window().findChild<QMenu*>(QStringLiteral("mnuRecentCampaigns"));
    }
}

// Which campaigns the list keeps, and in what order, is the list's own rule; here, that the window's saves reach it.
void TestCampaignWindow::recentListInMemory()
{
    fx().open();
    // A second window on the folder, started before the saves of the first.
    MainWindow other(fx().platform, fx().app.path());
    for (const char* name : {"c1", "c2", "c3", "c1"}) {
        fx().platform.pickedFiles.enqueue(fx().outside.filePath(QLatin1String(name) + ".orvanta"));
        trigger("actSaveCampaignAs");
    }
    auto* recent = fx().window().findChild<QMenu*>(QStringLiteral("mnuRecentCampaigns"));
    const auto entries = [recent] {
        QStringList names;
        for (const QAction* action : recent->actions())
            names << action->text().section(' ', 0, 0);
        return names;
    };
    const QStringList expected{"c1", "c3", "c2"};
    // As the window holds it, then as it holds it once stored.
    QCOMPARE(entries().mid(0, 3), expected);
    QTRY_VERIFY(campaigns().isIdle());
    Q_EMIT recent->aboutToShow();
    QCOMPARE(entries().mid(0, 3), expected);

    // The second window adds its own without dropping the first one's.
    fx().platform.pickedFiles.enqueue(fx().outside.filePath("Alpha"));
    other.findChild<QAction*>("actSaveCampaignAs")->trigger();
    QTRY_VERIFY(other.campaigns().isIdle());
    Q_EMIT recent->aboutToShow();
    QCOMPARE(entries().mid(0, 4), (QStringList{"Alpha", "c1", "c3", "c2"}));
}

QTEST_MAIN(TestCampaignWindow)
#include "tst_campaignwindow.moc"
