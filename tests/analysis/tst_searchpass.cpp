// The sun-in-window test and the search for the next entry or exit: the
// picture point, the fine-step margin, the stepping of the first pass, the
// bound on hopeless searches, and found instants against a one-second scan.
#include "analysis/sunshineengine.h"
#include "astro/julianday.h"

#include <QTest>
#include <cmath>
#include <ctime>

using namespace lumora;

Q_DECLARE_METATYPE(lumora::WindowBounds)
Q_DECLARE_METATYPE(lumora::PassOutcome)

namespace {
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const WindowBounds kSouth{4000, 6000, 1000, 3000}; // azimuth 143°–215°, elevation 27.7°–69.2°
const WindowBounds kSky{0, 10065, 0, 4335};        // the whole panorama
const QDate kJune21(2026, 6, 21);

// An engine after a single run at hourUT of date, as the window leaves it.
SunshineEngine engineAt(const WindowBounds &frame, QDate date, double hourUT)
{
    SunshineEngine e;
    e.site = kParis;
    e.frame = frame;
    e.setDate(date.day(), date.month(), date.year());
    e.dayFractionUT = hourUT / 24;
    e.singleRun();
    return e;
}

SearchPass runSearch(SunshineEngine &e, bool entry, long *passes = nullptr)
{
    SearchPass p;
    long n = 0;
    do
        p = e.searchPass(entry), ++n;
    while (p.outcome == PassOutcome::Progress && n < 20'000'000);
    if (passes)
        *passes = n;
    return p;
}

// The first whole second from `start` (seconds from 0h UT of date) at which
// the Sun is inside (or outside) the frame, by the panorama's own formulas.
long firstSecond(const WindowBounds &f, QDate date, long start, bool inside)
{
    const double jd0 = *JulianDay(date.day(), date.month(), date.year());
    for (long s = start; s < start + 2 * 86400L; ++s) {
        const SunPosition sun = SolarPosition(jd0 + double(s / 86400), (s % 86400) / 3600.0, kParis);
        const float x = float(10065.0 * sun.azimuth / 360), y = float(4335 - 4335 * sun.elevation / 90);
        if ((x >= f.left && x <= f.right && y >= f.top && y <= f.bottom) == inside)
            return s;
    }
    return -1;
}
} // namespace

class TestSearchPass : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Paris");
        tzset();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    }
    void inAndNear_data();
    void inAndNear();
    void picturePoint();
    void firstPass_data();
    void firstPass();
    void resumeLooksForExitTwelveMinutesLater();
    void givesUpWhenTheEventNeverComes();
    void agreesWithOneSecondScan_data();
    void agreesWithOneSecondScan();
};

void TestSearchPass::inAndNear_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<bool>("near"); // the fine step
    // kSouth: left 4000, right 6000, top 1000, bottom 3000.
    QTest::newRow("99.9 left of the left edge") << 4000 - 99.9 << 2000.0 << false << true;
    QTest::newRow("exactly 100 left") << 3900.0 << 2000.0 << false << false;
    QTest::newRow("99.9 right of the right edge") << 6099.9 << 2000.0 << false << true;
    QTest::newRow("exactly 100 above") << 5000.0 << 900.0 << false << false;
    QTest::newRow("exactly 100 below") << 5000.0 << 3100.0 << false << false;
    QTest::newRow("on the left edge") << 4000.0 << 2000.0 << true << true;
    QTest::newRow("on the right edge") << 6000.0 << 2000.0 << true << true;
    QTest::newRow("on the top-left corner") << 4000.0 << 1000.0 << true << true;
    QTest::newRow("on the bottom edge") << 5000.0 << 3000.0 << true << true;
    QTest::newRow("0.01 below the bottom edge") << 5000.0 << 3000.01 << false << true;
    // Float spacing is 2^-12 near 4000 and 3000, 2^-11 near 6000, 2^-14 near 1000.
    QTest::newRow("1e-4 left of the left edge: same float") << 4000 - 1e-4 << 2000.0 << true << true;
    QTest::newRow("1e-4 right of the right edge: same float") << 6000 + 1e-4 << 2000.0 << true << true;
    QTest::newRow("2e-5 above the top edge: same float") << 5000.0 << 1000 - 2e-5 << true << true;
    QTest::newRow("5e-4 left of the left edge: next float") << 4000 - 5e-4 << 2000.0 << false << true;
}

void TestSearchPass::inAndNear()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, inside);
    QFETCH(bool, near);
    QCOMPARE(sunInWindow({x, y}, kSouth), inside);
    QCOMPARE(nearWindow({x, y}, kSouth), near);
}

void TestSearchPass::picturePoint()
{
    const PicturePoint south = sunPicturePoint({180, 45}, PictureSize{10065, 4335});
    QCOMPARE(south.x, 5032.5);
    QCOMPARE(south.y, 2167.5);
    const PicturePoint below = sunPicturePoint({90, -10}, PictureSize{10065, 4335});
    QCOMPARE(below.x, 2516.25);
    QVERIFY(std::fabs(below.y - (4335 + 4335 / 9.0)) < 1e-9); // under the picture
}

void TestSearchPass::firstPass_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("startHour");
    QTest::addColumn<float>("stepInForce");
    QTest::addColumn<PassOutcome>("outcome");
    QTest::addColumn<QDate>("expectedDate");
    QTest::addColumn<double>("expectedHour");
    // At 12h UT the Sun (azimuth 184.0, elevation 64.4) is inside kSouth, so
    // an entry is found at once, one step in force after the start.
    QTest::newRow("inside, right after start-up: step 0")
        << kJune21 << 12.0 << 0.0f << PassOutcome::Found << kJune21 << 12.0;
    QTest::newRow("inside, after a search that ended far: + 0.1 h")
        << kJune21 << 12.0 << kCoarseStep << PassOutcome::Found << kJune21 << 12.1;
    QTest::newRow("inside, after Prochaine Entrée/Sortie: + 0.2 h")
        << kJune21 << 12.0 << kResumeStep << PassOutcome::Found << kJune21 << 12.2;
    const QDate june22(2026, 6, 22);
    QTest::newRow("23:57, coarse step: 00:00 next day, not 00:03")
        << kJune21 << 23 + 57 / 60.0 << kCoarseStep << PassOutcome::Progress << june22 << 0.0;
    QTest::newRow("23:59:59, fine step: 00:00:00, not 00:00:02.6")
        << kJune21 << 23 + 59 / 60.0 + 59 / 3600.0 << kFineStep << PassOutcome::Progress << june22 << 0.0;
    QTest::newRow("31 Dec 23:57: 1 Jan of the next year") << QDate(2026, 12, 31) << 23 + 57 / 60.0 << kCoarseStep
                                                          << PassOutcome::Progress << QDate(2027, 1, 1) << 0.0;
    QTest::newRow("23:50, coarse step: 23:56 the same day")
        << kJune21 << 23 + 50 / 60.0 << kCoarseStep << PassOutcome::Progress << kJune21 << 23 + 56 / 60.0;
}

void TestSearchPass::firstPass()
{
    QFETCH(QDate, date);
    QFETCH(double, startHour);
    QFETCH(float, stepInForce);
    QFETCH(PassOutcome, outcome);
    QFETCH(QDate, expectedDate);
    QFETCH(double, expectedHour);
    SunshineEngine e = engineAt(kSouth, date, startHour);
    e.searchStep = stepInForce;
    e.startSearch();
    const SearchPass p = e.searchPass(true);
    QCOMPARE(p.outcome, outcome);
    QCOMPARE(p.reportDate, expectedDate);
    QVERIFY2(std::fabs(p.hourUT - expectedHour) < 1e-6, qPrintable(QString::number(p.hourUT * 3600, 'f', 3)));
}

void TestSearchPass::resumeLooksForExitTwelveMinutesLater()
{
    SunshineEngine e = engineAt(kSouth, kJune21, 6);
    e.startSearch();
    const SearchPass entry = runSearch(e, true);
    QCOMPARE(entry.outcome, PassOutcome::Found);
    e.searchStep = kResumeStep;
    e.resumeSearch();
    const SearchPass first = e.searchPass(false);
    QCOMPARE(first.outcome, PassOutcome::Progress);
    QCOMPARE(first.reportDate, entry.reportDate);
    QVERIFY2(std::fabs((first.hourUT - entry.hourUT) * 60 - 12) < 1e-4, qPrintable(QString::number(first.hourUT)));
    const SearchPass exit = runSearch(e, false);
    QCOMPARE(exit.outcome, PassOutcome::Found);
    QVERIFY2(exit.reportDate == entry.reportDate && exit.hourUT > entry.hourUT + 1,
             qPrintable(QString::number(exit.hourUT)));
}

void TestSearchPass::givesUpWhenTheEventNeverComes()
{
    // At 49N the Sun never climbs to 80°; the frame is never even near.
    SunshineEngine e = engineAt({0, 10065, 0, 481}, kJune21, 6);
    e.startSearch();
    long passes = 0;
    const SearchPass p = runSearch(e, true, &passes);
    QCOMPARE(p.outcome, PassOutcome::GaveUp);
    const qint64 days = kJune21.daysTo(p.reportDate);
    QVERIFY2(days >= 366 && days <= 368, qPrintable(p.reportDate.toString()));
    QVERIFY2(passes >= 366 * 240 && passes <= 368 * 241, qPrintable(QString::number(passes))); // coarse steps
}

void TestSearchPass::agreesWithOneSecondScan_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("startHour");
    QTest::addColumn<WindowBounds>("frame");
    QTest::addColumn<bool>("entry");
    QTest::newRow("entry by the left edge, from 6h") << kJune21 << 6.0 << kSouth << true;
    QTest::newRow("exit by the right edge, from 12h") << kJune21 << 12.0 << kSouth << false;
    QTest::newRow("entry next morning, across midnight") << kJune21 << 18.0 << kSouth << true;
    QTest::newRow("entry by the top edge in the afternoon")
        << kJune21 << 12.0 << WindowBounds{6500, 9000, 2890, 3854} << true;
    QTest::newRow("21 Dec, low southern frame, from 0h")
        << QDate(2026, 12, 21) << 0.0 << WindowBounds{4192, 5871, 3372, 4094} << true;
    QTest::newRow("sunset out of the whole panorama") << kJune21 << 12.0 << kSky << false;
}

void TestSearchPass::agreesWithOneSecondScan()
{
    QFETCH(QDate, date);
    QFETCH(double, startHour);
    QFETCH(WindowBounds, frame);
    QFETCH(bool, entry);
    const long start = std::lround(startHour * 3600);
    const long scan = firstSecond(frame, date, start, entry);
    QVERIFY2(scan > start, "the start must not already be in the state looked for");
    SunshineEngine e = engineAt(frame, date, startHour);
    e.startSearch();
    const SearchPass p = runSearch(e, entry);
    QCOMPARE(p.outcome, PassOutcome::Found);
    // Reported one fine step (3.6 s) after the first sample in the state; the
    // samples are a fine step apart near the frame, the scan's one second.
    const double lag = date.daysTo(p.reportDate) * 86400.0 + p.hourUT * 3600 - double(scan);
    QVERIFY2(lag > 3.6 - 1 && lag <= 7.2 + 1e-6, qPrintable(QStringLiteral("%1 %2 s: %3 s after the scan's %4 s")
                                                                .arg(p.reportDate.toString(Qt::ISODate))
                                                                .arg(p.hourUT * 3600, 0, 'f', 2)
                                                                .arg(lag, 0, 'f', 2)
                                                                .arg(scan)));
}

QTEST_GUILESS_MAIN(TestSearchPass)
#include "tst_searchpass.moc"
