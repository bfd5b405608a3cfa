// The alerts' choices and the watch that sends them.
#include "alerts/sunalerts.h"

#include "analysis/dayintervals.h"
#include "astro/clock.h"

#include <QSettings>
#include <algorithm>

namespace lumora {

namespace {
const QString kGroup = QStringLiteral("Alertes");
const QString kEnabledKey = QStringLiteral("Actives");
const QString kLeadKey = QStringLiteral("Avance");

bool sameSiteAndFrame(const Observation &a, const Observation &b)
{
    return a.site.latitude == b.site.latitude && a.site.longitude == b.site.longitude && a.frame.left == b.frame.left
        && a.frame.right == b.frame.right && a.frame.top == b.frame.top && a.frame.bottom == b.frame.bottom
        && a.panorama.width == b.panorama.width && a.panorama.height == b.panorama.height && a.measuredInForce == b.measuredInForce
        && (!a.measuredInForce || a.measured == b.measured) && a.skyline == b.skyline;
}
} // namespace

SunAlerts::SunAlerts(QSettings *store, std::unique_ptr<Notifier> notifier, QObject *parent)
    : QObject(parent), store_(store), notifier_(std::move(notifier))
{
    if (!store_)
        return;
    store_->beginGroup(kGroup);
    // "Vrai"/"Faux" as the window's own choices are kept.
    enabled_ = store_->value(kEnabledKey).toString().toLower() == u"vrai";
    bool isNumber = false;
    const int lead = store_->value(kLeadKey).toString().trimmed().toInt(&isNumber);
    if (isNumber && isAlertLead(lead))
        leadMinutes_ = lead;
    store_->endGroup();
}

SunAlerts::~SunAlerts() = default;

void SunAlerts::save()
{
    if (!store_)
        return;
    store_->beginGroup(kGroup);
    store_->setValue(kEnabledKey, enabled_ ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    store_->setValue(kLeadKey, QString::number(leadMinutes_));
    store_->endGroup();
    store_->sync();
}

void SunAlerts::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    save();
    emit enabledChanged(enabled);
}

void SunAlerts::setLeadMinutes(int minutes)
{
    if (minutes == leadMinutes_ || !isAlertLead(minutes))
        return;
    leadMinutes_ = minutes;
    save();
    emit leadMinutesChanged(minutes);
}

void SunAlerts::followDay(Watch &watch, qint64 now)
{
    const double today = julianDay0hOf(now);
    if (!watch.observed || (today == watch.scheduleDay && !watch.schedule.isEmpty()))
        return;
    const Observation &o = *watch.observed;
    std::vector<std::vector<SunInterval>> days;
    for (int day = -1; day <= 1; ++day)
        days.push_back(sunIntervals(today + day, o.site, o.view()));
    watch.schedule = AlertSchedule(today - 1, days);
    watch.scheduleDay = today;
}

void SunAlerts::sendDue(Watch &watch, qint64 now)
{
    followDay(watch, now);
    for (const SunAlert &alert : watch.schedule.due(leadMinutes_, checkedUpTo_, now)) {
        const AlertMessage message = alertMessage(alert, watch.observed->zone);
        notifier_->notify(watch.name.isEmpty() ? message : namedAlertMessage(watch.name, message));
    }
}

void SunAlerts::setOtherWindows(const std::vector<std::pair<QString, Observation>> &windows)
{
    std::vector<Watch> others;
    for (const auto &[name, observation] : windows) {
        // A window whose site and frame are unchanged keeps its schedule.
        const auto kept = std::find_if(others_.begin(), others_.end(), [&](const Watch &w) {
            return w.name == name && sameSiteAndFrame(*w.observed, observation) && w.observed->zone == observation.zone;
        });
        others.push_back(kept != others_.end() ? std::move(*kept) : Watch{name, observation, 0, {}});
    }
    others_ = std::move(others);
}

QStringList SunAlerts::otherWindowNames() const
{
    QStringList names;
    for (const Watch &watch : others_)
        names << watch.name;
    return names;
}

void SunAlerts::observe(const Observation &observation, bool searchRunning)
{
    const qint64 now = currentUtc().toSecsSinceEpoch();
    if (!onScreen_.observed || !sameSiteAndFrame(*onScreen_.observed, observation) || onScreen_.name != windowName_) {
        onScreen_ = Watch{windowName_, observation, 0, {}};
        // The Sun did not move into a frame that was moved over it: no news.
        watching_ = false;
    }
    // The zone only changes the words.
    onScreen_.observed->zone = observation.zone;
    const bool clockFollowed = observation.realTime && !searchRunning;
    const bool watching = enabled_ && clockFollowed;
    // The schedule is made when a check needs it, or the menu the next event:
    // not at each step of a frame being dragged.
    if (watching && watching_)
        sendDue(onScreen_, now);
    if (clockFollowed && clockFollowed_)
        for (Watch &watch : others_)
            sendDue(watch, now);
    watching_ = watching;
    clockFollowed_ = clockFollowed;
    // Also after the clock was set back: the watch starts again from the new
    // now, so that nothing after it is missed (what was sent before the step
    // is not sent again unless its second comes round again).
    checkedUpTo_ = now;
}

QString SunAlerts::nextEventText()
{
    const qint64 now = currentUtc().toSecsSinceEpoch();
    followDay(onScreen_, now);
    return onScreen_.observed ? lumora::nextEventText(onScreen_.schedule, now, onScreen_.observed->zone) : QString();
}

} // namespace lumora
