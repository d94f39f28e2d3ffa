#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

/// A rectangle as the report geometry has it: right and bottom exclusive, so that
/// Width() is Right - Left with no +1. Convert at the Qt boundary only (QRect's right() is inclusive).
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    static constexpr TRect FromSize(int left, int top, int width, int height)
    {
        return { left, top, left + width, top + height };
    }
    static TRect FromQRect(const QRect& rect)
    {
        return FromSize(rect.x(), rect.y(), rect.width(), rect.height());
    }

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }

    constexpr bool operator==(const TRect&) const = default;
};
