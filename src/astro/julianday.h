// Calendar date to Julian day and the 1900-epoch time arguments of the solar
// formulas. All times are Universal Time.
#pragma once

#include "common/civildate.h"

#include <optional>

namespace lumora {

// Julian day at 0h UT of a calendar date (Meeus' algorithm). Dates from
// 15 October 1582 on are Gregorian, earlier ones Julian. Day and month are not
// range-checked: an out-of-range day carries into the neighbouring month
// (31 February 2026 is 3 March; day 0 is the last day of the month before), and
// a fraction of a day carries through. The year is the civil year; it must fit
// a 16-bit signed integer, and -32768 is refused for January and February (the
// algorithm moves those months into the year before). A refused year, a
// non-finite day or month, or one so large that the result is not finite,
// gives std::nullopt.
std::optional<double> JulianDay(double day, double month, int year);

// The calendar date of a Julian day (Meeus' inverse algorithm), in the same
// calendars as JulianDay: Julian before 15 October 1582, Gregorian from then
// on, so JulianDay(calendarDate(jd)) == jd at 0h UT. The day is whole (the
// fraction of the day dropped); years count astronomically (0 is 1 BC).
// std::nullopt for a non-finite day or one beyond +-1e9 (about 2.7 million
// years, far past anything the program can enter).
std::optional<CivilDate> calendarDate(double julianDay);

// Whether three numbers, as the date boxes or a command line give them, name
// a day the program accepts: whole numbers, a month from 1 to 12, a day that
// the month has in the calendar JulianDay reads (Julian before 15 October 1582,
// with every fourth year leap, year 0 and -4 included, so 29/2/1500 exists;
// Gregorian from then on), and a year JulianDay can take (16 bits, not
// January or February of -32768). 5 to 14 October 1582 do not exist: the
// calendar went from the 4th to the 15th. Non-finite numbers are refused.
// Every accepted date is its own calendarDate(JulianDay(...)).
bool isCalendarDate(double day, double month, double year);

// Julian day of the 1900 epoch, 1899 December 31 at 12h UT.
inline constexpr double kEpoch1900 = 2415020.0;

// Julian centuries of 36525 days from the 1900 epoch to 0h UT of the date.
inline double centuriesAt0h(double julianDay0h) { return (julianDay0h - kEpoch1900) / 36525.0; }

// Centuries at the instant: T0 plus the day fraction divided by 36525 (added,
// not recomputed from a Julian day of the instant, so that the values match the
// formulas' own rounding).
inline double centuriesAtInstant(double t0, double hourUT) { return t0 + (hourUT / 24.0) / 36525.0; }

} // namespace lumora
