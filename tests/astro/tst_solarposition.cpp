// The Sun's azimuth and elevation: the worked positions for 49°N 2°20'E, the
// singular points, a large random sweep, and a cross-check against a
// higher-precision theory computed here.
#include "astro/julianday.h"
#include "astro/solarposition.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

using namespace lumora;

namespace {
constexpr double kRad = std::numbers::pi / 180;
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)};
const double kNaN = std::nan("");

// Signed difference of two angles in degrees, in [-180, 180].
double angleDiff(double a, double b) { return std::remainder(a - b, 360.0); }

QString mismatch(const char *what, double actual, double expected)
{
    return QStringLiteral("%1: got %2, expected %3").arg(what).arg(actual, 0, 'f', 6).arg(expected, 0, 'f', 6);
}

// Meeus, Astronomical Algorithms (2nd ed.): the Sun of ch. 25 (with nutation
// and aberration), mean sidereal time of ch. 12, horizontal coordinates of
// ch. 13. Good to about 0.01 degree; the UT/TT difference is neglected.
struct Reference {
    double rightAscension, declination, siderealDeg, azimuth, elevation;
};
Reference reference(double jd, const SiteLocation &site)
{
    const double t = (jd - 2451545.0) / 36525;
    const double l0 = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
    const double m = (357.52911 + 35999.05029 * t - 0.0001537 * t * t) * kRad;
    const double c = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(m)
        + (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.000289 * std::sin(3 * m);
    const double omega = (125.04 - 1934.136 * t) * kRad;
    const double lambda = (l0 + c - 0.00569 - 0.00478 * std::sin(omega)) * kRad;
    const double eps0 = 23 + 26 / 60.0 + (21.448 - 46.815 * t - 0.00059 * t * t + 0.001813 * t * t * t) / 3600;
    const double eps = (eps0 + 0.00256 * std::cos(omega)) * kRad;
    Reference r;
    r.rightAscension = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda)) / kRad;
    r.declination = std::asin(std::sin(eps) * std::sin(lambda)) / kRad;
    r.siderealDeg = std::fmod(280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * t * t
                                  - t * t * t / 38710000,
                              360.0);
    // Meeus counts the hour angle with west longitudes positive, as we do.
    const double h = (r.siderealDeg - site.longitude - r.rightAscension) * kRad;
    const double phi = site.latitude * kRad, dec = r.declination * kRad;
    r.elevation = std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(h)) / kRad;
    // Meeus' azimuth is from the south; ours from the north.
    const double fromSouth = std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::tan(dec) * std::cos(phi));
    r.azimuth = std::fmod(fromSouth / kRad + 540.0, 360.0);
    return r;
}

// Great-circle angle between two directions given as (azimuth, elevation).
double separation(double a1, double h1, double a2, double h2)
{
    const double c = std::sin(h1 * kRad) * std::sin(h2 * kRad)
        + std::cos(h1 * kRad) * std::cos(h2 * kRad) * std::cos((a1 - a2) * kRad);
    return std::acos(std::clamp(c, -1.0, 1.0)) / kRad;
}
} // namespace

class TestSolarPosition : public QObject {
    Q_OBJECT
private slots:
    void referenceModel();
    void workedPositions_data();
    void workedPositions();
    void southernNoon_data();
    void southernNoon();
    void singularPoints_data();
    void singularPoints();
    void meridianSweep();
    void randomInstants();
};

void TestSolarPosition::referenceModel()
{
    // Meeus example 25.a (1992 Oct 13.0): alpha 198.38083, delta -7.78507;
    // example 12.a (1987 Apr 10, 0h UT): sidereal time 197.693195 degrees.
    const Reference sun = reference(2448908.5, {});
    QVERIFY2(std::fabs(sun.rightAscension + 360 - 198.38083) < 2e-4,
             qPrintable(mismatch("alpha", sun.rightAscension + 360, 198.38083)));
    QVERIFY2(std::fabs(sun.declination + 7.78507) < 2e-4, qPrintable(mismatch("delta", sun.declination, -7.78507)));
    const double theta = reference(2446895.5, {}).siderealDeg;
    QVERIFY2(std::fabs(angleDiff(theta, 197.693195)) < 1e-5, qPrintable(mismatch("theta", theta, 197.693195)));
}

void TestSolarPosition::workedPositions_data()
{
    // NaN: a quantity the worked example does not give.
    QTest::addColumn<double>("jd0");
    QTest::addColumn<double>("hour");
    QTest::addColumn<QList<double>>("expected"); // theta h, alpha, delta, H, h, A

    QTest::newRow("21 Jun 2026 12h UT, 49N 2°20'E")
        << *JulianDay(21, 6, 2026) << 12.0 << QList<double>{5.9799, 90.153, 23.436, 1.879, 64.393, 183.991};
    QTest::newRow("21 Jun 2026 06h UT, 49N 2°20'E")
        << *JulianDay(21, 6, 2026) << 6.0 << QList<double>{kNaN, kNaN, kNaN, 271.892, 18.665, 75.447};
    QTest::newRow("21 Dec 2026 12h UT, 49N 2°20'E")
        << *JulianDay(21, 12, 2026) << 12.0 << QList<double>{kNaN, kNaN, -23.435, kNaN, 17.521, 182.712};
    QTest::newRow("20 Mar 2026 18h UT, 49N 2°20'E")
        << *JulianDay(20, 3, 2026) << 18.0 << QList<double>{kNaN, 0.124, 0.054, kNaN, -0.280, 270.404};
}

void TestSolarPosition::workedPositions()
{
    QFETCH(double, jd0);
    QFETCH(double, hour);
    QFETCH(QList<double>, expected);
    const SolarDetail d = SolarPositionDetail(jd0, hour, kParis);
    const double actual[] = {d.siderealHours, d.rightAscension, d.declination,
                             d.hourAngle, d.position.elevation, d.position.azimuth};
    const char *names[] = {"theta", "alpha", "delta", "H", "h", "A"};
    for (int i = 0; i < 6; ++i) {
        if (std::isnan(expected[i]))
            continue;
        // Half a unit of the last printed digit: 4 decimals of an hour, 3 of a degree.
        const double tolerance = (i == 0 ? 0.5e-4 : 0.5e-3) + 1e-9;
        QVERIFY2(std::fabs(angleDiff(actual[i], expected[i])) <= tolerance,
                 qPrintable(mismatch(names[i], actual[i], expected[i])));
    }
    const Reference ref = reference(jd0 + hour / 24, kParis);
    QVERIFY2(std::fabs(d.position.elevation - ref.elevation) < 0.05,
             qPrintable(mismatch("h vs Meeus", d.position.elevation, ref.elevation)));
    QVERIFY2(std::fabs(angleDiff(d.position.azimuth, ref.azimuth)) < 0.05,
             qPrintable(mismatch("A vs Meeus", d.position.azimuth, ref.azimuth)));
}

void TestSolarPosition::southernNoon_data()
{
    QTest::addColumn<double>("jd0");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");

    QTest::newRow("Sydney 33°52'S 151°13'E, 21 Jun 2026") << *JulianDay(21, 6, 2026) << -33.8667 << -151.2167;
    QTest::newRow("Sydney 33°52'S 151°13'E, 21 Dec 2026") << *JulianDay(21, 12, 2026) << -33.8667 << -151.2167;
    QTest::newRow("Santiago 33°27'S 70°40'W, 1 Jan 1950") << *JulianDay(1, 1, 1950) << -33.45 << 70.6667;
    QTest::newRow("Cape Town 33°55'S 18°25'E, 20 Mar 2099") << *JulianDay(20, 3, 2099) << -33.9167 << -18.4167;
}

void TestSolarPosition::southernNoon()
{
    QFETCH(double, jd0);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    const SiteLocation site{latitude, longitude};
    // Local apparent noon from the reference: drive its hour angle to zero.
    double hour = 12 + longitude / 15;
    for (int i = 0; i < 4; ++i) {
        const Reference r = reference(jd0 + hour / 24, site);
        hour -= angleDiff(r.siderealDeg - longitude - r.rightAscension, 0) / 15.04107;
    }
    QVERIFY(hour >= 0 && hour < 24); // the rows keep noon within the UT day
    const SunPosition sun = SolarPosition(jd0, hour, site);
    QVERIFY2(std::fabs(angleDiff(sun.azimuth, 0)) < 0.5, qPrintable(mismatch("A", sun.azimuth, 0)));
    QVERIFY2(sun.elevation > 0 && sun.elevation < 90, qPrintable(QStringLiteral("h %1").arg(sun.elevation)));
}

void TestSolarPosition::singularPoints_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("hourAngle"); // wanted H, reached through the longitude
    QTest::addColumn<double>("elevation"); // NaN where only the range is checked
    QTest::addColumn<double>("azimuth");

    // 21 Jun 2026 12h UT; sun's declination about +23.436.
    const SolarDetail d = SolarPositionDetail(*JulianDay(21, 6, 2026), 12, {0, 0});
    const double dec = d.declination;
    QTest::newRow("sub-solar point at the meridian") << dec << 0.0 << 90.0 << kNaN;
    QTest::newRow("anti-solar point, nadir") << -dec << 180.0 << -90.0 << kNaN;
    QTest::newRow("49N transit, due south") << 49.0 << 0.0 << 90.0 - (49 - dec) << 180.0;
    QTest::newRow("33.5S transit, due north") << -33.5 << 0.0 << 90.0 - (33.5 + dec) << 360.0;
    QTest::newRow("80N lower transit, midnight sun due north") << 80.0 << 180.0 << dec - 10 << 0.0;
    QTest::newRow("north pole") << 90.0 << 0.0 << dec << kNaN;
    QTest::newRow("north pole, 6h hour angle") << 90.0 << 90.0 << dec << kNaN;
    QTest::newRow("south pole") << -90.0 << 0.0 << -dec << kNaN;
}

void TestSolarPosition::singularPoints()
{
    QFETCH(double, latitude);
    QFETCH(double, hourAngle);
    QFETCH(double, elevation);
    QFETCH(double, azimuth);
    const double jd0 = *JulianDay(21, 6, 2026);
    const double greenwichHA = SolarPositionDetail(jd0, 12, {0, 0}).hourAngle;
    const SunPosition sun = SolarPosition(jd0, 12, {latitude, greenwichHA - hourAngle});
    QVERIFY2(std::isfinite(sun.azimuth) && sun.azimuth >= 0 && sun.azimuth <= 360,
             qPrintable(mismatch("A", sun.azimuth, azimuth)));
    QVERIFY2(std::isfinite(sun.elevation) && sun.elevation >= -90 && sun.elevation <= 90,
             qPrintable(mismatch("h", sun.elevation, elevation)));
    if (!std::isnan(elevation))
        QVERIFY2(std::fabs(sun.elevation - elevation) < 1e-4, qPrintable(mismatch("h", sun.elevation, elevation)));
    if (!std::isnan(azimuth))
        QVERIFY2(std::fabs(angleDiff(sun.azimuth, azimuth)) < 1e-3, qPrintable(mismatch("A", sun.azimuth, azimuth)));
}

void TestSolarPosition::meridianSweep()
{
    // On or a hair off the meridian the azimuth cosine reaches +-1 by rounding,
    // and at the sub-solar point the elevation sine does.
    const double offsets[] = {0, 1e-13, -1e-13, 180, 180 + 1e-13, 180 - 1e-13};
    for (double jd0 = *JulianDay(1, 1, 2026); jd0 < *JulianDay(1, 1, 2027); jd0 += 7) {
        const SolarDetail d = SolarPositionDetail(jd0, 12, {0, 0});
        QList<double> latitudes{d.declination, -d.declination};
        for (double lat = -90; lat <= 90; lat += 0.25)
            latitudes << lat;
        for (double offset : offsets) {
            for (double lat : latitudes) {
                const SunPosition sun = SolarPosition(jd0, 12, {lat, d.hourAngle - offset});
                QVERIFY2(sun.azimuth >= 0 && sun.azimuth <= 360 && sun.elevation >= -90 && sun.elevation <= 90,
                         qPrintable(QStringLiteral("jd %1 lat %2 offset %3: A %4 h %5")
                                        .arg(jd0, 0, 'f', 1).arg(lat).arg(offset).arg(sun.azimuth, 0, 'g', 17)
                                        .arg(sun.elevation, 0, 'g', 17)));
            }
        }
    }
}

void TestSolarPosition::randomInstants()
{
    std::mt19937_64 rng(20260621);
    std::uniform_int_distribution<int> day(0, int(*JulianDay(31, 12, 2100) - *JulianDay(1, 1, 1900)));
    std::uniform_real_distribution<double> hour(0, 24), lat(-90, 90), lon(-180, 180);
    double worst = 0;
    for (int i = 0; i < 100000; ++i) {
        const double jd0 = *JulianDay(1, 1, 1900) + day(rng);
        const double u = hour(rng);
        const SiteLocation site{lat(rng), lon(rng)};
        const SunPosition sun = SolarPosition(jd0, u, site);
        const QString where = QStringLiteral("jd %1 + %2 h at %3, %4: A %5 h %6")
                                  .arg(jd0, 0, 'f', 1).arg(u).arg(site.latitude).arg(site.longitude)
                                  .arg(sun.azimuth).arg(sun.elevation);
        QVERIFY2(sun.azimuth >= 0 && sun.azimuth <= 360 && sun.elevation >= -90 && sun.elevation <= 90,
                 qPrintable(where));
        const Reference ref = reference(jd0 + u / 24, site);
        const double off = separation(sun.azimuth, sun.elevation, ref.azimuth, ref.elevation);
        QVERIFY2(off < 0.05, qPrintable(where + QStringLiteral(", %1 deg from Meeus").arg(off)));
        worst = std::max(worst, off);
    }
    qInfo("largest difference from the reference: %.4f deg", worst);
}

QTEST_APPLESS_MAIN(TestSolarPosition)
#include "tst_solarposition.moc"
