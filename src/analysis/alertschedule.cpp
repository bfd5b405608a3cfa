// The alert schedule: stretches joined across UT midnight, their entries and
// exits, the warnings ahead, and the alerts a check has to send.
#include "analysis/alertschedule.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace lumora {

bool isAlertLead(int minutes)
{
    return std::find(kAlertLeadMinutes.begin(), kAlertLeadMinutes.end(), minutes) != kAlertLeadMinutes.end();
}

AlertSchedule::AlertSchedule(double firstJulianDay0h, const std::vector<std::vector<SunInterval>> &days)
{
    const QDateTime start = utcInstant(firstJulianDay0h, 0);
    if (!start.isValid() || days.empty())
        return;
    spanStart_ = start.toSecsSinceEpoch();
    spanEnd_ = spanStart_ + qint64(days.size()) * kSecondsPerDay;
    for (std::size_t day = 0; day < days.size(); ++day) {
        const qint64 dayStart = spanStart_ + qint64(day) * kSecondsPerDay;
        for (const SunInterval &interval : days[day]) {
            const qint64 first = dayStart + interval.firstSecond;
            const qint64 last = dayStart + interval.lastSecond;
            if (!stretches_.empty() && stretches_.back().last + 1 >= first)
                stretches_.back().last = std::max(stretches_.back().last, last);
            else
                stretches_.push_back({first, last, false, false});
        }
    }
    for (SunStretch &stretch : stretches_) {
        stretch.entryKnown = stretch.first != spanStart_;
        stretch.exitKnown = stretch.last != spanEnd_ - 1;
    }
}

std::vector<SunEvent> AlertSchedule::events() const
{
    std::vector<SunEvent> events;
    for (const SunStretch &stretch : stretches_) {
        if (stretch.entryKnown)
            events.push_back({SunEventKind::Entry, stretch.first});
        if (stretch.exitKnown)
            events.push_back({SunEventKind::Exit, stretch.last + 1});
    }
    return events;
}

bool AlertSchedule::sunInFrame(qint64 instant) const
{
    return std::any_of(stretches_.begin(), stretches_.end(),
                       [instant](const SunStretch &s) { return instant >= s.first && instant <= s.last; });
}

std::optional<SunEvent> AlertSchedule::nextEvent(qint64 instant) const
{
    for (const SunEvent &event : events())
        if (event.at > instant)
            return event;
    return std::nullopt;
}

std::vector<SunAlert> AlertSchedule::alerts(int leadMinutes) const
{
    std::vector<SunAlert> alerts;
    for (std::size_t i = 0; i < stretches_.size(); ++i) {
        const SunStretch &stretch = stretches_[i];
        const std::optional<qint64> exit = stretch.exitKnown ? std::optional<qint64>(stretch.last + 1) : std::nullopt;
        if (stretch.entryKnown) {
            if (leadMinutes > 0) {
                const qint64 warning = stretch.first - qint64(leadMinutes) * 60;
                // Out of the frame from the warning on: after the previous
                // stretch's last second (its exit second is already out).
                const qint64 outSince = i > 0 ? stretches_[i - 1].last + 1 : spanStart_;
                if (warning >= outSince)
                    alerts.push_back({AlertKind::Warning, warning, stretch.first, exit, spanEnd_, leadMinutes});
            }
            alerts.push_back({AlertKind::Entry, stretch.first, stretch.first, exit, spanEnd_, 0});
        }
        if (exit) {
            const std::optional<qint64> nextEntry =
                i + 1 < stretches_.size() ? std::optional<qint64>(stretches_[i + 1].first) : std::nullopt;
            alerts.push_back({AlertKind::Exit, *exit, *exit, nextEntry, spanEnd_, 0});
        }
    }
    // Warnings were placed with their entries; an exit may come before a
    // warning of a later entry, or at its very second (exit first then).
    std::stable_sort(alerts.begin(), alerts.end(), [](const SunAlert &a, const SunAlert &b) {
        if (a.at != b.at)
            return a.at < b.at;
        return a.kind == AlertKind::Exit && b.kind != AlertKind::Exit;
    });
    return alerts;
}

std::vector<SunAlert> AlertSchedule::due(int leadMinutes, qint64 previous, qint64 now) const
{
    std::vector<SunAlert> due;
    const qint64 from = std::max(previous, now - kAlertLatenessSeconds - 1);
    for (const SunAlert &alert : alerts(leadMinutes)) {
        if (alert.at <= from || alert.at > now)
            continue;
        if (alert.kind == AlertKind::Warning && alert.event <= now)
            continue;
        due.push_back(alert);
    }
    return due;
}

double julianDay0hOf(qint64 epochSeconds)
{
    const QDate date = QDateTime::fromSecsSinceEpoch(epochSeconds, Qt::UTC).date();
    return double(date.toJulianDay()) - 0.5;
}

} // namespace lumora
