#include "WindowTestCase.h"

#include "AppFolder.h"
#include "LinksDialog.h"
#include "MainWindow.h"
#include "ShortLinkStore.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::links;

/** Campaign > Links wired to the table on disk: what it lists, and Re-point through to the redirect files. */
class TestLinksDialog final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void repoint_data();
    void repoint();
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

QTEST_MAIN(TestLinksDialog)
#include "tst_linksdialog.moc"
