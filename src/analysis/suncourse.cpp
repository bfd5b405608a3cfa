#include "analysis/suncourse.h"

#include "astro/julianday.h"

#include <QCoreApplication>
#include <QTimeZone>
#include <algorithm>
#include <cmath>
#include <optional>

namespace lumora {

namespace {
// Halvings allowed to smooth a segment or to find a crossing's neighbourhood.
constexpr int kMaxRefinement = 8;
constexpr int kCrossingSteps = 40;

// An instant as the solar formulas take it. Between two instants of a path the
// formulas are continuous in both numbers, so a path can be followed between
// samples: within a day by the hour, along an hour line by the day.
struct Instant {
    double julianDay0h = 0;
    double hourUT = 0;
};

Instant between(const Instant &a, const Instant &b, double f)
{
    return {a.julianDay0h + f * (b.julianDay0h - a.julianDay0h), a.hourUT + f * (b.hourUT - a.hourUT)};
}

struct Placed {
    Instant at;
    QPointF point;
    double elevation = 0;
    bool kept = false; // above the horizon, or every point when nothing is clipped
};

QString hourLabel(int hour) { return QCoreApplication::translate("SunCourse", "%1 h").arg(hour); }

// Follows one path sample by sample into polylines, refining long segments
// and cutting at the seam and the horizon.
class Tracer
{
public:
    Tracer(const SiteLocation &site, PictureSize panorama, bool aboveHorizonOnly)
        : site_(site), panorama_(panorama), clip_(aboveHorizonOnly),
          width_(static_cast<float>(panorama.width)), height_(static_cast<float>(panorama.height))
    {
    }

    Placed place(const Instant &at) const
    {
        const SunPosition sun = SolarPosition(at.julianDay0h, at.hourUT, site_);
        const PicturePoint p = sunPicturePoint(sun, panorama_);
        return {at, QPointF(p.x, p.y), sun.elevation, !clip_ || sun.elevation > 0};
    }

    // The next sample; `joined` false starts afresh (a gap in the samples).
    void add(const Placed &sample, bool joined = true)
    {
        if (joined && started_)
            follow(previous_, sample, 0);
        else {
            flush();
            if (sample.kept)
                current_.push_back(sample.point);
        }
        previous_ = sample;
        started_ = true;
    }

    std::vector<CoursePolyline> finish()
    {
        flush();
        return std::move(done_);
    }

private:
    void flush()
    {
        if (current_.size() >= 2)
            done_.push_back(std::move(current_));
        current_.clear();
    }

    // x difference from a to b the short way round the cylinder.
    double unwrappedDx(const QPointF &a, const QPointF &b) const
    {
        double dx = b.x() - a.x();
        if (std::fabs(dx) > std::fabs(width_) / 2)
            dx -= std::copysign(std::fabs(width_), dx);
        return dx;
    }

    bool acrossSeam(const QPointF &a, const QPointF &b) const
    {
        return std::fabs(b.x() - a.x()) > std::fabs(width_) / 2;
    }

    // a is already in the polyline (when kept); adds what lies up to b.
    void follow(const Placed &a, const Placed &b, int depth)
    {
        if (a.kept && b.kept) {
            const double length = std::hypot(unwrappedDx(a.point, b.point), b.point.y() - a.point.y());
            if (length > kCourseMaxSegment && depth < kMaxRefinement) {
                const Placed middle = place(between(a.at, b.at, 0.5));
                follow(a, middle, depth + 1);
                follow(middle, b, depth + 1);
                return;
            }
            if (acrossSeam(a.point, b.point))
                cutAtSeam(a, b);
            current_.push_back(b.point);
            return;
        }
        if (a.kept != b.kept) {
            const Placed edge = horizonCrossing(a, b);
            if (a.kept) {
                follow(a, edge, depth);
                flush();
            } else {
                flush();
                current_.push_back(edge.point);
                follow(edge, b, depth);
            }
        }
        // Both below the horizon: nothing to draw.
    }

    // Closes the polyline on the side edge the Sun leaves by and opens the
    // next on the other, at the height where it crosses.
    void cutAtSeam(Placed lo, Placed hi)
    {
        for (int i = 0; i < kCrossingSteps; ++i) {
            const Placed middle = place(between(lo.at, hi.at, 0.5));
            (acrossSeam(lo.point, middle.point) ? hi : lo) = middle;
        }
        const double w = std::fabs(width_);
        const double leaving = lo.point.x() > w / 2 ? w : 0;
        const double entering = w - leaving;
        const double dx = unwrappedDx(lo.point, hi.point);
        const double f = dx != 0 ? std::clamp((leaving - lo.point.x()) / dx, 0.0, 1.0) : 0.5;
        const double y = lo.point.y() + f * (hi.point.y() - lo.point.y());
        current_.push_back(QPointF(leaving, y));
        flush();
        current_.push_back(QPointF(entering, y));
    }

    // The point where the Sun reaches elevation 0 between a and b (one above,
    // one below), on the bottom edge.
    Placed horizonCrossing(Placed lo, Placed hi) const
    {
        for (int i = 0; i < kCrossingSteps; ++i) {
            const Placed middle = place(between(lo.at, hi.at, 0.5));
            (middle.kept == lo.kept ? lo : hi) = middle;
        }
        const Placed &up = lo.kept ? lo : hi;
        const Placed &down = lo.kept ? hi : lo;
        const double drop = up.elevation - down.elevation;
        const double f = drop > 0 ? std::clamp(up.elevation / drop, 0.0, 1.0) : 0.0;
        double x = up.point.x() + f * unwrappedDx(up.point, down.point);
        const double w = std::fabs(width_);
        if (x < 0)
            x += w;
        else if (x > w)
            x -= w;
        return {between(up.at, down.at, f), QPointF(x, height_), 0.0, true};
    }

    SiteLocation site_;
    PictureSize panorama_;
    bool clip_;
    double width_;
    double height_;
    bool started_ = false;
    Placed previous_;
    CoursePolyline current_;
    std::vector<CoursePolyline> done_;
};

bool sameSite(const SiteLocation &a, const SiteLocation &b)
{
    return a.latitude == b.latitude && a.longitude == b.longitude;
}

bool samePanorama(PictureSize a, PictureSize b) { return a.width == b.width && a.height == b.height; }

// An absolute instant as a Julian day at 0h UT and an hour of that UT day.
Instant instantOf(const QDateTime &utc)
{
    const QDateTime u = utc.toUTC();
    return {static_cast<double>(u.date().toJulianDay()) - 0.5, u.time().msecsSinceStartOfDay() / 3'600'000.0};
}

// The offset (local minus UT, seconds) of the line's clock on the local day
// `date` when one offset holds all day; none on a day the clock changes.
// `zone`: as the caller got it (invalid: the computer's local time).
std::optional<int> dayOffset(const QDate &date, HourLineClock clock, const QTimeZone &zone)
{
    switch (clock) {
    case HourLineClock::Universal:
        return 0;
    case HourLineClock::Standard:
        return effectiveZone(zone).standardTimeOffset(QDateTime(date, QTime(12, 0), Qt::UTC));
    case HourLineClock::Civil: {
        const int morning = zoneDateTime(date, QTime(0, 0), zone).offsetFromUtc();
        const int evening = zoneDateTime(date, QTime(23, 59, 59), zone).offsetFromUtc();
        if (morning == evening)
            return morning;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

// Hour `hour` of the local day starting at Julian day jdDay (0h), `offset`
// seconds ahead of UT.
Instant hourWithOffset(double jdDay, int hour, int offset)
{
    const double seconds = hour * 3600.0 - offset;
    const double days = std::floor(seconds / 86400);
    return {jdDay + days, (seconds - days * 86400) / 3600};
}

// Hour `hour` of civil time on a day the clock changes; none when that hour
// is skipped.
std::optional<Instant> civilHour(const QDate &date, int hour, const QTimeZone &zone)
{
    const QDateTime local = zoneDateTime(date, QTime(hour, 0), zone);
    if (!local.isValid() || local.time() != QTime(hour, 0))
        return std::nullopt;
    return instantOf(local);
}
} // namespace

std::vector<CoursePolyline> sunCourseBetween(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                             int firstSecond, int lastSecond, bool aboveHorizonOnly)
{
    Tracer tracer(site, panorama, aboveHorizonOnly);
    if (!(firstSecond <= lastSecond))
        return {};
    for (int second = firstSecond;; second = std::min(second + kCourseSampleSeconds, lastSecond)) {
        tracer.add(tracer.place({julianDay0h, second / 3600.0}));
        if (second == lastSecond)
            break;
    }
    return tracer.finish();
}

std::vector<HourMark> localHourMarks(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                     const QTimeZone &zone)
{
    const QDateTime start = utcInstant(julianDay0h, 0);
    if (!start.isValid())
        return {};
    const auto offsetAt = [&](int second) { return inZone(start.addSecs(second), zone).offsetFromUtc(); };

    // Stretches of constant offset: the offset read at each UT hour, and
    // where it changes between two of them, the second it changes at.
    struct Stretch {
        int from, to, offset; // seconds [from, to)
    };
    std::vector<Stretch> stretches;
    int offsetBefore = offsetAt(0);
    for (int hour = 0; hour < 24; ++hour) {
        const int from = hour * 3600, to = from + 3600;
        const int offsetAfter = offsetAt(to);
        if (offsetAfter == offsetBefore) {
            stretches.push_back({from, to, offsetBefore});
        } else {
            int lo = from, hi = to;
            while (hi - lo > 1) {
                const int middle = lo + (hi - lo) / 2;
                (offsetAt(middle) == offsetBefore ? lo : hi) = middle;
            }
            stretches.push_back({from, hi, offsetBefore});
            stretches.push_back({hi, to, offsetAt(hi)});
        }
        offsetBefore = offsetAfter;
    }

    std::vector<HourMark> marks;
    for (const Stretch &s : stretches) {
        // The local clock shows a whole hour when second + offset is a
        // multiple of an hour.
        const int second = s.from + ((-(s.from + s.offset)) % 3600 + 3600) % 3600;
        if (second >= s.to)
            continue;
        const SunPosition sun = SolarPosition(julianDay0h, second / 3600.0, site);
        if (!(sun.elevation > 0))
            continue;
        const int hour = inZone(start.addSecs(second), zone).time().hour();
        const PicturePoint p = sunPicturePoint(sun, panorama);
        marks.push_back({second, hour, QPointF(p.x, p.y), hourLabel(hour)});
    }
    return marks;
}

SunCourse daySunCourse(double julianDay0h, const SiteLocation &site, PictureSize panorama, const QTimeZone &zone)
{
    return {julianDay0h, sunCourseBetween(julianDay0h, site, panorama, 0, kSecondsPerDay),
            localHourMarks(julianDay0h, site, panorama, zone)};
}

std::vector<CoursePolyline> inFrameStretches(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                             const std::vector<SunInterval> &intervals)
{
    std::vector<CoursePolyline> stretches;
    for (const SunInterval &interval : intervals) {
        if (interval.firstSecond == interval.lastSecond) {
            // A single second still shows, as a segment of no length.
            const PicturePoint p
                = sunPicturePoint(SolarPosition(julianDay0h, interval.firstSecond / 3600.0, site), panorama);
            stretches.push_back({QPointF(p.x, p.y), QPointF(p.x, p.y)});
            continue;
        }
        for (CoursePolyline &polyline :
             sunCourseBetween(julianDay0h, site, panorama, interval.firstSecond, interval.lastSecond, false))
            stretches.push_back(std::move(polyline));
    }
    return stretches;
}

std::shared_ptr<const YearCourses> yearCourses(int year, const SiteLocation &site, PictureSize panorama,
                                               HourLineClock clock, const QTimeZone &zone)
{
    const auto first = JulianDay(1, 1, year);
    const auto next = JulianDay(32, 12, year); // 1 January of the next year
    if (!first || !next || !(*next > *first) || !(std::fabs(*next) < 1e9))
        return nullptr;
    auto courses = std::make_shared<YearCourses>();
    courses->year = year;
    courses->clock = clock;

    // Solstices and equinox by the declination at noon UT of each day.
    const int days = static_cast<int>(*next - *first);
    std::vector<double> declination(days + 1);
    for (int d = 0; d <= days; ++d)
        declination[d] = SolarPositionDetail(*first + d, 12, site).declination;
    const int june = int(std::max_element(declination.begin(), declination.end() - 1) - declination.begin());
    const int december = int(std::min_element(declination.begin(), declination.end() - 1) - declination.begin());
    int march = -1;
    for (int d = 0; d + 1 <= days && d < june; ++d)
        if (declination[d] < 0 && declination[d + 1] >= 0) {
            march = std::fabs(declination[d]) <= std::fabs(declination[d + 1]) ? d : d + 1;
            break;
        }
    if (march < 0) // not met before June: the day nearest zero in the first half
        march = int(std::min_element(declination.begin(), declination.begin() + std::max(june, 1),
                                     [](double a, double b) { return std::fabs(a) < std::fabs(b); })
                    - declination.begin());
    const auto path = [&](int day) {
        const double jd = *first + day;
        return SunCourse{jd, sunCourseBetween(jd, site, panorama, 0, kSecondsPerDay), {}};
    };
    courses->juneSolstice = path(june);
    courses->decemberSolstice = path(december);
    courses->marchEquinox = path(march);

    // Hour lines: the samples of all hours are formed day by day, so the
    // zone is asked once per day and hour at most.
    std::vector<Tracer> tracers;
    tracers.reserve(24);
    for (int hour = 0; hour < 24; ++hour)
        tracers.emplace_back(site, panorama, true);
    std::vector<Instant> last(24);
    std::vector<bool> haveLast(24, false);
    for (int d = 0;; d = std::min(d + kHourLineDayStep, days)) {
        const double jdDay = *first + d;
        const QDate date = QDate::fromJulianDay(static_cast<qint64>(std::floor(jdDay + 0.5)));
        const std::optional<int> offset = dayOffset(date, clock, zone);
        for (int hour = 0; hour < 24; ++hour) {
            const std::optional<Instant> at = offset ? hourWithOffset(jdDay, hour, *offset) : civilHour(date, hour, zone);
            if (!at) {
                haveLast[hour] = false;
                continue;
            }
            // A changed offset moves the hour: the line is cut there rather
            // than joined across the jump.
            const bool joined = haveLast[hour] && at->hourUT == last[hour].hourUT;
            tracers[hour].add(tracers[hour].place(*at), joined);
            last[hour] = *at;
            haveLast[hour] = true;
        }
        if (d == days)
            break;
    }
    for (int hour = 0; hour < 24; ++hour) {
        HourLine line{hour, hourLabel(hour), tracers[hour].finish()};
        if (!line.polylines.empty())
            courses->hourLines.push_back(std::move(line));
    }
    return courses;
}

SunCourseLayers sunCourseLayers(double julianDay0h, const SiteLocation &site, PictureSize panorama,
                                const SunCourseLayers *previous, const QTimeZone &zone)
{
    SunCourseLayers layers;
    layers.julianDay0h = julianDay0h;
    layers.site = site;
    layers.panorama = panorama;
    layers.zone = effectiveZone(zone).id();
    layers.day = daySunCourse(julianDay0h, site, panorama, zone);
    const auto civil = calendarDate(julianDay0h);
    if (!civil)
        return layers;
    if (previous && previous->year && previous->year->year == civil->year && sameSite(previous->site, site)
        && samePanorama(previous->panorama, panorama) && previous->zone == layers.zone)
        layers.year = previous->year;
    else
        layers.year = yearCourses(civil->year, site, panorama, HourLineClock::Standard, zone);
    return layers;
}

} // namespace lumora
