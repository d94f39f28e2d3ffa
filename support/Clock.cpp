#include "support/Clock.h"

#include "platform/Exceptions.h"

#include <cmath>

namespace {

constexpr qint64 kMillisecondsPerDay = 86400000;
const QDate kDayZero(1899, 12, 30);
const QDate kFirstDay(1, 1, 1);
const QDate kLastDay(9999, 12, 31);

[[noreturn]] void RaiseInvalidDateTime(TDateTime value)
{
    throw EReportError(QStringLiteral("Invalid date-time value %1 (outside the years 1 to 9999)").arg(value));
}

} // namespace

QDateTime Now()
{
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty())
        return QDateTime::currentDateTime();
    bool ok = false;
    const qint64 seconds = epoch.toLongLong(&ok);
    if (!ok || seconds < 0)
        throw EReportError(QStringLiteral("SOURCE_DATE_EPOCH is not a number of seconds since 1970: \"%1\"")
                               .arg(QString::fromLocal8Bit(epoch)));
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

TDateTime ToDateTimeValue(const QDateTime& dateTime)
{
    const double days = double(kDayZero.daysTo(dateTime.date()));
    const double fraction = double(dateTime.time().msecsSinceStartOfDay()) / kMillisecondsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime FromDateTimeValue(TDateTime value)
{
    if (!std::isfinite(value) || value < double(kDayZero.daysTo(kFirstDay))
        || value >= double(kDayZero.daysTo(kLastDay) + 1))
        RaiseInvalidDateTime(value);
    const double whole = std::trunc(value);
    qint64 milliseconds = qint64(std::nearbyint(std::fabs(value - whole) * kMillisecondsPerDay));
    QDate date = kDayZero.addDays(qint64(whole));
    if (milliseconds >= kMillisecondsPerDay) {
        // Rounding reached midnight: the next day, away from day zero as the fraction counts.
        milliseconds = 0;
        date = date.addDays(1);
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(milliseconds)));
}
