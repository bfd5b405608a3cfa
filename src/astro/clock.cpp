// Reading the system clock (or a test's clock) as UT hours and the zone offset.
#include "astro/clock.h"

#include <QTimeZone>
#include <cmath>

namespace lumora {

namespace {
ClockSource &clockSource()
{
    static ClockSource source;
    return source;
}
} // namespace

void setClockSource(ClockSource source) { clockSource() = std::move(source); }

QDateTime currentUtc()
{
    const ClockSource &source = clockSource();
    return source ? source().toUTC() : QDateTime::currentDateTimeUtc();
}

float UtcHoursNow(const QDateTime &utc)
{
    const QTime t = utc.toUTC().time();
    const double hours = t.minute() / 60.0 + t.hour() + t.second() / 3600.0;
    return static_cast<float>(hours);
}

float UtcHoursNow() { return UtcHoursNow(currentUtc()); }

float localOffsetDays(const QDateTime &utc)
{
    const QDateTime local = utc.toLocalTime();
    const QDateTime utcAsWall(local.date(), local.time(), Qt::UTC);
    const qint64 seconds = utc.secsTo(utcAsWall);
    return static_cast<float>(seconds / 86400.0);
}

int localOffsetSeconds(double julianDay0h, int secondOfDay)
{
    // QDate numbers its days by the Julian day at noon.
    const double dayNumber = std::floor(julianDay0h + 0.5);
    if (!(std::fabs(dayNumber) < 1e9))
        return 0;
    const QDateTime utc = QDateTime(QDate::fromJulianDay(qint64(dayNumber)), QTime(0, 0), Qt::UTC).addSecs(secondOfDay);
    return utc.isValid() ? utc.toLocalTime().offsetFromUtc() : 0;
}

} // namespace lumora
