#pragma once

class TRLMacros;

/// The Orientation values of the page macros.
constexpr int kPortraitOrientation = 1;
constexpr int kLandscapeOrientation = 2;

/// The page-format entries a page store and each of its pages carry in their macros, read and
/// written in one place. Paper sizes are millimetres: -1 when negative, 0 when missing or not a
/// number; a missing orientation is portrait.
namespace RLPageFormat {
int Orientation(const TRLMacros& macros);
void SetOrientation(TRLMacros& macros, int orientation);
double PaperWidth(const TRLMacros& macros);
void SetPaperWidth(TRLMacros& macros, double millimetres);
double PaperHeight(const TRLMacros& macros);
void SetPaperHeight(TRLMacros& macros, double millimetres);
} // namespace RLPageFormat
