#pragma once

#include <QColor>

/** The window's named colours, shared by the header band and the pages. */
namespace WindowColors {
inline const QColor Navy(0x00, 0x00, 0x40);
inline const QColor DarkBlue(0x00, 0x00, 0x80);
inline const QColor LinkBlue(0x00, 0x00, 0xff);
inline const QColor DarkRed(0x80, 0x00, 0x00);
inline const QColor Silver(0xc0, 0xc0, 0xc0);
inline const QColor LightGrey(0xe0, 0xe0, 0xe0);
} // namespace WindowColors
