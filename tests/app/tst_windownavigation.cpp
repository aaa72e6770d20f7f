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

/** Moving through the wizard: its pages, text kept, figures resized, the About gesture and the busy state. */
class TestWindowNavigation final : public WindowTestCase {
    Q_OBJECT

public:
    TestWindowNavigation()
        : WindowTestCase(false)
    {
    }

private Q_SLOTS:
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

int TestWindowNavigation::px(int twips) const
{
    return WindowLayout::toPixels(twips, fx().window().screen()->logicalDotsPerInch());
}

QWidget* TestWindowNavigation::page(int index) const
{
    return fx().control(QStringLiteral("frPage(%1)").arg(index));
}

void TestWindowNavigation::navigation_data()
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

void TestWindowNavigation::navigation()
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

void TestWindowNavigation::textKeptAcrossPages()
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

void TestWindowNavigation::resizeFigures()
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

void TestWindowNavigation::aboutGesture_data()
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

void TestWindowNavigation::aboutGesture()
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

void TestWindowNavigation::pleaseWaitBlinksUntilSwitchedOff()
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

void TestWindowNavigation::busyButtonsLookDisabled()
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

QTEST_MAIN(TestWindowNavigation)
#include "tst_windownavigation.moc"
