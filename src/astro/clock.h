// The system clock as the real-time mode reads it. Tests replace the clock
// source with a fixed instant.
#pragma once

#include <QDateTime>
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

// Local time minus UT, in days, as a 32-bit float: the zone offset in force at
// that instant (formed from the full local and UT date-times, so it is right
// also between local and UT midnight).
float localOffsetDays(const QDateTime &utc);

// Local time minus UT, in seconds, at the UT instant given as a Julian day at
// 0h UT and seconds since then: the system zone's offset in force at that
// instant, by the zone's own rules (so before standard time, the mean time of
// the zone's city where the zone data say so). 0 for a day out of reach
// (beyond +-1e9 days).
int localOffsetSeconds(double julianDay0h, int secondOfDay);

} // namespace lumora
