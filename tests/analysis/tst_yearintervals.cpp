// The intervals of many UT days and the hours file made of them: every day's
// lines are that day's own intervals (two years, sites of every kind, one
// polar, and frames of every kind), the days kept at their sample seconds give
// the same intervals as a fresh scan for any frame, any count of threads gives
// the same days, the months' totals are the sums of the file's durations and
// a day's total is the count of its seconds in the frame, and the file's
// lines in French and in the C locale.
#include "analysis/hoursfile.h"
#include "analysis/yearintervals.h"
#include "astro/julianday.h"
#include "common/formats.h"

#include <QTest>
#include <ctime>
#include <map>

using namespace lumora;

namespace {
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const PictureSize kPanorama;

struct FileLine {
    QString date, firstUT, lastUT, firstLocal, lastLocal, minutes;
};

// The file's lines after the header, split into their fields.
std::vector<FileLine> parseFile(const QByteArray &bytes, QString *header = nullptr)
{
    std::vector<FileLine> lines;
    const QStringList rows = QString::fromLocal8Bit(bytes).split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i == 0) {
            if (header)
                *header = rows[i];
            continue;
        }
        if (rows[i].isEmpty())
            continue;
        const QStringList f = rows[i].split(u';');
        if (f.size() != 6)
            qFatal("a line without six fields: %s", qPrintable(rows[i]));
        lines.push_back({f[0], f[1], f[2], f[3], f[4], f[5]});
    }
    return lines;
}

QString clock(int second) { return QTime(0, 0).addSecs(second).toString(QStringLiteral("HH:mm:ss")); }
int secondOf(const QString &hms) { return QTime::fromString(hms, u"HH:mm:ss").msecsSinceStartOfDay() / 1000; }

void setZone(const char *zone)
{
    qputenv("TZ", zone);
    tzset();
}

struct Place {
    const char *name;
    SiteLocation site;
};
const Place kPlaces[] = {
    {"Paris", kParis},
    {"78N 15E (polar day and night)", {78, -15}},
    {"33.5S 179.99W (south, date line)", {-33.5, 179.99}},
    {"10N 75W (tropics, Sun on both sides of the zenith)", {10, 75}},
};
struct Aperture {
    const char *name;
    WindowBounds frame;
};
const Aperture kFrames[] = {
    {"south window", {4000, 6000, 1000, 3000}},
    {"against the left edge", {0, 700, 2000, 4335}},
    {"whole picture", {0, 10065, 0, 4335}},
    {"small and high", {5000, 5200, 100, 600}},
    {"across 0/360 on the right", {9800, 10065, 2500, 4335}},
};
} // namespace

class TestYearIntervals : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setZone("Europe/Paris"); }

    // Two years from 21 June 2026 at each site and frame: the file's lines of
    // each date are that UT day's intervals; the days kept at their sample
    // seconds give those intervals too; the months add up.
    void fileLinesAreEachDaysIntervals_data()
    {
        QTest::addColumn<int>("place");
        for (int p = 0; p < int(std::size(kPlaces)); ++p)
            QTest::newRow(kPlaces[p].name) << p;
    }
    void fileLinesAreEachDaysIntervals()
    {
        QFETCH(int, place);
        const SiteLocation site = kPlaces[place].site;
        const double first = *JulianDay(21, 6, 2026);
        constexpr int kDays = 730;
        const YearSunSamples kept(first, kDays, site, kPanorama);
        for (const Aperture &aperture : kFrames) {
            const std::vector<YearDay> days = yearSunIntervals(first, kDays, site, kPanorama, aperture.frame);
            QCOMPARE(int(days.size()), kDays);
            const std::vector<FileLine> lines = parseFile(hoursFileContents(days, QLocale::c()));
            std::map<QString, QStringList> byDate;
            for (const FileLine &line : lines)
                byDate[line.date] << line.firstUT + u' ' + line.lastUT;
            QCOMPARE(int(byDate.size()), int(std::count_if(days.begin(), days.end(),
                                                           [](const YearDay &d) { return !d.intervals.empty(); })));
            const std::vector<YearDay> fromKept = kept.intervals(aperture.frame);
            for (int i = 0; i < kDays; ++i) {
                const double jd = first + i;
                QStringList expected;
                for (const SunInterval &interval : sunIntervals(jd, site, kPanorama, aperture.frame))
                    expected << clock(interval.firstSecond) + u' ' + clock(interval.lastSecond);
                const QString date = formatShortDate(*calendarDate(jd), QLocale::c());
                const QStringList written = byDate.count(date) ? byDate[date] : QStringList();
                QVERIFY2(written == expected, qPrintable(QStringLiteral("%1, %2, %3: file %4, day %5")
                                                             .arg(kPlaces[place].name, aperture.name, date,
                                                                  written.join(u", "), expected.join(u", "))));
                QVERIFY2(fromKept[size_t(i)].intervals == days[size_t(i)].intervals,
                         qPrintable(QStringLiteral("%1, %2, %3: kept samples differ")
                                        .arg(kPlaces[place].name, aperture.name, date)));
            }
            // The months: the file's durations summed by the month of their date.
            std::map<std::pair<int, int>, long long> fromFile;
            long long fileTotal = 0;
            for (const FileLine &line : lines) {
                const QDate date = QLocale::c().toDate(line.date, QLocale::c().dateFormat(QLocale::ShortFormat));
                const long long seconds = secondOf(line.lastUT) - secondOf(line.firstUT) + 1;
                fromFile[{date.year(), date.month()}] += seconds;
                fileTotal += seconds;
            }
            const std::vector<MonthTotal> months = monthTotals(days);
            QCOMPARE(int(months.size()), 25); // June 2026 to June 2028, both partial
            QCOMPARE(months.front().dayCount, 10);
            QCOMPARE(months.back().dayCount, 19); // 1 to 19 June 2028: the 730th day, 29 February counted
            for (const MonthTotal &month : months) {
                const auto it = fromFile.find({month.year, month.month});
                QCOMPARE(month.seconds, it == fromFile.end() ? 0LL : it->second);
            }
            QCOMPARE(totalSeconds(days), fileTotal);
        }
    }

    // Any count of threads gives the same days, whether fresh or from the kept samples.
    void threadsChangeNothing_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("2 threads") << 2;
        QTest::newRow("3 threads: uneven runs of days") << 3;
        QTest::newRow("as many as the cores") << 0;
        QTest::newRow("more threads than days") << 500;
    }
    void threadsChangeNothing()
    {
        QFETCH(int, threads);
        const double first = *JulianDay(1, 3, 2027);
        const SiteLocation site{78, -15};
        const WindowBounds frame{0, 10065, 2500, 4335};
        const auto alone = yearSunIntervals(first, 366, site, kPanorama, frame, 1);
        const auto shared = yearSunIntervals(first, 366, site, kPanorama, frame, threads);
        const auto kept = YearSunSamples(first, 366, site, kPanorama, threads).intervals(frame, threads);
        QCOMPARE(shared.size(), alone.size());
        for (size_t i = 0; i < alone.size(); ++i) {
            QCOMPARE(shared[i].date, alone[i].date);
            QCOMPARE(shared[i].intervals, alone[i].intervals);
            QCOMPARE(kept[i].intervals, alone[i].intervals);
        }
    }

    // A day's total is the number of its seconds the in-window test passes,
    // each second tested on its own.
    void dayTotalCountsTheSecondsInTheFrame_data()
    {
        QTest::addColumn<double>("jd0");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QList<float>>("frame");
        QTest::newRow("Paris 21 June 2026, south window") << *JulianDay(21, 6, 2026) << 49.0 << kParis.longitude
                                                           << QList<float>{4000, 6000, 1000, 3000};
        QTest::newRow("78N 21 June 2026, whole picture: 24 h") << *JulianDay(21, 6, 2026) << 78.0 << -15.0
                                                                << QList<float>{0, 10065, 0, 4335};
        QTest::newRow("33.5S 1 Jan 2027, east window") << *JulianDay(1, 1, 2027) << -33.5 << 179.99
                                                        << QList<float>{1500, 3500, 1500, 4335};
    }
    void dayTotalCountsTheSecondsInTheFrame()
    {
        QFETCH(double, jd0);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QList<float>, frame);
        const SiteLocation site{latitude, longitude};
        const WindowBounds bounds{frame[0], frame[1], frame[2], frame[3]};
        long long counted = 0;
        for (int s = 0; s < kSecondsPerDay; ++s)
            counted += sunInWindow(sunPicturePoint(SolarPosition(jd0, s / 3600.0, site), kPanorama), bounds);
        const auto days = yearSunIntervals(jd0, 1, site, kPanorama, bounds);
        QCOMPARE(totalSeconds(days), counted);
        QCOMPARE(monthTotals(days).at(0).seconds, counted);
    }

    // The file's lines, in French and in the C locale, from given intervals:
    // the local columns follow the zone's offset at each instant.
    void fileLines_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("line");
        QTest::newRow("French, summer time")
            << "fr_FR" << 21 << 6 << 2027 << 38225 << 46946 << "21/06/2027;10:37:05;13:02:26;12:37:05;15:02:26;145,4";
        QTest::newRow("C locale, summer time")
            << "C" << 21 << 6 << 2027 << 38225 << 46946 << "21 Jun 2027;10:37:05;13:02:26;12:37:05;15:02:26;145.4";
        QTest::newRow("French, winter time, one second")
            << "fr_FR" << 5 << 1 << 2027 << 43200 << 43200 << "05/01/2027;12:00:00;12:00:00;13:00:00;13:00:00;0,0";
        QTest::newRow("French, 15 s round up to 0,3 min")
            << "fr_FR" << 5 << 1 << 2027 << 0 << 14 << "05/01/2027;00:00:00;00:00:14;01:00:00;01:00:14;0,3";
        QTest::newRow("French, the clocks go forward inside the interval")
            << "fr_FR" << 28 << 3 << 2027 << 0 << 7199 << "28/03/2027;00:00:00;01:59:59;01:00:00;03:59:59;120,0";
        QTest::newRow("French, local time the next day")
            << "fr_FR" << 30 << 6 << 2027 << 79200 << 86399 << "30/06/2027;22:00:00;23:59:59;00:00:00;01:59:59;120,0";
        QTest::newRow("French, a whole day") << "fr_FR" << 1 << 7 << 2027 << 0 << 86399
                                             << "01/07/2027;00:00:00;23:59:59;02:00:00;01:59:59;1440,0";
        QTest::newRow("French, year 333 in the Julian calendar")
            << "fr_FR" << 21 << 6 << 333 << 36000 << 36059 << "21/06/0333;10:00:00;10:00:59;%1;%2;1,0";
    }
    void fileLines()
    {
        QFETCH(QString, locale);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, line);
        const double jd = *JulianDay(day, month, year);
        if (line.contains(u"%1")) {
            // Far from the zone's rules, local time is the offset the system gives then.
            const QDateTime a = utcInstant(jd, first).toLocalTime(), b = utcInstant(jd, last).toLocalTime();
            line = line.arg(a.toString(u"HH:mm:ss"), b.toString(u"HH:mm:ss"));
        }
        const std::vector<YearDay> days{{jd, {year, month, day}, {{first, last}}}};
        const QByteArray expected = (hoursFileHeader() + QStringLiteral("\r\n") + line + QStringLiteral("\r\n")).toUtf8();
        QCOMPARE(hoursFileContents(days, QLocale(locale)), expected);
    }

    void headerAndNoLineForADayWithoutSun()
    {
        const std::vector<YearDay> days{{*JulianDay(1, 1, 2027), {2027, 1, 1}, {}}};
        QCOMPARE(hoursFileContents(days, QLocale(QStringLiteral("fr_FR"))),
                 QByteArray("date;d\xc3\xa9" "but (TU);fin (TU);d\xc3\xa9" "but (local);fin (local);dur\xc3\xa9" "e (min)\r\n"));
    }

    void minutesAndHours_data()
    {
        QTest::addColumn<qlonglong>("seconds");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("hours");
        QTest::newRow("1 s") << 1LL << "0,0" << "0,0";
        QTest::newRow("2 s") << 2LL << "0,0" << "0,0";
        QTest::newRow("3 s: half a tenth of a minute, up") << 3LL << "0,1" << "0,0";
        QTest::newRow("9 s: 0.15 min, up") << 9LL << "0,2" << "0,0";
        QTest::newRow("59 s") << 59LL << "1,0" << "0,0";
        QTest::newRow("179 s: just under half a tenth of an hour") << 179LL << "3,0" << "0,0";
        QTest::newRow("180 s: half a tenth of an hour, up") << 180LL << "3,0" << "0,1";
        QTest::newRow("8727 s") << 8727LL << "145,5" << "2,4";
        QTest::newRow("a whole day") << 86400LL << "1440,0" << "24,0";
        QTest::newRow("a year of whole days") << 366LL * 86400 << "527040,0" << "8784,0";
    }
    void minutesAndHours()
    {
        QFETCH(qlonglong, seconds);
        QFETCH(QString, minutes);
        QFETCH(QString, hours);
        const QLocale french(QStringLiteral("fr_FR"));
        QCOMPARE(lumora::minutesText(seconds, french), minutes);
        QCOMPARE(lumora::minutesText(seconds, QLocale::c()), QString(minutes).replace(u',', u'.'));
        QCOMPARE(lumora::hoursText(seconds, french), hours);
    }
};

QTEST_GUILESS_MAIN(TestYearIntervals)
#include "tst_yearintervals.moc"
