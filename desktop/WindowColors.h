#pragma once

#include <QColor>

/** The windows' named colours, shared by the header band, the pages and the previews. */
namespace WindowColors {
inline const QColor Navy(0x00, 0x00, 0x40);
inline const QColor DarkBlue(0x00, 0x00, 0x80);
inline const QColor LinkBlue(0x00, 0x00, 0xff);
inline const QColor DarkRed(0x80, 0x00, 0x00);
/** A problem shown inside the page preview in place of the page. */
inline const QColor PreviewProblem(0x8b, 0x00, 0x00);
inline const QColor Silver(0xc0, 0xc0, 0xc0);
inline const QColor LightGrey(0xe0, 0xe0, 0xe0);
inline const QColor White(0xff, 0xff, 0xff);

// Our own look around the designed colours.
/** The orange of the logo's ribbon, as a thin line under the header band. */
inline const QColor Accent(0xff, 0x8a, 0x00);
/** "Create", the main command, in the accent colour of the current step. */
inline const QColor PrimaryButton(0x1f, 0x3c, 0x96);
inline const QColor StepCurrentFill(0xdb, 0xe4, 0xff);
inline const QColor StepCurrentBorder(0x3b, 0x63, 0xd6);
inline const QColor StepHoverFill(0xef, 0xf3, 0xff);
inline const QColor StepFlatBorder(0xc5, 0xcb, 0xd8);
inline const QColor StepCurrentText = Navy;
inline const QColor StepFlatText(0x44, 0x4a, 0x5a);
inline const QColor HeaderButtonBorder(0x5a, 0x64, 0x94);
inline const QColor HeaderButtonHover(0x1c, 0x24, 0x5c);
} // namespace WindowColors
