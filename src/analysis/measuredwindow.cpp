// The measured window: its definition taken literally, and its outline seen
// from the spot.
#include "analysis/measuredwindow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lumora {

namespace {
constexpr double kRadians = std::numbers::pi / 180;
constexpr double kMaxLength = 1000;

using Vec = std::array<double, 3>;
double dot(const Vec &u, const Vec &v) { return u[0] * v[0] + u[1] * v[1] + u[2] * v[2]; }

// The vectors of the definition for one window.
struct Frame3 {
    Vec n, a, b, origin, corner; // origin: the spot O; corner: C
    double halfWidth, height, depth;
};

Frame3 frameOf(const MeasuredWindow &w)
{
    const double sinF = std::sin(w.facing * kRadians), cosF = std::cos(w.facing * kRadians);
    const double sinB = std::sin(w.tilt * kRadians), cosB = std::cos(w.tilt * kRadians);
    Frame3 f;
    f.n = {sinF * sinB, cosF * sinB, cosB};
    f.a = {cosF, -sinF, 0};
    f.b = {-sinF * cosB, -cosF * cosB, sinB};
    const Vec h = {sinF, cosF, 0};
    f.corner = {0, 0, w.sill};
    f.origin = {-w.distance * h[0] + w.offset * f.a[0], -w.distance * h[1] + w.offset * f.a[1], w.eye};
    f.halfWidth = w.width / 2;
    f.height = w.height;
    f.depth = w.depth;
    return f;
}

// (O − C)·n: negative when the spot is behind the inner face.
double spotAhead(const Frame3 &f)
{
    return dot({f.origin[0] - f.corner[0], f.origin[1] - f.corner[1], f.origin[2] - f.corner[2]}, f.n);
}

bool inRange(double value, double low, double high) { return std::isfinite(value) && value >= low && value <= high; }

Vec direction(double azimuth, double elevation)
{
    const double cosE = std::cos(elevation * kRadians);
    return {cosE * std::sin(azimuth * kRadians), cosE * std::cos(azimuth * kRadians), std::sin(elevation * kRadians)};
}

SkyPoint skyPointOf(const Vec &u)
{
    const double length = std::sqrt(dot(u, u));
    const double azimuth = std::atan2(u[0], u[1]) / kRadians;
    return {azimuth < 0 ? azimuth + 360 : azimuth, std::asin(std::clamp(u[2] / length, -1.0, 1.0)) / kRadians};
}

// Azimuths made continuous along the line.
void unwrap(std::vector<SkyPoint> &line)
{
    for (size_t i = 1; i < line.size(); ++i)
        line[i].azimuth -= 360 * std::round((line[i].azimuth - line[i - 1].azimuth) / 360);
}

// A closed polyline through the four corners, `samples` points an edge, each
// mapped to the sky by `toSky`.
template <typename ToSky>
std::vector<SkyPoint> sampledRectangle(double x0, double x1, double y0, double y1, int samples, ToSky toSky)
{
    const double corners[5][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
    std::vector<SkyPoint> line;
    line.reserve(size_t(4 * samples + 1));
    for (int edge = 0; edge < 4; ++edge)
        for (int i = 0; i < samples; ++i) {
            const double s = double(i) / samples;
            line.push_back(toSky(corners[edge][0] + s * (corners[edge + 1][0] - corners[edge][0]),
                                 corners[edge][1] + s * (corners[edge + 1][1] - corners[edge][1])));
        }
    line.push_back(line.front());
    unwrap(line);
    return line;
}
} // namespace

QString invalidMeasuredWindowKey(const MeasuredWindow &w)
{
    if (!inRange(w.facing, 0, 360))
        return QStringLiteral("facing");
    if (!inRange(w.tilt, 0, 90))
        return QStringLiteral("tilt");
    if (!inRange(w.width, 0, kMaxLength) || w.width == 0)
        return QStringLiteral("width");
    if (!inRange(w.height, 0, kMaxLength) || w.height == 0)
        return QStringLiteral("height");
    if (!inRange(w.sill, 0, kMaxLength))
        return QStringLiteral("sill");
    if (!inRange(w.depth, 0, kMaxLength))
        return QStringLiteral("depth");
    if (!inRange(w.distance, 0, kMaxLength))
        return QStringLiteral("distance");
    if (!inRange(w.offset, -kMaxLength, kMaxLength))
        return QStringLiteral("offset");
    if (!inRange(w.eye, 0, kMaxLength))
        return QStringLiteral("eye");
    if (!(spotAhead(frameOf(w)) < 0))
        return w.tilt == 90 || w.eye <= w.sill ? QStringLiteral("distance") : QStringLiteral("eye");
    return {};
}

bool throughWindow(const MeasuredWindow &w, double azimuth, double elevation)
{
    if (!invalidMeasuredWindowKey(w).isEmpty())
        return false;
    const Frame3 f = frameOf(w);
    const Vec u = direction(azimuth, elevation);
    const double along = dot(u, f.n);
    if (!(along > 0))
        return false;
    for (const double shift : {0.0, f.depth}) {
        // The face's plane holds C + shift·n; the ray meets it at t.
        const Vec toPlane = {f.corner[0] + shift * f.n[0] - f.origin[0], f.corner[1] + shift * f.n[1] - f.origin[1],
                             f.corner[2] + shift * f.n[2] - f.origin[2]};
        const double t = dot(toPlane, f.n) / along;
        if (!(t > 0))
            return false;
        const Vec hit = {f.origin[0] + t * u[0] - f.corner[0] - shift * f.n[0],
                         f.origin[1] + t * u[1] - f.corner[1] - shift * f.n[1],
                         f.origin[2] + t * u[2] - f.corner[2] - shift * f.n[2]};
        const double p = dot(hit, f.a), q = dot(hit, f.b);
        if (!(std::fabs(p) <= f.halfWidth && q >= 0 && q <= f.height))
            return false;
    }
    return true;
}

GnomonicOpening gnomonicOpening(const MeasuredWindow &w)
{
    GnomonicOpening g;
    if (!invalidMeasuredWindowKey(w).isEmpty())
        return g;
    const Frame3 f = frameOf(w);
    std::copy(f.n.begin(), f.n.end(), g.n);
    std::copy(f.a.begin(), f.a.end(), g.a);
    std::copy(f.b.begin(), f.b.end(), g.b);
    // Seen from O, a face at distance D along n holds the directions with
    // |offset + D·X| ≤ width/2 and 0 ≤ (O − C)·b + D·Y ≤ height.
    const Vec rel = {f.origin[0] - f.corner[0], f.origin[1] - f.corner[1], f.origin[2] - f.corner[2]};
    const double across = dot(rel, f.a), up = dot(rel, f.b), behind = -dot(rel, f.n);
    const double inner = behind, outer = behind + f.depth;
    g.xMin = std::max((-f.halfWidth - across) / inner, (-f.halfWidth - across) / outer);
    g.xMax = std::min((f.halfWidth - across) / inner, (f.halfWidth - across) / outer);
    g.yMin = std::max(-up / inner, -up / outer);
    g.yMax = std::min((f.height - up) / inner, (f.height - up) / outer);
    return g;
}

WindowOutline measuredWindowOutline(const MeasuredWindow &w, int samplesPerEdge)
{
    WindowOutline outline;
    const GnomonicOpening g = gnomonicOpening(w);
    if (g.empty())
        return outline;
    samplesPerEdge = std::clamp(samplesPerEdge, 1, 100000);
    const Frame3 f = frameOf(w);
    for (const bool outer : {false, true}) {
        // Every point of a face lies in front of the spot's plane (the spot is
        // behind the inner face), so nothing is clipped.
        const double shift = outer ? f.depth : 0;
        auto &faces = outer ? outline.outerFace : outline.innerFace;
        faces.push_back(sampledRectangle(-f.halfWidth, f.halfWidth, 0, f.height, samplesPerEdge, [&](double p, double q) {
            Vec u;
            for (int i = 0; i < 3; ++i)
                u[size_t(i)] = f.corner[size_t(i)] + shift * f.n[size_t(i)] + p * f.a[size_t(i)] + q * f.b[size_t(i)]
                    - f.origin[size_t(i)];
            return skyPointOf(u);
        }));
    }
    const auto gnomonicToSky = [&](double x, double y) {
        Vec u;
        for (int i = 0; i < 3; ++i)
            u[size_t(i)] = f.n[size_t(i)] + x * f.a[size_t(i)] + y * f.b[size_t(i)];
        return skyPointOf(u);
    };
    outline.open.push_back(sampledRectangle(g.xMin, g.xMax, g.yMin, g.yMax, samplesPerEdge, gnomonicToSky));
    const std::vector<SkyPoint> &open = outline.open.front();
    outline.azimuthMin = outline.azimuthMax = open.front().azimuth;
    outline.elevationMin = outline.elevationMax = open.front().elevation;
    for (const SkyPoint &point : open) {
        outline.azimuthMin = std::min(outline.azimuthMin, point.azimuth);
        outline.azimuthMax = std::max(outline.azimuthMax, point.azimuth);
        outline.elevationMin = std::min(outline.elevationMin, point.elevation);
        outline.elevationMax = std::max(outline.elevationMax, point.elevation);
    }
    // Round the zenith every azimuth is open.
    if (f.n[2] > 0) {
        const double x = 0, y = f.b[2] / f.n[2];
        if (x >= g.xMin && x <= g.xMax && y >= g.yMin && y <= g.yMax) {
            outline.azimuthMin = 0;
            outline.azimuthMax = 360;
            outline.elevationMax = 90;
        }
    }
    outline.empty = false;
    return outline;
}

} // namespace lumora
