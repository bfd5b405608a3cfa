// When to tell the user that the Sun enters or leaves the window: the events
// of a few consecutive UT days, the warnings ahead of the entries, which
// alerts a check made at some instant has to send, and the next event.
//
// Instants are whole seconds since 1970-01-01 00:00:00 UTC ("epoch seconds").
// The schedule is built from the exact intervals of consecutive UT days
// (dayintervals.h) and covers their seconds, the span [spanStart, spanEnd).
//
// Definitions:
// - A stretch is a maximal run of seconds of the span with the Sun in the
//   frame. An interval that ends at 23:59:59 UT and one that starts at
//   00:00:00 the next day make a single stretch: midnight is no event.
// - An entry happens at a stretch's first second, the first second with the
//   Sun in the frame; an exit one second after a stretch's last second, the
//   first second with the Sun out of it again.
// - At the span's edges nothing is known of the seconds beyond: a stretch that
//   starts at the span's first second has no entry (the Sun may have been in
//   the frame before), one that ends at its last second has no exit.
// - A warning with a lead of L minutes (L > 0) is due L * 60 seconds before an
//   entry, when the Sun is out of the frame from that second up to the entry
//   and that second lies in the span. So no warning falls in a short gap
//   between two stretches, where the Sun is still in the frame.
#pragma once

#include "analysis/dayintervals.h"

#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

namespace lumora {

// The lead times a user can choose, in minutes; 0 is no warning.
inline constexpr std::array<int, 4> kAlertLeadMinutes{0, 5, 15, 30};
bool isAlertLead(int minutes);

// A check that comes later than this after an alert's second (a machine that
// slept, a clock set forward) does not send it: it would only be stale news.
inline constexpr qint64 kAlertLatenessSeconds = 120;

// A run of seconds with the Sun in the frame, both ends included.
struct SunStretch {
    qint64 first = 0;
    qint64 last = 0;
    bool entryKnown = false; // first is not the span's first second
    bool exitKnown = false;  // last is not the span's last second
    friend bool operator==(const SunStretch &, const SunStretch &) = default;
};

enum class SunEventKind { Entry, Exit };

struct SunEvent {
    SunEventKind kind = SunEventKind::Entry;
    qint64 at = 0; // the entry's first second in, or the exit's first second out
    friend bool operator==(const SunEvent &, const SunEvent &) = default;
};

enum class AlertKind { Warning, Entry, Exit };

// One message to the user.
struct SunAlert {
    AlertKind kind = AlertKind::Entry;
    qint64 at = 0;    // when it is due
    qint64 event = 0; // the entry or exit it tells of (for a warning, the entry ahead)
    // Entry and warning: the exit that ends the stretch. Exit: the next entry.
    // Empty when the span does not reach it.
    std::optional<qint64> following;
    // The span's end: what lies from here on is not known.
    qint64 horizon = 0;
    int leadMinutes = 0; // a warning's lead
    friend bool operator==(const SunAlert &, const SunAlert &) = default;
};

class AlertSchedule
{
public:
    // Knows nothing: no stretch, no event, an empty span.
    AlertSchedule() = default;

    // days[k] holds the intervals of the UT day whose 0h is firstJulianDay0h + k,
    // as sunIntervals gives them (in time order, within 0..86399). An absurd
    // or non-finite Julian day gives the empty schedule.
    AlertSchedule(double firstJulianDay0h, const std::vector<std::vector<SunInterval>> &days);

    bool isEmpty() const { return spanEnd_ <= spanStart_; }
    qint64 spanStart() const { return spanStart_; }
    qint64 spanEnd() const { return spanEnd_; } // the first second after the span
    bool covers(qint64 instant) const { return instant >= spanStart_ && instant < spanEnd_; }

    const std::vector<SunStretch> &stretches() const { return stretches_; }
    // Every known entry and exit, in time order.
    std::vector<SunEvent> events() const;
    // The Sun stands in the frame at that second (false outside the span).
    bool sunInFrame(qint64 instant) const;
    // The first event strictly after `instant`: at the second of an entry, the
    // next event is the exit.
    std::optional<SunEvent> nextEvent(qint64 instant) const;

    // Every alert of the span with that lead (minutes; 0 or less: no
    // warning), in time order; an exit and a warning due at the same second
    // come exit first.
    std::vector<SunAlert> alerts(int leadMinutes) const;

    // What a check at `now` sends when the check before it was at `previous`:
    // the alerts due in (previous, now], none due more than
    // kAlertLatenessSeconds before now, and no warning for an entry that is
    // itself due by now (the entry tells it). Each alert is thus sent once by
    // checks whose instants only grow; nothing when now <= previous.
    std::vector<SunAlert> due(int leadMinutes, qint64 previous, qint64 now) const;

private:
    qint64 spanStart_ = 0;
    qint64 spanEnd_ = 0;
    std::vector<SunStretch> stretches_;
};

// The UT day of an instant, as the Julian day of its 0h (for the schedule's
// first day and the ones after it).
double julianDay0hOf(qint64 epochSeconds);

} // namespace lumora
