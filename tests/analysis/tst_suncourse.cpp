// The Sun's course on the panorama: the day's path through the Sun's place,
// hour marks where and when the local clock shows whole hours (also across a
// summer time change), polar day and night, the tropics and the date line,
// the solstices and equinox found, hour lines, the in-frame stretches, no
// segment across the picture at the 0°/360° seam, and the year's layers
// reused between days.
#include "analysis/suncourse.h"
#include "astro/julianday.h"

#include <QTest>
#include <ctime>
#include <random>

using namespace lumora;

namespace {
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const PictureSize kPanorama;                      // 10065 x 4335
constexpr double kWidth = 10065, kHeight = 4335;

void setZone(const char *zone)
{
    qputenv("TZ", zone);
    tzset();
}

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

double distanceToPath(QPointF p, const std::vector<CoursePolyline> &polylines)
{
    double best = std::numeric_limits<double>::infinity();
    for (const CoursePolyline &line : polylines)
        for (size_t i = 0; i + 1 < line.size(); ++i)
            best = std::min(best, distanceToSegment(p, line[i], line[i + 1]));
    return best;
}

QPointF sunPoint(double jd0, double hourUT, const SiteLocation &site)
{
    const PicturePoint p = sunPicturePoint(SolarPosition(jd0, hourUT, site), kPanorama);
    return {p.x, p.y};
}

// What every path must be: polylines of two points or more, inside the
// picture (on or above the bottom edge when clipped at the horizon), no
// segment longer than half the width across, and every cut at a side edge
// continued on the other side edge at the same height.
QString pathFault(const std::vector<CoursePolyline> &polylines, bool clipped)
{
    for (size_t n = 0; n < polylines.size(); ++n) {
        const CoursePolyline &line = polylines[n];
        if (line.size() < 2)
            return QStringLiteral("polyline %1 has %2 point").arg(n).arg(line.size());
        for (size_t i = 0; i < line.size(); ++i) {
            const QPointF p = line[i];
            if (!(p.x() >= -1e-6 && p.x() <= kWidth + 1e-3) || (clipped && !(p.y() <= kHeight + 1e-6)))
                return QStringLiteral("point (%1, %2) outside").arg(p.x()).arg(p.y());
            if (i > 0 && std::fabs(p.x() - line[i - 1].x()) >= kWidth / 2)
                return QStringLiteral("segment across the picture from x %1 to %2").arg(line[i - 1].x()).arg(p.x());
        }
        const QPointF end = line.back();
        const bool cutAtSide = (end.x() == 0 || end.x() == kWidth) && end.y() != kHeight;
        if (cutAtSide && n + 1 < polylines.size()) {
            const QPointF next = polylines[n + 1].front();
            if (next.x() != kWidth - end.x() || next.y() != end.y())
                return QStringLiteral("cut at (%1, %2) continued at (%3, %4)")
                    .arg(end.x()).arg(end.y()).arg(next.x()).arg(next.y());
        }
    }
    return {};
}

QStringList labels(const std::vector<HourMark> &marks)
{
    QStringList list;
    for (const HourMark &m : marks)
        list << m.label;
    return list;
}
} // namespace

class TestSunCourse : public QObject {
    Q_OBJECT
private slots:
    void init() { setZone("Europe/Paris"); }

    void passesThroughTheSun_data()
    {
        QTest::addColumn<double>("jd0");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("hourUT");
        QTest::newRow("Paris 21 June 2026 12h UT") << *JulianDay(21, 6, 2026) << 49.0 << kParis.longitude << 12.0;
        QTest::newRow("Paris 21 June 2026 05:17:43 UT") << *JulianDay(21, 6, 2026) << 49.0 << kParis.longitude
                                                        << 5 + 17 / 60.0 + 43 / 3600.0;
        QTest::newRow("Paris 21 Dec 2026 15:31 UT") << *JulianDay(21, 12, 2026) << 49.0 << kParis.longitude
                                                    << 15 + 31 / 60.0;
        QTest::newRow("23.44N 21 June 2026 near the zenith") << *JulianDay(21, 6, 2026) << 23.44 << 0.0 << 11.99;
        QTest::newRow("10N 179.99W 21 June 2026 23:59 UT") << *JulianDay(21, 6, 2026) << 10.0 << 179.99 << 23.99;
        QTest::newRow("33.5S 151.2E 1 Jan 2027 2h UT") << *JulianDay(1, 1, 2027) << -33.5 << -151.2 << 2.0;
        QTest::newRow("80N 21 June 2026 midnight sun") << *JulianDay(21, 6, 2026) << 80.0 << -15.0 << 23.0;
    }
    void passesThroughTheSun()
    {
        QFETCH(double, jd0);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(double, hourUT);
        const SiteLocation site{latitude, longitude};
        const SunCourse course = daySunCourse(jd0, site, kPanorama);
        QCOMPARE(pathFault(course.polylines, true), QString());
        const QPointF sun = sunPoint(jd0, hourUT, site);
        QVERIFY(sun.y() < kHeight); // above the horizon
        // Chords of at most 60 units stray from the path by well under a unit,
        // by about two where it turns sharply near the zenith: a fifth of a
        // pixel at 15 units a pixel.
        const double distance = distanceToPath(sun, course.polylines);
        QVERIFY2(distance < 3, qPrintable(QStringLiteral("%1 units from (%2, %3)").arg(distance).arg(sun.x()).arg(sun.y())));
    }

    // Whole local hours on Paris' clock, the Sun's place at 12h UT on
    // 21 June 2026 being azimuth 183.991°, elevation 64.393° (x 5144.1,
    // y 1233.4). A zone whose clocks change at noon shows a skipped and a
    // repeated hour; a zone half an hour off UT puts the marks on the half hours.
    void hourMarks_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<double>("jd0");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("halfHours"); // marks expected at UT hh:30 (1) or hh:00 (0)
        QTest::newRow("Paris 21 June 2026, summer time")
            << QByteArray("Europe/Paris") << *JulianDay(21, 6, 2026)
            << QStringList{"6 h", "7 h", "8 h", "9 h", "10 h", "11 h", "12 h", "13 h", "14 h", "15 h", "16 h", "17 h",
                           "18 h", "19 h", "20 h", "21 h"}
            << 0;
        QTest::newRow("clocks forward at noon, 29 March 2026")
            << QByteArray("XST-1XDT,M3.5.0/12,M10.5.0/12") << *JulianDay(29, 3, 2026)
            << QStringList{"7 h", "8 h", "9 h", "10 h", "11 h", "13 h", "14 h", "15 h", "16 h", "17 h", "18 h", "19 h", "20 h"}
            << 0;
        QTest::newRow("clocks back at noon, 25 October 2026")
            << QByteArray("XST-1XDT,M3.5.0/12,M10.5.0/12") << *JulianDay(25, 10, 2026)
            << QStringList{"9 h", "10 h", "11 h", "11 h", "12 h", "13 h", "14 h", "15 h", "16 h", "17 h"}
            << 0;
        QTest::newRow("Kolkata, UT+5:30") << QByteArray("Asia/Kolkata") << *JulianDay(21, 6, 2026) << QStringList{}
                                          << 1;
    }
    void hourMarks()
    {
        QFETCH(QByteArray, zone);
        QFETCH(double, jd0);
        QFETCH(QStringList, expected);
        QFETCH(int, halfHours);
        setZone(zone.constData());
        const SunCourse course = daySunCourse(jd0, kParis, kPanorama);
        if (!expected.isEmpty())
            QCOMPARE(labels(course.hourMarks), expected);
        QVERIFY(!course.hourMarks.empty());
        for (const HourMark &mark : course.hourMarks) {
            QCOMPARE(mark.secondUT % 3600, halfHours ? 1800 : 0);
            QCOMPARE(mark.point, sunPoint(jd0, mark.secondUT / 3600.0, kParis));
            QVERIFY(distanceToPath(mark.point, course.polylines) < 1);
            const QDateTime local = utcInstant(jd0, mark.secondUT).toLocalTime();
            QCOMPARE(local.time(), QTime(mark.hour, 0));
        }
        if (zone == "Europe/Paris") {
            const auto fourteen = std::find_if(course.hourMarks.begin(), course.hourMarks.end(),
                                               [](const HourMark &m) { return m.hour == 14; });
            QVERIFY(fourteen != course.hourMarks.end());
            QVERIFY(std::fabs(fourteen->point.x() - 5144.1) < 0.1 && std::fabs(fourteen->point.y() - 1233.4) < 0.1);
        }
    }

    void polarTropicsDateLine_data()
    {
        QTest::addColumn<double>("jd0");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QString>("kind");
        QTest::newRow("80N 21 December 2026: polar night") << *JulianDay(21, 12, 2026) << 80.0 << 0.0 << "night";
        QTest::newRow("80S 21 June 2026: polar night") << *JulianDay(21, 6, 2026) << -80.0 << 0.0 << "night";
        QTest::newRow("80N 21 June 2026: polar day") << *JulianDay(21, 6, 2026) << 80.0 << 0.0 << "day";
        QTest::newRow("North Pole 21 June 2026: polar day") << *JulianDay(21, 6, 2026) << 90.0 << 0.0 << "day";
        QTest::newRow("80S 21 December 2026 on the date line: polar day")
            << *JulianDay(21, 12, 2026) << -80.0 << 180.0 << "day";
        QTest::newRow("10N 21 June 2026: Sun north of the zenith at noon")
            << *JulianDay(21, 6, 2026) << 10.0 << 0.0 << "north";
        QTest::newRow("10S 21 December 2026: Sun south of the zenith at noon")
            << *JulianDay(21, 12, 2026) << -10.0 << 0.0 << "south";
    }
    void polarTropicsDateLine()
    {
        QFETCH(double, jd0);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QString, kind);
        const SiteLocation site{latitude, longitude};
        const SunCourse course = daySunCourse(jd0, site, kPanorama);
        QCOMPARE(pathFault(course.polylines, true), QString());
        if (kind == u"night") {
            QVERIFY(course.polylines.empty() && course.hourMarks.empty());
            return;
        }
        QVERIFY(!course.polylines.empty());
        if (kind == u"day") {
            // Round the sky once: cut at the seam only, never on the horizon.
            QCOMPARE(course.polylines.size(), size_t(2));
            for (const CoursePolyline &line : course.polylines)
                for (const QPointF &p : line)
                    QVERIFY(p.y() < kHeight);
            QCOMPARE(course.hourMarks.size(), size_t(24));
            return;
        }
        // The highest point: due north (at a side edge) or due south (the middle).
        QPointF top(0, kHeight);
        for (const CoursePolyline &line : course.polylines)
            for (const QPointF &p : line)
                if (p.y() < top.y())
                    top = p;
        const double fromSouth = std::fabs(top.x() - kWidth / 2);
        QVERIFY2(kind == u"north" ? fromSouth > kWidth / 2 - 30 : fromSouth < 30, qPrintable(QString::number(top.x())));
    }

    // 180° east and 180° west are one meridian.
    void dateLineBothWays()
    {
        const double jd0 = *JulianDay(3, 2, 2026);
        const SunCourse west = daySunCourse(jd0, {-17.5, 180}, kPanorama);
        const SunCourse east = daySunCourse(jd0, {-17.5, -180}, kPanorama);
        QCOMPARE(west.polylines.size(), east.polylines.size());
        for (size_t i = 0; i < west.polylines.size(); ++i) {
            QCOMPARE(west.polylines[i].size(), east.polylines[i].size());
            for (size_t j = 0; j < west.polylines[i].size(); ++j) {
                const QPointF d = west.polylines[i][j] - east.polylines[i][j];
                QVERIFY(std::fabs(d.x()) < 1e-6 && std::fabs(d.y()) < 1e-6);
            }
        }
    }

    // Every layer on random days and sites, the poles and the date line
    // included, is free of segments across the picture.
    void noSegmentAcrossThePicture()
    {
        std::mt19937_64 random(4335);
        std::uniform_real_distribution<double> unit(0, 1);
        const auto between = [&](double a, double b) { return a + (b - a) * unit(random); };
        const double firstDay = *JulianDay(1, 1, 1900);
        std::shared_ptr<const YearCourses> lastYear;
        for (int n = 0; n < 40; ++n) {
            const double jd0 = firstDay + std::floor(between(0, 200 * 365.25));
            SiteLocation site{between(-90, 90), between(-180, 180)};
            if (n % 4 == 0)
                site.latitude = (n % 8 ? 1 : -1) * between(66, 90);
            if (n % 4 == 1)
                site.longitude = (n % 8 == 1 ? 1 : -1) * 180;
            if (n % 10 == 2)
                site.latitude = n % 20 == 2 ? 90 : -90;
            const SunCourseLayers layers = sunCourseLayers(jd0, site, kPanorama);
            const QString where = QStringLiteral("jd %1 lat %2 lon %3: ").arg(jd0).arg(site.latitude).arg(site.longitude);
            QString fault = pathFault(layers.day.polylines, true);
            QVERIFY2(fault.isEmpty(), qPrintable(where + "day, " + fault));
            QVERIFY(layers.year);
            for (const SunCourse *c : {&layers.year->juneSolstice, &layers.year->decemberSolstice,
                                       &layers.year->marchEquinox}) {
                fault = pathFault(c->polylines, true);
                QVERIFY2(fault.isEmpty(), qPrintable(where + "envelope, " + fault));
            }
            for (const HourLine &line : layers.year->hourLines) {
                fault = pathFault(line.polylines, true);
                QVERIFY2(fault.isEmpty(), qPrintable(where + line.label + ", " + fault));
            }
            const auto intervals = sunIntervals(jd0, site, kPanorama, {0, 10065, 0, 4335});
            fault = pathFault(inFrameStretches(jd0, site, kPanorama, intervals), false);
            QVERIFY2(fault.isEmpty(), qPrintable(where + "in frame, " + fault));
        }
    }

    // Solstices and equinox of 2026 (U.S. Naval Observatory: 20 March 14:46,
    // 21 June 08:24, 21 December 20:50 UT), and the March equinox of 1500 on
    // the Julian calendar, which had drifted ten days from it by then.
    void envelopeDays_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QList<int>>("march"); // accepted days
        QTest::addColumn<QList<int>>("june");
        QTest::addColumn<QList<int>>("december");
        QTest::newRow("2026") << 2026 << QList<int>{20} << QList<int>{21} << QList<int>{21};
        QTest::newRow("1500, Julian calendar") << 1500 << QList<int>{10, 11} << QList<int>{11, 12, 13}
                                                << QList<int>{11, 12, 13};
    }
    void envelopeDays()
    {
        QFETCH(int, year);
        QFETCH(QList<int>, march);
        QFETCH(QList<int>, june);
        QFETCH(QList<int>, december);
        const auto courses = yearCourses(year, kParis, kPanorama);
        QVERIFY(courses);
        const auto check = [&](const SunCourse &course, int month, const QList<int> &days) {
            const auto civil = calendarDate(course.julianDay0h);
            QVERIFY2(civil && civil->year == year && civil->month == month && days.contains(civil->day),
                     qPrintable(QStringLiteral("%1/%2/%3").arg(civil->day).arg(civil->month).arg(civil->year)));
            QVERIFY(!course.polylines.empty() && course.hourMarks.empty());
        };
        check(courses->marchEquinox, 3, march);
        check(courses->juneSolstice, 6, june);
        check(courses->decemberSolstice, 12, december);
    }

    // 21 June 2026 at 12h UT is 13 h standard time, 14 h summer time in Paris.
    void hourLines_data()
    {
        QTest::addColumn<HourLineClock>("clock");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("pieces");
        QTest::newRow("standard time: 13 h, one figure eight") << HourLineClock::Standard << 13 << 1;
        QTest::newRow("civil time: 14 h, cut at both clock changes") << HourLineClock::Civil << 14 << 3;
        QTest::newRow("UT: 12 h") << HourLineClock::Universal << 12 << 1;
    }
    void hourLines()
    {
        QFETCH(HourLineClock, clock);
        QFETCH(int, hour);
        QFETCH(int, pieces);
        const auto courses = yearCourses(2026, kParis, kPanorama, clock);
        QVERIFY(courses);
        const auto line = std::find_if(courses->hourLines.begin(), courses->hourLines.end(),
                                       [&](const HourLine &l) { return l.hour == hour; });
        QVERIFY(line != courses->hourLines.end());
        QCOMPARE(line->label, QStringLiteral("%1 h").arg(hour));
        QCOMPARE(int(line->polylines.size()), pieces);
        const QPointF june21 = sunPoint(*JulianDay(21, 6, 2026), 12, kParis);
        QVERIFY2(distanceToPath(june21, line->polylines) < 1, qPrintable(QString::number(distanceToPath(june21, line->polylines))));
        QCOMPARE(pathFault(line->polylines, true), QString());
        // Only hours with daylight: none at midnight in Paris.
        QVERIFY(std::none_of(courses->hourLines.begin(), courses->hourLines.end(),
                             [](const HourLine &l) { return l.hour == 0; }));
    }

    // The stretch inside the frame runs from the first second's place to the
    // last second's.
    void inFrameStretch()
    {
        const double jd0 = *JulianDay(21, 6, 2026);
        const WindowBounds south{4000, 6000, 1000, 3000};
        const auto intervals = sunIntervals(jd0, kParis, kPanorama, south);
        QCOMPARE(intervals.size(), size_t(1));
        const auto stretches = inFrameStretches(jd0, kParis, kPanorama, intervals);
        QCOMPARE(stretches.size(), size_t(1));
        QCOMPARE(stretches[0].front(), sunPoint(jd0, intervals[0].firstSecond / 3600.0, kParis));
        QCOMPARE(stretches[0].back(), sunPoint(jd0, intervals[0].lastSecond / 3600.0, kParis));
        for (const QPointF &p : stretches[0])
            QVERIFY(p.x() > south.left - 1 && p.x() < south.right + 1 && p.y() > south.top - 1 && p.y() < south.bottom + 1);
        // One second alone still gives a mark.
        const auto single = inFrameStretches(jd0, kParis, kPanorama, {{43200, 43200}});
        QCOMPARE(single.size(), size_t(1));
        QCOMPARE(single[0].front(), sunPoint(jd0, 12, kParis));
    }

    void yearPartReused()
    {
        const double jd0 = *JulianDay(21, 6, 2026);
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

QTEST_GUILESS_MAIN(TestSunCourse)
#include "tst_suncourse.moc"
