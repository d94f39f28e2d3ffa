#pragma once

#include "platform/Graphics.h"

#include <QFontMetrics>
#include <QSize>
#include <QStringView>

/// Font metrics on this thread's 1 x 1 measuring image at 96 dpi, so that a font's pixel
/// height is the platform's negative height. Safe from any thread.
QFontMetrics MeasuringMetrics(const TFont& font);

/// Width (sum of advances) and height (ascent + descent) of one line of text.
QSize MeasureText(QStringView text, const TFont& font);
int TextWidth(QStringView text, const TFont& font);
int TextHeight(QStringView text, const TFont& font);
