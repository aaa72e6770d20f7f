#pragma once

#include <QString>
#include <QStringList>

/** The cloud-bonus catalogue: product files named after their entry, folders named after the identifier. */
namespace Catalogue {
/** Entry names of the catalogue folder: each "*.txt" file name with every ".txt" removed, in listing order. */
QStringList entries(const QString& app);

QString productFilePath(const QString& app, const QString& entry);

/** The raw identifier without its CR LF pairs and then without any remaining CR. */
QString cleanProductId(const QString& rawId);

QString salesPagePath(const QString& app, const QString& cleanId);
} // namespace Catalogue

/** The bonus delivery page of a cloud bonus. */
namespace DeliveryUrl {
QString baseUrl();
/** Base URL + raw identifier + ".html", or "Not Available Yet" for an empty identifier. */
QString forProduct(const QString& rawId);
} // namespace DeliveryUrl
