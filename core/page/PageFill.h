#pragma once

#include "PageFields.h"
#include "PageWords.h"

#include <QString>
#include <QStringList>

/** A filled template, and where its own head ends. */
struct FilledText {
    QString text;
    /** Where tags of our own belong: the template's own end of head, wherever a value moved the text that follows. */
    qsizetype headEnd = 0;
};

/** The picture copies and the QR code a page's placeholders name. */
struct PagePictures {
    QString affiliateImage;
    QString bonusImage;
    QString qrCode;
};

namespace orvanta::page {
/** How a template takes a page's values: the nine placeholders, the optional ones and the link's own form. */
namespace PageFill {
/** @p link as the page holds it inside a quoted attribute. */
QString pageLink(const QString& link);

/** Where the page's QR code leads: the short link's own channel, else the button's link. */
QString qrLink(const PageFields& fields);
/**
 * The button's link and what the saved web page carries in its place, both as the page holds them; empty without a
 * short link.
 */
QList<std::pair<QString, QString>> webLinks(const PageFields& fields);

/** The optional placeholders' values, in the order of their list, the blocks in @p words. */
QStringList optionalValues(const PageFields& fields, const PageWords& words);

/** Whether @p text shows one of the review's blocks that has a value. */
bool showsBlock(const QString& text, const QStringList& optional);

/**
 * @p templateText with every placeholder filled: the optional ones first, so that no value is read as one of them,
 * then the nine in their order. A title element takes each value as plain, escaped text. The disclosure line is
 * in @p words.
 */
FilledText filled(QString templateText, const PageFields& fields, const PagePictures& pictures, const PageWords& words);
} // namespace PageFill
} // namespace orvanta::page
