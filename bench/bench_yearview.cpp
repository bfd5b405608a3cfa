// Times the year through the window: lumora-cli hours for a year against
// lumora-cli survey --step 1 for a year (the same run, the same machine),
// the year's intervals alone on one thread and on all cores, and the year
// window offscreen: from its creation to the first calendar painted, and a
// frame bar's move until the new calendar is painted. Prints figures only.
#include "analysis/yearcalendar.h"
#include "astro/julianday.h"
#include "spread.h"
#include "yearview/yearchart.h"
#include "yearview/yearview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <thread>
#include <vector>

using namespace lumora;

namespace {
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const WindowBounds kSouthEast{2500, 5500, 1700, 3850};
const double kFirst = *JulianDay(21, 6, 2026);

std::vector<double> timeRuns(const std::function<void()> &run, int runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return ms;
}

void report(const char *what, const std::vector<double> &ms, const char *note = "")
{
    const Spread f = spread(ms);
    std::printf("%-52s mean %8.2f  median %8.2f  p99 %8.2f  worst %8.2f ms  %s\n", what, f.mean, f.median, f.p99,
                f.worst, note);
}

// The machine's load: other work on the cores inflates every figure.
QByteArray loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("unknown");
}

// Processor time of this thread alone, ms: what the work costs, whatever
// else the cores are doing.
double threadMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

std::vector<double> cpuRuns(const std::function<void()> &run, int runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const double start = threadMilliseconds();
        run();
        ms.push_back(threadMilliseconds() - start);
    }
    return ms;
}

bool runCli(const QStringList &args)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(QStringLiteral(LUMORA_CLI_PATH), args);
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Counts the calendars a window has shown.
struct ShownCount {
    explicit ShownCount(YearView &view) { QObject::connect(&view, &YearView::calendarShown, [this] { ++count; }); }
    int count = 0;
};

// Waits for a calendar after the `before`th, and paints it at once.
bool waitAndPaint(YearView &view, const ShownCount &shown, int before)
{
    QElapsedTimer limit;
    limit.start();
    while (shown.count <= before) {
        if (limit.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    view.chart()->repaint();
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.csv"));
    constexpr int kCliRuns = 7;
    std::printf("%u cores, load average %s\n\n", std::thread::hardware_concurrency(), loadAverage().constData());

    std::printf("A year of lumora-cli (21/06/2026, 49N 2°20'E, --out FILE), %d runs each, interleaved\n", kCliRuns);
    std::vector<double> hours, survey;
    for (int i = 0; i < kCliRuns; ++i) {
        hours.push_back(timeRuns([&] {
            if (!runCli({"hours", "--date", "21/6/2026", "--frame", "2500,5500,1700,3850", "--out", file}))
                std::printf("lumora-cli hours failed\n");
        }, 1)[0]);
        survey.push_back(timeRuns([&] {
            if (!runCli({"survey", "--date", "21/6/2026", "--step", "1", "--out", file}))
                std::printf("lumora-cli survey failed\n");
        }, 1)[0]);
    }
    report("  lumora-cli hours (366 days)", hours);
    report("  lumora-cli survey --step 1 (367 days)", survey);
    std::printf("  hours / survey, medians: %.2f (target <= 1.5)\n\n",
                spread(hours).median / spread(survey).median);

    std::printf("The year's intervals in the process (366 days, south-east window)\n");
    report("  yearSunIntervals, 1 thread",
           timeRuns([] { yearSunIntervals(kFirst, 366, kParis, PictureSize{}, kSouthEast, 1); }, 15));
    report("  yearSunIntervals, all cores",
           timeRuns([] { yearSunIntervals(kFirst, 366, kParis, PictureSize{}, kSouthEast, 0); }, 15));
    report("  the year's Sun kept (YearSky), all cores",
           timeRuns([] { YearSky(kFirst, 366, kParis, PictureSize{}, 0); }, 15));
    const auto sky = std::make_shared<const YearSky>(kFirst, 366, kParis, PictureSize{}, 0);
    int shift = 0;
    report("  a new frame on the kept year, 1 thread", timeRuns([&] {
        YearCalendar(sky, WindowBounds{kSouthEast.left + float(14 * (++shift % 40)), 5500, 1700, 3850}, 1);
    }, 40));
    report("  a new frame on the kept year, all cores", timeRuns([&] {
        YearCalendar(sky, WindowBounds{kSouthEast.left + float(14 * (++shift % 40)), 5500, 1700, 3850}, 0);
    }, 40));
    report("  the same, 1 thread, processor time alone", cpuRuns([&] {
        YearCalendar(sky, WindowBounds{kSouthEast.left + float(14 * (++shift % 40)), 5500, 1700, 3850}, 1);
    }, 40));

    std::printf("\nThe year window, offscreen (from creation or a frame bar's move to the calendar painted)\n");
    std::vector<double> opens, moves;
    for (int run = 0; run < 9; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto view = std::make_unique<YearView>();
        view->resize(860, 640);
        view->show();
        const ShownCount shown(*view);
        Observation seen;
        seen.site = kParis;
        seen.frame = kSouthEast;
        seen.julianDay0h = kFirst + run; // a new year each time: nothing kept
        seen.hourUT = 10;
        view->setObservation(seen);
        if (!waitAndPaint(*view, shown, 0)) {
            std::printf("no calendar\n");
            return 1;
        }
        opens.push_back(double(timer.nsecsElapsed()) / 1e6);
        // A frame bar moved one step (half a degree) at a time.
        for (int step = 1; step <= 20; ++step) {
            seen.frame.left = kSouthEast.left + float(14 * step);
            const int before = shown.count;
            timer.restart();
            view->setObservation(seen);
            if (!waitAndPaint(*view, shown, before)) {
                std::printf("no recoloured calendar\n");
                return 1;
            }
            moves.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    report("  open: creation to the first calendar painted", opens, "(target <= 300 ms)");
    report("  recolour: a frame bar's move to the calendar painted", moves, "(target <= 16 ms)");
    std::printf("load average at the end %s\n", loadAverage().constData());
    return 0;
}
