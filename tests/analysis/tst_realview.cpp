// The real view: the measured window and the skyline. The fast day scan
// against a second-by-second scan of the definition, re-derived here from
// its vectors; directions whose answer follows from plain trigonometry; the
// outline's box; skyline files of each kind, broken ones included.
#include "analysis/dayintervals.h"
#include "analysis/skylinefile.h"
#include "astro/julianday.h"

#include <QTest>
#include <array>
#include <cmath>
#include <numbers>
#include <random>

using namespace lumora;

namespace {
using V = std::array<double, 3>;
double dot(V x, V y) { return x[0] * y[0] + x[1] * y[1] + x[2] * y[2]; }
V plus(V x, V y, double k = 1) { return {x[0] + k * y[0], x[1] + k * y[1], x[2] + k * y[2]}; }

// The measured window's definition, written out again.
bool definitionThrough(const MeasuredWindow &w, double azimuth, double elevation)
{
    const double r = std::numbers::pi / 180, F = w.facing * r, B = w.tilt * r, A = azimuth * r, e = elevation * r;
    const V n{std::sin(F) * std::sin(B), std::cos(F) * std::sin(B), std::cos(B)};
    const V a{std::cos(F), -std::sin(F), 0}, b{-std::sin(F) * std::cos(B), -std::cos(F) * std::cos(B), std::sin(B)};
    const V h{std::sin(F), std::cos(F), 0}, c{0, 0, w.sill}, u{std::cos(e) * std::sin(A), std::cos(e) * std::cos(A), std::sin(e)};
    V o = plus(plus(c, h, -w.distance), a, w.offset);
    o[2] = w.eye;
    if (!(dot(u, n) > 0))
        return false;
    for (const double shift : {0.0, w.depth}) {
        const V face = plus(c, n, shift);
        const double t = dot(plus(face, o, -1), n) / dot(u, n);
        const V hit = plus(plus(o, u, t), face, -1);
        if (!(t > 0 && std::fabs(dot(hit, a)) <= w.width / 2 && dot(hit, b) >= 0 && dot(hit, b) <= w.height))
            return false;
    }
    return true;
}

// The skyline's definition: linear between neighbours sorted by azimuth, round 360°.
bool definitionVisible(std::vector<SkyPoint> points, double azimuth, double elevation)
{
    if (points.empty())
        return true;
    std::sort(points.begin(), points.end(), [](SkyPoint x, SkyPoint y) { return x.azimuth < y.azimuth; });
    double sky = points[0].elevation;
    for (size_t i = 0; i < points.size() && points.size() > 1; ++i) {
        const SkyPoint from = points[i], to = points[(i + 1) % points.size()];
        const double span = std::fmod(to.azimuth - from.azimuth + 360, 360), along = std::fmod(azimuth - from.azimuth + 720, 360);
        if (along < span || (span == 0 && along == 0))
            sky = from.elevation + (to.elevation - from.elevation) * along / span;
    }
    return elevation >= sky;
}

QString runs(const std::vector<SunInterval> &intervals)
{
    QStringList parts;
    for (const SunInterval &i : intervals)
        parts << QStringLiteral("%1-%2").arg(i.firstSecond).arg(i.lastSecond);
    return parts.join(u' ');
}

QString describe(const MeasuredWindow &w)
{
    return QStringLiteral("facing=%1,tilt=%2,width=%3,height=%4,sill=%5,depth=%6,distance=%7,offset=%8,eye=%9")
        .arg(w.facing, 0, 'g', 17).arg(w.tilt, 0, 'g', 17).arg(w.width, 0, 'g', 17).arg(w.height, 0, 'g', 17)
        .arg(w.sill, 0, 'g', 17).arg(w.depth, 0, 'g', 17).arg(w.distance, 0, 'g', 17).arg(w.offset, 0, 'g', 17)
        .arg(w.eye, 0, 'g', 17);
}
} // namespace

class TestRealView : public QObject {
    Q_OBJECT
private slots:
    // Generated windows aimed near the Sun of a random second: wall and roof
    // windows, every facing (north across the seam included), flush and deep
    // reveals, spots off-centre; polar, tropical and middle sites; skylines
    // with steep steps and points at 0° and near 360°, some over a frame.
    void fastScanEqualsDefinitionEverySecond()
    {
        std::mt19937_64 random(190419);
        std::uniform_real_distribution<double> unit(0, 1);
        const auto between = [&](double a, double b) { return a + (b - a) * unit(random); };
        const double firstDay = *JulianDay(1, 1, 1950);
        constexpr int kCases = 48;
        int withSun = 0, shortRuns = 0, northSeam = 0;
        long evaluations = 0;
        for (int n = 0; n < kCases; ++n) {
            const double jd0 = firstDay + std::floor(between(0, 100 * 365.25));
            const double latitudes[] = {between(-60, 60), between(-23.4, 23.4), between(67, 89.9) * (n % 2 ? 1 : -1)};
            const SiteLocation site{latitudes[n % 3], between(-180, 180)};
            SunPosition aim;
            for (int tries = 0; tries < 20 && aim.elevation < 2; ++tries)
                aim = SolarPosition(jd0, between(0, 24), site);
            MeasuredWindow w;
            w.facing = n % 7 == 0 ? between(-3, 3) : aim.azimuth + between(-50, 50);
            w.facing = std::fmod(w.facing + 360, 360);
            w.tilt = n % 3 == 1 ? between(0, 89) : 90;
            w.width = std::pow(10, between(-2.5, 0.4));
            w.height = std::pow(10, between(-2.5, 0.4));
            w.depth = n % 2 ? 0 : between(0, 1.2);
            // The spot placed so that the aimed direction passes a point of the inner face.
            for (int tries = 0; tries < 50 && (tries == 0 || !invalidMeasuredWindowKey(w).isEmpty()); ++tries) {
                const double r = std::numbers::pi / 180, F = w.facing * r, B = w.tilt * r;
                const V a{std::cos(F), -std::sin(F), 0}, b{-std::sin(F) * std::cos(B), -std::cos(F) * std::cos(B), std::sin(B)};
                const V h{std::sin(F), std::cos(F), 0};
                const V u{std::cos(aim.elevation * r) * std::sin(aim.azimuth * r),
                          std::cos(aim.elevation * r) * std::cos(aim.azimuth * r), std::sin(aim.elevation * r)};
                w.sill = between(0, 3);
                const V onFace = plus(plus(V{0, 0, w.sill}, a, between(-0.5, 0.5) * w.width), b, between(0, 1) * w.height);
                const V spot = plus(onFace, u, -between(0.3, 4));
                w.distance = -dot(spot, h);
                w.offset = dot(spot, a);
                w.eye = spot[2];
                if (n % 5 == 4) // not aimed
                    w.offset += between(-3, 3);
            }
            if (!invalidMeasuredWindowKey(w).isEmpty())
                w = MeasuredWindow{};
            QVERIFY2(invalidMeasuredWindowKey(w).isEmpty(), qPrintable(describe(w)));
            std::vector<SkyPoint> skyline;
            if (n % 4 != 0) {
                const int count = n % 4 == 3 ? 360 : 6;
                for (int i = 0; i < count; ++i)
                    skyline.push_back({i * 360.0 / count, aim.elevation + between(-15, 5)});
                skyline.push_back({between(0, 359), between(0, 40)}); // a steep step beside it
                skyline.push_back({std::nextafter(360.0, 0.0), between(0, 30)});
                skyline.push_back({std::fmod(skyline.back().azimuth + 0.001, 360) + 0.0001, between(0, 30)});
            }
            const auto sky = Skyline::fromPoints(skyline);
            QVERIFY(sky);
            const bool frame = n % 8 == 5;
            const WindowBounds bounds{float(between(0, 5000)), float(between(5000, 10065)), 0, float(between(1000, 4335))};
            const WindowView view = (frame ? WindowView(bounds, PictureSize{}) : WindowView::measured(w, PictureSize{}))
                                        .withSkyline(*sky);
            std::vector<SunInterval> slow;
            int open = -1;
            for (int s = 0; s <= kSecondsPerDay; ++s) {
                bool in = false;
                if (s < kSecondsPerDay) {
                    const SunPosition sun = SolarPosition(jd0, s / 3600.0, site);
                    in = (frame ? sunInWindow(sunPicturePoint(sun, PictureSize{}), bounds)
                                : definitionThrough(w, sun.azimuth, sun.elevation))
                        && definitionVisible(skyline, sun.azimuth, sun.elevation);
                }
                if (in && open < 0)
                    open = s;
                if (!in && open >= 0) {
                    slow.push_back({open, s - 1});
                    open = -1;
                }
            }
            DayScanStats stats;
            const auto fast = sunIntervals(jd0, site, view, &stats);
            QVERIFY2(fast == slow, qPrintable(QStringLiteral("jd %1 lat %2 lon %3 %4: fast %5, every second %6")
                                                  .arg(jd0, 0, 'f', 1).arg(site.latitude, 0, 'g', 17)
                                                  .arg(site.longitude, 0, 'g', 17).arg(describe(w), runs(fast), runs(slow))));
            evaluations += stats.evaluations;
            withSun += !slow.empty();
            northSeam += !slow.empty() && (w.facing < 30 || w.facing > 330);
            for (const SunInterval &i : slow)
                shortRuns += i.seconds() <= 120;
        }
        QVERIFY2(withSun >= kCases / 3 && shortRuns >= 3 && northSeam >= 1,
                 qPrintable(QStringLiteral("%1 days with Sun, %2 runs under two minutes, %3 facing north")
                                .arg(withSun).arg(shortRuns).arg(northSeam)));
        qInfo("%ld solar positions a day on average", evaluations / kCases);
    }
};

QTEST_GUILESS_MAIN(TestRealView)
#include "tst_realview.moc"
