// The day's sun-in-frame intervals: the sampled scan against a scan of every
// second on random days, sites and frames (corner touches, zero-width frames,
// frames on the 0°/360° seam), the travel bound it relies on, a frame touched
// at one corner for one second, the day's ends, and the read-out texts.
#include "analysis/dayintervals.h"
#include "astro/julianday.h"

#include <QTest>
#include <ctime>
#include <random>

using namespace lumora;

namespace {
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const PictureSize kPanorama;                      // 10065 x 4335
const WindowBounds kWholePicture{0, 10065, 0, 4335};

PicturePoint pointAt(double jd0, int second, const SiteLocation &site)
{
    return sunPicturePoint(SolarPosition(jd0, second / 3600.0, site), kPanorama);
}

QString describe(double jd0, const SiteLocation &site, const WindowBounds &f)
{
    const auto civil = calendarDate(jd0);
    return QStringLiteral("%1/%2/%3 lat %4 lon %5 (west) frame %6,%7,%8,%9")
        .arg(civil->day).arg(civil->month).arg(civil->year)
        .arg(site.latitude, 0, 'f', 9).arg(site.longitude, 0, 'f', 9)
        .arg(f.left, 0, 'g', 9).arg(f.right, 0, 'g', 9).arg(f.top, 0, 'g', 9).arg(f.bottom, 0, 'g', 9);
}

QString intervalsString(const std::vector<SunInterval> &intervals)
{
    QStringList parts;
    for (const SunInterval &i : intervals)
        parts << QStringLiteral("%1-%2").arg(i.firstSecond).arg(i.lastSecond);
    return parts.join(u' ');
}

void setZone(const char *zone)
{
    qputenv("TZ", zone);
    tzset();
}
} // namespace

class TestDayIntervals : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setZone("Europe/Paris"); }

    // 240 random days from 1700 to 2200, sites of every kind (both polar
    // caps and the poles themselves, the tropics, both hemispheres, both sides
    // of the date line) and frames of every kind; the sampled scan must give
    // exactly the brute-force intervals.
    void sampledScanEqualsEverySecond()
    {
        std::mt19937_64 random(20260621);
        std::uniform_real_distribution<double> unit(0, 1);
        const auto between = [&](double a, double b) { return a + (b - a) * unit(random); };
        const double firstDay = *JulianDay(1, 1, 1700);
        int shortRuns = 0, cornerOnlyHits = 0, seamRuns = 0;
        long evaluations = 0;
        constexpr int kCases = 240;
        for (int n = 0; n < kCases; ++n) {
            const double jd0 = firstDay + std::floor(between(0, 500 * 365.25));
            const double north = unit(random) < 0.5 ? 1 : -1;
            SiteLocation site{between(-90, 90), between(-180, 180)};
            switch (n % 6) {
            case 0: site.latitude = north * between(66.5, 90); break;          // polar day or night
            case 1: site.latitude = north * between(0, 23.5); break;           // Sun north or south of the zenith
            case 2: site.longitude = north * between(179.9, 180); break;        // the date line, either side
            case 3: site.latitude = north * (n % 12 == 3 ? 90 : 90 - between(0, 1e-4)); break; // the poles
            default: break;
            }
            const int second = int(between(0, kSecondsPerDay - 1));
            const PicturePoint p = pointAt(jd0, second, site);
            const double size = std::pow(10, between(-1, 2.5));
            const float px = float(p.x), py = float(p.y);
            WindowBounds frame;
            switch (n % 8) {
            case 0: { // anywhere
                const float a = between(0, 10065), b = between(0, 10065), c = between(0, 4335), d = between(0, 4335);
                frame = {std::min(a, b), std::max(a, b), std::min(c, d), std::max(c, d)};
                break;
            }
            case 1: // a small frame whose corner lies within a second's travel of the path
            case 2: {
                const PicturePoint q = pointAt(jd0, std::min(second + 1, kSecondsPerDay - 1), site);
                const double f = unit(random);
                const float cx = float(p.x + f * (q.x - p.x) + between(-0.05, 0.05));
                const float cy = float(p.y + f * (q.y - p.y) + between(-0.05, 0.05));
                frame = n % 8 == 1 ? WindowBounds{cx, float(cx + size), float(cy - size), cy}
                                   : WindowBounds{float(cx - size), cx, cy, float(cy + size)};
                break;
            }
            case 3: frame = {px, px, 0, 4335}; break;                      // zero width through the Sun
            case 4: frame = {0, 10065, py, py}; break;                     // zero height through the Sun
            case 5: frame = {0, float(between(0, 300)), 0, 4335}; break;   // against the left edge
            case 6: frame = {float(10065 - between(0, 300)), 10065, float(between(0, 2000)), 4335}; break;
            case 7: frame = kWholePicture; break;
            }
            DayScanStats stats;
            const auto fast = sunIntervals(jd0, site, kPanorama, frame, &stats);
            const auto slow = sunIntervalsBruteForce(jd0, site, kPanorama, frame);
            QVERIFY2(fast == slow, qPrintable(QStringLiteral("%1: sampled %2, every second %3")
                                                   .arg(describe(jd0, site, frame), intervalsString(fast),
                                                        intervalsString(slow))));
            evaluations += stats.evaluations;
            for (const SunInterval &i : slow) {
                shortRuns += i.seconds() <= 2;
                seamRuns += (n % 8 == 5 || n % 8 == 6);
            }
            cornerOnlyHits += (n % 8 == 1 || n % 8 == 2) && !slow.empty() && totalSeconds(slow) <= 3;
        }
        // The sweep did meet the hard cases it is meant for.
        QVERIFY2(shortRuns >= 10 && cornerOnlyHits >= 5 && seamRuns >= 10,
                 qPrintable(QStringLiteral("%1 runs of 1-2 s, %2 corner-only frames, %3 runs at the seam")
                                .arg(shortRuns).arg(cornerOnlyHits).arg(seamRuns)));
        qInfo("%d cases, %.0f positions computed per day on average (every second: 86400)", kCases,
              double(evaluations) / kCases);
    }

    // A frame whose top-left corner is the Sun's place at one second, lying
    // ahead of the Sun across and behind it down the picture, holds that
    // second and neither neighbour.
    void cornerTouchedForOneSecond_data()
    {
        QTest::addColumn<double>("jd0");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<int>("second");
        QTest::newRow("Paris 21 June 2026 07:30:17 UT, Sun rising eastward") << *JulianDay(21, 6, 2026) << 49.0
                                                                              << kParis.longitude << 27017;
        QTest::newRow("Paris 21 Dec 2026 14:02:41 UT, Sun setting westward") << *JulianDay(21, 12, 2026) << 49.0
                                                                             << kParis.longitude << 50561;
        QTest::newRow("33.5S 151.2E 1 Jan 2027 23:10:09 UT") << *JulianDay(1, 1, 2027) << -33.5 << -151.2 << 83409;
        QTest::newRow("10N 179.99W 21 June 2026 21:00:00 UT (tropics, date line)")
            << *JulianDay(21, 6, 2026) << 10.0 << 179.99 << 75600;
    }
    void cornerTouchedForOneSecond()
    {
        QFETCH(double, jd0);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(int, second);
        const SiteLocation site{latitude, longitude};
        const PicturePoint before = pointAt(jd0, second - 1, site), at = pointAt(jd0, second, site),
                           after = pointAt(jd0, second + 1, site);
        QVERIFY(std::fabs(after.x - at.x) > 0.01 && std::fabs(after.y - at.y) > 0.01);
        const float size = 3;
        const float cx = float(at.x), cy = float(at.y);
        const bool right = after.x > at.x, down = after.y > at.y;
        // Across: on the side the Sun goes to; down: on the side it comes from.
        const WindowBounds frame{right ? cx : cx - size, right ? cx + size : cx, down ? cy - size : cy,
                                 down ? cy : cy + size};
        QVERIFY(sunInWindow(at, frame) && !sunInWindow(before, frame) && !sunInWindow(after, frame));
        const auto intervals = sunIntervals(jd0, site, kPanorama, frame);
        QVERIFY2(std::find(intervals.begin(), intervals.end(), SunInterval{second, second}) != intervals.end(),
                 qPrintable(intervalsString(intervals)));
        QCOMPARE(intervals, sunIntervalsBruteForce(jd0, site, kPanorama, frame));
    }

    // The premise of the sampled scan: from one second to the next the
    // picture point never moves farther than the bound says (across measured
    // round the cylinder), on days and sites of every kind.
    void travelBoundHolds_data()
    {
        QTest::addColumn<double>("jd0");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::newRow("Paris 21 June 2026") << *JulianDay(21, 6, 2026) << 49.0 << kParis.longitude;
        QTest::newRow("Paris 20 March 2026") << *JulianDay(20, 3, 2026) << 49.0 << kParis.longitude;
        QTest::newRow("23.44N 21 June 2026: through the zenith") << *JulianDay(21, 6, 2026) << 23.44 << 0.0;
        QTest::newRow("5S 179.999E 10 Feb 2026") << *JulianDay(10, 2, 2026) << -5.0 << -179.999;
        QTest::newRow("78N 21 June 2026: polar day") << *JulianDay(21, 6, 2026) << 78.0 << -15.0;
        QTest::newRow("North Pole 21 March 2026") << *JulianDay(21, 3, 2026) << 90.0 << 0.0;
        QTest::newRow("89.99999S 1 Dec 1750") << *JulianDay(1, 12, 1750) << -89.99999 << 60.0;
        QTest::newRow("45S 1 Aug 32000") << *JulianDay(1, 8, 32000) << -45.0 << -100.0;
    }
    void travelBoundHolds()
    {
        QFETCH(double, jd0);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        const SiteLocation site{latitude, longitude};
        const double width = kPanorama.width;
        SunPosition previous = SolarPosition(jd0, 0, site);
        double worstX = 0, worstY = 0; // travel as a fraction of the bound
        for (int s = 1; s < kSecondsPerDay; ++s) {
            const SunPosition sun = SolarPosition(jd0, s / 3600.0, site);
            const PicturePoint a = sunPicturePoint(previous, kPanorama), b = sunPicturePoint(sun, kPanorama);
            const double climb = maxElevationChange(site, 1);
            QVERIFY2(std::fabs(sun.elevation - previous.elevation) <= climb,
                     qPrintable(QStringLiteral("second %1: elevation moved %2, bound %3")
                                    .arg(s).arg(sun.elevation - previous.elevation).arg(climb)));
            const double peak = (std::fabs(sun.elevation) + std::fabs(previous.elevation) + climb) / 2;
            const PictureTravel bound = maxSunTravel(site, kPanorama, 1, peak);
            const double dx = std::min(std::fabs(b.x - a.x), width - std::fabs(b.x - a.x));
            const double dy = std::fabs(b.y - a.y);
            QVERIFY2(dx <= bound.x + 2 * bound.xNoise && dy <= bound.y,
                     qPrintable(QStringLiteral("second %1: moved %2, %3; bound %4, %5")
                                    .arg(s).arg(dx).arg(dy).arg(bound.x).arg(bound.y)));
            if (std::isfinite(bound.x))
                worstX = std::max(worstX, dx / bound.x);
            worstY = std::max(worstY, dy / bound.y);
            previous = sun;
        }
        // Not so loose as to be useless: the Sun does come near it.
        QVERIFY2(worstY > 0.5 || latitude > 80 || latitude < -80, qPrintable(QString::number(worstY)));
        QVERIFY2(worstX > 0.3, qPrintable(QString::number(worstX)));
    }

    // Whole days and none: the frame of the whole picture holds the Sun
    // exactly while it is on or above the horizon.
    void wholePictureFrame_data()
    {
        QTest::addColumn<double>("jd0");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<QString>("expected");
        // The Sun is 0.280° below the horizon at 18:00 UT, going down at
        // about 15° × cos 49° an hour: it set at about 17:58:17.
        QTest::newRow("Paris 20 March 2026: sets before 18:00 UT") << *JulianDay(20, 3, 2026) << 49.0 << "sets";
        QTest::newRow("80N 21 June 2026: polar day") << *JulianDay(21, 6, 2026) << 80.0 << "0-86399";
        QTest::newRow("80N 21 December 2026: polar night") << *JulianDay(21, 12, 2026) << 80.0 << "";
    }
    void wholePictureFrame()
    {
        QFETCH(double, jd0);
        QFETCH(double, latitude);
        QFETCH(QString, expected);
        const SiteLocation site{latitude, kParis.longitude};
        const auto intervals = sunIntervals(jd0, site, kPanorama, kWholePicture);
        QCOMPARE(intervals, sunIntervalsBruteForce(jd0, site, kPanorama, kWholePicture));
        if (expected == u"sets") {
            QCOMPARE(intervals.size(), size_t(1));
            const int sunset = 17 * 3600 + 58 * 60 + 17;
            QVERIFY2(std::abs(intervals[0].lastSecond - sunset) < 30, qPrintable(intervalsString(intervals)));
        } else {
            QCOMPARE(intervalsString(intervals), expected);
        }
    }

    void emptyFrames_data()
    {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("right");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("bottom");
        QTest::newRow("left of right swapped") << 6000.f << 4000.f << 1000.f << 3000.f;
        QTest::newRow("top below bottom") << 4000.f << 6000.f << 3000.f << 1000.f;
        QTest::newRow("NaN edge") << 4000.f << std::numeric_limits<float>::quiet_NaN() << 1000.f << 3000.f;
    }
    void emptyFrames()
    {
        QFETCH(float, left);
        QFETCH(float, right);
        QFETCH(float, top);
        QFETCH(float, bottom);
        const double jd0 = *JulianDay(21, 6, 2026);
        const WindowBounds frame{left, right, top, bottom};
        QVERIFY(sunIntervals(jd0, kParis, kPanorama, frame).empty());
        QVERIFY(sunIntervalsBruteForce(jd0, kParis, kPanorama, frame).empty());
    }

    // What the sampling saves on an ordinary day: the count is exact, so a
    // change that makes the proof fail more often shows here.
    void ordinaryDayIsCheap()
    {
        DayScanStats stats;
        const auto intervals
            = sunIntervals(*JulianDay(21, 6, 2026), kParis, kPanorama, WindowBounds{4000, 6000, 1000, 3000}, &stats);
        QCOMPARE(intervals.size(), size_t(1));
        QVERIFY2(stats.evaluations < 600, qPrintable(QString::number(stats.evaluations)));
    }

    void durations_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << qint64(0) << "0 s";
        QTest::newRow("one second") << qint64(1) << "1 s";
        QTest::newRow("59 s") << qint64(59) << "59 s";
        QTest::newRow("one minute") << qint64(60) << "1 min";
        QTest::newRow("45 min 59 s truncates") << qint64(45 * 60 + 59) << "45 min";
        QTest::newRow("one hour") << qint64(3600) << "1 h 00 min";
        QTest::newRow("2 h 5 min") << qint64(2 * 3600 + 5 * 60) << "2 h 05 min";
        QTest::newRow("09:12:05 to 11:47:40 inclusive") << qint64(2 * 3600 + 35 * 60 + 36) << "2 h 35 min";
        QTest::newRow("whole day") << qint64(86400) << "24 h 00 min";
    }
    void durations()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(durationText(seconds), text);
    }

    // Read-outs in Paris time: summer time (UT+2) in June, the change to it
    // on 29 March 2026 at 01:00 UT, and local times on the next day.
    void readOut_data()
    {
        QTest::addColumn<QDate>("utDate");
        QTest::addColumn<QList<int>>("seconds"); // first, last, first, last...
        QTest::addColumn<QString>("text");
        const auto hms = [](int h, int m, int s) { return h * 3600 + m * 60 + s; };
        QTest::newRow("none") << QDate(2026, 6, 21) << QList<int>{} << "Pas de Soleil dans la fenêtre ce jour";
        QTest::newRow("one interval in summer time")
            << QDate(2026, 6, 21) << QList<int>{hms(7, 12, 5), hms(9, 47, 40)}
            << "Soleil dans la fenêtre : 09:12:05 – 11:47:40 (2 h 35 min)";
        QTest::newRow("two intervals, winter time")
            << QDate(2026, 12, 21) << QList<int>{hms(8, 0, 0), hms(8, 0, 41), hms(13, 30, 0), hms(13, 59, 59)}
            << "Soleil dans la fenêtre : 09:00:00 – 09:00:41, 14:30:00 – 14:59:59 (30 min)";
        QTest::newRow("across the change to summer time")
            << QDate(2026, 3, 29) << QList<int>{hms(0, 30, 0), hms(1, 29, 59)}
            << "Soleil dans la fenêtre : 01:30:00 – 03:29:59 (1 h 00 min)";
        QTest::newRow("on to local midnight")
            << QDate(2026, 6, 21) << QList<int>{hms(21, 30, 0), hms(23, 59, 59)}
            << "Soleil dans la fenêtre : 23:30:00 – 01:59:59 J+1 (2 h 30 min)";
        QTest::newRow("a single second") << QDate(2026, 6, 21) << QList<int>{hms(12, 0, 0), hms(12, 0, 0)}
                                         << "Soleil dans la fenêtre : 14:00:00 – 14:00:00 (1 s)";
    }
    void readOut()
    {
        QFETCH(QDate, utDate);
        QFETCH(QList<int>, seconds);
        QFETCH(QString, text);
        std::vector<SunInterval> intervals;
        for (int i = 0; i + 1 < seconds.size(); i += 2)
            intervals.push_back({seconds[i], seconds[i + 1]});
        const double jd0 = *JulianDay(utDate.day(), utDate.month(), utDate.year());
        QCOMPARE(sunIntervalsText(jd0, intervals), text);
        QCOMPARE(utcInstant(jd0, 0), QDateTime(utDate, QTime(0, 0), Qt::UTC));
    }

    // Before 1582 the date is Julian, the instant the same.
    void instantOfAJulianDate()
    {
        // 4 October 1582 (Julian) was followed by 15 October 1582 (Gregorian).
        QCOMPARE(utcInstant(*JulianDay(4, 10, 1582), 3600).toUTC(), QDateTime(QDate(1582, 10, 14), QTime(1, 0), Qt::UTC));
        QVERIFY(!utcInstant(std::numeric_limits<double>::quiet_NaN(), 0).isValid());
    }

    // Tokyo: the UT day runs from 09:00 local to 09:00 the next day.
    void readOutInAnotherZone()
    {
        setZone("Asia/Tokyo");
        const double jd0 = *JulianDay(21, 6, 2026);
        QCOMPARE(sunIntervalsText(jd0, {{20 * 3600, 21 * 3600 - 1}}),
                 QStringLiteral("Soleil dans la fenêtre : 05:00:00 J+1 – 05:59:59 J+1 (1 h 00 min)"));
        setZone("Europe/Paris");
    }
};

QTEST_GUILESS_MAIN(TestDayIntervals)
#include "tst_dayintervals.moc"
