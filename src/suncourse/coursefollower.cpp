// Following the observation: which of the course's parts to redo.
#include "suncourse/coursefollower.h"

#include <cmath>

namespace lumora {

namespace {
bool drawable(const Observation &seen)
{
    // Past a billion days the calendar cannot name the day (and the layers
    // would have nothing sensible to show).
    return std::isfinite(seen.julianDay0h) && std::fabs(seen.julianDay0h) < 1e9 && seen.panorama.width > 0
        && seen.panorama.height > 0 && std::isfinite(seen.panorama.width) && std::isfinite(seen.panorama.height)
        && std::isfinite(seen.site.latitude) && std::isfinite(seen.site.longitude);
}

bool sameCourse(const Observation &a, const Observation &b)
{
    return a.julianDay0h == b.julianDay0h && a.site.latitude == b.site.latitude
        && a.site.longitude == b.site.longitude && a.panorama.width == b.panorama.width
        && a.panorama.height == b.panorama.height && a.zone == b.zone;
}
} // namespace

unsigned SunCourseFollower::follow(const Observation &seen)
{
    if (followed_ && seen.sameDayAndFrame(seen_)) {
        seen_ = seen; // the hour and the mode, for whoever reads them
        return Nothing;
    }
    const bool courseStale = !followed_ || !sameCourse(seen, seen_) || hasDay_ != drawable(seen);
    followed_ = true;
    seen_ = seen;
    hasDay_ = drawable(seen);
    if (!hasDay_) {
        layers_ = {};
        intervals_.clear();
        stretches_.clear();
        timesText_.clear();
        return Course | Times;
    }
    unsigned change = Times;
    if (courseStale) {
        // The year's part is kept from the previous day when it still fits.
        layers_ = sunCourseLayers(seen.julianDay0h, seen.site, seen.panorama, &layers_, seen.zone);
        ++courseComputations_;
        change |= Course;
    }
    intervals_ = sunIntervals(seen.julianDay0h, seen.site, seen.view());
    stretches_ = lumora::inFrameStretches(seen.julianDay0h, seen.site, seen.panorama, intervals_);
    timesText_ = sunIntervalsText(seen.julianDay0h, intervals_, seen.zone);
    ++timesComputations_;
    return change;
}

} // namespace lumora
