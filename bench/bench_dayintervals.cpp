// Times the day's sun-in-frame intervals (the sampled scan against the scan
// of every second; the frame, and a measured window with a 360-point
// skyline), a frame being dragged (intervals and in-frame stretches
// per move), and the Sun's course layers (a new year or site, a new day of the
// same year, the hour lines by clock). Prints figures only.
#include "analysis/dayintervals.h"
#include "analysis/suncourse.h"
#include "astro/julianday.h"
#include "spread.h"

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <time.h>
#include <vector>

using namespace lumora;

namespace {
using Clock = std::chrono::steady_clock;
const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
const PictureSize kPanorama;
volatile long sink;

struct Case {
    double jd0;
    SiteLocation site;
    WindowBounds frame;
};

// Days from 1900 to 2100, sites everywhere (a quarter polar, a quarter
// tropical), frames anywhere, round the Sun's place, or against an edge.
std::vector<Case> randomCases(int count)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto between = [&](double a, double b) { return a + (b - a) * unit(random); };
    std::vector<Case> cases;
    for (int n = 0; n < count; ++n) {
        Case c{*JulianDay(1, 1, 1900) + std::floor(between(0, 200 * 365.25)), {between(-60, 60), between(-180, 180)}, {}};
        if (n % 4 == 0)
            c.site.latitude = (n % 8 ? 1 : -1) * between(66.5, 89);
        if (n % 4 == 1)
            c.site.latitude = between(-23.4, 23.4);
        const PicturePoint p
            = sunPicturePoint(SolarPosition(c.jd0, between(0, 24), c.site), kPanorama);
        const double size = between(50, 1500);
        switch (n % 3) {
        case 0: {
            const float a = between(0, 10065), b = between(0, 10065), t = between(0, 4335), d = between(0, 4335);
            c.frame = {std::min(a, b), std::max(a, b), std::min(t, d), std::max(t, d)};
            break;
        }
        case 1: c.frame = {float(p.x - size / 2), float(p.x + size / 2), float(p.y - size / 4), float(p.y + size / 4)}; break;
        case 2: c.frame = {0, float(size), float(between(0, 2000)), 4335}; break;
        }
        cases.push_back(c);
    }
    return cases;
}

double seconds(const std::function<void()> &work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The same in this thread's processor time: what the work costs, without the
// time other programs on a loaded machine hold the processor.
double cpuSeconds(const std::function<void()> &work)
{
    timespec start{}, end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) * 1e-9;
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e9;
    for (int r = 0; r < runs; ++r)
        best = std::min(best, seconds(work));
    return best;
}

void line(const char *what, Spread s, const char *unit, double scale, const char *target = "")
{
    std::printf("%-50s mean %8.3f  median %8.3f  p99 %8.3f  worst %8.3f %s  %s\n", what, s.mean * scale,
                s.median * scale, s.p99 * scale, s.worst * scale, unit, target);
}
// A 360-point skyline: hills and, to the south-west, a row of buildings.
Skyline cityAndHills(std::mt19937_64 &random)
{
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<SkyPoint> points;
    for (int a = 0; a < 360; ++a) {
        double elevation = 4 + 3 * std::sin(a * 0.05) + unit(random);
        if (a >= 200 && a < 250)
            elevation = (a / 6) % 2 ? 22 + unit(random) : 12 + unit(random);
        points.push_back({double(a), elevation});
    }
    return *Skyline::fromPoints(points);
}

// A measured window facing the Sun of a random hour, give or take 60°.
MeasuredWindow windowFacing(const Case &c, std::mt19937_64 &random)
{
    std::uniform_real_distribution<double> unit(0, 1);
    MeasuredWindow w;
    w.facing = std::fmod(SolarPosition(c.jd0, 24 * unit(random), c.site).azimuth + 120 * unit(random) + 300, 360);
    w.width = 0.6 + 1.5 * unit(random);
    w.height = 0.8 + 1.2 * unit(random);
    w.depth = 0.4 * unit(random);
    w.distance = 0.5 + 3 * unit(random);
    w.offset = unit(random) - 0.5;
    return w;
}

void measuredWindowFigures(const std::vector<Case> &cases)
{
    std::mt19937_64 random(19);
    const Skyline skyline = cityAndHills(random);
    std::vector<double> fast, cpu, evaluations, brute;
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case &c = cases[i];
        const WindowView view = WindowView::measured(windowFacing(c, random), kPanorama).withSkyline(skyline);
        DayScanStats stats;
        fast.push_back(seconds([&] { sink = long(sunIntervals(c.jd0, c.site, view, &stats).size()); }));
        cpu.push_back(cpuSeconds([&] { sink = long(sunIntervals(c.jd0, c.site, view).size()); }));
        evaluations.push_back(stats.evaluations);
        if (i % 20 == 0)
            brute.push_back(seconds([&] { sink = long(sunIntervalsBruteForce(c.jd0, c.site, view).size()); }));
    }
    line("measured window + 360-point skyline, sampled scan", spread(fast), "ms", 1e3, "(target <= 1 ms)");
    line("  the same, this thread's processor time", spread(cpu), "ms", 1e3);
    line("  solar positions computed", spread(evaluations), "", 1);
    line("  every second (1 in 20 cases)", spread(brute), "ms", 1e3);
    const double jan1 = *JulianDay(1, 1, 2026);
    const WindowView south = WindowView::measured(MeasuredWindow{}, kPanorama).withSkyline(skyline);
    const double year = bestOf(5, [&] {
        long count = 0;
        for (int d = 0; d < 365; ++d)
            count += long(sunIntervals(jan1 + d, kParis, south).size());
        sink = count;
    });
    std::printf("%-50s %8.3f ms per day\n", "Paris, measured south window + skyline, 2026", year / 365 * 1e3);
}
} // namespace

int main()
{
    // One day's intervals, sampled and by every second.
    const std::vector<Case> cases = randomCases(1000);
    std::vector<double> fast, evaluations, brute;
    for (const Case &c : cases) {
        DayScanStats stats;
        long count = 0;
        fast.push_back(seconds([&] { count += sunIntervals(c.jd0, c.site, kPanorama, c.frame, &stats).size(); }));
        evaluations.push_back(stats.evaluations);
        sink = count;
    }
    for (size_t i = 0; i < cases.size(); i += 20) {
        const Case &c = cases[i];
        brute.push_back(seconds([&] { sink = sunIntervalsBruteForce(c.jd0, c.site, kPanorama, c.frame).size(); }));
    }
    std::printf("%zu random days, sites and frames\n", cases.size());
    line("intervals of a day, sampled scan", spread(fast), "ms", 1e3, "(target <= 1 ms)");
    line("  solar positions computed", spread(evaluations), "", 1);
    line("intervals of a day, every second (1 in 20 cases)", spread(brute), "ms", 1e3);
    measuredWindowFigures(cases);

    // Paris, a south window, every day of 2026.
    const double jan1 = *JulianDay(1, 1, 2026);
    const WindowBounds south{4000, 6000, 1000, 3000};
    const double year = bestOf(5, [&] {
        long count = 0;
        for (int d = 0; d < 365; ++d)
            count += sunIntervals(jan1 + d, kParis, kPanorama, south).size();
        sink = count;
    });
    std::printf("%-50s %8.3f ms per day\n", "Paris, south frame, each day of 2026", year / 365 * 1e3);

    // A frame bar dragged across the picture: per move, the intervals and the
    // in-frame stretches (the course itself is cached).
    std::vector<double> moves;
    const double june21 = *JulianDay(21, 6, 2026);
    for (int step = 0; step <= 400; ++step) {
        const WindowBounds frame{float(2000 + step * 10), 6000, 1000, 3000};
        moves.push_back(seconds([&] {
            const auto intervals = sunIntervals(june21, kParis, kPanorama, frame);
            sink = inFrameStretches(june21, kParis, kPanorama, intervals).size();
        }));
    }
    line("frame drag: intervals + in-frame stretches", spread(moves), "ms", 1e3, "(part of the 4 ms per move)");

    // The course layers.
    const SunCourseLayers first = sunCourseLayers(june21, kParis, kPanorama);
    std::printf("%-50s %8.3f ms\n", "course layers, new year or site (all layers)",
                bestOf(7, [&] { sink = sunCourseLayers(june21, kParis, kPanorama).day.polylines.size(); }) * 1e3);
    std::printf("%-50s %8.3f ms\n", "course layers, next day of the same year",
                bestOf(7, [&] { sink = sunCourseLayers(june21 + 1, kParis, kPanorama, &first).day.polylines.size(); })
                    * 1e3);
    std::printf("%-50s %8.3f ms\n", "  of which the day's path and hour marks",
                bestOf(7, [&] { sink = daySunCourse(june21, kParis, kPanorama).polylines.size(); }) * 1e3);
    const struct {
        const char *name;
        HourLineClock clock;
    } clocks[] = {{"year layers, hour lines in standard time", HourLineClock::Standard},
                  {"year layers, hour lines in civil time", HourLineClock::Civil},
                  {"year layers, hour lines in UT", HourLineClock::Universal}};
    for (const auto &c : clocks)
        std::printf("%-50s %8.3f ms\n", c.name,
                    bestOf(7, [&] { sink = yearCourses(2026, kParis, kPanorama, c.clock)->hourLines.size(); }) * 1e3);
    size_t points = first.year->juneSolstice.polylines.size();
    for (const CoursePolyline &p : first.day.polylines)
        points += p.size();
    std::printf("%-50s %8zu points, %zu hour lines\n", "the day's path (Paris, 21 June 2026)", points,
                first.year->hourLines.size());
    return 0;
}
