// The Sun's course on the panorama: on random days and sites the day's path
// through the Sun's place and no segment across the picture at the 0°/360°
// seam; hour marks where and when the local clock shows whole hours (also
// across a summer time change), polar day and night, the tropics, the
// solstices and equinox found, hour lines, the in-frame stretches, and the
// year's layers reused between days.
#include "analysis.h"
#include "analysis/suncourse.h"

namespace {
constexpr double kWidth = 10065, kHeight = 4335;

QPointF at(double jd0, double hourUT, const SiteLocation &site = kParis)
{
    const PicturePoint p = sunPoint(jd0, std::llround(hourUT * 3600), site);
    return {p.x, p.y};
}

double distanceToPath(QPointF p, const std::vector<CoursePolyline> &polylines)
{
    double best = std::numeric_limits<double>::infinity();
    for (const CoursePolyline &line : polylines)
        for (size_t i = 0; i + 1 < line.size(); ++i) {
            const QPointF a = line[i], ab = line[i + 1] - a;
            const double length2 = QPointF::dotProduct(ab, ab);
            const QPointF d = p - a - ab * (length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0);
            best = std::min(best, std::hypot(d.x(), d.y()));
        }
    return best;
}

// What every path must be: polylines of two points or more, inside the
// picture (on or above the bottom edge when clipped at the horizon), no
// segment longer than half the width across, and every cut at a side edge
// continued on the other side edge at the same height.
QString pathFault(const std::vector<CoursePolyline> &polylines, bool clipped = true)
{
    for (size_t n = 0; n < polylines.size(); ++n) {
        const CoursePolyline &line = polylines[n];
        if (line.size() < 2)
            return QStringLiteral("polyline %1 has %2 point").arg(n).arg(line.size());
        for (size_t i = 0; i < line.size(); ++i) {
            const QPointF p = line[i];
            if (!(p.x() >= -1e-6 && p.x() <= kWidth + 1e-3) || (clipped && !(p.y() <= kHeight + 1e-6))
                || (i > 0 && std::fabs(p.x() - line[i - 1].x()) >= kWidth / 2))
                return QStringLiteral("point %1 (%2, %3) outside or across").arg(i).arg(p.x()).arg(p.y());
        }
        const QPointF end = line.back(), next = n + 1 < polylines.size() ? polylines[n + 1].front() : end;
        const bool cutAtSide = (end.x() == 0 || end.x() == kWidth) && end.y() != kHeight;
        if (cutAtSide && next != end && next != QPointF(kWidth - end.x(), end.y()))
            return QStringLiteral("cut at (%1, %2) continued at (%3, %4)").arg(end.x()).arg(end.y()).arg(next.x()).arg(next.y());
    }
    return {};
}

struct Marks { const char *name, *zone; double jd0; const char *hours /* empty: not checked */; int utMinute; };
const char *const kNoonChange = "XST-1XDT,M3.5.0/12,M10.5.0/12"; // clocks change at noon
const Marks kMarks[] = {
    {"Paris 21 June 2026, summer time", "Europe/Paris", kJune21, "6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21", 0},
    {"clocks forward at noon, 29 March 2026", kNoonChange, 2461128.5, "7 8 9 10 11 13 14 15 16 17 18 19 20", 0},
    {"clocks back at noon, 25 October 2026", kNoonChange, 2461338.5, "9 10 11 11 12 13 14 15 16 17", 0},
    {"Kolkata, UT+5:30", "Asia/Kolkata", kJune21, "", 30},
};

struct Kind { const char *name; double jd0; SiteLocation site; const char *kind; };
const Kind kKinds[] = {
    {"80N 21 December 2026: polar night", 2461395.5, {80, 0}, "night"},
    {"80S 21 June 2026: polar night", kJune21, {-80, 0}, "night"},
    {"North Pole 21 June 2026: polar day", kJune21, {90, 0}, "day"},
    {"80S 21 December 2026 on the date line: polar day", 2461395.5, {-80, 180}, "day"},
    {"10N 21 June 2026: Sun north of the zenith at noon", kJune21, {10, 0}, "north"},
    {"10S 21 December 2026: Sun south of the zenith at noon", 2461395.5, {-10, 0}, "south"},
};

// Solstices and equinox of 2026 (U.S. Naval Observatory: 20 March 14:46,
// 21 June 08:24, 21 December 20:50 UT), and the March equinox of 1500 on
// the Julian calendar, which had drifted ten days from it by then.
struct Envelope { const char *name; int year; QList<int> march, june, december /* accepted days */; };
const Envelope kEnvelopes[] = {
    {"2026", 2026, {20}, {21}, {21}}, {"1500, Julian calendar", 1500, {10, 11}, {11, 12, 13}, {11, 12, 13}},
};

// 21 June 2026 at 12h UT is 13 h standard time, 14 h summer time in Paris.
struct Line { const char *name; HourLineClock clock; int hour, pieces; };
const Line kLines[] = {
    {"standard time: 13 h, one figure eight", HourLineClock::Standard, 13, 1},
    {"civil time: 14 h, cut at both clock changes", HourLineClock::Civil, 14, 3},
    {"UT: 12 h", HourLineClock::Universal, 12, 1},
};
} // namespace

class TestSunCourse : public QObject {
    Q_OBJECT
private slots:
    void init() { setZone("Europe/Paris"); }

    // Random days and sites, the poles, the date line, the tropics' zenith
    // and the midnight Sun included: every layer is free of segments across
    // the picture, and the day's path passes through the Sun's place at any
    // second it is up (chords of at most 60 units stray from it by well under
    // a unit, by about two where it turns sharply near the zenith).
    void pathsOnRandomDays()
    {
        std::mt19937_64 random(4335);
        std::uniform_real_distribution<double> unit(0, 1);
        const auto between = [&](double a, double b) { return a + (b - a) * unit(random); };
        for (int n = 0; n < 42; ++n) {
            double jd0 = *JulianDay(1, 1, 1900) + std::floor(between(0, 200 * 365.25)), lat = between(-90, 90);
            lat = n % 10 == 2 ? (n % 20 == 2 ? 90 : -90) : n % 4 == 0 ? (n % 8 ? 1 : -1) * between(66, 90) : lat;
            SiteLocation site{lat, n % 4 == 1 ? (n % 8 == 1 ? 180 : -180) : between(-180, 180)};
            if (n >= 40) // through the zenith; the midnight Sun
                jd0 = kJune21, site = n == 40 ? SiteLocation{23.44, 0} : SiteLocation{80, -15};
            const SunCourseLayers layers = sunCourseLayers(jd0, site, kPanorama);
            const QString where = QStringLiteral("jd %1 lat %2 lon %3: ").arg(jd0).arg(site.latitude).arg(site.longitude);
            QVERIFY(layers.year);
            std::vector<std::pair<QString, std::vector<CoursePolyline>>> paths{
                {"day", layers.day.polylines}, {"June", layers.year->juneSolstice.polylines},
                {"December", layers.year->decemberSolstice.polylines}, {"March", layers.year->marchEquinox.polylines}};
            for (const HourLine &line : layers.year->hourLines)
                paths.push_back({line.label, line.polylines});
            for (const auto &[name, path] : paths)
                QVERIFY2(pathFault(path).isEmpty(), qPrintable(where + name + ", " + pathFault(path)));
            const auto stretches = inFrameStretches(jd0, site, kPanorama, sunIntervals(jd0, site, kPanorama, kWhole));
            QVERIFY2(pathFault(stretches, false).isEmpty(), qPrintable(where + "in frame, " + pathFault(stretches, false)));
            for (int i = 0; i < 20; ++i) {
                const double hour = n >= 40 ? 11.99 + i * 0.6 : between(0, 24);
                const QPointF sun = at(jd0, hour, site);
                const double distance = distanceToPath(sun, layers.day.polylines);
                QVERIFY2(sun.y() >= kHeight - 1 || distance < 3, qPrintable(where + QString::number(distance)));
            }
        }
    }

    // Whole local hours on the clock, at the Sun's place, on the path; the
    // Sun's place at 12h UT on 21 June 2026 in Paris being azimuth 183.991°,
    // elevation 64.393° (x 5144.1, y 1233.4). A zone whose clocks change at
    // noon shows a skipped and a repeated hour; a zone half an hour off UT
    // puts the marks on the half hours.
    void hourMarks_data() { addRows(kMarks); }
    void hourMarks()
    {
        const Marks &c = fetchRow(kMarks);
        setZone(c.zone);
        const SunCourse course = daySunCourse(c.jd0, kParis, kPanorama);
        QStringList hours;
        QVERIFY(!course.hourMarks.empty());
        for (const HourMark &mark : course.hourMarks) {
            hours << QString::number(mark.hour);
            QCOMPARE(mark.label, QStringLiteral("%1 h").arg(mark.hour));
            QCOMPARE(mark.secondUT % 3600, c.utMinute * 60);
            QCOMPARE(mark.point, at(c.jd0, mark.secondUT / 3600.0));
            QVERIFY(distanceToPath(mark.point, course.polylines) < 1);
            QCOMPARE(utcInstant(c.jd0, mark.secondUT).toLocalTime().time(), QTime(mark.hour, 0));
            if (mark.hour == 14 && c.jd0 == kJune21 && c.utMinute == 0)
                QVERIFY(std::fabs(mark.point.x() - 5144.1) < 0.1 && std::fabs(mark.point.y() - 1233.4) < 0.1);
        }
        QVERIFY(!*c.hours || hours.join(u' ') == c.hours);
    }

    void polarAndTropics_data() { addRows(kKinds); }
    void polarAndTropics()
    {
        const Kind &c = fetchRow(kKinds);
        const SunCourse course = daySunCourse(c.jd0, c.site, kPanorama);
        const QString kind = c.kind;
        QCOMPARE(pathFault(course.polylines), QString());
        if (kind == u"night") {
            QVERIFY(course.polylines.empty() && course.hourMarks.empty());
            return;
        }
        QPointF top(0, kHeight); // the highest point
        for (const CoursePolyline &line : course.polylines)
            for (const QPointF &p : line) {
                QVERIFY(kind != u"day" || p.y() < kHeight); // polar day: never on the horizon
                top = p.y() < top.y() ? p : top;
            }
        if (kind == u"day") { // round the sky once: cut at the seam only
            QCOMPARE(course.polylines.size(), size_t(2));
            QCOMPARE(course.hourMarks.size(), size_t(24));
        } else { // due north (at a side edge) or due south (the middle)
            const double fromSouth = std::fabs(top.x() - kWidth / 2);
            QVERIFY2(kind == u"north" ? fromSouth > kWidth / 2 - 30 : fromSouth < 30, qPrintable(QString::number(top.x())));
        }
    }

    void envelopeDays_data() { addRows(kEnvelopes); }
    void envelopeDays()
    {
        const Envelope &c = fetchRow(kEnvelopes);
        const auto courses = yearCourses(c.year, kParis, kPanorama);
        QVERIFY(courses);
        const auto check = [&](const SunCourse &course, int month, const QList<int> &days) {
            const auto civil = calendarDate(course.julianDay0h);
            QVERIFY2(civil && civil->year == c.year && civil->month == month && days.contains(civil->day),
                     qPrintable(QStringLiteral("%1/%2/%3").arg(civil->day).arg(civil->month).arg(civil->year)));
            QVERIFY(!course.polylines.empty() && course.hourMarks.empty());
        };
        check(courses->marchEquinox, 3, c.march);
        check(courses->juneSolstice, 6, c.june);
        check(courses->decemberSolstice, 12, c.december);
    }

    void hourLines_data() { addRows(kLines); }
    void hourLines()
    {
        const Line &c = fetchRow(kLines);
        const auto courses = yearCourses(2026, kParis, kPanorama, c.clock);
        QVERIFY(courses);
        const auto line = std::find_if(courses->hourLines.begin(), courses->hourLines.end(),
                                       [&](const HourLine &l) { return l.hour == c.hour; });
        QVERIFY(line != courses->hourLines.end());
        QCOMPARE(line->label, QStringLiteral("%1 h").arg(c.hour));
        QCOMPARE(int(line->polylines.size()), c.pieces);
        QVERIFY(distanceToPath(at(kJune21, 12), line->polylines) < 1);
        QCOMPARE(pathFault(line->polylines), QString());
        // Only hours with daylight: none at midnight in Paris.
        QVERIFY(courses->hourLines.front().hour > 0);
    }

    // The stretch inside the frame runs from the first second's place to the
    // last second's; one second alone still gives a mark.
    void inFrameStretch()
    {
        const auto intervals = sunIntervals(kJune21, kParis, kPanorama, kSouth);
        const auto stretches = inFrameStretches(kJune21, kParis, kPanorama, intervals);
        QVERIFY(intervals.size() == 1 && stretches.size() == 1);
        QCOMPARE(stretches[0].front(), at(kJune21, intervals[0].firstSecond / 3600.0));
        QCOMPARE(stretches[0].back(), at(kJune21, intervals[0].lastSecond / 3600.0));
        for (const QPointF &p : stretches[0])
            QVERIFY(p.x() > kSouth.left - 1 && p.x() < kSouth.right + 1 && p.y() > kSouth.top - 1
                    && p.y() < kSouth.bottom + 1);
        const auto single = inFrameStretches(kJune21, kParis, kPanorama, {{43200, 43200}});
        QVERIFY(single.size() == 1 && single[0].front() == at(kJune21, 12));
    }

    // The year's part is kept for another day of the same year, site,
    // panorama and zone, and made afresh when any of them changes.
    void yearPartReused()
    {
        const double jd0 = kJune21;
        const SunCourseLayers first = sunCourseLayers(jd0, kParis, kPanorama);
        QVERIFY(first.year);
        const SunCourseLayers nextDay = sunCourseLayers(jd0 + 1, kParis, kPanorama, &first);
        QCOMPARE(nextDay.year, first.year);
        QCOMPARE(nextDay.day.julianDay0h, jd0 + 1);
        QVERIFY(sunCourseLayers(*JulianDay(1, 1, 2027), kParis, kPanorama, &first).year != first.year);
        QVERIFY(sunCourseLayers(jd0 + 1, {48.0, kParis.longitude}, kPanorama, &first).year != first.year);
        QVERIFY(sunCourseLayers(jd0 + 1, kParis, {10065, 4000}, &first).year != first.year);
        setZone("Asia/Tokyo");
        QVERIFY(sunCourseLayers(jd0 + 1, kParis, kPanorama, &first).year != first.year);
    }
};

ANALYSIS_TEST(TestSunCourse)
#include "tst_suncourse.moc"
