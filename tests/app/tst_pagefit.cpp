#include "WindowTestCase.h"

#include <QAbstractButton>
#include <QLabel>

/** At the design size every control of each page shows whole, inside its page, clear of the others. */
class TestPageFit final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void controlsFit_data();
    void controlsFit();
};

void TestPageFit::controlsFit_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("ownBonus"); // shows the warning on Step 3

    QTest::newRow("step 1") << 0 << false;
    QTest::newRow("step 2") << 1 << false;
    QTest::newRow("step 3") << 2 << false;
    QTest::newRow("step 3 with own-bonus warning") << 2 << true;
}

void TestPageFit::controlsFit()
{
    QFETCH(int, step);
    QFETCH(bool, ownBonus);

    if (ownBonus)
        fx().control<QAbstractButton>(QStringLiteral("chkUseMyOwnBonus"))->setChecked(true);
    fx().window().ShowStep(step);
    QWidget* page = fx().control(QStringLiteral("frPage(%1)").arg(step));
    QVERIFY(fx().window().rect().contains(QRect(page->mapTo(&fx().window(), QPoint()), page->size())));

    // The named controls; the two frames of Step 2 hold others and are checked as a whole.
    QList<QWidget*> controls;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty() && widget->isVisible())
            controls << widget;
    }
    QVERIFY(controls.size() > 5);
    const auto placeOf = [page](const QWidget* widget) { return QRect(widget->mapTo(page, QPoint()), widget->size()); };
    for (const QWidget* control : controls) {
        const QString name = control->objectName();
        QVERIFY2(page->contentsRect().contains(placeOf(control)), qPrintable(name + " is clipped by its page"));
        if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->wordWrap())
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(name + " cuts its caption"));
        for (const QWidget* other : controls) {
            const bool nested = control->isAncestorOf(other) || other->isAncestorOf(control);
            QVERIFY2(other == control || nested || !placeOf(control).intersects(placeOf(other)),
                     qPrintable(name + " overlaps " + other->objectName()));
        }
    }
}

QTEST_MAIN(TestPageFit)
#include "tst_pagefit.moc"
