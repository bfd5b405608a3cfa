// Julian day of a calendar date and back (Meeus' values), the dates accepted,
// every accepted day following the one before, the 1900-epoch time arguments
// and the UT clock reading.
#include "astro/clock.h"
#include "astro/julianday.h"
#include "support/rows.h"

#include <QTest>
#include <QTimeZone>
#include <cmath>

using namespace lumora;

namespace {
// Meeus, Astronomical Algorithms, ch. 7 (examples 7.a-7.c and the table of
// Julian days), and the reform: 4 October 1582 (Julian) was followed by
// 15 October (Gregorian). The date read back drops the fraction of the day.
struct Day { const char *name; double day, month; int year; double jd; };
const Day kDays[] = {
    {"1 Jan 2000", 1, 1, 2000, 2451544.5},
    {"2000 Jan 1.5", 1.5, 1, 2000, 2451545.0},
    {"31 Dec 1899", 31, 12, 1899, 2415019.5},
    {"1 Mar 1900, 1900 not leap", 1, 3, 1900, 2415079.5},
    {"15 Oct 1582, first Gregorian day", 15, 10, 1582, 2299160.5},
    {"4 Oct 1582, last Julian day", 4, 10, 1582, 2299159.5},
    {"late on 4 Oct 1582", 4.9, 10, 1582, 2299160.4},
    {"1600 Dec 31", 31, 12, 1600, 2305812.5},
    {"Meeus 7.a, 4.81 Oct 1957", 4.81, 10, 1957, 2436116.31},
    {"Meeus 7.b, 27.5 Jan 333, Julian calendar", 27.5, 1, 333, 1842713.0},
    {"837 Apr 10.3", 10.3, 4, 837, 2026871.8},
    {"Meeus 7.c, 28.63 May -584", 28.63, 5, -584, 1507900.13},
    {"1 Jan 0", 1, 1, 0, 1721057.5},
    {"31 Dec -1, late", 31.9, 12, -1, 1721057.4},
    {"1 Jan -122", 1, 1, -122, 1676497.5},
    {"29 Feb -1000, Julian leap day", 29, 2, -1000, 1355866.5},
    {"17.9 Aug -1001", 17.9, 8, -1001, 1355671.4},
    {"1.5 Jan -4712, day zero", 1.5, 1, -4712, 0.0},
};

// Days and months out of range carry; some years and numbers are refused.
// jd: NaN when JulianDay refuses the date, infinite when it gives one not checked
// here; accepted: isCalendarDate.
struct Date { const char *name; double day, month, year; bool accepted; double jd; };
const double kNaN = std::nan("");
const Date kDates[] = {
    {"31 Feb 2026 is 3 Mar", 31, 2, 2026, false, 2461102.5},
    {"day 0 of Mar 2026 is 28 Feb", 0, 3, 2026, false, 2461099.5},
    {"month 13", 1, 13, 2026, false, 2461406.5},
    {"day 1.5", 1.5, 6, 2026, false, 2461193.0},
    {"5 Oct 1582, dropped", 5, 10, 1582, false, 2299160.5},
    {"31 Dec 32767", 31, 12, 32767, true, qInf()},
    {"1 Jan 32768", 1, 1, 32768, false, kNaN},
    {"1 Mar -32768", 1, 3, -32768, true, qInf()},
    {"28 Feb -32768, no year before it", 28, 2, -32768, false, kNaN},
    {"year 2026.5", 1, 6, 2026.5, false, kNaN},
    {"day 1e300", 1e300, 6, 2026, false, qInf()},
    {"NaN year", 1, 6, kNaN, false, kNaN},
    {"infinite day", qInf(), 6, 2026, false, kNaN},
};
} // namespace

class TestJulianDay : public QObject {
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
};

QTEST_APPLESS_MAIN(TestJulianDay)
#include "tst_julianday.moc"
