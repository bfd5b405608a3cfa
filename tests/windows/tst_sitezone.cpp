// The site's own time: the zone proposed for a site from the system's zone
// table, and every local read-out in a zone other than the computer's (the
// tests run with TZ=Europe/Paris) on both sides of both of its clock changes.
#include "analysis/alerttexts.h"
#include "analysis/hoursfile.h"
#include "analysis/sitezone.h"
#include "analysis/suncourse.h"
#include "analysis/sunshineengine.h"
#include "analysis/yearcalendar.h"

#include <QtTest>

using namespace lumora;

class TestSiteZone : public QObject
{
    Q_OBJECT

private slots:
    void proposal_data()
    {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitudeWest");
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<double>("atLeastKm");
        // Reference cities of zone1970.tab; Québec City (46°49'N 71°13'W) is
        // 498 km from Moncton, 730 km from Toronto: nearest is not always right.
        QTest::newRow("Paris") << 48.8566 << -2.3522 << QByteArray("Europe/Paris") << 0.0;
        QTest::newRow("Québec") << 46.8139 << 71.2080 << QByteArray("America/Moncton") << 400.0;
        QTest::newRow("Lord Howe Island") << -31.5553 << -159.0821 << QByteArray("Australia/Lord_Howe") << 0.0;
        QTest::newRow("Kathmandu") << 27.7172 << -85.3240 << QByteArray("Asia/Kathmandu") << 0.0;
        QTest::newRow("Chatham Islands") << -43.95 << 176.55 << QByteArray("Pacific/Chatham") << 0.0;
        QTest::newRow("mid-Atlantic, at sea") << 40.0 << 40.0 << QByteArray("Atlantic/Azores") << 1000.0;
    }
    void proposal()
    {
        QFETCH(double, latitude);
        QFETCH(double, longitudeWest);
        QFETCH(QByteArray, zone);
        QFETCH(double, atLeastKm);
        const auto proposed = proposedZone({latitude, longitudeWest});
        QVERIFY(proposed);
        QCOMPARE(proposed->zoneId, zone);
        QVERIFY2(proposed->distanceKm >= atLeastKm && proposed->distanceKm < atLeastKm + 400,
                 qPrintable(QString::number(proposed->distanceKm)));
    }

    void zoneTableLines()
    {
        const auto cities = parseZoneTable("# comment\tline\tX\n"
                                           "US\t+404251-0740023\tAmerica/New_York\tEastern\n"
                                           "FR\t+4852+00220\tEurope/Paris\n"
                                           "XX\t4852+00220\tBroken/NoSign\n"
                                           "XX\t+48\n");
        QCOMPARE(cities.size(), size_t(2));
        QCOMPARE(cities[0].zoneId, QByteArray("America/New_York"));
        QVERIFY(qAbs(cities[0].city.latitude - (40 + 42 / 60.0 + 51 / 3600.0)) < 1e-9);
        QVERIFY(qAbs(cities[0].city.longitude - (74 + 0 / 60.0 + 23 / 3600.0)) < 1e-9); // positive west
        QVERIFY(qAbs(cities[1].city.longitude + (2 + 20 / 60.0)) < 1e-9);
        QVERIFY(!proposedZone({std::nan(""), 0}, cities));
    }

    // Toronto: EST (UT-5) until 8 March 2026 2:00, EDT (UT-4) until 1 November
    // 2026 2:00 (the zone's rules, as published). Paris changes on other days.
    void localReadouts_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("offsetHours");
        QTest::newRow("7 March, before the spring change") << QDate(2026, 3, 7) << -5;
        QTest::newRow("9 March, after it") << QDate(2026, 3, 9) << -4;
        QTest::newRow("31 October, before the autumn change") << QDate(2026, 10, 31) << -4;
        QTest::newRow("2 November, after it") << QDate(2026, 11, 2) << -5;
    }
    void localReadouts()
    {
        QFETCH(QDate, day);
        QFETCH(int, offsetHours);
        const QTimeZone toronto("America/Toronto");
        const SiteLocation site{43.65, 79.38};
        const PictureSize panorama;
        const double jd = double(day.toJulianDay()) - 0.5;
        const int offset = offsetHours * 3600;
        const auto intervals = sunIntervals(jd, site, panorama, WindowBounds{0, 10065, 0, 4335});
        QCOMPARE(intervals.size(), size_t(1));
        const QDateTime firstUt(day, QTime(0, 0).addSecs(intervals[0].firstSecond), Qt::UTC);
        const QString local = firstUt.addSecs(offset).time().toString(QStringLiteral("HH:mm:ss"));

        // The day's times, the search result, the hours file, the alerts.
        QVERIFY2(sunIntervalsText(jd, intervals, toronto).contains(QStringLiteral(": ") + local + QStringLiteral(" – ")),
                 qPrintable(sunIntervalsText(jd, intervals, toronto)));
        QCOMPARE(localTime(DayTime{jd, intervals[0].firstSecond}, toronto).second,
                 (intervals[0].firstSecond + offset + 86400) % 86400);
        const QStringList line = QString::fromLocal8Bit(hoursFileContents({{jd, {}, intervals}}, QLocale::c(), toronto))
                                     .split(QStringLiteral("\r\n"))[1].split(u';');
        QCOMPARE(line[3], local);
        QCOMPARE(whenText(firstUt.toSecsSinceEpoch(), firstUt.toSecsSinceEpoch(), toronto), QStringLiteral("à ") + local.left(5));

        // The hour marks at whole local hours, and the year window's rows.
        const auto marks = localHourMarks(jd, site, panorama, toronto);
        QVERIFY(marks.size() >= 9);
        for (const HourMark &mark : marks) {
            QCOMPARE((mark.secondUT + offset + 86400) % 3600, 0);
            QCOMPARE(mark.hour, (mark.secondUT + offset + 86400) % 86400 / 3600);
        }
        const YearSky sky(jd, 2, site, panorama, 1, toronto);
        QCOMPARE(sky.utSecondsAt(0, 12 * 3600), 12 * 3600LL - offset);
    }
};

QTEST_GUILESS_MAIN(TestSiteZone)
#include "tst_sitezone.moc"
