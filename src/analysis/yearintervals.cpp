// The sun-in-frame intervals of consecutive UT days, shared among threads.
#include "analysis/yearintervals.h"

#include "astro/julianday.h"

#include <algorithm>
#include <thread>

namespace lumora {

void forEachIndex(int count, int threads, const std::function<void(int)> &work)
{
    if (count <= 0)
        return;
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, count);
    const auto runOf = [&](int part) {
        // Consecutive days: neighbouring samples stay in one thread's cache.
        const int from = int(static_cast<long long>(count) * part / threads);
        const int to = int(static_cast<long long>(count) * (part + 1) / threads);
        for (int i = from; i < to; ++i)
            work(i);
    };
    std::vector<std::thread> helpers;
    helpers.reserve(size_t(threads - 1));
    for (int part = 1; part < threads; ++part)
        helpers.emplace_back(runOf, part);
    runOf(0);
    for (std::thread &helper : helpers)
        helper.join();
}

namespace {
std::vector<YearDay> emptyDays(double firstJulianDay0h, int count)
{
    std::vector<YearDay> days(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        days[size_t(i)].julianDay0h = firstJulianDay0h + i;
        days[size_t(i)].date = calendarDate(firstJulianDay0h + i).value_or(CivilDate{});
    }
    return days;
}
} // namespace

std::vector<YearDay> yearSunIntervals(double firstJulianDay0h, int count, const SiteLocation &site,
                                      PictureSize panorama, const WindowBounds &frame, int threads)
{
    return yearSunIntervals(firstJulianDay0h, count, site, WindowView(frame, panorama), threads);
}

std::vector<YearDay> yearSunIntervals(double firstJulianDay0h, int count, const SiteLocation &site,
                                      const WindowView &view, int threads)
{
    std::vector<YearDay> days = emptyDays(firstJulianDay0h, count);
    forEachIndex(count, threads, [&](int i) {
        YearDay &day = days[size_t(i)];
        day.intervals = sunIntervals(day.julianDay0h, site, view);
    });
    return days;
}

YearSunSamples::YearSunSamples(double firstJulianDay0h, int count, const SiteLocation &site, PictureSize panorama,
                               int threads)
    : first_(firstJulianDay0h), site_(site), panorama_(panorama), days_(size_t(std::max(count, 0)))
{
    forEachIndex(count, threads,
                 [&](int i) { days_[size_t(i)] = sampleDay(firstJulianDay0h + i, site, panorama); });
}

std::vector<YearDay> YearSunSamples::intervals(const WindowBounds &frame, int threads) const
{
    return intervals(WindowView(frame, panorama_), threads);
}

std::vector<YearDay> YearSunSamples::intervals(const WindowView &view, int threads) const
{
    std::vector<YearDay> days = emptyDays(first_, count());
    forEachIndex(count(), threads,
                 [&](int i) { days[size_t(i)].intervals = sunIntervals(days_[size_t(i)], view); });
    return days;
}

std::vector<MonthTotal> monthTotals(const std::vector<YearDay> &days)
{
    std::vector<MonthTotal> months;
    for (size_t i = 0; i < days.size(); ++i) {
        const CivilDate &date = days[i].date;
        if (months.empty() || months.back().year != date.year || months.back().month != date.month)
            months.push_back({date.year, date.month, int(i), 0, 0});
        MonthTotal &month = months.back();
        ++month.dayCount;
        month.seconds += totalSeconds(days[i].intervals);
    }
    return months;
}

long long totalSeconds(const std::vector<YearDay> &days)
{
    long long total = 0;
    for (const YearDay &day : days)
        total += totalSeconds(day.intervals);
    return total;
}

} // namespace lumora
