// Editing the skyline's points from places on the panorama.
#include "realview/skylinesketch.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {
double tenth(double degrees) { return std::round(degrees * 10) / 10; }

SkyPoint skyPointAt(QPointF place, PictureSize picture)
{
    double azimuth = tenth(std::clamp(xToAzimuth(place.x(), picture), 0.0, 360.0));
    if (!(azimuth < 360)) // the right edge, or a picture without width
        azimuth = 0;
    double elevation = tenth(std::clamp(yToElevation(place.y(), picture), 0.0, 90.0));
    if (!std::isfinite(elevation))
        elevation = 0;
    return {azimuth, elevation};
}
} // namespace

int SkylineSketch::pointNear(QPointF place, PictureSize picture, double reach) const
{
    int best = -1;
    double bestDistance = reach;
    const std::vector<SkyPoint> &points = skyline_.points();
    for (size_t i = 0; i < points.size(); ++i) {
        // A point at 0° stands at both side edges.
        for (double azimuth : {points[i].azimuth, points[i].azimuth + 360}) {
            const double distance = std::hypot(azimuthToX(azimuth, picture) - place.x(),
                                               elevationToY(points[i].elevation, picture) - place.y());
            if (distance <= bestDistance) {
                bestDistance = distance;
                best = int(i);
            }
        }
    }
    return best;
}

std::vector<SkyPoint> SkylineSketch::pointsWith(SkyPoint point, int skip) const
{
    std::vector<SkyPoint> points;
    for (size_t i = 0; i < skyline_.points().size(); ++i)
        if (int(i) != skip && skyline_.points()[i].azimuth != point.azimuth)
            points.push_back(skyline_.points()[i]);
    points.push_back(point);
    return points;
}

int SkylineSketch::indexOf(double azimuth) const
{
    const std::vector<SkyPoint> &points = skyline_.points();
    const auto found = std::find_if(points.begin(), points.end(), [&](const SkyPoint &p) { return p.azimuth == azimuth; });
    return found == points.end() ? -1 : int(found - points.begin());
}

int SkylineSketch::add(QPointF place, PictureSize picture)
{
    const SkyPoint point = skyPointAt(place, picture);
    if (auto next = Skyline::fromPoints(pointsWith(point, -1)))
        skyline_ = std::move(*next);
    return indexOf(point.azimuth);
}

int SkylineSketch::move(int index, QPointF place, PictureSize picture)
{
    if (index < 0 || size_t(index) >= skyline_.points().size())
        return -1;
    const SkyPoint point = skyPointAt(place, picture);
    const int other = indexOf(point.azimuth);
    if (other >= 0 && other != index)
        return index;
    if (auto next = Skyline::fromPoints(pointsWith(point, index)))
        skyline_ = std::move(*next);
    return indexOf(point.azimuth);
}

bool SkylineSketch::remove(int index)
{
    std::vector<SkyPoint> points = skyline_.points();
    if (index < 0 || size_t(index) >= points.size())
        return false;
    points.erase(points.begin() + index);
    skyline_ = points.empty() ? Skyline() : Skyline::fromPoints(std::move(points)).value_or(Skyline());
    return true;
}

} // namespace lumora
