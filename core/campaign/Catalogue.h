#pragma once

#include <QString>
#include <QStringList>

namespace orvanta::campaign {
/** The cloud-bonus catalogue: product files named after their entry, folders named after the identifier. */
namespace Catalogue {
/** Entry names of the catalogue folder: each "*.txt" file name with every ".txt" removed, in listing order. */
QStringList entries(const QString& app);

QString productFilePath(const QString& app, const QString& entry);

/** The raw identifier in @p entry's product file; empty when the file cannot be read. */
QString readProductId(const QString& app, const QString& entry);

/** The raw identifier without its line breaks: CR LF pairs, then any remaining CR, then any LF. */
QString cleanProductId(const QString& rawId);

QString salesPagePath(const QString& app, const QString& cleanId);
} // namespace Catalogue

/** The bonus delivery page of a cloud bonus. */
namespace DeliveryUrl {
QString baseUrl();
/** Base URL + identifier without line breaks + ".html", or "Not Available Yet" when that identifier is empty. */
QString forProduct(const QString& rawId);
} // namespace DeliveryUrl
} // namespace orvanta::campaign
