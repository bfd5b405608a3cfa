// Search passes and the year survey built on them: the sun-in-window test and
// its fine-step margin, the first pass's step, the bound on hopeless searches
// and "Prochaine" restarting it, a found instant against a one-second scan,
// the sunshine file byte for byte, the survey's steps, times and dates
// (across the calendar reform and year 0), and the reported instant in UT and
// local time.
#include "analysis.h"
#include "analysis/sunshineengine.h"
#include "analysis/surveyfile.h"
#include "common/formats.h"

#include <QTemporaryDir>
#include <cstdio>

namespace {
const WindowBounds kAbove80{0, 10065, 0, 481}; // never reached at 49N

// A search from 21 June 2026 after a single run at runHour UT (none if negative).
SunshineEngine engine(const SiteLocation &site, const WindowBounds &frame, double runHour, bool survey, float step = 0)
{
    SunshineEngine e;
    e.site = site, e.frame = frame;
    e.setDate(21, 6, 2026);
    if (runHour >= 0)
        e.evaluate(runHour / 24);
    if (survey)
        e.prepareSurvey();
    e.searchStep = step, e.startSearch();
    return e;
}

// Passes until the search stops or, for a survey, reaches `untilDays` after 21 June 2026.
SearchPass run(SunshineEngine &e, bool entry, SurveyLineWriter *w = nullptr, int option = -1, int untilDays = 0)
{
    for (;;)
        if (SearchPass p = e.searchPass(entry, w, option);
            p.outcome != PassOutcome::Progress || (untilDays && p.julianDay >= kJune21 + untilDays))
            return p;
}

double minutesFromJune21(const DayTime &t) { return (t.julianDay - kJune21) * 1440 + t.second / 60.0; }

struct TimeRecorder : SurveyLineWriter {
    QStringList times; // the date and "HH:MM" of each line
    bool writeLine(const CivilDate &date, double hourUT, const SunPosition &sun) override
    {
        times << SurveyLineFormat().line(date, hourUT, sun).section(u';', 0, 0);
        return true;
    }
};

struct Point { const char *name; QPointF point; bool inside, near; };
const Point kPoints[] = {
    {"99.9 left", {4000 - 99.9, 2000}, false, true}, {"exactly 100 left", {3900, 2000}, false, false},
    {"100 below", {5000, 3100}, false, false}, {"top-left corner", {4000, 1000}, true, true},
    {"bottom-right corner", {6000, 3000}, true, true},
    // Float spacing near 4000 is 2^-12: the point is rounded to floats before the test.
    {"1e-4 left: same float", {4000 - 1e-4, 2000}, true, true},
};

struct FirstPass { const char *name; double startHour; float step /* left by the last search */; int reportedMinute; };
const FirstPass kFirstPasses[] = {
    {"inside, coarse: found at once, one step in force later", 12, kCoarseStep, 12 * 60 + 6},
    {"23:57 coarse: the clock stops at midnight", 23 + 57 / 60.0, kCoarseStep, 24 * 60},
    {"23:59:59 fine", 23 + 59 / 60.0 + 59 / 3600.0, kFineStep, 24 * 60},
};

struct SurveyDates { const char *name; int day, month, year; QStringList dates /* of the first four days */; };
const SurveyDates kSurveyDates[] = {
    {"across the reform", 3, 10, 1582, {"03/10/1582", "04/10/1582", "15/10/1582", "16/10/1582"}},
    {"into year 0", 30, 12, -1, {"30/12/-0001", "31/12/-0001", "01/01/0000", "02/01/0000"}},
    {"leap day of year 0", 27, 2, 0, {"27/02/0000", "28/02/0000", "29/02/0000", "01/03/0000"}},
    {"year -1, not leap", 27, 2, -1, {"27/02/-0001", "28/02/-0001", "01/03/-0001", "02/03/-0001"}},
    {"Julian leap day of 1500", 28, 2, 1500, {"28/02/1500", "29/02/1500", "01/03/1500", "02/03/1500"}},
};

struct Instant { const char *name; double julianDay, hourUT; const char *ut, *local; };
const Instant kInstants[] = {
    {"summer time", kJune21, 12, "21/06/2026 12:00:00", "21/06/2026 14:00:00"},
    {"local date the next day", kJune21, 23.5, "21/06/2026 23:30:00", "22/06/2026 01:30:00"},
    {"23:59:59.7 is the next day", *JulianDay(31, 12, 2026), 24 - 0.3 / 3600, "01/01/2027 00:00:00", "01/01/2027 01:00:00"},
    // Before 1911 Paris kept its mean time, 9 min 21 s ahead of UT (tz database).
    {"Paris mean time, 1900", *JulianDay(1, 1, 1900), 12, "01/01/1900 12:00:00", "01/01/1900 12:09:21"},
    {"4 Oct 1582, the next day is the 15th", *JulianDay(4, 10, 1582), 23.9, "04/10/1582 23:54:00", "15/10/1582 00:03:21"},
    {"year -1 into year 0", *JulianDay(31, 12, -1), 24 - 0.3 / 3600, "01/01/0000 00:00:00", "01/01/0000 00:09:21"},
};
} // namespace

class TestSearchPass : public QObject {
    Q_OBJECT
    QTemporaryDir home;
private slots:

    void inAndNear_data() { addRows(kPoints); }
    void inAndNear()
    {
        const Point &c = fetchRow(kPoints);
        QCOMPARE(sunInWindow({c.point.x(), c.point.y()}, kSouth), c.inside);
        QCOMPARE(nearWindow({c.point.x(), c.point.y()}, kSouth), c.near);
    }

    void firstPass_data() { addRows(kFirstPasses); }
    void firstPass()
    {
        const FirstPass &c = fetchRow(kFirstPasses);
        SunshineEngine e = engine(kParis, kSouth, c.startHour, false, c.step);
        const SearchPass p = e.searchPass(true);
        QCOMPARE(p.outcome == PassOutcome::Found, c.reportedMinute < 24 * 60);
        QCOMPARE(minutesFromJune21(reportedInstant(p)), c.reportedMinute);
    }

    // "Prochaine" looks on one resume step (12 minutes) later; each search
    // gives up a year after its own start, not the first search's.
    void resumeAndGiveUp()
    {
        // Low winter Sun in the south (azimuth 175°-185°, elevation 0°-18.5°):
        // from 8 February, Paris first sees it there in December.
        SunshineEngine e = engine(kParis, {4892, 5172, 3444, 4335}, -1, false);
        e.setDate(8, 2, 2026), e.evaluate(0.5), e.startSearch();
        const SearchPass found = run(e, true);
        QCOMPARE(found.outcome, PassOutcome::Found);
        QVERIFY2(found.julianDay - *JulianDay(8, 2, 2026) > 250, qPrintable(QString::number(found.julianDay)));
        e.searchStep = kResumeStep, e.resumeSearch();
        const SearchPass next = e.searchPass(false);
        QCOMPARE(next.outcome, PassOutcome::Progress);
        QCOMPARE(minutesFromJune21(reportedInstant(next)), minutesFromJune21(reportedInstant(found)) + 12);
        // The bars moved to a frame the Sun never reaches, then "Prochaine"
        // twice: the exit at once, then an entry given up a year on.
        e.frame = kAbove80, e.resumeSearch();
        QCOMPARE(run(e, false).outcome, PassOutcome::Found);
        e.resumeSearch();
        const SearchPass gaveUp = run(e, true);
        QCOMPARE(gaveUp.outcome, PassOutcome::GaveUp);
        QVERIFY2(qAbs(gaveUp.julianDay - found.julianDay - 367) <= 1, qPrintable(QString::number(gaveUp.julianDay)));
    }

    void agreesWithOneSecondScan()
    {
        const PicturePoint south = sunPicturePoint({180, 45}, PictureSize{});
        QCOMPARE((QList<double>{south.x, south.y}), (QList<double>{5032.5, 2167.5}));
        // From 18h UT the next entry is the next morning's: the first second inside, by a plain scan.
        long scan = 18 * 3600;
        while (!inFrameAt(kJune21, scan, kParis, kSouth) && scan < 2 * 86400L)
            ++scan;
        SunshineEngine e = engine(kParis, kSouth, 18, false);
        const SearchPass p = run(e, true);
        // Reported one fine step (3.6 s) after the first sample inside, samples 3.6 s apart.
        const double lag = (p.julianDay - kJune21) * 86400.0 + p.hourUT * 3600 - double(scan);
        QVERIFY2(lag > 3.6 - 1 && lag <= 7.2 + 1e-6, qPrintable(QString::number(lag)));
    }

    // Paris at the 1-hour step from 0h UT of 21 June 2026 as a French system
    // writes it: every hour of the 367 days with the Sun above the horizon;
    // nothing but the first line when the entry is found at once.
    void surveyFile_data()
    {
        addNamedRows<bool>("atOnce", {{"whole year", false}, {"entry wanted, Sun already in the frame", true}});
    }
    void surveyFile()
    {
        QFETCH(bool, atOnce);
        SunshineEngine e = engine(kParis, atOnce ? kSouth : WindowBounds{}, atOnce ? 12 : -1, true);
        SurveyFile file;
        QVERIFY(file.create(home.filePath(QStringLiteral("Export.csv"))));
        QCOMPARE(run(e, true, &file, 2).outcome, atOnce ? PassOutcome::Found : PassOutcome::SurveyOver);
        QVERIFY(file.close());
        QByteArray expected("\r\n"), line(64, 0);
        for (int day = 0; day <= 366 && !atOnce; ++day)
            for (int h = 0; h < 24; ++h) {
                const SunPosition sun = SolarPosition(kJune21 + day, h, kParis);
                const QByteArray date = QDate(2026, 6, 21).addDays(day).toString(u"dd/MM/yyyy").toLatin1();
                std::snprintf(line.data(), 64, "%s %02d:00;%.1f;%04.1f", date.data(), h, sun.azimuth, sun.elevation);
                if (sun.elevation > 0)
                    expected += line.left(qstrlen(line)).replace('.', ',') + "\r\n";
            }
        QFile written(file.path());
        const QByteArray actual = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
        QCOMPARE(actual.split('\n'), expected.split('\n'));
        QVERIFY(atOnce || actual.contains("\r\n21/06/2026 12:00;184,0;64,4\r\n"));
    }

    // The steps of the four buttons, where the Sun never sets and every pass is written.
    void surveyTimesAndLines()
    {
        const SiteLocation polar{80.0, kParis.longitude};
        SunshineEngine e = engine(polar, {}, -1, true);
        TimeRecorder tenMinutes, halfHours, hours, minutes;
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
        QCOMPARE(hours.times.size(), 3 * 24 + 1);
        SunshineEngine half = engine(polar, {}, -1, true), minute = engine(polar, {}, -1, true);
        run(half, true, &halfHours, 1, 1);
        QCOMPARE(halfHours.times.mid(0, 3), (QStringList{"21/06/2026 00:00", "21/06/2026 00:30", "21/06/2026 01:00"}));
        for (int i = 0; i < 3; ++i)
            minute.searchPass(true, &minutes, 3);
        QCOMPARE(minutes.times, (QStringList{"21/06/2026 00:00", "21/06/2026 00:01", "21/06/2026 00:02"}));
        // No integer digit under 1 degree of azimuth; elevation 0.04 is still above the horizon.
        const CivilDate june21{2026, 6, 21};
        QCOMPARE(SurveyLineFormat().line(june21, 1, {0.46, 5.34}), QStringLiteral("21/06/2026 01:00;,5;05,3"));
        QCOMPARE(SurveyLineFormat().line(june21, 20, {359.96, 0.04}), QStringLiteral("21/06/2026 20:00;360,0;00,0"));
    }

    // The dates of a survey's lines are the days the boxes would show.
    void surveyDates_data() { addRows(kSurveyDates); }
    void surveyDates()
    {
        const SurveyDates &c = fetchRow(kSurveyDates);
        SunshineEngine e;
        e.site = {0, 0}; // on the equator the Sun is up every day
        QVERIFY(e.setDate(c.day, c.month, c.year));
        e.prepareSurvey(), e.startSearch();
        const double start = e.evalJulianDay;
        TimeRecorder lines;
        while (e.searchPass(true, &lines, 2).outcome == PassOutcome::Progress && e.evalJulianDay < start + 4) {}
        QStringList seen;
        for (const QString &line : lines.times)
            if (const QString date = line.section(u' ', 0, 0); seen.isEmpty() || seen.last() != date)
                seen << date;
        QCOMPARE(seen, c.dates);
    }

    // The instant a search reports, in UT and in local time (Paris).
    void reportedInstants_data() { addRows(kInstants); }
    void reportedInstants()
    {
        const Instant &c = fetchRow(kInstants);
        const DayTime instant = reportedInstant(c.julianDay, c.hourUT), there = localTime(instant);
        QCOMPARE(formatDateTime(instant.date(), instant.dayFraction()), QString(c.ut));
        QCOMPARE(formatDateTime(there.date(), there.dayFraction()), QString(c.local));
    }
};

ANALYSIS_TEST(TestSearchPass)
#include "tst_searchpass.moc"
