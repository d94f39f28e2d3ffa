#pragma once

#include "db/Field.h"

#include <QVariant>
#include <optional>

/// `value` as a value of `type`: null stays null, an empty text becomes null for text fields, text is
/// parsed (numbers in the locale or the C locale, dates and times in ISO or the locale's short format,
/// logicals as true/false/1/0). Nothing when it does not convert.
std::optional<QVariant> ConvertToFieldType(const QVariant& value, TFieldType type);

/// Total order used by indexes and ranges: null first, numbers numerically, text by UTF-16 code units
/// (case-sensitive), dates and times chronologically, bytes byte-wise. Mixed kinds compare as text.
int CompareFieldValues(const QVariant& a, const QVariant& b);

/// General format with up to 15 significant digits and the locale's decimal separator; exponents as
/// "1E15" and "1,5E-5".
QString FormatGeneralFloat(double value);

/// A date in the locale's short date format.
QString FormatShortDate(QDate date);
