#pragma once

/**
 * The widest a picture shows on the printed page, in pixels at 96 dpi: the template's picture column as the
 * converter lays it out on a 210 mm page (a 2400 px picture lands at about 356 ppi).
 */
constexpr int ShownPictureWidthPx = 648;

/** A picture is worth its pixels up to twice its shown width, about 200 ppi on paper. */
constexpr int SizedPictureWidthPx = 2 * ShownPictureWidthPx;
