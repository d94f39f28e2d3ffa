#pragma once

#include "platform/Rect.h"

#include <QImage>
#include <QPoint>
#include <optional>
#include <vector>

/// Four distances in pixels, one per side.
struct TMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool operator==(const TMargins&) const = default;
};

/// An ordered point list, as drawn shapes keep them.
using TPointList = std::vector<QPoint>;

/// mm * 96 / 25.4 rounded to the nearest integer, halves to even: the one conversion of
/// millimetres to pixels.
int MillimetersToPixels(double millimeters);

/// The rectangle moved so that its top-left corner is (x, y), same size.
TRect MoveRect(const TRect& rect, int x, int y);
int RectWidth(const TRect& rect);
int RectHeight(const TRect& rect);
TRect InsetByMargins(const TRect& rect, const TMargins& margins);
TRect OutsetByMargins(const TRect& rect, const TMargins& margins);

/// The largest rectangle with the proportions of `source` that fits in `target`, at the
/// target's top-left or, with `center`, centred in it (offsets truncated). A source without
/// width or height gives an empty rectangle at that place.
TRect ScaleRect(const TRect& source, const TRect& target, bool center);

/// Places `graphic` at its natural size at the top-left of `rect` (centred with `center`),
/// narrows `rect` to the part of it the graphic covers and returns that part as a 32-bit
/// image; nothing when the two do not meet (then `rect` is left unchanged).
std::optional<QImage> ClipGraphic(const QImage& graphic, TRect& rect, bool center);

/// Smallest and largest X and Y (Right and Bottom are the largest values, no +1); an empty
/// list gives an empty rectangle at the origin.
TRect PointsBounds(const TPointList& points);
/// PointsBounds grown by 1 on every side.
TRect PointsBoundsOutset(const TPointList& points);
/// Turns the points about their rounded mean; a positive angle turns counter-clockwise on a
/// page (Y downward). Rounding sends halves to even.
void RotatePoints(TPointList& points, double degrees);
/// Maps the points' bounds onto `target`, each axis on its own.
void StretchPoints(TPointList& points, const TRect& target);
/// Maps the points into `target` keeping their proportions (the smaller factor).
void ScalePoints(TPointList& points, const TRect& target);
/// Moves the points so that their bounds are centred in `target` (halves truncated).
void CenterPoints(TPointList& points, const TRect& target);
