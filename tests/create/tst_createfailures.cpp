#include "CreateFixture.h"

#include "AppFolder.h"
#include "CreateCommand.h"
#include "MainWindow.h"
#include "PdfName.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <unistd.h>

Q_DECLARE_METATYPE(WizardInput)

namespace {
/** Keeps a file from being deleted for as long as it lives (root ignores folder permissions). */
class UndeletableFile final {
public:
    explicit UndeletableFile(const QString& path)
        : m_path(path)
        , m_folder(QFileInfo(path).absolutePath())
    {
        if (::geteuid() == 0)
            m_immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path}) == 0;
        else
            m_folderLocked = QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~UndeletableFile()
    {
        if (m_immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        if (m_folderLocked)
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool isActive() const { return m_immutable || m_folderLocked; }

private:
    QString m_path;
    QString m_folder;
    bool m_immutable = false;
    bool m_folderLocked = false;
};

bool isProcessAlive(const QString& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const QByteArray state = line.mid(line.lastIndexOf(')') + 2, 1);
    return state != "Z" && state != "X";
}

WizardInput with(void (*change)(WizardInput&))
{
    WizardInput input;
    change(input);
    return input;
}
} // namespace

/** Everything that stops the "Create" job: incomplete input, file operations and the converter. */
class TestCreateFailures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void checksInOrder_data();
    void checksInOrder();
    void fileFailures_data();
    void fileFailures();
    void converterFailures_data();
    void converterFailures();
    void pageThatCannotBeDeleted();

private:
    QByteArray m_path;
};

void TestCreateFailures::init()
{
    m_path = qgetenv("PATH");
}

void TestCreateFailures::cleanup()
{
    qputenv("PATH", m_path);
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestCreateFailures::checksInOrder_data()
{
    const QString fields = QStringLiteral("Please complete all the required fields.");
    QTest::addColumn<WizardInput>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("all empty") << with([](WizardInput& i) {
        i = {QString(), false, false, false, false, QStringLiteral("http://"), {}, {}, {}, {}};
    }) << "Please enter a name for the pdf.";
    QTest::newRow("forbidden characters") << with([](WizardInput& i) { i.pdfName = "a:b*c"; i.affiliateImage = false; })
                                          << PdfNameProblem("a:b*c");
    QTest::newRow("folder in the name") << with([](WizardInput& i) { i.pdfName = "../guide"; }) << PdfNameProblem("../guide");
    QTest::newRow("no affiliate image") << with([](WizardInput& i) { i.affiliateImage = false; i.cloudBonus = false; })
                                        << "Please select an image of the affiliate product that you want to promote "
                                           "(like a product cover etc). You can do this from the first tab. ";
    QTest::newRow("no bonus") << with([](WizardInput& i) { i.cloudBonus = false; i.ctaText.clear(); })
                              << "Please select a bonus from the list or enable the option to use your own bonus.";
    QTest::newRow("link left at http://") << with([](WizardInput& i) { i.ctaUrl = "http://"; }) << fields;
    QTest::newRow("empty link") << with([](WizardInput& i) { i.ctaUrl.clear(); }) << fields;
    QTest::newRow("empty button text") << with([](WizardInput& i) { i.ctaText.clear(); i.ownBonus = true; }) << fields;
    QTest::newRow("empty title") << with([](WizardInput& i) { i.adTitle.clear(); }) << fields;
    const QString ownImage = QStringLiteral("If you want to use your own bonus, please provide an image for it to use as description.");
    QTest::newRow("own bonus without image") << with([](WizardInput& i) { i.ownBonus = true; }) << ownImage;
    QTest::newRow("own bonus only, without image")
        << with([](WizardInput& i) { i.ownBonus = true; i.cloudBonus = false; }) << ownImage;
    QTest::newRow("complete") << WizardInput() << QString();
    QTest::newRow("name of blanks") << with([](WizardInput& i) { i.pdfName = "   "; }) << QString();
    QTest::newRow("link https:// only") << with([](WizardInput& i) { i.ctaUrl = "https://"; }) << QString();
    QTest::newRow("link HTTP:// in capitals") << with([](WizardInput& i) { i.ctaUrl = "HTTP://"; }) << QString();
    QTest::newRow("own bonus with image")
        << with([](WizardInput& i) { i.cloudBonus = false; i.ownBonus = i.ownImage = true; }) << QString();
}

void TestCreateFailures::checksInOrder()
{
    QFETCH(WizardInput, input);
    QFETCH(QString, message);
    CreateFixture f;
    QVERIFY(f.isValid());
    f.useQuickConverter();
    f.fill(input);
    auto* watch = new DisabledWatch(f.button("cmdCreate"));
    const QStringList before = f.app.snapshot();

    QVERIFY(f.create());
    if (message.isEmpty()) {
        QCOMPARE(f.messageTitles(), QStringList{"Done"});
        QCOMPARE(f.platform.commandLines.size(), 1);
        return;
    }
    QCOMPARE(f.platform.messages.size(), 1);
    const FakePlatform::Message& shown = f.platform.messages.first();
    QCOMPARE(shown.text, message);
    QCOMPARE(shown.title, QStringLiteral("Missing Info"));
    QVERIFY(shown.icon == MessageIcon::Information && !shown.yesNo);
    QCOMPARE(f.app.snapshot(), before);
    QCOMPARE(f.window().pageFields().pdfFileName, input.pdfName);
    QVERIFY(!watch->wasDisabled);
    QVERIFY(f.isIdle());
}

void TestCreateFailures::fileFailures_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("busyEntered");
    QTest::newRow("affiliate image gone") << "image" << false;
    QTest::newRow("template gone") << "template" << false;
    QTest::newRow("sales-page image missing") << "salespage" << false;
    QTest::newRow("page cannot be written") << "page" << true;
}

void TestCreateFailures::fileFailures()
{
    QFETCH(QString, failure);
    QFETCH(bool, busyEntered);
    CreateFixture f;
    QVERIFY(f.isValid());
    f.useQuickConverter();
    f.fill(WizardInput());
    f.app.write("bin/old.html", "<p>earlier</p>");
    const QString page = f.app.file("bin/guide.html");
    QString expected;
    if (failure == "image")
        QFile::remove(expected = f.outside.filePath("cover.png"));
    else if (failure == "template")
        QFile::remove(expected = AppFolder::templatePath(f.app.path()));
    else if (failure == "salespage")
        QFile::remove(f.bonusFolder(CreateFixture::BonusRow) + "/salespage.gif");
    else
        QDir().mkpath(expected = page);
    bool idleWhenShown = false;
    f.platform.onMessage = [&](const FakePlatform::Message&) { idleWhenShown = f.isIdle(); };
    auto* watch = new DisabledWatch(f.button("cmdCreate"));

    QVERIFY(f.create());
    QCOMPARE(f.messageTitles(), QStringList{"Error"});
    const FakePlatform::Message& shown = f.platform.messages.first();
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    if (failure == "salespage")
        QCOMPARE(shown.text, "Target file not found.\n" + f.bonusFolder(CreateFixture::BonusRow) + "/salespage.gif");
    else
        QVERIFY2(shown.text.contains(expected), qPrintable(shown.text));
    QVERIFY(idleWhenShown);
    QCOMPARE(watch->wasDisabled, busyEntered);
    QVERIFY(!QFile::exists(f.app.file("bin/old.html")));
    QVERIFY(!QFileInfo(page).isFile());
    QVERIFY(f.platform.commandLines.isEmpty());
    QCOMPARE(f.window().pageFields().pdfFileName, QStringLiteral("guide"));
}

void TestCreateFailures::converterFailures_data()
{
    QTest::addColumn<QString>("converter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("exits with an error") << "fails" << QStringList{"exit code 3", "Error: Failed loading page"};
    QTest::newRow("not installed") << "missing" << QStringList{"could not be started"};
    QTest::newRow("hangs") << "hangs" << QStringList{"did not finish within 0.5 seconds"};
}

void TestCreateFailures::converterFailures()
{
    QFETCH(QString, converter);
    QFETCH(QStringList, expected);
    CreateFixture f;
    QVERIFY(f.isValid());
    f.fill(WizardInput());
    const QString childPid = f.outside.filePath("child.pid");
    if (converter == "fails") {
        f.app.useStandInConverter("echo 'Loading pages (1/6)'\necho 'Error: Failed loading page' >&2\nexit 3");
    } else if (converter == "missing") {
        QVERIFY(QFile::remove(AppFolder::converterPath(f.app.path())));
        qputenv("PATH", f.outside.path().toLocal8Bit());
    } else {
        f.app.useStandInConverter("sleep 30 &\necho $! > '" + childPid.toUtf8() + "'\nwait");
        f.window().createCommand().setTimeLimitMs(500);
    }
    expected << AppFolder::converterPath(f.app.path());

    QVERIFY(f.create());
    QCOMPARE(f.messageTitles(), QStringList{"Error"});
    for (const QString& part : expected)
        QVERIFY2(f.platform.messages.first().text.contains(part), qPrintable(f.platform.messages.first().text));
    QCOMPARE(f.platform.messages.first().icon, MessageIcon::Exclamation);
    QVERIFY(f.isIdle());
    QVERIFY(!QFile::exists(f.app.file("bin/output/guide.pdf")));
    if (converter == "hangs") {
        const QString pid = QString::fromLatin1(bytesOf(childPid)).trimmed();
        QVERIFY(!pid.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!isProcessAlive(pid), 10000);
    }
}

void TestCreateFailures::pageThatCannotBeDeleted()
{
    CreateFixture f;
    QVERIFY(f.isValid());
    f.useQuickConverter();
    f.fill(WizardInput());
    const QString old = f.app.write("bin/old.html", "<p>earlier</p>");
    const UndeletableFile lock(old);
    if (!lock.isActive())
        QSKIP("This system cannot protect a file from deletion");
    auto* watch = new DisabledWatch(f.button("cmdCreate"));

    QVERIFY(f.create());
    QCOMPARE(f.messageTitles(), QStringList{"Error"});
    QVERIFY2(f.platform.messages.first().text.contains(old), qPrintable(f.platform.messages.first().text));
    QVERIFY(f.isIdle());
    QVERIFY(!watch->wasDisabled);
    QCOMPARE(bytesOf(old), QByteArray("<p>earlier</p>"));
    QVERIFY(!QFile::exists(f.app.file("bin/guide.html")));
    QVERIFY(!QFile::exists(f.app.file("bin/cover.png")));
    QVERIFY(f.platform.commandLines.isEmpty());
}

QTEST_MAIN(TestCreateFailures)
#include "tst_createfailures.moc"
