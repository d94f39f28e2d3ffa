#pragma once

#include "pages/RLPageOrientation.h"

class TRLMacros;

/// @file
/// Reading and writing the orientation and paper size kept in a page store's or a page's macros.

/// The page-format entries a page store and each of its pages carry in their macros, read and
/// written in one place. Paper sizes are millimetres: -1 when negative, 0 when missing or not a
/// number; a missing orientation is portrait.
namespace RLPageFormat {
/// Only the macro text 2 reads as landscape: any other value, as from a damaged or foreign page
/// file, reads as portrait.
TRLPageOrientation Orientation(const TRLMacros& macros);
/// Writes 1 (portrait) or 2 (landscape).
void SetOrientation(TRLMacros& macros, TRLPageOrientation orientation);
/// Paper width and height in millimetres, portrait sense; a negative value is written as -1.
///@{
double PaperWidth(const TRLMacros& macros);
void SetPaperWidth(TRLMacros& macros, double millimetres);
double PaperHeight(const TRLMacros& macros);
void SetPaperHeight(TRLMacros& macros, double millimetres);
///@}
} // namespace RLPageFormat
