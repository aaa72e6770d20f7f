#include "ListFile.h"

#include "Campaign.h"
#include "CampaignFields.h"
#include "CampaignTr.h"
#include "FileToolkit.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <cmath>
#include <utility>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace {
const QString formatName = QStringLiteral("orvanta-list");

// Keys a campaign names too are the campaign's, spelled in its field table.
QString key(QString Campaign::*member)
{
    return CampaignFields::keyOf(member);
}

const std::pair<ListRow::Kind, QString Campaign::*> blockRows[] = {{ListRow::Kind::Rating, &Campaign::rating},
                                                                   {ListRow::Kind::Price, &Campaign::price},
                                                                   {ListRow::Kind::Pros, &Campaign::pros},
                                                                   {ListRow::Kind::Cons, &Campaign::cons},
                                                                   {ListRow::Kind::Verdict, &Campaign::verdict}};

QString kindName(ProductList::Kind kind)
{
    switch (kind) {
    case ProductList::Kind::Top:
        return QStringLiteral("top");
    case ProductList::Kind::Book:
        return QStringLiteral("book");
    case ProductList::Kind::Comparison:
        break;
    }
    return QStringLiteral("comparison");
}

QString damaged(const QString& name, const QString& what)
{
    return CampaignTr::tr("The list %1 is damaged: %2.").arg(name, what);
}

QString shouldBe(const QString& name, const QString& where, const QString& expected)
{
    return damaged(name, CampaignTr::tr("\"%1\" should be %2").arg(where, expected));
}

QString headerProblem(const QJsonObject& root, const QString& name)
{
    if (root.value(QStringLiteral("format")).toString() != formatName)
        return CampaignTr::tr("The file %1 is not an Orvanta list.").arg(name);
    const QJsonValue version = root.value(QStringLiteral("version"));
    const double number = version.toDouble();
    if (version.isDouble() && number > ListFile::formatVersion)
        return CampaignTr::tr("The list %1 was made by a newer Orvanta (format version %2); this Orvanta reads "
                              "version %3. Please update Orvanta to open it.")
            .arg(name)
            .arg(number)
            .arg(ListFile::formatVersion);
    if (!version.isDouble() || number < 1 || number != std::floor(number))
        return CampaignTr::tr("The list %1 has no valid format version.").arg(name);
    return {};
}

/** Reads the texts of @p object named by @p keys into @p places; a key left out keeps its value. */
QString readTexts(const QJsonObject& object, const QString& name, const QString& where,
                  std::initializer_list<std::pair<QString, QString*>> texts)
{
    for (const auto& [textKey, place] : texts) {
        const QJsonValue value = object.value(textKey);
        if (!value.isUndefined() && !value.isString())
            return shouldBe(name, where + textKey, CampaignTr::tr("a text"));
        *place = value.toString(*place);
    }
    return {};
}

QString itemsOf(const QJsonObject& root, const QString& name, const QString& folder, ProductList& list)
{
    const QJsonValue items = root.value(QStringLiteral("items"));
    if (!items.isArray())
        return shouldBe(name, QStringLiteral("items"), CampaignTr::tr("a list of products"));
    for (const QJsonValue& value : items.toArray()) {
        const QString where = CampaignTr::tr("item %1: ").arg(list.items.size() + 1);
        const QJsonObject object = value.toObject();
        ListItem item;
        QString campaign;
        QString problem = value.isObject() ? QString() : shouldBe(name, where, CampaignTr::tr("an object"));
        if (problem.isEmpty())
            problem = readTexts(object, name, where,
                                {{QStringLiteral("campaign"), &campaign},
                                 {QStringLiteral("badge"), &item.badge},
                                 {key(&Campaign::bestFor), &item.bestFor},
                                 {QStringLiteral("chapterTitle"), &item.chapterTitle}});
        if (problem.isEmpty() && campaign.trimmed().isEmpty())
            problem = damaged(name, where + CampaignTr::tr("it names no campaign"));
        if (!problem.isEmpty())
            return problem;
        item.campaignPath = QDir::cleanPath(QDir(folder).absoluteFilePath(campaign));
        list.items << item;
    }
    return {};
}

QString ownRowOf(const QJsonObject& object, const QString& name, const QString& where, ListRow& row)
{
    row.kind = ListRow::Kind::Own;
    const QString problem = readTexts(object, name, where, {{QStringLiteral("label"), &row.label}});
    const QJsonValue values = object.value(QStringLiteral("values"));
    if (!problem.isEmpty() || row.label.trimmed().isEmpty())
        return problem.isEmpty() ? damaged(name, where + CampaignTr::tr("an own row needs a label")) : problem;
    if (!values.isArray())
        return shouldBe(name, where + QStringLiteral("values"), CampaignTr::tr("a list of texts"));
    for (const QJsonValue& value : values.toArray()) {
        if (!value.isString())
            return shouldBe(name, where + QStringLiteral("values"), CampaignTr::tr("a list of texts"));
        row.values << value.toString();
    }
    return {};
}

QString rowsOf(const QJsonObject& root, const QString& name, ProductList& list)
{
    const QJsonValue rows = root.value(QStringLiteral("rows"));
    if (rows.isUndefined())
        return {};
    if (!rows.isArray())
        return shouldBe(name, QStringLiteral("rows"), CampaignTr::tr("a list of rows"));
    for (const QJsonValue& value : rows.toArray()) {
        const QString where = CampaignTr::tr("row %1: ").arg(list.rows.size() + 1);
        ListRow row;
        if (value.isObject()) {
            const QString problem = ownRowOf(value.toObject(), name, where, row);
            if (!problem.isEmpty())
                return problem;
            list.rows << row;
            continue;
        }
        bool known = false;
        for (const auto& [kind, member] : blockRows)
            if (value.toString() == key(member))
                row.kind = kind, known = true;
        if (!known)
            return damaged(name, where + CampaignTr::tr("\"%1\" is no row; a row is one of %2, or an own row")
                                             .arg(value.toVariant().toString(), QStringLiteral("rating, price, pros, "
                                                                                               "cons, verdict")));
        list.rows << row;
    }
    return {};
}

QString settingsOf(const QJsonObject& root, const QString& name, ProductList& list)
{
    QString kind = kindName(list.kind);
    QString checkedOn;
    QString problem = readTexts(root, name, QString(),
                                {{QStringLiteral("title"), &list.title},
                                 {QStringLiteral("introduction"), &list.introduction},
                                 {QStringLiteral("kind"), &kind},
                                 {QStringLiteral("howWeRanked"), &list.howWeRanked},
                                 {QStringLiteral("checkedOn"), &checkedOn},
                                 {key(&Campaign::design), &list.design},
                                 {key(&Campaign::language), &list.language},
                                 {key(&Campaign::engine), &list.engine},
                                 {key(&Campaign::pdfFileName), &list.pdfFileName},
                                 {QStringLiteral("subtitle"), &list.subtitle},
                                 {QStringLiteral("author"), &list.author},
                                 {QStringLiteral("closing"), &list.closing}});
    if (!problem.isEmpty())
        return problem;
    bool known = false;
    for (const ProductList::Kind each :
         {ProductList::Kind::Comparison, ProductList::Kind::Top, ProductList::Kind::Book})
        if (kind == kindName(each))
            list.kind = each, known = true;
    if (!known)
        return shouldBe(name, QStringLiteral("kind"), QStringLiteral("\"comparison\", \"top\" or \"book\""));
    list.checkedOn = QDate::fromString(checkedOn, Qt::ISODate);
    if (!checkedOn.isEmpty() && !list.checkedOn.isValid())
        return shouldBe(name, QStringLiteral("checkedOn"), CampaignTr::tr("a date such as 2026-12-09"));
    const QJsonValue web = root.value(CampaignFields::keyOf(&Campaign::saveWebPage));
    if (!web.isUndefined() && !web.isBool())
        return shouldBe(name, CampaignFields::keyOf(&Campaign::saveWebPage), CampaignTr::tr("true or false"));
    list.saveWebPage = web.toBool(false);
    return {};
}

QString brandOf(const QJsonObject& root, const QString& name, const QString& folder, ProductList& list)
{
    const QJsonValue brand = root.value(CampaignFields::brandKey());
    if (brand.isUndefined())
        return {};
    if (!brand.isObject())
        return shouldBe(name, CampaignFields::brandKey(), CampaignTr::tr("an object"));
    for (const CampaignField* field : CampaignFields::ofKind(FieldKind::BrandText)) {
        const QJsonValue value = brand.toObject().value(QLatin1String(field->key));
        if (!value.isUndefined() && !value.isString())
            return shouldBe(name, QLatin1String(field->key), CampaignTr::tr("a text"));
        list.brand.*field->brand = value.toString();
    }
    // The logo, as a book's cover shows it, lies where the list's campaigns do: relative to the list.
    for (const CampaignField* field : CampaignFields::ofKind(FieldKind::BrandImage)) {
        const QJsonValue value = brand.toObject().value(QLatin1String(field->key));
        if (!value.isUndefined() && !value.isString())
            return shouldBe(name, QLatin1String(field->key), CampaignTr::tr("a text"));
        if (!value.toString().isEmpty())
            list.brand.*field->brand = QDir::cleanPath(QDir(folder).absoluteFilePath(value.toString()));
    }
    const QString bad = brandProblem(list.brand);
    return bad.isEmpty() ? QString() : damaged(name, bad);
}

QString storedPath(const QString& path, const QString& folder)
{
    const QString relative = QDir(folder).relativeFilePath(path);
    return QDir::isAbsolutePath(relative) ? path : relative;
}

QJsonValue rowValue(const ListRow& row)
{
    for (const auto& [kind, member] : blockRows)
        if (row.kind == kind)
            return key(member);
    return QJsonObject{{QStringLiteral("label"), row.label},
                       {QStringLiteral("values"), QJsonArray::fromStringList(row.values)}};
}
} // namespace

namespace ListFile {
QString extension()
{
    return QStringLiteral("orvantalist");
}

bool isListPath(const QString& path)
{
    return QFileInfo(path).suffix().compare(extension(), Qt::CaseInsensitive) == 0;
}

QByteArray toJson(const ProductList& list, const QString& folder)
{
    QJsonArray items;
    for (const ListItem& item : list.items) {
        QJsonObject object{{QStringLiteral("campaign"), storedPath(item.campaignPath, folder)}};
        if (!item.badge.isEmpty())
            object.insert(QStringLiteral("badge"), item.badge);
        if (!item.bestFor.isEmpty())
            object.insert(key(&Campaign::bestFor), item.bestFor);
        if (!item.chapterTitle.isEmpty())
            object.insert(QStringLiteral("chapterTitle"), item.chapterTitle);
        items << object;
    }
    QJsonArray rows;
    for (const ListRow& row : list.rows)
        rows << rowValue(row);
    QJsonObject brand;
    for (const CampaignField* field : CampaignFields::ofKind(FieldKind::BrandText))
        if (!(list.brand.*field->brand).isEmpty())
            brand.insert(QLatin1String(field->key), list.brand.*field->brand);
    for (const CampaignField* field : CampaignFields::ofKind(FieldKind::BrandImage))
        if (!(list.brand.*field->brand).isEmpty())
            brand.insert(QLatin1String(field->key), storedPath(list.brand.*field->brand, folder));
    QJsonObject root{{QStringLiteral("format"), formatName},
                     {QStringLiteral("version"), list.kind == ProductList::Kind::Book ? formatVersion : 1},
                     {QStringLiteral("title"), list.title},
                     {QStringLiteral("introduction"), list.introduction},
                     {QStringLiteral("kind"), kindName(list.kind)},
                     {QStringLiteral("items"), items},
                     {QStringLiteral("rows"), rows},
                     {QStringLiteral("howWeRanked"), list.howWeRanked},
                     {QStringLiteral("checkedOn"), list.checkedOn.toString(Qt::ISODate)},
                     {key(&Campaign::design), list.design},
                     {key(&Campaign::language), list.language},
                     {key(&Campaign::engine), list.engine},
                     {key(&Campaign::pdfFileName), list.pdfFileName},
                     {CampaignFields::keyOf(&Campaign::saveWebPage), list.saveWebPage}};
    if (!brand.isEmpty())
        root.insert(CampaignFields::brandKey(), brand);
    if (list.kind == ProductList::Kind::Book)
        for (const auto& [bookKey, text] :
             {std::pair{QStringLiteral("subtitle"), list.subtitle}, std::pair{QStringLiteral("author"), list.author},
              std::pair{QStringLiteral("closing"), list.closing}})
            root.insert(bookKey, text);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Result<ProductList> fromJson(const QByteArray& bytes, const QString& folder, const QString& fileName)
{
    const QString name = quotedPath(fileName);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return fail(bytes.isEmpty() ? CampaignTr::tr("The list %1 is empty.").arg(name)
                                    : CampaignTr::tr("The file %1 is not a list: it is no valid JSON (%2 at byte %3).")
                                          .arg(name, error.errorString())
                                          .arg(error.offset));
    const QJsonObject root = document.object();
    ProductList list;
    QString problem = document.isObject() ? headerProblem(root, name)
                                          : CampaignTr::tr("The file %1 is not an Orvanta list.").arg(name);
    if (problem.isEmpty())
        problem = settingsOf(root, name, list);
    if (problem.isEmpty())
        problem = itemsOf(root, name, folder, list);
    if (problem.isEmpty())
        problem = rowsOf(root, name, list);
    if (problem.isEmpty())
        problem = brandOf(root, name, folder, list);
    if (!problem.isEmpty())
        return fail(problem);
    return list;
}

Result<ProductList> read(const QString& path)
{
    static const ReadTexts texts{
        CampaignTr::tr("%1 is a folder, not a list file."),
        CampaignTr::tr("The list %1 does not exist."),
        CampaignTr::tr("%1 is not an ordinary file, so it cannot be a list."),
        CampaignTr::tr("The file %1 is too large for a list (%2; a list holds at most %3)."),
        CampaignTr::tr("The file %1 is too large for a list."),
        CampaignTr::tr("The list %1 cannot be read: %2."),
    };
    const Result<QByteArray> file = readBounded(path, maxFileSize);
    if (!file)
        return fail(readProblem(file.failure(), path, maxFileSize, texts));
    return fromJson(file.value(), QFileInfo(path).absolutePath(), path);
}

Result<void> write(const QString& path, const ProductList& list)
{
    const QString name = quotedPath(path);
    QSaveFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::WriteOnly))
        return fail(CampaignTr::tr("The list cannot be saved as %1: %2.")
                        .arg(name, QFileInfo(path).isDir() ? CampaignTr::tr("that is a folder") : file.errorString()));
    const QByteArray bytes = toJson(list, QFileInfo(path).absolutePath());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(CampaignTr::tr("The list cannot be saved as %1: %2. Any earlier file there is unchanged.")
                        .arg(name, file.errorString()));
    return {};
}

QString problem(const ProductList& list, const QString& fileName)
{
    const QString name = quotedPath(fileName);
    const qsizetype count = list.items.size();
    if (count < minItems)
        return CampaignTr::tr("The list %1 needs at least %2 products to compare; it names %3.")
            .arg(name)
            .arg(minItems)
            .arg(count);
    if (count > maxItems)
        return CampaignTr::tr("The list %1 names %2 products; a list holds at most %3.")
            .arg(name)
            .arg(count)
            .arg(maxItems);
    QSet<QString> seen;
    for (qsizetype i = 0; i < count; ++i) {
        const QFileInfo info(list.items.at(i).campaignPath);
        const QString same = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
        if (seen.contains(same))
            return CampaignTr::tr("The list %1 names the campaign %2 twice (item %3); each product is listed once.")
                .arg(name, quotedPath(list.items.at(i).campaignPath))
                .arg(i + 1);
        seen.insert(same);
    }
    for (const ListRow& row : list.rows)
        if (row.kind == ListRow::Kind::Own && row.values.size() != count)
            return CampaignTr::tr("The list %1: the row \"%2\" has %3 values for %4 products; give one per product.")
                .arg(name, row.label)
                .arg(row.values.size())
                .arg(count);
    return {};
}

QString pdfFileNameOf(const ProductList& list, const QString& path)
{
    return list.pdfFileName.trimmed().isEmpty() ? QFileInfo(path).completeBaseName() : list.pdfFileName;
}
} // namespace ListFile
} // namespace orvanta::campaign
