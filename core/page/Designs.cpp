#include "Designs.h"

#include "AppFolder.h"
#include "CampaignFields.h"
#include "FileToolkit.h"
#include "HelperOps.h"
#include "PageTr.h"
#include "PageWords.h"
#include "PictureCheck.h"
#include "SafeCopy.h"
#include "SizeText.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QUrl>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
const QString templateName = QStringLiteral("template.html");
const QString settingsName = QStringLiteral("design.ini");
const QString thumbnailName = QStringLiteral("thumbnail.png");
const QString rtlStyleName = QStringLiteral("rtl.css");
const QString listTemplateName = QStringLiteral("list.html");

// The design's files land in the page's folder beside the application's own; one named like them would replace
// the template, the converter or the page's scripts.
bool isTakenName(const QString& relative)
{
    const QString top = relative.section(QLatin1Char('/'), 0, 0);
    for (const char* taken :
         {"assets", "output", "wkhtmltopdf", "wkhtmltopdf.exe", "bonusdownloadinstructions.txt", "template-rtl.css"})
        if (top.compare(QLatin1String(taken), Qt::CaseInsensitive) == 0)
            return true;
    for (const QString& suffix : pictureSuffixes())
        if (top.compare(QStringLiteral("brand-logo.") + suffix, Qt::CaseInsensitive) == 0)
            return true;
    return relative.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

struct FolderScan {
    QStringList assets;
    qint64 bytes = 0;
    QString problem;
};

FolderScan scanFolder(const QString& folder)
{
    FolderScan scan;
    QDirIterator files(folder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    const QDir root(folder);
    while (files.hasNext()) {
        const QFileInfo info(files.next());
        const QString relative = root.relativeFilePath(info.filePath());
        // A link would bring whatever it points to into the page and the saved web page.
        if (info.isSymLink())
            return {{}, 0, PageTr::tr("\"%1\" is a link; a design holds its own files.").arg(relative)};
        if (info.isDir())
            continue;
        if (!info.isFile())
            return {{}, 0, PageTr::tr("\"%1\" is not an ordinary file.").arg(relative)};
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return {{}, 0, PageTr::tr("\"%1\" cannot be read: %2.").arg(relative, file.errorString())};
        scan.bytes += info.size();
        if (relative == templateName || relative == settingsName || relative == thumbnailName ||
            relative == rtlStyleName || relative == listTemplateName)
            continue;
        if (isTakenName(relative))
            return {
                {}, 0, PageTr::tr("\"%1\" is named like a page or a file of Orvanta; please rename it.").arg(relative)};
        scan.assets << relative;
    }
    scan.assets.sort();
    return scan;
}

QString missingPlaceholders(const QString& text)
{
    QStringList missing;
    for (const QString& placeholder : Designs::placeholders())
        if (!text.contains(placeholder))
            missing << placeholder;
    return missing.isEmpty()
               ? QString()
               : PageTr::tr("its template lacks the placeholder %1.").arg(missing.join(QStringLiteral(", ")));
}

// Plain "key=value" lines, the value verbatim up to the line's end: an INI reader would split a description at
// its commas, cut it at a ';' and take its quotes away. Keys in a section other than [General] are not ours.
QHash<QString, QString> settingsValues(const QByteArray& bytes)
{
    QHash<QString, QString> values;
    bool ours = true;
    const QString text = QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            ours = line.compare(QLatin1String("[General]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!ours || equals <= 0 || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        values.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return values;
}

QString readLook(const QString& path, Design& design)
{
    if (!QFileInfo::exists(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PageTr::tr("%1 cannot be read: %2.").arg(settingsName, file.errorString());
    const QHash<QString, QString> settings = settingsValues(file.read(Designs::maxDesignBytes));
    const QString title = settings.value(QStringLiteral("title"));
    design.title = title.isEmpty() ? design.name : title;
    design.description = settings.value(QStringLiteral("description"));
    Brand own;
    for (const CampaignField* field : CampaignFields::in(DesignIniKey))
        own.*field->brand = settings.value(QLatin1String(field->key));
    const QString problem = brandProblem(own);
    if (!problem.isEmpty())
        return PageTr::tr("%1: %2").arg(settingsName, problem);
    design.look = design.look.with(own);
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        if (it.key().startsWith(QLatin1String("word."), Qt::CaseInsensitive))
            design.words.insert(it.key().toLower(), it.value());
    const QString words = PageWordTables::overrideProblem(design.words);
    return words.isEmpty() ? QString() : PageTr::tr("%1: %2").arg(settingsName, words);
}

Design classic(const QString& app)
{
    Design design;
    design.name = design.title = Designs::classicName();
    design.description = PageTr::tr("The original page: a deep blue band, white cards and an orange button.");
    design.templatePath = AppFolder::templatePath(app);
    design.thumbnailPath = AppFolder::path(app, QStringLiteral("designs/classic-thumbnail.png"));
    design.rtlStylePath = AppFolder::path(app, QStringLiteral("bin/template-rtl.css"));
    return design;
}

QString tooLarge(qint64 bytes)
{
    return PageTr::tr("it holds %1; a design holds at most %2.")
        .arg(sizeOverText(bytes, Designs::maxDesignBytes), megabytesText(Designs::maxDesignBytes));
}

Result<QString> readUtf8(const QString& path)
{
    const Result<QByteArray> file = readBounded(path, Designs::maxDesignBytes);
    // One that grew holds at least what was read of it.
    if (!file && (file.failure().is(ReadFailure::TooLarge) || file.failure().is(ReadFailure::Grew)))
        return fail(tooLarge(qMax(QFileInfo(path).size(), Designs::maxDesignBytes + 1)));
    if (!file)
        return fail(PageTr::tr("%1 cannot be read: %2.").arg(path, file.error()));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(file.value());
    if (decoder.hasError())
        return fail(PageTr::tr("its %1 is not UTF-8 text.").arg(QFileInfo(path).fileName()));
    return text;
}

QStringList designFolders(const QString& app)
{
    return QDir(AppFolder::path(app, QStringLiteral("designs")))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

// Where letter case tells folders apart, "calm" and "Calm" are two designs of one name, as a campaign names it.
QString namesakeOf(const QStringList& folders, const QString& name)
{
    for (const QString& other : folders)
        if (other != name && other.compare(name, Qt::CaseInsensitive) == 0)
            return other;
    return {};
}

Design fromFolder(const QString& app, const QString& name, const QString& namesake)
{
    Design design;
    design.name = design.title = name;
    design.folder = AppFolder::path(app, QStringLiteral("designs/") + name);
    design.templatePath = inFolder(design.folder, templateName);
    design.thumbnailPath = inFolder(design.folder, thumbnailName);
    design.rtlStylePath = inFolder(design.folder, rtlStyleName);
    const auto unusable = [&design](const QString& why) {
        design.problem = PageTr::tr("The design \"%1\" cannot be used: %2").arg(design.name, why);
        design.assets.clear();
        return design;
    };
    if (name.compare(Designs::classicName(), Qt::CaseInsensitive) == 0)
        return unusable(PageTr::tr("its name is the name of Orvanta's own design."));
    if (!namesake.isEmpty())
        return unusable(
            PageTr::tr("its name differs from the design folder %1 only in letter case; please rename one of the two.")
                .arg(AppFolder::path(app, QStringLiteral("designs/") + namesake)));
    if (!QFileInfo(design.templatePath).isFile())
        return unusable(PageTr::tr("it has no %1.").arg(templateName));
    const FolderScan scan = scanFolder(design.folder);
    if (!scan.problem.isEmpty())
        return unusable(scan.problem);
    if (scan.bytes > Designs::maxDesignBytes)
        return unusable(tooLarge(scan.bytes));
    design.assets = scan.assets;
    const Result<QString> text = Designs::readTemplate(design);
    if (!text)
        return unusable(text.error());
    const QString missing = missingPlaceholders(text.value());
    if (!missing.isEmpty())
        return unusable(missing);
    const QString look = readLook(inFolder(design.folder, settingsName), design);
    return look.isEmpty() ? design : unusable(look);
}
} // namespace

namespace Designs {
QString classicName()
{
    return QStringLiteral("Classic");
}

QStringList placeholders()
{
    return {
        QStringLiteral("#OPENINGTITLE#"), QStringLiteral("#AFFILIATEIMAGE#"), QStringLiteral("#REVIEW#"),
        QStringLiteral("#BONUSTITLE#"),   QStringLiteral("#SALESPAGE#"),      QStringLiteral("#CTATITLE#"),
        QStringLiteral("#CTATEXT#"),      QStringLiteral("#CTAURL#"),         QStringLiteral("#BONUSINSTRUCTIONS#")};
}

QString qrCodePlaceholder()
{
    return QStringLiteral("#QRCODE#");
}

QStringList optionalPlaceholders()
{
    return {QStringLiteral("#AFFILIATEIMAGEALT#"),
            QStringLiteral("#SALESPAGEALT#"),
            QStringLiteral("#RATING#"),
            QStringLiteral("#VERDICT#"),
            QStringLiteral("#PROSANDCONS#"),
            QStringLiteral("#PROS#"),
            QStringLiteral("#CONS#")};
}

QList<Design> list(const QString& app)
{
    QList<Design> designs{classic(app)};
    const QStringList names = designFolders(app);
    for (const QString& name : names)
        designs << fromFolder(app, name, namesakeOf(names, name));
    return designs;
}

Design find(const QString& app, const QString& name)
{
    if (name.isEmpty() || name == classicName())
        return classic(app);
    if (name.compare(classicName(), Qt::CaseInsensitive) == 0)
        return classic(app);
    // Names only: every page build looks its design up, and reading each design's files is for the gallery.
    const QStringList names = designFolders(app);
    for (const QString& each : names)
        if (each.compare(name, Qt::CaseInsensitive) == 0)
            return fromFolder(app, each, namesakeOf(names, each));
    Design missing;
    missing.name = missing.title = name;
    missing.problem =
        PageTr::tr("There is no design \"%1\" in %2.").arg(name, AppFolder::path(app, QStringLiteral("designs")));
    return missing;
}

// Classic keeps the application's own reading rules; a design of a folder must be UTF-8 and whole.
Result<QString> readTemplate(const Design& design)
{
    if (!design.isClassic())
        return readUtf8(design.templatePath);
    QString text;
    QString error;
    if (!vFile::readTextFile(design.templatePath, &text, &error))
        return fail(error);
    return text;
}

// A list of products has its own page; a design without one takes the built-in list page in its look.
Result<QString> readListTemplate(const Design& design)
{
    const QString path = design.isClassic() ? QString() : inFolder(design.folder, listTemplateName);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return QString();
    const Result<QString> text = readUtf8(path);
    if (!text)
        return fail(PageTr::tr("The design \"%1\" cannot be used: %2").arg(design.name, text.error()));
    return text;
}

// After the template's own rules, so that they win; the brand's placeholders are filled in them too.
Result<QString> withRtlStyle(const Design& design, QString text)
{
    if (!QFileInfo::exists(design.rtlStylePath))
        return text;
    const Result<QString> rules = readUtf8(design.rtlStylePath);
    if (!rules)
        return fail(PageTr::tr("The design \"%1\" cannot be used: %2").arg(design.name, rules.error()));
    const qsizetype head = text.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    text.insert(qMax<qsizetype>(head, 0), QStringLiteral("<style>\n") + rules.value() + QStringLiteral("</style>\n"));
    return text;
}
} // namespace Designs

namespace Designs {
Result<QStringList> placeFiles(const Design& design, const QString& pageFolder)
{
    QStringList placed;
    for (const QString& relative : design.assets) {
        Result<void> copied = refuseLinks(pageFolder, relative);
        const QString target = QDir::cleanPath(pageFolder + QLatin1Char('/') + relative);
        if (copied.ok() && !QDir().mkpath(QFileInfo(target).absolutePath()))
            copied = fail(PageTr::tr("The folder %1 could not be created.").arg(QFileInfo(target).absolutePath()));
        if (copied.ok())
            copied = safeCopy(design.folder + QLatin1Char('/') + relative, target);
        if (!copied.ok())
            return copied.failure();
        placed << relative;
    }
    return placed;
}
} // namespace Designs
} // namespace orvanta::page
