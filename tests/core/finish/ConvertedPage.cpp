#include "ConvertedPage.h"

#include "Catalogue.h"
#include "Converter.h"
#include "SpiedArgument.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>

bool render(const QString& app, const QString& html, const QString& pdf)
{
    ConverterRun run;
    QSignalSpy finished(&run, &ConverterRun::finished);
    run.start(ConverterCommand(app, html, pdf), pdf);
    return finished.wait(120000) && spiedArgument<RenderResult>(finished.at(0).at(0)).ok();
}

BuiltPage convertedPage(const TestAppFolder& app, const QString& review)
{
    const QStringList entries = Catalogue::entries(app.path());
    const auto idOf = [&](int entry) { return Catalogue::readProductId(app.path(), entries.at(entry)); };
    const QString rawId = idOf(0);
    PageFields fields;
    fields.mainTitle = "Fitted Page Check";
    fields.affiliateImagePath = Catalogue::salesPagePath(app.path(), Catalogue::cleanProductId(idOf(1)));
    fields.review = review;
    fields.bonusHeadline = "Bonus Headline Here";
    fields.rawProductId = rawId;
    fields.ctaTitle = "Call To Action Title";
    fields.ctaText = "Click Here to Buy";
    fields.ctaUrl = "https://example.com/buy?ref=fit";
    fields.bonusInstructions = "Forward your receipt to claim.";
    fields.pdfFileName = "fit check";
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
