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
    double j = std::trunc(365.25 * y) + std::trunc(30.6001 * (m + 1)) + day + 1720994.5;
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

} // namespace lumora
