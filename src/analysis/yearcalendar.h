// The year seen through the window as a calendar picture: one column per
// local date, local time of day upward, each cell night, daylight or Sun in
// the frame.
//
// Time. Instants are counted in whole UT seconds from 0h UT of the first day
// (firstJulianDay0h). Column c is the local date that follows the first day's
// date by c days (calendarDate of firstJulianDay0h + c), in the site's zone
// (the computer's when invalid, see inZone in clock.h).
// Row r of a column covers the local clock times from r × kCalendarRowSeconds
// to (r + 1) × kCalendarRowSeconds - 1 seconds after local midnight; it
// starts at the UT instant whose local time that is, with the zone's offset
// in force then (in the hour skipped when clocks go forward, with the offset
// before the change; in the hour repeated when they go back, its first pass),
// and is that many seconds long.
//
// Cells. A cell is InFrame when at least one of its seconds lies in one of the
// days' intervals (yearintervals.h, the frame given); otherwise Daylight when
// at least one of its seconds has the Sun at or above the horizon (its picture
// point in the whole panorama, the same test with the frame 0, width, 0,
// height); otherwise Night.
//
// The intervals of the UT days from the day before the first to the day after
// the last column are used, so that every local day is covered whatever the
// zone. Days, months and totals (days(), months(), totalSeconds()) are those
// of the `columns` UT days from the first, as the hours file gives them.
#pragma once

#include "analysis/yearintervals.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace lumora {

inline constexpr int kCalendarRowSeconds = 300;
inline constexpr int kCalendarRows = kSecondsPerDay / kCalendarRowSeconds; // 288

enum class CalendarCell : std::uint8_t { Night, Daylight, InFrame };

// A run of UT seconds, both ends included, counted from 0h UT of the first day.
struct CalendarStretch {
    long long first = 0;
    long long last = 0;
};

// Everything the calendar needs that a change of frame leaves as it was: the
// days' Sun at the scan's sample seconds, the local days, the daylight.
class YearSky
{
public:
    YearSky(double firstJulianDay0h, int columns, const SiteLocation &site, PictureSize panorama, int threads = 0,
            const QTimeZone &zone = {});

    double firstJulianDay0h() const { return first_; }
    int columns() const { return columns_; }
    const SiteLocation &site() const { return samples_.site(); }
    PictureSize panorama() const { return samples_.panorama(); }
    const QTimeZone &zone() const { return zone_; }
    // The local date of a column.
    CivilDate columnDate(int column) const;
    // The UT second at which a cell starts; row kCalendarRows gives the start
    // of the next local day.
    long long rowStart(int column, int row) const;
    // The UT instant of a local clock second of a column's date (0 to 86399),
    // with the same rules as the rows.
    long long utSecondsAt(int column, int localSecond) const;
    // The Sun's samples of the UT days from the day before the first to the
    // day after the last column: day i of samples() is day i - 1 here.
    const YearSunSamples &samples() const { return samples_; }
    bool daylightCell(int column, int row) const { return daylight_[size_t(column) * kCalendarRows + row] != 0; }

private:
    int localOffset(long long utSeconds) const;

    double first_ = 0;
    int columns_ = 0;
    long long epochOfFirst_ = 0; // seconds since 1970 of 0h UT of the first day
    bool zoneKnown_ = false;
    QTimeZone zone_;
    YearSunSamples samples_;
    std::vector<int> midnightOffsets_;  // local minus UT, seconds, at each column's local midnight (and the next)
    std::vector<long long> rowStarts_;  // columns × (kCalendarRows + 1)
    std::vector<std::uint8_t> daylight_; // columns × kCalendarRows
};

// The calendar for one frame.
class YearCalendar
{
public:
    YearCalendar(std::shared_ptr<const YearSky> sky, const WindowBounds &frame, int threads = 0);
    // For any view (the measured window, a skyline); the frame one is this
    // with WindowView(frame, sky's panorama).
    YearCalendar(std::shared_ptr<const YearSky> sky, const WindowView &view, int threads = 0);

    const YearSky &sky() const { return *sky_; }
    std::shared_ptr<const YearSky> sharedSky() const { return sky_; }
    const WindowBounds &frame() const { return view_.frame(); }
    const WindowView &view() const { return view_; }
    int columns() const { return sky_->columns(); }
    CalendarCell cell(int column, int row) const { return CalendarCell(cells_[size_t(column) * kCalendarRows + row]); }
    // Whether a UT second lies in one of the intervals.
    bool inFrameAt(long long utSeconds) const;
    // Seconds with the Sun in the frame within a column's local day.
    long long columnSeconds(int column) const;

    // The `columns` UT days from the first, their months and their total.
    const std::vector<YearDay> &days() const { return days_; }
    const std::vector<MonthTotal> &months() const { return months_; }
    long long totalSeconds() const { return total_; }
    // Every interval of the days covered, joined across midnights.
    const std::vector<CalendarStretch> &stretches() const { return stretches_; }

private:
    std::shared_ptr<const YearSky> sky_;
    WindowView view_;
    std::vector<YearDay> days_;
    std::vector<MonthTotal> months_;
    long long total_ = 0;
    std::vector<CalendarStretch> stretches_;
    std::vector<std::uint8_t> cells_;
};

// The stretches of consecutive days' intervals, day i starting at
// (i + firstDayOffset) × 86400 seconds, joined where one day's run reaches
// midnight and the next day's starts at its second 0.
std::vector<CalendarStretch> joinedStretches(const std::vector<YearDay> &days, int firstDayOffset);
// Whether any second from `first` to `last` lies in one of the stretches
// (sorted, apart).
bool anyInStretches(const std::vector<CalendarStretch> &stretches, long long first, long long last);

} // namespace lumora
