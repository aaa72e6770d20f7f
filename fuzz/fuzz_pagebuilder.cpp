// Builds and writes a page from arbitrary field values in a private application folder and checks,
// for every input: the written page is exactly the filled text and the tail, a page whose PDF name is
// accepted stays in bin (its PDF in bin/output), and nothing else in the folder changes.
// Input: one flag byte (bit 0 raw UTF-16, bit 1 own bonus), then the fields in the order of Field.
#include "FuzzInput.h"
#include "PageBuilder.h"
#include "PageSandbox.h"
#include "PdfName.h"
#include "Utf8Rules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

using namespace orvanta::campaign;
using namespace orvanta::page;

using FuzzInput::require;

namespace {
enum Field {
    PdfFileName,
    ProductId,
    MainTitle,
    Review,
    BonusHeadline,
    CtaTitle,
    CtaText,
    CtaUrl,
    Instructions,
    FieldCount
};

PageSandbox& sandbox()
{
    static PageSandbox box;
    if (!box.isValid())
        FuzzInput::fail("the private application folder could be set up", QDir::tempPath());
    return box;
}

PageFields pageFieldsOf(const QStringList& parts, bool ownBonus, const PageSandbox& box)
{
    PageFields fields;
    fields.pdfFileName = parts[PdfFileName];
    fields.rawProductId = parts[ProductId];
    fields.mainTitle = parts[MainTitle];
    fields.review = parts[Review];
    fields.bonusHeadline = parts[BonusHeadline];
    fields.ctaTitle = parts[CtaTitle];
    fields.ctaText = parts[CtaText];
    fields.ctaUrl = parts[CtaUrl];
    fields.bonusInstructions = parts[Instructions];
    fields.affiliateImagePath = box.affiliateImage();
    fields.ownBonus = ownBonus;
    fields.ownBonusImagePath = box.ownBonusImage();
    return fields;
}

// Where the file system puts a path, whatever "." and ".." it holds.
QString folderOf(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    return clean.left(clean.lastIndexOf(QLatin1Char('/')));
}

QString nameOf(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    return clean.mid(clean.lastIndexOf(QLatin1Char('/')) + 1);
}

// A name that would be a separator or a folder on any desktop system.
bool isPlainFileName(const QString& name)
{
    return !name.contains(QLatin1Char('\\')) && name != QLatin1String(".") && name != QLatin1String("..");
}

void checkPaths(const BuiltPage& page, const QString& app)
{
    const QString bin = QDir::cleanPath(QDir::fromNativeSeparators(app) + QStringLiteral("/bin"));
    require(folderOf(page.htmlPath) == bin && isPlainFileName(nameOf(page.htmlPath)),
            "the page of an accepted PDF name lies in bin", page.htmlPath);
    require(folderOf(page.pdfPath) == bin + QStringLiteral("/output") && isPlainFileName(nameOf(page.pdfPath)),
            "the PDF of an accepted PDF name lies in bin/output", page.pdfPath);
    require(nameOf(page.htmlPath).compare(QLatin1String("template.html"), Qt::CaseInsensitive) != 0,
            "the page never takes the template's name", page.htmlPath);
}

void checkFilledText(const PageFields& fields, const BuiltPage& page)
{
    const QString values = fields.mainTitle + fields.review + fields.bonusHeadline + fields.ctaTitle + fields.ctaText +
                           fields.ctaUrl + fields.bonusInstructions;
    // The title element holds the title escaped, so an apostrophe stands there as a character reference. No
    // expression here: it would not match text that holds a lone surrogate.
    const QString text = QString(page.filledText).remove(QStringLiteral("&#39;"));
    if (!values.contains(QLatin1Char('#')))
        require(!text.contains(QLatin1Char('#')), "every placeholder is filled", page.filledText);
}

void checkWrittenPage(const BuiltPage& page)
{
    QFile file(page.htmlPath);
    require(file.open(QIODevice::ReadOnly), "the written page can be read back", page.htmlPath);
    const QByteArray bytes = file.readAll();
    const QByteArray filled = Utf8Rules::encode(page.filledText);
    const QByteArray tail = pageTail().toUtf8();
    require(bytes.startsWith(filled), "the page starts with the UTF-8 of the filled text", page.filledText);
    require(bytes.endsWith(tail), "the page ends with the tail", page.filledText);
    require(bytes.size() == filled.size() + tail.size(), "the page holds nothing but text and tail", page.filledText);
}

void writeAndCheck(const BuiltPage& page)
{
    require(!QFileInfo::exists(page.htmlPath), "a new page never lands on an existing file", page.htmlPath);
    const Result<void> written = WritePage(page);
    require(written.ok(), "the page of an accepted PDF name can be written", written.error());
    checkWrittenPage(page);
    require(QFile::remove(page.htmlPath), "the written page can be removed", page.htmlPath);
}

QString differences(const QStringList& before, const QStringList& after)
{
    QStringList changed;
    for (const QString& entry : after)
        if (!before.contains(entry))
            changed << QStringLiteral("+ ") + entry;
    for (const QString& entry : before)
        if (!after.contains(entry))
            changed << QStringLiteral("- ") + entry;
    return changed.join(QLatin1Char('\n'));
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzInput::silenceQtWarnings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PageSandbox& box = sandbox();
    const FuzzInput::Flags flags = FuzzInput::flagsOf(data, size);
    const QStringList parts = FuzzInput::fieldsOf(FuzzInput::bodyOf(data, size), flags, FieldCount);
    const PageFields fields = pageFieldsOf(parts, flags.ownBonus, box);
    const bool accepted = pdfNameProblem(fields.pdfFileName).isEmpty();

    const Result<BuiltPage> result = BuildPage(box.app(), fields);
    if (result.ok()) {
        checkFilledText(fields, result.value());
        if (accepted) {
            checkPaths(result.value(), box.app());
            writeAndCheck(result.value());
        }
    } else {
        require(result.failure().is(BuildFailure::BonusImageMissing) && !fields.ownBonus,
                "only a missing catalogue bonus image stops a build", result.error());
    }
    const QStringList now = box.listing();
    require(now == box.initialListing(), "nothing but the page changes in the folder",
            differences(box.initialListing(), now));
    return 0;
}
