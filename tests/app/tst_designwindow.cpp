#include "WindowTestCase.h"

#include "Campaign.h"
#include "CampaignController.h"
#include "DesignGallery.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QToolButton>

using namespace orvanta::campaign;

/** The Design button, its gallery and the brand's colour question before Create: the window's wiring only. */
class TestDesignWindow final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void galleryOpensFromTheBand();
    void choicesReachTheCampaign();
    void eachDesignIsTold();
    void chosenDesignInView();
    void contrastAskedBeforeCreate_data();
    void contrastAskedBeforeCreate();

private:
    DesignGallery* openGallery() const;
    void chooseDesign(const QString& name) const;
    QAccessibleInterface* accessibleDesign(const QString& title) const;
};

DesignGallery* TestDesignWindow::openGallery() const
{
    fx().click(QStringLiteral("cmdDesign"));
    return fx().window().findChild<DesignGallery*>(QStringLiteral("frmDesigns"));
}

void TestDesignWindow::chooseDesign(const QString& name) const
{
    auto* list = fx().control<QListWidget>(QStringLiteral("lstDesigns"));
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(Qt::UserRole).toString() == name)
            list->setCurrentRow(row);
}

// The list's entry as a screen reader finds it: the entry whose name begins with @p title.
QAccessibleInterface* TestDesignWindow::accessibleDesign(const QString& title) const
{
    QAccessibleInterface* list =
        QAccessible::queryAccessibleInterface(fx().control<QListWidget>(QStringLiteral("lstDesigns")));
    for (int i = 0; list && i < list->childCount(); ++i)
        if (list->child(i)->text(QAccessible::Name).startsWith(title))
            return list->child(i);
    return nullptr;
}

void TestDesignWindow::galleryOpensFromTheBand()
{
    auto* button = fx().control<QToolButton>(QStringLiteral("cmdDesign"));
    QCOMPARE(button->accessibleName(), QStringLiteral("Design"));
    QVERIFY(!button->accessibleDescription().isEmpty());
    QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
    DesignGallery* gallery = openGallery();
    QVERIFY(gallery && gallery->isVisible());
    QCOMPARE(fx().control<QListWidget>(QStringLiteral("lstDesigns"))->count(), 4);
    // Classic is chosen for a campaign that names no design; nothing changed by opening.
    QCOMPARE(fx().control<QListWidget>(QStringLiteral("lstDesigns"))->currentItem()->data(Qt::UserRole).toString(),
             QStringLiteral("Classic"));
    QCOMPARE(fx().window().campaigns().campaign(), Campaign(fx().window().campaigns().campaign()));
    QVERIFY(fx().window().campaigns().campaign().design.isEmpty());
}

void TestDesignWindow::choicesReachTheCampaign()
{
    QVERIFY(openGallery());
    QSignalSpy changed(&fx().window(), &MainWindow::fieldsChanged);
    chooseDesign(QStringLiteral("Bold"));
    fx().type(QStringLiteral("txtAccentColor"), QStringLiteral("#1a73e8"));
    fx().control<QComboBox>(QStringLiteral("cboHeadingFont"))->setCurrentIndex(2);
    const Campaign chosen = fx().window().campaigns().campaign();
    QCOMPARE(chosen.design, QStringLiteral("Bold"));
    QCOMPARE(chosen.brand.accentColor, QStringLiteral("#1a73e8"));
    QCOMPARE(chosen.brand.headingFont, brandFonts().at(1));
    QVERIFY(changed.count() >= 3);
    QCOMPARE(fx().window().pageFields().design, QStringLiteral("Bold"));
    // Half a colour is not a colour: the brand keeps its last value until the box holds a whole one.
    fx().type(QStringLiteral("txtTextColor"), QStringLiteral("#12"));
    QVERIFY(fx().window().campaigns().campaign().brand.textColor.isEmpty());
    chooseDesign(QStringLiteral("Classic"));
    QVERIFY(fx().window().campaigns().campaign().design.isEmpty());
}

// What a design is, or why it cannot be used, is shown and announced; an unusable one is never offered.
void TestDesignWindow::eachDesignIsTold()
{
    fx().app.write(QStringLiteral("designs/Broken/template.html"), "<html>no placeholders</html>");
    QVERIFY(openGallery());
    chooseDesign(QStringLiteral("Calm"));
    const QString calm = QStringLiteral("A quiet, bookish page for honest reviews: serif headings, a soft paper colour "
                                        "and plenty of air.");
    QCOMPARE(fx().control<QLabel>(QStringLiteral("lblDesignInfo"))->text(), calm);
    QAccessibleInterface* usable = accessibleDesign(QStringLiteral("Calm"));
    QVERIFY(usable);
    QCOMPARE(usable->text(QAccessible::Description), calm);
    QVERIFY(usable->state().selectable && !usable->state().disabled);

    QAccessibleInterface* broken = accessibleDesign(QStringLiteral("Broken"));
    QVERIFY(broken);
    QCOMPARE(broken->text(QAccessible::Name), QStringLiteral("Broken (unusable)"));
    QVERIFY2(broken->text(QAccessible::Description).contains(QStringLiteral("lacks the placeholder")),
             qPrintable(broken->text(QAccessible::Description)));
    QVERIFY(!broken->state().selectable && !broken->state().focusable);
}

// One row of thumbnails, scrolled sideways: an own design far to the right is scrolled to when it is the chosen one.
void TestDesignWindow::chosenDesignInView()
{
    QFile classic(fx().app.file(QStringLiteral("bin/template.html")));
    QVERIFY(classic.open(QIODevice::ReadOnly));
    const QByteArray page = classic.readAll();
    for (int n = 1; n <= 8; ++n)
        fx().app.write(QStringLiteral("designs/Zeta %1/template.html").arg(n), page);
    Campaign last;
    last.design = QStringLiteral("Zeta 8");
    const QString lastFile = writeFile(fx().outside.filePath(QStringLiteral("last.orvanta")),
                                       CampaignFile::toJson(last, fx().outside.path()));
    const QString classicFile = writeFile(fx().outside.filePath(QStringLiteral("classic.orvanta")),
                                          CampaignFile::toJson(Campaign(), fx().outside.path()));
    fx().window().campaigns().openCampaignFile(lastFile);
    DesignGallery* gallery = openGallery();
    QVERIFY(gallery);
    auto* list = fx().control<QListWidget>(QStringLiteral("lstDesigns"));
    const auto chosenInView = [list](const QString& design) {
        return list->currentItem() && list->currentItem()->data(Qt::UserRole).toString() == design &&
               list->viewport()->rect().contains(list->visualItemRect(list->currentItem()).center());
    };
    // At start, and for each campaign opened while the gallery is shown.
    QVERIFY(chosenInView(QStringLiteral("Zeta 8")));
    QTRY_VERIFY_WITH_TIMEOUT(!gallery->isRendering(), 60000);
    QVERIFY(chosenInView(QStringLiteral("Zeta 8")));
    fx().window().campaigns().openCampaignFile(classicFile);
    QVERIFY(chosenInView(QStringLiteral("Classic")));
    fx().window().campaigns().openCampaignFile(lastFile);
    QVERIFY(chosenInView(QStringLiteral("Zeta 8")));
    QCOMPARE(fx().platform.messages.size(), 0);
}

void TestDesignWindow::contrastAskedBeforeCreate_data()
{
    QTest::addColumn<QString>("textColor");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::newRow("readable colours: no question") << "#111111" << false << false;
    QTest::newRow("pale text, kept: no PDF") << "#cccccc" << false << true;
    QTest::newRow("pale text, made anyway") << "#cccccc" << true << true;
}

void TestDesignWindow::contrastAskedBeforeCreate()
{
    QFETCH(QString, textColor);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    fx().useQuickConverter();
    fx().fill(WizardInput());
    QVERIFY(openGallery());
    chooseDesign(QStringLiteral("Calm"));
    fx().type(QStringLiteral("txtTextColor"), textColor);
    fx().platform.answers.enqueue(answer);
    QVERIFY(fx().create());
    const QStringList questions = fx().messagesTitled(QStringLiteral("Brand Colours"));
    QCOMPARE(questions.size(), asked ? 1 : 0);
    if (asked)
        QVERIFY2(questions.first().contains(textColor), qPrintable(questions.first()));
    // The gallery's thumbnails run converters of their own, on pages in staging folders.
    QCOMPARE(fx().platform.startedPages().filter(QStringLiteral("guide.html")).size(), !asked || answer ? 1 : 0);
    // Named, never changed.
    QCOMPARE(fx().window().campaigns().campaign().brand.textColor, textColor);
}

QTEST_MAIN(TestDesignWindow)
#include "tst_designwindow.moc"
