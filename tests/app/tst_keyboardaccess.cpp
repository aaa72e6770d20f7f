#include "WindowTestCase.h"

#include "Campaign.h"
#include "CampaignController.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

class TestKeyboardAccess final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void tabOrder_data();
    void tabOrder();
    void mnemonics_data();
    void mnemonics();
    void accessibleNames_data();
    void accessibleNames();
    void everyControlIsNamed();
    void linksFollowKeys_data();
    void linksFollowKeys();
    void trackingTagsPanel();
};

void TestKeyboardAccess::tabOrder_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QStringList>("order");

    const QStringList steps = {"vButton(0)", "vButton(1)", "vButton(2)"};
    QTest::newRow("step 1") << 0 << steps + QStringList{"txtMainTitle",     "cmdCoverSelect(0)", "txtAffiliateImageAlt",
                                                        "cboLanguage",      "cmdShowReview",     "cmdBold",
                                                        "cmdItalics",       "cmdUnderline",      "txtReview",
                                                        "txtBonusImageAlt", "txtCTAURL",         "cmdTrackingTags",
                                                        "txtSlug",          "cmdCampaign",       "cmdPagePreview",
                                                        "cmdDesign"};
    QTest::newRow("step 2") << 1 << steps + QStringList{"txtBonusHeadline",  "lstProductItems",
                                                        "cmdProductPreview", "lblCloudvsSelfHostedBonuses",
                                                        "chkUseMyOwnBonus",  "cmdCoverSelect(1)",
                                                        "txtAdTitle",        "txtCTAText",
                                                        "txtInstructions",   "cmdBuiltInBonusInstructions",
                                                        "cmdCampaign",       "cmdPagePreview",
                                                        "cmdDesign"};
    QTest::newRow("step 3") << 2 << steps + QStringList{"txtPDFFilename",
                                                        "txtBonusDeliveryUrl",
                                                        "cmdCopyUrlToClipboard",
                                                        "lblBonusDeliveryHelp",
                                                        "cmdCreate",
                                                        "cmdOutput",
                                                        "chkFitToContent",
                                                        "chkSaveWebPage",
                                                        "chkOptimiseImages",
                                                        "chkQrCode",
                                                        "cboEngine",
                                                        "chkRunWithoutSandbox",
                                                        "cmdCampaign",
                                                        "cmdPagePreview",
                                                        "cmdDesign"};
}

void TestKeyboardAccess::tabOrder()
{
    QFETCH(int, step);
    QFETCH(QStringList, order);

    fx().window().ShowStep(step);
    fx().control(order.first())->setFocus(Qt::TabFocusReason);
    QStringList visited;
    // One round and back to the start: Tab passes only the controls of the page shown.
    for (int press = 0; press <= order.size(); ++press) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, order + QStringList{order.first()});
}

void TestKeyboardAccess::mnemonics_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("label");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("caption"); // as the user reads it

    QTest::newRow("main title") << 0 << "Label1" << Qt::Key_M << "txtMainTitle"
                                << "Main Title:";
    QTest::newRow("review") << 0 << "Label30" << Qt::Key_R << "txtReview"
                            << "Quick Affiliate Review:";
    QTest::newRow("affiliate link") << 0 << "Label14" << Qt::Key_L << "txtCTAURL"
                                    << "Your Affiliate Link:";
    QTest::newRow("bonus headline") << 1 << "Label24" << Qt::Key_H << "txtBonusHeadline"
                                    << "Bonus Headline:";
    QTest::newRow("catalogue") << 1 << "Label29" << Qt::Key_O << "lstProductItems"
                               << "Bonus to Offer (Select a Cloud Bonus from the List):";
    QTest::newRow("call to action title") << 1 << "Label8" << Qt::Key_T << "txtAdTitle"
                                          << "Title:";
    QTest::newRow("button text") << 1 << "Label9" << Qt::Key_B << "txtCTAText"
                                 << "Call to Action Button Text:";
    QTest::newRow("instructions") << 1 << "Label18" << Qt::Key_G << "txtInstructions"
                                  << "How to Get Your Bonus - Instructions";
    QTest::newRow("pdf name") << 2 << "Label2" << Qt::Key_F << "txtPDFFilename"
                              << "PDF Filename:";
    QTest::newRow("delivery url") << 2 << "Label25" << Qt::Key_D << "txtBonusDeliveryUrl"
                                  << "Your Bonus Delivery Url:";
    QTest::newRow("product image opens the picker") << 0 << "Label3" << Qt::Key_I << "cmdCoverSelect(0)"
                                                    << "Affiliate Offer Image (Product Cover etc):";
    QTest::newRow("bonus image opens the picker") << 1 << "Label16(2)" << Qt::Key_I << "cmdCoverSelect(1)"
                                                  << "Bonus Image:";
    QTest::newRow("picture description") << 0 << "lblAffiliateImageAlt" << Qt::Key_E << "txtAffiliateImageAlt"
                                         << "Picture description:";
    QTest::newRow("language") << 0 << "lblLanguage" << Qt::Key_G << "cboLanguage"
                              << "Language:";
    QTest::newRow("engine") << 2 << "lblEngine" << Qt::Key_E << "cboEngine"
                            << "PDF engine:";
}

void TestKeyboardAccess::mnemonics()
{
    QFETCH(int, step);
    QFETCH(QString, label);
    QFETCH(Qt::Key, key);
    QFETCH(QString, field);
    QFETCH(QString, caption);

    auto* captionLabel = fx().control<QLabel>(label);
    QCOMPARE(captionLabel->text().remove(QLatin1Char('&')), caption);
    QCOMPARE(captionLabel->buddy(), fx().control(field));

    fx().window().ShowStep(step);
    // Start elsewhere on the page, so the key must move the focus.
    const QStringList elsewhere = {"txtCTAURL", "txtCTAText", "txtPDFFilename"};
    const QString start = field == elsewhere[step] ? QStringLiteral("vButton(0)") : elsewhere[step];
    fx().control(start)->setFocus();
    QTest::keyClick(&fx().window(), key, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), fx().control(field));
    // A label bound to a button presses it.
    const bool isButton = qobject_cast<QAbstractButton*>(fx().control(field)) != nullptr;
    QTRY_COMPARE_WITH_TIMEOUT(fx().platform.filePicks.size(), isButton ? 1 : 0, 10000);
}

void TestKeyboardAccess::accessibleNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    QTest::newRow("step button") << "vButton(1)"
                                 << "Step 2: Select A Bonus";
    QTest::newRow("step icon") << "Image6"
                               << "Step 3 icon";
    QTest::newRow("logo") << "imgLogo"
                          << "Orvanta logo";
    QTest::newRow("product image path") << "lblImage(0)"
                                        << "Affiliate offer image file";
    QTest::newRow("bonus image path") << "lblImage(1)"
                                      << "Own bonus image file";
    QTest::newRow("image button") << "cmdCoverSelect(1)"
                                  << "Select Bonus Image";
    QTest::newRow("text box named by its label") << "txtCTAURL"
                                                 << "Your Affiliate Link";
    QTest::newRow("review named by its label") << "txtReview"
                                               << "Quick Affiliate Review";
    QTest::newRow("list named by its label") << "lstProductItems"
                                             << "Bonus to Offer (Select a Cloud Bonus from the List)";
    QTest::newRow("check box") << "chkUseMyOwnBonus"
                               << "Use My Own Bonus";
    QTest::newRow("link") << "lblBonusDeliveryHelp"
                          << "Help";
    QTest::newRow("create") << "cmdCreate"
                            << "Create";
}

void TestKeyboardAccess::accessibleNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QCOMPARE(fx().control(control)->accessibleName(), name);
}

void TestKeyboardAccess::everyControlIsNamed()
{
    QStringList unnamed;
    for (QWidget* widget : fx().window().findChildren<QWidget*>()) {
        const bool takesInput = widget->focusPolicy() != Qt::NoFocus && !widget->isHidden();
        const auto* label = qobject_cast<QLabel*>(widget);
        const bool isImage = label && !label->pixmap().isNull();
        const bool isPathLabel = widget->objectName().startsWith(QLatin1String("lblImage("));
        if ((takesInput || isImage || isPathLabel) && widget->accessibleName().isEmpty())
            unnamed << widget->objectName() + QLatin1Char(' ') + QLatin1String(widget->metaObject()->className());
    }
    // A popup list is met on its own once opened, whether or not Qt has made it yet.
    for (QComboBox* box : fx().window().findChildren<QComboBox*>())
        if (box->view()->accessibleName().isEmpty())
            unnamed << box->objectName() + QLatin1String(" popup list");
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));

    // The current step says so to a screen reader.
    fx().window().ShowStep(2);
    QCOMPARE(fx().control(QStringLiteral("vButton(2)"))->accessibleDescription(), QStringLiteral("Current step"));
    QVERIFY(fx().control(QStringLiteral("vButton(0)"))->accessibleDescription().isEmpty());
}

void TestKeyboardAccess::linksFollowKeys_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("link");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("follows");

    QTest::newRow("space on the bonus link") << 1 << "lblCloudvsSelfHostedBonuses" << Qt::Key_Space << true;
    QTest::newRow("return on help") << 2 << "lblBonusDeliveryHelp" << Qt::Key_Return << true;
    QTest::newRow("a letter does nothing") << 2 << "lblBonusDeliveryHelp" << Qt::Key_H << false;
}

void TestKeyboardAccess::linksFollowKeys()
{
    QFETCH(int, step);
    QFETCH(QString, link);
    QFETCH(Qt::Key, key);
    QFETCH(bool, follows);

    fx().window().ShowStep(step);
    fx().control(link)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(fx().control(link), key);
    QCOMPARE(fx().platform.messages.size(), follows ? 1 : 0);
    if (follows)
        QCOMPARE(fx().platform.messages[0].title, QStringLiteral("Info"));
}

// The tags drop down from their button: typed into, gone round with Tab and Shift+Tab, closed with Escape, and
// found by a screen reader below the button while open.
void TestKeyboardAccess::trackingTagsPanel()
{
    const QStringList tags = {"utm_source", "utm_medium", "utm_campaign", "utm_content", "utm_term"};
    QWidget* button = fx().control(QStringLiteral("cmdTrackingTags"));
    button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button, Qt::Key_Space);
    QWidget* panel = fx().control(QStringLiteral("frTrackingTags"));
    QTRY_VERIFY(panel->isVisible());

    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(button);
    QVERIFY(reader->state().expanded);
    QAccessibleInterface* dropped = reader->child(reader->childCount() - 1);
    QVERIFY(dropped && dropped->object() == panel);
    QCOMPARE(reader->indexOfChild(dropped), reader->childCount() - 1);
    QStringList heard;
    for (int i = 0; i < dropped->childCount(); ++i)
        if (dropped->child(i)->role() == QAccessible::EditableText)
            heard << dropped->child(i)->text(QAccessible::Name);
    QCOMPARE(heard.size(), tags.size());

    QStringList visited;
    for (const QString& tag : tags) {
        visited << QApplication::focusWidget()->objectName();
        QCOMPARE(QApplication::focusWidget()->accessibleName(), QStringLiteral("Tracking tag ") + tag);
        QTest::keyClicks(QApplication::focusWidget(), tag.mid(4));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited,
             QStringList({"txt_utm_source", "txt_utm_medium", "txt_utm_campaign", "txt_utm_content", "txt_utm_term"}));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txt_utm_source"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txt_utm_term"));
    const Campaign typed = fx().window().campaigns().campaign();
    QCOMPARE(QStringList({typed.utmSource, typed.utmMedium, typed.utmCampaign, typed.utmContent, typed.utmTerm}),
             QStringList({"source", "medium", "campaign", "content", "term"}));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!panel->isVisible());
    QCOMPARE(QApplication::focusWidget(), button);
    QVERIFY(!reader->state().expanded);
}

QTEST_MAIN(TestKeyboardAccess)
#include "tst_keyboardaccess.moc"
