// The view: the in-window answer for the frame or the measured window, with
// the skyline, and how long that answer provably holds.
#include "analysis/windowview.h"

#include "analysis/dayintervals.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace lumora {

namespace {
constexpr double kRadians = std::numbers::pi / 180;
// Fastest the Sun moves on the sky, degrees per hour (see dayintervals.cpp).
constexpr double kSkyDegreesPerHour = 15.1;

// One part of the answer and how long, in seconds, it holds.
struct Held {
    bool value;
    double seconds;
};
// The parts all hold while each does; a false part alone keeps the whole false.
Held both(Held x, Held y)
{
    if (x.value && y.value)
        return {true, std::min(x.seconds, y.seconds)};
    if (!x.value && !y.value)
        return {false, std::max(x.seconds, y.seconds)};
    return x.value ? y : x;
}

double clampedSeconds(double seconds) { return std::clamp(seconds, 0.0, kViewBoundHorizon); }

// How far the computed Sun may stray from its smooth path, radians: the
// azimuth's rounding near the meridian and the poles (as dayintervals.cpp
// allows it), the elevation's near the zenith.
double directionNoise(const SiteLocation &site)
{
    const double cosLatitude = std::fabs(std::cos(site.latitude * kDegToRad));
    return 1e-7 + std::sqrt(2e-14 / std::max(cosLatitude, 1e-300));
}

double highestElevation(const SunPosition &sun, const SiteLocation &site)
{
    return std::min(90.0, std::fabs(sun.elevation) + maxElevationChange(site, kViewBoundHorizon));
}

// How the Sun may move: elevation and azimuth in degrees an hour, and what
// the computed values may stray beyond that, degrees.
struct SunReach {
    double elevationRate, azimuthRate;
    double elevationSlack, azimuthSlack;
};

// A lower bound, in hours (negative: none), on how long the Sun at (azimuth,
// elevation) stays on the side of the skyline it is on. The answer can change
// at hour t only at an azimuth A' within reach, |A' - azimuth| ≤ azimuthRate t
// + azimuthSlack, whose skyline S(A') the elevation can reach, σ(elevation -
// S(A')) ≤ elevationRate t + elevationSlack (σ the side). So t is at least the
// least over all A' of max(reach time, climb time). The skyline is walked
// piece by piece outward on both sides; on a piece both times are linear in
// the distance, so the least lies at an end or where they meet. A side stops
// once the distance alone takes longer than what is found or `limitHours`,
// or after kMaxPieces pieces: what lies beyond is then bounded by the
// distance reached and by the skyline's extreme elevation.
double hoursOnSkylineSide(const Skyline &skyline, double azimuth, double elevation, const SunReach &reach,
                          double limitHours)
{
    constexpr int kMaxPieces = 64;
    const double here = skyline.elevationAt(azimuth);
    const double side = elevation >= here ? 1 : -1;
    const double extreme = side > 0 ? skyline.maxElevation() : skyline.minElevation();
    const auto climbHours = [&](double sky) {
        return (side * (elevation - sky) - reach.elevationSlack) / reach.elevationRate;
    };
    const auto travelHours = [&](double distance) { return (distance - reach.azimuthSlack) / reach.azimuthRate; };
    const double beyondAll = climbHours(extreme);
    const std::vector<SkyPoint> &points = skyline.points();
    const size_t n = points.size();
    if (n < 2 || !std::isfinite(reach.azimuthRate) || beyondAll >= limitHours)
        return beyondAll;
    const auto leastOnPiece = [&](double d0, double s0, double d1, double s1) {
        const double t0 = travelHours(d0), t1 = travelHours(d1), c0 = climbHours(s0), c1 = climbHours(s1);
        double least = std::min(std::max(t0, c0), std::max(t1, c1));
        if ((c0 > t0) != (c1 > t1)) // the two times meet inside the piece
            least = std::min(least, t0 + (t1 - t0) * (c0 - t0) / ((c0 - t0) - (c1 - t1)));
        return least;
    };
    double a = std::fmod(azimuth, 360.0);
    if (a < 0)
        a += 360;
    const auto after = std::upper_bound(points.begin(), points.end(), a,
                                        [](double value, const SkyPoint &point) { return value < point.azimuth; });
    const size_t right = after == points.end() ? 0 : size_t(after - points.begin());
    const size_t left = (right + n - 1) % n;
    double best = climbHours(here);
    double reached[2];
    for (int direction = 0; direction < 2; ++direction) {
        const bool clockwise = direction == 0;
        size_t i = clockwise ? right : left;
        double d0 = 0, s0 = here;
        double d1 = clockwise ? points[i].azimuth - a : a - points[i].azimuth;
        if (d1 < 0 || (clockwise && d1 == 0))
            d1 += 360;
        for (int piece = 1;; ++piece) {
            best = std::min(best, leastOnPiece(d0, s0, d1, points[i].elevation));
            d0 = d1;
            s0 = points[i].elevation;
            if (travelHours(d0) >= std::min(best, limitHours) || d0 >= 360 || piece >= kMaxPieces)
                break;
            const size_t j = clockwise ? (i + 1) % n : (i + n - 1) % n;
            double span = clockwise ? points[j].azimuth - points[i].azimuth : points[i].azimuth - points[j].azimuth;
            if (span <= 0)
                span += 360;
            i = j;
            d1 = d0 + span;
        }
        reached[direction] = d0;
    }
    // An azimuth visited by neither side lies at least as far as the nearer
    // stop; one visited only the long way round, at least as far as the
    // other side's stop.
    return std::min(best, std::max(travelHours(std::min(reached[0], reached[1])), beyondAll));
}
} // namespace

WindowView WindowView::measured(const MeasuredWindow &window, PictureSize panorama)
{
    WindowView view;
    view.panorama_ = panorama;
    view.measured_ = window;
    view.opening_ = gnomonicOpening(window);
    view.windowValid_ = !view.opening_.empty();
    if (view.windowValid_) {
        const GnomonicOpening &g = view.opening_;
        // Inward normals of the four sides' great circles, and of the window's plane.
        const double limits[4][2] = {{1, g.xMin}, {-1, -g.xMax}, {1, g.yMin}, {-1, -g.yMax}};
        for (int side = 0; side < 4; ++side) {
            const double *axis = side < 2 ? g.a : g.b;
            double length = 0;
            for (int i = 0; i < 3; ++i) {
                view.normals_[side][i] = limits[side][0] * axis[i] - limits[side][1] * g.n[i];
                length += view.normals_[side][i] * view.normals_[side][i];
            }
            for (int i = 0; i < 3; ++i)
                view.normals_[side][i] /= std::sqrt(length);
        }
        std::copy(g.n, g.n + 3, view.normals_[4]);
        // The definition's rounding, relative to the spot's distance from the
        // inner face, kept far below the margin.
        const double behind = std::max(std::fabs(window.distance * std::sin(window.tilt * kRadians)
                                                 - (window.eye - window.sill) * std::cos(window.tilt * kRadians)),
                                       1e-300);
        const double size = 1 + window.width + window.height + window.sill + window.depth + window.distance
            + std::fabs(window.offset) + window.eye;
        view.angleMargin_ = 1e-11 * size / behind;
        const WindowOutline outline = measuredWindowOutline(window, 32);
        view.boxAzimuthMin_ = outline.azimuthMin;
        view.boxAzimuthMax_ = outline.azimuthMax;
        view.boxElevationMin_ = outline.elevationMin;
        view.boxElevationMax_ = outline.elevationMax;
    }
    return view;
}

WindowView WindowView::withSkyline(Skyline skyline) const
{
    WindowView view = *this;
    view.skyline_ = std::move(skyline);
    return view;
}

bool WindowView::inWindow(const SunPosition &sun) const
{
    const bool window = measured_ ? windowValid_ && throughWindow(*measured_, sun.azimuth, sun.elevation)
                                  : sunInWindow(sunPicturePoint(sun, panorama_), frame_);
    return window && skyline_.visible(sun.azimuth, sun.elevation);
}

double WindowView::secondsBeforeChange(const SunPosition &sun, const SiteLocation &site) const
{
    if (!std::isfinite(sun.azimuth) || !std::isfinite(sun.elevation) || !std::isfinite(site.latitude))
        return 0;
    const double highest = highestElevation(sun, site);
    Held answer{true, kViewBoundHorizon};
    if (measured_) {
        if (!windowValid_)
            answer = {false, kViewBoundHorizon};
        else {
            const double cosE = std::cos(sun.elevation * kRadians);
            const double u[3] = {cosE * std::sin(sun.azimuth * kRadians), cosE * std::cos(sun.azimuth * kRadians),
                                 std::sin(sun.elevation * kRadians)};
            // Inside: the nearest side's great circle; outside: the farthest
            // of the great circles it lies beyond (the region is their
            // intersection, a convex spherical polygon).
            double nearestInside = 1, farthestOutside = 0;
            for (const auto &normal : normals_) {
                const double s = u[0] * normal[0] + u[1] * normal[1] + u[2] * normal[2];
                if (s > 0)
                    nearestInside = std::min(nearestInside, s);
                else
                    farthestOutside = std::max(farthestOutside, -s);
            }
            const double angle = std::asin(std::min(1.0, farthestOutside == 0 ? nearestInside : farthestOutside))
                - angleMargin_ - directionNoise(site);
            const double seconds = angle / kRadians / kSkyDegreesPerHour * 3600;
            // Beyond the margins the definition agrees with the geometry;
            // within them the bound is 0 and the answer is the definition's.
            answer = {throughWindow(*measured_, sun.azimuth, sun.elevation), clampedSeconds(seconds)};
        }
    } else if (!(frame_.left <= frame_.right && frame_.top <= frame_.bottom)) {
        answer = {false, kViewBoundHorizon};
    } else {
        const PicturePoint point = sunPicturePoint(sun, panorama_);
        const PictureTravel travel = maxSunTravel(site, panorama_, kViewBoundHorizon, highest);
        const double width = static_cast<float>(panorama_.width);
        const double x = point.x, y = point.y;
        // Clearances from the lines where each half of the test can change
        // (the frame's edges; across, also the seam), less the rounding
        // allowance of the frame scan.
        const double dx = std::min({std::fabs(x - frame_.left), std::fabs(x - frame_.right), std::fabs(x),
                                    std::fabs(x - width)})
            - (0.01 + 1e-6 * std::fabs(x) + 2 * travel.xNoise);
        const double dy = std::min(std::fabs(y - frame_.top), std::fabs(y - frame_.bottom)) - (0.01 + 1e-6 * std::fabs(y));
        const Held across{sunInWindow({x, frame_.top}, frame_),
                          std::isfinite(travel.x) && travel.x > 0 ? clampedSeconds(dx / travel.x * kViewBoundHorizon) : 0};
        const Held down{sunInWindow({frame_.left, y}, frame_),
                        travel.y > 0 ? clampedSeconds(dy / travel.y * kViewBoundHorizon) : kViewBoundHorizon};
        answer = both(across, down);
    }
    if (!skyline_.empty()) {
        const bool visible = skyline_.visible(sun.azimuth, sun.elevation);
        // Outside the window the skyline's time counts only when the Sun is
        // hidden too and the window's own time is short; inside, only up to
        // the window's time.
        double hours = 0;
        if (answer.value || (!visible && answer.seconds < kViewBoundHorizon)) {
            // Near the zenith the azimuth may turn as fast as it likes: only
            // the skyline's extreme elevations bound the time.
            const bool steep = highest >= kSteepElevation;
            const double cosHighest = std::cos(highest * kRadians);
            const SunReach reach{maxElevationChange(site, 3600),
                                 steep ? std::numeric_limits<double>::infinity() : kSkyDegreesPerHour / cosHighest,
                                 1e-6 + directionNoise(site) / kRadians,
                                 steep ? 0 : 2 * directionNoise(site) / cosHighest / kRadians};
            hours = hoursOnSkylineSide(skyline_, sun.azimuth, sun.elevation, reach,
                                       (answer.value ? answer.seconds : kViewBoundHorizon) / 3600);
        }
        answer = both(answer, {visible, clampedSeconds(hours * 3600)});
    }
    return answer.seconds;
}

bool WindowView::nearWindow(const SunPosition &sun) const
{
    if (!measured_)
        return lumora::nearWindow(sunPicturePoint(sun, panorama_), frame_);
    if (!windowValid_)
        return false;
    const double width = static_cast<float>(panorama_.width), height = static_cast<float>(panorama_.height);
    const double azimuthMargin = kNearWindowMargin * 360 / width, elevationMargin = kNearWindowMargin * 90 / height;
    if (!(sun.elevation > boxElevationMin_ - elevationMargin && sun.elevation < boxElevationMax_ + elevationMargin))
        return false;
    for (const double azimuth : {sun.azimuth - 360, sun.azimuth, sun.azimuth + 360})
        if (azimuth > boxAzimuthMin_ - azimuthMargin && azimuth < boxAzimuthMax_ + azimuthMargin)
            return true;
    return false;
}

bool operator==(const WindowView &x, const WindowView &y)
{
    const auto sameFrame = [](const WindowBounds &p, const WindowBounds &q) {
        return p.left == q.left && p.right == q.right && p.top == q.top && p.bottom == q.bottom;
    };
    return x.measured_ == y.measured_ && (x.measured_ || sameFrame(x.frame_, y.frame_))
        && x.panorama_.width == y.panorama_.width && x.panorama_.height == y.panorama_.height
        && x.skyline_ == y.skyline_;
}

} // namespace lumora
