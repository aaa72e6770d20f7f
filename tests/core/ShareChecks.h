#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>

class QImage;

/** What zbarimg reads from @p image: the text of each code, one a line; empty when none was found. */
QString decodedCodes(const QImage& image);

/** What a saved page's head tells sites that show it. */
struct SharedHead {
    /** Each og: and twitter: meta tag's content, character references read, by its property or name. */
    QMap<QString, QString> meta;
    /** The page's one JSON-LD object; empty when there is none or it is no JSON. */
    QJsonObject review;
    /** What is wrong with the head as a whole, as a crawler and a validator would find it; empty when nothing. */
    QString problem;
};

/** Reads @p page's head as a link preview and a structured-data check would. */
SharedHead sharedHeadOf(const QString& page);
