// The skyline: points sorted by azimuth, linear between neighbours, round 360°.
#include "analysis/skyline.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {
double reduced(double azimuth)
{
    double a = std::fmod(azimuth, 360.0);
    if (a < 0)
        a += 360;
    return a >= 360 ? 0 : a; // -1e-20 gives 360 after the addition
}
} // namespace

std::optional<Skyline> Skyline::fromPoints(std::vector<SkyPoint> points)
{
    for (SkyPoint &point : points) {
        if (!std::isfinite(point.azimuth) || !std::isfinite(point.elevation) || std::fabs(point.elevation) > 90)
            return std::nullopt;
        point.azimuth = reduced(point.azimuth);
    }
    std::sort(points.begin(), points.end(), [](const SkyPoint &x, const SkyPoint &y) { return x.azimuth < y.azimuth; });
    for (size_t i = 1; i < points.size(); ++i)
        if (points[i].azimuth == points[i - 1].azimuth)
            return std::nullopt;
    Skyline skyline;
    skyline.points_ = std::move(points);
    const auto &p = skyline.points_;
    for (size_t i = 0; i < p.size(); ++i) {
        skyline.minElevation_ = i == 0 ? p[i].elevation : std::min(skyline.minElevation_, p[i].elevation);
        skyline.maxElevation_ = i == 0 ? p[i].elevation : std::max(skyline.maxElevation_, p[i].elevation);
        if (p.size() > 1) {
            const SkyPoint &next = p[(i + 1) % p.size()];
            const double span = i + 1 < p.size() ? next.azimuth - p[i].azimuth : next.azimuth + 360 - p[i].azimuth;
            skyline.maxSlope_ = std::max(skyline.maxSlope_, std::fabs(next.elevation - p[i].elevation) / span);
        }
    }
    return skyline;
}

double Skyline::elevationAt(double azimuth) const
{
    if (!std::isfinite(azimuth))
        return std::nan("");
    if (points_.empty())
        return -90;
    if (points_.size() == 1)
        return points_.front().elevation;
    const double a = reduced(azimuth);
    // The first point past a; the segment runs from the one before it.
    const auto after = std::upper_bound(points_.begin(), points_.end(), a,
                                        [](double value, const SkyPoint &point) { return value < point.azimuth; });
    const SkyPoint &right = after == points_.end() ? points_.front() : *after;
    const SkyPoint &left = after == points_.begin() ? points_.back() : *(after - 1);
    double from = left.azimuth, to = right.azimuth, at = a;
    if (to <= from) { // the segment across 360°
        to += 360;
        if (at < from)
            at += 360;
    }
    if (at == from)
        return left.elevation;
    return left.elevation + (right.elevation - left.elevation) * (at - from) / (to - from);
}

} // namespace lumora
