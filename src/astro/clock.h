// The system clock as the real-time mode reads it. Tests replace the clock
// source with a fixed instant.
#pragma once

#include <QDateTime>
#include <QTimeZone>
#include <functional>

namespace lumora {

// Source of "now", as a UTC date-time. The default is the system clock.
using ClockSource = std::function<QDateTime()>;

// Replaces the clock for the whole program (tests); an empty function restores
// the system clock.
void setClockSource(ClockSource source);

// The current instant from the clock source, in UTC.
QDateTime currentUtc();

// The UT time of day in hours of a UTC date-time: hour + minute / 60 +
// second / 3600, milliseconds dropped, the sum formed in double and rounded
// once to a 32-bit float. 13:45:30.900 gives 13.7583332...
float UtcHoursNow(const QDateTime &utc);

// The same for the current instant of the clock source.
float UtcHoursNow();

// The zone a site's local times are read in: a zone from the system's zone
// data, or, when `zone` is not valid (a default-constructed QTimeZone), the
// computer's own local time (Qt::LocalTime, following TZ). Every local
// read-out takes one; the default keeps the computer's zone.

// An instant as a date-time of that zone, with the offset in force then.
QDateTime inZone(const QDateTime &instant, const QTimeZone &zone = {});

// The local date and time `date` `time` of that zone (see QDateTime for a time
// skipped or repeated by a clock change).
QDateTime zoneDateTime(const QDate &date, const QTime &time, const QTimeZone &zone = {});

// The zone itself: the system's zone for an invalid one.
QTimeZone effectiveZone(const QTimeZone &zone);

// Local time minus UT, in days, as a 32-bit float: the zone offset in force at
// that instant (formed from the full local and UT date-times, so it is right
// also between local and UT midnight).
float localOffsetDays(const QDateTime &utc, const QTimeZone &zone = {});

// Local time minus UT, in seconds, at the UT instant given as a Julian day at
// 0h UT and seconds since then: the system zone's offset in force at that
// instant (that zone's, see inZone), by the zone's own rules (so before standard time, the mean time of
// the zone's city where the zone data say so). 0 for a day out of reach
// (beyond +-1e9 days).
int localOffsetSeconds(double julianDay0h, int secondOfDay, const QTimeZone &zone = {});

} // namespace lumora
