#include "AppLook.h"

#include <QApplication>
#include <QStyle>

void applyAppLook()
{
    // Without a desktop theme Qt falls back to its dated "windows" look; a desktop's own style is kept.
    if (QApplication::style()->name() == QLatin1String("windows"))
        QApplication::setStyle(QStringLiteral("Fusion"));
}
