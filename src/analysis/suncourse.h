// The Sun's course on the panorama: the day's path above the horizon with its
// hour marks, the year's envelope (the solstices' and an equinox's paths) and
// the hour lines (the Sun's place at one clock hour through the year). All
// points are in panorama units (twips, X right from azimuth 0, Y down from
// elevation 90), placed with the same sunPicturePoint as the sun picture and
// the in-window test.
//
// Every path is a list of polylines: a path is cut where the Sun crosses the
// north meridian (x jumps between the width and 0: the piece ending on one side
// edge is followed by one starting on the other, at the same y, so that no
// segment crosses the picture), and, unless said otherwise, kept only above the
// horizon (elevation > 0), each rising and setting point found to a fraction
// of a second and placed on the bottom edge (y = height). Polar night gives no
// polyline; polar day one course cut only at the seam. Consecutive points are
// at most about kCourseMaxSegment apart (finer where the Sun swings round near
// the zenith), which keeps the curves smooth at the panorama's scale.
//
// Sites follow SiteLocation: latitude positive north, longitude positive
// WEST. Julian days are at 0h UT; days are UT days.
//
// A panorama keeps a SunCourseLayers, redone with the previous one passed in
// when the date, site or panorama changes (a new day of the same year redoes
// only the day's path); a move of the frame redoes only sunIntervals,
// inFrameStretches and the read-out text, which take a fraction of a
// millisecond.
#pragma once

#include "analysis/dayintervals.h"

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

namespace lumora {

using CoursePolyline = std::vector<QPointF>;

// Seconds between the day path's samples, before refinement.
inline constexpr int kCourseSampleSeconds = 180;
// Longest segment the paths keep where they can be refined, panorama units.
inline constexpr double kCourseMaxSegment = 60;
// Days between the hour lines' samples.
inline constexpr int kHourLineDayStep = 2;

// A mark on the day path at a whole hour of local time.
struct HourMark {
    int secondUT = 0; // second of the UT day, 0..86399
    int hour = 0;     // local hour, 0..23
    QPointF point;    // the Sun's place at that second
    QString label;    // "9 h"
};

struct SunCourse {
    double julianDay0h = 0;                 // the UT day drawn
    std::vector<CoursePolyline> polylines;  // from 0h to 24h UT
    std::vector<HourMark> hourMarks;        // in time order
};

// The Sun's path from firstSecond to lastSecond of the UT day (0 to 86400,
// the end included), sampled every kCourseSampleSeconds and at both ends,
// refined and cut as above; aboveHorizonOnly false keeps the parts below the
// horizon too (x still cut at the seam).
std::vector<CoursePolyline> sunCourseBetween(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                             int firstSecond, int lastSecond, bool aboveHorizonOnly = true);

// The marks at every whole hour of local time (the site's zone, the computer's
// when invalid, see inZone in clock.h; its offset in
// force at each instant, so a summer time change gives one hour twice or
// skips one) that falls within the UT day while the Sun is above the horizon.
std::vector<HourMark> localHourMarks(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                     const QTimeZone &zone = {});

// The whole UT day's path above the horizon, with its local hour marks.
SunCourse daySunCourse(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                       const QTimeZone &zone = {});

// The stretches of the day's path inside the frame: for each interval, the
// path from its first to its last second (not cut at the horizon: the frame
// decides), cut at the seam. Cheap enough to redo at every move of the frame.
std::vector<CoursePolyline> inFrameStretches(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                             const std::vector<SunInterval> &intervals);

// Which clock the hour lines follow.
enum class HourLineClock {
    // The zone's standard time all year, without summer time: each line is a
    // closed figure eight. In summer the day's marks (civil time) then lie on
    // the line of the hour before.
    Standard,
    // The zone's civil time: a line is cut where the offset changes, and the
    // day's marks lie on the lines of their own hour.
    Civil,
    Universal,
};

struct HourLine {
    int hour = 0;   // 0..23 in the line's clock
    QString label;  // "13 h"
    std::vector<CoursePolyline> polylines;
};

// What depends only on the year, the site and the panorama.
struct YearCourses {
    int year = 0;
    // The UT days of the June solstice, the December solstice and the March
    // equinox, found as the days of the year whose declination at 12h UT is
    // the highest, the lowest, and the nearest zero where it turns positive
    // (so they follow the calendar in use, Julian before 1582), and their
    // paths without hour marks.
    SunCourse juneSolstice;
    SunCourse decemberSolstice;
    SunCourse marchEquinox;
    HourLineClock clock = HourLineClock::Standard;
    // For each hour at which the Sun is above the horizon on some day: its
    // place at that hour every kHourLineDayStep days from 1 January to
    // 1 January of the next year. Hours in increasing order.
    std::vector<HourLine> hourLines;
};

// The year's layers for a civil year (as the date boxes give it); null for a
// year the Julian day cannot be formed for.
std::shared_ptr<const YearCourses> yearCourses(int year, const SiteLocation &site, PictureSize panorama,
                                               HourLineClock clock = HourLineClock::Standard,
                                               const QTimeZone &zone = {});

// Every layer for a day on show: computed once, then painted as often as
// needed. The year's part is shared between the days of a year.
struct SunCourseLayers {
    double julianDay0h = 0;
    SiteLocation site;
    PictureSize panorama;
    QByteArray zone; // the zone the hours were read in (the system's id for the computer's)
    SunCourse day;
    std::shared_ptr<const YearCourses> year; // null when it cannot be formed
};

// The layers of the UT day julianDay0h. With `previous` computed for the same
// year, site, panorama and zone, its year part is reused, so a change of day
// within the year only recomputes the day's path.
SunCourseLayers sunCourseLayers(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                const SunCourseLayers *previous = nullptr, const QTimeZone &zone = {});

} // namespace lumora
