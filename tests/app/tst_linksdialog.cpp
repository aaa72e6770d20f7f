#include "WindowTestCase.h"

#include "AppFolder.h"
#include "ClickChart.h"
#include "ClickCounts.h"
#include "LinksDialog.h"
#include "MainWindow.h"
#include "ShortLinkStore.h"

#include <QAction>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <tuple>

using namespace orvanta::files;
using namespace orvanta::links;

/** Campaign > Links wired to disk: its links and their clicks, Re-point to the redirect files, Import Log's files. */
class TestLinksDialog final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void repoint_data();
    void repoint();
    void importLog_data();
    void importLog();
};

void TestLinksDialog::repoint_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("target"); ///< what the table and the redirect files hold afterwards
    QTest::addColumn<QString>("message");
    QTest::newRow("a new offer") << "https://new.example/deal?aff=9"
                                 << "https://new.example/deal?aff=9"
                                 << "";
    QTest::newRow("a target that would add a directive: refused, nothing rewritten") << "https://new.example/$host"
                                                                                     << "https://old.example/offer"
                                                                                     << "$";
}

void TestLinksDialog::repoint()
{
    QFETCH(QString, typed);
    QFETCH(QString, target);
    QFETCH(QString, message);
    const QString app = fx().app.path();
    LinksTable table;
    table.record({"keto",
                  "https://me.example/go/keto",
                  "https://old.example/offer",
                  "Keto Guide",
                  "keto",
                  {},
                  {},
                  "2026-01-02: target working"});
    table.record({"plan", "https://me.example/go/plan", "https://plan.example/", "Plan", "plan", {}, {}, {}});
    QVERIFY(ShortLinkStore::publish(app, table).ok());

    fx().window().findChild<QAction*>("actLinks")->trigger();
    auto* dialog = fx().window().findChild<LinksDialog*>();
    QVERIFY(dialog);
    auto* rows = dialog->findChild<QTableWidget*>("tblLinks");
    QCOMPARE(rows->rowCount(), 2);
    QCOMPARE(rows->item(0, LinksDialog::SlugColumn)->text(), "https://me.example/go/keto");
    QCOMPARE(rows->item(0, LinksDialog::CheckColumn)->text(), "2026-01-02: target working");
    rows->selectRow(0);
    auto* edit = dialog->findChild<QLineEdit*>("txtRepointTarget");
    QCOMPARE(edit->text(), "https://old.example/offer");
    edit->setText(typed);
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdRepoint"), Qt::LeftButton);

    const QStringList shown = fx().messagesTitled("Error");
    QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
    QVERIFY(message.isEmpty() || shown.first().contains(message));
    QCOMPARE(ShortLinkStore::read(app)->find("keto")->target, target);
    QCOMPARE(rows->item(0, LinksDialog::TargetColumn)->text(), target);
    QCOMPARE(ShortLinkStore::read(app)->find("plan")->target, "https://plan.example/");
    const QByteArray htaccess = bytesOf(AppFolder::linksFolder(app) + "/.htaccess");
    QVERIFY2(htaccess.contains("/go/keto/?$\" \"" + target.toUtf8() + "\""), htaccess.constData());
    dialog->close();
}

void TestLinksDialog::importLog_data()
{
    QTest::addColumn<QStringList>("picked");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("title"); ///< of the message shown; empty for none
    QTest::newRow("two logs: imported, the report shown, the counts read again")
        << QStringList{"/logs/access.log", "/logs/access.log.1.gz"} << true << "Done";
    QTest::newRow("a failed import: its message shown") << QStringList{"/logs/access.log"} << false << "Error";
    QTest::newRow("cancelled: nothing imported") << QStringList{} << true << "";
}

// The import writes the counts; each shows in its column, a day 40 days back outside the last 30, and the chosen
// link's days in the chart.
void TestLinksDialog::importLog()
{
    QFETCH(QStringList, picked);
    QFETCH(bool, succeeds);
    QFETCH(QString, title);
    LinksTable table;
    table.record({"keto", "https://me.example/go/keto", "https://old.example/offer", "Keto", "keto", {}, {}, {}});
    QVERIFY(ShortLinkStore::publish(fx().app.path(), table).ok());
    const QDate today = QDateTime::currentDateTimeUtc().date();
    QList<QStringList> calls;
    const auto import = [&](const QString& app, const QStringList& logs) {
        calls << logs;
        ClickCounts counts;
        for (const auto& [channel, daysAgo, clicks] :
             {std::tuple{"button", 0, 3}, {"qr", 5, 2}, {"web", 40, 1}, {"link", 0, 4}})
            counts.add("keto", channel, today.addDays(-daysAgo), clicks);
        const bool written = succeeds && counts.write(AppFolder::clicksPath(app)).ok();
        return written ? Result<QString>("Read 2 logs.") : Result<QString>(fail("the log is cut short"));
    };
    fx().platform.pickedFiles.enqueue(picked.join('\n'));
    LinksDialog dialog(fx().platform, fx().app.path(), &fx().window(), import);
    QSignalSpy imported(&dialog, &LinksDialog::logsImported);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdImportLog"), Qt::LeftButton);
    QVERIFY(picked.isEmpty() || !imported.isEmpty() || imported.wait(120000));
    QCOMPARE(calls, picked.isEmpty() ? QList<QStringList>() : QList<QStringList>{picked});
    QCOMPARE(fx().messageTitles(), title.isEmpty() ? QStringList() : QStringList{title});
    auto* rows = dialog.findChild<QTableWidget*>("tblLinks");
    QList<qint64> shown;
    for (int column = LinksDialog::ClicksColumn; column < LinksDialog::ColumnCount; ++column)
        shown << rows->item(0, column)->text().toLongLong();
    const bool counted = title == "Done";
    QCOMPARE(shown, counted ? QList<qint64>({10, 9, 3, 2, 1, 4}) : QList<qint64>(6, 0));
    rows->selectRow(0);
    const QList<qint64> days = dialog.findChild<ClickChart*>("picClickChart")->shown();
    QCOMPARE(days.size(), ClickChart::DayCount);
    QCOMPARE(days.mid(ClickChart::DayCount - 6), counted ? QList<qint64>({2, 0, 0, 0, 0, 7}) : QList<qint64>(6, 0));
}

QTEST_MAIN(TestLinksDialog)
#include "tst_linksdialog.moc"
