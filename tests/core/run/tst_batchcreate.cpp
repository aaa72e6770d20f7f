#include "BatchCreate.h"
#include "EngineStarter.h"

#include "AppFolder.h"
#include "Catalogue.h"
#include "Sandbox.h"
#include "TestAppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::engine;

namespace {
// The processes this test started that still run: the converters, whatever their names.
int runningChildren()
{
    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
    int count = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray stat = bytesOf(QStringLiteral("/proc/%1/stat").arg(pid));
        // "pid (name) state ppid ...": the name may hold blanks, so it is read after its closing parenthesis.
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(0) != "Z" && fields.at(1) == self)
            ++count;
    }
    return count;
}
} // namespace

/** Many campaigns on one application folder: how their converters take turns. */
class TestBatchCreate final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneConverterAtATimeFittingOverlaps();
};

// Each converter notes its start and waits for its own gate: the n-th waits for "go<n>".
void TestBatchCreate::oneConverterAtATimeFittingOverlaps()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    const QString log = app.file("converters.log");
    const QString script = QStringLiteral("for a; do pdf=$a; done\n"
                                          "n=$(grep -c start '%1' 2>/dev/null)\n"
                                          "echo start >> '%1'\n"
                                          "while [ ! -e '%2'\"${n:-0}\" ]; do sleep 0.05; done\n"
                                          "echo end >> '%1'\n"
                                          "printf '%%PDF-1.4\\n1 0 obj\\nendobj\\n%%%%EOF\\n' > \"$pdf\"")
                               .arg(log, app.file("go"));
    app.useStandInConverter(script.toUtf8());
    // The stand-ins keep their log in the application folder, which the sandbox hides.
    Sandbox::useProgram(writeOpenSandbox(app.file("bwrap")));
    const auto sandbox = qScopeGuard([] { Sandbox::useProgram({}); });
    JobSettings settings;
    settings.app = app.path();
    settings.outputFolder = AppFolder::outputFolder(app.path());
    QList<JobSource> sources;
    for (const char* name : {"one", "two"}) {
        Campaign campaign;
        campaign.ctaUrl = QStringLiteral("https://a.example/buy");
        campaign.affiliateImagePath = app.file("campaigns/keto-cookbook-cover.png");
        campaign.catalogueEntry = Catalogue::entries(app.path()).first();
        campaign.pdfFileName = QLatin1String(name);
        // Without picture sizing a job reaches its converter at once, in the call that starts it.
        campaign.optimiseImages = false;
        sources << JobSource{QLatin1String(name), {}, campaign, {}, {}};
    }
    BatchCreate batch(EngineStarter::direct(), sources, settings, 1);
    int runningWhenFirstDone = -1;
    connect(&batch, &BatchCreate::campaignFinished, this, [&](int index) {
        if (index == 0)
            runningWhenFirstDone = runningChildren();
    });
    QSignalSpy finished(&batch, &BatchCreate::finished);
    // A failed check leaves no converter waiting for its gate.
    const auto openGates = qScopeGuard([&] {
        writeFile(app.file("go0"), {});
        writeFile(app.file("go1"), {});
    });
    const auto lines = [&] { return QString::fromUtf8(bytesOf(log)).split('\n', Qt::SkipEmptyParts); };

    batch.start();
    QTRY_COMPARE_WITH_TIMEOUT(lines(), QStringList{"start"}, 30000);
    QCOMPARE(runningChildren(), 1);
    writeFile(app.file("go0"), {});
    QTRY_COMPARE_WITH_TIMEOUT(lines(), (QStringList{"start", "end", "start"}), 30000);
    // The second converter ran before the first job was finished: its finishing overlapped the next conversion.
    QTRY_VERIFY_WITH_TIMEOUT(runningWhenFirstDone >= 0, 30000);
    QCOMPARE(runningWhenFirstDone, 1);
    writeFile(app.file("go1"), {});
    QVERIFY(finished.wait(30000));
    QVERIFY2(batch.allMade(), qPrintable(batch.outcome(0).error + batch.outcome(1).error));
}

QTEST_GUILESS_MAIN(TestBatchCreate)
#include "tst_batchcreate.moc"
