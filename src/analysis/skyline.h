// The skyline seen from the window: buildings, trees and hills as a list of
// (azimuth, elevation) points, and whether the Sun stands above it.
//
// Definition. Points have distinct azimuths in [0, 360) (clockwise from north)
// and elevations in [-90, 90], degrees. Sorted by azimuth, the elevation is
// linear in azimuth between neighbouring points, and from the last point to
// the first across 360°. One point is a constant elevation all round; no
// point is no skyline. The Sun at azimuth A and elevation e is visible when
// e ≥ the skyline's elevation at A (both doubles).
#pragma once

#include "analysis/measuredwindow.h"

#include <optional>
#include <vector>

namespace lumora {

class Skyline
{
public:
    Skyline() = default; // empty: no skyline, everything visible

    // The points in any order; azimuths are reduced to [0, 360) (360 is 0).
    // nullopt when two azimuths coincide after that, or a value is not finite
    // or an elevation lies outside [-90, 90].
    static std::optional<Skyline> fromPoints(std::vector<SkyPoint> points);

    bool empty() const { return points_.empty(); }
    const std::vector<SkyPoint> &points() const { return points_; } // sorted by azimuth in [0, 360)

    // The elevation at any finite azimuth (reduced modulo 360), degrees; -90
    // when empty, NaN for a non-finite azimuth.
    double elevationAt(double azimuth) const;
    bool visible(double azimuth, double elevation) const { return empty() || elevation >= elevationAt(azimuth); }

    // The steepest segment, degrees of elevation per degree of azimuth (0 for
    // fewer than two points), and the extreme elevations (-90, -90 when empty).
    double maxSlope() const { return maxSlope_; }
    double minElevation() const { return minElevation_; }
    double maxElevation() const { return maxElevation_; }

    friend bool operator==(const Skyline &x, const Skyline &y) { return x.points_ == y.points_; }

private:
    std::vector<SkyPoint> points_;
    double maxSlope_ = 0;
    double minElevation_ = -90;
    double maxElevation_ = -90;
};

} // namespace lumora
