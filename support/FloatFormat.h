#pragma once

/// @file
/// Numbers as text and back, in the locale's conventions (FormatSettings()).

// Dates and times are formatted beside numbers; including this header brings both.
#include "support/DateTimeFormat.h"
#include "support/FormatSettings.h"

#include <QString>
#include <QStringView>

/// `value` through a numeric picture: "0" (digit, always shown), "#" (digit when significant),
/// "." (decimal separator, the first one), "," (anywhere: thousands separators), "E+" "E-" "e+"
/// "e-" (scientific, "0"s after it give the exponent's least digits), text in ' or " as it is,
/// any other character as it is. Up to three sections separated by ";" serve positive, negative
/// (shown without its sign) and zero values; an empty or missing one falls back to the first.
/// Decimals are rounded half away from zero on the shortest decimal form of the value (1.005
/// gives 1.01). An empty picture gives FloatToStr. Without `settings`, FormatSettings().
///@{
QString FormatFloat(QStringView picture, double value, const TFormatSettings& settings);
QString FormatFloat(QStringView picture, double value);
///@}

/// The general form: at most 15 significant digits, trailing zeros dropped, scientific
/// ("1.5E20", "1E-7") when the exponent is beyond the digits or below -4; "NAN", "INF", "-INF".
///@{
QString FloatToStr(double value, const TFormatSettings& settings);
QString FloatToStr(double value);
///@}

/// Reads a decimal number in the locale's form (surrounding blanks allowed, the locale's
/// decimal separator, optional exponent, no thousands separators).
///@{
bool TryStrToFloat(QStringView text, double& value, const TFormatSettings& settings);
bool TryStrToFloat(QStringView text, double& value);
///@}
