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

#include <numeric>
#include <tuple>

using namespace orvanta::files;
using namespace orvanta::links;

/**
 * Campaign > Links wired to the table on disk: what it lists, its clicks from the counts on disk, Re-point through to
 * the redirect files, and Import Log through to the import with the files picked.
 */
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
    table.record({"plan", "https://me.example/go/plan", "https://plan.example/", "Plan", "plan", {}, {}, {}});
    QVERIFY(ShortLinkStore::publish(fx().app.path(), table).ok());
    const QDate today = QDateTime::currentDateTimeUtc().date();
    QList<QStringList> calls;
    const auto import = [&](const QString& app, const QStringList& logs) {
        calls << logs;
        ClickCounts counts;
        for (const auto& [slug, channel, daysAgo, clicks] : {std::tuple{"keto", "button", 0, 3},
                                                             {"keto", "qr", 5, 2},
                                                             {"keto", "web", 40, 1},
                                                             {"keto", "link", 0, 4},
                                                             {"gone", "link", 0, 50}})
            counts.add(slug, channel, today.addDays(-daysAgo), clicks);
        if (!succeeds || !counts.write(AppFolder::clicksPath(app)).ok())
            return Result<QString>(fail("the log is cut short"));
        return Result<QString>("Read 2 logs.");
    };
    fx().platform.pickedFileLists.enqueue(picked);
    LinksDialog dialog(fx().platform, fx().app.path(), &fx().window(), import);
    QSignalSpy imported(&dialog, &LinksDialog::logsImported);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdImportLog"), Qt::LeftButton);
    if (!picked.isEmpty())
        QVERIFY(!imported.isEmpty() || imported.wait(120000));
    QCOMPARE(calls, picked.isEmpty() ? QList<QStringList>() : QList<QStringList>{picked});
    QCOMPARE(fx().messageTitles(), title.isEmpty() ? QStringList() : QStringList{title});
    auto* rows = dialog.findChild<QTableWidget*>("tblLinks");
    QList<qint64> shown;
    for (int column = LinksDialog::ClicksColumn; column < LinksDialog::ColumnCount; ++column)
        shown << rows->item(0, column)->text().toLongLong() << rows->item(1, column)->text().toLongLong();
    const bool counted = title == "Done";
    QCOMPARE(shown, counted ? QList<qint64>({10, 0, 9, 0, 3, 0, 2, 0, 1, 0, 4, 0}) : QList<qint64>(12, 0));
    rows->selectRow(0);
    const QList<qint64> days = dialog.findChild<ClickChart*>("picClickChart")->shown();
    QCOMPARE(days.size(), ClickChart::DayCount);
    QCOMPARE(std::pair(days.last(), days.at(ClickChart::DayCount - 6)),
             counted ? std::pair(7LL, 2LL) : std::pair(0LL, 0LL));
    QCOMPARE(std::accumulate(days.cbegin(), days.cend(), qint64(0)), counted ? 9 : 0);
}

QTEST_MAIN(TestLinksDialog)
#include "tst_linksdialog.moc"
