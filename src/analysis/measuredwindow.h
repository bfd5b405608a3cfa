// A window described by its measurements instead of by angles: its facing,
// tilt, opening and wall depth, and the spot in the room that should see the
// Sun. Says exactly which directions pass through both faces of the opening,
// and gives the outline of those directions for drawing.
//
// Definition. Metres; x east, y north, z up; F = facing, β = tilt, in
// degrees. The window's outward normal n = (sin F sin β, cos F sin β, cos β);
// a = (cos F, −sin F, 0) points to the right looking out; b = (−sin F cos β,
// −cos F cos β, sin β) points up the window's plane; h = (sin F, cos F, 0).
// C = the middle of the opening's lower edge on the inner face, at height
// `sill` (C = (0, 0, sill)). The spot O = C − distance·h + offset·a, at height
// `eye`: O = (0, 0, eye) − distance·h + offset·a. The inner face is the
// rectangle {C + p·a + q·b : |p| ≤ width/2, 0 ≤ q ≤ height}; the outer face
// the same moved by depth·n. A direction u of azimuth A (clockwise from north)
// and elevation e, u = (cos e sin A, cos e cos A, sin e), passes *through the
// window* when u·n > 0 and the ray O + t·u, t > 0, meets both rectangles,
// edges included, all in double precision.
#pragma once

#include <QString>
#include <vector>

namespace lumora {

// Degrees and metres. Defaults: a 1 m × 1.2 m wall window facing south, its
// sill 0.9 m above the floor, seen from 1 m inside at eye height 1.2 m.
struct MeasuredWindow {
    double facing = 180;   // bearing of the outward normal, [0, 360], clockwise from north
    double tilt = 90;      // of the window's plane: 90 a wall window, 0 a horizontal skylight; [0, 90]
    double width = 1.0;    // (0, 1000]
    double height = 1.2;   // along the plane, (0, 1000]
    double sill = 0.9;     // height of the lower edge above the floor, [0, 1000]
    double depth = 0;      // the wall's thickness along n (the reveal), [0, 1000]
    double distance = 1.0; // horizontal, from the vertical plane through the lower edge into the room, [0, 1000]
    double offset = 0;     // lateral, from the window's middle, positive to the right looking out, [-1000, 1000]
    double eye = 1.2;      // height of the spot above the floor, [0, 1000]
    friend bool operator==(const MeasuredWindow &, const MeasuredWindow &) = default;
};

// The first key ("facing", "tilt", "width", "height", "sill", "depth",
// "distance", "offset", "eye", in that order) whose value is not finite or out
// of its range above, or empty when every value is valid. The spot must also
// lie strictly behind the inner face ((O − C)·n < 0): otherwise the key is
// "distance" for a wall window or when the spot is level with or under the
// lower edge, else "eye".
QString invalidMeasuredWindowKey(const MeasuredWindow &window);

// The definition above, taken literally. Angles in degrees, any finite value
// (the azimuth is not reduced). An invalid window or a non-finite angle gives
// false.
bool throughWindow(const MeasuredWindow &window, double azimuth, double elevation);

// A direction on the sky, degrees: azimuth clockwise from north, elevation up.
struct SkyPoint {
    double azimuth = 0;
    double elevation = 0;
    friend bool operator==(const SkyPoint &, const SkyPoint &) = default;
};

// The window as seen from the spot, for drawing. Each face's rectangle is
// sampled along its four edges (samplesPerEdge points an edge), projected to
// (azimuth, elevation) from the spot, keeping the parts in front of the
// window's plane (u·n > 0). `open` is the outline of the directions through
// both faces: seen from the spot in the gnomonic projection centred on n,
// each face is a rectangle, so their intersection is exact and then sampled
// the same way. Each polyline is closed (its last point equals its first),
// except one that circles the zenith, whose last azimuth is its first
// ± 360; its azimuths are unwrapped, continuous along the line, so
// they may pass 360 or go below 0 (a window facing north): a painter splits
// them at the seam. The bounding box is that of `open`, azimuths unwrapped
// (azimuthMin may be negative, azimuthMax may exceed 360). `empty` when no
// direction passes (or the window is invalid): then every list is empty.
struct WindowOutline {
    std::vector<std::vector<SkyPoint>> innerFace;
    std::vector<std::vector<SkyPoint>> outerFace;
    std::vector<std::vector<SkyPoint>> open;
    double azimuthMin = 0, azimuthMax = 0, elevationMin = 0, elevationMax = 0;
    bool empty = true;
};
WindowOutline measuredWindowOutline(const MeasuredWindow &window, int samplesPerEdge = 64);

// The open region as a rectangle in the gnomonic projection centred on n,
// with the unit vectors a (X) and b (Y): a direction u with u·n > 0 passes
// (up to rounding) when xMin ≤ u·a / u·n ≤ xMax and yMin ≤ u·b / u·n ≤ yMax.
// Empty when xMin > xMax or yMin > yMax (or the window is invalid).
struct GnomonicOpening {
    double n[3] = {0, 0, 1}, a[3] = {1, 0, 0}, b[3] = {0, 1, 0};
    double xMin = 0, xMax = -1, yMin = 0, yMax = -1;
    bool empty() const { return !(xMin <= xMax && yMin <= yMax); }
};
GnomonicOpening gnomonicOpening(const MeasuredWindow &window);

} // namespace lumora
