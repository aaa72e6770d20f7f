#include "PipelineTestCase.h"

#include "AppFolder.h"
#include "Leftovers.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::finish;

/** What runs that died leave behind is swept away; nothing else is, whatever a PDF is named. */
class TestLeftovers final : public PipelineTestCase {
    Q_OBJECT

private Q_SLOTS:
    void sweepTakesOnlyWhatDeadRunsLeft();
    void sweepLeavesEveryPdfName_data();
    void sweepLeavesEveryPdfName();
};

void TestLeftovers::sweepTakesOnlyWhatDeadRunsLeft()
{
    const QString app = m_page->app().path();
    const QString temp = AppFolder::tempFolder(app);
    const QString dead = QString::number(deadPid());
    const QString living = QString::number(QCoreApplication::applicationPid());
    writeFile(temp + "/.job " + dead + " AbC123/page.html", "left by a killed job");
    writeFile(temp + "/.job-" + dead + "-OlD123/page.html", "left by a killed job of an earlier version");
    writeFile(temp + "/.preview " + living + " XyZ789/page.html", "a living window's preview");
    writeFile(temp + "/.chromium " + dead + " PrO123/Default/Preferences", "the profile of a killed program's browser");
    writeFile(temp + "/.pages " + dead + " root/.orvanta " + dead + " PaG123/page.html",
              "a killed program's engine copy");
    writeFile(m_page->bin(".orvanta " + dead + " CoP123/page.html"), "the converter's copy of a killed run");
    // Images keep their own names in bin, blanks and all.
    const QString image = ".orvanta " + dead + " ImG123.png";
    writeFile(m_page->bin(image), "an image's copy");
    writeFile(output(".orvanta " + dead + " QwE456.pdf"), "half");
    writeFile(output(".orvanta " + dead + " QwE456.pdf.aBcDeF"), "a fitting cut short");
    writeFile(output(".orvanta " + living + " RtY012.pdf"), "being converted");
    // Earlier versions' names beside the output cannot be told from a user's PDF named so.
    writeFile(output(".orvanta-" + dead + "-QwE456.pdf"), "a user's or an earlier version's");
    // What an older version set aside: put back where its PDF is gone, dropped where a newer one stands.
    writeFile(output(".lost.pdf.earlier-Ab12Cd"), EarlierPdf);
    writeFile(output(".kept.pdf.earlier-Ef34Gh"), "older");
    writeFile(output("kept.pdf"), "newer");
    // A link with a private name goes; what it points at is not the run's.
    const QString elsewhere = writeFile(m_page->picture("elsewhere/keep.txt"), "not Orvanta's");
    QVERIFY(QFile::link(QFileInfo(elsewhere).absolutePath(), temp + "/.job " + dead + " LnK123"));
    Leftovers::sweep(app);
    QCOMPARE(entriesOf(temp).filter(QRegularExpression("^\\.")), QStringList{".preview " + living + " XyZ789"});
    QCOMPARE(entriesOf(output()), (QStringList{".orvanta " + living + " RtY012.pdf", ".orvanta-" + dead + "-QwE456.pdf",
                                               "kept.pdf", "lost.pdf"}));
    QCOMPARE(entriesOf(m_page->bin(QString())).filter(".orvanta "), QStringList{image});
    QCOMPARE(bytesOf(output("lost.pdf")), EarlierPdf);
    QCOMPARE(bytesOf(output("kept.pdf")), QByteArray("newer"));
    QCOMPARE(bytesOf(elsewhere), QByteArray("not Orvanta's"));
}

void TestLeftovers::sweepLeavesEveryPdfName_data()
{
    QTest::addColumn<QString>("pdfName");
    const QString dead = QString::number(deadPid());
    for (const char* purpose : {"job", "preview", "orvanta"}) {
        for (const char* suffix : {"", ".pdf", ".pdf.aBcDeF"}) {
            const QString old = QString(".") + purpose + "-" + dead + "-AbC123" + suffix;
            const QString blanks = QString(".") + purpose + " " + dead + " AbC123" + suffix;
            QTest::newRow(qPrintable("earlier style " + old)) << old;
            QTest::newRow(qPrintable("with blanks " + blanks)) << blanks;
        }
    }
    QTest::newRow("set aside by an earlier version") << ".guide.pdf.earlier-AbC123";
}

// A name the user gives a PDF is never taken for a dead run's private file.
void TestLeftovers::sweepLeavesEveryPdfName()
{
    QFETCH(QString, pdfName);
    m_page->app().useStandInConverter(WritePdf);
    PageOrder named = order(PageOrder::Place::AppFolder);
    named.fields.pdfFileName = pdfName;
    named.options.saveWebPage = true;
    const PageResult result = runToEnd(named);
    QVERIFY2(result.ok(), qPrintable(result.error));
    const QString page = pageNameOf(pdfName);
    const QStringList made{output(page + ".pdf"), output(page + "/index.html"), m_page->bin(page + ".html")};
    for (const QString& file : made)
        QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));

    Leftovers::sweep(m_page->app().path());
    for (const QString& file : made)
        QVERIFY2(QFileInfo(file).isFile(), qPrintable(file + " was swept"));
}

QTEST_GUILESS_MAIN(TestLeftovers)
#include "tst_leftovers.moc"
