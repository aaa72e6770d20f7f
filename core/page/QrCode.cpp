#include "QrCode.h"

#include "PageEscaping.h"
#include "PageTr.h"

#include <QCoreApplication>

#include <qrencode.h>

#include <cerrno>
#include <cstring>
#include <memory>

using namespace orvanta::files;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
// A run of dark modules in a row is one rectangle: the path stays short for a long link.
QString pathOf(const QRcode& code, int quietZone)
{
    QString path;
    for (int y = 0; y < code.width; ++y) {
        const unsigned char* row = code.data + qsizetype(y) * code.width;
        for (int x = 0; x < code.width;) {
            if (!(row[x] & 1)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < code.width && (row[end] & 1))
                ++end;
            path += QStringLiteral("M%1 %2h%3v1h-%3z").arg(x + quietZone).arg(y + quietZone).arg(end - x);
            x = end;
        }
    }
    return path;
}
} // namespace

namespace QrCode {
Result<QString> svg(const QString& text, const QString& label, const QString& size)
{
    const QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty())
        return fail(PageTr::tr("There is no link to make a QR code of."));
    if (bytes.size() > maxBytes)
        return fail(
            PageTr::tr(
                "The link is too long for a QR code: it has %1 bytes, a QR code holds at most %2. Please shorten "
                "the link or leave the QR code out.")
                .arg(bytes.size())
                .arg(maxBytes));
    const std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeData(int(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.constData()), 0,
                          QR_ECLEVEL_M),
        QRcode_free);
    if (!code)
        return fail(
            PageTr::tr("The QR code of the link could not be made: %1.").arg(QString::fromLocal8Bit(strerror(errno))));
    constexpr int quietZone = 4;
    const int side = code->width + 2 * quietZone;
    const QString dimensions =
        size.isEmpty() ? QString() : QStringLiteral(" width=\"%1\" height=\"%1\"").arg(escaped(size));
    const QString name = escaped(label);
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %1 %1\"%2 "
                                 "shape-rendering=\"crispEdges\" role=\"img\" aria-label=\"%3\">")
                      .arg(side)
                      .arg(dimensions, name);
    svg += QStringLiteral("<title>%1</title><rect width=\"%2\" height=\"%2\" fill=\"#ffffff\"/>").arg(name).arg(side);
    svg += QStringLiteral("<path fill=\"#000000\" d=\"%1\"/></svg>").arg(pathOf(*code, quietZone));
    return svg;
}

Result<QString> pageBlock(const QString& link, const PageWords& words)
{
    const Result<QString> code = svg(link, words.qrCode, QStringLiteral("3cm"));
    if (!code)
        return code;
    // The gap stands between the button and the code, on the left of the code in a mirrored page.
    const QString margin = words.rightToLeft ? QStringLiteral("8px 16px 0 0") : QStringLiteral("8px 0 0 16px");
    return QStringLiteral("<span class=\"qr-code\" style=\"display: inline-block; vertical-align: middle; "
                          "margin: %1; line-height: 0;\">")
               .arg(margin) +
           code.value() + QStringLiteral("</span>");
}
} // namespace QrCode
} // namespace orvanta::page
