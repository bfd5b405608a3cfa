// The solar formulas: the Sun's apparent coordinates, then local azimuth and elevation.
#include "astro/solarposition.h"

#include "astro/julianday.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {
constexpr double k = kDegToRad;

// arc-sine formed from the arc-tangent, as the formulas do; |x| >= 1 gives
// +-pi/2 instead of a division by zero.
double arcSine(double x)
{
    if (std::isnan(x))
        return x;
    const double root2 = -x * x + 1;
    if (!(root2 > 0))
        return x >= 0 ? 2 * std::atan(1.0) : -2 * std::atan(1.0);
    return std::atan(x / std::sqrt(root2));
}
} // namespace

SolarDetail SolarPositionDetail(double julianDay0h, double hourUT, const SiteLocation &site)
{
    const double t0 = centuriesAt0h(julianDay0h);
    const double t = centuriesAtInstant(t0, hourUT);
    const double phi = site.latitude;

    double theta = 6.6460656 + 2400.051262 * t0 + 1.0027389 * hourUT;
    theta = theta - 24 * std::floor(theta / 24);

    const double m = 358.47583 + 35999.04975 * t;
    const double l0 = 279.69668 + 36000.76892 * t;
    const double lambda = l0 + (1.919 - 0.004789 * t) * std::sin(m * k)
        + 0.020094 * std::sin(2 * m * k) - 0.00569;
    const double eps = 23.452294 - 0.01301 * t;

    double alpha = std::atan(std::cos(eps * k) * std::tan(lambda * k)) / k;
    if (std::cos(lambda * k) < 0)
        alpha = alpha + 180;

    const double s = std::sin(eps * k) * std::sin(lambda * k);
    const double delta = arcSine(s) / k;

    double g = 15 * theta - alpha;
    g = g - 360 * std::floor(g / 360);

    double h = g - site.longitude;
    if (h < 0)
        h = h + 360;
    if (h > 360)
        h = h - 360;

    const double e = std::sin(delta * k) * std::sin(phi * k)
        + std::cos(phi * k) * std::cos(delta * k) * std::cos(h * k);
    // k is a little under pi/180, so a Sun within a few millionths of a degree
    // of the zenith would come out above 90: keep it in range.
    const double elevation = std::fabs(e) >= 1 ? std::copysign(90.0, e) : std::clamp(arcSine(e) / k, -90.0, 90.0);

    const double denominator = std::cos(elevation * k) * std::cos(phi * k);
    double a0;
    if (denominator == 0) {
        // Zenith, nadir, or an observer at a pole: no azimuth is defined.
        a0 = 0;
    } else {
        const double c = (std::sin(delta * k) - std::sin(elevation * k) * std::sin(phi * k)) / denominator;
        const double root = -c * c + 1;
        if (std::isnan(c))
            a0 = c;
        else if (!(root > 0))
            a0 = c >= 0 ? 0.0 : 180.0; // on the meridian: due north or due south
        else
            a0 = (std::atan(-c / std::sqrt(root)) + 2 * std::atan(1.0)) / k;
    }
    const double azimuth = h < 180 ? 360 - a0 : a0;

    SolarDetail detail;
    detail.siderealHours = theta;
    detail.rightAscension = alpha;
    detail.declination = delta;
    detail.hourAngle = h;
    detail.position = {azimuth, elevation};
    return detail;
}

} // namespace lumora
