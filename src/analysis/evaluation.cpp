// The Sun's place in the panorama and the in-window test of one evaluation.
#include "analysis/evaluation.h"

namespace lumora {

PicturePoint sunPicturePoint(const SunPosition &sun, PictureSize panorama)
{
    // The sizes are read as 32-bit floats, the arithmetic is double.
    const double width = static_cast<float>(panorama.width);
    const double height = static_cast<float>(panorama.height);
    return {width * sun.azimuth / 360, height - height * sun.elevation / 90};
}

bool sunInWindow(PicturePoint point, const WindowBounds &frame)
{
    const float x = static_cast<float>(point.x);
    const float y = static_cast<float>(point.y);
    return x >= frame.left && x <= frame.right && y >= frame.top && y <= frame.bottom;
}

bool nearWindow(PicturePoint point, const WindowBounds &frame)
{
    const double m = kNearWindowMargin;
    return point.x > double(frame.left) - m && point.y < double(frame.bottom) + m
        && point.y > double(frame.top) - m && point.x < double(frame.right) + m;
}

} // namespace lumora
