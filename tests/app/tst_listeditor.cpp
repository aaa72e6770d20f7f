#include "WindowTestCase.h"

#include "AppFolder.h"
#include "ListEditor.h"
#include "ListFile.h"
#include "PagePreview.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::campaign;

/** Campaign > Open List wired to the list file and to the one Create: what is saved, and what Create says. */
class TestListEditor final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void rankedAndSaved();
    void createSaysWhatHappened_data();
    void createSaysWhatHappened();
    void previewRendersTheList();
    void unsavedListKeepsTheWindow();
    void unsavedListKeptForTheNextStart_data();
    void unsavedListKeptForTheNextStart();

private:
    ListEditor* openSample();
};

ListEditor* TestListEditor::openSample()
{
    fx().platform.pickedFiles.enqueue(fx().app.path() + "/campaigns/keto-and-budget.orvantalist");
    fx().window().findChild<QAction*>("actOpenList")->trigger();
    return fx().window().findChild<ListEditor*>();
}

// An own row's values belong to their products: ranking one down takes its value along.
void TestListEditor::rankedAndSaved()
{
    ListEditor* editor = openSample();
    QVERIFY(editor);
    QTest::mouseClick(editor->findChild<QPushButton*>("cmdMoveListItemDown"), Qt::LeftButton);
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtListItemBadge"), " <3");
    const QString saved = fx().outside.filePath("mine.orvantalist");
    fx().platform.pickedFiles.enqueue(fx().outside.filePath("mine"));
    QTest::mouseClick(editor->findChild<QPushButton*>("cmdSaveListAs"), Qt::LeftButton);
    const Result<ProductList> read = ListFile::read(saved);
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read->items.size(), 3);
    QVERIFY(read->items.at(0).campaignPath.endsWith("budget-planner.orvanta"));
    QCOMPARE(read->items.at(1).badge, "Best overall <3");
    QCOMPARE(read->rows.size(), 2);
    QCOMPARE(read->rows.at(1).values,
             (QStringList{"Printable planner and spreadsheet", "Printed book and PDF", "Video lessons"}));
    QCOMPARE(read->title, "Three Guides Worth Their Price in 2026");
    QVERIFY(!editor->isModified());
    const QPointer<ListEditor> closed = editor;
    editor->close();
    QTRY_VERIFY(!closed);

    // Saved lists are among the recent files, and open from there in an editor.
    auto* recent = fx().window().findChild<QMenu*>("mnuRecentCampaigns");
    QTRY_VERIFY(recent->actions().constFirst()->text().startsWith("mine"));
    recent->actions().constFirst()->trigger();
    editor = fx().window().findChild<ListEditor*>();
    QVERIFY(editor);
    QCOMPARE(editor->listPath(), saved);
    editor->close();
}

void TestListEditor::createSaysWhatHappened_data()
{
    QTest::addColumn<bool>("campaignGone");
    QTest::addColumn<bool>("converterFails");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("says");
    QTest::newRow("made") << false << false << "Done"
                          << "Ready. Do you want to open the output folder?";
    QTest::newRow("the converter fails") << false << true << "Error"
                                         << "no fonts";
    QTest::newRow("a product's campaign is gone") << true << false << "Missing Info"
                                                  << "item 2";
}

void TestListEditor::createSaysWhatHappened()
{
    QFETCH(bool, campaignGone);
    QFETCH(bool, converterFails);
    QFETCH(QString, title);
    QFETCH(QString, says);
    fx().platform.scripts[PdfEngine::Converter] =
        converterFails ? EngineScript::fails("no fonts") : EngineScript::writes();
    if (campaignGone)
        QVERIFY(QFile::remove(fx().app.path() + "/campaigns/budget-planner.orvanta"));
    ListEditor* editor = openSample();
    QVERIFY(editor);
    auto* create = editor->findChild<QPushButton*>("cmdCreateList");
    QTest::mouseClick(create, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!fx().messagesTitled(title).isEmpty(), 30000);
    QVERIFY2(fx().messagesTitled(title).constFirst().contains(says), qPrintable(fx().messagesTitled(title).join('\n')));
    QCOMPARE(fx().platform.starts.size(), campaignGone ? 0 : 1);
    QVERIFY(editor->isVisible() && create->isEnabled());
    editor->close();
}

// The preview renders the list's own page, and says inside itself why it cannot.
void TestListEditor::previewRendersTheList()
{
    fx().platform.scripts[PdfEngine::Converter] = EngineScript::hangs();
    ListEditor* editor = openSample();
    QVERIFY(editor);
    QTest::mouseClick(editor->findChild<QPushButton*>("cmdPreviewList"), Qt::LeftButton);
    auto* preview = editor->findChild<PagePreview*>("listPreview");
    QVERIFY(preview);
    QTRY_COMPARE(fx().platform.startedPages().size(), 1);
    QFile page(fx().platform.startedPages().constFirst());
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(page.readAll().contains("Three Guides Worth Their Price in 2026"));
    QVERIFY(QFile::remove(fx().app.path() + "/campaigns/video-course.orvanta"));
    preview->renderNow();
    QVERIFY2(preview->message().contains("item 3"), qPrintable(preview->message()));
    editor->close();
}

void TestListEditor::unsavedListKeepsTheWindow()
{
    ListEditor* editor = openSample();
    QVERIFY(editor);
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtListTitle"), "!");
    fx().platform.saveAnswers.enqueue(SaveAnswer::Cancel);
    fx().window().close();
    QCOMPARE(fx().platform.saveQuestions.size(), 1);
    QVERIFY(fx().window().isVisible() && editor->isVisible());
    fx().platform.saveAnswers.enqueue(SaveAnswer::Discard);
    editor->close();
}

void TestListEditor::unsavedListKeptForTheNextStart_data()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("Yes reopens it, unsaved") << true;
    QTest::newRow("No keeps it as a list file") << false;
}

// An editor gone without closing leaves its copy, as a killed one would; the next start offers it back.
void TestListEditor::unsavedListKeptForTheNextStart()
{
    QFETCH(bool, restore);
    const QDir recovery(AppFolder::recoveryFolder(fx().app.path()));
    ListEditor* editor = openSample();
    QVERIFY(editor);
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtListTitle"), "!");
    QTRY_COMPARE_WITH_TIMEOUT(recovery.entryList({"window-*.orvantalist"}).size(), 1, 10000);
    delete editor;
    fx().window().close();
    fx().platform.answers.enqueue(restore);
    fx().open();
    QTRY_VERIFY(!fx().messagesTitled("Restore List").isEmpty());
    editor = fx().window().findChild<ListEditor*>();
    QCOMPARE(editor != nullptr, restore);
    if (restore) {
        QCOMPARE(editor->list().title, "Three Guides Worth Their Price in 2026!");
        QVERIFY(editor->isModified());
        QVERIFY(editor->listPath().endsWith("keto-and-budget.orvantalist"));
        QCOMPARE(recovery.entryList({"window-*.orvantalist"}).size(), 1); // its own copy, the old one gone
        fx().platform.saveAnswers.enqueue(SaveAnswer::Discard);
        editor->close();
        QCOMPARE(recovery.entryList({"window-*.orvantalist"}).size(), 0);
    } else {
        const QStringList kept = recovery.entryList({"Unsaved list*.orvantalist"});
        QCOMPARE(kept.size(), 1);
        const Result<ProductList> read = ListFile::read(recovery.filePath(kept.first()));
        QVERIFY2(read.ok(), qPrintable(read.error()));
        QCOMPARE(read->items.size(), 3);
        QVERIFY(QFileInfo::exists(read->items.first().campaignPath));
    }
}

QTEST_MAIN(TestListEditor)
#include "tst_listeditor.moc"
