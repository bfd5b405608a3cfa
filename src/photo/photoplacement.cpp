// The pixel ↔ direction mapping of a photo and the calibration fits.
#include "photo/photoplacement.h"

#include "astro/julianday.h"
#include "astro/solarposition.h"

#include <QDateTime>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace lumora {

namespace {
using Vec = std::array<double, 3>;

constexpr double kRad = std::numbers::pi / 180;

double dot(const Vec &a, const Vec &b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec cross(const Vec &a, const Vec &b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec scaled(const Vec &a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
Vec sum(const Vec &a, const Vec &b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vec normalised(const Vec &a) { return scaled(a, 1 / std::sqrt(dot(a, a))); }

double wrap360(double degrees)
{
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360;
    return r >= 360 ? 0 : r; // -1e-17 + 360 rounds to 360
}
// In (-180, 180].
double wrap180(double degrees)
{
    const double r = wrap360(degrees);
    return r > 180 ? r - 360 : r;
}

Vec unitVector(SkyPoint p)
{
    const double a = p.azimuth * kRad, e = p.elevation * kRad;
    return {std::cos(e) * std::sin(a), std::cos(e) * std::cos(a), std::sin(e)};
}
SkyPoint skyPoint(const Vec &v)
{
    const double horizontal = std::hypot(v[0], v[1]);
    const double azimuth = horizontal == 0 ? 0 : wrap360(std::atan2(v[0], v[1]) / kRad);
    return {azimuth, std::atan2(v[2], horizontal) / kRad};
}

// The camera's axes for a rectilinear placement, and its focal length in pixels.
struct Camera {
    Vec f, r, u;
    double k = 0, cx = 0, cy = 0;
};
Camera camera(const PhotoPlacement &p, QSizeF image)
{
    const double a = p.azimuth * kRad, e = p.elevation * kRad, roll = p.roll * kRad;
    const Vec f{std::cos(e) * std::sin(a), std::cos(e) * std::cos(a), std::sin(e)};
    const Vec r0{std::cos(a), -std::sin(a), 0};
    const Vec u0{-std::sin(e) * std::sin(a), -std::sin(e) * std::cos(a), std::cos(e)};
    Camera c;
    c.f = f;
    c.r = sum(scaled(r0, std::cos(roll)), scaled(u0, -std::sin(roll)));
    c.u = sum(scaled(u0, std::cos(roll)), scaled(r0, std::sin(roll)));
    c.k = image.width() / 2 / std::tan(p.fieldOfView * kRad / 2);
    c.cx = image.width() / 2;
    c.cy = image.height() / 2;
    return c;
}
Vec cameraRay(const Camera &c, QPointF pixel)
{
    return normalised(sum(sum(scaled(c.f, c.k), scaled(c.r, pixel.x() - c.cx)), scaled(c.u, c.cy - pixel.y())));
}

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }
bool usable(QSizeF image) { return image.width() > 0 && image.height() > 0 && std::isfinite(image.width()) && std::isfinite(image.height()); }
bool usable(const PhotoReference &r)
{
    return finite(r.pixel) && std::isfinite(r.direction.azimuth) &&
           (!r.elevationKnown || (std::isfinite(r.direction.elevation) && std::abs(r.direction.elevation) <= 90));
}

double residual(const PhotoPlacement &placement, QSizeF image, const PhotoReference &reference)
{
    const auto seen = photoPixelDirection(placement, image, reference.pixel);
    if (!seen)
        return std::numeric_limits<double>::quiet_NaN();
    if (reference.elevationKnown)
        return angularDistance(*seen, reference.direction);
    return angularDistance(*seen, {reference.direction.azimuth, seen->elevation});
}

PhotoFit withResiduals(const PhotoPlacement &placement, QSizeF image, std::initializer_list<const PhotoReference *> refs)
{
    PhotoFit fit{placement, {}};
    for (const PhotoReference *r : refs)
        fit.residuals.push_back(residual(placement, image, *r));
    return fit;
}

// The centre direction (level camera frame turned by the roll, then tilted and
// turned) that puts `pixel` on `direction`, for a given k.
PhotoPlacement solveCentre(QPointF pixel, SkyPoint direction, QSizeF image, double fieldOfView, double roll)
{
    PhotoPlacement p;
    p.fieldOfView = fieldOfView;
    p.roll = roll;
    const double k = image.width() / 2 / std::tan(fieldOfView * kRad / 2);
    const double x = pixel.x() - image.width() / 2, y = image.height() / 2 - pixel.y();
    const double rho = roll * kRad;
    // The ray in the unrolled frame (r₀, u₀, f): x r + y u = x' r₀ + y' u₀.
    const double xl = x * std::cos(rho) + y * std::sin(rho);
    const double yl = y * std::cos(rho) - x * std::sin(rho);
    const double n = std::sqrt(xl * xl + yl * yl + k * k);
    // Tilting by E: height of the ray = k sin E + y' cos E = R sin(E + φ).
    const double R = std::hypot(k, yl), phi = std::atan2(yl, k);
    const double s = std::clamp(n * std::sin(direction.elevation * kRad) / R, -1.0, 1.0);
    const double e = std::clamp(std::asin(s) - phi, -std::numbers::pi / 2, std::numbers::pi / 2);
    p.elevation = e / kRad;
    // The ray's azimuth relative to the centre's, once tilted.
    const double along = k * std::cos(e) - yl * std::sin(e);
    p.azimuth = wrap360(direction.azimuth - std::atan2(xl, along) / kRad);
    return p;
}

// The rotation taking the camera rays c1, c2 onto the directions d1, d2
// (exactly when their angles agree; else c1 onto d1 and the planes matched).
PhotoPlacement alignCamera(const Vec &c1, const Vec &c2, const Vec &d1, const Vec &d2, double fieldOfView)
{
    // Orthonormal triads built the same way on both sides. Camera frame
    // (right, forward, up), right-handed as (r, f, u) is.
    const auto triad = [](const Vec &a, const Vec &b) {
        const Vec t1 = normalised(a);
        const Vec t2 = normalised(cross(a, b));
        return std::array<Vec, 3>{t1, t2, cross(t1, t2)};
    };
    const auto cam = triad(c1, c2), world = triad(d1, d2);
    // A camera-frame vector v maps to Σ_i (v·cam_i) world_i.
    const auto apply = [&](const Vec &v) {
        Vec out{0, 0, 0};
        for (int i = 0; i < 3; ++i)
            out = sum(out, scaled(world[i], dot(v, cam[i])));
        return out;
    };
    const Vec r = apply({1, 0, 0}), f = apply({0, 1, 0}), u = apply({0, 0, 1});
    PhotoPlacement p;
    p.fieldOfView = fieldOfView;
    const SkyPoint centre = skyPoint(f);
    p.azimuth = centre.azimuth;
    p.elevation = centre.elevation;
    const double a = centre.azimuth * kRad, e = centre.elevation * kRad;
    const Vec r0{std::cos(a), -std::sin(a), 0};
    const Vec u0{-std::sin(e) * std::sin(a), -std::sin(e) * std::cos(a), std::cos(e)};
    // r = r₀ cos ρ − u₀ sin ρ; u = u₀ cos ρ + r₀ sin ρ.
    p.roll = std::atan2(dot(u, r0) - dot(r, u0), dot(r, r0) + dot(u, u0)) / kRad;
    return p;
}

// The pixel's ray in the camera frame (right, forward, up).
Vec cameraFrameRay(QPointF pixel, QSizeF image, double fieldOfView)
{
    const double k = image.width() / 2 / std::tan(fieldOfView * kRad / 2);
    return normalised({pixel.x() - image.width() / 2, k, image.height() / 2 - pixel.y()});
}

// The narrowest field of view where mismatch(fov) crosses zero, bisected;
// nullopt when it never does within 45°.
template<typename Mismatch>
std::optional<double> solveFieldOfView(Mismatch mismatch)
{
    constexpr int kSteps = 1780;
    constexpr double kLow = 0.05, kHigh = 179.95;
    const auto fovAt = [](int i) { return kLow + (kHigh - kLow) * i / kSteps; };
    double previous = mismatch(fovAt(0));
    for (int i = 1; i <= kSteps; ++i) {
        const double current = mismatch(fovAt(i));
        // A jump from +180 to -180 is the azimuth wrapping, not a root.
        if (std::isfinite(previous) && std::isfinite(current) && (previous <= 0) != (current <= 0) &&
            std::abs(previous) + std::abs(current) < 90) {
            double lo = fovAt(i - 1), hi = fovAt(i), mLo = previous;
            for (int j = 0; j < 60; ++j) {
                const double mid = (lo + hi) / 2, m = mismatch(mid);
                if ((m <= 0) == (mLo <= 0)) {
                    lo = mid;
                    mLo = m;
                } else {
                    hi = mid;
                }
            }
            return (lo + hi) / 2;
        }
        previous = current;
    }
    return std::nullopt;
}
} // namespace

bool isValidPlacement(const PhotoPlacement &p)
{
    if (!std::isfinite(p.azimuth))
        return false;
    if (p.projection == PhotoProjection::Equirectangular)
        return true;
    return std::isfinite(p.roll) && std::isfinite(p.elevation) && std::abs(p.elevation) <= 90 &&
           p.fieldOfView > 0 && p.fieldOfView < 180;
}

std::optional<SkyPoint> photoPixelDirection(const PhotoPlacement &placement, QSizeF image, QPointF pixel)
{
    if (!isValidPlacement(placement) || !usable(image) || !finite(pixel))
        return std::nullopt;
    if (placement.projection == PhotoProjection::Equirectangular) {
        if (pixel.y() < 0 || pixel.y() > image.height())
            return std::nullopt;
        return SkyPoint{wrap360(placement.azimuth + 360 * pixel.x() / image.width()),
                        90 - 180 * pixel.y() / image.height()};
    }
    return skyPoint(cameraRay(camera(placement, image), pixel));
}

std::optional<QPointF> photoDirectionPixel(const PhotoPlacement &placement, QSizeF image, SkyPoint direction)
{
    if (!isValidPlacement(placement) || !usable(image) || !std::isfinite(direction.azimuth) ||
        !std::isfinite(direction.elevation))
        return std::nullopt;
    if (placement.projection == PhotoProjection::Equirectangular) {
        const double elevation = std::clamp(direction.elevation, -90.0, 90.0);
        return QPointF(wrap360(direction.azimuth - placement.azimuth) / 360 * image.width(),
                       (90 - elevation) / 180 * image.height());
    }
    const Camera c = camera(placement, image);
    const Vec d = unitVector(direction);
    const double along = dot(d, c.f);
    if (along <= 1e-12)
        return std::nullopt;
    return QPointF(c.cx + c.k * dot(d, c.r) / along, c.cy - c.k * dot(d, c.u) / along);
}

double angularDistance(SkyPoint a, SkyPoint b)
{
    const Vec u = unitVector(a), v = unitVector(b);
    // atan2 of |u×v| and u·v stays exact for tiny and for near-opposite angles.
    const Vec c = cross(u, v);
    return std::atan2(std::sqrt(dot(c, c)), dot(u, v)) / kRad;
}

PhotoFit fitFromOneReference(const PhotoReference &reference, QSizeF image, double fieldOfView, double roll)
{
    PhotoPlacement fallback;
    fallback.fieldOfView = fieldOfView;
    fallback.roll = roll;
    PhotoReference ref = reference;
    ref.elevationKnown = true;
    if (!usable(ref) || !usable(image) || !(fieldOfView > 0 && fieldOfView < 180) || !std::isfinite(roll))
        return {fallback, {std::numeric_limits<double>::quiet_NaN()}};
    return withResiduals(solveCentre(ref.pixel, ref.direction, image, fieldOfView, roll), image, {&ref});
}

PhotoFit fitEquirectangularFromReference(const PhotoReference &reference, QSizeF image)
{
    PhotoPlacement p;
    p.projection = PhotoProjection::Equirectangular;
    if (!usable(reference) || !usable(image))
        return {p, {std::numeric_limits<double>::quiet_NaN()}};
    p.azimuth = wrap360(reference.direction.azimuth - 360 * reference.pixel.x() / image.width());
    return withResiduals(p, image, {&reference});
}

PhotoFit fitFromSunClick(QPointF pixel, const QDateTime &takenUtc, const SiteLocation &site, QSizeF image,
                         double fieldOfView, double roll)
{
    PhotoReference sun{pixel, {std::numeric_limits<double>::quiet_NaN(), 0}, true};
    if (takenUtc.isValid()) {
        const QDateTime utc = takenUtc.toUTC();
        const QDate date = utc.date();
        if (const auto jd = JulianDay(date.day(), date.month(), date.year())) {
            const QTime t = utc.time();
            const double hours = t.hour() + t.minute() / 60.0 + (t.second() + t.msec() / 1000.0) / 3600;
            const SunPosition position = SolarPosition(*jd, hours, site);
            sun.direction = {position.azimuth, position.elevation};
        }
    }
    return fitFromOneReference(sun, image, fieldOfView, roll);
}

std::optional<PhotoFit> fitFromTwoReferences(const PhotoReference &first, const PhotoReference &second, QSizeF image)
{
    if (!usable(first) || !usable(second) || !usable(image) || first.pixel == second.pixel)
        return std::nullopt;
    std::optional<double> fov;
    std::optional<PhotoPlacement> placement;
    if (first.elevationKnown && second.elevationKnown) {
        // The angle between the two rays grows with the field of view; the
        // references fix it, then a rotation carries both rays home.
        const double target = angularDistance(first.direction, second.direction);
        fov = solveFieldOfView([&](double f) {
            const Vec c1 = cameraFrameRay(first.pixel, image, f), c2 = cameraFrameRay(second.pixel, image, f);
            const Vec c = cross(c1, c2);
            return std::atan2(std::sqrt(dot(c, c)), dot(c1, c2)) / kRad - target;
        });
        if (fov)
            placement = alignCamera(cameraFrameRay(first.pixel, image, *fov), cameraFrameRay(second.pixel, image, *fov),
                                    unitVector(first.direction), unitVector(second.direction), *fov);
    } else {
        // Roll 0. The reference with a known elevation (else the first, its
        // elevation taken level with the camera) fixes the centre for each
        // field of view; the other one's azimuth then picks the field of view.
        const bool secondAnchors = second.elevationKnown && !first.elevationKnown;
        const PhotoReference &anchor = secondAnchors ? second : first;
        const PhotoReference &other = secondAnchors ? first : second;
        const auto centreFor = [&](double f) {
            if (anchor.elevationKnown)
                return solveCentre(anchor.pixel, anchor.direction, image, f, 0);
            PhotoPlacement level;
            level.fieldOfView = f;
            level.elevation = 0;
            const double k = image.width() / 2 / std::tan(f * kRad / 2);
            level.azimuth = wrap360(anchor.direction.azimuth - std::atan2(anchor.pixel.x() - image.width() / 2, k) / kRad);
            return level;
        };
        fov = solveFieldOfView([&](double f) {
            const auto seen = photoPixelDirection(centreFor(f), image, other.pixel);
            return seen ? wrap180(seen->azimuth - other.direction.azimuth) : std::numeric_limits<double>::quiet_NaN();
        });
        if (fov)
            placement = centreFor(*fov);
    }
    if (!placement)
        return std::nullopt;
    return withResiduals(*placement, image, {&first, &second});
}

} // namespace lumora
