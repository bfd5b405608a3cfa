// Where a photo stands on the sky: the pixel ↔ direction mapping of an
// ordinary photo (a pinhole camera) or of a 360° equirectangular panorama, and
// the calibration fits that place a photo from clicked references.
//
// Conventions. Degrees; azimuth clockwise from north, [0, 360); elevation up,
// [-90, 90]. x east, y north, z up; a direction of azimuth A and elevation e
// is (cos e sin A, cos e cos A, sin e). Image coordinates are continuous, in
// pixels, y down: the image covers [0, width] × [0, height], pixel (i, j) has
// its centre at (i + 0.5, j + 0.5), and the image's middle is
// (cx, cy) = (width / 2, height / 2).
//
// Rectilinear (gnomonic) definition. With the centre direction f of azimuth A
// and elevation E, r₀ = (cos A, −sin A, 0) (horizontal, to the right),
// u₀ = (−sin E sin A, −sin E cos A, cos E) (up), the roll ρ turning them to
// r = r₀ cos ρ − u₀ sin ρ and u = u₀ cos ρ + r₀ sin ρ (ρ > 0: the camera
// turned clockwise as its holder sees it), and k = (width / 2) / tan(fov / 2)
// pixels, pixel (x, y) looks along k·f + (x − cx)·r + (cy − y)·u.
//
// Equirectangular definition. width = 2 × height is expected but not
// required: x = 0 is the azimuth `azimuth` (the left edge), the azimuth grows
// by 360 · x / width to the right; y = 0 is the zenith, y = height the nadir,
// elevation 90 − 180 · y / height.
#pragma once

#include "analysis/measuredwindow.h" // SkyPoint

#include <QPointF>
#include <QSizeF>

#include <optional>
#include <vector>

class QDateTime;

namespace lumora {

struct SiteLocation;

enum class PhotoProjection { Rectilinear, Equirectangular };

struct PhotoPlacement {
    PhotoProjection projection = PhotoProjection::Rectilinear;
    double azimuth = 180;    // rectilinear: the image centre's; equirectangular: the left edge's. Any finite value.
    double elevation = 0;    // rectilinear only: the image centre's, [-90, 90]
    double roll = 0;         // rectilinear only; positive = camera turned clockwise as its holder sees it. Any finite value.
    double fieldOfView = 60; // rectilinear only; horizontal, (0, 180)
    friend bool operator==(const PhotoPlacement &, const PhotoPlacement &) = default;
};

// True when the placement's numbers are finite and in their ranges above
// (elevation and field of view only matter for a rectilinear photo).
bool isValidPlacement(const PhotoPlacement &placement);

// The direction a pixel looks along: azimuth in [0, 360), elevation in
// [-90, 90]. Rectilinear: any finite pixel, also outside the image.
// Equirectangular: y in [0, height], any finite x (the azimuth wraps).
// nullopt for an invalid placement, an empty image, a non-finite pixel or a
// y outside an equirectangular image.
std::optional<SkyPoint> photoPixelDirection(const PhotoPlacement &placement, QSizeF image, QPointF pixel);

// The pixel that looks along a direction (inverse of the above). Rectilinear:
// nullopt when the direction is behind the camera or perpendicular to its axis
// (d·f ≤ 1e-12); the pixel may lie outside the image. Equirectangular: x in
// [0, width), y in [0, height]. nullopt too for an invalid placement, an empty
// image or a non-finite direction.
std::optional<QPointF> photoDirectionPixel(const PhotoPlacement &placement, QSizeF image, SkyPoint direction);

// The angle between two directions, degrees in [0, 180].
double angularDistance(SkyPoint a, SkyPoint b);

// Calibration. A reference is a pixel of the photo and the direction it shows
// (the Sun, a landmark). When elevationKnown is false only the azimuth counts.
struct PhotoReference {
    QPointF pixel;
    SkyPoint direction;
    bool elevationKnown = true;
};

// The fitted placement and, for each reference in the order given, its
// residual in degrees: the angle between the reference's direction and the
// direction its pixel looks along under the fitted placement (for an unknown
// elevation, between the reference's azimuth and the pixel's, along the
// pixel's elevation circle). NaN residuals mean the inputs could not be used.
struct PhotoFit {
    PhotoPlacement placement;
    std::vector<double> residuals;
};

// One reference (the Sun clicked): a rectilinear placement with the given
// field of view and roll whose pixel `reference.pixel` looks exactly along
// `reference.direction` (its elevation is always used). Of the two centre
// elevations that can do it for a pixel above or below the middle, the one
// that keeps the pixel's ray from passing over the zenith (or under the
// nadir) is taken. Where no centre
// elevation within [-90, 90] does it (a pixel far off-centre with the
// direction near the zenith), the nearest one is taken and the residual says
// how far off it is. Invalid inputs (fov outside (0, 180), non-finite values,
// an empty image) give the default placement with the fov and roll and a NaN
// residual.
PhotoFit fitFromOneReference(const PhotoReference &reference, QSizeF image, double fieldOfView, double roll);

// The same for a 360° photo: the left edge's azimuth that puts the reference's
// pixel at its direction's azimuth. The residual is the elevation mismatch.
PhotoFit fitEquirectangularFromReference(const PhotoReference &reference, QSizeF image);

// The Sun clicked at `pixel` in a photo taken at the UTC instant `takenUtc`
// at the site: the Sun's true direction then (the program's solar position)
// as the one reference. Non-UTC QDateTimes are converted; an invalid one gives
// NaN residuals.
PhotoFit fitFromSunClick(QPointF pixel, const QDateTime &takenUtc, const SiteLocation &site, QSizeF image,
                         double fieldOfView, double roll);

// Two landmarks, rectilinear. What is solved depends on what the references
// give: both elevations known: azimuth, elevation, roll and field of view, an
// exact fit; one known: azimuth, elevation and field of view, roll 0; none:
// azimuth and field of view, the camera level (elevation 0, roll 0). Where
// several fields of view fit, the narrowest is taken. nullopt when the pixels
// coincide, a value is not finite, the image is empty, or no field of view in
// (0, 180) fits (the references' angle wider than the pixels can give).
std::optional<PhotoFit> fitFromTwoReferences(const PhotoReference &first, const PhotoReference &second, QSizeF image);

} // namespace lumora
