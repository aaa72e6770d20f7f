#include "SizeText.h"

#include "FilesTr.h"

#include <QCoreApplication>
#include <QLocale>

using namespace orvanta::files;

namespace orvanta::files {
namespace {
constexpr double bytesPerMb = 1024.0 * 1024.0;

// The messages are English; so are their digit groups.
const QLocale& english()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString megabytesOf(double megabytes)
{
    QString text = english().toString(megabytes, 'f', 1);
    if (text.endsWith(QLatin1String(".0")))
        text.chop(2);
    return FilesTr::tr("%1 MB").arg(text);
}
} // namespace

QString megabytesText(qint64 bytes)
{
    return megabytesOf(bytes / bytesPerMb);
}

QString sizeOverText(qint64 bytes, qint64 limit)
{
    const double tenths = qRound64(bytes / bytesPerMb * 10) / 10.0;
    if (tenths > limit / bytesPerMb)
        return megabytesOf(tenths);
    return FilesTr::tr("%1 bytes").arg(english().toString(bytes));
}
} // namespace orvanta::files
