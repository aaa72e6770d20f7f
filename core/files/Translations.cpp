#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

using namespace orvanta::files;

namespace orvanta::files {
namespace {
const QString CatalogueFolder = QStringLiteral(":/i18n");
const QString CataloguePrefix = QStringLiteral("orvanta_");

// "de-AT" and "de_AT" name one language; the catalogues spell it as Qt's file names do.
QString fileTag(const QString& uiLanguage)
{
    return QString(uiLanguage).replace(QLatin1Char('-'), QLatin1Char('_'));
}

bool installFrom(const QString& fileName, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(fileName, folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
} // namespace

namespace Translations {
QString chosenLanguage(const QStringList& uiLanguages, const QStringList& catalogues)
{
    for (const QString& uiLanguage : uiLanguages) {
        const QString tag = fileTag(uiLanguage);
        const QString primary = tag.section(QLatin1Char('_'), 0, 0).toLower();
        // English is every text's own language: a user who puts it before another gets it.
        if (primary == QLatin1String("en") || primary == QLatin1String("c"))
            return {};
        for (const QString& catalogue : catalogues)
            if (catalogue.compare(tag, Qt::CaseInsensitive) == 0)
                return catalogue;
        if (catalogues.contains(primary))
            return primary;
    }
    return {};
}

QStringList catalogues()
{
    QStringList languages;
    const QStringList files = QDir(CatalogueFolder).entryList({CataloguePrefix + QLatin1String("*.qm")}, QDir::Files);
    for (const QString& file : files)
        languages << file.mid(CataloguePrefix.size()).chopped(3);
    return languages;
}

QString install(const QStringList& uiLanguages)
{
    const QString language = chosenLanguage(uiLanguages, catalogues());
    if (language.isEmpty() || !installFrom(CataloguePrefix + language, CatalogueFolder))
        return {};
    installFrom(QLatin1String("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return language;
}
} // namespace Translations
} // namespace orvanta::files
