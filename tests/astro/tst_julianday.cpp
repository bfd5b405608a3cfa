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
