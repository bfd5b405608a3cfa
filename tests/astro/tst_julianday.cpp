// Julian day of a calendar date, the 1900-epoch time arguments and the UT
// clock reading.
#include "astro/clock.h"
#include "astro/julianday.h"

#include <QTest>
#include <QTimeZone>
#include <cmath>

using namespace lumora;

class TestJulianDay : public QObject {
    Q_OBJECT
private slots:
    void julianDay_data()
    {
        QTest::addColumn<double>("day");
        QTest::addColumn<double>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<double>("expected");
        // Meeus, Astronomical Algorithms, ch. 7, where not a worked example of our own.
        QTest::newRow("1 Jan 2000") << 1.0 << 1.0 << 2000 << 2451544.5;
        QTest::newRow("1 Jan 1900") << 1.0 << 1.0 << 1900 << 2415020.5;
        QTest::newRow("31 Dec 1899") << 31.0 << 12.0 << 1899 << 2415019.5;
        QTest::newRow("15 Oct 1582, first Gregorian day") << 15.0 << 10.0 << 1582 << 2299160.5;
        QTest::newRow("4 Oct 1582, last Julian day") << 4.0 << 10.0 << 1582 << 2299159.5;
        QTest::newRow("1 Jan 1583, January after the reform") << 1.0 << 1.0 << 1583 << 2299238.5;
        QTest::newRow("29 Feb 1600, Gregorian century leap day") << 29.0 << 2.0 << 1600 << 2305506.5;
        QTest::newRow("1 Mar 1900, 1900 not leap") << 1.0 << 3.0 << 1900 << 2415079.5;
        QTest::newRow("31 Feb 2026 is 3 Mar") << 31.0 << 2.0 << 2026 << 2461102.5;
        QTest::newRow("day 0 of Mar 2026 is 28 Feb") << 0.0 << 3.0 << 2026 << 2461099.5;
        QTest::newRow("21 Jun 2026") << 21.0 << 6.0 << 2026 << 2461212.5;
        QTest::newRow("21 Dec 2026") << 21.0 << 12.0 << 2026 << 2461395.5;
        QTest::newRow("Meeus 7.a, 4.81 Oct 1957") << 4.81 << 10.0 << 1957 << 2436116.31;
        QTest::newRow("Meeus 7.b, 27.5 Jan 333, Julian calendar") << 27.5 << 1.0 << 333 << 1842713.0;
        // Meeus' table of Julian days (ch. 7): years 0 and before, in the Julian calendar.
        QTest::newRow("Meeus 7.c, 28.63 May -584") << 28.63 << 5.0 << -584 << 1507900.13;
        QTest::newRow("1 Jan 0") << 1.0 << 1.0 << 0 << 1721057.5;
        QTest::newRow("31 Dec -123") << 31.0 << 12.0 << -123 << 1676496.5;
        QTest::newRow("1 Jan -122") << 1.0 << 1.0 << -122 << 1676497.5;
        QTest::newRow("12.5 Jul -1000") << 12.5 << 7.0 << -1000 << 1356001.0;
        QTest::newRow("29 Feb -1000, Julian leap day") << 29.0 << 2.0 << -1000 << 1355866.5;
        QTest::newRow("17.9 Aug -1001") << 17.9 << 8.0 << -1001 << 1355671.4;
        QTest::newRow("1.5 Jan -4712, day zero") << 1.5 << 1.0 << -4712 << 0.0;
    }
    void julianDay()
    {
        QFETCH(double, day);
        QFETCH(double, month);
        QFETCH(int, year);
        QFETCH(double, expected);
        const auto jd = JulianDay(day, month, year);
        QVERIFY(jd);
        QVERIFY2(std::fabs(*jd - expected) < 1e-6, qPrintable(QString::number(*jd, 'f', 6)));
    }

    void calendarDate_data()
    {
        QTest::addColumn<double>("julianDay");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        // The reform: the day after 4 October 1582 (Julian) is 15 October (Gregorian).
        QTest::newRow("2299160.5, first Gregorian day") << 2299160.5 << 1582 << 10 << 15;
        QTest::newRow("2299159.5, last Julian day") << 2299159.5 << 1582 << 10 << 4;
        QTest::newRow("2299160.4, late on 4 Oct 1582") << 2299160.4 << 1582 << 10 << 4;
        // Meeus, Astronomical Algorithms, ch. 7: examples 7.c and the table of
        // Julian days; the fraction of the day is dropped.
        QTest::newRow("Meeus 7.c, 2436116.31 is 1957 Oct 4.81") << 2436116.31 << 1957 << 10 << 4;
        QTest::newRow("Meeus, 1842713.0 is 333 Jan 27.5") << 1842713.0 << 333 << 1 << 27;
        QTest::newRow("Meeus, 1507900.13 is -584 May 28.63") << 1507900.13 << -584 << 5 << 28;
        QTest::newRow("Meeus, 2451545.0 is 2000 Jan 1.5") << 2451545.0 << 2000 << 1 << 1;
        QTest::newRow("Meeus, 2305812.5 is 1600 Dec 31.0") << 2305812.5 << 1600 << 12 << 31;
        QTest::newRow("Meeus, 2026871.8 is 837 Apr 10.3") << 2026871.8 << 837 << 4 << 10;
        QTest::newRow("Meeus, 1676497.5 is -122 Jan 1.0") << 1676497.5 << -122 << 1 << 1;
        QTest::newRow("Meeus, 1355866.5 is -1000 Feb 29.0") << 1355866.5 << -1000 << 2 << 29;
        QTest::newRow("Meeus, 1355671.4 is -1001 Aug 17.9") << 1355671.4 << -1001 << 8 << 17;
        QTest::newRow("Meeus, 0.0 is -4712 Jan 1.5") << 0.0 << -4712 << 1 << 1;
        QTest::newRow("1721057.5 is year 0 Jan 1") << 1721057.5 << 0 << 1 << 1;
        QTest::newRow("1721057.4 is year -1 Dec 31") << 1721057.4 << -1 << 12 << 31;
    }
    void calendarDate()
    {
        QFETCH(double, julianDay);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        const auto date = lumora::calendarDate(julianDay);
        QVERIFY(date);
        QCOMPARE((QList<int>{date->year, date->month, date->day}), (QList<int>{year, month, day}));
    }

    void isCalendarDate_data()
    {
        QTest::addColumn<double>("day");
        QTest::addColumn<double>("month");
        QTest::addColumn<double>("year");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("31 May 2026") << 31.0 << 5.0 << 2026.0 << true;
        QTest::newRow("31 April 2026") << 31.0 << 4.0 << 2026.0 << false;
        QTest::newRow("31 Dec 2026") << 31.0 << 12.0 << 2026.0 << true;
        QTest::newRow("29 Feb 2024") << 29.0 << 2.0 << 2024.0 << true;
        QTest::newRow("29 Feb 2026") << 29.0 << 2.0 << 2026.0 << false;
        QTest::newRow("29 Feb 1600, Gregorian 400") << 29.0 << 2.0 << 1600.0 << true;
        QTest::newRow("29 Feb 1700, Gregorian century") << 29.0 << 2.0 << 1700.0 << false;
        QTest::newRow("29 Feb 1500, Julian leap day") << 29.0 << 2.0 << 1500.0 << true;
        QTest::newRow("4 Oct 1582") << 4.0 << 10.0 << 1582.0 << true;
        QTest::newRow("5 Oct 1582, dropped") << 5.0 << 10.0 << 1582.0 << false;
        QTest::newRow("14 Oct 1582, dropped") << 14.0 << 10.0 << 1582.0 << false;
        QTest::newRow("15 Oct 1582") << 15.0 << 10.0 << 1582.0 << true;
        QTest::newRow("29 Feb 0, Julian leap year") << 29.0 << 2.0 << 0.0 << true;
        QTest::newRow("29 Feb -1") << 29.0 << 2.0 << -1.0 << false;
        QTest::newRow("29 Feb -4") << 29.0 << 2.0 << -4.0 << true;
        QTest::newRow("21 Jun 0") << 21.0 << 6.0 << 0.0 << true;
        QTest::newRow("31 Dec 32767") << 31.0 << 12.0 << 32767.0 << true;
        QTest::newRow("1 Jan 32768") << 1.0 << 1.0 << 32768.0 << false;
        QTest::newRow("1 Mar -32768") << 1.0 << 3.0 << -32768.0 << true;
        QTest::newRow("28 Feb -32768, no year before it") << 28.0 << 2.0 << -32768.0 << false;
        QTest::newRow("day 0") << 0.0 << 6.0 << 2026.0 << false;
        QTest::newRow("month 13") << 1.0 << 13.0 << 2026.0 << false;
        QTest::newRow("day 1.5") << 1.5 << 6.0 << 2026.0 << false;
        QTest::newRow("year 2026.5") << 1.0 << 6.0 << 2026.5 << false;
        QTest::newRow("day 1e300") << 1e300 << 6.0 << 2026.0 << false;
        QTest::newRow("NaN year") << 1.0 << 6.0 << qQNaN() << false;
        QTest::newRow("infinite day") << qInf() << 6.0 << 2026.0 << false;
    }
    void isCalendarDate()
    {
        QFETCH(double, day);
        QFETCH(double, month);
        QFETCH(double, year);
        QFETCH(bool, accepted);
        QCOMPARE(lumora::isCalendarDate(day, month, year), accepted);
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
                    if (!lumora::isCalendarDate(day, month, year))
                        continue;
                    const double jd = *JulianDay(day, month, year);
                    const auto back = lumora::calendarDate(jd);
                    if (jd != previous + 1 || !back || back->year != year || back->month != month || back->day != day)
                        QFAIL(qPrintable(QStringLiteral("%1/%2/%3: Julian day %4 after %5, read back as %6/%7/%8")
                                             .arg(day).arg(month).arg(year).arg(jd, 0, 'f', 1).arg(previous, 0, 'f', 1)
                                             .arg(back ? back->day : 0).arg(back ? back->month : 0)
                                             .arg(back ? back->year : 0)));
                    previous = jd;
                    ++days;
                }
        // 306 days of -32768, the Julian years -32767 to 1581 (8587 of them leap),
        // 355 days of 1582, the Gregorian years 1583 to 32767 (7562 leap).
        QCOMPARE(days, 306 + 34349 * 365LL + 8587 + 355 + 31185 * 365LL + 7562);
    }

    void yearRange_data()
    {
        QTest::addColumn<double>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("32767 in December") << 12.0 << 32767 << true;
        QTest::newRow("32767 in January") << 1.0 << 32767 << true;
        QTest::newRow("32768") << 6.0 << 32768 << false;
        QTest::newRow("-32768 in January, moved a year back") << 1.0 << -32768 << false;
        QTest::newRow("-32768 in March") << 3.0 << -32768 << true;
        QTest::newRow("-32769") << 6.0 << -32769 << false;
    }
    void yearRange()
    {
        QFETCH(double, month);
        QFETCH(int, year);
        QFETCH(bool, accepted);
        const auto jd = JulianDay(1, month, year);
        QCOMPARE(jd.has_value() && std::isfinite(*jd), accepted);
    }

    void centuries()
    {
        const double t0 = centuriesAt0h(*JulianDay(1, 1, 2000));
        QVERIFY2(std::fabs(t0 - 0.9999863107) < 1e-10, qPrintable(QString::number(t0, 'g', 17)));
        // The epoch itself is 31 Dec 1899 at 12h UT.
        QCOMPARE(centuriesAtInstant(centuriesAt0h(*JulianDay(31, 12, 1899)), 12.0), 0.0);
    }

    void utcHoursNow()
    {
        const QDate day(2026, 6, 21);
        const double expected = float(13 + 45 / 60.0 + 30 / 3600.0); // 13.7583332..., milliseconds dropped
        setClockSource([day] { return QDateTime(day, QTime(13, 45, 30, 900), Qt::UTC); });
        QCOMPARE(double(UtcHoursNow()), expected);
        setClockSource({});
        QCOMPARE(double(UtcHoursNow(QDateTime(day, QTime(15, 45, 30), QTimeZone("Europe/Paris")))), expected);
    }
};

QTEST_APPLESS_MAIN(TestJulianDay)
#include "tst_julianday.moc"
