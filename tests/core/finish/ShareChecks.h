#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>

class QImage;

/** What zbarimg reads from @p image's QR codes, one a line; empty when it found none. */
QString decodedCodes(const QImage& image);

/** A saved page's head as a link preview and a structured-data check read it. */
struct SharedHead {
    /** Each og: and twitter: tag's content, character references read. */
    QMap<QString, QString> meta;
    /** The one JSON-LD object. */
    QJsonObject review;
    /** What a crawler or a validator would object to; empty when nothing. */
    QString problem;
};
SharedHead sharedHeadOf(const QString& page);
