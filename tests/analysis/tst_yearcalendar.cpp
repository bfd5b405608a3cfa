// The year's calendar cells against the Sun computed at every second of
// chosen local days (summer, winter, the days the clocks change, a polar day
// and night): a cell holds the Sun in the frame exactly when one of its
// seconds passes the in-window test, daylight when one has the Sun at or above
// the horizon; a local day's total counts its seconds in the frame; local
// clock times on the days the clocks change; any count of threads gives the
// same cells.
#include "analysis/yearcalendar.h"
#include "astro/julianday.h"

#include <QDateTime>
#include <QTest>
#include <ctime>

using namespace lumora;

namespace {
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const PictureSize kPanorama;

void setZone(const char *zone)
{
    qputenv("TZ", zone);
    tzset();
}

// Seconds from 0h UT of `first` to a UTC date-time.
long long utSecondsFrom(const QDate &first, const QDateTime &utc)
{
    return QDateTime(first, QTime(0, 0), Qt::UTC).secsTo(utc);
}

QString cellName(CalendarCell cell)
{
    switch (cell) {
    case CalendarCell::Night: return QStringLiteral("night");
    case CalendarCell::Daylight: return QStringLiteral("daylight");
    case CalendarCell::InFrame: return QStringLiteral("in the frame");
    }
    return {};
}
} // namespace

class TestYearCalendar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setZone("Europe/Paris"); }

    void cellsAsEverySecondSays_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QList<float>>("frame");
        const QList<float> south{4000, 6000, 1000, 3000}, east{1500, 3500, 1500, 4335}, north{9800, 10065, 2500, 4335};
        QTest::newRow("Paris 21 June 2026, south window") << QDate(2026, 6, 21) << QDate(2026, 6, 21) << 49.0
                                                           << kParis.longitude << south;
        QTest::newRow("Paris 5 January 2027, east window") << QDate(2026, 6, 21) << QDate(2027, 1, 5) << 49.0
                                                            << kParis.longitude << east;
        QTest::newRow("Paris 28 March 2027: clocks forward") << QDate(2026, 6, 21) << QDate(2027, 3, 28) << 49.0
                                                              << kParis.longitude << east;
        QTest::newRow("Paris 31 October 2027: clocks back, last day") << QDate(2026, 11, 1) << QDate(2027, 10, 31)
                                                                       << 49.0 << kParis.longitude << east;
        QTest::newRow("78N 15E 21 June 2026: midnight Sun in the north") << QDate(2026, 6, 1) << QDate(2026, 6, 21)
                                                                          << 78.0 << -15.0 << north;
        QTest::newRow("78N 15E 21 December 2026: polar night") << QDate(2026, 6, 1) << QDate(2026, 12, 21) << 78.0
                                                                << -15.0 << QList<float>{0, 10065, 0, 4335};
        QTest::newRow("33.5S 179.99W 1 January 2027, first day") << QDate(2027, 1, 1) << QDate(2027, 1, 1) << -33.5
                                                                  << 179.99 << east;
    }
    void cellsAsEverySecondSays()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, day);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QList<float>, frame);
        const SiteLocation site{latitude, longitude};
        const WindowBounds bounds{frame[0], frame[1], frame[2], frame[3]};
        const double firstJd = *JulianDay(first.day(), first.month(), first.year());
        const int columns = int(first.daysTo(day)) + 1;
        const auto sky = std::make_shared<const YearSky>(firstJd, columns, site, kPanorama);
        const YearCalendar calendar(sky, bounds);
        const int column = columns - 1;
        QCOMPARE(sky->columnDate(column), (CivilDate{day.year(), day.month(), day.day()}));

        // Every second of the local day, with the UT instant Qt gives it.
        const QDateTime dayStart = QDateTime(day, QTime(0, 0), Qt::LocalTime).toUTC();
        const QDateTime dayEnd = QDateTime(day.addDays(1), QTime(0, 0), Qt::LocalTime).toUTC();
        const auto sunAt = [&](long long t, bool *up) {
            const double jd = firstJd + double(t / kSecondsPerDay);
            const SunPosition sun = SolarPosition(jd, double(t % kSecondsPerDay) / 3600.0, site);
            *up = sunInWindow(sunPicturePoint(sun, kPanorama), WindowBounds{0, 10065, 0, 4335});
            return sunInWindow(sunPicturePoint(sun, kPanorama), bounds);
        };
        long long inFrameSeconds = 0;
        for (long long t = utSecondsFrom(first, dayStart); t < utSecondsFrom(first, dayEnd); ++t) {
            bool up = false;
            inFrameSeconds += sunAt(t, &up);
        }
        QCOMPARE(calendar.columnSeconds(column), inFrameSeconds);

        int checked = 0;
        for (int row = 0; row < kCalendarRows; ++row) {
            const QTime clock = QTime(0, 0).addSecs(row * kCalendarRowSeconds);
            // Qt leaves open which pass of a repeated hour it takes: skip that hour.
            if ((day == QDate(2027, 3, 28) || day == QDate(2027, 10, 31)) && clock.hour() == 2)
                continue;
            const long long start = utSecondsFrom(first, QDateTime(day, clock, Qt::LocalTime).toUTC());
            QCOMPARE(sky->rowStart(column, row), start);
            bool anyIn = false, anyUp = false;
            for (long long t = start; t < start + kCalendarRowSeconds; ++t) {
                bool up = false;
                anyIn |= sunAt(t, &up);
                anyUp |= up;
            }
            const CalendarCell expected = anyIn ? CalendarCell::InFrame
                                                : anyUp ? CalendarCell::Daylight : CalendarCell::Night;
            QVERIFY2(calendar.cell(column, row) == expected,
                     qPrintable(QStringLiteral("%1 local: %2, every second says %3")
                                    .arg(clock.toString(u"HH:mm"), cellName(calendar.cell(column, row)),
                                         cellName(expected))));
            ++checked;
        }
        QVERIFY(checked >= kCalendarRows - 12);
    }

    // Local clock times of a column as UT, on the days the clocks change.
    void localClockTimes_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QTime>("local");
        QTest::addColumn<QDateTime>("ut");
        QTest::newRow("28 March 2027 01:30, winter time") << QDate(2027, 3, 28) << QTime(1, 30)
                                                          << QDateTime(QDate(2027, 3, 28), QTime(0, 30), Qt::UTC);
        QTest::newRow("28 March 2027 02:30, skipped: the offset before")
            << QDate(2027, 3, 28) << QTime(2, 30) << QDateTime(QDate(2027, 3, 28), QTime(1, 30), Qt::UTC);
        QTest::newRow("28 March 2027 12:00, summer time") << QDate(2027, 3, 28) << QTime(12, 0)
                                                          << QDateTime(QDate(2027, 3, 28), QTime(10, 0), Qt::UTC);
        QTest::newRow("31 October 2027 02:30, twice: the first pass")
            << QDate(2027, 10, 31) << QTime(2, 30) << QDateTime(QDate(2027, 10, 31), QTime(0, 30), Qt::UTC);
        QTest::newRow("31 October 2027 03:00, winter time") << QDate(2027, 10, 31) << QTime(3, 0)
                                                            << QDateTime(QDate(2027, 10, 31), QTime(2, 0), Qt::UTC);
        QTest::newRow("1 January 2028 00:00, the day before UT") << QDate(2028, 1, 1) << QTime(0, 0)
                                                                 << QDateTime(QDate(2027, 12, 31), QTime(23, 0), Qt::UTC);
    }
    void localClockTimes()
    {
        QFETCH(QDate, day);
        QFETCH(QTime, local);
        QFETCH(QDateTime, ut);
        const QDate first(2027, 1, 1);
        const YearSky sky(*JulianDay(1, 1, 2027), 366, kParis, kPanorama);
        QCOMPARE(sky.utSecondsAt(int(first.daysTo(day)), local.msecsSinceStartOfDay() / 1000),
                 utSecondsFrom(first, ut));
    }

    void threadsChangeNothing()
    {
        const double first = *JulianDay(1, 3, 2027);
        const WindowBounds frame{1500, 3500, 1500, 4335};
        const auto alone = std::make_shared<const YearSky>(first, 366, kParis, kPanorama, 1);
        const auto shared = std::make_shared<const YearSky>(first, 366, kParis, kPanorama, 2);
        const YearCalendar a(alone, frame, 1), b(shared, frame, 2);
        QCOMPARE(a.totalSeconds(), b.totalSeconds());
        QCOMPARE(int(a.days().size()), 366);
        QCOMPARE(a.days().front().date, (CivilDate{2027, 3, 1}));
        for (int c = 0; c < 366; ++c) {
            QCOMPARE(a.columnSeconds(c), b.columnSeconds(c));
            for (int r = 0; r < kCalendarRows; ++r)
                QVERIFY(a.cell(c, r) == b.cell(c, r));
        }
    }
};

QTEST_GUILESS_MAIN(TestYearCalendar)
#include "tst_yearcalendar.moc"
