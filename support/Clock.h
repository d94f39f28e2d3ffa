#pragma once

#include <QDateTime>

/// The platform's day count: days since 1899-12-30 plus the fraction of the day (local time,
/// no zone). Before that day the whole part counts back and the fraction still counts forward.
using TDateTime = double;

/// The program's "now": SOURCE_DATE_EPOCH (seconds since 1970, read as UTC) when set, so that
/// outputs are reproducible; otherwise the local current time. Throws EReportError when the
/// variable is set but is not a whole number of seconds.
QDateTime Now();

/// The day count of a date and time; its zone is ignored (the wall-clock reading counts).
TDateTime ToDateTimeValue(const QDateTime& dateTime);
/// The wall-clock date and time of a day count, to the millisecond. Throws EReportError for a
/// value outside the years 1 to 9999 or not a number.
QDateTime FromDateTimeValue(TDateTime value);
