// Layout units. Every place and size in the windows is written in twips, as the
// layout gives them; this is the one place that turns them into pixels.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace lumora {

inline constexpr double kTwipsPerPixel = 15.0;

inline constexpr double twipsToPixels(double twips) { return twips / kTwipsPerPixel; }
inline constexpr double pixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }

// A rectangle given as Left, Top, Width, Height in twips, in whole pixels.
inline QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(int(std::lround(twipsToPixels(left))), int(std::lround(twipsToPixels(top))),
                 int(std::lround(twipsToPixels(width))), int(std::lround(twipsToPixels(height))));
}

inline QSize twipsSize(double width, double height)
{
    return QSize(int(std::lround(twipsToPixels(width))), int(std::lround(twipsToPixels(height))));
}

inline QPoint twipsPoint(double x, double y)
{
    return QPoint(int(std::lround(twipsToPixels(x))), int(std::lround(twipsToPixels(y))));
}

} // namespace lumora
