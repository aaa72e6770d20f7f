#include "Catalogue.h"
#include "WindowTestCase.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace orvanta::campaign;

class TestBonusPage final : public WindowTestCase {
    Q_OBJECT

public:
    TestBonusPage()
        : WindowTestCase(false)
    {
    }

private Q_SLOTS:
    void catalogueSelection();
    void catalogueKeyboardAndFocus();
    void copyDeliveryUrl();
    void ownBonusWarning();
    void infoMessages_data();
    void infoMessages();
    void builtInInstructions();

private:
    /** Replaces the shipped catalogue with @p files (name, content). */
    void writeCatalogue(const QList<QPair<QString, QByteArray>>& files) const;
    QListWidget* list() const;
    QString deliveryUrl() const;
};

void TestBonusPage::writeCatalogue(const QList<QPair<QString, QByteArray>>& files) const
{
    QVERIFY(QDir(fx().app.file(QStringLiteral("products"))).removeRecursively());
    for (const auto& file : files)
        fx().app.write(QStringLiteral("products/") + file.first, file.second);
}

QListWidget* TestBonusPage::list() const
{
    return fx().control<QListWidget>(QStringLiteral("lstProductItems"));
}

QString TestBonusPage::deliveryUrl() const
{
    return fx().control<QLineEdit>(QStringLiteral("txtBonusDeliveryUrl"))->text();
}

void TestBonusPage::catalogueSelection()
{
    writeCatalogue({{"Gone.txt", "G1"},
                    {"Beta.txt", "BETA-7"},
                    {"readme.pdf", "%PDF"},
                    {"Empty.txt", ""},
                    {"Alpha.txt", "AB12\r\n"},
                    {"notes.txt.bak", "x"}});
    fx().open();
    fx().click(QStringLiteral("lblButton(1)"));
    {
        QStringList entries;
        for (int row = 0; row < list()->count(); ++row)
            entries << list()->item(row)->text();
        QCOMPARE(entries, QStringList({"Alpha", "Beta", "Empty", "Gone"}));
        QCOMPARE(fx().window().selectedBonusIndex(), -1);
    }
    {
        fx().selectBonus(0);
        QCOMPARE(fx().window().selectedBonusIndex(), 0);
        QCOMPARE(fx().window().pageFields().rawProductId, QStringLiteral("AB12\r\n"));
        QCOMPARE(Catalogue::cleanProductId(fx().window().pageFields().rawProductId), QStringLiteral("AB12"));
        QCOMPARE(deliveryUrl(), DeliveryUrl::baseUrl() + QStringLiteral("AB12.html"));
    }
    {
        // A typed URL is replaced by the next choice, also when the same entry is clicked again.
        QLineEdit* url = fx().control<QLineEdit>(QStringLiteral("txtBonusDeliveryUrl"));
        url->setText(QStringLiteral("https://example.org/mine.html"));
        fx().selectBonus(1);
        QCOMPARE(fx().window().pageFields().rawProductId, QStringLiteral("BETA-7"));
        url->setText(QStringLiteral("https://example.org/mine.html"));
        fx().selectBonus(1);
        QCOMPARE(fx().window().selectedBonusIndex(), 1);
        QCOMPARE(deliveryUrl(), DeliveryUrl::baseUrl() + QStringLiteral("BETA-7.html"));
    }
    {
        // Ctrl+click cannot clear a choice.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list()->visualItemRect(list()->item(1)).center());
        QCOMPARE(fx().window().selectedBonusIndex(), 1);
    }
    {
        fx().selectBonus(2);
        QVERIFY(fx().window().pageFields().rawProductId.isEmpty());
        QCOMPARE(deliveryUrl(), QStringLiteral("Not Available Yet"));
    }
    {
        QVERIFY(QFile::remove(fx().app.file(QStringLiteral("products/Gone.txt"))));
        fx().selectBonus(0);
        fx().selectBonus(3);
        QVERIFY(fx().window().pageFields().rawProductId.isEmpty());
        QCOMPARE(deliveryUrl(), QStringLiteral("Not Available Yet"));
    }
    QVERIFY(fx().platform.messages.isEmpty());
}

void TestBonusPage::catalogueKeyboardAndFocus()
{
    writeCatalogue({{"Alpha.txt", "A1"}, {"Beta.txt", "B2"}});
    fx().open();
    fx().click(QStringLiteral("lblButton(1)"));
    {
        // Tabbing into the list marks an entry but chooses none.
        QWidget* before = fx().control(QStringLiteral("txtBonusHeadline"));
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), list());
        QCOMPARE(fx().window().selectedBonusIndex(), -1);
        QVERIFY(fx().window().pageFields().rawProductId.isEmpty());
        QCOMPARE(deliveryUrl(), QStringLiteral("http://"));
    }
    fx().selectBonus(0);
    QTest::keyClick(list(), Qt::Key_Down);
    QCOMPARE(fx().window().selectedBonusIndex(), 1);
    QCOMPARE(fx().window().pageFields().rawProductId, QStringLiteral("B2"));
    QCOMPARE(deliveryUrl(), DeliveryUrl::baseUrl() + QStringLiteral("B2.html"));
}

void TestBonusPage::copyDeliveryUrl()
{
    fx().open();
    fx().click(QStringLiteral("lblButton(2)"));
    fx().click(QStringLiteral("cmdCopyUrlToClipboard"));
    QLineEdit* url = fx().control<QLineEdit>(QStringLiteral("txtBonusDeliveryUrl"));
    url->selectAll();
    QTest::keyClicks(url, QStringLiteral("https://my.site/b.html"));
    fx().click(QStringLiteral("cmdCopyUrlToClipboard"));

    QCOMPARE(fx().platform.clipboard, QStringList({"http://", "https://my.site/b.html"}));
    QCOMPARE(fx().platform.messages.size(), 2);
    for (const ScriptedPlatform::Message& message : fx().platform.messages) {
        QCOMPARE(message.text, QStringLiteral("Done! Url copied to clipboard."));
        QCOMPARE(message.title, QStringLiteral("Done"));
        QCOMPARE(message.icon, MessageIcon::Information);
    }
}

void TestBonusPage::ownBonusWarning()
{
    fx().open();
    QWidget* warning = fx().control(QStringLiteral("lblOwnBonus"));
    fx().click(QStringLiteral("lblButton(1)"));
    fx().click(QStringLiteral("chkUseMyOwnBonus"));
    fx().click(QStringLiteral("lblButton(2)"));
    QVERIFY(warning->isVisible());
    QVERIFY(fx().window().pageFields().ownBonus);
    QCOMPARE(deliveryUrl(), QStringLiteral("http://"));

    fx().click(QStringLiteral("lblButton(1)"));
    fx().click(QStringLiteral("chkUseMyOwnBonus"));
    fx().click(QStringLiteral("lblButton(2)"));
    QVERIFY(!warning->isVisible());
    QVERIFY(!fx().window().pageFields().ownBonus);
    QCOMPARE(deliveryUrl(), QStringLiteral("http://"));
}

void TestBonusPage::infoMessages_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    QTest::newRow("cloud vs own")
        << 1 << "lblCloudvsSelfHostedBonuses"
        << "Using a 'Cloud Bonus' (one from the list), means that A) The sales page of the bonus is already prepared + "
           "B) The Bonus Delivery Page is already available online. After selecting a Cloud Based Bonus the software "
           "will take care of everything (you'll just get a bonus delivery url to add to your affiliate promo and "
           "that's all). If you want to use your custom bonus, you will need to take care of those things: You will "
           "have to provide a graphical sales page of the bonus + you will have to prepare and upload the bonus "
           "delivery page to your website.";
    QTest::newRow("delivery help")
        << 2 << "lblBonusDeliveryHelp"
        << "Most affiliate platforms (JVZoo, WarriorPlus etc) will allow you to add your bonus url to your affiliate "
           "campaign (this url will be automatically delivered to those who buy the product through your affiliate "
           "link). If your affiliate network does not include this feature, you will have to manually deliver this "
           "url to those who buy through your link.";
}

void TestBonusPage::infoMessages()
{
    QFETCH(int, step);
    QFETCH(QString, label);
    QFETCH(QString, text);

    fx().open().ShowStep(step);
    QTest::mouseClick(fx().control(label), Qt::RightButton);
    QVERIFY(fx().platform.messages.isEmpty());
    fx().click(label);
    QCOMPARE(fx().platform.messages.size(), 1);
    QCOMPARE(fx().platform.messages.first().text, text);
    QCOMPARE(fx().platform.messages.first().title, QStringLiteral("Info"));
    QCOMPARE(fx().platform.messages.first().icon, MessageIcon::Information);
}

void TestBonusPage::builtInInstructions()
{
    fx().app.write(QStringLiteral("bin/bonusdownloadinstructions.txt"), "Step one\r\nStep two\r\n");
    fx().open();
    fx().click(QStringLiteral("lblButton(1)"));
    auto* box = fx().control<QPlainTextEdit>(QStringLiteral("txtInstructions"));
    QTest::keyClicks(box, QStringLiteral("typed by hand"));
    fx().click(QStringLiteral("cmdBuiltInBonusInstructions"));
    fx().click(QStringLiteral("cmdBuiltInBonusInstructions"));
    QCOMPARE(box->toPlainText(), QStringLiteral("Step one\nStep two\n"));
    QCOMPARE(fx().window().pageFields().bonusInstructions, QStringLiteral("Step one\r\nStep two\r\n"));

    QVERIFY(QFile::remove(fx().app.file(QStringLiteral("bin/bonusdownloadinstructions.txt"))));
    fx().window().addBuiltInInstructions();
    QVERIFY(box->toPlainText().isEmpty());
    QVERIFY(fx().platform.messages.isEmpty());
}

QTEST_MAIN(TestBonusPage)
#include "tst_bonuspage.moc"
