// Coordinates of the three sky pictures: the panorama (azimuth across,
// elevation down), the azimuth compass dial and the elevation quarter dial,
// with the aperture bars' scales and the graduation captions built at start-up.
//
// Every position and size here is in twips, X to the right and Y downward
// from the picture's top-left corner. Angles are degrees: azimuth from North
// through East (N 0, E 90, S 180, W 270), elevation above the horizon
// (negative below it).
#pragma once

#include <QPointF>
#include <QString>

namespace lumora {

// The pi and two pi of the dial drawings, as the drawings have always used them
// (not the full-precision values).
inline constexpr double kDialPi = 3.141592653589;
inline constexpr double kDialTwoPi = 6.283185307178;

// The panorama's outer size as laid out, twips (32-bit floats, as read from the
// picture). The defaults are the main window's layout.
struct PictureSize {
    float width = 10065;
    float height = 4335;
};

// Panorama conversions, in double precision. Azimuth 0 is the left edge, 360
// the right edge; elevation 90 the top edge, 0 the bottom edge, a negative
// elevation lands below the picture. Values outside those ranges are converted
// by the same straight-line formulas, not clamped. A zero-sized picture gives
// infinities or NaN for the picture-to-degrees direction; non-finite inputs
// give non-finite outputs.
double azimuthToX(double azimuth, PictureSize pic);
double xToAzimuth(double x, PictureSize pic);
double elevationToY(double elevation, PictureSize pic);
double yToElevation(double y, PictureSize pic);

// A scroll bar's range and steps (Min is always 0). Half a degree per small
// step, five degrees per large step.
struct BarScale {
    int max;
    int smallChange;
    int largeChange;
};

// Scales of the azimuth bars (left, right edges) and the elevation bars (upper, lower) for
// a picture: the nearest integers, halves to even, to the side, side / 720 and
// side / 72 across, side / 180 and side / 18 down. Each value is limited to
// the 16-bit range a bar holds, [0, 32767]; a non-finite side gives 0.
// With the layout's picture: {10065, 14, 140} and {4335, 24, 241}.
BarScale horizontalBarScale(PictureSize pic);
BarScale verticalBarScale(PictureSize pic);

// Number of azimuth graduations (0°, 15°, ... 360°) and elevation graduations
// (90°, 80°, ... 0°).
inline constexpr int kAzimuthGraduationCount = 25;
inline constexpr int kElevationGraduationCount = 10;

// X of the azimuth tick i on the main window, twips: picLeft + i * 14.98 *
// width / 360, rounded to a 32-bit float. The spacing is 14.98 degrees' worth,
// so the last tick (i = 24) stands slightly short of the picture's right edge:
// 838.8 for i = 1 and 10471.6 for i = 24 with the layout's picture at Left 420.
// Any i is accepted; only 0 to 24 are used.
float graduationTickX(int i, float picLeft, PictureSize pic);

// Caption of the azimuth label i: 15 * i degrees, "0°" for 0 to "360°" for 24.
QString azimuthGraduationCaption(int i);
// Caption of the elevation label i (top to bottom): "90°" for 0 to "0°" for 9.
QString elevationGraduationCaption(int i);

// The azimuth dial: centre (W / 2, W / 2 - 80) from its width W, North up,
// East right. Returns the point at `radius` from the centre in the direction
// `azimuth`. Radii in use: W / 3 for the marks, W / 3.5 for the pointer's tip.
QPointF azimuthDialCentre(double dialWidth);
QPointF azimuthDialPoint(double dialWidth, double azimuth, double radius);

// The elevation dial: its centre is (W - 200, W - 200) while the Sun is above
// the horizon (elevation > 0), and (W - 200, 200) otherwise, so that a Sun on
// or below the horizon can be drawn pointing down-left from near the top edge.
// A NaN elevation counts as "not above". Elevation 0 points left along the
// horizontal through the centre, 90 straight up, negative down and left.
// Radii in use: W / 1.5 for the marks, W / 1.7 for the pointer's tip.
QPointF elevationDialCentre(double dialWidth, double elevation);
QPointF elevationDialPoint(double dialWidth, double elevation, double radius);

} // namespace lumora
