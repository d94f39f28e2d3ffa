#pragma once

#include "platform/Graphics.h"
#include "platform/Rect.h"

#include <QString>
#include <array>

/// A font measured for PDF font descriptors, in thousandths of an em.
struct TRLFontMetrics {
    bool FixedPitch = false;
    QString FaceName;
    qint32 FirstChar = 0;
    qint32 LastChar = 0;
    /// Advance widths of Windows-1252 codes FirstChar .. LastChar; 0 elsewhere.
    std::array<qint32, 256> Widths {};
    /// "Bold", "Italic", "Underline", "StrikeOut" joined, for the style bits present.
    QString StyleText;
    qint32 Flags = 32;
    /// Left, top (y up: the highest point), right, bottom.
    TRect FontBBox;
    qint32 ItalicAngle = 0;
    qint32 CapHeight = 0;
    qint32 XHeight = 0;
    qint32 Ascent = 0;
    qint32 Descent = 0;
    qint32 InternalLeading = 0;
    qint32 MaxWidth = 0;
    qint32 AvgWidth = 0;
};

/// Measures the installed face (through fontconfig) at 1000 units per em; "Invalid font for
/// GetOutlineTextMetrics" for a face that has no outlines to measure.
TRLFontMetrics GetFontMetrics(const QString& faceName, TFontStyles style);
