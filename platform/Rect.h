#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

/// A rectangle as the report geometry has it: right and bottom exclusive, so that
/// Width() is Right - Left with no +1. Convert at the Qt boundary only (QRect's right() is inclusive).
struct TRect {
    /// Pixels; Right and Bottom lie just outside.
    ///@{
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    ///@}

    /// The rectangle of that corner and size.
    static constexpr TRect FromSize(int left, int top, int width, int height)
    {
        return { left, top, left + width, top + height };
    }
    /// The same pixels as the Qt rectangle.
    static TRect FromQRect(const QRect& rect)
    {
        return FromSize(rect.x(), rect.y(), rect.width(), rect.height());
    }

    /// Right - Left and Bottom - Top.
    ///@{
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    ///@}
    /// No area: an inverted rectangle is empty too.
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    /// The same pixels as a Qt rectangle.
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }

    /// @cond ENGINE
    constexpr bool operator==(const TRect&) const = default;
    /// @endcond
};
