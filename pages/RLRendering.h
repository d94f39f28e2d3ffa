#pragma once

#include "pages/RLGraphicObjects.h"
#include "pages/RLMetaRecords.h"
#include "platform/Canvas.h"
#include "platform/Rect.h"

#include <QByteArrayView>
#include <QString>

// Shared drawing routines of the page painters and the printer filter.

/// Colour, mode, style and width as stored.
void ToCanvasPen(const TRLMetaPen& metaPen, TPen& pen);
/// A width of 2 or more becomes max(1, trunc(width * scaleX)).
void ScalePenWidth(TPen& pen, double scaleX);
void ToCanvasBrush(const TRLMetaBrush& metaBrush, TBrush& brush);
/// Sets the canvas font; the size is scaled by scaleY and the stored and canvas resolutions.
void ToCanvasFont(const TRLMetaFont& metaFont, TCanvas& canvas, double scaleY);

/// Text placed by alignment and layout in rect (origin x, y for left and top), justified by
/// widening its gaps, clipped to rect unless kTextFlagNoClip is set.
void DrawAlignedText(TCanvas& canvas, const TRect& rect, int x, int y, const QString& text,
    TRLMetaTextAlignment alignment, TRLMetaTextLayout layout, quint16 textFlags);
/// Screen text (a canvas with SmoothText) placed as the PDF export places it, so that the
/// preview shows what the file holds: left at x, right and centre by the text's own width, the
/// baseline on rect's bottom raised by the font's descent in whole page dots; scaleY is the
/// page's scale on the canvas. Clipped to rect unless kTextFlagNoClip is set.
void DrawScreenText(TCanvas& canvas, const TRect& rect, int x, const QString& text,
    TRLMetaTextAlignment alignment, quint16 textFlags, double scaleY);
/// Decodes tagged picture data and stretches it into rect; nothing for "NIL" or an unknown tag.
/// A picture whose data does not decode is drawn as an empty grey frame with a notice inside, so
/// that the rest of the page still shows.
void DrawPicture(TCanvas& canvas, TRect rect, QByteArrayView data, bool integralWidth);
/// A line from the pen position that lays out dash patterns itself for pens wider than one dot.
void StyledLineTo(TCanvas& canvas, int x, int y);
/// Replaces the clip by rect; a rect of zero width or height removes clipping.
void ApplyClipRect(TCanvas& canvas, const TRect& rect);
void RemoveClip(TCanvas& canvas);
