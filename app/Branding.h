#pragma once

#include "OrvantaConfig.h"

#include <QString>

/** The names the window shows in its caption, its header band and its about message. */
namespace Branding {
inline QString applicationName()
{
    return QStringLiteral("Orvanta");
}
inline QString version()
{
    return QStringLiteral(ORVANTA_VERSION);
}
inline QString byLine()
{
    return QStringLiteral(" ");
}
} // namespace Branding
