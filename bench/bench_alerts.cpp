// Times the alerts' work: the schedule of three UT days (three day scans), a
// check of what is due, the next-event line, and the watch following a frame
// being dragged with the alerts on, then the tick after it. Prints figures only.
#include "alerts/sunalerts.h"
#include "analysis/alertschedule.h"
#include "analysis/alerttexts.h"
#include "astro/clock.h"
#include "astro/julianday.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

using namespace lumora;

namespace {
using Clock = std::chrono::steady_clock;
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // longitude positive west
const PictureSize kPanorama;
volatile long sink;

double seconds(const std::function<void()> &work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void line(const char *what, std::vector<double> v, const char *unit, double scale)
{
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v)
        sum += x;
    std::printf("%-52s mean %8.3f  median %8.3f  worst %8.3f %s\n", what, sum / v.size() * scale,
                v[v.size() / 2] * scale, v.back() * scale, unit);
}

struct Silent : Notifier {
    void notify(const AlertMessage &) override {}
};
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> unit(0, 1);
    const double june20 = *JulianDay(20, 6, 2026);

    // The schedule of three days for random frames round the Sun's daily path.
    std::vector<double> builds, checks, texts;
    for (int n = 0; n < 300; ++n) {
        const float left = float(unit(random) * 9000), top = float(unit(random) * 3500);
        const WindowBounds frame{left, left + float(200 + unit(random) * 3000), top, top + float(100 + unit(random) * 1500)};
        AlertSchedule schedule;
        builds.push_back(seconds([&] {
            std::vector<std::vector<SunInterval>> days;
            for (int d = 0; d < 3; ++d)
                days.push_back(sunIntervals(june20 + d, kParis, kPanorama, frame));
            schedule = AlertSchedule(june20, days);
        }));
        const qint64 now = schedule.spanStart() + 86400 + qint64(unit(random) * 86400);
        checks.push_back(seconds([&] { sink = schedule.due(15, now - 1, now).size(); }));
        texts.push_back(seconds([&] { sink = nextEventText(schedule, now).size(); }));
    }
    line("schedule of three days (three day scans)", builds, "ms", 1e3);
    line("a check: the alerts due in one second", checks, "us", 1e6);
    line("the next-event line", texts, "us", 1e6);

    // The watch with the alerts on, following a frame bar dragged over 400
    // steps within one second of the clock, then the next tick.
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat);
    SunAlerts alerts(&store, std::make_unique<Silent>());
    alerts.setEnabled(true);
    const qint64 noon = QDateTime(QDate(2026, 6, 21), QTime(10, 0), Qt::UTC).toSecsSinceEpoch();
    setClockSource([&] { return QDateTime::fromSecsSinceEpoch(noon, Qt::UTC); });
    Observation seen{kParis, {2000, 6000, 1000, 3000}, kPanorama, june20 + 1, 10, true, {}, false, {}, {}};
    alerts.observe(seen, false);
    std::vector<double> moves;
    for (int step = 0; step <= 400; ++step) {
        seen.frame.left = float(2000 + step * 10);
        moves.push_back(seconds([&] { alerts.observe(seen, false); }));
    }
    line("frame drag with the alerts on, per move", moves, "ms", 1e3);
    std::vector<double> ticks;
    for (int t = 1; t <= 5; ++t) {
        setClockSource([&, t] { return QDateTime::fromSecsSinceEpoch(noon + t, Qt::UTC); });
        ticks.push_back(seconds([&] { alerts.observe(seen, false); }));
    }
    std::printf("%-52s first %8.3f ms, then %8.3f ms\n", "ticks after the drag (the first makes the schedule)",
                ticks[0] * 1e3, ticks[4] * 1e3);
    return 0;
}
