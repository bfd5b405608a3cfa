// Shared by the analysis tests: the site, panorama and frames most of them
// use, the Sun in the frame at one second (the definition the fast code is
// held to), and the list of test classes the one binary runs.
#pragma once

#include "analysis/dayintervals.h"
#include "astro/julianday.h"
#include "support/rows.h"

#include <QTest>
#include <ctime>
#include <functional>
#include <map>
#include <random>

using namespace lumora;

inline const SiteLocation kParis{49.0, -(2 + 20 / 60.0)}; // 49°00' N 2°20' E, longitude positive west
inline const PictureSize kPanorama;                      // 10065 x 4335
inline const WindowBounds kWhole{0, 10065, 0, 4335}, kSouth{4000, 6000, 1000, 3000}; // south: azimuth 143°–215°
inline constexpr double kJune21 = 2461212.5;             // 0h UT of 21 June 2026

inline void setZone(const char *zone) { qputenv("TZ", zone), tzset(); }

// The Sun's place `second` seconds after 0h UT of the day jd0 (later days carried).
inline PicturePoint sunPoint(double jd0, long long second, const SiteLocation &site = kParis)
{
    const double day = double(second / kSecondsPerDay), hour = double(second % kSecondsPerDay) / 3600.0;
    return sunPicturePoint(SolarPosition(jd0 + day, hour, site), kPanorama);
}
inline bool inFrameAt(double jd0, long long second, const SiteLocation &site, const WindowBounds &frame)
{
    return sunInWindow(sunPoint(jd0, second, site), frame);
}

// The maximal runs of true among in[from] to in[to - 1], as seconds from `from`.
inline std::vector<SunInterval> runsOf(const std::vector<bool> &in, size_t from = 0, size_t to = kSecondsPerDay)
{
    std::vector<SunInterval> runs;
    for (size_t s = from; s < to; ++s)
        if (in[s] && s > from && in[s - 1])
            runs.back().lastSecond = int(s - from);
        else if (in[s])
            runs.push_back({int(s - from), int(s - from)});
    return runs;
}
inline QString intervalsText(const std::vector<SunInterval> &intervals)
{
    QStringList parts;
    for (const SunInterval &i : intervals)
        parts << QStringLiteral("%1-%2").arg(i.firstSecond).arg(i.lastSecond);
    return parts.join(u' ');
}

// The test classes of the binary by name: "tst_analysis TestSunCourse [functions...]" runs one.
inline std::map<QString, std::function<int(int, char **)>> &testClasses()
{
    static std::map<QString, std::function<int(int, char **)>> all;
    return all;
}
#define ANALYSIS_TEST(Class)                                                                                 \
    static const bool registered##Class = testClasses().emplace(#Class, [](int argc, char **argv) {          \
        Class test;                                                                                          \
        return QTest::qExec(&test, argc, argv); }).second;
