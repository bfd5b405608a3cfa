// The stretches with the Sun in the window's frame over many consecutive UT
// days (a year by default), each day's exactly as sunIntervals gives it, and
// their totals by month and over all the days.
//
// Days. The days are UT days: day i (0 <= i < count) is the UT day whose 0h
// is firstJulianDay0h + i, its date calendarDate of that Julian day (Julian
// calendar before 15 October 1582). Its intervals are sunIntervals(julian day,
// site, panorama, frame): whole seconds of that UT day, a stretch that goes on
// past midnight ending at 23:59:59 and going on at 00:00:00 of the next day.
//
// Totals, in seconds. An interval's duration is last - first + 1 seconds. A
// month's total is the sum of the durations of the intervals whose UT date
// lies in that month (its year and month); months hold only the days given,
// so the first and the last are usually partial. The total of the days is the
// sum of all their durations, which is also the sum of the months' totals.
//
// Threads: the days are shared among `threads` threads (0: one per core the
// machine has, 1: the calling thread alone); every day is computed alone, so
// the results do not depend on the count of threads.
#pragma once

#include "analysis/dayintervals.h"
#include "common/civildate.h"

#include <functional>
#include <vector>

namespace lumora {

inline constexpr int kDefaultYearDays = 366;
inline constexpr int kMaxYearDays = 3660;

struct YearDay {
    double julianDay0h = 0;
    CivilDate date; // the UT date
    std::vector<SunInterval> intervals;
};

struct MonthTotal {
    int year = 0;
    int month = 0;       // 1 to 12
    int firstDay = 0;    // index of the month's first day among the days given
    int dayCount = 0;    // how many of the days given lie in the month
    long long seconds = 0;
};

// The days' intervals, computed afresh. `count` below 1 gives no day.
std::vector<YearDay> yearSunIntervals(double firstJulianDay0h, int count, const SiteLocation &site,
                                      PictureSize panorama, const WindowBounds &frame, int threads = 0);
// The same for any view: each day's sunIntervals(jd0, site, view).
std::vector<YearDay> yearSunIntervals(double firstJulianDay0h, int count, const SiteLocation &site,
                                      const WindowView &view, int threads = 0);

// The Sun of the days at the scan's sample seconds (sampleDay), kept so that
// a new frame costs only the positions its edges call for.
class YearSunSamples
{
public:
    YearSunSamples() = default;
    YearSunSamples(double firstJulianDay0h, int count, const SiteLocation &site, PictureSize panorama,
                   int threads = 0);

    double firstJulianDay0h() const { return first_; }
    int count() const { return int(days_.size()); }
    const SiteLocation &site() const { return site_; }
    PictureSize panorama() const { return panorama_; }
    const DaySunSamples &day(int index) const { return days_[size_t(index)]; }

    // The days' intervals in the frame: equal to yearSunIntervals for the
    // same days, site, panorama and frame.
    std::vector<YearDay> intervals(const WindowBounds &frame, int threads = 0) const;
    // The same for any view: equal to yearSunIntervals(first, count, site, view).
    std::vector<YearDay> intervals(const WindowView &view, int threads = 0) const;

private:
    double first_ = 0;
    SiteLocation site_;
    PictureSize panorama_;
    std::vector<DaySunSamples> days_;
};

// The months that hold the days, in order, with their totals (see above).
std::vector<MonthTotal> monthTotals(const std::vector<YearDay> &days);
long long totalSeconds(const std::vector<YearDay> &days);

// Runs work(i) for i from 0 to count - 1, shared among `threads` threads as
// above, each taking a run of consecutive indices. Returns once all are done.
void forEachIndex(int count, int threads, const std::function<void(int)> &work);

} // namespace lumora
