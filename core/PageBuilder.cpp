#include "PageBuilder.h"

#include "AppFolder.h"
#include "Catalogue.h"
#include "HelperOps.h"
#include "ModUtf8.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("PageBuilder", text);
}

bool isSameFile(const QString& a, const QString& b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

// Overwrites the target atomically, so a failed copy never leaves a truncated image behind.
bool copyOverwriting(const QString& source, const QString& target, QString* error)
{
    if (isSameFile(source, target))
        return true; // the image already lies in bin; copying it onto itself would destroy it
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = tr("Could not read the image \"%1\": %2.").arg(source, in.errorString());
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = tr("Could not copy the image to \"%1\": %2.").arg(target, out.errorString());
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            *error = tr("Could not read the image \"%1\": %2.").arg(source, in.errorString());
            return false;
        }
        out.write(chunk);
    }
    if (!out.commit()) {
        *error = tr("Could not copy the image to \"%1\": %2.").arg(target, out.errorString());
        return false;
    }
    return true;
}

QString inBin(const QString& app, const QString& fileName)
{
    return AppFolder::binFolder(app) + QDir::separator() + fileName;
}

struct BonusImage {
    QString source;
    QString name;
};

BonusImage bonusImageOf(const QString& app, const PageFields& fields)
{
    if (fields.ownBonus)
        return {fields.ownBonusImagePath, vFile::FileNameOf(fields.ownBonusImagePath)};
    const QString cleanId = Catalogue::cleanProductId(fields.rawProductId);
    return {Catalogue::salesPagePath(app, cleanId), QStringLiteral("salespage.gif")};
}

QString fillTemplate(QString text, const PageFields& fields, const QString& affiliateImage, const QString& bonusImage)
{
    const QString review = vParser::ReplaceText(fields.review, QStringLiteral("\r\n"), QStringLiteral("<br>"));
    const std::pair<const char*, const QString&> placeholders[] = {
        {"#OPENINGTITLE#", fields.mainTitle}, {"#AFFILIATEIMAGE#", affiliateImage},
        {"#REVIEW#", review},                 {"#BONUSTITLE#", fields.bonusHeadline},
        {"#SALESPAGE#", bonusImage},          {"#CTATITLE#", fields.ctaTitle},
        {"#CTATEXT#", fields.ctaText},        {"#CTAURL#", fields.ctaUrl},
        {"#BONUSINSTRUCTIONS#", fields.bonusInstructions},
    };
    for (const auto& [placeholder, value] : placeholders)
        text = vParser::ReplaceText(text, QString::fromLatin1(placeholder), value);
    return text;
}

// Any letter case: on a case-insensitive file system "Template" names the template itself.
QString htmlFileNameOf(const QString& pageName)
{
    const bool namesTemplate = pageName.compare(QLatin1String("template"), Qt::CaseInsensitive) == 0;
    return (namesTemplate ? QStringLiteral("e") : QString()) + pageName + QStringLiteral(".html");
}
} // namespace

QString PageNameOf(const QString& pdfFileName)
{
    return vParser::ReplaceText(pdfFileName, QStringLiteral(" "), QStringLiteral("-"));
}

QString PageTail()
{
    static const QString tail = [] {
        QString text;
        for (const char* script : {"assets/js/jquery.min.js", "assets/bootstrap/js/bootstrap.min.js",
                                   "https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js",
                                   "assets/js/stylish-portfolio.js"})
            text += QStringLiteral("<script src= ") + QLatin1String(script) + QStringLiteral(" ></script>");
        return text + QStringLiteral("</body></html>");
    }();
    return tail;
}

BuildResult BuildPage(const QString& app, const PageFields& fields)
{
    BuildResult result;
    const QString affiliateImage = vFile::FileNameOf(fields.affiliateImagePath);
    if (!copyOverwriting(fields.affiliateImagePath, inBin(app, affiliateImage), &result.error))
        return result;

    const BonusImage bonus = bonusImageOf(app, fields);
    if (!vTools::FileExists(bonus.source)) {
        result.status = BuildResult::Status::BonusImageMissing;
        return result;
    }
    if (!copyOverwriting(bonus.source, inBin(app, bonus.name), &result.error))
        return result;

    QString templateText;
    if (!vFile::ReadTextFile(AppFolder::templatePath(app), &templateText, &result.error))
        return result;

    BuiltPage& page = result.page;
    page.pageName = PageNameOf(fields.pdfFileName);
    page.htmlPath = inBin(app, htmlFileNameOf(page.pageName));
    page.pdfPath = AppFolder::outputFolder(app) + QDir::separator() + page.pageName + QStringLiteral(".pdf");
    page.filledText = fillTemplate(templateText, fields, affiliateImage, bonus.name);
    result.status = BuildResult::Status::Built;
    return result;
}

WriteResult WritePage(const BuiltPage& page)
{
    WriteResult result;
    std::unique_ptr<QFile> file = modUTF8::OpenForAppend(page.htmlPath, &result.error);
    if (!file)
        return result;
    const qint64 sizeBefore = file->size();
    if (!modUTF8::WriteUtf8(*file, page.filledText + PageTail(), false, &result.error)) {
        file->close();
        if (sizeBefore == 0)
            QFile::remove(page.htmlPath);
        else
            QFile::resize(page.htmlPath, sizeBefore);
        return result;
    }
    file->close();
    result.ok = true;
    return result;
}
