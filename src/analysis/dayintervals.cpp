#include "analysis/dayintervals.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

namespace lumora {

namespace {
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Fastest the Sun moves on the sky, degrees per hour: the Earth's turn against
// the Sun (15.04) plus the Sun's own drift in declination (under 0.03), with
// room for the slower or faster years the formulas allow.
constexpr double kSkyDegreesPerHour = 15.1;
constexpr double kDeclinationDegreesPerHour = 0.03;
// The bounds of maxElevationChange and maxSunTravel for one site and
// panorama, with what depends on them alone worked out once: a scan asks for
// them at every stretch it settles.
class SunTravelBound
{
public:
    SunTravelBound(const SiteLocation &site, PictureSize panorama)
        // The turn of the sky changes the elevation at the turning rate times
        // |cos latitude| |sin azimuth|; the Sun's drift in declination adds its own.
        : elevationRate_(kSkyDegreesPerHour * std::fabs(std::cos(site.latitude * kDegToRad))
                         + kDeclinationDegreesPerHour),
          xPerDegree_(std::fabs(static_cast<float>(panorama.width)) / 360.0),
          yPerDegree_(std::fabs(static_cast<float>(panorama.height)) / 90.0)
    {
        const double cosLatitude = std::fabs(std::cos(site.latitude * kDegToRad));
        const double noiseRadians
            = std::sqrt(2e-14 / (std::max(cosLatitude, 1e-300) * std::cos(kSteepElevation * kDegToRad)));
        xNoise_ = xPerDegree_ * noiseRadians / kDegToRad;
    }

    double elevationChange(double seconds) const { return elevationRate_ * seconds / 3600; }

    PictureTravel travel(double seconds, double maxAbsElevation) const
    {
        const double hours = seconds / 3600;
        PictureTravel travel;
        travel.y = yPerDegree_ * elevationChange(seconds);
        const double steepest = std::fabs(maxAbsElevation);
        travel.xNoise = xNoise_;
        travel.x = steepest <= kSteepElevation
            ? xPerDegree_ * kSkyDegreesPerHour * hours / std::cos(steepest * kDegToRad)
            : kInfinity;
        return travel;
    }

private:
    double elevationRate_;
    double xPerDegree_;
    double yPerDegree_;
    double xNoise_ = 0;
};

// One second of the day, computed and tested exactly as the evaluation run does.
struct Sample {
    int second = 0;
    PicturePoint point;
    double elevation = 0;
    bool inside = false;
};

// Builds the maximal runs from seconds decided in increasing order.
class RunBuilder
{
public:
    void mark(int from, int to, bool inside)
    {
        if (inside && open_ < 0)
            open_ = from;
        else if (!inside && open_ >= 0) {
            runs_.push_back({open_, from - 1});
            open_ = -1;
        }
        last_ = to;
    }
    std::vector<SunInterval> finish()
    {
        if (open_ >= 0)
            runs_.push_back({open_, last_});
        open_ = -1;
        return std::move(runs_);
    }

private:
    std::vector<SunInterval> runs_;
    int open_ = -1;
    int last_ = -1;
};

class DayScan
{
public:
    DayScan(double julianDay0h, const SiteLocation &site, PictureSize panorama, const WindowBounds &frame)
        : jd0_(julianDay0h), site_(site), panorama_(panorama), frame_(frame),
          width_(static_cast<float>(panorama.width)), bound_(site, panorama), xNoise_(bound_.travel(0, 0).xNoise)
    {
    }

    Sample at(int second)
    {
        ++evaluations;
        const SunPosition sun = SolarPosition(jd0_, second / 3600.0, site_);
        const PicturePoint point = sunPicturePoint(sun, panorama_);
        return {second, point, sun.elevation, sunInWindow(point, frame_)};
    }

    // A sample second whose Sun was computed beforehand, tested against this frame.
    Sample kept(int second, const SunSample &sun) const
    {
        return {second, sun.point, sun.elevation, sunInWindow(sun.point, frame_)};
    }

    // Decides the seconds after a up to b, both already computed; `travel`,
    // when given, is travelBetween(a, b) computed beforehand.
    void settle(const Sample &a, const Sample &b, RunBuilder &runs, const PictureTravel *travel = nullptr)
    {
        if (b.second - a.second <= 1
            || (a.inside == b.inside && provablyConstant(a, b, travel ? *travel : travelBetween(a, b)))) {
            runs.mark(a.second + 1, b.second, b.inside);
            return;
        }
        const Sample middle = at(a.second + (b.second - a.second) / 2);
        settle(a, middle, runs);
        settle(middle, b, runs);
    }

    int evaluations = 0;

private:
    // Clearance of a coordinate from the lines where its half of the test can
    // change: the frame's two edges and, across, the seam at 0 and the width.
    // Less the rounding allowance, so that a positive clearance is real.
    double xClearance(double x) const
    {
        const double d = std::min({std::fabs(x - frame_.left), std::fabs(x - frame_.right), std::fabs(x),
                                   std::fabs(x - width_)});
        return d - (0.01 + 1e-6 * std::fabs(x) + 2 * xNoise_);
    }
    double yClearance(double y) const
    {
        const double d = std::min(std::fabs(y - frame_.top), std::fabs(y - frame_.bottom));
        return d - (0.01 + 1e-6 * std::fabs(y));
    }
    // Each half of the in-window test alone, the other coordinate put on a
    // frame edge (the frame is in order, so the edge passes).
    bool xInside(double x) const { return sunInWindow({x, frame_.top}, frame_); }
    bool yInside(double y) const { return sunInWindow({frame_.left, y}, frame_); }

    // True when no second between a and b can answer differently from a.
    // A crossing of a line at time t needs the point to reach it from a
    // within t - a and from b within b - t, so the two clearances together
    // would not exceed the travel over the whole stretch.
    bool provablyConstant(const Sample &a, const Sample &b, const PictureTravel &travel) const
    {
        const bool xSettled = xClearance(a.point.x) + xClearance(b.point.x) > travel.x;
        const bool ySettled = yClearance(a.point.y) + yClearance(b.point.y) > travel.y;
        return (xSettled && (ySettled || !xInside(a.point.x))) || (ySettled && !yInside(a.point.y));
    }

public:
    // How far the Sun can move between two samples; it depends on the frame
    // not at all, so a day's samples keep it.
    PictureTravel travelBetween(const Sample &a, const Sample &b) const
    {
        return travelBetween(bound_, b.second - a.second, a.elevation, b.elevation);
    }
    static PictureTravel travelBetween(const SunTravelBound &bound, double seconds, double elevationA,
                                       double elevationB)
    {
        // The elevation between the samples is bounded by how far it can
        // climb from either end: the peak lies at most halfway.
        const double climb = bound.elevationChange(seconds);
        const double peak = std::min(90.0, (std::fabs(elevationA) + std::fabs(elevationB) + climb) / 2);
        return bound.travel(seconds, peak);
    }

private:
    double jd0_;
    SiteLocation site_;
    PictureSize panorama_;
    WindowBounds frame_;
    double width_;
    SunTravelBound bound_;
    double xNoise_;
};

bool frameCanHoldAnything(const WindowBounds &frame)
{
    return frame.left <= frame.right && frame.top <= frame.bottom;
}
} // namespace

double maxElevationChange(const SiteLocation &site, double seconds)
{
    return SunTravelBound(site, PictureSize{}).elevationChange(seconds);
}

PictureTravel maxSunTravel(const SiteLocation &site, PictureSize panorama, double seconds, double maxAbsElevation)
{
    return SunTravelBound(site, panorama).travel(seconds, maxAbsElevation);
}

namespace {
// The sample seconds of the scan, in order: 0, 600, ..., 85800, then 86399.
int sampleSecond(int index) { return std::min(index * kScanSampleSeconds, kSecondsPerDay - 1); }
constexpr int kSamplesPerDay = (kSecondsPerDay - 1) / kScanSampleSeconds + 2;

// The scan itself: the samples from `sampleAt`, each stretch between two of
// them settled or halved; travel(i), when not null, is the travel between
// samples i - 1 and i.
template <typename SampleAt, typename TravelTo>
std::vector<SunInterval> scanDay(DayScan &scan, SampleAt sampleAt, TravelTo travelTo)
{
    RunBuilder runs;
    Sample previous = sampleAt(0);
    runs.mark(0, 0, previous.inside);
    for (int index = 1; index < kSamplesPerDay; ++index) {
        const Sample next = sampleAt(index);
        scan.settle(previous, next, runs, travelTo(index));
        previous = next;
    }
    return runs.finish();
}
} // namespace

std::vector<SunInterval> sunIntervals(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                      const WindowBounds &frame, DayScanStats *stats)
{
    // An empty frame holds nothing; the scan below relies on it being in order.
    if (!frameCanHoldAnything(frame)) {
        if (stats)
            stats->evaluations = 0;
        return {};
    }
    DayScan scan(julianDay0h, site, panorama, frame);
    std::vector<SunInterval> intervals = scanDay(
        scan, [&](int index) { return scan.at(sampleSecond(index)); },
        [](int) { return static_cast<const PictureTravel *>(nullptr); });
    if (stats)
        stats->evaluations = scan.evaluations;
    return intervals;
}

DaySunSamples sampleDay(double julianDay0h, const SiteLocation &site, PictureSize panorama)
{
    DaySunSamples day{julianDay0h, site, panorama, {}, {}};
    day.samples.reserve(kSamplesPerDay);
    day.travel.reserve(kSamplesPerDay - 1);
    const SunTravelBound bound(site, panorama);
    for (int index = 0; index < kSamplesPerDay; ++index) {
        const SunPosition sun = SolarPosition(julianDay0h, sampleSecond(index) / 3600.0, site);
        day.samples.push_back({sunPicturePoint(sun, panorama), sun.elevation, sun.azimuth});
        if (index > 0)
            day.travel.push_back(DayScan::travelBetween(bound, sampleSecond(index) - sampleSecond(index - 1),
                                                        day.samples[size_t(index) - 1].elevation, sun.elevation));
    }
    return day;
}

std::vector<SunInterval> sunIntervals(const DaySunSamples &day, const WindowBounds &frame, DayScanStats *stats)
{
    if (stats)
        stats->evaluations = 0;
    // Samples of another kind than sampleDay's cannot be trusted: scan afresh.
    if (day.samples.size() != size_t(kSamplesPerDay) || day.travel.size() != size_t(kSamplesPerDay) - 1)
        return sunIntervals(day.julianDay0h, day.site, day.panorama, frame, stats);
    if (!frameCanHoldAnything(frame))
        return {};
    DayScan scan(day.julianDay0h, day.site, day.panorama, frame);
    std::vector<SunInterval> intervals = scanDay(
        scan, [&](int index) { return scan.kept(sampleSecond(index), day.samples[size_t(index)]); },
        [&](int index) { return &day.travel[size_t(index) - 1]; });
    if (stats)
        stats->evaluations = scan.evaluations;
    return intervals;
}

std::vector<SunInterval> sunIntervalsBruteForce(double julianDay0h, const SiteLocation &site,
                                                PictureSize panorama, const WindowBounds &frame)
{
    DayScan scan(julianDay0h, site, panorama, frame);
    RunBuilder runs;
    for (int second = 0; second < kSecondsPerDay; ++second)
        runs.mark(second, second, scan.at(second).inside);
    return runs.finish();
}

namespace {
// The scan for any view: the same samples, a stretch settled when the view's
// bounds at its two ends cover it (a change at second k would need k - a and
// b - k each at least the bound at that end), else halved.
class ViewScan
{
public:
    struct Sample {
        int second = 0;
        bool inside = false;
        double holds = 0; // secondsBeforeChange
    };
    ViewScan(double julianDay0h, const SiteLocation &site, const WindowView &view)
        : jd0_(julianDay0h), site_(site), view_(view)
    {
    }
    Sample at(int second)
    {
        ++evaluations;
        return kept(second, SolarPosition(jd0_, second / 3600.0, site_));
    }
    Sample kept(int second, const SunPosition &sun) const
    {
        return {second, view_.inWindow(sun), view_.secondsBeforeChange(sun, site_)};
    }
    void settle(const Sample &a, const Sample &b, RunBuilder &runs)
    {
        if (b.second - a.second <= 1 || (a.inside == b.inside && a.holds + b.holds > b.second - a.second)) {
            runs.mark(a.second + 1, b.second, b.inside);
            return;
        }
        const Sample middle = at(a.second + (b.second - a.second) / 2);
        settle(a, middle, runs);
        settle(middle, b, runs);
    }
    template <typename SampleAt> std::vector<SunInterval> scan(SampleAt sampleAt)
    {
        RunBuilder runs;
        Sample previous = sampleAt(0);
        runs.mark(0, 0, previous.inside);
        for (int index = 1; index < kSamplesPerDay; ++index) {
            const Sample next = sampleAt(index);
            settle(previous, next, runs);
            previous = next;
        }
        return runs.finish();
    }
    int evaluations = 0;

private:
    double jd0_;
    SiteLocation site_;
    const WindowView &view_;
};
} // namespace

std::vector<SunInterval> sunIntervals(double julianDay0h, const SiteLocation &site, const WindowView &view,
                                      DayScanStats *stats)
{
    if (view.isPlainFrame())
        return sunIntervals(julianDay0h, site, view.panorama(), view.frame(), stats);
    ViewScan scan(julianDay0h, site, view);
    std::vector<SunInterval> intervals = scan.scan([&](int index) { return scan.at(sampleSecond(index)); });
    if (stats)
        stats->evaluations = scan.evaluations;
    return intervals;
}

std::vector<SunInterval> sunIntervals(const DaySunSamples &day, const WindowView &view, DayScanStats *stats)
{
    const bool samePanorama
        = day.panorama.width == view.panorama().width && day.panorama.height == view.panorama().height;
    if (view.isPlainFrame() && samePanorama)
        return sunIntervals(day, view.frame(), stats);
    if (day.samples.size() != size_t(kSamplesPerDay))
        return sunIntervals(day.julianDay0h, day.site, view, stats);
    ViewScan scan(day.julianDay0h, day.site, view);
    std::vector<SunInterval> intervals = scan.scan([&](int index) {
        const SunSample &sample = day.samples[size_t(index)];
        return scan.kept(sampleSecond(index), SunPosition{sample.azimuth, sample.elevation});
    });
    if (stats)
        stats->evaluations = scan.evaluations;
    return intervals;
}

std::vector<SunInterval> sunIntervalsBruteForce(double julianDay0h, const SiteLocation &site, const WindowView &view)
{
    RunBuilder runs;
    for (int second = 0; second < kSecondsPerDay; ++second)
        runs.mark(second, second, view.inWindow(SolarPosition(julianDay0h, second / 3600.0, site)));
    return runs.finish();
}

int totalSeconds(const std::vector<SunInterval> &intervals)
{
    int total = 0;
    for (const SunInterval &interval : intervals)
        total += interval.seconds();
    return total;
}

QDateTime utcInstant(double julianDay0h, int second)
{
    // 0h UT is the Julian day's .5; QDate counts the days that start at it.
    const double dayNumber = julianDay0h + 0.5;
    if (!(std::fabs(dayNumber) < 1e9))
        return {};
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(std::floor(dayNumber)));
    return QDateTime(date, QTime(0, 0), Qt::UTC).addSecs(second);
}

std::vector<LocalSunInterval> localSunIntervals(double julianDay0h, const std::vector<SunInterval> &intervals,
                                                const QTimeZone &zone)
{
    std::vector<LocalSunInterval> local;
    local.reserve(intervals.size());
    for (const SunInterval &interval : intervals)
        local.push_back({inZone(utcInstant(julianDay0h, interval.firstSecond), zone),
                         inZone(utcInstant(julianDay0h, interval.lastSecond), zone), interval.seconds()});
    return local;
}

QString durationText(qint64 seconds)
{
    if (seconds < 60)
        return QCoreApplication::translate("SunIntervals", "%1 s").arg(std::max<qint64>(seconds, 0));
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        return QCoreApplication::translate("SunIntervals", "%1 min").arg(minutes);
    return QCoreApplication::translate("SunIntervals", "%1 h %2 min").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString sunIntervalsText(const QDate &utDate, const std::vector<LocalSunInterval> &intervals)
{
    if (intervals.empty())
        return QCoreApplication::translate("SunIntervals", "Pas de Soleil dans la fenêtre ce jour");
    const auto timeText = [&](const QDateTime &local) {
        QString text = local.time().toString(QStringLiteral("HH:mm:ss"));
        const qint64 days = utDate.daysTo(local.date());
        if (days != 0)
            text += QStringLiteral(" J%1%2").arg(days > 0 ? QLatin1Char('+') : QLatin1Char('-')).arg(std::abs(days));
        return text;
    };
    QStringList parts;
    qint64 total = 0;
    for (const LocalSunInterval &interval : intervals) {
        parts << timeText(interval.first) + QStringLiteral(" – ") + timeText(interval.last);
        total += interval.seconds;
    }
    return QCoreApplication::translate("SunIntervals", "Soleil dans la fenêtre : %1 (%2)").arg(parts.join(QStringLiteral(", ")), durationText(total));
}

QString sunIntervalsText(double julianDay0h, const std::vector<SunInterval> &intervals, const QTimeZone &zone)
{
    return sunIntervalsText(utcInstant(julianDay0h, 0).date(), localSunIntervals(julianDay0h, intervals, zone));
}

} // namespace lumora
