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
// Seconds between the samples the fast scan starts from.
constexpr int kSampleSeconds = 600;

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
          width_(static_cast<float>(panorama.width)), xNoise_(maxSunTravel(site, panorama, 0, 0).xNoise)
    {
    }

    Sample at(int second)
    {
        ++evaluations;
        const SunPosition sun = SolarPosition(jd0_, second / 3600.0, site_);
        const PicturePoint point = sunPicturePoint(sun, panorama_);
        return {second, point, sun.elevation, sunInWindow(point, frame_)};
    }

    // Decides the seconds after a up to b, both already computed.
    void settle(const Sample &a, const Sample &b, RunBuilder &runs)
    {
        if (b.second - a.second <= 1 || (a.inside == b.inside && provablyConstant(a, b))) {
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
    bool provablyConstant(const Sample &a, const Sample &b) const
    {
        const double seconds = b.second - a.second;
        // The elevation between the samples is bounded by how far it can
        // climb from either end: the peak lies at most halfway.
        const double climb = maxElevationChange(site_, seconds);
        const double peak = std::min(90.0, (std::fabs(a.elevation) + std::fabs(b.elevation) + climb) / 2);
        const PictureTravel travel = maxSunTravel(site_, panorama_, seconds, peak);
        const bool xSettled = xClearance(a.point.x) + xClearance(b.point.x) > travel.x;
        const bool ySettled = yClearance(a.point.y) + yClearance(b.point.y) > travel.y;
        return (xSettled && (ySettled || !xInside(a.point.x))) || (ySettled && !yInside(a.point.y));
    }

    double jd0_;
    SiteLocation site_;
    PictureSize panorama_;
    WindowBounds frame_;
    double width_;
    double xNoise_;
};

bool frameCanHoldAnything(const WindowBounds &frame)
{
    return frame.left <= frame.right && frame.top <= frame.bottom;
}
} // namespace

double maxElevationChange(const SiteLocation &site, double seconds)
{
    // The turn of the sky changes the elevation at the turning rate times
    // |cos latitude| |sin azimuth|; the Sun's drift in declination adds its own.
    return (kSkyDegreesPerHour * std::fabs(std::cos(site.latitude * kDegToRad)) + kDeclinationDegreesPerHour)
        * seconds / 3600;
}

PictureTravel maxSunTravel(const SiteLocation &site, PictureSize panorama, double seconds, double maxAbsElevation)
{
    const double hours = seconds / 3600;
    const double xPerDegree = std::fabs(static_cast<float>(panorama.width)) / 360.0;
    const double yPerDegree = std::fabs(static_cast<float>(panorama.height)) / 90.0;
    PictureTravel travel;
    travel.y = yPerDegree * maxElevationChange(site, seconds);
    const double steepest = std::fabs(maxAbsElevation);
    const double cosLatitude = std::fabs(std::cos(site.latitude * kDegToRad));
    const double noiseRadians
        = std::sqrt(2e-14 / (std::max(cosLatitude, 1e-300) * std::cos(kSteepElevation * kDegToRad)));
    travel.xNoise = xPerDegree * noiseRadians / kDegToRad;
    travel.x = steepest <= kSteepElevation
        ? xPerDegree * kSkyDegreesPerHour * hours / std::cos(steepest * kDegToRad)
        : kInfinity;
    return travel;
}

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
    RunBuilder runs;
    Sample previous = scan.at(0);
    runs.mark(0, 0, previous.inside);
    for (int second = kSampleSeconds;; second += kSampleSeconds) {
        const Sample next = scan.at(std::min(second, kSecondsPerDay - 1));
        scan.settle(previous, next, runs);
        if (next.second == kSecondsPerDay - 1)
            break;
        previous = next;
    }
    if (stats)
        stats->evaluations = scan.evaluations;
    return runs.finish();
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

std::vector<LocalSunInterval> localSunIntervals(double julianDay0h, const std::vector<SunInterval> &intervals)
{
    std::vector<LocalSunInterval> local;
    local.reserve(intervals.size());
    for (const SunInterval &interval : intervals)
        local.push_back({utcInstant(julianDay0h, interval.firstSecond).toLocalTime(),
                         utcInstant(julianDay0h, interval.lastSecond).toLocalTime(), interval.seconds()});
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

QString sunIntervalsText(double julianDay0h, const std::vector<SunInterval> &intervals)
{
    return sunIntervalsText(utcInstant(julianDay0h, 0).date(), localSunIntervals(julianDay0h, intervals));
}

} // namespace lumora
