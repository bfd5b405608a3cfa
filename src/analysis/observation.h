// What the main window is looking at: the site, the window's frame on the
// panorama and the instant on show. Features beyond the window's own read-outs
// (the Sun's course, the year view, alerts) follow it and recompute only what
// a change of it asks for.
#pragma once

#include "analysis/evaluation.h"

namespace lumora {

struct Observation {
    SiteLocation site;        // latitude positive north, longitude positive WEST
    WindowBounds frame;       // panorama units, as the in-window test reads it
    PictureSize panorama;     // the panorama's size, twips
    double julianDay0h = 0;   // 0h UT of the UT date on show
    double hourUT = 0;        // UT hour of the instant on show, [0, 24)
    bool realTime = false;    // the instant follows the clock

    // The same day, site and frame: only the hour (or the mode) moved.
    bool sameDayAndFrame(const Observation &other) const
    {
        return julianDay0h == other.julianDay0h && site.latitude == other.site.latitude
            && site.longitude == other.site.longitude && frame.left == other.frame.left
            && frame.right == other.frame.right && frame.top == other.frame.top
            && frame.bottom == other.frame.bottom && panorama.width == other.panorama.width
            && panorama.height == other.panorama.height;
    }
};

} // namespace lumora
