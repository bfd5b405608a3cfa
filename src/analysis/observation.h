// What the main window is looking at: the site and its time zone, the window (its frame on the
// panorama, or the measured window, and the skyline) and the instant on show. Features beyond the window's own read-outs
// (the Sun's course, the year view, alerts) follow it and recompute only what
// a change of it asks for.
#pragma once

#include "analysis/evaluation.h"
#include "analysis/windowview.h"

#include <QTimeZone>

namespace lumora {

struct Observation {
    SiteLocation site;        // latitude positive north, longitude positive WEST
    WindowBounds frame;       // panorama units, as the in-window test reads it
    PictureSize panorama;     // the panorama's size, twips
    double julianDay0h = 0;   // 0h UT of the UT date on show
    double hourUT = 0;        // UT hour of the instant on show, [0, 24)
    bool realTime = false;    // the instant follows the clock
    MeasuredWindow measured;  // answers instead of the frame when measuredInForce
    bool measuredInForce = false;
    Skyline skyline;          // empty: none
    // The site's time zone, for every local read-out. Not valid (the default):
    // the computer's own zone, as the program always read local times.
    QTimeZone zone;

    // The question every feature asks: the frame on the panorama, or the
    // measured window, with the skyline.
    WindowView view() const
    {
        const WindowView base = measuredInForce ? WindowView::measured(measured, panorama) : WindowView(frame, panorama);
        return skyline.empty() ? base : base.withSkyline(skyline);
    }

    // The same day, site and window: only the hour (or the mode) moved.
    bool sameDayAndFrame(const Observation &other) const
    {
        return julianDay0h == other.julianDay0h && site.latitude == other.site.latitude
            && site.longitude == other.site.longitude && frame.left == other.frame.left
            && frame.right == other.frame.right && frame.top == other.frame.top
            && frame.bottom == other.frame.bottom && panorama.width == other.panorama.width
            && panorama.height == other.panorama.height && measuredInForce == other.measuredInForce
            && (!measuredInForce || measured == other.measured) && skyline == other.skyline && zone == other.zone;
    }
};

} // namespace lumora
