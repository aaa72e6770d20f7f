#include "PipelineTestCase.h"

#include "AppFolder.h"
#include "Sandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::engine;

namespace {
constexpr int Patience = 30000;
} // namespace

const QByteArray EarlierPdf("%PDF-1.4\nearlier\n%%EOF\n");
const QByteArray LastArgument = "for a; do pdf=$a; done; ";
const QByteArray WritePdf = LastArgument + "printf '%%PDF-1.4\\n1 0 obj\\nendobj\\n%%%%EOF\\n' > \"$pdf\"";

QStringList entriesOf(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral(".keep"));
    return names;
}

qint64 deadPid()
{
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    gone.waitForFinished();
    return gone.processId() > 0 ? gone.processId() : 999999;
}

QStringList privateNamesBelow(const QString& folder)
{
    static const QRegularExpression privateName(QStringLiteral("^\\.(job|preview|orvanta)[ -]"));
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (privateName.match(it.fileName()).hasMatch())
            found << it.filePath();
    }
    return found;
}

void PipelineTestCase::init()
{
    m_page = std::make_unique<PageFixture>();
    QVERIFY(m_page->isValid());
}

PageOrder PipelineTestCase::order(PageOrder::Place place) const
{
    PageOrder order;
    order.app = m_page->app().path();
    order.fields = m_page->typicalFields();
    order.catalogueEntryChosen = true;
    order.options.fitToContent = false;
    order.place = place;
    order.outputFolder = output();
    return order;
}

PageResult PipelineTestCase::runToEnd(const PageOrder& order, EngineStarter& starter, PagePipeline** kept)
{
    auto* pipeline = new PagePipeline(starter, this);
    QSignalSpy finished(pipeline, &PagePipeline::finished);
    pipeline->start(order);
    [&] { QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, Patience); }();
    const PageResult result = pipeline->result();
    if (kept)
        *kept = pipeline;
    else
        delete pipeline;
    return result;
}

void PipelineTestCase::cleanup()
{
    qunsetenv("ORVANTA_CHROMIUM");
    Sandbox::useProgram({});
}

QString PipelineTestCase::output(const QString& name) const
{
    const QString folder = AppFolder::outputFolder(m_page->app().path());
    return name.isEmpty() ? folder : folder + '/' + name;
}
