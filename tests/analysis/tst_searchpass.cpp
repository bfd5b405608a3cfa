// Search passes and the year survey built on them: the sun-in-window test and
// its fine-step margin, the first pass's step, the bound on hopeless searches,
// a found instant against a one-second scan, "Prochaine" restarting the year
// limit, the sunshine file byte for byte, the survey's times and dates (across
// the calendar reform and year 0), and the reported instant in UT and local
// time.
#include "analysis/sunshineengine.h"
#include "analysis/surveyfile.h"
#include "astro/julianday.h"
#include "common/formats.h"

#include <QDate>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace lumora;

namespace {
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const WindowBounds kSouth{4000, 6000, 1000, 3000}; // azimuth 143°–215°, elevation 27.7°–69.2°
const QDate kJune21(2026, 6, 21);
const double kJune21Day = 2461212.5; // Julian day at 0h UT of 21 June 2026

// A search from 21 June 2026 after a single run at runHour UT (none if negative).
SunshineEngine engine(const SiteLocation &site, const WindowBounds &frame, double runHour, bool survey, float step = 0)
{
    SunshineEngine e;
    e.site = site;
    e.frame = frame;
    e.setDate(21, 6, 2026);
    if (runHour >= 0)
        e.evaluate(runHour / 24);
    if (survey)
        e.prepareSurvey();
    e.searchStep = step;
    e.startSearch();
    return e;
}

// Passes until the search stops or, for a survey, reaches `untilDays` after 21 June 2026.
SearchPass run(SunshineEngine &e, bool entry, SurveyLineWriter *w = nullptr, int option = -1, int untilDays = 0)
{
    for (;;)
        if (SearchPass p = e.searchPass(entry, w, option);
            p.outcome != PassOutcome::Progress || (untilDays && p.julianDay >= kJune21Day + untilDays))
            return p;
}

// Minutes from 0h UT of 21 June 2026 to a reported instant.
double minutesFromJune21(const DayTime &t) { return (t.julianDay - kJune21Day) * 1440 + t.second / 60.0; }

// Paris at the 1-hour step from 0h UT of 21 June 2026 as a French system
// writes it: every hour of the 367 days with the Sun above the horizon.
QByteArray expectedParisFile()
{
    QByteArray file("\r\n");
    for (int day = 0; day <= 366; ++day)
        for (int h = 0; h < 24; ++h) {
            const SunPosition sun = SolarPosition(*JulianDay(21, 6, 2026) + day, h, kParis);
            char line[64];
            std::snprintf(line, sizeof line, "%s %02d:00;%.1f;%04.1f\r\n",
                          qPrintable(kJune21.addDays(day).toString(u"dd/MM/yyyy")), h, sun.azimuth, sun.elevation);
            if (sun.elevation > 0)
                file += QByteArray(line).replace('.', ',');
        }
    return file;
}

struct TimeRecorder : SurveyLineWriter {
    QStringList times; // the date and "HH:MM" of each line
    bool writeLine(const CivilDate &date, double hourUT, const SunPosition &sun) override
    {
        const QString line = SurveyLineFormat().line(date, hourUT, sun);
        times << line.left(line.indexOf(u';'));
        return true;
    }
    // The lines of one day, by the day's text.
    QStringList day(const QString &date) const
    {
        QStringList lines;
        for (const QString &t : times)
            if (t.startsWith(date + u' '))
                lines << t.mid(date.size() + 1);
        return lines;
    }
};
} // namespace

class TestSearchPass : public QObject {
    Q_OBJECT
    QTemporaryDir home;
private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Paris");
        tzset();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        qputenv("HOME", home.path().toLocal8Bit()); // Documents lands in it
        QStandardPaths::setTestModeEnabled(true);
    }

    void inAndNear_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<bool>("near");
        QTest::newRow("99.9 left") << QPointF(4000 - 99.9, 2000) << false << true;
        QTest::newRow("exactly 100 left") << QPointF(3900, 2000) << false << false;
        QTest::newRow("top-left corner") << QPointF(4000, 1000) << true << true;
        QTest::newRow("bottom-right corner") << QPointF(6000, 3000) << true << true;
        // Float spacing near 4000 is 2^-12: the point is rounded to floats before the test.
        QTest::newRow("1e-4 left: same float") << QPointF(4000 - 1e-4, 2000) << true << true;
    }
    void inAndNear()
    {
        QFETCH(QPointF, point);
        QFETCH(bool, inside);
        QFETCH(bool, near);
        QCOMPARE(sunInWindow({point.x(), point.y()}, kSouth), inside);
        QCOMPARE(nearWindow({point.x(), point.y()}, kSouth), near);
    }

    void firstPass_data()
    {
        QTest::addColumn<double>("startHour");
        QTest::addColumn<float>("step"); // left in force by the previous search
        QTest::addColumn<int>("reportedMinute"); // from 0h UT of 21 June
        // At 12h UT the Sun is inside kSouth: found at once, one step in force later.
        QTest::newRow("inside, coarse") << 12.0 << kCoarseStep << 12 * 60 + 6;
        // Not found: the clock stops at midnight, not 00:03 or 00:00:02.6.
        QTest::newRow("23:57 coarse") << 23 + 57 / 60.0 << kCoarseStep << 24 * 60;
        QTest::newRow("23:59:59 fine") << 23 + 59 / 60.0 + 59 / 3600.0 << kFineStep << 24 * 60;
    }
    void firstPass()
    {
        QFETCH(double, startHour);
        QFETCH(float, step);
        QFETCH(int, reportedMinute);
        SunshineEngine e = engine(kParis, kSouth, startHour, false, step);
        const SearchPass p = e.searchPass(true);
        QCOMPARE(p.outcome == PassOutcome::Found, reportedMinute < 24 * 60);
        QCOMPARE(minutesFromJune21(reportedInstant(p)), reportedMinute);
    }

    void resumeLooksForExitTwelveMinutesLater()
    {
        SunshineEngine e = engine(kParis, kSouth, 6, false);
        const SearchPass entry = run(e, true);
        QCOMPARE(entry.outcome, PassOutcome::Found);
        e.searchStep = kResumeStep;
        e.resumeSearch();
        const SearchPass first = e.searchPass(false);
        QCOMPARE(first.outcome, PassOutcome::Progress);
        QCOMPARE(minutesFromJune21(reportedInstant(first)), minutesFromJune21(reportedInstant(entry)) + 12);
    }

    void givesUpWhenTheEventNeverComes()
    {
        // At 49N the Sun never climbs to 80°.
        SunshineEngine e = engine(kParis, {0, 10065, 0, 481}, 6, false);
        const SearchPass p = run(e, true);
        QCOMPARE(p.outcome, PassOutcome::GaveUp);
        QVERIFY2(qAbs(p.julianDay - kJune21Day - 367) <= 1, qPrintable(QString::number(p.julianDay)));
    }

    void resumeRestartsTheYearLimit()
    {
        // Low winter Sun in the south (azimuth 175°-185°, elevation 0°-18.5°):
        // from 8 February, Paris first sees it there in December.
        const double february8 = *JulianDay(8, 2, 2026);
        SunshineEngine e = engine(kParis, {4892, 5172, 3444, 4335}, -1, false);
        e.setDate(8, 2, 2026);
        e.evaluate(0.5);
        e.startSearch();
        const SearchPass found = run(e, true);
        QCOMPARE(found.outcome, PassOutcome::Found);
        QVERIFY2(found.julianDay - february8 > 250, qPrintable(QString::number(found.julianDay - february8)));
        // The bars moved to a frame the Sun never reaches at 49N (above 80°),
        // then "Prochaine" twice: the exit at once, then an entry looked for
        // a year from the result, not from 8 February.
        e.frame = {0, 10065, 0, 481};
        e.searchStep = kResumeStep;
        e.resumeSearch();
        QCOMPARE(run(e, false).outcome, PassOutcome::Found);
        e.resumeSearch();
        const SearchPass gaveUp = run(e, true);
        QCOMPARE(gaveUp.outcome, PassOutcome::GaveUp);
        QVERIFY2(qAbs(gaveUp.julianDay - found.julianDay - 367) <= 1,
                 qPrintable(QString::number(gaveUp.julianDay - found.julianDay)));
    }

    void agreesWithOneSecondScan()
    {
        const PicturePoint south = sunPicturePoint({180, 45}, PictureSize{});
        QCOMPARE((QList<double>{south.x, south.y}), (QList<double>{5032.5, 2167.5}));
        // From 18h UT the next entry is the next morning's: the first second inside, by a plain scan.
        const auto inside = [jd0 = *JulianDay(21, 6, 2026)](long s) {
            const SunPosition sun = SolarPosition(jd0 + double(s / 86400), (s % 86400) / 3600.0, kParis);
            return sunInWindow(sunPicturePoint(sun, PictureSize{}), kSouth);
        };
        long scan = 18 * 3600;
        while (!inside(scan) && scan < 2 * 86400L)
            ++scan;
        SunshineEngine e = engine(kParis, kSouth, 18, false);
        const SearchPass p = run(e, true);
        // Reported one fine step (3.6 s) after the first sample inside, samples 3.6 s apart.
        const double lag = (p.julianDay - kJune21Day) * 86400.0 + p.hourUT * 3600 - double(scan);
        QVERIFY2(lag > 3.6 - 1 && lag <= 7.2 + 1e-6, qPrintable(QString::number(lag)));
    }

    void surveyFile_data()
    {
        QTest::addColumn<bool>("atOnce");
        QTest::newRow("whole year") << false;
        QTest::newRow("entry wanted, Sun already in the frame") << true;
    }
    void surveyFile()
    {
        QFETCH(bool, atOnce);
        SunshineEngine e = engine(kParis, atOnce ? kSouth : WindowBounds{}, atOnce ? 12 : -1, true);
        SurveyFile file;
        QVERIFY(file.create(home.filePath(QStringLiteral("Export.csv"))));
        const SearchPass p = run(e, true, &file, 2);
        QVERIFY(file.close());
        QCOMPARE(p.outcome, atOnce ? PassOutcome::Found : PassOutcome::SurveyOver);

        QFile written(file.path());
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray actual = written.readAll(), expected = atOnce ? QByteArray("\r\n") : expectedParisFile();
        QCOMPARE(actual.split('\n'), expected.split('\n'));
        QVERIFY(atOnce || actual.contains("\r\n21/06/2026 12:00;184,0;64,4\r\n"));
    }

    void surveyTimesAndLines()
    {
        const SiteLocation polar{80.0, kParis.longitude}; // the Sun never sets: every pass is written
        SunshineEngine e = engine(polar, {}, -1, true);
        TimeRecorder tenMinutes, hours;
        run(e, true, &tenMinutes, 0, 2);
        QCOMPARE(tenMinutes.times.size(), 2 * 145 + 1); // and the third day's first pass
        // The 145th pass at 23:59:59.65 UT is written 00:00 with its own day.
        QCOMPARE(tenMinutes.times.mid(143, 4), (QStringList{"21/06/2026 23:50", "21/06/2026 00:00",
                                                            "22/06/2026 00:00", "22/06/2026 00:10"}));
        // A new survey at 1 heure first adds the 10-minute step left in force.
        SunshineEngine again = engine(polar, {}, -1, true, e.searchStep);
        run(again, true, &hours, 2, 3);
        QCOMPARE(hours.times.mid(0, 2), (QStringList{"21/06/2026 00:10", "21/06/2026 01:10"}));
        QCOMPARE(hours.times.mid(23, 3), (QStringList{"21/06/2026 23:10", "22/06/2026 00:00", "22/06/2026 01:00"}));
        // A whole day at the 1-hour step: 24 lines, 23:00 + 1 h being the next day's 00:00.
        QStringList hourly;
        for (int h = 0; h < 24; ++h)
            hourly << QStringLiteral("%1:00").arg(h, 2, 10, QChar(u'0'));
        QCOMPARE(hours.day(QStringLiteral("22/06/2026")), hourly);
        // No integer digit under 1 degree of azimuth; elevation 0.04 is still above the horizon.
        const CivilDate june21{2026, 6, 21};
        QCOMPARE(SurveyLineFormat().line(june21, 1, {0.46, 5.34}), QStringLiteral("21/06/2026 01:00;,5;05,3"));
        QCOMPARE(SurveyLineFormat().line(june21, 20, {359.96, 0.04}), QStringLiteral("21/06/2026 20:00;360,0;00,0"));
    }

    // The dates of a survey's lines are the days the boxes would show: the
    // reform's jump, year 0 and negative years, Julian leap days.
    void surveyDates_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QStringList>("dates"); // of the lines of the first four days
        QTest::newRow("across the reform") << 3 << 10 << 1582
                                           << QStringList{"03/10/1582", "04/10/1582", "15/10/1582", "16/10/1582"};
        QTest::newRow("into year 0") << 30 << 12 << -1
                                     << QStringList{"30/12/-0001", "31/12/-0001", "01/01/0000", "02/01/0000"};
        QTest::newRow("leap day of year 0") << 27 << 2 << 0
                                            << QStringList{"27/02/0000", "28/02/0000", "29/02/0000", "01/03/0000"};
        QTest::newRow("year -1, not leap") << 27 << 2 << -1
                                           << QStringList{"27/02/-0001", "28/02/-0001", "01/03/-0001", "02/03/-0001"};
        QTest::newRow("Julian leap day of 1500") << 28 << 2 << 1500
                                                 << QStringList{"28/02/1500", "29/02/1500", "01/03/1500", "02/03/1500"};
        QTest::newRow("-584") << 28 << 5 << -584
                              << QStringList{"28/05/-0584", "29/05/-0584", "30/05/-0584", "31/05/-0584"};
    }
    void surveyDates()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QStringList, dates);
        SunshineEngine e;
        e.site = {0, 0}; // on the equator the Sun is up every day
        QVERIFY(e.setDate(day, month, year));
        e.prepareSurvey();
        e.startSearch();
        const double start = e.evalJulianDay;
        TimeRecorder lines;
        while (e.searchPass(true, &lines, 2).outcome == PassOutcome::Progress && e.evalJulianDay < start + 4) {}
        QStringList seen;
        for (const QString &line : lines.times)
            if (const QString date = line.section(u' ', 0, 0); seen.isEmpty() || seen.last() != date)
                seen << date;
        QCOMPARE(seen, dates);
    }

    // The instant a search reports, in UT and in local time (Paris).
    void reportedInstants_data()
    {
        QTest::addColumn<double>("julianDay");
        QTest::addColumn<double>("hourUT");
        QTest::addColumn<QString>("ut");
        QTest::addColumn<QString>("local");
        const auto jd = [](int d, int m, int y) { return *JulianDay(d, m, y); };
        QTest::newRow("summer time") << jd(21, 6, 2026) << 12.0 << "21/06/2026 12:00:00" << "21/06/2026 14:00:00";
        QTest::newRow("local date the next day") << jd(21, 6, 2026) << 23.5 << "21/06/2026 23:30:00"
                                                 << "22/06/2026 01:30:00";
        QTest::newRow("23:59:59.7 is the next day") << jd(31, 12, 2026) << 24 - 0.3 / 3600 << "01/01/2027 00:00:00"
                                                    << "01/01/2027 01:00:00";
        // Before 1911 Paris kept its mean time, 9 min 21 s ahead of UT (tz database).
        QTest::newRow("Paris mean time, 1900") << jd(1, 1, 1900) << 12.0 << "01/01/1900 12:00:00" << "01/01/1900 12:09:21";
        QTest::newRow("4 Oct 1582, the next day is the 15th") << jd(4, 10, 1582) << 23.9 << "04/10/1582 23:54:00"
                                                              << "15/10/1582 00:03:21";
        QTest::newRow("year -1 into year 0") << jd(31, 12, -1) << 24 - 0.3 / 3600 << "01/01/0000 00:00:00"
                                             << "01/01/0000 00:09:21";
        QTest::newRow("year 0, Paris mean time") << jd(1, 1, 0) << 0.0 << "01/01/0000 00:00:00" << "01/01/0000 00:09:21";
    }
    void reportedInstants()
    {
        QFETCH(double, julianDay);
        QFETCH(double, hourUT);
        QFETCH(QString, ut);
        QFETCH(QString, local);
        const DayTime instant = reportedInstant(julianDay, hourUT);
        QCOMPARE(formatDateTime(instant.date(), instant.dayFraction()), ut);
        const DayTime there = localTime(instant);
        QCOMPARE(formatDateTime(there.date(), there.dayFraction()), local);
    }
};

QTEST_GUILESS_MAIN(TestSearchPass)
#include "tst_searchpass.moc"
