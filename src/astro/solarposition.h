// Apparent direction of the Sun's centre for a site and an instant, with
// Meeus' low-precision solar formulas of the 1900 epoch. No refraction, no
// nutation, no parallax. Angles in degrees outside the trigonometric calls.
#pragma once

namespace lumora {

// The degrees-to-radians constant of the formulas, as written (not pi/180 to
// full precision): degrees * k give radians, radians / k give degrees.
inline constexpr double kDegToRad = 0.017453292;

// Observer's site. Latitude in degrees, positive NORTH. Longitude in degrees,
// positive WEST and negative east (Paris, 2°20' E, is -2.3333...).
struct SiteLocation {
    double latitude = 0.0;
    double longitude = 0.0;
};

// Direction of the Sun's centre, in degrees. Azimuth from North through East
// (N 0, E 90, S 180, W 270), in [0, 360]; elevation in [-90, 90], negative
// below the horizon.
struct SunPosition {
    double azimuth = 0.0;
    double elevation = 0.0;
};

// The intermediate quantities, for callers that want to check the chain.
struct SolarDetail {
    double siderealHours = 0; // Greenwich mean sidereal time, hours in [0, 24)
    double rightAscension = 0; // degrees, in (-90, 270), not reduced further
    double declination = 0;    // degrees
    double hourAngle = 0;      // local hour angle, degrees in [0, 360]
    SunPosition position;
};

// Sun's direction at the instant (Julian day at 0h UT of the date, UT hour of
// day) for the site. Ordinary instants give the formulas' values exactly; at
// the singular points (Sun at the zenith or nadir, or so close to the meridian
// that the azimuth cosine reaches +-1 by rounding) the cosines are clamped so
// the result stays finite: elevation +-90, azimuth 0 or 180 before the
// quadrant rule. Non-finite inputs give non-finite outputs, and so may Julian
// days beyond +-1e9 (millions of years away, which the program refuses), where
// the sidereal time has no digits left.
SolarDetail SolarPositionDetail(double julianDay0h, double hourUT, const SiteLocation &site);

inline SunPosition SolarPosition(double julianDay0h, double hourUT, const SiteLocation &site)
{
    return SolarPositionDetail(julianDay0h, hourUT, site).position;
}

} // namespace lumora
