// Times SolarPosition: the cost of one call, and a year-long survey at one
// minute per step (the longest run the program makes). Prints figures only.
#include "astro/julianday.h"
#include "astro/solarposition.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace lumora;

namespace {
using Clock = std::chrono::steady_clock;
const SiteLocation kSite{49.0, -(2 + 20 / 60.0)};
volatile double sink; // keeps the results alive

// Consecutive instants from 0h UT of the start day, one step of hours apart,
// the day advancing when the hour passes 24. Returns seconds taken.
double survey(double jd0, double stepHours, long calls)
{
    double hour = 0, sum = 0;
    const auto start = Clock::now();
    for (long i = 0; i < calls; ++i) {
        const SunPosition sun = SolarPosition(jd0, hour, kSite);
        sum += sun.azimuth + sun.elevation;
        hour += stepHours;
        if (hour >= 24) {
            hour -= 24;
            jd0 += 1;
        }
    }
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    sink = sum;
    return elapsed.count();
}

void report(const char *what, std::vector<double> seconds, long calls)
{
    std::sort(seconds.begin(), seconds.end());
    const double best = seconds.front(), median = seconds[seconds.size() / 2];
    std::printf("%-34s %9ld calls  best %8.4f s (%6.1f ns/call)  median %8.4f s (%6.1f ns/call)\n", what, calls,
                best, best / calls * 1e9, median, median / calls * 1e9);
}
} // namespace

int main()
{
    const double jd0 = *JulianDay(1, 1, 2026);
    constexpr int kRuns = 7;

    // Per call: instants a prime number of minutes apart so that successive
    // calls share nothing.
    constexpr long kCalls = 2'000'000;
    std::vector<double> perCall;
    for (int r = 0; r < kRuns; ++r)
        perCall.push_back(survey(jd0, 97 / 60.0, kCalls));
    report("SolarPosition, scattered instants", perCall, kCalls);

    // The year's survey at a one-minute step.
    constexpr long kYear = 528'000;
    std::vector<double> year;
    for (int r = 0; r < kRuns; ++r)
        year.push_back(survey(jd0, 0.0166666, kYear));
    report("one year at 1-minute steps", year, kYear);
    return 0;
}
