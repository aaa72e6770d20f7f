#include "Converter.h"
#include "EngineShared.h"

#include "AppFolder.h"
#include "SpiedArgument.h"
#include "TestAppFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <optional>

#ifdef Q_OS_UNIX
#include <signal.h>

using namespace orvanta::files;
using namespace orvanta::engine;
#endif

namespace {
// The page may read only its own folder and the scripts' real folder (a private folder links to it), and no network.
QString options(const QString& app, const QString& pageFolder)
{
    return "--disable-local-file-access --allow \"" + pageFolder + "\" --allow \"" + app + "/bin/assets\" --proxy " +
           refusingProxy() + " --page-width 210mm --page-height 5000mm";
}
constexpr int Patience = 30000;

// The stand-in finds the PDF, its last argument, in $last.
void writeScript(const QString& path, const QByteArray& body)
{
    writeFile(path, "#!/bin/sh\nfor last; do :; done\n" + body + "\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}

// A killed process lingers as a zombie until its parent reaps it; that counts as gone.
bool isRunning(qint64 pid)
{
#ifdef Q_OS_UNIX
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.readAll();
        return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0;
#else
    Q_UNUSED(pid);
    return false;
#endif
}
// Pids inside the sandbox are its own: a process is found by what it runs.
bool runsWith(const QByteArray& argument)
{
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile commandLine("/proc/" + pid + "/cmdline");
        if (commandLine.open(QIODevice::ReadOnly) && commandLine.readAll().split('\0').contains(argument) &&
            isRunning(pid.toLongLong()))
            return true;
    }
    return false;
}
} // namespace

/** The converter's command line and one converter run, with stand-in scripts in its place. */
class TestConverter final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void proxyRefusesEveryConnection();
    void commandLine_data();
    void commandLine();
    void splitCommandLine_data();
    void splitCommandLine();
    void isWholePdf_data();
    void isWholePdf();
    void judgesTheRun_data();
    void judgesTheRun();
    void outputFolder();
    void missingConverter();
    void notExecutableConverter();
    void emptyCommandLineReportsLater();
    void timeLimitStopsTheProcessTree();

private:
    void run(const QString& pdfPath, int timeLimitMs, std::optional<RenderResult>& result);
    QString converter() const { return AppFolder::converterPath(m_app->path()); }
    QString command(const QString& pdfPath) const { return ConverterCommand(m_app->path(), m_html, pdfPath); }

    QByteArray m_path;
    std::unique_ptr<QTemporaryDir> m_app;
    QString m_html;
    QString m_pdf;
};

void TestConverter::initTestCase()
{
    m_path = qgetenv("PATH");
}

void TestConverter::init()
{
    m_app = std::make_unique<QTemporaryDir>();
    QVERIFY(m_app->isValid());
    m_html = m_app->filePath("bin/guide.html");
    m_pdf = m_app->filePath("bin/output/guide.pdf");
    writeFile(m_html, "<html><body>guide</body></html>");
}

void TestConverter::cleanup()
{
    qputenv("PATH", m_path);
}

void TestConverter::run(const QString& pdfPath, int timeLimitMs, std::optional<RenderResult>& result)
{
    ConverterRun converterRun;
    QSignalSpy finished(&converterRun, &ConverterRun::finished);
    converterRun.start(command(pdfPath), pdfPath, timeLimitMs);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, Patience);
    result = spiedArgument<RenderResult>(finished.at(0).at(0));
    QVERIFY(!converterRun.isRunning());
}

// The converter's only way out: a port nobody may answer on, refused at once rather than left to time out.
void TestConverter::proxyRefusesEveryConnection()
{
    const QUrl proxy(refusingProxy());
    QCOMPARE(proxy.host(), QString("127.0.0.1"));
    QTcpSocket socket;
    QSignalSpy failed(&socket, &QTcpSocket::errorOccurred);
    socket.connectToHost(proxy.host(), quint16(proxy.port()));
    QVERIFY(failed.wait(Patience));
    QCOMPARE(socket.error(), QAbstractSocket::ConnectionRefusedError);
    QTcpServer intruder;
    QVERIFY(!intruder.listen(QHostAddress::LocalHost, quint16(proxy.port())));
}

void TestConverter::commandLine_data()
{
    QTest::addColumn<QString>("app");
    QTest::addColumn<QString>("folder"); ///< the page's, below the application folder
    QTest::newRow("plain folder") << "/opt/orvanta"
                                  << "bin";
    QTest::newRow("blanks in the folder") << "/tmp/My App"
                                          << "bin";
    QTest::newRow("private folder of a job") << "/opt/orvanta"
                                             << "temp/.job 1234 x1Y2z3";
}

void TestConverter::commandLine()
{
    QFETCH(QString, app);
    QFETCH(QString, folder);
    const QString html = app + "/" + folder + "/guide.html";
    const QString pdf = app + "/bin/output/guide.pdf";
    QCOMPARE(ConverterCommand(app, html, pdf), "\"" + app + "/bin/wkhtmltopdf\"  " + options(app, app + "/" + folder) +
                                                   " \"" + html + "\" \"" + pdf + "\"");
}

void TestConverter::splitCommandLine_data()
{
    QTest::addColumn<QString>("app");
    QTest::newRow("plain") << "/opt/orvanta";
    QTest::newRow("blank") << "/tmp/My App";
    QTest::newRow("two blanks") << "/tmp/My  App";
    QTest::newRow("apostrophes") << "/tmp/O'Brien's App";
    QTest::newRow("non-Latin") << QString::fromUtf8("/tmp/Ünïcödé 指南");
}

void TestConverter::splitCommandLine()
{
    QFETCH(QString, app);
    const QString html = app + "/bin/my guide.html";
    const QString pdf = app + "/bin/output/my guide.pdf";
    const QStringList expected = {app + "/bin/wkhtmltopdf",
                                  "--disable-local-file-access",
                                  "--allow",
                                  app + "/bin",
                                  "--allow",
                                  app + "/bin/assets",
                                  "--proxy",
                                  refusingProxy(),
                                  "--page-width",
                                  "210mm",
                                  "--page-height",
                                  "5000mm",
                                  html,
                                  pdf};
    QCOMPARE(orvanta::engine::splitCommandLine(ConverterCommand(app, html, pdf)), expected);
}

void TestConverter::isWholePdf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("whole");
    QTest::newRow("whole") << QByteArray("%PDF-1.4\n1 0 obj\nendobj\n%%EOF") << true;
    QTest::newRow("line feed after the end") << QByteArray("%PDF-1.4\n%%EOF\n") << true;
    QTest::newRow("CR LF after the end") << QByteArray("%PDF-1.4\r\n%%EOF\r\n") << true;
    QTest::newRow("blanks after the end") << QByteArray("%PDF-1.4\n%%EOF  \n") << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("header only") << QByteArray("%PDF-1.4\n") << false;
    QTest::newRow("truncated") << QByteArray("%PDF-1.4\n1 0 obj\n<<") << false;
    QTest::newRow("no header") << QByteArray("<html>%%EOF") << false;
    QTest::newRow("end marker not last") << QByteArray("%PDF-1.4\n%%EOF\n1 0 obj") << false;
}

void TestConverter::isWholePdf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, whole);
    QCOMPARE(orvanta::engine::isWholePdf(bytes), whole);
}

void TestConverter::judgesTheRun_data()
{
    const QByteArray writePdf = "printf '%%PDF-1.4\\n1 0 obj\\nendobj\\n%%%%EOF\\n' > \"$last\"";
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("mentioned");
    QTest::addColumn<QStringList>("notMentioned");
    const QString failed = QStringLiteral("The converter @PROGRAM@ ");
    QTest::newRow("exit 0, whole pdf") << writePdf + "; exit 0" << true << QStringList() << QStringList();
    QTest::newRow("exit 1, whole pdf, as offline")
        << writePdf + "; echo 'Warning: Failed to load https://cdnjs.cloudflare.com/x' >&2; exit 1" << true
        << QStringList() << QStringList();
    QTest::newRow("exit 2, no pdf") << QByteArray("echo 'Loading pages'; echo 'Error: Failed to load' >&2; exit 2")
                                    << false
                                    << QStringList{failed + "wrote no PDF to @PDF@ (exit code 2).\nIts last output:\n"
                                                            "Loading pages\nError: Failed to load"}
                                    << QStringList();
    QTest::newRow("exit 0, nothing written")
        << QByteArray("exit 0") << false << QStringList{failed + "wrote no PDF to @PDF@ (exit code 0)."}
        << QStringList{"Its last output"};
    QTest::newRow("exit 0, empty pdf") << QByteArray(": > \"$last\"; exit 0") << false
                                       << QStringList{failed + "wrote no PDF to @PDF@ (exit code 0)."}
                                       << QStringList{"Its last output"};
    QTest::newRow("exit 0, truncated pdf")
        << QByteArray("printf '%%PDF-1.4\\n1 0 obj' > \"$last\"") << false
        << QStringList{failed + "wrote an incomplete PDF to @PDF@ (exit code 0); the incomplete file was removed."}
        << QStringList();
    QTest::newRow("exit 1, half a pdf, its output")
        << QByteArray("printf '%%PDF-1.4\\n1 0 obj' > \"$last\"; echo 'Exit with code 1 due to network error'; exit 1")
        << false
        << QStringList{failed + "wrote an incomplete PDF to @PDF@ (exit code 1); the incomplete file was removed.\n"
                                "Its last output:\nExit with code 1 due to network error"}
        << QStringList();
    QTest::newRow("crash") << QByteArray("echo 'Loading pages'; kill -s SEGV $$") << false
                           << QStringList{failed + "crashed.\nIts last output:\nLoading pages"} << QStringList();
    QTest::newRow("crash after half a pdf")
        << QByteArray("printf '%%PDF-1.4\\n1 0' > \"$last\"; kill -s SEGV $$") << false
        << QStringList{failed + "crashed."} << QStringList{"Its last output", "incomplete"};
    // As another program, the user or the system's memory guard stops a hung converter: no crash of its own.
    for (const char* signal : {"TERM", "KILL"})
        QTest::newRow(qPrintable(QString("stopped from outside by SIG%1").arg(signal)))
            << "echo 'Loading pages'; kill -s " + QByteArray(signal) + " $$" << false
            << QStringList{failed + "was stopped from outside Orvanta"} << QStringList{"crashed"};
    QTest::newRow("only the last output lines")
        << QByteArray("for i in 1 2 3 4 5 6 7 8 9; do echo \"line $i\"; done; exit 2") << false
        << QStringList{"line 5", "line 9"} << QStringList{"line 4"};
}

void TestConverter::judgesTheRun()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, ok);
    QFETCH(QStringList, mentioned);
    QFETCH(QStringList, notMentioned);
    writeScript(converter(), script);
    std::optional<RenderResult> result;
    run(m_pdf, Patience, result);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(result->ok() == ok, qPrintable(result->error()));
    for (QString text : mentioned) {
        text.replace("@PROGRAM@", converter()).replace("@PDF@", QDir::toNativeSeparators(m_pdf));
        QVERIFY2(result->error().contains(text), qPrintable(text + " missing in: " + result->error()));
    }
    for (const QString& text : notMentioned)
        QVERIFY2(!result->error().contains(text), qPrintable(result->error()));
    // A failed run leaves nothing at its private path.
    const QStringList left = QDir(QFileInfo(m_pdf).path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, ok ? QStringList{"guide.pdf"} : QStringList());
}

void TestConverter::outputFolder()
{
    writeScript(converter(), "printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$last\"");
    {
        const QString pdf = m_app->filePath("bin/gone/deeper/guide.pdf");
        std::optional<RenderResult> result;
        run(pdf, Patience, result);
        QVERIFY2(result->ok(), qPrintable(result->error()));
        QVERIFY(QFileInfo::exists(pdf));
    }
    {
        writeFile(m_app->filePath("bin/blocked"), "a file where the folder should be");
        const QString pdf = m_app->filePath("bin/blocked/output/guide.pdf");
        std::optional<RenderResult> result;
        run(pdf, Patience, result);
        QVERIFY(!result->ok());
        QVERIFY2(result->error().contains(m_app->filePath("bin/blocked/output")), qPrintable(result->error()));
    }
}

void TestConverter::missingConverter()
{
    QTemporaryDir path;
    QVERIFY(path.isValid());
    qputenv("PATH", QFile::encodeName(path.path()));
    {
        std::optional<RenderResult> result;
        run(m_pdf, Patience, result);
        QVERIFY(!result->ok());
        QVERIFY2(result->error().contains(converter()), qPrintable(result->error()));
    }
    {
        // A converter installed on the system stands in for a missing one in bin.
        writeScript(path.filePath("wkhtmltopdf"), "printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$last\"");
        std::optional<RenderResult> result;
        run(m_pdf, Patience, result);
        QVERIFY2(result->ok(), qPrintable(result->error()));
    }
}

void TestConverter::notExecutableConverter()
{
    writeScript(converter(), "exit 0");
    QFile::setPermissions(converter(), QFile::ReadOwner | QFile::WriteOwner);
    std::optional<RenderResult> result;
    run(m_pdf, Patience, result);
    QVERIFY(!result->ok());
    QCOMPARE(result->error(), "The converter could not be started: " + converter() + " is not executable.");
}

void TestConverter::emptyCommandLineReportsLater()
{
    // Callers connect to finished() after start() returns; a report from inside start() would be lost.
    ConverterRun converterRun;
    converterRun.start(QString(), m_pdf);
    QSignalSpy finished(&converterRun, &ConverterRun::finished);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, Patience);
    QVERIFY(!spiedArgument<RenderResult>(finished.at(0).at(0)).ok());
}

void TestConverter::timeLimitStopsTheProcessTree()
{
    const QByteArray child = "300." + QByteArray::number(QCoreApplication::applicationPid());
    // Half a PDF first: a run stopped at its limit leaves nothing at the PDF's path.
    writeScript(converter(), "printf '%%PDF-1.4\\n1 0 obj' > \"$last\"\nsleep " + child + " &\nsleep 300");
    ConverterRun converterRun;
    QSignalSpy finished(&converterRun, &ConverterRun::finished);
    converterRun.start(command(m_pdf), m_pdf, 1500);
    QTRY_VERIFY_WITH_TIMEOUT(runsWith(child), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, Patience);
    const RenderResult result = spiedArgument<RenderResult>(finished.at(0).at(0));
    QVERIFY(!result.ok());
    QCOMPARE(result.error(), "The converter " + converter() + " did not finish within 1.5 seconds and was stopped.");
    QVERIFY(!QFileInfo::exists(m_pdf));
    QTRY_VERIFY_WITH_TIMEOUT(!runsWith(child), 10000);
}

QTEST_GUILESS_MAIN(TestConverter)
#include "tst_converter.moc"
