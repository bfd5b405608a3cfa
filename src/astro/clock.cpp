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

QDateTime inZone(const QDateTime &instant, const QTimeZone &zone)
{
    return zone.isValid() ? instant.toTimeZone(zone) : instant.toLocalTime();
}

QDateTime zoneDateTime(const QDate &date, const QTime &time, const QTimeZone &zone)
{
    return zone.isValid() ? QDateTime(date, time, zone) : QDateTime(date, time, Qt::LocalTime);
}

QTimeZone effectiveZone(const QTimeZone &zone) { return zone.isValid() ? zone : QTimeZone::systemTimeZone(); }

float localOffsetDays(const QDateTime &utc, const QTimeZone &zone)
{
    const QDateTime local = inZone(utc, zone);
    const QDateTime utcAsWall(local.date(), local.time(), Qt::UTC);
    const qint64 seconds = utc.secsTo(utcAsWall);
    return static_cast<float>(seconds / 86400.0);
}

int localOffsetSeconds(double julianDay0h, int secondOfDay, const QTimeZone &zone)
{
    // QDate numbers its days by the Julian day at noon.
    const double dayNumber = std::floor(julianDay0h + 0.5);
    if (!(std::fabs(dayNumber) < 1e9))
        return 0;
    const QDateTime utc = QDateTime(QDate::fromJulianDay(qint64(dayNumber)), QTime(0, 0), Qt::UTC).addSecs(secondOfDay);
    return utc.isValid() ? inZone(utc, zone).offsetFromUtc() : 0;
}

} // namespace lumora
