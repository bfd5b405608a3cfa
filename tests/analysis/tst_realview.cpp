// The real view: the measured window and the skyline. The fast day scan
// against a second-by-second scan of the definition, re-derived here from
// its vectors; directions whose answer follows from plain trigonometry; the
// outline's box; skyline files of each kind, broken ones included.
#include "analysis.h"
#include "analysis/skylinefile.h"

#include <array>
#include <numbers>

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
    // At every second, the view's bound on how long its answer holds.
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
            std::vector<double> holds(kSecondsPerDay);
            std::vector<bool> answers(kSecondsPerDay);
            for (int s = 0; s < kSecondsPerDay; ++s) {
                const SunPosition sun = SolarPosition(jd0, s / 3600.0, site);
                answers[size_t(s)] = (frame ? sunInWindow(sunPicturePoint(sun, PictureSize{}), bounds)
                                            : definitionThrough(w, sun.azimuth, sun.elevation))
                    && definitionVisible(skyline, sun.azimuth, sun.elevation);
                holds[size_t(s)] = view.secondsBeforeChange(sun, site);
            }
            const std::vector<SunInterval> slow = runsOf(answers);
            // At every second, no second with the other answer lies nearer than the bound.
            std::vector<int> nearest(answers.size(), kSecondsPerDay);
            for (size_t i = 1; i < answers.size(); ++i)
                nearest[i] = answers[i] != answers[i - 1] ? 1 : nearest[i - 1] + 1;
            for (size_t i = answers.size() - 1, after = kSecondsPerDay; i-- > 0;) {
                after = answers[i] != answers[i + 1] ? 1 : after + 1;
                nearest[i] = std::min(nearest[i], int(after));
            }
            size_t i = 0;
            while (i < answers.size() && holds[i] <= nearest[i])
                ++i;
            if (i < answers.size())
                QFAIL(qPrintable(QStringLiteral("second %1: holds %2 s, other answer %3 s away, %4")
                                     .arg(i).arg(holds[i]).arg(nearest[i]).arg(describe(w))));
            DayScanStats stats;
            const auto fast = sunIntervals(jd0, site, view, &stats);
            QVERIFY2(fast == slow, qPrintable(QStringLiteral("jd %1 lat %2 lon %3 %4: fast %5, every second %6")
                                                  .arg(jd0, 0, 'f', 1).arg(site.latitude, 0, 'g', 17)
                                                  .arg(site.longitude, 0, 'g', 17).arg(describe(w), intervalsText(fast), intervalsText(slow))));
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

    // A 1 m × 1.2 m window, sill 0.9 m, seen from 1 m inside at 1.2 m: its
    // edges lie at atan(0.9 / 1) above, atan(0.3 / 1) below, atan(0.5 / 1)
    // each side (atan(0.5 / 1.5) behind a 0.5 m reveal).
    void knownDirections_data()
    {
        addColumns<double, double, double, double, double, double, bool>("facing", "tilt", "depth", "sill", "azimuth",
            "elevation", "through");
        const double top = std::atan(0.9) * 180 / std::numbers::pi, side = std::atan(0.5) * 180 / std::numbers::pi;
        const double reveal = std::atan(0.5 / 1.5) * 180 / std::numbers::pi, bottom = std::atan(0.3) * 180 / std::numbers::pi;
        QTest::newRow("straight out") << 180.0 << 90.0 << 0.0 << 0.9 << 180.0 << 0.0 << true;
        QTest::newRow("just under the top edge") << 180.0 << 90.0 << 0.0 << 0.9 << 180.0 << top - 1e-9 << true;
        QTest::newRow("just over the top edge") << 180.0 << 90.0 << 0.0 << 0.9 << 180.0 << top + 1e-9 << false;
        QTest::newRow("just over the sill") << 180.0 << 90.0 << 0.0 << 0.9 << 180.0 << -bottom + 1e-9 << true;
        QTest::newRow("just inside the west side") << 180.0 << 90.0 << 0.0 << 0.9 << 180 + side - 1e-9 << 0.0 << true;
        QTest::newRow("just past the west side") << 180.0 << 90.0 << 0.0 << 0.9 << 180 + side + 1e-9 << 0.0 << false;
        QTest::newRow("inside the reveal's side") << 180.0 << 90.0 << 0.5 << 0.9 << 180 - reveal + 1e-9 << 0.0 << true;
        QTest::newRow("cut by the reveal") << 180.0 << 90.0 << 0.5 << 0.9 << 180 - reveal - 1e-9 << 0.0 << false;
        QTest::newRow("behind the wall") << 180.0 << 90.0 << 0.0 << 0.9 << 0.0 << 10.0 << false;
        QTest::newRow("facing north, west of the seam") << 0.0 << 90.0 << 0.0 << 0.9 << 359.5 << 10.0 << true;
        QTest::newRow("facing north, east of the seam") << 0.0 << 90.0 << 0.0 << 0.9 << 0.5 << 10.0 << true;
        QTest::newRow("skylight 3 m up, the zenith") << 90.0 << 0.0 << 0.2 << 3.0 << 123.0 << 90.0 << true;
        QTest::newRow("skylight, in its plane") << 90.0 << 0.0 << 0.0 << 3.0 << 270.0 << 0.0 << false;
    }
    void knownDirections()
    {
        const auto [facing, tilt, depth, sill, azimuth, elevation, through] = fetchColumns<double, double, double, double, double, double, bool>(
            "facing", "tilt", "depth", "sill", "azimuth", "elevation", "through");
        MeasuredWindow w;
        w.facing = facing;
        w.tilt = tilt;
        w.depth = depth;
        w.sill = sill;
        w.distance = tilt == 0 ? 0.5 : 1;
        QCOMPARE(throughWindow(w, azimuth, elevation), through);
        QCOMPARE(WindowView::measured(w, PictureSize{}).inWindow({azimuth, elevation}), through);
    }

    // The open region's box, and its outline closed, across the seam too.
    void outlineBox_data()
    {
        addColumns<double, double>("facing", "firstAzimuth");
        const double side = std::atan(0.5) * 180 / std::numbers::pi;
        QTest::newRow("facing south") << 180.0 << 180 - side;
        QTest::newRow("facing north") << 0.0 << 360 - side;
    }
    void outlineBox()
    {
        const auto [facing, firstAzimuth] = fetchColumns<double, double>("facing", "firstAzimuth");
        MeasuredWindow w;
        w.facing = facing;
        const WindowOutline o = measuredWindowOutline(w);
        const double side = std::atan(0.5) * 180 / std::numbers::pi;
        QVERIFY(!o.empty && o.open.size() == 1 && o.innerFace.size() == 1 && o.outerFace.size() == 1);
        QVERIFY(o.open[0].front() == o.open[0].back());
        const double expected[] = {firstAzimuth, 2 * side, -std::atan(0.3) * 180 / std::numbers::pi, std::atan(0.9) * 180 / std::numbers::pi};
        const double actual[] = {std::fmod(o.azimuthMin + 360, 360), o.azimuthMax - o.azimuthMin, o.elevationMin, o.elevationMax};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(std::fabs(actual[i] - expected[i]) < 1e-6, qPrintable(QStringLiteral("%1: %2, expected %3").arg(i).arg(actual[i], 0, 'g', 12).arg(expected[i], 0, 'g', 12)));
    }

    // Each kind of file, and broken ones: the points read (azimuth clockwise
    // from north), or the line the message names. What is read comes back
    // whole through the export and the settings' text.
    void skylineFiles_data()
    {
        // points: "az:el ..." sorted, or empty on failure
        // errorLine: 0: none named
        addColumns<QByteArray, QString, int>("content", "points", "errorLine");
        QTest::newRow("two columns, ';', decimal comma, header, comments")
            << QByteArray("azimut;élévation\r\n# relevé du 3 mai\r\n0;5,5\r\n90;10 # le clocher\r\n") << "0:5.5 90:10" << 0;
        QTest::newRow("two columns, ',' and a point at 360 repeating 0")
            << QByteArray("0,5\n180,20\n360,5\n") << "0:5 180:20" << 0;
        QTest::newRow("two columns, tabs and spaces") << QByteArray("10\t3\n  200   4.25\n") << "10:3 200:4.25" << 0;
        QTest::newRow("PVGIS horizon CSV, south-based azimuths")
            << QByteArray("Latitude (decimal degrees):\t45.000\nLongitude (decimal degrees):\t8.000\n\n"
                          "A\tH_hor\tA_sun(w)\tH_sun(w)\tA_sun(s)\tH_sun(s)\n-180.0\t1.9\t-180.0\t0.0\t-180.0\t0.0\n"
                          "-90.0\t3.1\t-90.0\t0.0\t-90.0\t20.0\n0.0\t5.0\t0.0\t21.6\t0.0\t68.5\n"
                          "90.0\t2.0\t90.0\t0.0\t90.0\t20.0\n180.0\t1.9\t180.0\t0.0\t180.0\t0.0\n\n"
                          "A: Azimuth (0 = S, 90 = W, -90 = E) (degree)\nH_hor: Horizon height (degree)\n")
            << "0:1.9 90:3.1 180:5 270:2" << 0;
        QTest::newRow("Stellarium horizon list, rotated")
            << QByteArray("# polygonal_angle_rotatez = 10\n355 2\n90 3.5\n") << "5:2 100:3.5" << 0;
        QTest::newRow("a word among the numbers") << QByteArray("az;el\n0;5\n90;abc\n") << "" << 3;
        QTest::newRow("an elevation past 90") << QByteArray("0;5\n90;95\n") << "" << 2;
        QTest::newRow("one azimuth, two elevations") << QByteArray("0;5\n180;6\n360;7\n") << "" << 3;
        QTest::newRow("three columns") << QByteArray("0;5;7\n") << "" << 1;
        QTest::newRow("PVGIS header, no rows") << QByteArray("A\tH_hor\n\nH_hor: Horizon height\n") << "" << 1;
        QTest::newRow("empty file") << QByteArray() << "" << 0;
        QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR") << "" << 2;
    }
    void skylineFiles()
    {
        const auto [content, points, errorLine] = fetchColumns<QByteArray, QString, int>("content", "points",
            "errorLine");
        const SkylineRead read = parseSkyline(content);
        if (points.isEmpty()) {
            QVERIFY(!read.skyline);
            QVERIFY2(read.error.contains(errorLine ? QStringLiteral("Ligne %1 ").arg(errorLine) : QString()) && !read.error.isEmpty(),
                     qPrintable(read.error));
            return;
        }
        QVERIFY2(read.skyline, qPrintable(read.error));
        QCOMPARE(skylineSettingsText(*read.skyline), points);
        QCOMPARE(parseSkyline(skylineCsv(*read.skyline)).skyline, read.skyline);
        QCOMPARE(skylineFromSettingsText(points), read.skyline);
    }
};

ANALYSIS_TEST(TestRealView)
#include "tst_realview.moc"
