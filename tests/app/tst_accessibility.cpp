#include "Controls.h"
#include "FullTextTip.h"
#include "WindowTestCase.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

/** The window as a screen reader or an automation tool sees it through Qt's accessibility interface. */
class TestAccessibility final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void stepButtons_data();
    void stepButtons();
    void pressActionShowsStep();
    void pathLabels_data();
    void pathLabels();
    void cutTextShownAsTip_data();
    void cutTextShownAsTip();

private:
    QAccessibleInterface* accessible(const QString& name) const;
};

QAccessibleInterface* TestAccessibility::accessible(const QString& name) const
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(fx().control(name));
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(name));
    return iface;
}

void TestAccessibility::stepButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("caption");

    QTest::newRow("current step") << 1 << 1 << "Step 2: Select A Bonus";
    QTest::newRow("other step") << 2 << 0 << "Step 3: Create Affiliate PDF";
}

void TestAccessibility::stepButtons()
{
    QFETCH(int, button);
    QFETCH(int, shown);
    QFETCH(QString, caption);

    fx().window().ShowStep(shown);
    QAccessibleInterface* tab = accessible(QStringLiteral("vButton(%1)").arg(button));
    QCOMPARE(tab->role(), QAccessible::PageTab);
    QCOMPARE(tab->text(QAccessible::Name), caption);
    QCOMPARE(tab->state().selected, button == shown);
    QCOMPARE(tab->state().checked, button == shown);
    QVERIFY(tab->state().focusable);
    QVERIFY(tab->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    // "n of 3": the tab's place among the bar's tabs.
    QAccessibleInterface* bar = tab->parent();
    QCOMPARE(bar->role(), QAccessible::PageTabList);
    QCOMPARE(bar->childCount(), 3);
    QCOMPARE(bar->indexOfChild(tab), button);
}

void TestAccessibility::pressActionShowsStep()
{
    QAccessibleInterface* tab = accessible(QStringLiteral("vButton(2)"));
    tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(fx().control(QStringLiteral("txtPDFFilename"))->isVisible());
    QVERIFY(tab->state().selected);
    QVERIFY(!accessible(QStringLiteral("vButton(0)"))->state().selected);
}

void TestAccessibility::pathLabels_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QString>("caption");

    QTest::newRow("product image picked") << 0 << false << "Affiliate offer image file";
    QTest::newRow("bonus image dropped") << 1 << true << "Own bonus image file";
}

void TestAccessibility::pathLabels()
{
    QFETCH(int, index);
    QFETCH(bool, dropped);
    QFETCH(QString, caption);

    const QString name = QStringLiteral("lblImage(%1)").arg(index);
    const QString path = QDir::toNativeSeparators(fx().makeImage(QStringLiteral("cover.png"), Qt::darkCyan));
    fx().window().ShowStep(index);
    if (dropped) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(fx().control(name), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(fx().control(name), &drop);
    } else {
        fx().chooseImage(index, path);
    }

    QAccessibleInterface* label = accessible(name);
    QCOMPARE(label->text(QAccessible::Name), caption);
    QCOMPARE(label->text(QAccessible::Value), path);
    QCOMPARE(label->text(QAccessible::Description), path);
}

void TestAccessibility::cutTextShownAsTip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<QString>("tip");

    const QString longText =
        QStringLiteral("Yes, Get Your Copy with Our Private Bonus when Buying XYZ Through Our Link:");
    QTest::newRow("fits: no tip") << "XYZ" << false << "";
    QTest::newRow("cut: the whole text") << longText << true << longText;
    QTest::newRow("cut markup stays text") << "<b>" + longText << true << "<qt>&lt;b&gt;" + longText;
}

void TestAccessibility::cutTextShownAsTip()
{
    QFETCH(QString, text);
    QFETCH(bool, cut);
    QFETCH(QString, tip);

    QWidget parent;
    QLineEdit* field = Controls::lineEdit(&parent, QStringLiteral("field"), text);
    field->setFixedWidth(200);
    parent.show();
    QCOMPARE(FullTextTip::showsWholeText(*field), !cut);
    QCOMPARE(field->toolTip(), tip);
    // Room to show it all takes the tip away again.
    field->setFixedWidth(2000);
    QCOMPARE(field->toolTip(), QString());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
