// The fixed display patterns every window and the sunshine file use, with the
// separators of a given locale (the user's by default).
#pragma once

#include "common/civildate.h"

#include <QLocale>
#include <QString>

namespace lumora {

// A numeric display pattern: a minimum count of integer digits ('0's before the
// point, none for '#') and a fixed count of decimals.
struct NumberPattern {
    int minIntegerDigits;
    int decimals;
};

// The patterns the program uses, by the names its texts give them.
inline constexpr NumberPattern kPattern00{2, 0};       // "00"
inline constexpr NumberPattern kPattern00_00{2, 2};    // "00.00"
inline constexpr NumberPattern kPatternHash_00{0, 2};  // "###.00"
inline constexpr NumberPattern kPatternHash_0{0, 1};   // "###.0"
inline constexpr NumberPattern kPattern00_0{2, 1};     // "00.0"

// Formats a value: '-' for a negative value that does not round to zero, the
// integer digits padded with zeros to the minimum (none at all for "###" when
// the integer part is 0: 0.5 -> ".50"), the locale's decimal separator, the
// decimals. Rounding is to the nearest, halves away from zero. NaN and
// infinities come out as the locale's texts for them ("NaN", "∞").
QString formatNumber(double value, NumberPattern pattern, const QLocale &locale = QLocale());
// The same with the decimal separator given (for callers that format many
// numbers in one locale).
QString formatNumber(double value, NumberPattern pattern, QStringView decimalPoint);

// A non-negative magnitude rounded to `decimals` places (0 to 6), ties away
// from zero, as a whole count of units of the last place (2.35 with 1 decimal
// gives 24). Exact: the binary value's decimal expansion decides every case
// that is not a tie. False for values too large or non-finite.
bool roundedUnits(double magnitude, int decimals, unsigned long long &units);

// The locale's time separator, taken from its short time format (":" when the
// format has none).
QString timeSeparator(const QLocale &locale = QLocale());

// A time of day given as a fraction of a day, rounded to the nearest second and
// reduced into one day (1.0 and 23:59:59.6 both give 00:00), as two-digit
// hours, minutes and, when asked, seconds: "HH:MM" or "HH:MM:ss".
QString formatTimeOfDay(double dayFraction, bool withSeconds, const QLocale &locale = QLocale());

// A date written with a date format of QLocale's kind: "d"/"dd" the day,
// "M"/"MM" the month, "MMM"/"MMMM" the month's short or long name, any run of
// "y" the year, 'quoted' text as it stands, every other character as it
// stands. Digits and the minus sign are the locale's, without grouping. The
// year is the date's own number (astronomical: 0, -1, -584) written with at
// least four digits, the sign before them: 2026, 0333, 0000, -0001, 32767.
// No weekday names (a run of three or more "d" writes the day as "dd").
QString formatDate(const CivilDate &date, QStringView format, const QLocale &locale = QLocale());

// The locale's short date format, its order and separators, with the year as
// above (21/06/2026 on a French system, 6/21/2026 in the US, 21.06.2026 in
// Germany, 01/06/-0001 for 1 June of year -1 in France).
QString formatShortDate(const CivilDate &date, const QLocale &locale = QLocale());

// A date and time of day as the locale's short date, a space, and "HH:MM:ss".
QString formatDateTime(const CivilDate &date, double dayFraction, const QLocale &locale = QLocale());

} // namespace lumora
