#include "Catalogue.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStandardPaths>

class TestBonusPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
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
    void clickEntry(int row) const;
    QListWidget* list() const;
    QString deliveryUrl() const;

    std::unique_ptr<WindowFixture> m_fx;
};

void TestBonusPage::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestBonusPage::init()
{
    m_fx = std::make_unique<WindowFixture>();
    QVERIFY(m_fx->folder.isValid());
}

void TestBonusPage::cleanup()
{
    m_fx.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestBonusPage::writeCatalogue(const QList<QPair<QString, QByteArray>>& files) const
{
    QVERIFY(QDir(m_fx->folder.file(QStringLiteral("products"))).removeRecursively());
    for (const auto& file : files)
        m_fx->folder.write(QStringLiteral("products/") + file.first, file.second);
}

void TestBonusPage::clickEntry(int row) const
{
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(row)).center());
}

QListWidget* TestBonusPage::list() const
{
    return m_fx->control<QListWidget>(QStringLiteral("lstProductItems"));
}

QString TestBonusPage::deliveryUrl() const
{
    return m_fx->control<QLineEdit>(QStringLiteral("txtBonusDeliveryUrl"))->text();
}

void TestBonusPage::catalogueSelection()
{
    writeCatalogue({{"Gone.txt", "G1"},
                    {"Beta.txt", "BETA-7"},
                    {"readme.pdf", "%PDF"},
                    {"Empty.txt", ""},
                    {"Alpha.txt", "AB12\r\n"},
                    {"notes.txt.bak", "x"}});
    m_fx->open();
    m_fx->click(QStringLiteral("lblButton(1)"));
    {
        QStringList entries;
        for (int row = 0; row < list()->count(); ++row)
            entries << list()->item(row)->text();
        QCOMPARE(entries, QStringList({"Alpha", "Beta", "Empty", "Gone"}));
        QCOMPARE(m_fx->window->selectedBonusIndex(), -1);
    }
    {
        clickEntry(0);
        QCOMPARE(m_fx->window->selectedBonusIndex(), 0);
        QCOMPARE(m_fx->window->pageFields().rawProductId, QStringLiteral("AB12\r\n"));
        QCOMPARE(Catalogue::cleanProductId(m_fx->window->pageFields().rawProductId), QStringLiteral("AB12"));
        QCOMPARE(deliveryUrl(), DeliveryUrl::baseUrl() + QStringLiteral("AB12\r\n.html"));
    }
    {
        // A typed URL is replaced by the next choice, also when the same entry is clicked again.
        QLineEdit* url = m_fx->control<QLineEdit>(QStringLiteral("txtBonusDeliveryUrl"));
        url->setText(QStringLiteral("https://example.org/mine.html"));
        clickEntry(1);
        QCOMPARE(m_fx->window->pageFields().rawProductId, QStringLiteral("BETA-7"));
        url->setText(QStringLiteral("https://example.org/mine.html"));
        clickEntry(1);
        QCOMPARE(m_fx->window->selectedBonusIndex(), 1);
        QCOMPARE(deliveryUrl(), DeliveryUrl::baseUrl() + QStringLiteral("BETA-7.html"));
    }
    {
        // Ctrl+click cannot clear a choice.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list()->visualItemRect(list()->item(1)).center());
        QCOMPARE(m_fx->window->selectedBonusIndex(), 1);
    }
    {
        clickEntry(2);
        QVERIFY(m_fx->window->pageFields().rawProductId.isEmpty());
        QCOMPARE(deliveryUrl(), QStringLiteral("Not Available Yet"));
    }
    {
        QVERIFY(QFile::remove(m_fx->folder.file(QStringLiteral("products/Gone.txt"))));
        clickEntry(0);
        clickEntry(3);
        QVERIFY(m_fx->window->pageFields().rawProductId.isEmpty());
        QCOMPARE(deliveryUrl(), QStringLiteral("Not Available Yet"));
    }
    QVERIFY(m_fx->platform.messages.isEmpty());
}

void TestBonusPage::catalogueKeyboardAndFocus()
{
    writeCatalogue({{"Alpha.txt", "A1"}, {"Beta.txt", "B2"}});
    m_fx->open();
    m_fx->click(QStringLiteral("lblButton(1)"));
    {
        // Tabbing into the list marks an entry but chooses none.
        QWidget* before = m_fx->control(QStringLiteral("txtBonusHeadline"));
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), list());
        QCOMPARE(m_fx->window->selectedBonusIndex(), -1);
        QVERIFY(m_fx->window->pageFields().rawProductId.isEmpty());
        QCOMPARE(deliveryUrl(), QStringLiteral("http://"));
    }
    clickEntry(0);
    QTest::keyClick(list(), Qt::Key_Down);
    QCOMPARE(m_fx->window->selectedBonusIndex(), 1);
    QCOMPARE(m_fx->window->pageFields().rawProductId, QStringLiteral("B2"));
    QCOMPARE(deliveryUrl(), DeliveryUrl::baseUrl() + QStringLiteral("B2.html"));
}

void TestBonusPage::copyDeliveryUrl()
{
    m_fx->open();
    m_fx->click(QStringLiteral("lblButton(2)"));
    m_fx->click(QStringLiteral("cmdCopyUrlToClipboard"));
    QLineEdit* url = m_fx->control<QLineEdit>(QStringLiteral("txtBonusDeliveryUrl"));
    url->selectAll();
    QTest::keyClicks(url, QStringLiteral("https://my.site/b.html"));
    m_fx->click(QStringLiteral("cmdCopyUrlToClipboard"));

    QCOMPARE(m_fx->platform.clipboard, QStringList({"http://", "https://my.site/b.html"}));
    QCOMPARE(m_fx->platform.messages.size(), 2);
    for (const FakePlatform::Message& message : m_fx->platform.messages) {
        QCOMPARE(message.text, QStringLiteral("Done! Url copied to clipboard."));
        QCOMPARE(message.title, QStringLiteral("Done"));
        QCOMPARE(message.icon, MessageIcon::Information);
    }
}

void TestBonusPage::ownBonusWarning()
{
    m_fx->open();
    QWidget* warning = m_fx->control(QStringLiteral("lblOwnBonus"));
    m_fx->click(QStringLiteral("lblButton(1)"));
    m_fx->click(QStringLiteral("chkUseMyOwnBonus"));
    m_fx->click(QStringLiteral("lblButton(2)"));
    QVERIFY(warning->isVisible());
    QVERIFY(m_fx->window->pageFields().ownBonus);
    QCOMPARE(deliveryUrl(), QStringLiteral("http://"));

    m_fx->click(QStringLiteral("lblButton(1)"));
    m_fx->click(QStringLiteral("chkUseMyOwnBonus"));
    m_fx->click(QStringLiteral("lblButton(2)"));
    QVERIFY(!warning->isVisible());
    QVERIFY(!m_fx->window->pageFields().ownBonus);
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

    m_fx->open().ShowStep(step);
    QTest::mouseClick(m_fx->control(label), Qt::RightButton);
    QVERIFY(m_fx->platform.messages.isEmpty());
    m_fx->click(label);
    QCOMPARE(m_fx->platform.messages.size(), 1);
    QCOMPARE(m_fx->platform.messages.first().text, text);
    QCOMPARE(m_fx->platform.messages.first().title, QStringLiteral("Info"));
    QCOMPARE(m_fx->platform.messages.first().icon, MessageIcon::Information);
}

void TestBonusPage::builtInInstructions()
{
    m_fx->folder.write(QStringLiteral("bin/bonusdownloadinstructions.txt"), "Step one\r\nStep two\r\n");
    m_fx->open();
    m_fx->click(QStringLiteral("lblButton(1)"));
    auto* box = m_fx->control<QPlainTextEdit>(QStringLiteral("txtInstructions"));
    QTest::keyClicks(box, QStringLiteral("typed by hand"));
    m_fx->click(QStringLiteral("cmdBuiltInBonusInstructions"));
    m_fx->click(QStringLiteral("cmdBuiltInBonusInstructions"));
    QCOMPARE(box->toPlainText(), QStringLiteral("Step one\nStep two\n"));
    QCOMPARE(m_fx->window->pageFields().bonusInstructions, QStringLiteral("Step one\r\nStep two\r\n"));

    QVERIFY(QFile::remove(m_fx->folder.file(QStringLiteral("bin/bonusdownloadinstructions.txt"))));
    m_fx->window->loadBuiltInInstructions();
    QVERIFY(box->toPlainText().isEmpty());
    QVERIFY(m_fx->platform.messages.isEmpty());
}

QTEST_MAIN(TestBonusPage)
#include "tst_bonuspage.moc"
