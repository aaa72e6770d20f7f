#include "WindowTestCase.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

class TestReviewPage final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void formattingButtons_data();
    void formattingButtons();
    void imagePicker();
    void formatButtonsWaitForTheReview();

private:
    QPlainTextEdit* review() const;
    /** Selects [start, end) in the review; a negative start leaves the caret where it was never placed. */
    void select(int start, int end) const;
};

QPlainTextEdit* TestReviewPage::review() const
{
    return fx().control<QPlainTextEdit>(QStringLiteral("txtReview"));
}

void TestReviewPage::select(int start, int end) const
{
    if (start < 0)
        return;
    QTextCursor cursor = review()->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    review()->setTextCursor(cursor);
}

void TestReviewPage::formattingButtons_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");

    QTest::newRow("bold selection") << "make this strong" << 10 << 16 << QStringList{"cmdBold"}
                                    << "make this <b>strong</b>" << 23;
    QTest::newRow("underline at caret") << "ab" << 1 << 1 << QStringList{"cmdUnderline"} << "a<u></u>b" << 8;
    QTest::newRow("caret never placed") << "ab" << -1 << -1 << QStringList{"cmdBold"} << "<b></b>ab" << 7;
    QTest::newRow("italics twice") << "" << 0 << 0 << QStringList{"cmdItalics", "cmdItalics"} << "<i></i><i></i>" << 14;
    QTest::newRow("selection across a line break")
        << "one\ntwo" << 2 << 5 << QStringList{"cmdItalics"} << "on<i>e\nt</i>wo" << 12;
    QTest::newRow("wrapping a pair nests it")
        << "<b>great</b> tool" << 0 << 12 << QStringList{"cmdItalics"} << "<i><b>great</b></i> tool" << 19;
    QTest::newRow("backward selection") << "xyz" << 3 << 1 << QStringList{"cmdBold"} << "x<b>yz</b>" << 10;
}

void TestReviewPage::formattingButtons()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QStringList, buttons);
    QFETCH(QString, result);
    QFETCH(int, caret);

    review()->setPlainText(text);
    select(start, end);
    for (const QString& button : buttons)
        fx().click(button);

    QCOMPARE(review()->toPlainText(), result);
    QVERIFY(!review()->textCursor().hasSelection());
    QCOMPARE(review()->textCursor().position(), caret);
    QCOMPARE(QApplication::focusWidget(), fx().control(buttons.last()));
    // Every line break of the review reaches the page builder as CR LF.
    QCOMPARE(fx().window().pageFields().review, QString(result).replace(QLatin1Char('\n'), QLatin1String("\r\n")));
}

void TestReviewPage::imagePicker()
{
    const QString pics = QDir::toNativeSeparators(QStringLiteral("/pics/"));
    const QString cover = pics + QStringLiteral("cover.png");
    const QString odd = QDir::toNativeSeparators(QStringLiteral("/art/cover.png.d/cover.png"));
    fx().platform.pickedFiles << cover << QString() << odd;
    QLabel* productImage = fx().control<QLabel>(QStringLiteral("lblImage(0)"));
    QLabel* bonusImage = fx().control<QLabel>(QStringLiteral("lblImage(1)"));

    fx().click(QStringLiteral("cmdCoverSelect(0)"));
    {
        const ScriptedPlatform::FilePick& first = fx().platform.filePicks.at(0);
        QCOMPARE(first.title, QStringLiteral("Select File"));
        QCOMPARE(first.initialFolder, QDir::homePath());
        QCOMPARE(first.filters, QStringList({"Image Files (*.jpg *.jpeg *.JPG *.JPEG)", "Image Files (*.gif *.GIF)",
                                             "Image Files (*.png *.PNG)"}));
        QCOMPARE(productImage->text(), cover);
        QCOMPARE(productImage->property("tag").toString(), QStringLiteral("cover.png"));
        QCOMPARE(fx().control<QLineEdit>(QStringLiteral("txtLastPath"))->text(), pics);
        QCOMPARE(fx().window().pageFields().affiliateImagePath, cover);
    }
    fx().click(QStringLiteral("lblButton(1)"));
    fx().click(QStringLiteral("cmdCoverSelect(1)"));
    {
        // A cancel changes nothing.
        QVERIFY(bonusImage->text().isEmpty());
        QCOMPARE(fx().control<QLineEdit>(QStringLiteral("txtLastPath"))->text(), pics);
    }
    fx().click(QStringLiteral("cmdCoverSelect(1)"));
    {
        // The remembered folder is shared by both buttons; each button fills only its own label.
        QCOMPARE(fx().platform.filePicks.at(1).initialFolder, pics);
        QCOMPARE(fx().platform.filePicks.at(2).initialFolder, pics);
        QCOMPARE(bonusImage->text(), odd);
        QCOMPARE(bonusImage->property("tag").toString(), QStringLiteral("cover.png"));
        QCOMPARE(productImage->text(), cover);
        // Only the trailing name is cut off, even when a folder's name contains it.
        QCOMPARE(fx().control<QLineEdit>(QStringLiteral("txtLastPath"))->text(),
                 QDir::toNativeSeparators(QStringLiteral("/art/cover.png.d/")));
        QCOMPARE(fx().window().pageFields().ownBonusImagePath, odd);
    }
}

// The buttons act on the review; while its blocks are shown they would change a text the user cannot see.
void TestReviewPage::formatButtonsWaitForTheReview()
{
    review()->setPlainText(QStringLiteral("kept"));
    fx().click(QStringLiteral("cmdShowReviewBlocks"));
    for (const char* button : {"cmdBold", "cmdItalics", "cmdUnderline"}) {
        QVERIFY(!fx().control(QLatin1String(button))->isEnabled());
        fx().click(QLatin1String(button));
    }
    QCOMPARE(review()->toPlainText(), QStringLiteral("kept"));
    fx().click(QStringLiteral("cmdShowReview"));
    for (const char* button : {"cmdBold", "cmdItalics", "cmdUnderline"})
        QVERIFY(fx().control(QLatin1String(button))->isEnabled());
}

QTEST_MAIN(TestReviewPage)
#include "tst_reviewpage.moc"
