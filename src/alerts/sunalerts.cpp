// The alerts' choices and the watch that sends them.
#include "alerts/sunalerts.h"

#include "analysis/dayintervals.h"
#include "astro/clock.h"

#include <QSettings>

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

void SunAlerts::followDay(qint64 now)
{
    const double today = julianDay0hOf(now);
    if (!observed_ || (today == scheduleDay_ && !schedule_.isEmpty()))
        return;
    const Observation &o = *observed_;
    std::vector<std::vector<SunInterval>> days;
    for (int day = -1; day <= 1; ++day)
        days.push_back(sunIntervals(today + day, o.site, o.view()));
    schedule_ = AlertSchedule(today - 1, days);
    scheduleDay_ = today;
}

void SunAlerts::observe(const Observation &observation, bool searchRunning)
{
    const qint64 now = currentUtc().toSecsSinceEpoch();
    if (!observed_ || !sameSiteAndFrame(*observed_, observation)) {
        observed_ = observation;
        schedule_ = AlertSchedule();
        // The Sun did not move into a frame that was moved over it: no news.
        watching_ = false;
    }
    const bool watching = enabled_ && observation.realTime && !searchRunning;
    // The schedule is made when a check needs it, or the menu the next event:
    // not at each step of a frame being dragged.
    if (watching && watching_) {
        followDay(now);
        for (const SunAlert &alert : schedule_.due(leadMinutes_, checkedUpTo_, now))
            notifier_->notify(alertMessage(alert));
    }
    watching_ = watching;
    // Also after the clock was set back: the watch starts again from the new
    // now, so that nothing after it is missed (what was sent before the step
    // is not sent again unless its second comes round again).
    checkedUpTo_ = now;
}

QString SunAlerts::nextEventText()
{
    const qint64 now = currentUtc().toSecsSinceEpoch();
    followDay(now);
    return lumora::nextEventText(schedule_, now);
}

} // namespace lumora
