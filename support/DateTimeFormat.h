#pragma once

/// @file
/// Dates and times as text and back, in the platform's format codes and the locale's
/// conventions (FormatSettings()).

#include "support/Clock.h"
#include "support/FormatSettings.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

/// A date and time through the platform's format codes (letters in either case):
/// c (short date, then long time unless it is midnight), d dd ddd dddd (day, two digits, short
/// and long day name), ddddd dddddd (short and long date format), m mm mmm mmmm (month, or minutes
/// right after an hour code), yy yyyy, h hh (12-hour with an am/pm code), n nn (minutes), s ss,
/// z zzz (milliseconds), t tt (short and long time format), am/pm a/p (as written) and ampm (the
/// locale's words), "/" and ":" (the locale's separators), text in ' or " as it is.
/// An empty format is "c". Without `settings`, FormatSettings().
///@{
QString FormatDateTime(QStringView format, const QDateTime& value, const TFormatSettings& settings);
QString FormatDateTime(QStringView format, const QDateTime& value);
///@}

/// The locale's short date, long time and default date-time ("c") forms.
///@{
QString DateToStr(const QDateTime& value);
QString TimeToStr(const QDateTime& value);
QString DateTimeToStr(const QDateTime& value);
///@}

/// Reads a date, a time or both as the locale writes them: day, month and year in the order of
/// ShortDateFormat, separated by DateSeparator (the year may be left out: this year; two digits
/// mean 1950 to 2049), then a time h:n[:s[.z]] with an optional AM/PM word. A time alone is on
/// day 0. False for anything else, including impossible dates such as 31/02. Without
/// `settings`, FormatSettings().
///@{
bool TryStrToDateTime(QStringView text, TDateTime& value, const TFormatSettings& settings);
bool TryStrToDateTime(QStringView text, TDateTime& value);
///@}
