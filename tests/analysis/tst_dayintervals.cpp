// The day's sun-in-frame intervals: the sampled scan against the in-window
// test made at every second on random days, sites and frames (corner touches,
// zero-width frames, frames on the 0°/360° seam, the poles, the date line),
// fixed days (a sunset, polar day and
// night, frames that hold nothing) and the read-out texts.
#include "analysis.h"

namespace {
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// The definition: the maximal runs of seconds that pass the in-window test.
std::vector<SunInterval> everySecond(double jd0, const SiteLocation &site, const WindowBounds &frame)
{
    std::vector<bool> in(kSecondsPerDay);
    for (int s = 0; s < kSecondsPerDay; ++s)
        in[size_t(s)] = inFrameAt(jd0, s, site, frame);
    return runsOf(in);
}

// Expected: the intervals as "first-last ...", or "~S" for one interval whose last second is within 30 s of S.
struct KnownDay { const char *name; double jd0; double latitude; WindowBounds frame; const char *expected; };
const KnownDay kKnownDays[] = {
    // The Sun is 0.280° below the horizon at 18:00 UT, going down at about
    // 15° × cos 49° an hour: it set at about 17:58:17.
    {"Paris 20 March 2026: sets before 18:00 UT", 2461119.5, 49, kWhole, "~64697"},
    {"80N 21 June 2026: polar day", kJune21, 80, kWhole, "0-86399"},
    {"80N 21 December 2026: polar night", 2461395.5, 80, kWhole, ""},
    {"left of right swapped", kJune21, 49, {6000, 4000, 1000, 3000}, ""},
    {"top below bottom", kJune21, 49, {4000, 6000, 3000, 1000}, ""},
    {"NaN edge", kJune21, 49, {4000, kNaN, 1000, 3000}, ""},
    {"Paris 21 June 2026, south window", kJune21, 49, kSouth, nullptr},
};

struct Duration { const char *name; qint64 seconds; const char *text; };
const Duration kDurations[] = {
    {"none", 0, "0 s"}, {"59 s", 59, "59 s"}, {"one minute", 60, "1 min"}, {"45 min 59 s truncates", 2759, "45 min"},
    {"one hour", 3600, "1 h 00 min"}, {"2 h 5 min 59 s", 7559, "2 h 05 min"}, {"whole day", 86400, "24 h 00 min"},
};

constexpr int hms(int h, int m, int s) { return h * 3600 + m * 60 + s; }
// The text after "Soleil dans la fenêtre : " (the whole text when there is no interval).
struct ReadOut { const char *name, *zone; QDate utDate; QList<int> seconds /* first, last... */; const char *text; };
const char *const kParisZone = "Europe/Paris";
const ReadOut kReadOuts[] = {
    {"none", kParisZone, {2026, 6, 21}, {}, "Pas de Soleil dans la fenêtre ce jour"},
    {"one interval in summer time", kParisZone, {2026, 6, 21}, {hms(7, 12, 5), hms(9, 47, 40)},
     "09:12:05 – 11:47:40 (2 h 35 min)"},
    {"two intervals, winter time", kParisZone, {2026, 12, 21}, {hms(8, 0, 0), hms(8, 0, 41), hms(13, 30, 0), 50399},
     "09:00:00 – 09:00:41, 14:30:00 – 14:59:59 (30 min)"},
    {"across the change to summer time", kParisZone, {2026, 3, 29}, {hms(0, 30, 0), hms(1, 29, 59)},
     "01:30:00 – 03:29:59 (1 h 00 min)"},
    {"on to local midnight", kParisZone, {2026, 6, 21}, {hms(21, 30, 0), 86399}, "23:30:00 – 01:59:59 J+1 (2 h 30 min)"},
    {"a single second", kParisZone, {2026, 6, 21}, {43200, 43200}, "14:00:00 – 14:00:00 (1 s)"},
    {"Tokyo: the UT day runs from 09:00 to 09:00", "Asia/Tokyo", {2026, 6, 21}, {hms(20, 0, 0), hms(20, 59, 59)},
     "05:00:00 J+1 – 05:59:59 J+1 (1 h 00 min)"},
    {"New York: the day before", "America/New_York", {2026, 6, 21}, {hms(2, 0, 0), hms(4, 0, 0)},
     "22:00:00 J-1 – 00:00:00 (2 h 00 min)"},
};
} // namespace

class TestDayIntervals : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setZone("Europe/Paris"); }

    // 240 random days from 1700 to 2200 at sites and frames of every kind:
    // the sampled scan gives exactly the runs of the test made every second.
    void sampledScanEqualsEverySecond()
    {
        std::mt19937_64 random(20260621);
        std::uniform_real_distribution<double> unit(0, 1);
        const auto between = [&](double a, double b) { return a + (b - a) * unit(random); };
        int shortRuns = 0, cornerOnlyHits = 0, seamRuns = 0;
        for (int n = 0; n < 240; ++n) {
            const double jd0 = *JulianDay(1, 1, 1700) + std::floor(between(0, 500 * 365.25));
            const double north = unit(random) < 0.5 ? 1 : -1;
            SiteLocation site{between(-90, 90), between(-180, 180)};
            switch (n % 6) {
            case 0: site.latitude = north * between(66.5, 90); break;    // polar day or night
            case 1: site.latitude = north * between(0, 23.5); break;     // Sun north or south of the zenith
            case 2: site.longitude = north * between(179.9, 180); break; // the date line, either side
            case 3: site.latitude = north * (n % 12 == 3 ? 90 : 90 - between(0, 1e-4)); break; // the poles
            }
            const int second = int(between(0, kSecondsPerDay - 1));
            const PicturePoint p = sunPoint(jd0, second, site), q = sunPoint(jd0, std::min(second + 1, 86399), site);
            const float size = float(std::pow(10, between(-1, 2.5))), f = float(unit(random));
            // A point within a second's travel of the path: the corner of a small frame.
            const float cx = float(p.x + f * (q.x - p.x) + between(-0.05, 0.05)),
                        cy = float(p.y + f * (q.y - p.y) + between(-0.05, 0.05));
            const float a = between(0, 10065), b = between(0, 10065), c = between(0, 4335), d = between(0, 4335);
            const WindowBounds frames[] = {
                {std::min(a, b), std::max(a, b), std::min(c, d), std::max(c, d)}, // anywhere
                {cx, cx + size, cy - size, cy}, {cx - size, cx, cy, cy + size},   // corner on the path
                {float(p.x), float(p.x), 0, 4335}, {0, 10065, float(p.y), float(p.y)}, // zero width, height
                {0, float(between(0, 300)), 0, 4335},                             // against the left edge
                {float(10065 - between(0, 300)), 10065, float(between(0, 2000)), 4335}, kWhole};
            const WindowBounds &frame = frames[n % 8];
            const auto fast = sunIntervals(jd0, site, kPanorama, frame), slow = everySecond(jd0, site, frame);
            QVERIFY2(fast == slow, qPrintable(QStringLiteral("case %1: %2, every second %3").arg(n).arg(intervalsText(fast), intervalsText(slow))));
            for (const SunInterval &i : slow)
                shortRuns += i.seconds() <= 2, seamRuns += (n % 8 == 5 || n % 8 == 6);
            cornerOnlyHits += (n % 8 == 1 || n % 8 == 2) && !slow.empty() && totalSeconds(slow) <= 3;
        }
        // The sweep did meet the hard cases it is meant for.
        QVERIFY2(shortRuns >= 10 && cornerOnlyHits >= 5 && seamRuns >= 10,
                 qPrintable(QStringLiteral("%1 runs of 1-2 s, %2 corner-only, %3 at the seam")
                                .arg(shortRuns).arg(cornerOnlyHits).arg(seamRuns)));
    }

    // Fixed days, each also against the test made every second; an ordinary
    // day costs a few hundred positions, not 86,400.
    void knownDays_data() { addRows(kKnownDays); }
    void knownDays()
    {
        const KnownDay &c = fetchRow(kKnownDays);
        const SiteLocation site{c.latitude, kParis.longitude};
        DayScanStats stats;
        const auto intervals = sunIntervals(c.jd0, site, kPanorama, c.frame, &stats);
        QCOMPARE(intervals, everySecond(c.jd0, site, c.frame));
        QVERIFY2(stats.evaluations < 600, qPrintable(QString::number(stats.evaluations)));
        const QString expected = c.expected ? QString::fromLatin1(c.expected) : intervalsText(intervals);
        if (expected.startsWith(u'~'))
            QVERIFY2(intervals.size() == 1 && std::abs(intervals[0].lastSecond - expected.mid(1).toInt()) < 30,
                     qPrintable(intervalsText(intervals)));
        else
            QCOMPARE(intervalsText(intervals), expected);
    }

    void durations_data() { addRows(kDurations); }
    void durations() { QCOMPARE(durationText(fetchRow(kDurations).seconds), QString(fetchRow(kDurations).text)); }

    // Read-outs in local time: summer time (UT+2) in June in Paris, the change
    // to it on 29 March 2026 at 01:00 UT, local times on the day after or before.
    void readOut_data() { addRows(kReadOuts); }
    void readOut()
    {
        const ReadOut &c = fetchRow(kReadOuts);
        setZone(c.zone);
        std::vector<SunInterval> intervals;
        for (int i = 0; i + 1 < c.seconds.size(); i += 2)
            intervals.push_back({c.seconds[i], c.seconds[i + 1]});
        const double jd0 = *JulianDay(c.utDate.day(), c.utDate.month(), c.utDate.year());
        QCOMPARE(sunIntervalsText(jd0, intervals), (intervals.empty() ? "" : "Soleil dans la fenêtre : ") + QString(c.text));
        QCOMPARE(utcInstant(jd0, 0), QDateTime(c.utDate, QTime(0, 0), Qt::UTC));
        // Before 1582 the date is Julian, the instant the same: 4 October 1582
        // (Julian) was followed by 15 October 1582 (Gregorian).
        QCOMPARE(utcInstant(*JulianDay(4, 10, 1582), 3600), QDateTime(QDate(1582, 10, 14), QTime(1, 0), Qt::UTC));
        QVERIFY(!utcInstant(std::numeric_limits<double>::quiet_NaN(), 0).isValid());
    }
};
ANALYSIS_TEST(TestDayIntervals)
#include "tst_dayintervals.moc"
