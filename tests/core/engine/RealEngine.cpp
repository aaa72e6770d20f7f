#include "RealEngine.h"

#include "Catalogue.h"
#include "Converter.h"
#include "HelperOps.h"
#include "SpiedArgument.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::engine;

RenderResult convert(const TestAppFolder& app, const BuiltPage& page, PdfEngine engine, QString* sandboxNote)
{
    ConverterRun converterRun;
    ChromiumRun chromiumRun;
    PdfRun* run = &converterRun;
    if (engine == PdfEngine::Chromium) {
        run = &chromiumRun;
        chromiumRun.start(app.path(), page.htmlPath, page.pdfPath);
    }
    QSignalSpy finished(run, &PdfRun::finished);
    if (engine == PdfEngine::Converter)
        converterRun.start(ConverterCommand(app.path(), page.htmlPath, page.pdfPath), page.pdfPath);
    if (!finished.wait(120000))
        return fail(QStringLiteral("the engine did not report"));
    if (sandboxNote)
        *sandboxNote = run->sandboxNote();
    return spiedArgument<RenderResult>(finished.at(0).at(0));
}

QList<PdfEngine> installedEngines()
{
    QList<PdfEngine> engines;
    if (!QStandardPaths::findExecutable("wkhtmltopdf").isEmpty())
        engines << PdfEngine::Converter;
    if (!chromiumProgram().isEmpty())
        engines << PdfEngine::Chromium;
    return engines;
}

void engineColumn()
{
    QTest::addColumn<PdfEngine>("engine");
}

QTestData& engineRow(PdfEngine engine, const char* what)
{
    return QTest::addRow("%s%s%s", qPrintable(engineKey(engine)), *what ? ": " : "", what) << engine;
}

void everyEngine()
{
    engineColumn();
    for (PdfEngine engine : installedEngines())
        engineRow(engine);
}

QString pdfObjects(const QString& pdf)
{
    return QString::fromUtf8(runTool(
        "qpdf", {"--qdf", "--object-streams=disable", "--no-original-object-ids", "--decode-level=none", pdf, "-"}));
}

PageFields twoPictures(const TestAppFolder& app)
{
    const QStringList entries = Catalogue::entries(app.path());
    const auto salesPage = [&](int row) {
        const QString rawId = Catalogue::readProductId(app.path(), entries.value(row));
        return Catalogue::salesPagePath(app.path(), Catalogue::cleanProductId(rawId));
    };
    PageFields fields;
    fields.affiliateImagePath = salesPage(0);
    fields.rawProductId = Catalogue::readProductId(app.path(), entries.value(1));
    fields.ctaUrl = "https://example.com/buy";
    fields.pdfFileName = "pictures";
    return fields;
}

BuiltPage writtenPage(const TestAppFolder& app, const QString& review, const QString& pdfName)
{
    PageFields fields = twoPictures(app);
    fields.review = review;
    fields.pdfFileName = pdfName;
    const Result<BuiltPage> built = BuildPage(app.path(), fields);
    return built.ok() && WritePage(built.value()).ok() ? built.value() : BuiltPage();
}

bool showsPicture(const QString& pdf, const QString& gif)
{
    const QByteArray header = bytesOf(gif).left(10);
    const auto number = [&](int at) { return int(quint8(header.at(at))) | int(quint8(header.at(at + 1))) << 8; };
    if (header.size() < 10 || !header.startsWith("GIF"))
        return false;
    const QString list = QString::fromUtf8(runTool("pdfimages", {"-list", pdf}));
    return list.contains(QRegularExpression(QStringLiteral("\\bimage\\s+%1\\s+%2\\s").arg(number(6)).arg(number(8))));
}

bool enginesAndToolsInstalled(QString* missing)
{
    for (const char* tool : {"pdfinfo", "pdftotext", "pdfimages", "qpdf"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            *missing = QString("%1 is not installed").arg(tool);
            return false;
        }
    }
    *missing = "neither wkhtmltopdf nor chromium is installed";
    return !installedEngines().isEmpty();
}
