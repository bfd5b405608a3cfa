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
    return j;
}

} // namespace lumora
