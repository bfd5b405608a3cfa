// The stretches of one UT day during which the Sun stands in the window's
// frame, exact to the second, and the texts that show them.
//
// Definition. For the UT day whose 0h is the Julian day jd0, and each whole
// second s from 0 to 86399, the Sun is computed as the evaluation run computes
// it, SolarPosition(jd0, s / 3600.0, site) (the hour a double), placed with
// sunPicturePoint and tested with sunInWindow (the 32-bit picture point against
// the frame, every bound inclusive). An interval is a maximal run of seconds
// that pass the test, given by its first and its last second. A run that
// reaches midnight ends at 86399 (23:59:59); the next day's run, if the Sun
// is still in the frame, starts at its second 0. The duration of an interval
// is last - first + 1 seconds: the seconds it counts.
#pragma once

#include "analysis/evaluation.h"
#include "analysis/windowview.h"
#include "astro/clock.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <vector>

namespace lumora {

inline constexpr int kSecondsPerDay = 86400;

// One maximal run of seconds of the UT day, both ends included, each in
// [0, 86399], first <= last.
struct SunInterval {
    int firstSecond = 0;
    int lastSecond = 0;
    int seconds() const { return lastSecond - firstSecond + 1; }
    friend bool operator==(const SunInterval &, const SunInterval &) = default;
};

// What a scan cost: the number of solar positions it computed.
struct DayScanStats {
    int evaluations = 0;
};

// The day's intervals in time order, exactly as a scan of all 86,400 seconds
// gives them, at the cost of a few hundred solar positions on an ordinary day.
// The positions are sampled every few minutes; a stretch between two samples is
// settled without looking inside only when the Sun provably cannot reach a
// frame edge, nor the 0°/360° seam, in between (see maxSunTravel); otherwise it
// is halved, down to single seconds. A frame with left > right, top > bottom
// or a NaN bound holds no second. Non-finite inputs are accepted and cost
// about what the brute-force scan costs.
std::vector<SunInterval> sunIntervals(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                      const WindowBounds &frame, DayScanStats *stats = nullptr);

// The same for any view (windowview.h): the intervals of the seconds s with
// view.inWindow(SolarPosition(jd0, s / 3600.0, site)). A plain frame view
// takes the frame scan above, unchanged; others sample the same seconds and
// settle a stretch between two samples when the view's secondsBeforeChange
// at both ends adds up to more than the stretch, else halve it down to
// single seconds. Equal to sunIntervalsBruteForce(jd0, site, view).
std::vector<SunInterval> sunIntervals(double julianDay0h, const SiteLocation &site, const WindowView &view,
                                      DayScanStats *stats = nullptr);
std::vector<SunInterval> sunIntervalsBruteForce(double julianDay0h, const SiteLocation &site,
                                                const WindowView &view);

// The same by testing every second: the reference the fast scan must equal.
std::vector<SunInterval> sunIntervalsBruteForce(double julianDay0h, const SiteLocation &site,
                                                PictureSize panorama, const WindowBounds &frame);

// Sum of the intervals' durations, in seconds (86400 for a whole day).
int totalSeconds(const std::vector<SunInterval> &intervals);

// How far the Sun's picture point can move, in panorama units, within
// `seconds`, while its elevation stays within +-maxAbsElevation degrees: y by
// at most `y`; x by at most `x` along the panorama seen as a cylinder (a jump
// from one side edge to the other when the Sun crosses the north meridian
// counts as moving through the seam). The bound comes from the Sun's speed on
// the sky, under 15.1° an hour, and its speed in elevation, under
// 15.1° × |cos latitude| + 0.03° an hour; an azimuth changes by at most the
// arc travelled divided by the cosine of the elevation, so x is infinite when
// maxAbsElevation exceeds kSteepElevation (near the zenith, where the
// azimuth swings round and its rounding noise grows).
// xNoise is how far a computed x may stray from the smooth path: the azimuth
// near a pole comes out of a difference of nearly equal numbers divided by
// cos(latitude), and near the meridian its arc cosine magnifies that rounding
// (a few thousandths of a unit at mid latitudes, a few units within a
// millionth of a degree of a pole).
struct PictureTravel {
    double x = 0;
    double y = 0;
    double xNoise = 0;
};
inline constexpr double kSteepElevation = 89.0;
// The elevation part alone, in degrees.
double maxElevationChange(const SiteLocation &site, double seconds);
PictureTravel maxSunTravel(const SiteLocation &site, PictureSize panorama, double seconds, double maxAbsElevation);

// The Sun of one UT day at the fast scan's sample seconds: every
// kScanSampleSeconds from 0 (0, 600, ..., 85800) and the day's last second,
// 86399; 145 in all. They are what the scan computes for every frame, so a
// year kept this way is scanned again for a new frame with only the few
// positions the frame's edges call for.
inline constexpr int kScanSampleSeconds = 600;
struct SunSample {
    PicturePoint point; // sunPicturePoint of the Sun at that second
    double elevation = 0;
    double azimuth = 0;
};
struct DaySunSamples {
    double julianDay0h = 0;
    SiteLocation site;
    PictureSize panorama;
    std::vector<SunSample> samples; // in the order of their seconds
    // Between each sample and the next, how far the Sun can move
    // (maxSunTravel as the scan bounds it): frame-free too.
    std::vector<PictureTravel> travel;
};
DaySunSamples sampleDay(double julianDay0h, const SiteLocation &site, PictureSize panorama);

// The intervals sunIntervals(day.julianDay0h, day.site, day.panorama, frame)
// gives, the sample seconds taken from `day` instead of computed: equal to
// them whatever the frame. stats counts only the positions computed here.
// Samples that sampleDay did not make (a wrong count) are ignored: the day is
// scanned afresh.
std::vector<SunInterval> sunIntervals(const DaySunSamples &day, const WindowBounds &frame,
                                      DayScanStats *stats = nullptr);
// The same for any view: equal to sunIntervals(day.julianDay0h, day.site,
// view) (the view's own panorama, not the samples', places the frame test).
std::vector<SunInterval> sunIntervals(const DaySunSamples &day, const WindowView &view,
                                      DayScanStats *stats = nullptr);

// The UTC date-time of second `second` of the UT day whose 0h is julianDay0h
// (an absolute instant: the calendar the date was entered in does not
// matter). Invalid for a non-finite or absurd Julian day.
QDateTime utcInstant(double julianDay0h, int second);

// An interval as a reader sees it: its first and last second as local
// date-times, each with the zone's offset in force at that instant (a summer
// time change inside the interval shows), and its duration in seconds.
struct LocalSunInterval {
    QDateTime first;
    QDateTime last;
    int seconds = 0;
};
// `zone`: the site's (the computer's when invalid, see inZone in clock.h).
std::vector<LocalSunInterval> localSunIntervals(double julianDay0h, const std::vector<SunInterval> &intervals,
                                                const QTimeZone &zone = {});

// A duration in the read-outs' words, whole units truncated: "2 h 05 min"
// from one hour on (minutes on two digits), "45 min" from one minute on,
// "12 s" below a minute ("0 s" for zero or less).
QString durationText(qint64 seconds);

// The read-out for a day: "Pas de Soleil dans la fenêtre ce jour" without
// intervals, otherwise "Soleil dans la fenêtre : 09:12:05 – 11:47:40 (2 h 35 min)",
// several intervals separated by ", " and the total duration in the
// parentheses. The times are the local times of each interval's first and
// last second, "HH:MM:SS"; a time whose local date is not `utDate` (the UT
// date of the day) is followed by " J+1" or " J-1" (the day after, the day
// before).
QString sunIntervalsText(const QDate &utDate, const std::vector<LocalSunInterval> &intervals);

// The same read-out straight from the UT intervals, in the site's zone.
QString sunIntervalsText(double julianDay0h, const std::vector<SunInterval> &intervals, const QTimeZone &zone = {});

} // namespace lumora
