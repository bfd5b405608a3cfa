// Search passes and the year survey built on them: the sun-in-window test and
// its fine-step margin, the first pass's step, the bound on hopeless searches,
// a found instant against a one-second scan, the sunshine file byte for byte
// (also when the disk fills up), the survey's times, and where the file goes.
#include "analysis/sunshineengine.h"
#include "analysis/surveyfile.h"
#include "astro/julianday.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace lumora;

namespace {
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const WindowBounds kSouth{4000, 6000, 1000, 3000}; // azimuth 143°–215°, elevation 27.7°–69.2°
const QDate kJune21(2026, 6, 21);

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

// Passes until the search stops or, for a survey, reaches the day `until`.
SearchPass run(SunshineEngine &e, bool entry, SurveyLineWriter *w = nullptr, int option = -1, QDate until = {})
{
    for (;;)
        if (SearchPass p = e.searchPass(entry, w, option);
            p.outcome != PassOutcome::Progress || (until.isValid() && p.reportDate >= until))
            return p;
}

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
    QStringList times; // "dd/MM/yyyy HH:MM" of each line
    bool writeLine(const QDate &date, double hourUT, const SunPosition &sun) override
    {
        times << SurveyLineFormat().line(date, hourUT, sun).left(16);
        return true;
    }
};
} // namespace

class TestSearchPass : public QObject {
    Q_OBJECT
    QTemporaryDir home;
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        qputenv("HOME", home.path().toLocal8Bit()); // Documents lands in it
        QStandardPaths::setTestModeEnabled(true);
        std::signal(SIGXFSZ, SIG_IGN); // past the file-size limit a write fails instead
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
        QCOMPARE(reportedInstant(p.reportDate, p.hourUT), QDateTime(kJune21, {}, Qt::UTC).addSecs(reportedMinute * 60));
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
        QCOMPARE(reportedInstant(first.reportDate, first.hourUT),
                 reportedInstant(entry.reportDate, entry.hourUT).addSecs(12 * 60));
    }

    void givesUpWhenTheEventNeverComes()
    {
        // At 49N the Sun never climbs to 80°.
        SunshineEngine e = engine(kParis, {0, 10065, 0, 481}, 6, false);
        const SearchPass p = run(e, true);
        QCOMPARE(p.outcome, PassOutcome::GaveUp);
        QVERIFY2(qAbs(kJune21.daysTo(p.reportDate) - 367) <= 1, qPrintable(p.reportDate.toString()));
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
        const double lag = kJune21.daysTo(p.reportDate) * 86400.0 + p.hourUT * 3600 - double(scan);
        QVERIFY2(lag > 3.6 - 1 && lag <= 7.2 + 1e-6, qPrintable(QString::number(lag)));
    }

    void surveyFile_data()
    {
        QTest::addColumn<int>("limit"); // file size in bytes, 0: none
        QTest::addColumn<bool>("atOnce");
        QTest::newRow("whole year") << 0 << false;
        QTest::newRow("disk full mid-line at 1000 bytes") << 1000 << false;
        QTest::newRow("entry wanted, Sun already in the frame") << 0 << true;
    }
    void surveyFile()
    {
        QFETCH(int, limit);
        QFETCH(bool, atOnce);
        SunshineEngine e = engine(kParis, atOnce ? kSouth : WindowBounds{}, atOnce ? 12 : -1, true);
        SurveyFile file;
        QVERIFY(file.create(home.filePath(QStringLiteral("Export.csv"))));
        rlimit old{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
        const rlimit small{rlim_t(limit), old.rlim_max};
        QVERIFY(!limit || setrlimit(RLIMIT_FSIZE, &small) == 0);
        const SearchPass p = run(e, true, &file, 2);
        file.close();
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(p.outcome, limit ? PassOutcome::WriteFailed : atOnce ? PassOutcome::Found : PassOutcome::SurveyOver);

        QFile written(file.path());
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray actual = written.readAll(), expected = atOnce ? QByteArray("\r\n") : expectedParisFile();
        if (!limit)
            QCOMPARE(actual.split('\n'), expected.split('\n'));
        QVERIFY(actual.endsWith("\r\n") && expected.startsWith(actual)); // whole lines only
        QVERIFY(actual.size() > limit - 40);
        QVERIFY(atOnce || actual.contains("\r\n21/06/2026 12:00;184,0;64,4\r\n"));
    }

    void surveyTimesAndLines()
    {
        const SiteLocation polar{80.0, kParis.longitude}; // the Sun never sets: every pass is written
        SunshineEngine e = engine(polar, {}, -1, true);
        TimeRecorder tenMinutes, hours;
        run(e, true, &tenMinutes, 0, kJune21.addDays(2));
        QCOMPARE(tenMinutes.times.size(), 2 * 145 + 1); // and the third day's first pass
        // The 145th pass at 23:59:59.65 UT is written 00:00 with its own day.
        QCOMPARE(tenMinutes.times.mid(143, 4), (QStringList{"21/06/2026 23:50", "21/06/2026 00:00",
                                                            "22/06/2026 00:00", "22/06/2026 00:10"}));
        // A new survey at 1 heure first adds the 10-minute step left in force.
        SunshineEngine again = engine(polar, {}, -1, true, e.searchStep);
        run(again, true, &hours, 2, kJune21.addDays(2));
        QCOMPARE(hours.times.mid(0, 2), (QStringList{"21/06/2026 00:10", "21/06/2026 01:10"}));
        QCOMPARE(hours.times.mid(23, 3), (QStringList{"21/06/2026 23:10", "22/06/2026 00:00", "22/06/2026 01:00"}));
        // No integer digit under 1 degree of azimuth; elevation 0.04 is still above the horizon.
        QCOMPARE(SurveyLineFormat().line(kJune21, 1, {0.46, 5.34}), QStringLiteral("21/06/2026 01:00;,5;05,3"));
        QCOMPARE(SurveyLineFormat().line(kJune21, 20, {359.96, 0.04}), QStringLiteral("21/06/2026 20:00;360,0;00,0"));
    }

    void filePath()
    {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(surveyFilePath(home.path()), home.filePath(QStringLiteral("Export.csv")));
        QCOMPARE(surveyFilePath(home.filePath(QStringLiteral("missing"))), documents + "/Export.csv");
        QVERIFY(QFileInfo(documents).isDir());
    }
};

QTEST_GUILESS_MAIN(TestSearchPass)
#include "tst_searchpass.moc"
