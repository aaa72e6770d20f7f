#include "EngineReport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace orvanta::engine;

namespace {
const QString tailScript = "https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js";
}

/** What the engines' runs say besides the PDF: the loads refused, and a page that went elsewhere. */
class TestEngineReport final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void converterOutput_data();
    void converterOutput();
    void refusedLines_data();
    void refusedLines();
    void outsideFilesNamed_data();
    void outsideFilesNamed();
};

void TestEngineReport::converterOutput_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("refused");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("unnamed"); // what the page loads from outside, by its markup
    const QString page = "Error: Failed loading page file:///app/bin/guide.html (sometimes it will work just to "
                         "ignore this error with --load-error-handling ignore)\n";
    const QString blank = "Error: Failed to load about:blank, with network status code 301 and http status code 0 - "
                          "Protocol \"about\" is unknown\n";
    QTest::newRow("blocked files, failed addresses, each once, in order, between progress bars")
        << "Loading page (1/2)\r[====>    ] 50%\rWarning: Blocked access to file /etc/passwd     \n" + blank +
               "Warning: Blocked access to file \nError: Failed to load https://fonts.example/a.css, with network "
               "status code 3 and http status code 0 - Host fonts.example not found\n"
               "Warning: Failed to load http://127.0.0.1:9/logo.png (ignore)\n"
               "Warning: Blocked access to file /etc/passwd\nDone\n"
        << QStringList{"/etc/passwd", "a file outside the page's folder", "https://fonts.example/a.css",
                       "http://127.0.0.1:9/logo.png"}
        << false << "" << QStringList();
    QTest::newRow("files blocked unnamed take the page's names, in order; then a plain description")
        << "Warning: Blocked access to file \nWarning: Blocked access to file /etc/passwd\n"
           "Warning: Blocked access to file \nWarning: Blocked access to file \n"
        << QStringList{"/home/me/logo.png", "/etc/passwd", "/home/me/a.css", "a file outside the page's folder"}
        << false << "" << QStringList{"/home/me/logo.png", "/etc/passwd", "/home/me/a.css"};
    QTest::newRow("the page tail's remote script left out")
        << "Error: Failed to load " + tailScript + ", with network status code 3\n"
        << QStringList() << false << "" << QStringList();
    QTest::newRow("left for an address that failed just before")
        << "Error: Failed to load http://example.com/x, with network status code 3\n[=====] 100%\n" + page
        << QStringList{"http://example.com/x"} << true << "http://example.com/x" << QStringList();
    QTest::newRow("left for a file blocked just before")
        << "Warning: Blocked access to file /etc/hostname\n" + blank + page << QStringList{"/etc/hostname"} << true
        << "/etc/hostname" << QStringList();
    QTest::newRow("left by a link, its address unsaid")
        << "Warning: Failed to load http://a.example/s.css (ignore)\n" + page +
               "Warning: Received createRequest signal on a disposed ResourceObject's NetworkAccessManager.\n"
        << QStringList{"http://a.example/s.css"} << true << "" << QStringList();
}

void TestEngineReport::converterOutput()
{
    QFETCH(QString, output);
    QFETCH(QStringList, refused);
    QFETCH(bool, left);
    QFETCH(QString, address);
    QFETCH(QStringList, unnamed);
    QCOMPARE(converterRefusals(output, unnamed), refused);
    const ConverterLeave leave = converterLeave(output);
    QCOMPARE(leave.left, left);
    QCOMPARE(leave.address, address);
    if (left)
        QCOMPARE(leave.page, "/app/bin/guide.html");
}

void TestEngineReport::refusedLines_data()
{
    QTest::addColumn<QStringList>("refused");
    QTest::addColumn<QStringList>("lines"); // the heading left out
    QTest::newRow("none, nothing said") << QStringList() << QStringList();
    QTest::newRow("a file by its path, an address as asked")
        << QStringList{"file:///home/me/logo%20x.png", "https://fonts.example/a.css"}
        << QStringList{"  /home/me/logo x.png", "  https://fonts.example/a.css"};
    QStringList seven;
    for (int n = 1; n <= 7; ++n)
        seven << QString("http://x.example/%1").arg(n);
    QTest::newRow("five, then how many more")
        << seven << QStringList{"  http://x.example/1", "  http://x.example/2", "  http://x.example/3",
                                "  http://x.example/4", "  http://x.example/5", "  and 2 more"};
    QTest::newRow("exactly five, no more said")
        << seven.mid(0, 5) << seven.mid(0, 5).replaceInStrings(QRegularExpression("^"), "  ");
    QTest::newRow("a long address cut") << QStringList{"data:text/plain," + QString(5000, 'a')}
                                        << QStringList{"  data:text/plain," + QString(200 - 16, 'a') + "…"};
}

void TestEngineReport::refusedLines()
{
    QFETCH(QStringList, refused);
    QFETCH(QStringList, lines);
    const QStringList said = orvanta::engine::refusedLines(refused);
    QCOMPARE(said.mid(1), lines);
    QCOMPARE(said.isEmpty(), refused.isEmpty());
}

void TestEngineReport::outsideFilesNamed_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("files"); // @UP@: the folder above the page's
    QTest::newRow("loads outside by address or relative, in order, each once")
        << "<img src=\"file:///etc/a.png\"><link rel=stylesheet href='../b.css'><img src=file:///etc/a.png>"
           "<div style=\"background:url(/etc/c.png)\"></div>"
        << QStringList{"/etc/a.png", "@UP@/b.css", "/etc/c.png"};
    QTest::newRow("the page's own files and the network left out, links never loaded")
        << "<img src=\"pic.png\"><script src=\"assets/js/x.js\"></script><img src=\"http://x.example/a.png\">"
           "<a href=\"file:///etc/passwd\">x</a>"
        << QStringList();
}

void TestEngineReport::outsideFilesNamed()
{
    QFETCH(QString, html);
    QFETCH(QStringList, files);
    QTemporaryDir page;
    QVERIFY(page.isValid());
    QVERIFY(QDir(page.path()).mkpath("assets/js"));
    const QStringList named = orvanta::engine::outsideFilesNamed(html, QUrl::fromLocalFile(page.filePath("page.html")),
                                                                 {page.path(), page.filePath("assets")});
    QCOMPARE(named, files.replaceInStrings("@UP@", QFileInfo(page.path()).absolutePath()));
}

QTEST_GUILESS_MAIN(TestEngineReport)
#include "tst_enginereport.moc"
