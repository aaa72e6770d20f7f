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
    void clicksShown();
    void importLog_data();
    void importLog();

private:
    /** Two links, "keto" first, in the application folder's table. */
    void publishTwoLinks(const QString& app);
};

void TestLinksDialog::publishTwoLinks(const QString& app)
{
    LinksTable table;
    table.record({"keto", "https://me.example/go/keto", "https://old.example/offer", "Keto", "keto", {}, {}, {}});
    table.record({"plan", "https://me.example/go/plan", "https://plan.example/", "Plan", "plan", {}, {}, {}});
    QVERIFY(ShortLinkStore::publish(app, table).ok());
}

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

// Each count in its own column, the old day outside the last 30, and the chosen link's days in the chart.
void TestLinksDialog::clicksShown()
{
    const QString app = fx().app.path();
    publishTwoLinks(app);
    const QDate today = QDateTime::currentDateTimeUtc().date();
    ClickCounts counts;
    counts.add("keto", "button", today, 3);
    counts.add("keto", "qr", today.addDays(-5), 2);
    counts.add("keto", "web", today.addDays(-40), 1);
    counts.add("keto", "link", today, 4);
    counts.add("gone", "link", today, 50);
    QVERIFY(counts.write(AppFolder::clicksPath(app)).ok());

    fx().window().findChild<QAction*>("actLinks")->trigger();
    auto* dialog = fx().window().findChild<LinksDialog*>();
    QVERIFY(dialog);
    auto* rows = dialog->findChild<QTableWidget*>("tblLinks");
    const auto shown = [rows](int row) {
        QList<qint64> counts;
        for (int column = LinksDialog::ClicksColumn; column < LinksDialog::ColumnCount; ++column)
            counts << rows->item(row, column)->text().toLongLong();
        return counts;
    };
    QCOMPARE(shown(0), QList<qint64>({10, 9, 3, 2, 1, 4}));
    QCOMPARE(shown(1), QList<qint64>({0, 0, 0, 0, 0, 0}));
    rows->selectRow(0);
    const QList<qint64> days = dialog->findChild<ClickChart*>("picClickChart")->shown();
    QCOMPARE(days.size(), ClickChart::DayCount);
    QCOMPARE(days.last(), 7);
    QCOMPARE(days.at(ClickChart::DayCount - 6), 2);
    QCOMPARE(std::accumulate(days.cbegin(), days.cend(), qint64(0)), 9);
    QVERIFY(fx().messagesTitled("Error").isEmpty());
    dialog->close();
}

void TestLinksDialog::importLog_data()
{
    QTest::addColumn<QStringList>("picked");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("title"); ///< of the message shown; empty for none
    QTest::newRow("two logs: both imported, the report shown, the counts read again")
        << QStringList{"/logs/access.log", "/logs/access.log.1.gz"} << true << "Done";
    QTest::newRow("a failed import: its message shown") << QStringList{"/logs/access.log"} << false << "Error";
    QTest::newRow("cancelled: nothing imported") << QStringList{} << true << "";
}

void TestLinksDialog::importLog()
{
    QFETCH(QStringList, picked);
    QFETCH(bool, succeeds);
    QFETCH(QString, title);
    const QString app = fx().app.path();
    publishTwoLinks(app);
    QList<QStringList> calls;
    const auto import = [&calls, succeeds](const QString& folder, const QStringList& logs) {
        calls << logs;
        ClickCounts counts;
        counts.add("keto", "qr", QDateTime::currentDateTimeUtc().date(), 5);
        if (!counts.write(AppFolder::clicksPath(folder)).ok() || !succeeds)
            return Result<QString>(fail("the log is cut short"));
        return Result<QString>("Read 2 logs: 5 clicks counted.");
    };
    fx().platform.pickedFileLists.enqueue(picked);
    LinksDialog dialog(fx().platform, app, &fx().window(), import);
    QSignalSpy imported(&dialog, &LinksDialog::logsImported);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdImportLog"), Qt::LeftButton);
    if (!picked.isEmpty())
        QVERIFY(imported.wait(120000));
    QCOMPARE(calls, picked.isEmpty() ? QList<QStringList>() : QList<QStringList>{picked});
    QCOMPARE(fx().messageTitles(), title.isEmpty() ? QStringList() : QStringList{title});
    QCOMPARE(dialog.findChild<QTableWidget*>("tblLinks")->item(0, LinksDialog::QrColumn)->text(),
             picked.isEmpty() ? "0" : "5");
}

QTEST_MAIN(TestLinksDialog)
#include "tst_linksdialog.moc"
