// Julian day of a calendar date and back (Meeus' values), the dates accepted,
// every accepted day following the one before, the 1900-epoch time arguments
// and the UT clock reading; the Sun's azimuth and elevation: the worked
// positions for 49°N 2°20'E, textbook values and the singular points.
#include "astro/clock.h"
#include "astro/julianday.h"
#include "astro/solarposition.h"
#include "support/rows.h"

#include <QTest>
#include <QTimeZone>
#include <cmath>

using namespace lumora;

// Wrap-aware comparison of angles in degrees (or of hours far from 0h); a NaN expected value is not checked.
#define CHECK_NEAR(actual, expected, tolerance)                                                               \
    QVERIFY2(std::isnan(expected) || std::fabs(std::remainder((actual) - (expected), 360.0)) <= (tolerance), \
             qPrintable(QStringLiteral(#actual " = %1, expected %2").arg(actual, 0, 'f', 6).arg(expected)))

namespace {
// Meeus, Astronomical Algorithms, ch. 7 (examples 7.a-7.c and the table of
// Julian days), and the reform: 4 October 1582 (Julian) was followed by
// 15 October (Gregorian). The date read back drops the fraction of the day.
struct Day { const char *name; double day, month; int year; double jd; };
const Day kDays[] = {
    {"1 Jan 2000", 1, 1, 2000, 2451544.5}, {"2000 Jan 1.5", 1.5, 1, 2000, 2451545.0},
    {"31 Dec 1899", 31, 12, 1899, 2415019.5}, {"1 Mar 1900, 1900 not leap", 1, 3, 1900, 2415079.5},
    {"15 Oct 1582, first Gregorian day", 15, 10, 1582, 2299160.5},
    {"4 Oct 1582, last Julian day", 4, 10, 1582, 2299159.5}, {"late on 4 Oct 1582", 4.9, 10, 1582, 2299160.4},
    {"1600 Dec 31", 31, 12, 1600, 2305812.5}, {"Meeus 7.a, 4.81 Oct 1957", 4.81, 10, 1957, 2436116.31},
    {"Meeus 7.b, 27.5 Jan 333, Julian calendar", 27.5, 1, 333, 1842713.0}, {"837 Apr 10.3", 10.3, 4, 837, 2026871.8},
    {"Meeus 7.c, 28.63 May -584", 28.63, 5, -584, 1507900.13}, {"1 Jan 0", 1, 1, 0, 1721057.5},
    {"31 Dec -1, late", 31.9, 12, -1, 1721057.4}, {"1 Jan -122", 1, 1, -122, 1676497.5},
    {"29 Feb -1000, Julian leap day", 29, 2, -1000, 1355866.5}, {"17.9 Aug -1001", 17.9, 8, -1001, 1355671.4},
    {"1.5 Jan -4712, day zero", 1.5, 1, -4712, 0.0},
};

// Days and months out of range carry; some years and numbers are refused.
// jd: NaN when JulianDay refuses the date, infinite when it gives one not checked
// here; accepted: isCalendarDate.
struct Date { const char *name; double day, month, year; bool accepted; double jd; };
const double kNaN = std::nan("");
const Date kDates[] = {
    {"31 Feb 2026 is 3 Mar", 31, 2, 2026, false, 2461102.5},
    {"day 0 of Mar 2026 is 28 Feb", 0, 3, 2026, false, 2461099.5}, {"month 13", 1, 13, 2026, false, 2461406.5},
    {"day 1.5", 1.5, 6, 2026, false, 2461193.0}, {"5 Oct 1582, dropped", 5, 10, 1582, false, 2299160.5},
    {"31 Dec 32767", 31, 12, 32767, true, qInf()}, {"1 Jan 32768", 1, 1, 32768, false, kNaN},
    {"1 Mar -32768", 1, 3, -32768, true, qInf()}, {"28 Feb -32768, no year before it", 28, 2, -32768, false, kNaN},
    {"year 2026.5", 1, 6, 2026.5, false, kNaN}, {"day 1e300", 1e300, 6, 2026, false, qInf()},
    {"NaN year", 1, 6, kNaN, false, kNaN}, {"infinite day", qInf(), 6, 2026, false, kNaN},
};

const double kJune21 = 2461212.5; // 21 June 2026, 0h UT
bool inRange(SunPosition s) { return s.azimuth >= 0 && s.azimuth <= 360 && std::fabs(s.elevation) <= 90; }

// Paris, 49°N 2°20'E: theta (hours), alpha, delta, H, h, A to the last digit given (NaN: not given).
struct Worked { const char *name; double jd0, hour, expected[6]; };
const Worked kWorked[] = {
    {"21 Jun 2026 12h", kJune21, 12, {5.9799, 90.153, 23.436, 1.879, 64.393, 183.991}},
    {"21 Jun 2026 06h", kJune21, 6, {kNaN, kNaN, kNaN, 271.892, 18.665, 75.447}},
    {"21 Dec 2026 12h", 2461395.5, 12, {kNaN, kNaN, -23.435, kNaN, 17.521, 182.712}},
    {"20 Mar 2026 18h", 2461119.5, 18, {kNaN, 0.124, 0.054, kNaN, -0.280, 270.404}},
};
} // namespace

class TestAstro : public QObject {
    Q_OBJECT
private slots:
    void julianDayAndBack_data() { addRows(kDays); }
    void julianDayAndBack()
    {
        const Day &c = fetchRow(kDays);
        const auto jd = JulianDay(c.day, c.month, c.year);
        QVERIFY2(jd && std::fabs(*jd - c.jd) < 1e-6, qPrintable(QString::number(jd.value_or(kNaN), 'f', 6)));
        const auto date = calendarDate(c.jd);
        QVERIFY(date);
        QCOMPARE((QList<int>{date->year, date->month, date->day}), (QList<int>{c.year, int(c.month), int(c.day)}));
    }

    void dates_data() { addRows(kDates); }
    void dates()
    {
        const Date &c = fetchRow(kDates);
        QCOMPARE(isCalendarDate(c.day, c.month, c.year), c.accepted);
        if (c.year != std::floor(c.year) || !std::isfinite(c.year))
            return;
        const auto jd = JulianDay(c.day, c.month, int(c.year));
        QCOMPARE(jd.has_value() && std::isfinite(*jd), !std::isnan(c.jd));
        if (std::isfinite(c.jd))
            QCOMPARE(*jd, c.jd);
    }

    // Every date accepted, from March -32768 to December 32767, is the day
    // after the one accepted before it, and reads back as itself.
    void everyAcceptedDayFollowsTheLast()
    {
        double previous = *JulianDay(1, 3, -32768) - 1;
        long long days = 0;
        for (int year = -32768; year <= 32767; ++year)
            for (int month = 1; month <= 12; ++month)
                for (int day = 1; day <= 31; ++day) {
                    if (!isCalendarDate(day, month, year))
                        continue;
                    const double jd = *JulianDay(day, month, year);
                    const auto back = calendarDate(jd);
                    if (jd != previous + 1 || !back || back->year != year || back->month != month || back->day != day)
                        QFAIL(qPrintable(QStringLiteral("%1/%2/%3: Julian day %4 after %5").arg(day).arg(month).arg(year)
                                             .arg(jd, 0, 'f', 1).arg(previous, 0, 'f', 1)));
                    previous = jd;
                    ++days;
                }
        // 306 days of -32768, the Julian years -32767 to 1581 (8587 of them leap),
        // 355 days of 1582, the Gregorian years 1583 to 32767 (7562 leap).
        QCOMPARE(days, 306 + 34349 * 365LL + 8587 + 355 + 31185 * 365LL + 7562);
    }

    void timeArguments()
    {
        const double t0 = centuriesAt0h(*JulianDay(1, 1, 2000));
        QVERIFY2(std::fabs(t0 - 0.9999863107) < 1e-10, qPrintable(QString::number(t0, 'g', 17)));
        // The epoch itself is 31 Dec 1899 at 12h UT.
        QCOMPARE(centuriesAtInstant(centuriesAt0h(*JulianDay(31, 12, 1899)), 12.0), 0.0);
        // The clock: milliseconds dropped, the sum rounded once to a float.
        const QDate day(2026, 6, 21);
        const double expected = float(13 + 45 / 60.0 + 30 / 3600.0);
        setClockSource([day] { return QDateTime(day, QTime(13, 45, 30, 900), Qt::UTC); });
        QCOMPARE(double(UtcHoursNow()), expected);
        setClockSource({});
        QCOMPARE(double(UtcHoursNow(QDateTime(day, QTime(15, 45, 30), QTimeZone("Europe/Paris")))), expected);
    }

    void workedPositions_data() { addRows(kWorked); }
    void workedPositions()
    {
        const Worked &c = fetchRow(kWorked);
        const SolarDetail d = SolarPositionDetail(c.jd0, c.hour, {49.0, -(2 + 20 / 60.0)});
        const double actual[] = {d.siderealHours, d.rightAscension,      d.declination,
                                 d.hourAngle,     d.position.elevation, d.position.azimuth};
        for (int i = 0; i < 6; ++i) // half a unit of the last digit given
            CHECK_NEAR(actual[i], c.expected[i], (i == 0 ? 0.5e-4 : 0.5e-3) + 1e-9);
        // Meeus, Astronomical Algorithms, example 25.a (1992 Oct 13, 0h): alpha 198.38083°,
        // delta -7.78507°; example 12.a (1987 Apr 10, 0h UT): mean sidereal time 13h10m46.3668s.
        const SolarDetail sun = SolarPositionDetail(2448908.5, 0, {});
        CHECK_NEAR(sun.rightAscension, 198.38083, 0.01);
        CHECK_NEAR(sun.declination, -7.78507, 0.01);
        CHECK_NEAR(SolarPositionDetail(2446895.5, 0, {}).siderealHours, 13 + 10 / 60.0 + 46.3668 / 3600, 1e-4);
    }

    // Latitude, hour angle (reached through the longitude, 21 Jun 2026 12h UT), elevation and azimuth (NaN: range only).
    void singularPoints_data()
    {
        const double dec = SolarPositionDetail(kJune21, 12, {}).declination;
        QTest::addColumn<QList<double>>("values");
        QTest::newRow("sub-solar point, zenith") << QList<double>{dec, 0, 90, kNaN};
        QTest::newRow("anti-solar point, nadir") << QList<double>{-dec, 180, -90, kNaN};
        QTest::newRow("49N noon, due south") << QList<double>{49, 0, 90 - (49 - dec), 180};
        QTest::newRow("33.5S noon, due north") << QList<double>{-33.5, 0, 90 - (33.5 + dec), 360};
        QTest::newRow("80N midnight sun, due north") << QList<double>{80, 180, dec - 10, 0};
        QTest::newRow("north pole, 6h hour angle") << QList<double>{90, 90, dec, kNaN};
        QTest::newRow("south pole") << QList<double>{-90, 0, -dec, kNaN};
    }
    void singularPoints()
    {
        QFETCH(QList<double>, values);
        const double greenwich = SolarPositionDetail(kJune21, 12, {}).hourAngle;
        const SunPosition sun = SolarPosition(kJune21, 12, {values[0], greenwich - values[1]});
        QVERIFY2(inRange(sun), qPrintable(QStringLiteral("A %1 h %2").arg(sun.azimuth).arg(sun.elevation)));
        CHECK_NEAR(sun.elevation, values[2], 1e-4);
        CHECK_NEAR(sun.azimuth, values[3], 1e-3);
    }
};

QTEST_APPLESS_MAIN(TestAstro)
#include "tst_astro.moc"
