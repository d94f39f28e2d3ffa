#pragma once

#include <QColor>
#include <cstdint>

/// The platform colour: red, green, blue in the three low bytes (red lowest), or, with the
/// high byte 0xFF, a system colour whose low byte is the system colour index.
using TColor = std::int32_t;

constexpr TColor kSystemColorFlag = TColor(0xFF000000u);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours by their platform index.
constexpr TColor clScrollBar = kSystemColorFlag | 0;
constexpr TColor clBackground = kSystemColorFlag | 1;
constexpr TColor clActiveCaption = kSystemColorFlag | 2;
constexpr TColor clInactiveCaption = kSystemColorFlag | 3;
constexpr TColor clMenu = kSystemColorFlag | 4;
constexpr TColor clWindow = kSystemColorFlag | 5;
constexpr TColor clWindowFrame = kSystemColorFlag | 6;
constexpr TColor clMenuText = kSystemColorFlag | 7;
constexpr TColor clWindowText = kSystemColorFlag | 8;
constexpr TColor clCaptionText = kSystemColorFlag | 9;
constexpr TColor clHighlight = kSystemColorFlag | 13;
constexpr TColor clHighlightText = kSystemColorFlag | 14;
constexpr TColor clBtnFace = kSystemColorFlag | 15;
constexpr TColor clBtnShadow = kSystemColorFlag | 16;
constexpr TColor clGrayText = kSystemColorFlag | 17;
constexpr TColor clBtnText = kSystemColorFlag | 18;
constexpr TColor clBtnHighlight = kSystemColorFlag | 20;
constexpr TColor clInfoText = kSystemColorFlag | 23;
constexpr TColor clInfoBk = kSystemColorFlag | 24;

inline bool IsSystemColor(TColor color)
{
    return (std::uint32_t(color) & 0xFF000000u) == 0xFF000000u;
}

/// An RGB colour with system colours resolved through the application palette.
/// clNone and clDefault give black, as the platform's RGB conversion does for them.
TColor ColorToRGB(TColor color);

QColor ToQColor(TColor color);
/// The platform colour of a Qt colour (alpha dropped).
TColor FromQColor(const QColor& color);

inline constexpr TColor RGBColor(int red, int green, int blue)
{
    return TColor((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
