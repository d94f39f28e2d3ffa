#pragma once

#include "platform/Graphics.h"
#include "platform/Rect.h"

#include <QString>
#include <array>

/// A font measured for PDF font descriptors, in thousandths of an em.
struct TRLFontMetrics {
    /// Every glyph has the same advance.
    bool FixedPitch = false;
    /// As asked for.
    QString FaceName;
    /// The installed family that fontconfig chose for it (a metric twin may stand in).
    QString MeasuredFace;
    qint32 FirstChar = 0;
    qint32 LastChar = 0;
    /// Advance widths of Windows-1252 codes FirstChar .. LastChar; 0 elsewhere.
    std::array<qint32, 256> Widths {};
    /// "Bold", "Italic", "Underline", "StrikeOut" joined, for the style bits present.
    QString StyleText;
    qint32 Flags = 32;
    /// Left, top (y up: the highest point), right, bottom.
    TRect FontBBox;
    /// Tenths of a degree, counter-clockwise from vertical (negative for a right-leaning face).
    qint32 ItalicAngle = 0;
    qint32 CapHeight = 0;
    qint32 XHeight = 0;
    qint32 Ascent = 0;
    /// Below the baseline, positive.
    qint32 Descent = 0;
    qint32 InternalLeading = 0;
    qint32 MaxWidth = 0;
    qint32 AvgWidth = 0;
};

/// Measures the installed face (through fontconfig) at 1000 units per em from its TrueType
/// tables; "Invalid font for GetOutlineTextMetrics" for a face that has none to measure.
TRLFontMetrics GetFontMetrics(const QString& faceName, TFontStyles style);
/// Measures the face as Qt's font engine lays it out, for a face without the tables
/// GetFontMetrics reads (fontconfig may serve a Type 1 file): advances, ascent, descent and
/// heights as the engine gives them, the box around the measured glyphs, no italic angle.
TRLFontMetrics GetFallbackFontMetrics(const QString& faceName, TFontStyles style);
