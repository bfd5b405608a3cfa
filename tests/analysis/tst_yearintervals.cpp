// The intervals of many UT days, the hours file made of them and the year's
// calendar. Two years at sites of every kind and frames of every kind: every
// day's lines in the file are that day's own intervals, fresh or from the
// days kept at their sample seconds, whatever the count of threads, and the
// months add up the days' seconds. The calendar's cells against the Sun
// at every second of chosen local days (summer, winter, the days the clocks
// change, polar day and night). The file's lines, and local clock times on
// the days the clocks change.
#include "analysis.h"
#include "analysis/hoursfile.h"
#include "analysis/yearcalendar.h"
#include "common/formats.h"

#include <map>

namespace {
const WindowBounds kEast{1500, 3500, 1500, 4335}, kNorth{9800, 10065, 2500, 4335};

QString clock(int second) { return QTime(0, 0).addSecs(second).toString(QStringLiteral("HH:mm:ss")); }
double jdOf(const QDate &d) { return *JulianDay(d.day(), d.month(), d.year()); }
// Seconds from 0h UT of `first` to a date-time.
long long utSecondsFrom(const QDate &first, const QDateTime &t) { return QDateTime(first, QTime(0, 0), Qt::UTC).secsTo(t); }

struct Place { const char *name; SiteLocation site; int threads; };
const Place kPlaces[] = {
    {"Paris, 3 threads: uneven runs of days", kParis, 3},
    {"78N 15E: polar day and night, more threads than days", {78, -15}, 1000},
    {"33.5S 179.99W: south, date line, a thread per core", {-33.5, 179.99}, 0},
    {"10N 75W: tropics, the calling thread alone", {10, 75}, 1},
};
const WindowBounds kFrames[] = {kSouth, {0, 700, 2000, 4335}, kWhole, {5000, 5200, 100, 600}, kNorth};

struct Cells { const char *name; QDate first, day; SiteLocation site; WindowBounds frame; };
const Cells kCells[] = {
    {"Paris 21 June 2026, south window", {2026, 6, 21}, {2026, 6, 21}, kParis, kSouth},
    {"Paris 10 September 2026: sunrise on a cell's last second", {2026, 6, 21}, {2026, 9, 10}, kParis, kSouth},
    {"Paris 5 January 2027, east window", {2026, 6, 21}, {2027, 1, 5}, kParis, kEast},
    {"Paris 28 March 2027: clocks forward", {2026, 6, 21}, {2027, 3, 28}, kParis, kEast},
    {"Paris 31 October 2027: clocks back, last day", {2026, 11, 1}, {2027, 10, 31}, kParis, kEast},
    {"78N 15E 21 June 2026: midnight Sun in the north", {2026, 6, 1}, {2026, 6, 21}, {78, -15}, kNorth},
    {"78N 15E 21 December 2026: polar night", {2026, 6, 1}, {2026, 12, 21}, {78, -15}, kWhole},
    {"33.5S 179.99W 1 January 2027, first day", {2027, 1, 1}, {2027, 1, 1}, {-33.5, 179.99}, kEast},
};

struct LocalClock { const char *name; QDate day; QTime local; QDateTime ut; };
const LocalClock kLocalClocks[] = {
    {"28 March 2027 02:30, skipped: the offset before", {2027, 3, 28}, {2, 30}, {{2027, 3, 28}, {1, 30}, Qt::UTC}},
    {"28 March 2027 12:00, summer time", {2027, 3, 28}, {12, 0}, {{2027, 3, 28}, {10, 0}, Qt::UTC}},
    {"31 October 2027 02:30, twice: the first pass", {2027, 10, 31}, {2, 30}, {{2027, 10, 31}, {0, 30}, Qt::UTC}},
    {"31 October 2027 03:00, winter time", {2027, 10, 31}, {3, 0}, {{2027, 10, 31}, {2, 0}, Qt::UTC}},
    {"1 January 2028 00:00, the day before UT", {2028, 1, 1}, {0, 0}, {{2027, 12, 31}, {23, 0}, Qt::UTC}},
};

// One day's interval (none when first < 0) as the file writes it.
struct FileLine { const char *name; const char *locale; CivilDate date; int first, last; QString line; };
const FileLine kFileLines[] = {
    {"French, summer time", "fr_FR", {2027, 6, 21}, 38225, 46946, "21/06/2027;10:37:05;13:02:26;12:37:05;15:02:26;145,4"},
    {"C locale", "C", {2027, 6, 21}, 38225, 46946, "21 Jun 2027;10:37:05;13:02:26;12:37:05;15:02:26;145.4"},
    {"winter time, one second", "fr_FR", {2027, 1, 5}, 43200, 43200, "05/01/2027;12:00:00;12:00:00;13:00:00;13:00:00;0,0"},
    {"15 s round up to 0,3 min", "fr_FR", {2027, 1, 5}, 0, 14, "05/01/2027;00:00:00;00:00:14;01:00:00;01:00:14;0,3"},
    {"the clocks go forward inside the interval", "fr_FR", {2027, 3, 28}, 0, 7199,
     "28/03/2027;00:00:00;01:59:59;01:00:00;03:59:59;120,0"},
    {"local time the next day", "fr_FR", {2027, 6, 30}, 79200, 86399,
     "30/06/2027;22:00:00;23:59:59;00:00:00;01:59:59;120,0"},
    {"a whole day", "fr_FR", {2027, 7, 1}, 0, 86399, "01/07/2027;00:00:00;23:59:59;02:00:00;01:59:59;1440,0"},
    {"year 333 in the Julian calendar", "fr_FR", {333, 6, 21}, 36000, 36059, "21/06/0333;10:00:00;10:00:59;%1;%2;1,0"},
    {"a day without Sun: the header alone", "fr_FR", {2027, 1, 1}, -1, -1, ""},
};

struct Duration { const char *name; long long seconds; const char *minutes, *hours /* in French */; };
const Duration kDurations[] = {
    {"2 s", 2, "0,0", "0,0"}, {"3 s: half a tenth of a minute, up", 3, "0,1", "0,0"},
    {"179 s: just under half a tenth of an hour", 179, "3,0", "0,0"},
    {"180 s: half a tenth of an hour, up", 180, "3,0", "0,1"}, {"8727 s", 8727, "145,5", "2,4"},
    {"a year of whole days", 366LL * 86400, "527040,0", "8784,0"},
};
} // namespace

class TestYearIntervals : public QObject {
    Q_OBJECT
private slots:

    // Two years from 21 June 2026 at each site and frame.
    void fileLinesAreEachDaysIntervals_data() { addRows(kPlaces); }
    void fileLinesAreEachDaysIntervals()
    {
        const Place &place = fetchRow(kPlaces);
        const double first = *JulianDay(21, 6, 2026);
        constexpr int kDays = 730;
        const YearSunSamples kept(first, kDays, place.site, kPanorama, place.threads);
        for (const WindowBounds &frame : kFrames) {
            const std::vector<YearDay> days = yearSunIntervals(first, kDays, place.site, kPanorama, frame, place.threads);
            const std::vector<YearDay> fromKept = kept.intervals(frame, place.threads);
            // The file's lines: each day's own intervals as date;first;last UT, in order.
            QStringList expected{QStringLiteral("date;début (TU);fin (TU)")}, file;
            std::map<std::pair<int, int>, long long> byMonth;
            for (int i = 0; i < kDays; ++i) {
                const auto intervals = sunIntervals(first + i, place.site, kPanorama, frame);
                QVERIFY(days[size_t(i)].intervals == intervals && fromKept[size_t(i)].intervals == intervals);
                const CivilDate date = *calendarDate(first + i);
                for (const SunInterval &interval : intervals)
                    expected << formatShortDate(date, QLocale::c()) + u';' + clock(interval.firstSecond) + u';'
                            + clock(interval.lastSecond);
                byMonth[{date.year, date.month}] += totalSeconds(intervals);
            }
            for (const QString &row : QString::fromUtf8(hoursFileContents(days, QLocale::c())).split(QStringLiteral("\r\n")))
                file << row.section(u';', 0, 2);
            QCOMPARE(file, expected << QString());
            const std::vector<MonthTotal> months = monthTotals(days);
            QCOMPARE(int(months.size()), 25); // June 2026 to June 2028, both partial
            QCOMPARE(months.front().dayCount, 10);
            QCOMPARE(months.back().dayCount, 19); // 1 to 19 June 2028: the 730th day, 29 February counted
            for (const MonthTotal &month : months)
                QCOMPARE(month.seconds, (byMonth[{month.year, month.month}]));
        }
    }

    // A cell holds the Sun in the frame when one of its seconds passes the
    // in-window test, daylight when one has the Sun in the whole picture; a
    // column's total counts its local day's seconds in the frame; the
    // calendar's days are the UT days from the first.
    void cellsAsEverySecondSays_data() { addRows(kCells); }
    void cellsAsEverySecondSays()
    {
        const Cells &c = fetchRow(kCells);
        const double firstJd = jdOf(c.first);
        const int columns = int(c.first.daysTo(c.day)) + 1, column = columns - 1;
        const YearCalendar calendar(std::make_shared<const YearSky>(firstJd, columns, c.site, kPanorama), c.frame);
        QCOMPARE(calendar.sky().columnDate(column), (CivilDate{c.day.year(), c.day.month(), c.day.day()}));
        const auto days = yearSunIntervals(firstJd, columns, c.site, kPanorama, c.frame);
        QCOMPARE(calendar.totalSeconds(), totalSeconds(days));
        QCOMPARE(calendar.days().front().date, days.front().date);
        QCOMPARE(calendar.days().back().intervals, days.back().intervals);

        const auto sunAt = [&](long long t, const WindowBounds &frame) { return inFrameAt(firstJd, t, c.site, frame); };
        long long inFrameSeconds = 0;
        const long long dayStart = utSecondsFrom(c.first, QDateTime(c.day, QTime(0, 0)));
        for (long long t = dayStart; t < utSecondsFrom(c.first, QDateTime(c.day.addDays(1), QTime(0, 0))); ++t)
            inFrameSeconds += sunAt(t, c.frame);
        QCOMPARE(calendar.columnSeconds(column), inFrameSeconds);

        for (int row = 0; row < kCalendarRows; ++row) {
            const QTime time = QTime(0, 0).addSecs(row * kCalendarRowSeconds);
            // Qt leaves open which pass of a repeated hour it takes: localClockTimes checks that hour.
            if ((c.day == QDate(2027, 3, 28) || c.day == QDate(2027, 10, 31)) && time.hour() == 2)
                continue;
            const long long start = utSecondsFrom(c.first, QDateTime(c.day, time));
            QCOMPARE(calendar.sky().rowStart(column, row), start);
            bool anyIn = false, anyUp = false;
            for (long long t = start; t < start + kCalendarRowSeconds; ++t) {
                anyIn = anyIn || sunAt(t, c.frame);
                anyUp = anyUp || sunAt(t, kWhole);
            }
            const CalendarCell expected = anyIn ? CalendarCell::InFrame : anyUp ? CalendarCell::Daylight : CalendarCell::Night;
            QVERIFY2(calendar.cell(column, row) == expected,
                     qPrintable(QStringLiteral("%1 local: cell %2, every second says %3")
                                    .arg(time.toString(u"HH:mm")).arg(int(calendar.cell(column, row))).arg(int(expected))));
        }
    }

    // Local clock times of a column as UT, on the days the clocks change.
    void localClockTimes_data() { addRows(kLocalClocks); }
    void localClockTimes()
    {
        const LocalClock &c = fetchRow(kLocalClocks);
        const QDate first(2027, 1, 1);
        const YearSky sky(jdOf(first), 366, kParis, kPanorama);
        QCOMPARE(sky.utSecondsAt(int(first.daysTo(c.day)), c.local.msecsSinceStartOfDay() / 1000),
                 utSecondsFrom(first, c.ut));
    }

    void fileLines_data() { addRows(kFileLines); }
    void fileLines()
    {
        const FileLine &c = fetchRow(kFileLines);
        const double jd = *JulianDay(c.date.day, c.date.month, c.date.year);
        QString line = c.line;
        if (line.contains(u"%1")) // far from the zone's rules, local time is the offset the system gives then
            line = line.arg(utcInstant(jd, c.first).toLocalTime().toString(u"HH:mm:ss"),
                            utcInstant(jd, c.last).toLocalTime().toString(u"HH:mm:ss"));
        std::vector<YearDay> days{{jd, c.date, {}}};
        if (c.first >= 0)
            days[0].intervals.push_back({c.first, c.last});
        const QString expected = QStringLiteral("date;début (TU);fin (TU);début (local);fin (local);durée (min)\r\n")
            + (line.isEmpty() ? QString() : line + QStringLiteral("\r\n"));
        QCOMPARE(hoursFileContents(days, QLocale(c.locale)), expected.toUtf8());
    }

    void minutesAndHours_data() { addRows(kDurations); }
    void minutesAndHours()
    {
        const Duration &c = fetchRow(kDurations);
        const QLocale french(QStringLiteral("fr_FR"));
        QCOMPARE(minutesText(c.seconds, french), QString(c.minutes));
        QCOMPARE(minutesText(c.seconds, QLocale::c()), QString(c.minutes).replace(u',', u'.'));
        QCOMPARE(hoursText(c.seconds, french), QString(c.hours));
    }
};

ANALYSIS_TEST(TestYearIntervals)
#include "tst_yearintervals.moc"
