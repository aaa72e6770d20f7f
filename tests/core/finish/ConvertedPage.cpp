#include "ConvertedPage.h"

#include "Converter.h"
#include "PageFixture.h"
#include "SpiedArgument.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>

using namespace orvanta::page;
using namespace orvanta::engine;

bool render(const QString& app, const QString& html, const QString& pdf)
{
    ConverterRun run;
    QSignalSpy finished(&run, &ConverterRun::finished);
    run.start(ConverterCommand(app, html, pdf), pdf);
    return finished.wait(120000) && spiedArgument<RenderResult>(finished.at(0).at(0)).ok();
}

BuiltPage convertedPage(const TestAppFolder& app, const QString& review)
{
    PageFields fields = catalogueFields(app);
    fields.review = review;
    const Result<BuiltPage> built = BuildPage(app.path(), fields);
    QFile::remove(built->htmlPath);
    const bool made =
        built.ok() && WritePage(built.value()).ok() && render(app.path(), built->htmlPath, built->pdfPath);
    return made ? built.value() : BuiltPage();
}

QString missingPdfTool()
{
    for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm", "pdfimages", "qpdf", "wkhtmltopdf"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return QString("%1 is not installed").arg(tool);
    }
    return QString();
}
