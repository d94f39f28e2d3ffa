#include "platform/Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The palette role standing in for each system colour index; unknown indexes read as the window.
QColor SystemColor(int index)
{
    const QPalette palette = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
    switch (index) {
    case 1: // desktop background
    case 2: // active caption
    case 13:
        return palette.color(QPalette::Highlight);
    case 3:
    case 16:
        return palette.color(QPalette::Dark);
    case 5:
        return palette.color(QPalette::Base);
    case 6:
    case 8:
        return palette.color(QPalette::Text);
    case 7:
    case 18:
        return palette.color(QPalette::ButtonText);
    case 9:
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 20:
        return palette.color(QPalette::Light);
    case 23:
        return palette.color(QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    case 0:
    case 4:
    case 15:
        return palette.color(QPalette::Button);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

TColor ColorToRGB(TColor color)
{
    if (IsSystemColor(color))
        return FromQColor(SystemColor(color & 0xFF));
    if (color == clNone || color == clDefault)
        return clBlack;
    return color & 0xFFFFFF;
}

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color)
{
    return RGBColor(color.red(), color.green(), color.blue());
}
