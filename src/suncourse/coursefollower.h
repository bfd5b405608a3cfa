// What the panorama's Sun course shows for the observation on show: the
// layers of the day (its path, hour marks, the year's envelope and hour
// lines), the day's intervals with the Sun in the frame, the stretches of the
// path they cover, and the read-out text. It follows the main window's
// observation and recomputes only what a change asks for: the hour moving
// (each second of real time) costs nothing, a frame moving costs the
// intervals and stretches (well under a millisecond on an ordinary day), a new
// day, site or picture the layers too (a new year or site also the year's
// part, a few milliseconds).
#pragma once

#include "analysis/dayintervals.h"
#include "analysis/observation.h"
#include "analysis/suncourse.h"

#include <QString>
#include <optional>
#include <vector>

namespace lumora {

class SunCourseFollower
{
public:
    // What a call of follow() recomputed.
    enum Change : unsigned {
        Nothing = 0,
        Times = 1,  // intervals, in-frame stretches and read-out
        Course = 2, // the layers (always with Times)
    };

    // Takes the observation on show. The layers are redone when the UT day,
    // the site or the picture's size changed; the times when the frame did
    // too; nothing when only the hour or the mode did. An observation whose
    // day or picture cannot be drawn (a non-finite Julian day, a picture
    // without area) clears everything.
    unsigned follow(const Observation &seen);

    // A day is on show: the layers and times below belong to observation().
    bool hasDay() const { return hasDay_; }
    const Observation &observation() const { return seen_; }
    const SunCourseLayers &layers() const { return layers_; }
    const std::vector<SunInterval> &intervals() const { return intervals_; }
    const std::vector<CoursePolyline> &inFrameStretches() const { return stretches_; }
    // "Soleil dans la fenêtre : 09:12:05 – 11:47:40 (2 h 35 min)" in the
    // site zone's local time, or "Pas de Soleil dans la fenêtre ce jour";
    // empty without a day.
    const QString &timesText() const { return timesText_; }

    // How many times each part has been computed since construction.
    int courseComputations() const { return courseComputations_; }
    int timesComputations() const { return timesComputations_; }

private:
    bool followed_ = false;
    bool hasDay_ = false;
    Observation seen_;
    SunCourseLayers layers_;
    std::vector<SunInterval> intervals_;
    std::vector<CoursePolyline> stretches_;
    QString timesText_;
    int courseComputations_ = 0;
    int timesComputations_ = 0;
};

} // namespace lumora
