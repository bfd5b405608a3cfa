// The calendar picture's cells, the local days behind them and the totals.
#include "analysis/yearcalendar.h"

#include "astro/julianday.h"

#include <QDateTime>
#include <algorithm>

namespace lumora {

std::vector<CalendarStretch> joinedStretches(const std::vector<YearDay> &days, int firstDayOffset)
{
    std::vector<CalendarStretch> stretches;
    for (size_t i = 0; i < days.size(); ++i) {
        const long long dayStart = (static_cast<long long>(i) + firstDayOffset) * kSecondsPerDay;
        for (const SunInterval &interval : days[i].intervals) {
            const CalendarStretch stretch{dayStart + interval.firstSecond, dayStart + interval.lastSecond};
            if (!stretches.empty() && stretches.back().last + 1 == stretch.first)
                stretches.back().last = stretch.last;
            else
                stretches.push_back(stretch);
        }
    }
    return stretches;
}

bool anyInStretches(const std::vector<CalendarStretch> &stretches, long long first, long long last)
{
    const auto it = std::lower_bound(stretches.begin(), stretches.end(), first,
                                     [](const CalendarStretch &s, long long t) { return s.last < t; });
    return it != stretches.end() && it->first <= last;
}

YearSky::YearSky(double firstJulianDay0h, int columns, const SiteLocation &site, PictureSize panorama, int threads,
                 const QTimeZone &zone)
    : first_(firstJulianDay0h), columns_(std::max(columns, 0)), zone_(zone),
      samples_(firstJulianDay0h - 1, columns_ + 2, site, panorama, threads)
{
    const QDateTime firstInstant = utcInstant(firstJulianDay0h, 0);
    zoneKnown_ = firstInstant.isValid();
    epochOfFirst_ = zoneKnown_ ? firstInstant.toSecsSinceEpoch() : 0;

    // The UT instant of a local clock time, given the offsets the zone may
    // have then: the first pass when the time occurs twice, the offset
    // before the change when it does not occur.
    const auto utOfLocal = [this](long long naive, std::initializer_list<int> offsets) {
        int consistent = 0, smallest = 0;
        bool found = false, any = false;
        for (const int offset : offsets) {
            smallest = any ? std::min(smallest, offset) : offset;
            any = true;
            if (localOffset(naive - offset) == offset) {
                consistent = found ? std::max(consistent, offset) : offset;
                found = true;
            }
        }
        return naive - (found ? consistent : smallest);
    };

    midnightOffsets_.resize(size_t(columns_) + 1);
    int previous = localOffset(0);
    for (int c = 0; c <= columns_; ++c) {
        const long long naive = static_cast<long long>(c) * kSecondsPerDay;
        const long long midnight = utOfLocal(naive, {previous, localOffset(naive - previous)});
        previous = midnightOffsets_[size_t(c)] = int(naive - midnight);
    }

    rowStarts_.resize(size_t(columns_) * (kCalendarRows + 1));
    for (int c = 0; c < columns_; ++c) {
        const int atStart = midnightOffsets_[size_t(c)], atEnd = midnightOffsets_[size_t(c) + 1];
        const long long dayStart = static_cast<long long>(c) * kSecondsPerDay;
        long long *row = &rowStarts_[size_t(c) * (kCalendarRows + 1)];
        for (int r = 0; r < kCalendarRows; ++r) {
            const long long naive = dayStart + static_cast<long long>(r) * kCalendarRowSeconds;
            // Almost every day keeps one offset from midnight to midnight.
            row[r] = atStart == atEnd ? naive - atStart
                                      : utOfLocal(naive, {atStart, atEnd, localOffset(naive - atStart)});
        }
        row[kCalendarRows] = dayStart + kSecondsPerDay - atEnd;
    }

    const PictureSize size = samples_.panorama();
    const std::vector<CalendarStretch> daylight
        = joinedStretches(samples_.intervals(WindowBounds{0, size.width, 0, size.height}, threads), -1);
    daylight_.resize(size_t(columns_) * kCalendarRows);
    forEachIndex(columns_, threads, [&](int c) {
        for (int r = 0; r < kCalendarRows; ++r) {
            const long long start = rowStart(c, r);
            daylight_[size_t(c) * kCalendarRows + r] = anyInStretches(daylight, start, start + kCalendarRowSeconds - 1);
        }
    });
}

int YearSky::localOffset(long long utSeconds) const
{
    if (!zoneKnown_)
        return 0;
    return inZone(QDateTime::fromSecsSinceEpoch(epochOfFirst_ + utSeconds, Qt::UTC), zone_).offsetFromUtc();
}

CivilDate YearSky::columnDate(int column) const { return calendarDate(first_ + column).value_or(CivilDate{}); }

long long YearSky::rowStart(int column, int row) const
{
    return rowStarts_[size_t(column) * (kCalendarRows + 1) + row];
}

long long YearSky::utSecondsAt(int column, int localSecond) const
{
    const int row = std::clamp(localSecond / kCalendarRowSeconds, 0, kCalendarRows - 1);
    return rowStart(column, row) + (localSecond - row * kCalendarRowSeconds);
}

YearCalendar::YearCalendar(std::shared_ptr<const YearSky> sky, const WindowBounds &frame, int threads)
    : YearCalendar(sky, WindowView(frame, sky->panorama()), threads)
{
}

YearCalendar::YearCalendar(std::shared_ptr<const YearSky> sky, const WindowView &view, int threads)
    : sky_(std::move(sky)), view_(view)
{
    std::vector<YearDay> covered = sky_->samples().intervals(view, threads);
    stretches_ = joinedStretches(covered, -1);
    const int columns = sky_->columns();
    days_.assign(std::make_move_iterator(covered.begin() + 1),
                 std::make_move_iterator(covered.begin() + 1 + columns));
    months_ = monthTotals(days_);
    total_ = lumora::totalSeconds(days_);
    cells_.resize(size_t(columns) * kCalendarRows);
    forEachIndex(columns, threads, [&](int c) {
        // The rows go forward in time but for the hour the clocks skip: walk
        // the stretches along, and look again only when a row goes back.
        auto next = stretches_.begin();
        long long previousStart = 0;
        for (int r = 0; r < kCalendarRows; ++r) {
            const long long start = sky_->rowStart(c, r), last = start + kCalendarRowSeconds - 1;
            if (r == 0 || start < previousStart)
                next = std::lower_bound(stretches_.begin(), stretches_.end(), start,
                                        [](const CalendarStretch &s, long long t) { return s.last < t; });
            while (next != stretches_.end() && next->last < start)
                ++next;
            previousStart = start;
            CalendarCell cell = CalendarCell::Night;
            if (next != stretches_.end() && next->first <= last)
                cell = CalendarCell::InFrame;
            else if (sky_->daylightCell(c, r))
                cell = CalendarCell::Daylight;
            cells_[size_t(c) * kCalendarRows + r] = std::uint8_t(cell);
        }
    });
}

bool YearCalendar::inFrameAt(long long utSeconds) const { return anyInStretches(stretches_, utSeconds, utSeconds); }

long long YearCalendar::columnSeconds(int column) const
{
    const long long from = sky_->rowStart(column, 0), to = sky_->rowStart(column, kCalendarRows) - 1;
    long long seconds = 0;
    for (const CalendarStretch &s : stretches_)
        if (s.last >= from && s.first <= to)
            seconds += std::min(s.last, to) - std::max(s.first, from) + 1;
    return seconds;
}

} // namespace lumora
