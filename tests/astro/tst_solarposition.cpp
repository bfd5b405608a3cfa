// The Sun's azimuth and elevation: the worked positions for 49°N 2°20'E, a
// few textbook values, the singular points and a large random sweep.
#include "astro/solarposition.h"

#include <QTest>
#include <cmath>
#include <random>

using namespace lumora;

// Wrap-aware comparison of angles in degrees (or of hours far from 0h); a NaN expected value is not checked.
#define CHECK_NEAR(actual, expected, tolerance)                                                               \
    QVERIFY2(std::isnan(expected) || std::fabs(std::remainder((actual) - (expected), 360.0)) <= (tolerance), \
             qPrintable(QStringLiteral(#actual " = %1, expected %2").arg(actual, 0, 'f', 6).arg(expected)))

namespace {
using Angles = QList<double>;
const double kJune21 = 2461212.5; // 21 June 2026, 0h UT
bool inRange(SunPosition s) { return s.azimuth >= 0 && s.azimuth <= 360 && std::fabs(s.elevation) <= 90; }
} // namespace

class TestSolarPosition : public QObject {
    Q_OBJECT
private slots:
    void workedPositions_data()
    {
        const double n = qQNaN(); // not given
        QTest::addColumn<double>("jd0");
        QTest::addColumn<double>("hour");
        QTest::addColumn<Angles>("expected"); // theta (hours), alpha, delta, H, h, A
        QTest::newRow("21 Jun 2026 12h") << kJune21 << 12.0 << Angles{5.9799, 90.153, 23.436, 1.879, 64.393, 183.991};
        QTest::newRow("21 Jun 2026 06h") << kJune21 << 6.0 << Angles{n, n, n, 271.892, 18.665, 75.447};
        QTest::newRow("21 Dec 2026 12h") << 2461395.5 << 12.0 << Angles{n, n, -23.435, n, 17.521, 182.712};
        QTest::newRow("20 Mar 2026 18h") << 2461119.5 << 18.0 << Angles{n, 0.124, 0.054, n, -0.280, 270.404};
    }
    void workedPositions()
    {
        QFETCH(double, jd0);
        QFETCH(double, hour);
        QFETCH(Angles, expected);
        const SolarDetail d = SolarPositionDetail(jd0, hour, {49.0, -(2 + 20 / 60.0)}); // 49°N 2°20'E
        const double actual[] = {d.siderealHours, d.rightAscension, d.declination,
                                 d.hourAngle, d.position.elevation, d.position.azimuth};
        for (int i = 0; i < 6; ++i) // half a unit of the last digit given
            CHECK_NEAR(actual[i], expected[i], (i == 0 ? 0.5e-4 : 0.5e-3) + 1e-9);
    }

    void textbookValues()
    {
        // Meeus, Astronomical Algorithms, example 25.a (1992 Oct 13, 0h): alpha 198.38083°,
        // delta -7.78507°; example 12.a (1987 Apr 10, 0h UT): mean sidereal time 13h10m46.3668s.
        const SolarDetail sun = SolarPositionDetail(2448908.5, 0, {});
        CHECK_NEAR(sun.rightAscension, 198.38083, 0.01);
        CHECK_NEAR(sun.declination, -7.78507, 0.01);
        CHECK_NEAR(SolarPositionDetail(2446895.5, 0, {}).siderealHours, 13 + 10 / 60.0 + 46.3668 / 3600, 1e-4);
    }

    void singularPoints_data()
    {
        const double dec = SolarPositionDetail(kJune21, 12, {}).declination, n = qQNaN();
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("hourAngle"); // reached through the longitude, 21 Jun 2026 12h UT
        QTest::addColumn<double>("elevation"); // NaN: only the range is checked
        QTest::addColumn<double>("azimuth");
        QTest::newRow("sub-solar point, zenith") << dec << 0.0 << 90.0 << n;
        QTest::newRow("anti-solar point, nadir") << -dec << 180.0 << -90.0 << n;
        QTest::newRow("49N noon, due south") << 49.0 << 0.0 << 90.0 - (49 - dec) << 180.0;
        QTest::newRow("33.5S noon, due north") << -33.5 << 0.0 << 90.0 - (33.5 + dec) << 360.0;
        QTest::newRow("80N midnight sun, due north") << 80.0 << 180.0 << dec - 10 << 0.0;
        QTest::newRow("north pole, 6h hour angle") << 90.0 << 90.0 << dec << n;
        QTest::newRow("south pole") << -90.0 << 0.0 << -dec << n;
    }
    void singularPoints()
    {
        QFETCH(double, latitude);
        QFETCH(double, hourAngle);
        QFETCH(double, elevation);
        QFETCH(double, azimuth);
        const double greenwich = SolarPositionDetail(kJune21, 12, {}).hourAngle;
        const SunPosition sun = SolarPosition(kJune21, 12, {latitude, greenwich - hourAngle});
        QVERIFY2(inRange(sun), qPrintable(QStringLiteral("A %1 h %2").arg(sun.azimuth).arg(sun.elevation)));
        CHECK_NEAR(sun.elevation, elevation, 1e-4);
        CHECK_NEAR(sun.azimuth, azimuth, 1e-3);
    }

    void randomInstants()
    {
        // Random sites, then the same instants on the meridian and at the
        // sub-solar latitude, where the cosines reach +-1 by rounding.
        std::mt19937_64 rng(20260621);
        std::uniform_int_distribution<int> day(0, 73413); // 1900 to 2100
        std::uniform_real_distribution<double> hour(0, 24), lat(-90, 90), lon(-180, 180), tiny(-1e-13, 1e-13);
        for (int i = 0; i < 50000; ++i) {
            const double jd0 = 2415020.5 + day(rng), u = hour(rng);
            const SolarDetail at0 = SolarPositionDetail(jd0, u, {});
            const double g = at0.hourAngle;
            for (double phi : {lat(rng), at0.declination, -at0.declination})
                for (double l : {lon(rng), g, g + tiny(rng), g - 180, g - 180 + tiny(rng)}) {
                    const SunPosition s = SolarPosition(jd0, u, {phi, l});
                    QVERIFY2(inRange(s), qPrintable(QString::asprintf("jd %.1f %.9g h, %.17g %.17g", jd0, u, phi, l)));
                }
        }
    }
};

QTEST_APPLESS_MAIN(TestSolarPosition)
#include "tst_solarposition.moc"
