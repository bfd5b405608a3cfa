#include "astro/julianday.h"

#include <cmath>

namespace lumora {

std::optional<double> JulianDay(double day, double month, int year)
{
    if (!std::isfinite(day) || !std::isfinite(month))
        return std::nullopt;
    if (year < -32768 || year > 32767)
        return std::nullopt;
    double m = month;
    int y = year;
    if (m < 3) {
        if (y == -32768)
            return std::nullopt; // the year before does not fit 16 bits
        m += 12;
        y -= 1;
    }
    // The whole days of the years before: rounded down, not toward zero, so
    // that negative years keep their leap day in the right place (-1 Jan 1 is
    // Julian day 1720692.5, as Meeus gives it, not a day later).
    double j = std::floor(365.25 * y) + std::trunc(30.6001 * (m + 1)) + day + 1720994.5;
    if (y + m / 100 + day / 10000 > 1582.10145) {
        const double a = std::trunc(y / 100.0);
        j += 2 - a + std::trunc(a / 4);
    }
    // A month or day near the largest double overflows the sum.
    if (!std::isfinite(j))
        return std::nullopt;
    return j;
}

std::optional<CivilDate> calendarDate(double julianDay)
{
    if (!std::isfinite(julianDay) || std::fabs(julianDay) > 1e9)
        return std::nullopt;
    const double shifted = julianDay + 0.5;
    const double z = std::floor(shifted);
    const double f = shifted - z;
    double a = z;
    if (z >= 2299161) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1 + alpha - std::floor(alpha / 4);
    }
    const double b = a + 1524;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    const double day = b - d - std::floor(30.6001 * e) + f;
    const double month = e < 14 ? e - 1 : e - 13;
    const double year = month > 2 ? c - 4716 : c - 4715;
    return CivilDate{int(year), int(month), int(std::floor(day))};
}

bool isCalendarDate(double day, double month, double year)
{
    if (!(std::trunc(day) == day && std::trunc(month) == month && std::trunc(year) == year))
        return false; // fractions, infinities and NaN
    if (year < -32768 || year > 32767 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    const int y = int(year), m = int(month), d = int(day);
    if (y == -32768 && m < 3)
        return false; // JulianDay cannot move them into the year before
    const bool gregorian = y > 1582 || (y == 1582 && (m > 10 || (m == 10 && d >= 15)));
    if (y == 1582 && m == 10 && d > 4 && d < 15)
        return false; // dropped by the reform
    // Astronomical years: -4, 0, 4 ... are Julian leap years.
    const bool leap = gregorian ? (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) : y % 4 == 0;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

} // namespace lumora
