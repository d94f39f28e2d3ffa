#pragma once

#include <QIcon>

enum class TRLPreviewGlyph {
    Setup,
    First,
    Prior,
    Next,
    Last,
    ZoomDown,
    ZoomUp,
    Views,
    Edit,
    About,
    Thumbnails
};

/// The toolbar picture, decoded from its hexadecimal bitmap.
QIcon PreviewGlyph(TRLPreviewGlyph glyph);
