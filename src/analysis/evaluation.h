// One evaluation of the Sun at an instant, as the panorama sees it: where the
// Sun stands in the picture and whether it is inside the window's frame.
#pragma once

#include "astro/solarposition.h"
#include "diagrams/geometry.h"

namespace lumora {

// The frame's four edges in panorama units (twips, Y downward), as the frame
// lines carry them: left = V1.X1, right = V2.X1, top = H1.Y1, bottom = H2.Y1.
// 32-bit floats, like the lines' coordinates.
struct WindowBounds {
    float left = 2100;
    float right = 3210;
    float top = 900;
    float bottom = 2460;
};

// The Sun's place in the panorama: X = azimuth * width / 360,
// Y = height - height * elevation / 90 (beyond the bottom edge below the
// horizon, 0 at the zenith). Doubles.
struct PicturePoint {
    double x = 0;
    double y = 0;
};
PicturePoint sunPicturePoint(const SunPosition &sun, PictureSize panorama);

// The Sun is in the window exactly when left <= x <= right and top <= y <=
// bottom, the point first rounded to 32-bit floats (so a point within float
// precision of an edge counts as on it). All bounds inclusive.
bool sunInWindow(PicturePoint point, const WindowBounds &frame);

// Within the search's margin of 100 units round the frame (strict, in double):
// the search then takes its fine step.
inline constexpr double kNearWindowMargin = 100;
bool nearWindow(PicturePoint point, const WindowBounds &frame);

} // namespace lumora
